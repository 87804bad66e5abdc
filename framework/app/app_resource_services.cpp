#include "framework/app/app_resource_services.h"

#include "framework/app/kavo_app_base.h"
#include "framework/sound/dsound_manager.h"

namespace Kavo {

SharedImageHandle AppResourceServices::GetSharedImage(const std::string& path, const std::string& variant,
                                                      bool* isNew) {
    return mApp.GetSharedImage(path, variant, isNew);
}

MemoryImage* AppResourceServices::LoadImage(const std::string& path) {
    return mApp.GetImage(path, true);
}

bool AppResourceServices::UsesHardware3D() {
    return mApp.UsesHardware3D();
}

// Without a sound manager (no sound device, or sound turned off) no id is
// free, so a sound resource fails to load with its own message.
int32_t AppResourceServices::GetFreeSoundId() {
    return mApp.mSoundManager != nullptr ? mApp.mSoundManager->GetFreeSoundId() : -1;
}

bool AppResourceServices::LoadSound(int32_t soundId, const std::string& path) {
    return mApp.mSoundManager != nullptr && mApp.mSoundManager->LoadByName(soundId, path);
}

void AppResourceServices::ReleaseSound(int32_t soundId) {
    if (mApp.mSoundManager != nullptr)
        mApp.mSoundManager->ReleaseSound(soundId);
}

void AppResourceServices::SetSoundBaseVolume(int32_t soundId, double volume) {
    if (mApp.mSoundManager != nullptr)
        mApp.mSoundManager->SetBaseVolume(soundId, volume);
}

void AppResourceServices::SetSoundBasePan(int32_t soundId, int32_t pan) {
    if (mApp.mSoundManager != nullptr)
        mApp.mSoundManager->SetBasePan(soundId, pan);
}

} // namespace Kavo
