#pragma once
// A render target in memory with a padded pitch, read back as 8-bit RGB, and
// a device bound to it, for the 3D device tests.

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "platform/device3d/software_device3d.h"
#include "platform/device3d/span_kernels.h"

namespace platform::test {

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb8& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Pixels of `width` × `height` with four spare bytes at the end of each row,
// which must never be written.
class TargetBuffer {
public:
    static constexpr std::uint8_t kGuard = 0xA5;

    TargetBuffer(TargetFormat format, int width, int height) : mFormat(format), mWidth(width), mHeight(height) {
        mBytes = format == TargetFormat::Xrgb8888 ? 4 : 2;
        mPitch = width * mBytes + 4;
        mMemory.assign(static_cast<std::size_t>(mPitch) * static_cast<std::size_t>(height), 0);
        for (int y = 0; y < height; ++y) {
            std::memset(Row(y) + width * mBytes, kGuard, 4);
        }
    }

    RenderTargetView View() {
        RenderTargetView v{mMemory.data(), mPitch, mWidth, mHeight, mBytes * 8, 0, 0, 0};
        switch (mFormat) {
        case TargetFormat::Rgb565:
            v.redMask = 0xF800, v.greenMask = 0x07E0, v.blueMask = 0x001F;
            break;
        case TargetFormat::Rgb555:
            v.redMask = 0x7C00, v.greenMask = 0x03E0, v.blueMask = 0x001F;
            break;
        default:
            v.redMask = 0xFF0000, v.greenMask = 0xFF00, v.blueMask = 0xFF;
            break;
        }
        return v;
    }

    std::uint32_t Raw(int x, int y) const {
        std::uint32_t v = 0;
        std::memcpy(&v, Row(y) + x * mBytes, static_cast<std::size_t>(mBytes));
        return v;
    }

    // The pixel widened to 8 bits a channel by repeating the top bits.
    Rgb8 At(int x, int y) const {
        const std::uint32_t v = Raw(x, y);
        auto widen = [](std::uint32_t c, int bits) {
            return static_cast<int>((c << (8 - bits)) | (c >> (2 * bits - 8)));
        };
        switch (mFormat) {
        case TargetFormat::Rgb565:
            return {widen(v >> 11, 5), widen((v >> 5) & 0x3F, 6), widen(v & 0x1F, 5)};
        case TargetFormat::Rgb555:
            return {widen((v >> 10) & 0x1F, 5), widen((v >> 5) & 0x1F, 5), widen(v & 0x1F, 5)};
        default:
            return {static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)};
        }
    }

    bool GuardsIntact() const {
        for (int y = 0; y < mHeight; ++y) {
            for (int i = 0; i < 4; ++i) {
                if (Row(y)[mWidth * mBytes + i] != kGuard) {
                    return false;
                }
            }
        }
        return true;
    }

    // Largest error one channel can carry after a round trip through the format.
    int Tolerance() const { return mFormat == TargetFormat::Xrgb8888 ? 1 : 8; }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

private:
    std::uint8_t* Row(int y) { return mMemory.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mPitch); }
    const std::uint8_t* Row(int y) const {
        return mMemory.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mPitch);
    }

    TargetFormat mFormat;
    int mWidth, mHeight, mBytes = 0, mPitch = 0;
    std::vector<std::uint8_t> mMemory;
};

// Texels for the kernel comparisons: opaque, transparent and in between,
// so that every shortcut of a row blend is taken somewhere.
inline std::vector<std::uint32_t> MixedAlphaTexels(int width, int height, std::mt19937& rng) {
    std::vector<std::uint32_t> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::uint32_t& texel : texels) {
        const std::uint32_t alpha = rng() % 3 == 0 ? 0xFF : rng() % 3 == 0 ? 0 : rng() & 0xFF;
        texel = alpha << 24 | (rng() & 0xFFFFFF);
    }
    return texels;
}

// A shader over `texels` whose addressing and select change from round to
// round: clamped or wrapped either way, texels or-ed with an opaque alpha.
inline SpanShader VariedShader(const std::vector<std::uint32_t>& texels, int width, int height, int round) {
    SpanShader shader;
    shader.texels = texels.data();
    shader.width = width;
    shader.height = height;
    shader.wrapU = round % 3 == 1;
    shader.wrapV = round % 4 == 2;
    shader.texelOr = round % 5 == 3 ? 0xFF000000u : 0;
    return shader;
}

inline TLVertex Vertex(float x, float y, std::uint32_t diffuse, float u = 0, float v = 0) {
    return TLVertex{x, y, 0.0f, 1.0f, diffuse, 0, u, v};
}

// A rectangle as the renderer sends one: a strip of four corners.
inline std::vector<TLVertex> QuadStrip(float left, float top, float right, float bottom, std::uint32_t diffuse,
                                       float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1) {
    return {Vertex(left, top, diffuse, u0, v0), Vertex(left, bottom, diffuse, u0, v1),
            Vertex(right, top, diffuse, u1, v0), Vertex(right, bottom, diffuse, u1, v1)};
}

// A software device on `target` with culling off, inside a scene.
inline void Prepare(SoftwareDevice3D& device, TargetBuffer& target) {
    ASSERT_EQ(device.SetRenderTarget(target.View()), D3D_OK);
    ASSERT_EQ(device.SetRenderState(RenderState::CullMode, static_cast<std::uint32_t>(Cull::None)), D3D_OK);
    ASSERT_EQ(device.BeginScene(), D3D_OK);
}

inline void SetBlend(Device3D& device, Blend source, Blend destination) {
    ASSERT_EQ(device.SetRenderState(RenderState::AlphaBlendEnable, 1), D3D_OK);
    ASSERT_EQ(device.SetRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(source)), D3D_OK);
    ASSERT_EQ(device.SetRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(destination)), D3D_OK);
}

// A texture of `format` holding `texels` (already in that format), row by row.
template <typename T>
std::shared_ptr<Texture> MakeTexture(Device3D& device, int width, int height, TextureFormat format,
                                     const std::vector<T>& texels) {
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(device.CreateTexture(width, height, format, texture), DD_OK);
    LockedTexture locked;
    EXPECT_EQ(texture->Lock(kLockWait | kLockWriteOnly, locked), DD_OK);
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(locked.bits) + y * locked.pitch, texels.data() + y * width,
                    sizeof(T) * static_cast<std::size_t>(width));
    }
    EXPECT_EQ(texture->Unlock(), DD_OK);
    return texture;
}

} // namespace platform::test
