#include "framework/imagelib/load_image_bits.h"

#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"

namespace Kavo {

bool LoadImageBits(MemoryImage& image, const std::string& fileName, bool commitBits) {
    std::unique_ptr<ImageLib::Image> file = ImageLib::LoadImageFile(fileName, true);
    if (!file)
        return false;
    image.SetBits(file->GetBits(), file->mWidth, file->mHeight, commitBits);
    image.mFilePath = fileName;
    return true;
}

} // namespace Kavo
