#pragma once
// Lets the web transfers and the crash catcher take part in the demo the
// application records or plays. The application makes one at start-up when
// a demo is on; it is installed in both slots for as long as it lives.

#include <cstdint>
#include <string>

#include "framework/app/crash_demo.h"
#include "framework/app/http_transfer_demo.h"
#include "platform/process_slot.h"

namespace Kavo {

class KavoAppBase;

class DemoHooks : public HttpTransferDemo, public CrashDemo {
public:
    explicit DemoHooks(KavoAppBase& app);
    DemoHooks(const DemoHooks&) = delete;
    DemoHooks& operator=(const DemoHooks&) = delete;

    // Both.
    bool IsRecording() override;
    // Web transfers.
    bool IsPlaying() override;
    void WriteTransferResult(int32_t transferId, int32_t result, const std::string& body) override;
    bool ReadTransferResult(int32_t transferId, int32_t* result, std::string* body) override;
    // Crashes: a filler event closes the stream, then the file is written.
    std::string FinishRecording() override;

private:
    KavoAppBase& mApp;
    platform::Installed<HttpTransferDemo> mTransfers;
    platform::Installed<CrashDemo> mCrashes;
};

} // namespace Kavo
