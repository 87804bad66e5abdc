#include "framework/font/default_font_services.h"

#include <cstdio>

#include "framework/graphics/memory_image.h"
#include "framework/imagelib/load_image_bits.h"
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
        auto entry = std::make_unique<Entry>();
        entry->mImage = std::make_unique<MemoryImage>();
        if (!LoadImageBits(*entry->mImage, fileName, true))
            return SharedImageHandle();
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
