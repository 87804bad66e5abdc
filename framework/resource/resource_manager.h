#pragma once
// The catalogue of the game's named images, sounds and fonts, read from the
// XML resource manifest and loaded group by group: one record at a time for
// a loading screen's progress, or a whole group at once. Only the first
// error text of a run is kept, with the manifest line and file it came from.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/shared_image.h"
#include "framework/resource/resource_app_services.h"
#include "framework/resource/resource_manager_exception.h"
#include "framework/resource/resource_records.h"

namespace Kavo {

class Font;
class MemoryImage;
class XMLElement;
class XMLParser;

class ResourceManager {
public:
    using ResMap = std::map<std::string, std::unique_ptr<BaseRes>>;
    using ResList = std::vector<BaseRes*>;

    explicit ResourceManager(std::unique_ptr<ResourceAppServices> services);
    virtual ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Adds the manifest's records (loading nothing); false leaves the first
    // error text. Default path and id prefix carry over to the next file.
    bool LoadManifest(const std::string& fileName);
    const std::string& GetErrorText() const { return mError; }
    bool HadError() const { return mHasFailed; }
    // Keeps the first error text, with the manifest line and file while one
    // is being read; later ones are dropped. Always false.
    bool Fail(const std::string& error);

    // ---- Manifest readers (derived managers may read further attributes) ----
    // Takes the record; on failure it is deleted.
    virtual bool ReadCommonAttributes(const XMLElement& element, std::unique_ptr<BaseRes> res, ResMap& map);
    virtual bool ReadSoundElement(const XMLElement& element);
    virtual bool ReadImageElement(const XMLElement& element);
    virtual bool ReadFontElement(const XMLElement& element);
    virtual bool ReadDefaultsElement(const XMLElement& element);
    virtual bool ReadGroupChildren();

    // ---- Loading and freeing ----
    // Frees the group's loaded objects; its records stay and can load again.
    virtual void DeleteGroup(const std::string& group);
    // Every record of the map with that group, or every record for "".
    virtual void DeleteGroupFromMap(ResMap& map, const std::string& group);
    virtual bool LoadImageRes(ImageRes* res);
    virtual bool LoadFontRes(FontRes* res);
    virtual bool LoadSoundRes(SoundRes* res);
    // Loads the next record of the started group that is not loaded yet;
    // false at the end, after a failure, or when that record fails.
    virtual bool LoadNextResource();
    virtual void ResourceLoadedHook(BaseRes*) {}
    // Clears the error and starts at the group's first record; a group the
    // manifest never named is empty.
    virtual void StartLoadGroup(const std::string& group);
    virtual bool LoadGroup(const std::string& group);

    // ---- Lookups; these do not load, and throw ResourceManagerException ----
    virtual SharedImageHandle RequireImage(const std::string& id);
    virtual int32_t RequireSound(const std::string& id);
    virtual Font* RequireFont(const std::string& id);

    // Loads the image on first use; an empty handle (the failure recorded)
    // when the id is unknown or the load fails.
    SharedImageHandle GetImage(const std::string& id);
    void DeleteImage(const std::string& id);
    // All records for ""; otherwise the group's records not made by the
    // program, loaded or not.
    int GetNumResources(const std::string& group) const;
    bool IsGroupLoaded(const std::string& group) const { return mLoadedGroups.count(group) != 0; }

    ResourceAppServices& Services() { return *mServices; }
    bool HasServices() const { return mServices != nullptr; }

protected:
    // From the first tag to the manifest's end tag; false on the first error.
    bool ReadManifestBody();
    // The next element that is a tag or text (instructions are skipped);
    // false at the end of the document or on a syntax error.
    bool ReadElement(XMLElement& element);
    bool ApplyAlphaImage(MemoryImage* image, const ImageRes& res);
    bool ApplyAlphaGrid(MemoryImage* image, const ImageRes& res);
    // Throws with the error text once the failure is recorded.
    [[noreturn]] void ThrowNotFound(const char* kind, const std::string& id);

    std::set<std::string> mLoadedGroups;
    ResMap mImageMap;
    ResMap mSoundMap;
    ResMap mFontMap;
    XMLParser* mXMLParser = nullptr; // only while a manifest is read
    std::string mError;
    bool mHasFailed = false;
    std::unique_ptr<ResourceAppServices> mServices;
    std::string mCurResGroup;
    std::string mDefaultPath;
    std::string mDefaultIdPrefix;
    std::map<std::string, ResList> mResGroupMap;
    ResList* mCurResGroupList = nullptr;
    size_t mCurResGroupPos = 0;
};

} // namespace Kavo
