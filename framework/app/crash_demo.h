#pragma once
// How a crash finishes a demo that is being recorded. The demo recorder
// installs one of these; with none installed there is no demo to finish.

#include <string>

#include "platform/process_slot.h"

namespace Kavo {

class CrashDemo {
public:
    virtual ~CrashDemo() = default;
    virtual bool IsRecording() = 0;
    // Writes the closing filler event and the demo file; returns the file's name.
    virtual std::string FinishRecording() = 0;
};

platform::ProcessSlot<CrashDemo>& CrashDemoSlot();

} // namespace Kavo
