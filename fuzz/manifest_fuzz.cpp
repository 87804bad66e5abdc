// Reads the input as a whole resource manifest, then counts and frees its
// groups. Nothing is loaded: reading the manifest only makes records.
#include "framework/resource/resource_manager.h"
#include "fuzz/fuzz_support.h"

#include <memory>

namespace {

using namespace Kavo;

class NoResourceServices : public ResourceAppServices {
public:
    SharedImageHandle GetSharedImage(const std::string&, const std::string&, bool* isNew) override {
        *isNew = false;
        return SharedImageHandle();
    }
    MemoryImage* LoadImage(const std::string&) override { return nullptr; }
    bool UsesHardware3D() override { return false; }
    int32_t GetFreeSoundId() override { return -1; }
    bool LoadSound(int32_t, const std::string&) override { return false; }
    void ReleaseSound(int32_t) override {}
    void SetSoundBaseVolume(int32_t, double) override {}
    void SetSoundBasePan(int32_t, int32_t) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".xml");
    ResourceManager manager(std::make_unique<NoResourceServices>());
    const bool read = manager.LoadManifest(path);
    // A read that succeeds leaves no error text; one that fails always has one.
    if (read != manager.GetErrorText().empty() || read == manager.HadError())
        __builtin_trap();
    manager.GetNumResources("");
    manager.DeleteGroup("");
    return 0;
}
