#include "framework/raster/tri_members.h"

namespace Kavo {

namespace {

// The members of one destination format. The textured rows are indexed by
// (texture alpha, vertex colours) and their columns by (tint, linear).
struct TriGroupMembers {
    TriRasterFunc gouraud;
    TriRasterFunc gouraudTint;
    TriRasterFunc textured[4][4];
};

// Rows 1 (vertex colours) and 3 (texture alpha and vertex colours) hold TriRasterNoop until their members exist.
constexpr TriGroupMembers kGroups[4] = {
    {TriRasterARGB8888Gouraud, TriRasterARGB8888GouraudTint,
     {{TriRasterRGB32Texture, TriRasterRGB32TextureLinear, TriRasterARGB8888TextureTint, TriRasterARGB8888TextureTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop},
      {TriRasterARGB8888TextureAlpha, TriRasterARGB8888TextureAlphaLinear, TriRasterARGB8888TextureAlphaTint,
       TriRasterARGB8888TextureAlphaTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop}}},
    {TriRasterRGB888Gouraud, TriRasterRGB888GouraudTint,
     {{TriRasterRGB32Texture, TriRasterRGB32TextureLinear, TriRasterRGB888TextureTint, TriRasterRGB888TextureTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop},
      {TriRasterRGB888TextureAlpha, TriRasterRGB888TextureAlphaLinear, TriRasterRGB888TextureAlphaTint,
       TriRasterRGB888TextureAlphaTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop}}},
    {TriRasterRGB565Gouraud, TriRasterRGB565GouraudTint,
     {{TriRasterRGB565Texture, TriRasterRGB565TextureLinear, TriRasterRGB565TextureTint, TriRasterRGB565TextureTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop},
      {TriRasterRGB565TextureAlpha, TriRasterRGB565TextureAlphaLinear, TriRasterRGB565TextureAlphaTint,
       TriRasterRGB565TextureAlphaTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop}}},
    {TriRasterRGB555Gouraud, TriRasterRGB555GouraudTint,
     {{TriRasterRGB555Texture, TriRasterRGB555TextureLinear, TriRasterRGB555TextureTint, TriRasterRGB555TextureTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop},
      {TriRasterRGB555TextureAlpha, TriRasterRGB555TextureAlphaLinear, TriRasterRGB555TextureAlphaTint,
       TriRasterRGB555TextureAlphaTintLinear},
      {TriRasterNoop, TriRasterNoop, TriRasterNoop, TriRasterNoop}}},
};

constexpr TriRasterFunc MemberFor(int index)
{
    const TriGroupMembers& g = kGroups[(index >> 5) & 3];
    const int low = index & 0x1F;
    if (low & TriRasterTextured)
        return g.textured[(low >> 2) & 3][low & 3];
    // Untextured: the texture-alpha and linear bits make no difference.
    if (!(low & TriRasterVertexColors))
        return TriRasterNoop;
    return (low & TriRasterTint) ? g.gouraudTint : g.gouraud;
}

constexpr std::array<TriRasterFunc, kTriRasterTableSize> BuildTable()
{
    std::array<TriRasterFunc, kTriRasterTableSize> table{};
    for (int i = 0; i < kTriRasterTableSize; ++i)
        table[i] = MemberFor(i);
    return table;
}

} // namespace

constinit std::array<TriRasterFunc, kTriRasterTableSize> TriRasterTable = BuildTable();

void TriRasterInitTable()
{
    TriRasterTable = BuildTable();
}

TriRasterFunc TriRasterDefaultMember(int index)
{
    return MemberFor(index & (kTriRasterTableSize - 1));
}

} // namespace Kavo
