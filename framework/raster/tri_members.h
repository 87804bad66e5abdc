#pragma once

// The table's members. Each draws one triangle of three corners; see
// TriRasterInitTable for which entries hold which member.

#include "framework/raster/tri_raster.h"

namespace Kavo {

using TriRasterMember = void(const TriFixedVertex* corners, void* bits, int32_t pitch, const TriRasterParams* params,
                             const TriTintColor* tint);

// Draws nothing: the untextured entries without vertex colours.
TriRasterMember TriRasterNoop;

// Vertex colours, blended by vertex alpha; the tinted ones fold the tint into
// the corner colours first.
TriRasterMember TriRasterARGB8888Gouraud;
TriRasterMember TriRasterARGB8888GouraudTint;
TriRasterMember TriRasterRGB888Gouraud;
TriRasterMember TriRasterRGB888GouraudTint;
TriRasterMember TriRasterRGB565Gouraud;
TriRasterMember TriRasterRGB565GouraudTint;
TriRasterMember TriRasterRGB555Gouraud;
TriRasterMember TriRasterRGB555GouraudTint;

// Opaque textures. The two 32-bit formats share the untinted members, which
// write every texel with alpha 0xFF.
TriRasterMember TriRasterRGB32Texture;
TriRasterMember TriRasterRGB32TextureLinear;
TriRasterMember TriRasterRGB565Texture;
TriRasterMember TriRasterRGB565TextureLinear;
TriRasterMember TriRasterRGB555Texture;
TriRasterMember TriRasterRGB555TextureLinear;
TriRasterMember TriRasterARGB8888TextureTint;
TriRasterMember TriRasterARGB8888TextureTintLinear;
TriRasterMember TriRasterRGB888TextureTint;
TriRasterMember TriRasterRGB888TextureTintLinear;
TriRasterMember TriRasterRGB565TextureTint;
TriRasterMember TriRasterRGB565TextureTintLinear;
TriRasterMember TriRasterRGB555TextureTint;
TriRasterMember TriRasterRGB555TextureTintLinear;

// Textures blended by their alpha (every linear-filtered textured draw too).
TriRasterMember TriRasterARGB8888TextureAlpha;
TriRasterMember TriRasterARGB8888TextureAlphaLinear;
TriRasterMember TriRasterARGB8888TextureAlphaTint;
TriRasterMember TriRasterARGB8888TextureAlphaTintLinear;
TriRasterMember TriRasterRGB888TextureAlpha;
TriRasterMember TriRasterRGB888TextureAlphaLinear;
TriRasterMember TriRasterRGB888TextureAlphaTint;
TriRasterMember TriRasterRGB888TextureAlphaTintLinear;
TriRasterMember TriRasterRGB565TextureAlpha;
TriRasterMember TriRasterRGB565TextureAlphaLinear;
TriRasterMember TriRasterRGB565TextureAlphaTint;
TriRasterMember TriRasterRGB565TextureAlphaTintLinear;
TriRasterMember TriRasterRGB555TextureAlpha;
TriRasterMember TriRasterRGB555TextureAlphaLinear;
TriRasterMember TriRasterRGB555TextureAlphaTint;
TriRasterMember TriRasterRGB555TextureAlphaTintLinear;

} // namespace Kavo
