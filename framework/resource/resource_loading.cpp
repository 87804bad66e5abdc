#include <algorithm>
#include <memory>

#include "framework/font/image_font.h"
#include "framework/font/sys_font.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/resource/resource_manager.h"

namespace Kavo {

namespace {

// Restores the loader's alpha colour however the load ends.
class AlphaColorScope {
public:
    explicit AlphaColorScope(uint32_t color) { ImageLib::gAlphaColor = color; }
    ~AlphaColorScope() { ImageLib::gAlphaColor = 0xFFFFFF; }
    AlphaColorScope(const AlphaColorScope&) = delete;
    AlphaColorScope& operator=(const AlphaColorScope&) = delete;
};

// Copies the blue byte of each alpha pixel into the alpha byte of the
// destination pixel; the alpha picture is w x h, placed at (x, y).
void CopyAlpha(uint32_t* dest, int destWidth, const uint32_t* alpha, int w, int h, int x, int y) {
    for (int row = 0; row < h; ++row) {
        uint32_t* line = dest + static_cast<size_t>(y + row) * destWidth + x;
        const uint32_t* source = alpha + static_cast<size_t>(row) * w;
        for (int col = 0; col < w; ++col)
            line[col] = (line[col] & 0x00FFFFFF) | ((source[col] & 0xFF) << 24);
    }
}

std::vector<std::string> SplitTags(const std::string& text) {
    std::vector<std::string> tags;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(", \r\n\t", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            tags.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return tags;
}

} // namespace

void ResourceManager::DeleteGroupFromMap(ResMap& map, const std::string& group) {
    for (auto& [id, res] : map) {
        if (group.empty() || res->mResGroup == group)
            res->DeleteResource();
    }
}

void ResourceManager::DeleteGroup(const std::string& group) {
    DeleteGroupFromMap(mImageMap, group);
    DeleteGroupFromMap(mSoundMap, group);
    DeleteGroupFromMap(mFontMap, group);
    mLoadedGroups.erase(group);
}

bool ResourceManager::ApplyAlphaImage(MemoryImage* image, const ImageRes& res) {
    std::unique_ptr<ImageLib::Image> alpha = ImageLib::LoadImageFile(res.mAlphaImage, true);
    if (!alpha)
        return Fail("Failed to load image: " + res.mAlphaImage);
    if (alpha->mWidth != image->mWidth || alpha->mHeight != image->mHeight)
        return Fail("AlphaImage size mismatch between " + res.mPath + " and " + res.mAlphaImage);
    uint32_t* bits = image->GetBits();
    if (bits == nullptr)
        return Fail("Failed to load image: " + res.mPath);
    CopyAlpha(bits, image->mWidth, alpha->GetBits(), alpha->mWidth, alpha->mHeight, 0, 0);
    image->BitsChanged();
    return true;
}

bool ResourceManager::ApplyAlphaGrid(MemoryImage* image, const ImageRes& res) {
    std::unique_ptr<ImageLib::Image> grid = ImageLib::LoadImageFile(res.mAlphaGridImage, true);
    if (!grid)
        return Fail("Failed to load image: " + res.mAlphaGridImage);
    const int celWidth = image->mWidth / res.mCols;
    const int celHeight = image->mHeight / res.mRows;
    if (grid->mWidth != celWidth || grid->mHeight != celHeight)
        return Fail("GridAlphaImage size mismatch between " + res.mPath + " and " + res.mAlphaGridImage);
    uint32_t* bits = image->GetBits();
    if (bits == nullptr)
        return Fail("Failed to load image: " + res.mPath);
    for (int row = 0; row < res.mRows; ++row) {
        for (int col = 0; col < res.mCols; ++col)
            CopyAlpha(bits, image->mWidth, grid->GetBits(), celWidth, celHeight, col * celWidth, row * celHeight);
    }
    image->BitsChanged();
    return true;
}

bool ResourceManager::LoadImageRes(ImageRes* res) {
    // A manager made without the application's services reads manifests
    // and registers records but loads nothing.
    if (!HasServices())
        return Fail("Failed to load image: " + res->mPath);
    bool isNew = false;
    SharedImageHandle handle;
    {
        AlphaColorScope alphaColor(res->mAlphaColor);
        handle = mServices->GetSharedImage(res->mPath, res->mVariant, &isNew);
    }
    MemoryImage* image = handle.GetImage();
    if (image == nullptr)
        return Fail("Failed to load image: " + res->mPath);
    // A shared image loaded before keeps what its first loader made of it.
    if (isNew) {
        if (!res->mAlphaImage.empty() && !ApplyAlphaImage(image, *res))
            return false;
        if (!res->mAlphaGridImage.empty() && !ApplyAlphaGrid(image, *res))
            return false;
    }

    image->UpdateAlphaFlags();
    res->mImage = handle;
    image->mPurgeBits = res->mPurgeBits;
    DDImage* surfaceImage = dynamic_cast<DDImage*>(image);
    if (res->mDDSurface) {
        image->UpdateAlphaFlags();
        if (!image->mHasAlpha) {
            if (surfaceImage != nullptr)
                surfaceImage->mSurfaceWanted = true;
            image->mPurgeBits = true;
        }
    }
    if (res->mPalletize) {
        if (surfaceImage == nullptr || surfaceImage->mSurface == nullptr)
            image->Palettize();
        else
            image->mWantPalettize = true;
    }
    if (res->mA4R4G4B4)
        image->mTextureHints |= 4;
    if (res->mA8R8G8B8)
        image->mTextureHints |= 8;
    if (res->mMinimizeSubdivisions)
        image->mTextureHints |= 1;
    if (res->mAnimInfo.mAnimType != AnimInfo::AnimType_None)
        image->mAnimInfo = std::make_unique<AnimInfo>(res->mAnimInfo);
    image->mNumRows = res->mRows;
    image->mNumCols = res->mCols;
    if (image->mPurgeBits)
        image->SetPurgeBits();

    ResourceLoadedHook(res);
    return true;
}

bool ResourceManager::LoadSoundRes(SoundRes* res) {
    const int32_t soundId = HasServices() ? mServices->GetFreeSoundId() : -1;
    if (soundId < 0)
        return Fail("Out of free sound ids");
    if (!mServices->LoadSound(soundId, res->mPath))
        return Fail("Failed to load sound: " + res->mPath);
    if (res->mVolume >= 0.0)
        mServices->SetSoundBaseVolume(soundId, res->mVolume);
    if (res->mPanning != 0)
        mServices->SetSoundBasePan(soundId, res->mPanning);
    res->mSoundId = soundId;
    ResourceLoadedHook(res);
    return true;
}

bool ResourceManager::LoadFontRes(FontRes* res) {
    std::unique_ptr<Font> font;
    if (res->mSysFont) {
        auto sysFont = std::make_unique<SysFont>(res->mPath, res->mSize, 0, res->mBold, res->mItalic, res->mUnderline);
        sysFont->mShadow = res->mShadow;
        font = std::move(sysFont);
    } else if (res->mImagePath.empty()) {
        if (res->mPath.compare(0, 5, "!ref:") == 0) {
            const std::string refName = res->mPath.substr(5);
            auto found = mFontMap.find(refName);
            if (found == mFontMap.end() || !found->second->IsLoaded())
                return Fail("Ref font not found: " + refName);
            font.reset(static_cast<FontRes&>(*found->second).mFont->Duplicate());
        } else {
            font = std::make_unique<ImageFont>(res->mPath);
        }
    } else {
        std::unique_ptr<Image> picture(HasServices() ? mServices->LoadImage(res->mImagePath) : nullptr);
        if (!picture)
            return Fail("Failed to load image: " + res->mImagePath);
        font = std::make_unique<ImageFont>(picture.get(), res->mPath);
        res->mImage = std::move(picture);
    }

    if (auto* imageFont = dynamic_cast<ImageFont*>(font.get())) {
        if (imageFont->mFontData == nullptr || !imageFont->IsLoaded()) {
            font.reset();
            res->mImage.reset();
            return Fail("Failed to load font: " + res->mPath);
        }
        const std::vector<std::string> tags = SplitTags(res->mTags);
        for (const std::string& tag : tags)
            imageFont->AddTag(tag);
        if (!tags.empty())
            imageFont->Prepare();
    }
    res->mFont = std::move(font);
    ResourceLoadedHook(res);
    return true;
}

bool ResourceManager::LoadNextResource() {
    if (mHasFailed || mCurResGroupList == nullptr)
        return false;
    while (mCurResGroupPos < mCurResGroupList->size()) {
        BaseRes* res = (*mCurResGroupList)[mCurResGroupPos++];
        if (res->mFromProgram || res->IsLoaded())
            continue;
        switch (res->mType) {
        case BaseRes::RES_IMAGE:
            return LoadImageRes(static_cast<ImageRes*>(res));
        case BaseRes::RES_SOUND:
            return LoadSoundRes(static_cast<SoundRes*>(res));
        case BaseRes::RES_FONT:
            return LoadFontRes(static_cast<FontRes*>(res));
        default:
            break;
        }
    }
    return false;
}

void ResourceManager::StartLoadGroup(const std::string& group) {
    mError.clear();
    mHasFailed = false;
    mCurResGroup = group;
    mCurResGroupList = &mResGroupMap[group];
    mCurResGroupPos = 0;
}

bool ResourceManager::LoadGroup(const std::string& group) {
    StartLoadGroup(group);
    while (LoadNextResource()) {
    }
    if (mHasFailed)
        return false;
    mLoadedGroups.insert(group);
    return true;
}

void ResourceManager::ThrowNotFound(const char* kind, const std::string& id) {
    Fail(std::string(kind) + " resource not found: " + id);
    throw ResourceManagerException(mError);
}

SharedImageHandle ResourceManager::RequireImage(const std::string& id) {
    auto found = mImageMap.find(id);
    if (found == mImageMap.end() || !found->second->IsLoaded())
        ThrowNotFound("Image", id);
    return static_cast<ImageRes&>(*found->second).mImage;
}

int32_t ResourceManager::RequireSound(const std::string& id) {
    auto found = mSoundMap.find(id);
    if (found == mSoundMap.end() || !found->second->IsLoaded())
        ThrowNotFound("Sound", id);
    return static_cast<SoundRes&>(*found->second).mSoundId;
}

Font* ResourceManager::RequireFont(const std::string& id) {
    auto found = mFontMap.find(id);
    if (found == mFontMap.end() || !found->second->IsLoaded())
        ThrowNotFound("Font", id);
    return static_cast<FontRes&>(*found->second).mFont.get();
}

SharedImageHandle ResourceManager::GetImage(const std::string& id) {
    auto found = mImageMap.find(id);
    if (found == mImageMap.end()) {
        Fail("Image resource not found: " + id);
        return SharedImageHandle();
    }
    auto& res = static_cast<ImageRes&>(*found->second);
    if (!res.mFromProgram && !res.IsLoaded() && !LoadImageRes(&res))
        return SharedImageHandle();
    return res.mImage;
}

void ResourceManager::DeleteImage(const std::string& id) {
    auto found = mImageMap.find(id);
    if (found != mImageMap.end())
        found->second->DeleteResource();
}

int ResourceManager::GetNumResources(const std::string& group) const {
    int count = 0;
    for (const ResMap* map : {&mImageMap, &mSoundMap, &mFontMap}) {
        for (const auto& [id, res] : *map) {
            if (group.empty() || (res->mResGroup == group && !res->mFromProgram))
                ++count;
        }
    }
    return count;
}

} // namespace Kavo
