// Reads the fixed header of a demo file, as a replay does at start-up.
#include <cstdlib>

#include "framework/app/demo_file_header.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".dmo");
    Kavo::DemoFileHeader header;
    std::string error;
    const bool ok = Kavo::LoadDemoFileHeader(path, header, error);
    // Success exactly for a long enough input with the magic word, and an
    // error text for every failure.
    if (ok != (size >= Kavo::kDemoFileFixedHeaderSize && data[0] == 0x78 && data[1] == 0xEF && data[2] == 0xBE &&
               data[3] == 0x42) ||
        ok == !error.empty())
        std::abort();
    return 0;
}
