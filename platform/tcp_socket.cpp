#include "platform/tcp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

bool CouldBeHostName(const std::string& host) {
    if (host.empty() || host.size() > 253)
        return false;
    for (const char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '_' || c == '.';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool ResolveHostIPv4(const std::string& host, std::uint32_t* address) {
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
        *address = dotted.s_addr;
        return true;
    }
    if (!CouldBeHostName(host))
        return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return true;
}

TcpSocket::~TcpSocket() {
    Close();
}

bool TcpSocket::Open() {
    Close();
    mFd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    return mFd >= 0;
}

void TcpSocket::Close() {
    if (mFd >= 0)
        close(mFd);
    mFd = -1;
}

bool TcpSocket::BeginConnect(std::uint32_t address, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    if (connect(mFd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0)
        return true;
    return errno == EINPROGRESS || errno == EINTR;
}

bool TcpSocket::ConnectSucceeded() {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(mFd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return false;
    return error == 0;
}

TcpSocket::Readiness TcpSocket::Wait(bool forWrite, int timeoutMs) {
    pollfd entry{};
    entry.fd = mFd;
    entry.events = forWrite ? POLLOUT : POLLIN;
    const int count = poll(&entry, 1, timeoutMs);
    if (count < 0)
        return errno == EINTR ? Readiness::NotYet : Readiness::Failed;
    if (count == 0)
        return Readiness::NotYet;
    // A refused connect reports POLLERR together with POLLOUT; the caller
    // reads the pending error then. Readable data also wins over a hang-up.
    if ((entry.revents & entry.events) != 0)
        return Readiness::Ready;
    if ((entry.revents & POLLHUP) != 0 && !forWrite)
        return Readiness::Ready; // the read that follows sees the end
    return Readiness::Failed;
}

long TcpSocket::Send(const char* data, std::size_t size) {
    const ssize_t sent = send(mFd, data, size, MSG_NOSIGNAL);
    if (sent >= 0)
        return static_cast<long>(sent);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? kWouldBlock : kFailed;
}

long TcpSocket::Receive(char* data, std::size_t size) {
    const ssize_t got = recv(mFd, data, size, 0);
    if (got >= 0)
        return static_cast<long>(got);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? kWouldBlock : kFailed;
}

} // namespace platform
