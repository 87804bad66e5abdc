#include "framework/app/http_transfer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "framework/app/http_transfer_demo.h"
#include "loopback_http_server.h"

namespace app_test {
namespace {

using Kavo::HTTPTransfer;

// Polls as the progress window does, for at most five seconds.
int32_t WaitForResult(HTTPTransfer& transfer) {
    for (int i = 0; i < 250 && transfer.GetResult() == HTTPTransfer::kResultRunning; ++i) {
        transfer.UpdateStatus();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    transfer.UpdateStatus();
    return transfer.GetResult();
}

const char kRequest[] = "GET /index.html HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n";

TEST(HttpTransferTest, SendsTheRequestToTheNamedPortAndCollectsTheBody) {
    LoopbackHttpServer server({"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"});
    HTTPTransfer transfer;
    EXPECT_EQ(transfer.GetResult(), HTTPTransfer::kResultIdle);
    transfer.SendRequest(server.Address(), kRequest);
    EXPECT_EQ(transfer.GetHost(), "127.0.0.1");
    EXPECT_EQ(transfer.GetPort(), server.Port());
    EXPECT_EQ(transfer.GetPath(), "/");
    EXPECT_EQ(WaitForResult(transfer), HTTPTransfer::kResultDone);
    EXPECT_EQ(transfer.GetContent(), "hello");
    EXPECT_FALSE(transfer.IsBusy());
    EXPECT_EQ(server.Request(), kRequest);

    transfer.Reset();
    EXPECT_EQ(transfer.GetResult(), HTTPTransfer::kResultIdle);
    EXPECT_EQ(transfer.GetContent(), "");
}

TEST(HttpTransferTest, ResponsesEndInTheirResults) {
    const std::string longBody(1000, 'z');
    const std::vector<std::tuple<const char*, std::vector<std::string>, int32_t, std::string>> cases = {
        {"404", {"HTTP/1.1 404 Not Found\r\n\r\n"}, HTTPTransfer::kResultNotFound, ""},
        {"500", {"HTTP/1.1 500 Internal Server Error\r\n\r\n"}, HTTPTransfer::kResultBadStatus, ""},
        {"two chunks and a 0 chunk, split across reads",
         {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nab", "cd\r\n3;x=1\r\nefg\r\n", "0\r\n\r\n"},
         HTTPTransfer::kResultDone,
         "abcdefg"},
        {"no Content-Length: until close",
         {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", longBody},
         HTTPTransfer::kResultDone,
         longBody},
        {"sized body cut short",
         {"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nabc"},
         HTTPTransfer::kResultBadStatus,
         "abc"},
    };
    for (const auto& [name, pieces, result, body] : cases) {
        SCOPED_TRACE(name);
        LoopbackHttpServer server(pieces);
        HTTPTransfer transfer;
        transfer.SendRequest("http://" + server.Address() + "/status", kRequest);
        EXPECT_EQ(transfer.GetProtocol(), "http");
        EXPECT_EQ(transfer.GetPath(), "/status");
        EXPECT_EQ(WaitForResult(transfer), result);
        EXPECT_EQ(transfer.GetContent(), body);
    }
}

TEST(HttpTransferTest, ConnectionFailuresAndAbort) {
    {
        HTTPTransfer refused;
        refused.SendRequest("127.0.0.1:" + std::to_string(RefusingPort()), kRequest);
        EXPECT_EQ(WaitForResult(refused), HTTPTransfer::kResultConnectFailed);
    }
    {
        // Not a host name at all: fails without asking any name server.
        HTTPTransfer unknown;
        unknown.SendRequest("no such host!:80", kRequest);
        EXPECT_EQ(WaitForResult(unknown), HTTPTransfer::kResultHostNotFound);
    }
    {
        LoopbackHttpServer silent({}, /*hold=*/true);
        HTTPTransfer aborted;
        aborted.SendRequest(silent.Address(), kRequest);
        for (int i = 0; i < 250 && !silent.Accepted(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(silent.Accepted());
        EXPECT_EQ(aborted.GetResult(), HTTPTransfer::kResultRunning);
        aborted.RequestStop(true);
        EXPECT_EQ(WaitForResult(aborted), HTTPTransfer::kResultAborted);
    }
}

// A demo stand-in that keeps the written events and hands back scripted ones.
class FakeDemo : public Kavo::HttpTransferDemo {
public:
    struct Event {
        int32_t id;
        int32_t result;
        std::string body;
    };
    bool mRecording = false;
    bool mPlaying = false;
    std::vector<Event> mWritten;
    std::deque<Event> mScript;

    bool IsRecording() override { return mRecording; }
    bool IsPlaying() override { return mPlaying; }
    void WriteTransferResult(int32_t id, int32_t result, const std::string& body) override {
        mWritten.push_back({id, result, body});
    }
    bool ReadTransferResult(int32_t id, int32_t* result, std::string* body) override {
        if (mScript.empty() || mScript.front().id != id)
            return false;
        *result = mScript.front().result;
        *body = mScript.front().body;
        mScript.pop_front();
        return true;
    }
};

TEST(HttpTransferTest, RecordingWritesEachNewResultWithItsBody) {
    auto demo = std::make_shared<FakeDemo>();
    demo->mRecording = true;
    platform::Installed<Kavo::HttpTransferDemo> installed(Kavo::HttpTransferDemoSlot(), demo);
    LoopbackHttpServer server({"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n", "da", "ta"});
    HTTPTransfer transfer;
    transfer.SendRequest(server.Address(), kRequest);
    transfer.UpdateStatus(); // catches "under way" before the answer can have come
    EXPECT_EQ(WaitForResult(transfer), HTTPTransfer::kResultDone);
    transfer.UpdateStatus(); // no change: nothing more is written
    ASSERT_EQ(demo->mWritten.size(), 2u);
    EXPECT_EQ(demo->mWritten[0].result, HTTPTransfer::kResultRunning);
    EXPECT_EQ(demo->mWritten[0].body, "");
    EXPECT_EQ(demo->mWritten[1].id, transfer.GetTransferId());
    EXPECT_EQ(demo->mWritten[1].result, HTTPTransfer::kResultDone);
    EXPECT_EQ(demo->mWritten[1].body, "data");
}

TEST(HttpTransferTest, PlaybackOpensNoSocketAndReturnsTheRecordedResult) {
    auto demo = std::make_shared<FakeDemo>();
    demo->mPlaying = true;
    platform::Installed<Kavo::HttpTransferDemo> installed(Kavo::HttpTransferDemoSlot(), demo);
    HTTPTransfer transfer;
    // A port that refuses: a real connection attempt would end in 8 at once.
    transfer.SendRequest("http://127.0.0.1:" + std::to_string(RefusingPort()) + "/page", kRequest);
    const int32_t id = transfer.GetTransferId();
    demo->mScript.push_back({id + 1, HTTPTransfer::kResultDone, "another transfer's"});
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    transfer.UpdateStatus();
    EXPECT_EQ(transfer.GetResult(), HTTPTransfer::kResultRunning); // the event was not for this transfer
    EXPECT_EQ(demo->mScript.size(), 1u);

    demo->mScript.front() = {id, HTTPTransfer::kResultDone, "recorded body"};
    transfer.UpdateStatus();
    EXPECT_EQ(transfer.GetResult(), HTTPTransfer::kResultDone);
    EXPECT_EQ(transfer.GetContent(), "recorded body");
    EXPECT_FALSE(transfer.IsBusy());
}

} // namespace
} // namespace app_test
