#pragma once

// How the software kernels read a memory image drawn onto a display
// surface: its display-format words (premultiplied, alpha on top), per
// pixel or through the 256-entry converted colour table.

#include <cstdint>

#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit_pixel.h"

namespace Kavo::SurfacePixel {

// The display-format words of source for the display's format; a copy
// built for another format is dropped and built again. Null when the image
// has no pixels or a colour table without indices.
inline const uint32_t* DisplayWords(MemoryImage& source, const DisplayPixelFormat& format) {
    if (source.PixelCount() == 0 || (source.mColorTable && !source.mColorIndices))
        return nullptr;
    if (source.mNativeAlphaData && !(source.mNativeAlphaFormat == format))
        source.DropSoftwareCaches();
    return source.GetDisplayFormatBits(format);
}

// Calls fn with an accessor of the display-format words (pixel index ->
// word) in the form the source holds them; nothing when it has none.
template <typename Fn>
void WithDisplayWords(MemoryImage& source, const DisplayPixelFormat& format, Fn&& fn) {
    const uint32_t* words = DisplayWords(source, format);
    if (words == nullptr)
        return;
    if (source.mColorTable)
        fn(BlitPixel::PaletteSource{source.mColorIndices.get(), words});
    else
        fn(BlitPixel::PlainSource{words});
}

} // namespace Kavo::SurfacePixel
