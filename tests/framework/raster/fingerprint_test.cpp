#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>

#include "framework/raster/tri_raster.h"
#include "tests/framework/raster/raster_support.h"

// Every table entry draws a few hundred seeded random triangles, with random
// textures, tints, corner colours and destinations, and the destination is
// hashed after each one. The expected hashes were taken from the plain
// per-pixel members, written straight from the formulas, before any of them
// was specialised for speed; a fast path that changes a single bit of a
// single pixel of any entry changes its hash.

namespace Kavo {
namespace {

using RasterTest::Canvas;

constexpr int kWidth = 56;
constexpr int kHeight = 40;
constexpr int kCanvases = 24;
constexpr int kTrianglesPerCanvas = 12;

struct Random {
    std::mt19937 rng;
    // Raw engine output only: the distributions differ between libraries.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng()) % n; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    uint32_t Byte() { return Below(256); }
    template <size_t N>
    uint32_t Pick(const uint32_t (&list)[N]) {
        return list[Below(N)];
    }
};

// Textures: solid, sprite-like (mostly alpha 0 or 255 with a soft rim), every
// alpha, and texels at the thresholds of the skip and opaque tests.
std::vector<uint32_t> RandomTexels(Random& r, int count) {
    static constexpr uint32_t kEdgeAlphas[] = {0, 7, 8, 9, 10, 128, 238, 239, 240, 241, 254, 255};
    static constexpr uint32_t kEdgeChannels[] = {0, 1, 127, 128, 254, 255};
    const uint32_t kind = r.Below(4);
    std::vector<uint32_t> texels(static_cast<size_t>(count));
    for (uint32_t& t : texels) {
        uint32_t a;
        switch (kind) {
        case 0:
            a = 255;
            break;
        case 1:
            a = r.OneIn(4) ? r.Byte() : (r.OneIn(2) ? 0 : 255);
            break;
        case 2:
            a = r.Byte();
            break;
        default:
            a = r.Pick(kEdgeAlphas);
            break;
        }
        auto channel = [&] { return r.OneIn(3) ? r.Pick(kEdgeChannels) : r.Byte(); };
        t = a << 24 | channel() << 16 | channel() << 8 | channel();
    }
    return texels;
}

int32_t RandomCoordinate(Random& r, int size) {
    // From a texel and a half before the texture to one and a half beyond it.
    const int64_t span = int64_t{size} * 4 + 6;
    return static_cast<int32_t>(static_cast<int64_t>(r.Below(static_cast<uint32_t>(span << 16))) -
                                (int64_t{size} * 3 / 2 + 3) * 65536);
}

TriFixedVertex RandomCorner(Random& r, int texWidth, int texHeight) {
    auto colour = [&] { return static_cast<int32_t>(r.Byte() << 16 | (r.OneIn(3) ? r.Below(0x10000) : 0)); };
    TriFixedVertex v;
    v.x = static_cast<int32_t>(r.Below(kWidth << 16));
    v.y = static_cast<int32_t>(r.Below(kHeight << 16));
    if (r.OneIn(4)) // on whole pixels, where the edge rules decide
        v.x &= ~0xFFFF, v.y &= ~0xFFFF;
    v.alpha = colour();
    v.red = colour();
    v.green = colour();
    v.blue = colour();
    v.u = RandomCoordinate(r, texWidth);
    v.v = RandomCoordinate(r, texHeight);
    return v;
}

TriTintColor RandomTint(Random& r) {
    static constexpr uint32_t kEdges[] = {0, 1, 8, 9, 128, 200, 239, 240, 241, 254, 255};
    auto channel = [&] { return static_cast<int32_t>(r.OneIn(2) ? r.Pick(kEdges) : r.Byte()); };
    return TriTintColor{channel(), channel(), channel(), channel()};
}

template <class Pixel>
void FillDestination(Random& r, Canvas<Pixel>& canvas, bool argb) {
    const uint32_t kind = r.Below(3);
    for (Pixel& p : canvas.pixels) {
        uint32_t word = r.Byte() << 16 | r.Byte() << 8 | r.Byte();
        if (argb) // mostly opaque, as on screen; else any alpha, 0 included
            word |= (kind == 0 ? (r.OneIn(3) ? 0u : r.Byte()) : 255u) << 24;
        else
            word |= r.Byte() << 24;
        p = static_cast<Pixel>(word);
    }
}

uint64_t Mix(uint64_t hash, uint32_t word) {
    return (hash ^ word) * 0x100000001B3ull;
}

template <class Pixel>
uint64_t Fingerprint(int index) {
    Random r{std::mt19937(0x5EED0000u + static_cast<uint32_t>(index))};
    const TriRasterFunc member = TriRasterDefaultMember(index);
    static constexpr uint32_t kSizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {16, 16}, {37, 23}, {64, 48}};
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int c = 0; c < kCanvases; ++c) {
        const auto& size = kSizes[r.Below(6)];
        const int tw = static_cast<int>(size[0]), th = static_cast<int>(size[1]);
        const std::vector<uint32_t> texels = RandomTexels(r, tw * th);
        const TriRasterParams params{texels.data(), tw, tw * th};
        Canvas<Pixel> canvas(kWidth, kHeight, 0);
        FillDestination(r, canvas, (index >> 5) == 0);
        for (int t = 0; t < kTrianglesPerCanvas; ++t) {
            TriFixedVertex corners[3] = {RandomCorner(r, tw, th), RandomCorner(r, tw, th), RandomCorner(r, tw, th)};
            if (r.OneIn(3)) {
                // A sprite's half: texture coordinates that map the texture once.
                corners[1].u = corners[0].u + (tw << 16);
                corners[2].v = corners[0].v + (th << 16);
            }
            const TriTintColor tint = RandomTint(r);
            member(corners, canvas.Bits(), canvas.Pitch(), &params, &tint);
            for (Pixel p : canvas.pixels)
                hash = Mix(hash, p);
        }
    }
    return hash;
}

// Entry by entry, 0x00 to 0x7F.
constexpr uint64_t kExpected[kTriRasterTableSize] = {
    0x7401F286E9E1B025ull, 0x2493DCBE1A580FB5ull, 0x6E44138D474158ADull, 0xD8EC2CB4D989D53Dull, 0xF2D9ABACDA1F92D2ull,
    0x2BF75DEDEC0A52F5ull, 0x6B0825793E4ADCD9ull, 0x5C14CA6FE8C1D379ull, 0x7E51498682AA63A5ull, 0x8126967FB28CD165ull,
    0x1ABD05DD023232CDull, 0x80C8CC9DE7B2E0EDull, 0xEDEF1C2CC69D201Dull, 0x4566595FE1A95A2Eull, 0xB891FCAFABBC55E7ull,
    0x4546114F5F4143BBull, 0x34F35ABCAC1354E7ull, 0xDE7C82E249B16818ull, 0x8D8A6532EF67409Aull, 0x0733D7515E893C83ull,
    0x6B4465B8C3413174ull, 0x443172F54E2F2C52ull, 0xBFF39D18178C4782ull, 0xF8389E031C8F4A44ull, 0xED5450DA0A0FD6BEull,
    0xE16E59402620BE5Bull, 0xF11C502B9E392A99ull, 0x97839440DBE079C9ull, 0x04CEA030546C93EBull, 0x7D9B725E4EE12534ull,
    0xAA32BB65EE7DD2E6ull, 0xAD8A20E37C31EBD3ull, 0x0650943F7D03C99Dull, 0xCCC28AD148DC2B1Dull, 0xDDFEA195B150FD25ull,
    0x3614D1D9362A90ADull, 0x17F9AE15C0F5E952ull, 0x37082DC573AF4B34ull, 0x6B8CD9625E834058ull, 0x7EFFDEC0BB4D89EAull,
    0x28005904F2E5F4ADull, 0x07FD19FD78164BD5ull, 0x25AD359565058215ull, 0xCFBAC7D42907A6DDull, 0xF3625CC28F2910AEull,
    0xC3E56EC06EF28581ull, 0x176D823BB87EB5B1ull, 0x23573902A9EC42EEull, 0xC91206C7D63CA810ull, 0xC640338A4B6CE5B6ull,
    0x0BD40617D60BFFD6ull, 0x618857F258507CAEull, 0xB426ED95C95A515Aull, 0xE09A7FF8CC363F32ull, 0xCC82C9D7841E0025ull,
    0x48E868C72A42305Bull, 0x4C2906868496A14Dull, 0x64A264B4DE03612Bull, 0xC2F2F8A5979360C4ull, 0xCC375B1048559805ull,
    0x14CE8CAC04184437ull, 0x700E0B190D0B1492ull, 0xDCC3C2E6E6AF918Bull, 0xBCC8932B827692ADull, 0x9AB065EE06DC232Dull,
    0x5B9822CA2E43687Dull, 0xBC0932F48C103B1Dull, 0x8106E2FC2301E70Dull, 0x93046B3E103AD1C8ull, 0x87DF2312FDE55924ull,
    0x55881EF614943941ull, 0x119C23060EEDFAA8ull, 0x69E5D366E6361825ull, 0x7CDC290F8166BD55ull, 0xE92D2EE70ACF500Dull,
    0xF04984016B9B8BDDull, 0x2C4D563B52319112ull, 0x423863A9A8626396ull, 0xE908B158905B14BCull, 0x0E5D6C7B16C2E74Eull,
    0xCEFF2DC49D01C3ADull, 0xD5F4479E537C2215ull, 0x739378A9F7FA2ED3ull, 0x0DAC5B9969A1D5FFull, 0x740B44F70643C56Bull,
    0x9825F504F0C0D642ull, 0x7818B05BFCC010CBull, 0x4693FD21BD4F8592ull, 0xB529075FE02617A5ull, 0xF2A816CB1D33E65Aull,
    0x53650EAF5D4C9D8Dull, 0xF2A9354F089138F2ull, 0x89F78579B768DE39ull, 0xE22B2DF60595C7EAull, 0x53BB6FF83B4CF877ull,
    0x02748B15A9F7A05Bull, 0x46451E6AE06DD165ull, 0x99597EEB618C673Dull, 0x1FE12BFC2FC49E35ull, 0x00FAEBC3C6AF7E05ull,
    0x6BA50736209DC5E1ull, 0xBAD0BA0F8976C33Eull, 0x82FB8D4E94E19D01ull, 0x753F0641022ED278ull, 0xE3F6C78EFD44AA85ull,
    0x662320E3A2D259DDull, 0x25691F6589A0CFB5ull, 0x83F03653F2FF062Dull, 0xF4135977108F03C5ull, 0xF924F0F2445B1EC1ull,
    0xF36770BDCB67C2CCull, 0x746436AB58F15A49ull, 0xDE28478D69D8421Bull, 0x87D06B6153335B51ull, 0x020B5E03CA189AA1ull,
    0x4950C58FA4BA4E1Full, 0xD65C297C9C0B21D1ull, 0xB04FDF492821E5BFull, 0x747ADB2B1CA1C6E0ull, 0xEACA149A2EEBB451ull,
    0x89AB04642ACD101Aull, 0xD2CD272A53602CCBull, 0xB4EC2E831046AD34ull, 0x651C74D330674615ull, 0x85DFE2C9A72CC795ull,
    0xF96439A43F067824ull, 0xECFF82F99598D9DCull, 0x892159672F0537D9ull,
};

TEST(TriFingerprint, EveryEntryDrawsExactlyAsItsReferenceFormulas) {
    std::string mismatches;
    for (int index = 0; index < kTriRasterTableSize; ++index) {
        const uint64_t hash = (index >> 5) < 2 ? Fingerprint<uint32_t>(index) : Fingerprint<uint16_t>(index);
        if (hash != kExpected[index]) {
            char line[64];
            std::snprintf(line, sizeof line, "entry 0x%02X: 0x%016" PRIX64 "\n", index, hash);
            mismatches += line;
        }
    }
    EXPECT_EQ(mismatches, "");
}

} // namespace
} // namespace Kavo
