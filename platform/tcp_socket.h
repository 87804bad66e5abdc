#pragma once
// A non-blocking IPv4 TCP socket over POSIX, enough for one HTTP exchange:
// connect, wait for readiness in short steps, send and receive.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A dotted address as it stands, else the name looked up (IPv4 only).
// Texts that cannot be host names (empty, or with characters other than
// letters, digits, '-', '_' and '.') fail at once without a lookup.
// The address is in network byte order.
bool ResolveHostIPv4(const std::string& host, std::uint32_t* address);

class TcpSocket {
public:
    enum class Readiness { Ready, NotYet, Failed };
    // A byte count, or one of these.
    static constexpr long kWouldBlock = -1;
    static constexpr long kFailed = -2;

    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // A new non-blocking stream socket; false when none could be made.
    bool Open();
    bool IsOpen() const { return mFd >= 0; }
    void Close();

    // Starts connecting; false when the attempt failed at once.
    bool BeginConnect(std::uint32_t address, std::uint16_t port);
    // Once the socket turned writable after BeginConnect: whether the
    // connection came up. A refused connection also makes the socket
    // writable, so the pending error decides.
    bool ConnectSucceeded();

    // One wait of at most timeoutMs for the socket to become writable (or
    // readable). Failed when the wait itself failed or the socket reports
    // an error condition.
    Readiness Wait(bool forWrite, int timeoutMs);

    // Bytes sent or received; 0 from Receive means the peer closed.
    long Send(const char* data, std::size_t size);
    long Receive(char* data, std::size_t size);

private:
    int mFd = -1;
};

} // namespace platform
