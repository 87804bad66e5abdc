#pragma once

// Small images built from pixel lists for the blit, stretch and transform
// tests, in plain or palettised form.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/memory_image.h"

namespace Kavo::BlitTest {

enum class Form { Plain, Palettised };
inline constexpr Form kForms[] = {Form::Plain, Form::Palettised};

inline const char* FormName(Form form) {
    return form == Form::Plain ? "plain" : "palettised";
}

inline std::unique_ptr<MemoryImage> MakeImage(int width, int height, const std::vector<uint32_t>& pixels,
                                              Form form = Form::Plain) {
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(pixels.data(), width, height);
    if (form == Form::Palettised) {
        EXPECT_TRUE(image->Palettize());
        EXPECT_TRUE(image->mColorTable && !image->mBits);
    }
    return image;
}

inline std::unique_ptr<MemoryImage> MakeFilled(int width, int height, uint32_t pixel, Form form = Form::Plain) {
    return MakeImage(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel), form);
}

inline std::vector<uint32_t> PixelsOf(MemoryImage& image) {
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + image.PixelCount());
}

inline uint32_t PixelAt(MemoryImage& image, int x, int y) {
    return image.GetBits()[y * image.GetWidth() + x];
}

} // namespace Kavo::BlitTest
