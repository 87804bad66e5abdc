// Reads a demo file as a replay does at start-up, then walks its event
// headers to the end of the stream.
#include <cstdlib>

#include "framework/app/demo_event_stream.h"
#include "framework/app/demo_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".dmo");
    Kavo::DemoFile demo;
    std::string error;
    const bool ok = Kavo::LoadDemoFile(path, "Kavo", demo, error);
    // An error text exactly for every failure; success needs the magic word.
    if (ok == !error.empty() || (ok && (size < Kavo::kDemoFileFixedHeaderSize || data[0] != 0x78 || data[1] != 0xEF ||
                                        data[2] != 0xBE || data[3] != 0x42)))
        std::abort();
    if (!ok)
        return 0;
    Kavo::DemoEventStream stream(demo.mEvents);
    int32_t update = 0;
    while (!stream.AtEnd()) {
        // Headers only, each event due when it is read.
        if (!stream.ReadHeader(update)) {
            if (!stream.HeaderPending())
                break;
            update = stream.LastEventUpdate();
            continue;
        }
        stream.BodyConsumed();
        if (stream.Bits().GetReadBitPos() > stream.Bits().GetWriteBitPos())
            std::abort();
    }
    return 0;
}
