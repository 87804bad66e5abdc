#pragma once
// The resource manager's record of one manifest entry: an image, a sound or
// a font, with the attributes it was declared with and, once loaded, the
// object itself.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/graphics/anim_info.h"
#include "framework/graphics/font.h"
#include "framework/graphics/image.h"
#include "framework/graphics/shared_image.h"

namespace Kavo {

class ResourceAppServices;

class BaseRes {
public:
    enum ResType { RES_IMAGE = 0, RES_SOUND = 1, RES_FONT = 2 };

    explicit BaseRes(int type) : mType(type) {}
    virtual ~BaseRes() = default;
    BaseRes(const BaseRes&) = delete;
    BaseRes& operator=(const BaseRes&) = delete;

    // Frees the loaded object; the record stays and can be loaded again.
    virtual void DeleteResource() {}
    virtual bool IsLoaded() const = 0;

    int mType;
    std::string mId;       // with the id prefix
    std::string mResGroup; // the "Resources" group it stood in
    std::string mPath;
    std::map<std::string, std::string> mXMLAttributes;
    bool mFromProgram = false; // made by the program, never loaded from a file
};

class ImageRes : public BaseRes {
public:
    ImageRes() : BaseRes(RES_IMAGE) {}
    void DeleteResource() override { mImage.Release(); }
    bool IsLoaded() const override { return mImage.GetImage() != nullptr; }

    SharedImageHandle mImage;
    std::string mAlphaImage;
    std::string mAlphaGridImage;
    std::string mVariant;
    bool mPalletize = true;
    bool mA4R4G4B4 = false;
    bool mA8R8G8B8 = false;
    bool mDDSurface = false;
    bool mPurgeBits = false;
    bool mMinimizeSubdivisions = false;
    int32_t mRows = 1;
    int32_t mCols = 1;
    uint32_t mAlphaColor = 0xFFFFFF;
    AnimInfo mAnimInfo;
};

class SoundRes : public BaseRes {
public:
    // The services release the loaded sound; they outlive the record.
    explicit SoundRes(ResourceAppServices* services) : BaseRes(RES_SOUND), mServices(services) {}
    void DeleteResource() override;
    bool IsLoaded() const override { return mSoundId != -1; }

    int32_t mSoundId = -1;
    double mVolume = -1.0; // negative: the sound's base volume is left alone
    int32_t mPanning = 0;  // 0: the base pan is left alone

private:
    ResourceAppServices* mServices;
};

class FontRes : public BaseRes {
public:
    FontRes() : BaseRes(RES_FONT) {}
    void DeleteResource() override;
    bool IsLoaded() const override { return mFont != nullptr; }

    std::unique_ptr<Font> mFont;
    std::unique_ptr<Image> mImage; // the picture of a legacy image font
    std::string mImagePath;
    std::string mTags;
    bool mSysFont = false;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    bool mShadow = false;
    int32_t mSize = 0;
};

} // namespace Kavo
