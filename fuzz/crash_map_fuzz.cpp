// Reads a linker map file and resolves a report against it, as the crash
// catcher does with a "*.map" found beside the program. The input's first
// half is the map, its second half the report.
#include <cstdlib>
#include <string>

#include "framework/app/crash_map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    Kavo::CrashMapFile map;
    map.Parse(std::string_view(input).substr(0, size / 2));
    const std::string report = input.substr(size / 2);
    const std::string resolved = map.Resolve(report);
    // With no symbols, nothing may change.
    if (map.Symbols().empty() && resolved != report)
        std::abort();
    return 0;
}
