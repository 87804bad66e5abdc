#include "framework/app/http_transfer.h"

#include <chrono>
#include <thread>
#include <utility>

#include "framework/app/http_response_reader.h"
#include "framework/app/http_transfer_demo.h"
#include "framework/util/string_util.h"
#include "platform/tcp_socket.h"

namespace Kavo {

namespace {

// Transfer ids number every construction, reset and new transfer of the
// process from 1, so that a replayed run hands out the recorded ids.
std::atomic<int32_t> gNextTransferId{1};

int32_t NewTransferId() {
    return gNextTransferId.fetch_add(1);
}

void SleepRealMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

platform::ProcessSlot<HttpTransferDemo>& HttpTransferDemoSlot() {
    static platform::ProcessSlot<HttpTransferDemo> slot;
    return slot;
}

HTTPTransfer::HTTPTransfer() : mTransferId(NewTransferId()) {}

HTTPTransfer::~HTTPTransfer() {
    RequestStop(true);
    mThread.Join();
}

void HTTPTransfer::RequestStop(bool aborted) {
    if (aborted)
        mAborted = true;
    mStop = true;
}

std::string HTTPTransfer::GetContent() const {
    if (GetResult() == kResultRunning)
        return {};
    return mContent;
}

void HTTPTransfer::Reset() {
    if (mThread.IsStarted()) {
        RequestStop(true);
        // Keep a demo in step with the last result while the worker winds down.
        while (mThreadRunning.load()) {
            UpdateStatus();
            SleepRealMs(20);
        }
        mThread.Join();
    }
    mBusy = false;
    mResult.store(kResultIdle, std::memory_order_release);
    mLastResult = kResultIdle;
    mTransferId = NewTransferId();
    mStop = false;
    mAborted = false;
    mContent.clear();
    mSendText.clear();
}

void HTTPTransfer::Prepare(const std::string& url) {
    Reset();
    mTransferId = NewTransferId();
    mUrl = url;
    mStop = false;
    mAborted = false;
    mResult.store(kResultRunning, std::memory_order_release);
    mPath.clear();
    mProtocol.clear();
    mPort = 80;

    size_t hostStart = 0;
    const size_t slashes = url.find("//");
    if (slashes != std::string::npos) {
        mProtocol = url.substr(0, slashes == 0 ? 0 : slashes - 1);
        hostStart = slashes + 2;
    }
    const size_t pathStart = url.find('/', hostStart);
    if (pathStart == std::string::npos) {
        mHost = url.substr(hostStart);
        mPath.assign(1, '/'); // (a plain literal trips a false -Wrestrict in gcc 12)
    } else {
        mHost = url.substr(hostStart, pathStart - hostStart);
        mPath = url.substr(pathStart);
    }
    const size_t colon = mHost.find(':');
    if (colon != std::string::npos) {
        int port = 0;
        StringToInt(mHost.substr(colon + 1), &port);
        mPort = port;
        mHost.resize(colon);
    }
}

void HTTPTransfer::SendRequest(const std::string& host, const std::string& request) {
    Prepare(host);
    mSendText = request;
    mBusy = true;
    const auto demo = HttpTransferDemoSlot().Get();
    if (demo != nullptr && demo->IsPlaying())
        return; // the result comes from the demo
    mThreadRunning = true;
    mThread.Start([this] { Work(); });
}

bool HTTPTransfer::WaitSocket(platform::TcpSocket& socket, bool forWrite, int32_t* result) {
    for (;;) {
        if (mStop.load())
            return true;
        switch (socket.Wait(forWrite, kWaitStepMs)) {
        case platform::TcpSocket::Readiness::Ready:
            return true;
        case platform::TcpSocket::Readiness::NotYet:
            break;
        case platform::TcpSocket::Readiness::Failed:
            *result = kResultSocketError;
            mStop = true;
            return false;
        }
    }
}

void HTTPTransfer::Work() {
    int32_t result = kResultRunning;
    HttpResponseReader reader;
    platform::TcpSocket socket;
    uint32_t address = 0;
    if (!socket.Open()) {
        result = kResultSocketError;
    } else if (!platform::ResolveHostIPv4(mHost, &address)) {
        result = kResultHostNotFound;
    } else if (mPort < 1 || mPort > 65535 || !socket.BeginConnect(address, static_cast<uint16_t>(mPort))) {
        result = kResultConnectFailed;
    } else if (!WaitSocket(socket, true, &result) || (!mStop.load() && !socket.ConnectSucceeded())) {
        result = kResultConnectFailed;
    } else {
        size_t sent = 0;
        while (sent < mSendText.size() && !mStop.load()) {
            if (!WaitSocket(socket, true, &result) || mStop.load())
                break;
            const long count = socket.Send(mSendText.data() + sent, mSendText.size() - sent);
            if (count == platform::TcpSocket::kWouldBlock)
                continue;
            if (count <= 0) {
                result = kResultSendFailed;
                mStop = true;
                break;
            }
            sent += static_cast<size_t>(count);
        }
        char piece[kReceiveSize];
        while (!mStop.load()) {
            if (!WaitSocket(socket, false, &result) || mStop.load())
                break;
            const long count = socket.Receive(piece, sizeof piece);
            if (count == platform::TcpSocket::kWouldBlock)
                continue;
            if (count == platform::TcpSocket::kFailed) {
                result = kResultSocketError;
                break;
            }
            const auto outcome = count == 0 ? reader.Close() : reader.Feed({piece, static_cast<size_t>(count)});
            if (outcome == HttpResponseReader::Outcome::NotFound)
                result = kResultNotFound;
            else if (outcome == HttpResponseReader::Outcome::BadStatus ||
                     outcome == HttpResponseReader::Outcome::Malformed)
                result = kResultBadStatus;
            if (outcome != HttpResponseReader::Outcome::Running)
                break;
        }
    }
    socket.Close();
    if (mAborted.load())
        result = kResultAborted;
    else if (result == kResultRunning)
        result = kResultDone;
    Publish(result, reader.Body());
}

void HTTPTransfer::Publish(int32_t result, std::string body) {
    mContent = std::move(body);
    mResult.store(result, std::memory_order_release);
    mBusy = false;
    mThreadRunning = false;
}

void HTTPTransfer::UpdateStatus() {
    const auto demo = HttpTransferDemoSlot().Get();
    if (demo == nullptr)
        return;
    if (demo->IsRecording()) {
        const int32_t result = GetResult();
        if (result != mLastResult) {
            demo->WriteTransferResult(mTransferId, result, result == kResultRunning ? std::string() : mContent);
            mLastResult = result;
        }
    } else if (demo->IsPlaying()) {
        int32_t result = 0;
        std::string body;
        if (demo->ReadTransferResult(mTransferId, &result, &body)) {
            mContent = std::move(body);
            mResult.store(result, std::memory_order_release);
            mLastResult = result;
            if (result != kResultRunning)
                mBusy = false;
        }
    }
}

} // namespace Kavo
