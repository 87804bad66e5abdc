#pragma once
// Resource services for tests: images load through the image library (so
// from a mounted archive before the disk), sounds are recorded by a fake
// sound manager that loads any sound file the file API opens.

#include <map>
#include <memory>
#include <set>
#include <string>

#include "framework/graphics/memory_image.h"
#include "framework/imagelib/load_image_bits.h"
#include "framework/pak/pak_interface.h"
#include "framework/resource/resource_app_services.h"

namespace Kavo {

class FakeResourceServices : public ResourceAppServices {
public:
    SharedImageHandle GetSharedImage(const std::string& path, const std::string&, bool* isNew) override {
        auto [found, added] = mShared.try_emplace(path);
        *isNew = added;
        if (added) {
            // A file that does not load leaves no entry, so that it can be
            // tried again once written.
            auto image = std::make_unique<MemoryImage>();
            if (!LoadImageBits(*image, path, true)) {
                mShared.erase(found);
                return SharedImageHandle();
            }
            found->second.mImage = std::move(image);
            found->second.mShared.mImage = found->second.mImage.get();
        }
        return SharedImageHandle(&found->second.mShared);
    }
    MemoryImage* LoadImage(const std::string& path) override {
        auto image = std::make_unique<MemoryImage>();
        return LoadImageBits(*image, path, true) ? image.release() : nullptr;
    }
    bool UsesHardware3D() override { return mUses3D; }
    int32_t GetFreeSoundId() override { return mNextSoundId < mSoundIdLimit ? mNextSoundId : -1; }
    // Like the real sound manager, the name has no extension: the file is
    // the name with one of the sound extensions.
    bool LoadSound(int32_t soundId, const std::string& path) override {
        for (const char* extension : {".wav", ".mp3", ".ogg", ".au"}) {
            if (PakFile* file = PakOpenFile(path + extension, "rb")) {
                PakCloseFile(file);
                mLoadedSounds[soundId] = path;
                ++mNextSoundId;
                return true;
            }
        }
        return false;
    }
    void ReleaseSound(int32_t soundId) override {
        mLoadedSounds.erase(soundId);
        mReleasedSounds.insert(soundId);
    }
    void SetSoundBaseVolume(int32_t soundId, double volume) override { mVolumes[soundId] = volume; }
    void SetSoundBasePan(int32_t soundId, int32_t pan) override { mPans[soundId] = pan; }

    bool mUses3D = false;
    int32_t mNextSoundId = 0;
    int32_t mSoundIdLimit = 256;
    std::map<int32_t, std::string> mLoadedSounds;
    std::set<int32_t> mReleasedSounds;
    std::map<int32_t, double> mVolumes;
    std::map<int32_t, int32_t> mPans;

private:
    struct Entry {
        std::unique_ptr<MemoryImage> mImage;
        SharedImage mShared;
    };
    std::map<std::string, Entry> mShared; // outlives the manager's handles
};

} // namespace Kavo
