// The fast span kernels against a plain per-pixel renderer written from the
// rules alone: for every pixel centre, an edge test with the top-left rule,
// barycentric interpolation in doubles, sampling, texture × diffuse and the
// blend, each worked out directly. Random triangles in every target format,
// sampling mode and blend must cover the same pixels and give the same colours
// (within the rounding of the fixed-point steps).

#include <cmath>
#include <random>

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

constexpr int kSize = 48;

struct Pipeline {
    bool textured = false;
    bool bilinear = false;
    bool wrap = false;
    bool modulateAlpha = false;
    Blend source = Blend::One, destination = Blend::Zero;
};

struct Texels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
};

double Channel(std::uint32_t c, int shift) {
    return static_cast<double>((c >> shift) & 0xFF);
}

// One pixel's source colour, channels 0..255 (a, r, g, b).
struct Colour {
    double c[4];
};

int Wrapped(long long i, int n, bool wrap) {
    if (wrap) {
        return static_cast<int>(((i % n) + n) % n);
    }
    return static_cast<int>(std::min<long long>(std::max<long long>(i, 0), n - 1));
}

Colour SampleReference(const Texels& t, const Pipeline& p, double s, double u) {
    Colour out{};
    if (!p.bilinear) {
        const std::uint32_t texel =
            t.argb[static_cast<std::size_t>(Wrapped(static_cast<long long>(std::floor(u)), t.height, p.wrap) * t.width +
                                            Wrapped(static_cast<long long>(std::floor(s)), t.width, p.wrap))];
        for (int k = 0; k < 4; ++k) {
            out.c[k] = Channel(texel, 24 - 8 * k);
        }
        return out;
    }
    const double x = s - 0.5, y = u - 0.5;
    const double fx = x - std::floor(x), fy = y - std::floor(y);
    const long long i = static_cast<long long>(std::floor(x)), j = static_cast<long long>(std::floor(y));
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const double w = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            const std::uint32_t texel = t.argb[static_cast<std::size_t>(Wrapped(j + dy, t.height, p.wrap) * t.width +
                                                                        Wrapped(i + dx, t.width, p.wrap))];
            for (int k = 0; k < 4; ++k) {
                out.c[k] += w * Channel(texel, 24 - 8 * k);
            }
        }
    }
    return out;
}

double FactorOf(Blend b, double alpha) {
    switch (b) {
    case Blend::Zero:
        return 0;
    case Blend::One:
        return 1;
    case Blend::SrcAlpha:
        return alpha / 255;
    case Blend::InvSrcAlpha:
        return 1 - alpha / 255;
    }
    return 0;
}

// Draws one triangle into `target` pixel by pixel; `covered` marks the pixels.
void DrawReference(TargetBuffer& target, std::vector<std::uint8_t>& covered, const Pipeline& p, const Texels& tex,
                   const TLVertex (&v)[3]) {
    long long X[3], Y[3];
    for (int i = 0; i < 3; ++i) {
        X[i] = std::llround(static_cast<double>(v[i].x) * 256);
        Y[i] = std::llround(static_cast<double>(v[i].y) * 256);
    }
    const long long area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
    if (area == 0) {
        return;
    }
    const double sign = area > 0 ? 1 : -1;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            double w[3];
            bool inside = true;
            for (int e = 0; e < 3; ++e) {
                // The edge opposite vertex e, walked so that the inside is positive.
                const int a = (e + 1) % 3, b = (e + 2) % 3;
                const long long ex = X[b] - X[a], ey = Y[b] - Y[a];
                const long long f = ex * (py * 256LL - Y[a]) - ey * (px * 256LL - X[a]);
                const double value = sign * static_cast<double>(f);
                // Top edge: horizontal with the inside below; left edge: the inside to its right.
                const long long sx = area > 0 ? ex : -ex, sy = area > 0 ? ey : -ey;
                const bool topLeft = sy < 0 || (sy == 0 && sx > 0);
                inside = inside && (value > 0 || (value == 0 && topLeft));
                w[e] = value / (sign * static_cast<double>(area));
            }
            if (!inside) {
                continue;
            }
            covered[static_cast<std::size_t>(py * kSize + px)] = 1;
            Colour diffuse{};
            double s = 0, t = 0;
            for (int i = 0; i < 3; ++i) {
                for (int k = 0; k < 4; ++k) {
                    diffuse.c[k] += w[i] * Channel(v[i].diffuse, 24 - 8 * k);
                }
                s += w[i] * v[i].u * tex.width;
                t += w[i] * v[i].v * tex.height;
            }
            Colour src = diffuse;
            if (p.textured) {
                const Colour texel = SampleReference(tex, p, s, t);
                src.c[0] = p.modulateAlpha ? texel.c[0] * diffuse.c[0] / 255 : texel.c[0];
                for (int k = 1; k < 4; ++k) {
                    src.c[k] = texel.c[k] * diffuse.c[k] / 255;
                }
            }
            const Rgb8 dst = target.At(px, py);
            const double d[3] = {static_cast<double>(dst.r), static_cast<double>(dst.g), static_cast<double>(dst.b)};
            int out[3];
            for (int k = 0; k < 3; ++k) {
                const double value =
                    src.c[k + 1] * FactorOf(p.source, src.c[0]) + d[k] * FactorOf(p.destination, src.c[0]);
                out[k] = static_cast<int>(std::lround(std::min(255.0, value)));
            }
            // Stored through a one-pixel device clear, which writes the target format.
            SoftwareDevice3D writer;
            ASSERT_EQ(writer.SetRenderTarget(target.View()), D3D_OK);
            const ClearRect one{px, py, px + 1, py + 1};
            ASSERT_EQ(writer.Clear(1, &one, kClearTarget,
                                   0xFF000000u | static_cast<std::uint32_t>(out[0] << 16 | out[1] << 8 | out[2]), 1, 0),
                      D3D_OK);
        }
    }
}

class ReferenceTest : public ::testing::TestWithParam<TargetFormat> {};

TEST_P(ReferenceTest, RandomTrianglesMatchThePerPixelReference) {
    std::mt19937 rng(1234);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto coordinate = [&]() {
        const double x = uniform(-6, kSize + 6);
        // Every third coordinate falls on a quarter pixel, to meet pixel centres on the edges.
        return static_cast<float>(rng() % 3 == 0 ? std::round(x * 4) / 4 : x);
    };
    const Blend blends[][2] = {{Blend::One, Blend::Zero},
                               {Blend::SrcAlpha, Blend::InvSrcAlpha},
                               {Blend::One, Blend::One},
                               {Blend::SrcAlpha, Blend::One},
                               {Blend::InvSrcAlpha, Blend::SrcAlpha}};
    Texels tex{8, 4, {}};
    for (int y = 0; y < tex.height; ++y) {
        for (int x = 0; x < tex.width; ++x) {
            // Neighbouring texels differ by at most 40 a channel, so a texel
            // chosen differently at an exact boundary stays visible but small.
            tex.argb.push_back(
                static_cast<std::uint32_t>((0x90 + 12 * x) << 24 | (40 * x) << 16 | (60 * y) << 8 | (20 * (x + y))));
        }
    }
    int pixels = 0, colourMisses = 0;
    for (int round = 0; round < 120; ++round) {
        Pipeline p;
        p.textured = round % 4 != 0;
        p.bilinear = round % 3 == 1;
        p.wrap = round % 5 == 2;
        p.modulateAlpha = round % 2 == 1;
        p.source = blends[round % 5][0];
        p.destination = blends[round % 5][1];
        SCOPED_TRACE(testing::Message() << "round " << round);

        TargetBuffer fast(GetParam(), kSize, kSize), reference(GetParam(), kSize, kSize);
        SoftwareDevice3D device;
        Prepare(device, fast);
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0xFF3060A0, 1, 0), D3D_OK);
        SoftwareDevice3D refClear;
        ASSERT_EQ(refClear.SetRenderTarget(reference.View()), D3D_OK);
        ASSERT_EQ(refClear.Clear(0, nullptr, kClearTarget, 0xFF3060A0, 1, 0), D3D_OK);
        SetBlend(device, p.source, p.destination);
        const auto stage = [&](TextureStageState s, std::uint32_t value) {
            ASSERT_EQ(device.SetTextureStageState(0, s, value), D3D_OK);
        };
        const auto filter = static_cast<std::uint32_t>(p.bilinear ? TextureFilter::Linear : TextureFilter::Point);
        stage(TextureStageState::MagFilter, filter);
        stage(TextureStageState::MinFilter, filter);
        const auto address = static_cast<std::uint32_t>(p.wrap ? TextureAddress::Wrap : TextureAddress::Clamp);
        stage(TextureStageState::AddressU, address);
        stage(TextureStageState::AddressV, address);
        stage(TextureStageState::AlphaOp,
              static_cast<std::uint32_t>(p.modulateAlpha ? TextureOp::Modulate : TextureOp::SelectArg1));
        if (p.textured) {
            ASSERT_EQ(
                device.SetTexture(0, MakeTexture(device, tex.width, tex.height, TextureFormat::Argb8888, tex.argb)),
                D3D_OK);
        }

        TLVertex v[3];
        for (TLVertex& vertex : v) {
            vertex = Vertex(coordinate(), coordinate(), static_cast<std::uint32_t>(rng()) | 0x60000000u,
                            static_cast<float>(uniform(-0.5, 1.5)), static_cast<float>(uniform(-0.5, 1.5)));
        }
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleList, kFvfTransformedTextured, v, 3, 0), D3D_OK);
        std::vector<std::uint8_t> covered(kSize * kSize, 0);
        DrawReference(reference, covered, p, tex, v);

        // Coverage: the same triangle adding 1 to a black target.
        TargetBuffer counts(TargetFormat::Xrgb8888, kSize, kSize);
        SoftwareDevice3D counter;
        Prepare(counter, counts);
        SetBlend(counter, Blend::One, Blend::One);
        TLVertex plain[3] = {v[0], v[1], v[2]};
        for (TLVertex& vertex : plain) {
            vertex.diffuse = 0xFF010101;
        }
        ASSERT_EQ(counter.DrawPrimitive(PrimitiveType::TriangleList, kFvfTransformedTextured, plain, 3, 0), D3D_OK);

        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                ASSERT_EQ(counts.At(x, y).r, covered[static_cast<std::size_t>(y * kSize + x)]) << x << "," << y;
                const Rgb8 a = fast.At(x, y), b = reference.At(x, y);
                const int diff = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
                pixels += covered[static_cast<std::size_t>(y * kSize + x)];
                // Rounding may tip a value across one step of the target format.
                if (diff > fast.Tolerance() + 2) {
                    ++colourMisses;
                }
            }
        }
        ASSERT_TRUE(fast.GuardsIntact());
    }
    ASSERT_GT(pixels, 10000);
    // A texel picked on the other side of an exact boundary is the only
    // excuse for a larger difference, and it is rare.
    EXPECT_LE(colourMisses, pixels / 1000) << colourMisses << " of " << pixels;
}

INSTANTIATE_TEST_SUITE_P(Formats, ReferenceTest,
                         ::testing::Values(TargetFormat::Rgb565, TargetFormat::Rgb555, TargetFormat::Xrgb8888));

} // namespace
} // namespace platform::test
