// Binds a settings store to a settings file (registry text), reads back
// what it kept and writes it again: the text written must read whole.
#include "fuzz/fuzz_support.h"
#include "platform/registry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    platform::UseRegistryFile(path);
    platform::RegKey key;
    if (platform::RegCreateKey(platform::kRegCurrentUser, "Fuzz", key) == platform::kRegOk) {
        const std::uint32_t one = 1;
        platform::RegSetValue(key, "Seen", platform::kRegDword, &one, sizeof one);
    }
    platform::UseMemoryRegistry();
    if (platform::UseRegistryFile(path) != platform::RegistryFileState::kRead)
        std::abort();
    platform::UseMemoryRegistry();
    return 0;
}
