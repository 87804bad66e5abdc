#pragma once

// Software triangle rasteriser: the one entry that clips a triangle strip to
// a rectangle and draws it through a table of per-format, per-flag members.

#include <array>
#include <cstdint>

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "platform/process_slot.h"

namespace Kavo {

// A caller's vertex: position in destination pixels, texture coordinates as
// fractions of the texture size, colour 0xAARRGGBB.
struct TriVertex {
    float x = 0;
    float y = 0;
    float u = 0;
    float v = 0;
    uint32_t color = 0;
};

// A corner as a member receives it. x, y, u, v are 16.16; the colour channels
// are 8.16 (byte << 16). Words a member does not need are left undefined.
struct TriFixedVertex {
    int32_t x;
    int32_t y;
    int32_t alpha;
    int32_t red;
    int32_t green;
    int32_t blue;
    int32_t u;
    int32_t v;
};

struct TriRasterParams {
    const uint32_t* texels = nullptr;
    int32_t width = 0;
    int32_t texelCount = 0;
};

struct TriTintColor {
    int32_t alpha;
    int32_t red;
    int32_t green;
    int32_t blue;
};

// What the rasteriser needs of a texture image. `updateAlphaFlags` runs at the
// start of every draw that has the texture, before the flags and the bits are
// read; it may refresh all of them (an image adapter recomputes its flags and
// creates its 32-bit pixels there). It may be null when the view is current.
struct TriTextureView {
    const uint32_t* bits = nullptr; // width * height ARGB texels, no row gap
    int32_t width = 0;
    int32_t height = 0;
    bool hasAlpha = false;        // some texel alpha in 1..254
    bool hasTransparency = false; // some texel alpha 0
    void (*updateAlphaFlags)(TriTextureView& view, void* context) = nullptr;
    void* context = nullptr;
};

using TriRasterFunc = void (*)(const TriFixedVertex* corners, void* bits, int32_t pitch, const TriRasterParams* params,
                               const TriTintColor* tint);

// Table index = format group | flags.
enum : int32_t {
    TriRasterARGB8888 = 0x00,
    TriRasterRGB888 = 0x20,
    TriRasterRGB565 = 0x40,
    TriRasterRGB555 = 0x60,

    TriRasterTextured = 0x10,
    TriRasterTextureAlpha = 0x08,
    TriRasterVertexColors = 0x04,
    TriRasterTint = 0x02,
    TriRasterLinear = 0x01,
};

inline constexpr int kTriRasterTableSize = 128;

// Destination format codes handed by the images; any other code is ARGB8888.
inline constexpr int32_t kTriFormatARGB8888 = 0x8888;
inline constexpr int32_t kTriFormatRGB888 = 0x888;
inline constexpr int32_t kTriFormatRGB565 = 0x565;
inline constexpr int32_t kTriFormatRGB555 = 0x555;

using TriRasterMemberTable = std::array<TriRasterFunc, kTriRasterTableSize>;

// Every entry's member, fixed at compile time.
extern const TriRasterMemberTable TriRasterTable;

// A table drawn through in place of TriRasterTable while one is installed
// (tests put recording members here); empty otherwise.
platform::ProcessSlot<const TriRasterMemberTable>& TriRasterTableSlot();

// The table is constant, so there is nothing left to fill: start-up code may
// call this, and it changes nothing.
void TriRasterInitTable();

// The member entry `index` holds.
TriRasterFunc TriRasterDefaultMember(int index);

// Draws `count` vertices as the strip (0,1,2), (1,3,2), (2,3,4), (3,5,4)...
// clipped to `clip` (exclusive right and bottom edges). `texture` may be null.
// `pitch` is in bytes; `format` is one of the codes above.
void TriRasterRenderFan(const IntRect& clip, const Color& tint, const TriVertex* vertices, int32_t count,
                        TriTextureView* texture, void* bits, int32_t pitch, int32_t format, bool linear,
                        bool vertexColors);

// Float to int that is defined for every input: NaN gives 0, values beyond the
// int32 range give its nearest end, everything else truncates toward zero.
int32_t TriFloatToInt(float value);

} // namespace Kavo
