#pragma once
// A one-connection HTTP server on 127.0.0.1 for the transfer tests. It takes
// one request (headers plus a Content-Length body), answers with the given
// bytes in the given pieces and closes; or, when told to hold, answers
// nothing and keeps the connection open until it is destroyed. Every wait
// is bounded, so a broken test ends instead of hanging.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace app_test {

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::vector<std::string> pieces, bool hold = false)
        : mPieces(std::move(pieces)), mHold(hold) {
        mListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(mListen, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(mListen, 4);
        socklen_t size = sizeof address;
        getsockname(mListen, reinterpret_cast<sockaddr*>(&address), &size);
        mPort = ntohs(address.sin_port);
        mThread = std::thread([this] { Serve(); });
    }
    ~LoopbackHttpServer() {
        mQuit = true;
        if (mThread.joinable())
            mThread.join();
        close(mListen);
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return mPort; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(mPort); }
    // The request as received; complete once the answer went out.
    std::string Request() {
        Finish();
        return mRequest;
    }
    bool Accepted() const { return mAccepted.load(); }
    // Waits for the serving thread (at most a few seconds by its own limits).
    void Finish() {
        if (mThread.joinable() && !mHold)
            mThread.join();
    }

private:
    // Polls in short steps so that destruction ends the wait.
    bool WaitFor(int fd, short events, int totalMs) {
        for (int waited = 0; waited < totalMs && !mQuit.load(); waited += 20) {
            pollfd entry{fd, events, 0};
            if (poll(&entry, 1, 20) > 0)
                return true;
        }
        return false;
    }

    void Serve() {
        if (!WaitFor(mListen, POLLIN, 5000))
            return;
        const int connection = accept(mListen, nullptr, nullptr);
        if (connection < 0)
            return;
        mAccepted = true;
        ReadRequest(connection);
        if (mHold) {
            while (!mQuit.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } else {
            for (const std::string& piece : mPieces) {
                send(connection, piece.data(), piece.size(), MSG_NOSIGNAL);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        close(connection);
    }

    void ReadRequest(int connection) {
        char data[4096];
        for (;;) {
            const size_t headerEnd = mRequest.find("\r\n\r\n");
            if (headerEnd != std::string::npos) {
                size_t length = 0;
                const size_t field = mRequest.find("Content-Length: ");
                if (field != std::string::npos && field < headerEnd)
                    length = std::strtoul(mRequest.c_str() + field + 16, nullptr, 10);
                if (mRequest.size() >= headerEnd + 4 + length)
                    return;
            }
            if (!WaitFor(connection, POLLIN, 5000))
                return;
            const ssize_t got = recv(connection, data, sizeof data, 0);
            if (got <= 0)
                return;
            mRequest.append(data, static_cast<size_t>(got));
        }
    }

    std::vector<std::string> mPieces;
    bool mHold;
    int mListen = -1;
    int mPort = 0;
    std::string mRequest;
    std::atomic<bool> mAccepted{false};
    std::atomic<bool> mQuit{false};
    std::thread mThread;
};

// A loopback port that refuses connections: bound, then closed.
inline int RefusingPort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return ntohs(address.sin_port);
}

} // namespace app_test
