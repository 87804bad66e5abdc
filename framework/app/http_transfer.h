#pragma once
// Sends one prepared HTTP/1.x request to a host on a worker thread and
// collects the response body, so that the polling thread never blocks. The
// outcome is a small result code. While a demo plays no socket is opened:
// the recorded results come back through UpdateStatus instead.

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/threads.h"

namespace platform {
class TcpSocket;
}

namespace Kavo {

class HTTPTransfer {
public:
    enum Result : int32_t {
        kResultDone = 0,          // 200, or no status line
        kResultIdle = 1,          // nothing started since construction or Reset
        kResultRunning = 2,       // under way
        kResultNotFound = 3,      // 404
        kResultBadStatus = 4,     // another status, or a response cut short
        kResultAborted = 5,       // stopped on request
        kResultSocketError = 6,   // no socket, or a failed wait
        kResultHostNotFound = 7,  // the host name did not resolve
        kResultConnectFailed = 8, // the connection failed
        kResultSendFailed = 9,    // sending failed
    };

    HTTPTransfer();
    virtual ~HTTPTransfer();
    HTTPTransfer(const HTTPTransfer&) = delete;
    HTTPTransfer& operator=(const HTTPTransfer&) = delete;

    // Starts sending a complete request (request line, headers and body) to
    // the host text: "host", "host:port" or a URL such as "http://host:port/path".
    void SendRequest(const std::string& host, const std::string& request);
    // Stops a running transfer and returns to idle.
    void Reset();
    // Called regularly by the poller: records or replays the result in a demo.
    void UpdateStatus();
    // Asks the worker to stop at its next wait; aborted marks the stop as the
    // user's, which ends in kResultAborted.
    void RequestStop(bool aborted);

    int32_t GetResult() const { return mResult.load(std::memory_order_acquire); }
    // The response body, complete once the result has left kResultRunning.
    std::string GetContent() const;
    int32_t GetTransferId() const { return mTransferId; }
    bool IsBusy() const { return mBusy.load(); }
    const std::string& GetProtocol() const { return mProtocol; }
    const std::string& GetHost() const { return mHost; }
    const std::string& GetPath() const { return mPath; }
    int32_t GetPort() const { return mPort; }

    // How long one wait on the socket lasts before the stop request is looked at.
    static constexpr int kWaitStepMs = 100;
    // The most bytes taken from the socket at a time.
    static constexpr int kReceiveSize = 256;

private:
    void Prepare(const std::string& url);
    void Work();
    // Waits in steps until the socket is ready or a stop is asked (both
    // success); a failed wait sets *result to kResultSocketError.
    bool WaitSocket(platform::TcpSocket& socket, bool forWrite, int32_t* result);
    void Publish(int32_t result, std::string body);

    int32_t mTransferId = 0;
    std::string mSendText;
    std::string mUrl;
    std::string mProtocol;
    std::string mHost;
    std::string mPath;
    int32_t mPort = 80;
    std::string mContent; // written before mResult leaves kResultRunning
    std::atomic<bool> mBusy{false};
    std::atomic<bool> mThreadRunning{false};
    std::atomic<bool> mStop{false};
    std::atomic<bool> mAborted{false};
    std::atomic<int32_t> mResult{kResultIdle};
    int32_t mLastResult = kResultIdle; // last written to or read from a demo
    platform::Thread mThread;
};

} // namespace Kavo
