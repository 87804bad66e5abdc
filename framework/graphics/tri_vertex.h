#pragma once

// The triangle vertex (x, y in destination pixels, u, v from 0 to 1 across
// the texture, packed 0xAARRGGBB colour) belongs to the rasteriser that
// draws it; images only pass arrays of it along.
#include "framework/raster/tri_raster.h"
