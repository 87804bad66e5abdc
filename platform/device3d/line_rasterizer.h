#pragma once
// Draws one line segment of pre-transformed vertices, one pixel per column
// (or per row for steep lines), the pixel whose centre is nearest the line.
// The last pixel is left out, so the segments of a strip meet without
// drawing their shared pixel twice.

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/draw_setup.h"

namespace platform {

void RasterizeLine(const DrawSetup& setup, const TLVertex& from, const TLVertex& to);

} // namespace platform
