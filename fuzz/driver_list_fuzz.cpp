// Reads a driver list file (the 3D test's "vhw.dat" and "vhwb.dat") and
// matches it against a description taken from the input's first bytes.
#include "framework/graphics/d3d_tester.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".dat");
    const std::string description(reinterpret_cast<const char*>(data), size < 24 ? size : 24);
    bool opened = false;
    Kavo::DriverListMatches(path, description, opened);
    return 0;
}
