#include "platform/sdl/sdl_frame.h"

#include <SDL.h>

namespace platform {

bool FrameToArgb(const FrameView& frame, std::vector<std::uint32_t>& out) {
    if (!IsPresentableFrame(frame))
        return false;
    const PixelFormat& format = frame.format;
    // The frame's alpha is not shown: the window is opaque.
    const Uint32 source = SDL_MasksToPixelFormatEnum(static_cast<int>(format.bitCount), format.redMask,
                                                     format.greenMask, format.blueMask, 0);
    if (source == SDL_PIXELFORMAT_UNKNOWN)
        return false;
    out.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    return SDL_ConvertPixels(frame.width, frame.height, source, frame.pixels, frame.pitch, SDL_PIXELFORMAT_ARGB8888,
                             out.data(), frame.width * 4) == 0;
}

} // namespace platform
