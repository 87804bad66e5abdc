#pragma once
// The resource manager's view of the application: its shared images, its
// display images, its 3D setting and its framework sound manager.

#include "framework/resource/resource_app_services.h"

namespace Kavo {

class KavoAppBase;

class AppResourceServices : public ResourceAppServices {
public:
    explicit AppResourceServices(KavoAppBase& app) : mApp(app) {}

    SharedImageHandle GetSharedImage(const std::string& path, const std::string& variant, bool* isNew) override;
    MemoryImage* LoadImage(const std::string& path) override;
    bool UsesHardware3D() override;
    int32_t GetFreeSoundId() override;
    bool LoadSound(int32_t soundId, const std::string& path) override;
    void ReleaseSound(int32_t soundId) override;
    void SetSoundBaseVolume(int32_t soundId, double volume) override;
    void SetSoundBasePan(int32_t soundId, int32_t pan) override;

private:
    KavoAppBase& mApp;
};

} // namespace Kavo
