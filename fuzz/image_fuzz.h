#pragma once
// The one harness of the image readers: the bytes become a file of the
// reader's extension, the reader loads it by name, and a decoded image must
// be as large as its size says.

#include "framework/imagelib/image_lib.h"
#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace Kavo::fuzz {

using ImageReader = std::unique_ptr<ImageLib::Image> (*)(const std::string& fileName);

inline int LoadImageInput(const uint8_t* data, size_t size, const char* extension, ImageReader reader) {
    std::unique_ptr<ImageLib::Image> image = reader(WriteInputFile(data, size, extension));
    if (image) {
        size_t pixels = static_cast<size_t>(image->mWidth) * static_cast<size_t>(image->mHeight);
        if (image->mWidth <= 0 || image->mHeight <= 0 || image->mBits.size() < pixels)
            std::abort();
        // Touch every pixel so a short buffer shows up here, not later.
        uint32_t sum = 0;
        for (size_t i = 0; i < pixels; ++i)
            sum += image->mBits[i];
        volatile uint32_t sink = sum;
        (void)sink;
    }
    return 0;
}

} // namespace Kavo::fuzz
