#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "framework/raster/tri_clip.h"
#include "framework/raster/tri_members_vcolor.h"
#include "tests/framework/raster/raster_support.h"

namespace Kavo {
namespace {

using RasterTest::Canvas;
using RasterTest::Fixed;
using RasterTest::Texture;
using RasterTest::Vertex;

constexpr TriTintColor kWhite{255, 255, 255, 255};
constexpr int32_t kCentreUv = 0x18000;  // u and v of texel (1, 1); the linear fetch samples it alone
constexpr int32_t kOutsideUv = 0x48000; // row 4 of a 4 x 4 texture

uint16_t Rgb565(uint32_t r, uint32_t g, uint32_t b) {
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}
uint16_t Rgb555(uint32_t r, uint32_t g, uint32_t b) {
    return static_cast<uint16_t>(r << 10 | g << 5 | b);
}

// A 4 x 4 destination covered whole by the two triangles of the quad `v`,
// textured by a uniform 4 x 4 texture; returns the pixel at (1, 1).
template <class Pixel>
Pixel DrawQuad(TriRasterFunc member, Pixel fill, const TriFixedVertex (&v)[4], uint32_t texel, TriTintColor tint) {
    std::vector<uint32_t> texels(16, texel);
    const TriRasterParams params{texels.data(), 4, 16};
    Canvas<Pixel> canvas(4, 4, fill);
    const TriFixedVertex first[3] = {v[0], v[1], v[2]};
    const TriFixedVertex second[3] = {v[1], v[3], v[2]};
    member(first, canvas.Bits(), canvas.Pitch(), &params, &tint);
    member(second, canvas.Bits(), canvas.Pitch(), &params, &tint);
    for (Pixel p : canvas.pixels)
        EXPECT_EQ(p, canvas.At(1, 1));
    return canvas.At(1, 1);
}

// Every corner carries `color` and the same u and v, so every pixel sees the
// same interpolants.
template <class Pixel>
Pixel Draw(TriRasterFunc member, Pixel fill, uint32_t color, uint32_t texel, TriTintColor tint = kWhite,
           int32_t uv = kCentreUv) {
    const TriFixedVertex v[4] = {Fixed(0, 0, color, uv, uv), Fixed(4, 0, color, uv, uv), Fixed(0, 4, color, uv, uv),
                                 Fixed(4, 4, color, uv, uv)};
    return DrawQuad(member, fill, v, texel, tint);
}

struct Case32 {
    const char* name;
    TriRasterFunc member;
    uint32_t fill, color, texel;
    TriTintColor tint;
    uint32_t expected;
    int32_t uv = kCentreUv;
};

void Check(const Case32* begin, const Case32* end) {
    for (const Case32* k = begin; k != end; ++k)
        EXPECT_EQ(Draw<uint32_t>(k->member, k->fill, k->color, k->texel, k->tint, k->uv), k->expected)
            << k->name << std::hex << " got 0x"
            << Draw<uint32_t>(k->member, k->fill, k->color, k->texel, k->tint, k->uv);
}

TEST(TriVertexColorMembers, OpaqueTexture32Bit) {
    const TriTintColor half{128, 255, 255, 255};
    const Case32 cases[] = {
        {"white under white is 254", TriRasterARGB8888TextureVertexColors, 0, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         0xFFFEFEFE},
        {"888 too, top byte set", TriRasterRGB888TextureVertexColors, 0x12345678, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         0xFFFEFEFE},
        {"corner alpha 241 is opaque", TriRasterARGB8888TextureVertexColors, 0x80102030, 0xF1FFFFFF, 0xFF808080, kWhite,
         0xFF7F7F7F},
        {"corner alpha 240 blends at 239", TriRasterARGB8888TextureVertexColors, 0xFF000000, 0xF0FFFFFF, 0xFFFFFFFF,
         kWhite, 0xFFEDEDED},
        {"half over opaque black", TriRasterARGB8888TextureVertexColors, 0xFF000000, 0x80FFFFFF, 0xFFFFFFFF, kWhite,
         0xFF7E7E7E},
        {"half over transparent", TriRasterARGB8888TextureVertexColors, 0, 0x80FFFFFF, 0xFFFFFFFF, kWhite, 0x7EFDFDFD},
        {"weight 0 over opaque white", TriRasterARGB8888TextureVertexColors, 0xFFFFFFFF, 0x01FFFFFF, 0xFFFFFFFF, kWhite,
         0xFEFEFEFE},
        {"888 half over black", TriRasterRGB888TextureVertexColors, 0, 0x80FFFFFF, 0xFFFFFFFF, kWhite, 0xFF7E7E7E},
        {"888 half over white", TriRasterRGB888TextureVertexColors, 0x00FFFFFF, 0x80FFFFFF, 0xFFFFFFFF, kWhite,
         0xFFFDFDFD},
        {"texel alpha plays no part", TriRasterRGB888TextureVertexColors, 0, 0xFF4080C0, 0x00FFFFFF, kWhite,
         0xFF3F7FBF},
        {"corner colours modulate", TriRasterARGB8888TextureVertexColors, 0, 0xFF4080C0, 0xFF80FF40, kWhite,
         0xFF207F30},
        {"outside the texture is black", TriRasterARGB8888TextureVertexColors, 0x80102030, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, 0xFF000000, kOutsideUv},
        // Tint alpha 128 on alpha 255 corners: fa 63, w 62 (once would be 127).
        {"tint enters twice", TriRasterARGB8888TextureVertexColorsTint, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, half,
         0xFF3D3D3D},
        {"888 tint enters twice", TriRasterRGB888TextureVertexColorsTint, 0, 0xFFFFFFFF, 0xFFFFFFFF, half, 0xFF3D3D3D},
        // Linear: sample 253, modulated 252, then scaled by fa, not w.
        {"linear scales by fa when opaque", TriRasterARGB8888TextureVertexColorsLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, 0xFFFBFBFB},
        {"888 linear blends its fa-scaled colour", TriRasterRGB888TextureVertexColorsLinear, 0x00FFFFFF, 0x80FFFFFF,
         0xFFFFFFFF, kWhite, 0xFFFDFDFD},
        {"linear tint", TriRasterARGB8888TextureVertexColorsTintLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF,
         TriTintColor{255, 128, 255, 255}, 0xFF3DF7F7},
        {"888 linear tint", TriRasterRGB888TextureVertexColorsTintLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF, half, 0xFF3D3D3D},
    };
    Check(std::begin(cases), std::end(cases));
}

TEST(TriVertexColorMembers, AlphaTexture32Bit) {
    const Case32 cases[] = {
        {"texel alpha 8 is skipped", TriRasterARGB8888TextureAlphaVertexColors, 0x80123456, 0xFFFFFFFF, 0x08FFFFFF,
         kWhite, 0x80123456},
        {"texel alpha 9 blends at 8", TriRasterARGB8888TextureAlphaVertexColors, 0xFF000000, 0xFFFFFFFF, 0x09FFFFFF,
         kWhite, 0xFF070707},
        {"opaque white under white", TriRasterARGB8888TextureAlphaVertexColors, 0x00123456, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, 0xFFFEFEFE},
        {"half red over opaque blue", TriRasterARGB8888TextureAlphaVertexColors, 0xFF0000FF, 0xFFFFFFFF, 0x80FF0000,
         kWhite, 0xFF7E007F},
        {"888 half red over blue", TriRasterRGB888TextureAlphaVertexColors, 0x000000FF, 0xFFFFFFFF, 0x80FF0000, kWhite,
         0xFF7E007F},
        {"half red over transparent", TriRasterARGB8888TextureAlphaVertexColors, 0, 0xFFFFFFFF, 0x80FF0000, kWhite,
         0x7EFD0000},
        {"corner alpha 0 over opaque white", TriRasterARGB8888TextureAlphaVertexColors, 0xFFFFFFFF, 0x00FFFFFF,
         0xFFFFFFFF, kWhite, 0xFEFEFEFE},
        {"888 corner alpha 0 over white", TriRasterRGB888TextureAlphaVertexColors, 0x00FFFFFF, 0x00FFFFFF, 0xFFFFFFFF,
         kWhite, 0xFFFEFEFE},
        {"outside the texture is skipped", TriRasterRGB888TextureAlphaVertexColors, 0x00123456, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, 0x00123456, kOutsideUv},
        // Coverage 254 under alpha 255: a 253, opaque, written as (252 * 255) >> 8.
        {"linear opaque keeps the fa scaling", TriRasterARGB8888TextureAlphaVertexColorsLinear, 0, 0xFFFFFFFF,
         0xFFFFFFFF, kWhite, 0xFFFBFBFB},
        {"linear coverage 8 is skipped", TriRasterRGB888TextureAlphaVertexColorsLinear, 0x00123456, 0xFFFFFFFF,
         0x09FFFFFF, kWhite, 0x00123456},
        {"tint enters twice", TriRasterARGB8888TextureAlphaVertexColorsTint, 0, 0xFFFFFFFF, 0xFFFFFFFF,
         TriTintColor{255, 128, 255, 255}, 0xFF3EFCFC},
        {"888 tint enters twice", TriRasterRGB888TextureAlphaVertexColorsTint, 0, 0xFFFFFFFF, 0xFFFFFFFF,
         TriTintColor{255, 128, 255, 255}, 0xFF3EFCFC},
        {"888 linear tint", TriRasterRGB888TextureAlphaVertexColorsTintLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF,
         TriTintColor{128, 255, 255, 255}, 0xFF3D3D3D},
        {"linear tint", TriRasterARGB8888TextureAlphaVertexColorsTintLinear, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF,
         TriTintColor{128, 255, 255, 255}, 0xFF3D3D3D},
    };
    Check(std::begin(cases), std::end(cases));
}

// Where the blend has no defined result: a transparent destination under a
// weight of 0 is left alone, and a quotient of 256 is held to 255 instead of
// spilling into the next channel.
TEST(TriVertexColorMembers, ArgbBlendWithoutDivisorOrRoom) {
    const Case32 cases[] = {
        {"weight 0 over alpha 0", TriRasterARGB8888TextureVertexColors, 0x00123456, 0x00FFFFFF, 0xFFFFFFFF, kWhite,
         0x00123456},
        {"texture alpha, weight 0 over alpha 0", TriRasterARGB8888TextureAlphaVertexColors, 0x00123456, 0x1CFFFFFF,
         0x09FFFFFF, kWhite, 0x00123456},
        // fa 2 and a modulated 128: source 1 over alpha 0 divides by 1.
        {"linear quotient 256", TriRasterARGB8888TextureVertexColorsLinear, 0, 0x02FFFFFF, 0xFF838383, kWhite,
         0x00FFFFFF},
        // Coverage 9 under alpha 37: source 1 at a blend alpha of 1.
        {"texture alpha linear quotient 256", TriRasterARGB8888TextureAlphaVertexColorsLinear, 0, 0x25FFFFFF,
         0x0AFFFFFF, kWhite, 0x00FFFFFF},
    };
    Check(std::begin(cases), std::end(cases));
}

// A colour interpolant below 0 (as one can stray at a thin edge) counts as 0
// and leaves the other channels alone.
TEST(TriVertexColorMembers, InterpolantBelowZeroCountsAsZero) {
    TriFixedVertex v[4] = {Fixed(0, 0, 0xFFFFFFFF, kCentreUv, kCentreUv), Fixed(4, 0, 0xFFFFFFFF, kCentreUv, kCentreUv),
                           Fixed(0, 4, 0xFFFFFFFF, kCentreUv, kCentreUv),
                           Fixed(4, 4, 0xFFFFFFFF, kCentreUv, kCentreUv)};
    for (TriFixedVertex& c : v)
        c.red = -0x8000;
    EXPECT_EQ(DrawQuad<uint32_t>(TriRasterARGB8888TextureVertexColors, 0, v, 0xFFFFFFFF, kWhite), 0xFF00FEFEu);
    EXPECT_EQ(DrawQuad<uint16_t>(TriRasterRGB565TextureAlphaVertexColors, 0, v, 0xFFFFFFFF, kWhite), Rgb565(0, 63, 31));
}

struct Case16 {
    const char* name;
    TriRasterFunc member;
    uint16_t fill;
    uint32_t color, texel;
    TriTintColor tint;
    uint16_t expected;
    int32_t uv = kCentreUv;
};

TEST(TriVertexColorMembers, SixteenBit) {
    const TriTintColor half{128, 255, 255, 255};
    const uint16_t white565 = 0xFFFF;
    const uint16_t white555 = 0xFFFF; // bit 15 set
    const Case16 cases[] = {
        // Opaque textures.
        {"corner alpha 0 still rewrites", TriRasterRGB565TextureVertexColors, white565, 0x00FFFFFF, 0xFFFFFFFF, kWhite,
         Rgb565(30, 61, 30)},
        {"555 corner alpha 0 clears bit 15", TriRasterRGB555TextureVertexColors, white555, 0x00FFFFFF, 0xFFFFFFFF,
         kWhite, Rgb555(30, 30, 30)},
        {"corner alpha 241 is opaque", TriRasterRGB565TextureVertexColors, 0x1234, 0xF1FFFFFF, 0xFFFF8040, kWhite,
         Rgb565(31, 31, 7)},
        {"corner alpha 240 blends", TriRasterRGB565TextureVertexColors, 0, 0xF0FFFFFF, 0xFFFFFFFF, kWhite,
         Rgb565(29, 59, 29)},
        {"white under white packs white", TriRasterRGB565TextureVertexColors, 0, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         0xFFFF},
        {"555 white under white", TriRasterRGB555TextureVertexColors, 0x8000, 0xFFFFFFFF, 0xFFFFFFFF, kWhite, 0x7FFF},
        {"outside the texture writes black", TriRasterRGB565TextureVertexColors, 0x1234, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         0, kOutsideUv},
        {"outside the texture darkens", TriRasterRGB565TextureVertexColors, white565, 0x80FFFFFF, 0xFFFFFFFF, kWhite,
         Rgb565(15, 31, 15), kOutsideUv},
        {"555 tint enters twice", TriRasterRGB555TextureVertexColorsTint, 0, 0xFFFFFFFF, 0xFFFFFFFF, half,
         Rgb555(7, 7, 7)},
        {"linear scales by fa", TriRasterRGB565TextureVertexColorsLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         Rgb565(31, 62, 31)},
        {"555 linear", TriRasterRGB555TextureVertexColorsLinear, 0x8000, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         Rgb555(31, 31, 31)},
        {"linear tint", TriRasterRGB565TextureVertexColorsTintLinear, white565, 0xFFFFFFFF, 0xFFFFFFFF, half,
         Rgb565(30, 62, 30)},
        {"555 linear tint", TriRasterRGB555TextureVertexColorsTintLinear, white555, 0xFFFFFFFF, 0xFFFFFFFF, half,
         Rgb555(30, 30, 30)},
        // Texture alpha.
        {"texel alpha 8 is skipped", TriRasterRGB555TextureAlphaVertexColors, 0xFFFF, 0xFFFFFFFF, 0x08FFFFFF, kWhite,
         0xFFFF},
        {"texel alpha 9 blends at 8", TriRasterRGB565TextureAlphaVertexColors, white565, 0xFFFFFFFF, 0x09FFFFFF, kWhite,
         Rgb565(29, 60, 29)},
        {"555 texel alpha 9", TriRasterRGB555TextureAlphaVertexColors, white555, 0xFFFFFFFF, 0x09FFFFFF, kWhite,
         Rgb555(29, 29, 29)},
        {"corner alpha 0 on an opaque texel", TriRasterRGB565TextureAlphaVertexColors, white565, 0x00FFFFFF, 0xFFFFFFFF,
         kWhite, Rgb565(30, 61, 30)},
        {"texel alpha 241 is opaque", TriRasterRGB565TextureAlphaVertexColors, 0x1234, 0xFFFFFFFF, 0xF1FF8040, kWhite,
         Rgb565(31, 31, 7)},
        {"texel alpha 240 blends", TriRasterRGB565TextureAlphaVertexColors, 0, 0xFFFFFFFF, 0xF0FF8040, kWhite,
         Rgb565(29, 29, 7)},
        {"opaque white", TriRasterRGB565TextureAlphaVertexColors, 0, 0xFFFFFFFF, 0xFFFFFFFF, kWhite, 0xFFFF},
        {"555 opaque white clears bit 15", TriRasterRGB555TextureAlphaVertexColors, 0x8000, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, 0x7FFF},
        {"half white over white", TriRasterRGB565TextureAlphaVertexColors, white565, 0xFFFFFFFF, 0x80FFFFFF, kWhite,
         Rgb565(30, 62, 30)},
        {"half white over black", TriRasterRGB565TextureAlphaVertexColors, 0, 0xFFFFFFFF, 0x80FFFFFF, kWhite,
         Rgb565(15, 31, 15)},
        {"555 half white over white", TriRasterRGB555TextureAlphaVertexColors, white555, 0xFFFFFFFF, 0x80FFFFFF, kWhite,
         Rgb555(30, 30, 30)},
        {"tint enters twice", TriRasterRGB565TextureAlphaVertexColorsTint, 0, 0xFFFFFFFF, 0xFFFFFFFF, half,
         Rgb565(7, 15, 7)},
        {"linear at a texel centre", TriRasterRGB565TextureAlphaVertexColorsLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF, kWhite,
         Rgb565(31, 62, 31)},
        {"555 linear at a texel centre", TriRasterRGB555TextureAlphaVertexColorsLinear, 0x8000, 0xFFFFFFFF, 0xFFFFFFFF,
         kWhite, Rgb555(31, 31, 31)},
        {"linear half corners over black", TriRasterRGB565TextureAlphaVertexColorsLinear, 0, 0x80FFFFFF, 0xFFFFFFFF,
         kWhite, Rgb565(15, 31, 15)},
        {"linear half corners over white", TriRasterRGB565TextureAlphaVertexColorsLinear, white565, 0x80FFFFFF,
         0xFFFFFFFF, kWhite, Rgb565(30, 62, 30)},
        {"linear coverage 8 is skipped", TriRasterRGB555TextureAlphaVertexColorsLinear, 0xFFFF, 0xFFFFFFFF, 0x09FFFFFF,
         kWhite, 0xFFFF},
        {"555 linear tint", TriRasterRGB555TextureAlphaVertexColorsTintLinear, 0, 0xFFFFFFFF, 0xFFFFFFFF, half,
         Rgb555(7, 7, 7)},
    };
    for (const Case16& k : cases) {
        const uint16_t got = Draw<uint16_t>(k.member, k.fill, k.color, k.texel, k.tint, k.uv);
        EXPECT_EQ(got, k.expected) << k.name << std::hex << " got 0x" << got;
    }
}

// A triangle over a corner of the clip becomes a fan of several triangles
// that share their first corner. With one colour on every corner and one
// texel under every pixel, a corner tinted twice would show as a gradient.
TEST(TriVertexColorMembers, TintedFanOfOneColourIsUniform) {
    const IntRect clip(2, 2, 12, 12);
    const TriVertex tri[3] = {Vertex(-9, 7, 0.5f, 0.5f, 0xC0806040), Vertex(9, -8, 0.5f, 0.5f, 0xC0806040),
                              Vertex(22, 17, 0.5f, 0.5f, 0xC0806040)};
    {
        TriClipVertexPool pool;
        TriClipList list;
        const TriVertex* corners[3] = {&tri[0], &tri[1], &tri[2]};
        const int n = TriRasterClipPolygon(corners, list, 2, 14, 2, 14, pool);
        ASSERT_GE(n, 5);
        ASSERT_LE(n, 7);
    }
    Texture opaque(4, 4, std::vector<uint32_t>(16, 0xFFC0E0A0));
    Texture translucent(4, 4, std::vector<uint32_t>(16, 0xB0C0E0A0), true, false);
    struct Kind {
        const char* name;
        TriTextureView* texture;
        bool linear;
    };
    const Kind kinds[] = {{"untextured", nullptr, false},
                          {"opaque texture", &opaque.view, false},
                          {"alpha texture", &translucent.view, false},
                          {"linear", &translucent.view, true}};
    const Color tint(200, 150, 230, 170);
    for (const Kind& k : kinds) {
        for (int32_t format : {0x8888, 0x888, 0x565, 0x555}) {
            const bool sixteen = format == 0x565 || format == 0x555;
            Canvas<uint32_t> wide(16, 16, 0x80402010);
            Canvas<uint16_t> narrow(16, 16, 0x4210);
            TriRasterRenderFan(clip, tint, tri, 3, k.texture, sixteen ? narrow.Bits() : wide.Bits(),
                               sixteen ? narrow.Pitch() : wide.Pitch(), format, k.linear, true);
            std::set<uint32_t> colours;
            int written = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const uint32_t p = sixteen ? narrow.At(x, y) : wide.At(x, y);
                    if (p != (sixteen ? 0x4210u : 0x80402010u)) {
                        ++written;
                        colours.insert(p);
                    }
                }
            EXPECT_GT(written, 60) << k.name << " " << std::hex << format;
            EXPECT_EQ(colours.size(), 1u) << k.name << " " << std::hex << format;
        }
    }
}

// A random triangle on a 40 x 32 destination with random corner colours and
// texture coordinates that mostly lie on an 8 x 8 texture.
struct RandomTriangle {
    TriFixedVertex corners[3];
    TriTintColor tint;

    explicit RandomTriangle(std::mt19937& rng) {
        auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        for (TriFixedVertex& c : corners) {
            c = Fixed(0, 0, static_cast<uint32_t>(rng()), whole(-0x8000, 9 << 16), whole(-0x8000, 9 << 16));
            c.x = whole(0, 40 << 16);
            c.y = whole(0, 32 << 16);
        }
        tint = {whole(0, 255), whole(0, 255), whole(0, 255), whole(0, 255)};
    }
};

// The same triangle through the 888, 5-6-5 and 5-5-5 member of every
// vertex-coloured textured entry, called directly so that the entries the
// dispatch never picks are compared too: the same pixels are written, and the
// 16-bit formats agree on red and blue.
TEST(TriVertexColorMembers, FormatsWriteTheSamePixels) {
    std::mt19937 rng(4711);
    std::vector<uint32_t> texels(64);
    for (uint32_t& t : texels)
        t = static_cast<uint32_t>(rng()) & (rng() % 4 == 0 ? 0x08FFFFFF : 0xFFFFFFFF);
    const TriRasterParams params{texels.data(), 8, 64};
    // Red 21 and blue 9 everywhere; every write shows in the 888 top byte and
    // in 5-5-5 bit 15, and in one of the two 5-6-5 backgrounds.
    const uint32_t back888 = 0x00AD5548;
    const uint16_t back555 = 0x8000 | (21 << 10) | (10 << 5) | 9;
    const uint16_t back565[2] = {(21 << 11) | (42 << 5) | 9, (21 << 11) | (3 << 5) | 9};
    const int kinds[] = {0x14, 0x15, 0x16, 0x17, 0x1C, 0x1D, 0x1E, 0x1F};
    for (int kind : kinds) {
        int written = 0;
        for (int n = 0; n < 60; ++n) {
            const RandomTriangle t(rng);
            Canvas<uint32_t> c888(40, 32, back888);
            Canvas<uint16_t> c555(40, 32, back555);
            Canvas<uint16_t> c565a(40, 32, back565[0]);
            Canvas<uint16_t> c565b(40, 32, back565[1]);
            TriRasterDefaultMember(TriRasterRGB888 | kind)(t.corners, c888.Bits(), c888.Pitch(), &params, &t.tint);
            TriRasterDefaultMember(TriRasterRGB555 | kind)(t.corners, c555.Bits(), c555.Pitch(), &params, &t.tint);
            TriRasterDefaultMember(TriRasterRGB565 | kind)(t.corners, c565a.Bits(), c565a.Pitch(), &params, &t.tint);
            TriRasterDefaultMember(TriRasterRGB565 | kind)(t.corners, c565b.Bits(), c565b.Pitch(), &params, &t.tint);
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 40; ++x) {
                    const bool w888 = c888.At(x, y) != back888;
                    const bool w555 = c555.At(x, y) != back555;
                    const bool w565 = c565a.At(x, y) != back565[0] || c565b.At(x, y) != back565[1];
                    written += w888;
                    ASSERT_EQ(w888, w555) << std::hex << kind << " " << std::dec << n << ": " << x << "," << y;
                    ASSERT_EQ(w565, w555) << std::hex << kind << " " << std::dec << n << ": " << x << "," << y;
                    const uint32_t p555 = c555.At(x, y), p565 = c565a.At(x, y);
                    ASSERT_EQ((p565 >> 11) & 31, (p555 >> 10) & 31) << std::hex << kind;
                    ASSERT_EQ(p565 & 31, p555 & 31) << std::hex << kind;
                }
        }
        EXPECT_GT(written, 2000) << std::hex << kind;
    }
}

// Every entry draws from its three corners without changing them, the tinted
// ones included.
TEST(TriVertexColorMembers, EveryEntryLeavesItsCornersAlone) {
    std::mt19937 rng(17);
    std::vector<uint32_t> texels(64, 0x80FFFFFF);
    const TriRasterParams params{texels.data(), 8, 64};
    for (int index = 0; index < kTriRasterTableSize; ++index) {
        const RandomTriangle t(rng);
        TriFixedVertex corners[3];
        std::memcpy(corners, t.corners, sizeof corners);
        Canvas<uint32_t> wide(40, 32, 0x80808080);
        Canvas<uint16_t> narrow(40, 32, 0x4210);
        const bool sixteen = index >= TriRasterRGB565;
        TriRasterTable[index](corners, sixteen ? narrow.Bits() : wide.Bits(), sixteen ? narrow.Pitch() : wide.Pitch(),
                              &params, &t.tint);
        EXPECT_EQ(std::memcmp(corners, t.corners, sizeof corners), 0) << index;
    }
}

} // namespace
} // namespace Kavo
