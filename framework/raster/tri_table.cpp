#include "framework/raster/tri_members.h"
#include "framework/raster/tri_members_vcolor.h"

namespace Kavo {

namespace {

// The members of one destination format. The textured rows are indexed by
// (texture alpha, vertex colours) and their columns by (tint, linear).
struct TriGroupMembers {
    TriRasterFunc gouraud;
    TriRasterFunc gouraudTint;
    TriRasterFunc textured[4][4];
};

constexpr TriGroupMembers kGroups[4] = {
    {TriRasterARGB8888Gouraud,
     TriRasterARGB8888GouraudTint,
     {{TriRasterRGB32Texture, TriRasterRGB32TextureLinear, TriRasterARGB8888TextureTint,
       TriRasterARGB8888TextureTintLinear},
      {TriRasterARGB8888TextureVertexColors, TriRasterARGB8888TextureVertexColorsLinear,
       TriRasterARGB8888TextureVertexColorsTint, TriRasterARGB8888TextureVertexColorsTintLinear},
      {TriRasterARGB8888TextureAlpha, TriRasterARGB8888TextureAlphaLinear, TriRasterARGB8888TextureAlphaTint,
       TriRasterARGB8888TextureAlphaTintLinear},
      {TriRasterARGB8888TextureAlphaVertexColors, TriRasterARGB8888TextureAlphaVertexColorsLinear,
       TriRasterARGB8888TextureAlphaVertexColorsTint, TriRasterARGB8888TextureAlphaVertexColorsTintLinear}}},
    {TriRasterRGB888Gouraud,
     TriRasterRGB888GouraudTint,
     {{TriRasterRGB32Texture, TriRasterRGB32TextureLinear, TriRasterRGB888TextureTint,
       TriRasterRGB888TextureTintLinear},
      {TriRasterRGB888TextureVertexColors, TriRasterRGB888TextureVertexColorsLinear,
       TriRasterRGB888TextureVertexColorsTint, TriRasterRGB888TextureVertexColorsTintLinear},
      {TriRasterRGB888TextureAlpha, TriRasterRGB888TextureAlphaLinear, TriRasterRGB888TextureAlphaTint,
       TriRasterRGB888TextureAlphaTintLinear},
      {TriRasterRGB888TextureAlphaVertexColors, TriRasterRGB888TextureAlphaVertexColorsLinear,
       TriRasterRGB888TextureAlphaVertexColorsTint, TriRasterRGB888TextureAlphaVertexColorsTintLinear}}},
    {TriRasterRGB565Gouraud,
     TriRasterRGB565GouraudTint,
     {{TriRasterRGB565Texture, TriRasterRGB565TextureLinear, TriRasterRGB565TextureTint,
       TriRasterRGB565TextureTintLinear},
      {TriRasterRGB565TextureVertexColors, TriRasterRGB565TextureVertexColorsLinear,
       TriRasterRGB565TextureVertexColorsTint, TriRasterRGB565TextureVertexColorsTintLinear},
      {TriRasterRGB565TextureAlpha, TriRasterRGB565TextureAlphaLinear, TriRasterRGB565TextureAlphaTint,
       TriRasterRGB565TextureAlphaTintLinear},
      {TriRasterRGB565TextureAlphaVertexColors, TriRasterRGB565TextureAlphaVertexColorsLinear,
       TriRasterRGB565TextureAlphaVertexColorsTint, TriRasterRGB565TextureAlphaVertexColorsTintLinear}}},
    {TriRasterRGB555Gouraud,
     TriRasterRGB555GouraudTint,
     {{TriRasterRGB555Texture, TriRasterRGB555TextureLinear, TriRasterRGB555TextureTint,
       TriRasterRGB555TextureTintLinear},
      {TriRasterRGB555TextureVertexColors, TriRasterRGB555TextureVertexColorsLinear,
       TriRasterRGB555TextureVertexColorsTint, TriRasterRGB555TextureVertexColorsTintLinear},
      {TriRasterRGB555TextureAlpha, TriRasterRGB555TextureAlphaLinear, TriRasterRGB555TextureAlphaTint,
       TriRasterRGB555TextureAlphaTintLinear},
      {TriRasterRGB555TextureAlphaVertexColors, TriRasterRGB555TextureAlphaVertexColorsLinear,
       TriRasterRGB555TextureAlphaVertexColorsTint, TriRasterRGB555TextureAlphaVertexColorsTintLinear}}},
};

constexpr TriRasterFunc MemberFor(int index) {
    const TriGroupMembers& g = kGroups[(index >> 5) & 3];
    const int low = index & 0x1F;
    if (low & TriRasterTextured)
        return g.textured[(low >> 2) & 3][low & 3];
    // Untextured: the texture-alpha and linear bits make no difference.
    if (!(low & TriRasterVertexColors))
        return TriRasterNoop;
    return (low & TriRasterTint) ? g.gouraudTint : g.gouraud;
}

constexpr std::array<TriRasterFunc, kTriRasterTableSize> BuildTable() {
    std::array<TriRasterFunc, kTriRasterTableSize> table{};
    for (int i = 0; i < kTriRasterTableSize; ++i)
        table[i] = MemberFor(i);
    return table;
}

} // namespace

constinit const TriRasterMemberTable TriRasterTable = BuildTable();

platform::ProcessSlot<const TriRasterMemberTable>& TriRasterTableSlot() {
    static platform::ProcessSlot<const TriRasterMemberTable> slot;
    return slot;
}

void TriRasterInitTable() {}

TriRasterFunc TriRasterDefaultMember(int index) {
    return MemberFor(index & (kTriRasterTableSize - 1));
}

} // namespace Kavo
