// Binds a settings store to a settings file (registry text), reads back
// what it kept and writes it again: the text written must read whole.
#include "fuzz/fuzz_support.h"
#include "platform/registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    std::string copy;
    platform::UseRegistryFile(path, &copy);
    platform::RegKey key;
    if (platform::RegCreateKey(platform::kRegCurrentUser, "Fuzz", key) == platform::kRegOk) {
        const std::uint32_t one = 1;
        platform::RegSetValue(key, "Seen", platform::kRegDword, &one, sizeof one);
    }
    platform::UseMemoryRegistry();
    if (platform::UseRegistryFile(path) != platform::RegistryFileState::kRead)
        std::abort();
    platform::UseMemoryRegistry();
    // A damaged input is copied aside, and no copy replaces another: one
    // left would make every later input's copy a new file.
    if (!copy.empty())
        std::remove(copy.c_str());
    return 0;
}
