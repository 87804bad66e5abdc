#pragma once
// The part of the framework's resource catalogue that the game reaches and
// that the framework's ResourceManager does not offer yet: the image, font
// and sound records by id, the throwing lookups and the loading of one
// image record. Everything the game needs of those lives here under the
// framework's names, so that the game switches to the framework's own
// members by deriving from Kavo::ResourceManager instead of this class.

#include "framework/graphics/font.h"
#include "framework/graphics/shared_image.h"
#include "framework/resource/resource_app_services.h"
#include "framework/resource/resource_manager.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace Game {

// Thrown by the Require lookups for an id that is not loaded.
class ResourceManagerException : public std::runtime_error {
public:
    explicit ResourceManagerException(const std::string& what) : std::runtime_error(what) {}
};

class ResourceManagerAdapter : public Kavo::ResourceManager {
public:
    struct ImageRes {
        std::string mId;
        std::string mGroup;
        std::string mPath;
        std::string mAlphaPath;
        std::string mVariant;
        std::map<std::string, std::string> mAttributes;
        bool mPalletize = true;
        bool mA4R4G4B4 = false;
        bool mA8R8G8B8 = false;
        bool mDDSurface = false;
        bool mPurgeBits = false;
        bool mMinimizeSubdivisions = false;
        Kavo::SharedImageHandle mImage;
    };

    explicit ResourceManagerAdapter(std::unique_ptr<Kavo::ResourceAppServices> services)
        : Kavo::ResourceManager(std::move(services)) {}

    // A new reference to the loaded image; throws for an id not loaded.
    Kavo::SharedImageHandle RequireImage(const std::string& id);
    Kavo::Font* RequireFont(const std::string& id);
    int RequireSound(const std::string& id);
    // The image, loaded first when its record is not loaded yet; an empty
    // handle (the failure recorded) when there is no record or it fails.
    Kavo::SharedImageHandle GetImage(const std::string& id);

    // Loaded records of one group, as the group loader leaves them.
    void AddLoadedImage(const std::string& id, const std::string& group, Kavo::SharedImageHandle image);
    void AddLoadedFont(const std::string& id, const std::string& group, std::unique_ptr<Kavo::Font> font);
    void AddLoadedSound(const std::string& id, const std::string& group, int soundId);

protected:
    bool LoadImageRecord(ImageRes& record);

    std::map<std::string, std::unique_ptr<ImageRes>> mImageMap;
    std::map<std::string, std::unique_ptr<Kavo::Font>> mFontMap;
    std::map<std::string, int> mSoundMap;
};

} // namespace Game
