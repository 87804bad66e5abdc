#include "framework/font/default_font_services.h"

#include <cstdio>

#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/util/string_util.h"

namespace Kavo {

struct DefaultFontServices::Entry {
    std::unique_ptr<MemoryImage> mImage;
    SharedImage mShared;
};

DefaultFontServices::DefaultFontServices() = default;
DefaultFontServices::~DefaultFontServices() = default;

SharedImageHandle DefaultFontServices::GetSharedImage(const std::string& fileName, const std::string& variant) {
    const std::string key = StringToUpper(fileName) + "|" + StringToUpper(variant);
    auto found = mImages.find(key);
    if (found == mImages.end()) {
        std::unique_ptr<ImageLib::Image> file = ImageLib::LoadImageFile(fileName, true);
        if (!file)
            return SharedImageHandle();
        auto entry = std::make_unique<Entry>();
        entry->mImage = std::make_unique<MemoryImage>();
        entry->mImage->SetBits(file->GetBits(), file->mWidth, file->mHeight);
        entry->mImage->mFilePath = fileName;
        entry->mShared.mImage = entry->mImage.get();
        found = mImages.emplace(key, std::move(entry)).first;
    }
    return SharedImageHandle(&found->second->mShared);
}

MemoryImage* DefaultFontServices::CopyImageViaGraphics(Image* image) {
    return DrawImageCopy(image);
}

void DefaultFontServices::ShowFatalError(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    mFatalErrors.push_back(message);
}

} // namespace Kavo
