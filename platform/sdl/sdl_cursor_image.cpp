#include "platform/sdl/sdl_cursor_image.h"

#include <algorithm>

namespace platform {

void MonochromeToSdlBits(const std::vector<std::uint8_t>& andMask, const std::vector<std::uint8_t>& xorMask,
                         std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& mask) {
    const std::size_t bytes = std::min(andMask.size(), xorMask.size());
    data.resize(bytes);
    mask.resize(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        // SDL: data and mask set is black, mask alone white, neither
        // transparent, data alone inverted.
        data[i] = static_cast<std::uint8_t>(~(andMask[i] ^ xorMask[i]));
        mask[i] = static_cast<std::uint8_t>(~andMask[i]);
    }
}

SDL_Cursor* MakeSdlCursor(const CursorImage& image) {
    if (!IsValidCursorImage(image))
        return nullptr;
    if (!image.argb.empty()) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(image.argb.data()), image.width, image.height, 32,
            image.width * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_ARGB8888);
        if (!surface)
            return nullptr;
        SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hotSpot.x, image.hotSpot.y);
        SDL_FreeSurface(surface);
        return cursor;
    }
    std::vector<std::uint8_t> data, mask;
    MonochromeToSdlBits(image.andMask, image.xorMask, data, mask);
    return SDL_CreateCursor(data.data(), mask.data(), CursorImage::kMaskSize, CursorImage::kMaskSize, image.hotSpot.x,
                            image.hotSpot.y);
}

SDL_SystemCursor SdlSystemCursorFor(SystemCursor cursor) {
    switch (cursor) {
    case SystemCursor::Arrow:
        return SDL_SYSTEM_CURSOR_ARROW;
    case SystemCursor::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case SystemCursor::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case SystemCursor::No:
        return SDL_SYSTEM_CURSOR_NO;
    case SystemCursor::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case SystemCursor::SizeNwse:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case SystemCursor::SizeNesw:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case SystemCursor::SizeWe:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case SystemCursor::SizeNs:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case SystemCursor::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

} // namespace platform
