#pragma once
// Everything the rasterisers need for one primitive call: where to write,
// the clip rectangle, the pixel kernel's constants and the states that shape
// geometry (culling, shading).

#include <cstdint>

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/render_target_view.h"
#include "platform/device3d/span_kernels.h"

namespace platform {

struct DrawSetup {
    std::uint8_t* bits = nullptr;
    int pitch = 0;
    TargetFormat format = TargetFormat::Unsupported;
    // Pixels drawn: clipLeft <= x < clipRight, clipTop <= y < clipBottom.
    int clipLeft = 0;
    int clipTop = 0;
    int clipRight = 0;
    int clipBottom = 0;

    SpanShader shader;
    bool textured = false;
    Sampling magnify = Sampling::Point; // texels larger than pixels
    Sampling minify = Sampling::Point;  // texels smaller than pixels
    BlendKind blend = BlendKind::Replace;
    Cull cull = Cull::CounterClockwise;
    bool flat = false; // every pixel takes the first vertex's colour
};

} // namespace platform
