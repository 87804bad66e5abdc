#pragma once
// How web transfers take part in demos. The demo recorder installs one of
// these while a demo records or plays; with none installed, transfers
// neither write nor read demo events.

#include <cstdint>
#include <string>

#include "platform/process_slot.h"

namespace Kavo {

class HttpTransferDemo {
public:
    virtual ~HttpTransferDemo() = default;
    virtual bool IsRecording() = 0;
    virtual bool IsPlaying() = 0;
    // Appends the event "a web transfer's result changed": the transfer id,
    // the result and the response body.
    virtual void WriteTransferResult(int32_t transferId, int32_t result, const std::string& body) = 0;
    // When the event due now is a transfer result for transferId, reads it,
    // consumes it and returns true; otherwise leaves the demo where it was.
    virtual bool ReadTransferResult(int32_t transferId, int32_t* result, std::string* body) = 0;
};

platform::ProcessSlot<HttpTransferDemo>& HttpTransferDemoSlot();

} // namespace Kavo
