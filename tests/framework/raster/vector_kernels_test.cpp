#include <gtest/gtest.h>

#include <random>

#include "framework/raster/tri_simd.h"

// The four-pixel fetches and writes against the per-pixel ones, lane for lane.

namespace Kavo {
namespace {

#if KAVO_TRI_SIMD

struct Lanes {
    alignas(16) uint32_t v[4];
    explicit Lanes(__m128i x) { _mm_store_si128(reinterpret_cast<__m128i*>(v), x); }
};

std::vector<uint32_t> RandomTexels(std::mt19937& rng, int count) {
    std::vector<uint32_t> texels(static_cast<size_t>(count));
    for (uint32_t& t : texels) {
        t = static_cast<uint32_t>(rng());
        if (rng() % 3 == 0)
            t |= 0xFF000000u;
        else if (rng() % 3 == 0)
            t &= 0x00FFFFFFu;
    }
    return texels;
}

// Every 16-bit fraction of u, at columns before, inside, at the end of and
// beyond the texture, and random steps; a texture roomy enough for the
// in-bounds path and one too small for it.
TEST(TriVectorKernels, FetchesMatchThePerPixelFetches) {
    std::mt19937 rng(7);
    for (const auto& [width, height] : {std::pair{5, 4}, std::pair{1, 1}, std::pair{2, 1}}) {
        const std::vector<uint32_t> texels = RandomTexels(rng, width * height);
        const TriRasterParams tex{texels.data(), width, width * height};
        auto check = [&](uint32_t u, uint32_t v, uint32_t du, uint32_t dv) {
            const Lanes linear(TriTexelLinear4(tex, u, v, du, dv));
            const Lanes nearest(TriTexelNearest4(tex, u, v, du, dv));
            for (uint32_t k = 0; k < 4; ++k) {
                ASSERT_EQ(linear.v[k], TriTexelLinear(tex, u + k * du, v + k * dv)) << u << ' ' << v << ' ' << k;
                ASSERT_EQ(nearest.v[k], TriTexelNearest(tex, u + k * du, v + k * dv)) << u << ' ' << v << ' ' << k;
            }
        };
        for (const int column : {-2, -1, 0, 1, width - 1, width, width + 1}) {
            for (uint32_t f = 0; f < 0x10000; f += 4) {
                const uint32_t u = static_cast<uint32_t>(column) * 0x10000u + f;
                const uint32_t v = static_cast<uint32_t>(rng()) % static_cast<uint32_t>((height + 3) << 16) - 0x18000u;
                check(u, v, 1, static_cast<uint32_t>(rng()) % 0x20000u - 0x10000u);
            }
        }
        for (int i = 0; i < 20000; ++i)
            check(static_cast<uint32_t>(rng()) % static_cast<uint32_t>((width + 4) << 16) - 0x20000u,
                  static_cast<uint32_t>(rng()) % static_cast<uint32_t>((height + 4) << 16) - 0x20000u,
                  static_cast<uint32_t>(rng()) % 0x40000u - 0x20000u,
                  static_cast<uint32_t>(rng()) % 0x40000u - 0x20000u);
    }
}

// Every weight, over destinations of every kind of alpha (those that make
// the ARGB8888 blend divide among them), with lanes skipped at random.
template <class Format>
void CheckWrites() {
    std::mt19937 rng(11);
    static constexpr uint32_t kAlphas[] = {0, 1, 8, 128, 254, 255, 255, 255};
    for (int round = 0; round < 400; ++round)
        for (uint32_t weight = 0; weight < 256; weight += 4) {
            uint32_t dst[4], color[4], term[4], weights[4], skip[4];
            for (int k = 0; k < 4; ++k) {
                dst[k] = (static_cast<uint32_t>(rng()) & 0xFFFFFFu) | kAlphas[rng() % 8] << 24;
                color[k] = static_cast<uint32_t>(rng());
                weights[k] = rng() % 4 == 0 ? static_cast<uint32_t>(rng() % 256) : weight + static_cast<uint32_t>(k);
                term[k] = TriScaleRGB(color[k], weights[k]);
                skip[k] = rng() % 5 == 0 ? ~0u : 0u;
            }
            auto load = [](const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
            uint32_t vector[4] = {dst[0], dst[1], dst[2], dst[3]};
            TriWrite4(Format{}, vector, TriSample4{load(color), load(term), load(weights), load(skip)});
            for (int k = 0; k < 4; ++k) {
                uint32_t expected = dst[k];
                if (!skip[k])
                    TriTintWrite<Format>(expected, color[k], term[k], weights[k]);
                ASSERT_EQ(vector[k], expected) << "weight " << weights[k] << " over " << dst[k];
            }
        }
}

TEST(TriVectorKernels, WritesMatchThePerPixelWrites) {
    CheckWrites<TriFormatARGB8888>();
    CheckWrites<TriFormatRGB888>();
}

#endif

} // namespace
} // namespace Kavo
