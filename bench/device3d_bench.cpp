// The software 3D device against pixman doing the same work, side by side in
// one run: a full-screen 1024 x 768 quad, textured with bilinear filtering
// (a 512 x 384 texture stretched twice, so both sides really filter) and
// alpha blended, and 2,000 alpha-blended 32 x 32 sprites drawn texel for
// pixel, each into an x8r8g8b8 and an r5g6b5 target. Ends with the time per
// pixel of each workload and the ratio ours / pixman. Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build-bench --target device3d_bench && build-bench/bench/device3d_bench

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "platform/device3d/software_device3d.h"

namespace {

using namespace platform;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kTextureWidth = 512;
constexpr int kTextureHeight = 384;
constexpr int kSprite = 32;
constexpr int kSprites = 2000;

enum class Kind { FullScreen, Sprites };

struct Workload {
    std::string name;
    Kind kind;
    bool rgb565;
};

const Workload kWorkloads[] = {
    {"quad_1024x768_bilinear_x8r8g8b8", Kind::FullScreen, false},
    {"quad_1024x768_bilinear_r5g6b5", Kind::FullScreen, true},
    {"sprites_2000_32x32_x8r8g8b8", Kind::Sprites, false},
    {"sprites_2000_32x32_r5g6b5", Kind::Sprites, true},
};

// Where the sprites go: a fixed scatter over the screen, whole sprites only.
std::vector<std::pair<int, int>> SpritePositions() {
    std::vector<std::pair<int, int>> at;
    std::uint32_t seed = 12345;
    for (int i = 0; i < kSprites; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = static_cast<int>((seed >> 8) % (kWidth - kSprite));
        seed = seed * 1664525u + 1013904223u;
        const int y = static_cast<int>((seed >> 8) % (kHeight - kSprite));
        at.emplace_back(x, y);
    }
    return at;
}

// A texture that is partly transparent all over: the quad blends every pixel.
std::vector<std::uint32_t> QuadTexels() {
    std::vector<std::uint32_t> texels = KavoBench::Pattern(kTextureWidth, kTextureHeight);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = (texels[i] & 0x00FFFFFFu) | static_cast<std::uint32_t>(0x40 + (i * 7) % 0x80) << 24;
    }
    return texels;
}

double PixelsOf(Kind kind) {
    return kind == Kind::FullScreen ? double{kWidth} * kHeight : double{kSprites} * kSprite * kSprite;
}

void Finish(benchmark::State& state, Kind kind) {
    state.counters["pixels"] = PixelsOf(kind);
    state.SetItemsProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * PixelsOf(kind)));
}

std::shared_ptr<Texture> Upload(Device3D& device, const std::vector<std::uint32_t>& texels, int w, int h) {
    std::shared_ptr<Texture> texture;
    device.CreateTexture(w, h, TextureFormat::Argb8888, texture);
    LockedTexture locked;
    texture->Lock(kLockWait | kLockWriteOnly, locked);
    for (int y = 0; y < h; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(locked.bits) + y * locked.pitch, texels.data() + y * w,
                    static_cast<std::size_t>(w) * 4);
    }
    texture->Unlock();
    return texture;
}

TLVertex Corner(float x, float y, float u, float v) {
    return TLVertex{x, y, 0, 1, 0xFFFFFFFF, 0, u, v};
}

void RunOurs(benchmark::State& state, const Workload& work) {
    const int bytes = work.rgb565 ? 2 : 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * bytes, 0x5A);
    RenderTargetView view{pixels.data(), kWidth * bytes, kWidth, kHeight, bytes * 8, 0xFF0000, 0xFF00, 0xFF};
    if (work.rgb565) {
        view.redMask = 0xF800, view.greenMask = 0x07E0, view.blueMask = 0x001F;
    }
    SoftwareDevice3D device;
    device.SetRenderTarget(view);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::SrcAlpha));
    device.SetRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::InvSrcAlpha));
    device.SetRenderState(RenderState::CullMode, static_cast<std::uint32_t>(Cull::None));
    device.SetTextureStageState(0, TextureStageState::AddressU, static_cast<std::uint32_t>(TextureAddress::Clamp));
    device.SetTextureStageState(0, TextureStageState::AddressV, static_cast<std::uint32_t>(TextureAddress::Clamp));
    const auto filter =
        static_cast<std::uint32_t>(work.kind == Kind::FullScreen ? TextureFilter::Linear : TextureFilter::Point);
    device.SetTextureStageState(0, TextureStageState::MagFilter, filter);
    device.SetTextureStageState(0, TextureStageState::MinFilter, filter);

    const auto quad = Upload(device, QuadTexels(), kTextureWidth, kTextureHeight);
    const auto sprite = Upload(device, KavoBench::SoftSprite(kSprite), kSprite, kSprite);
    const auto positions = SpritePositions();
    for (auto _ : state) {
        device.BeginScene();
        if (work.kind == Kind::FullScreen) {
            device.SetTexture(0, quad);
            const TLVertex v[4] = {Corner(-0.5f, -0.5f, 0, 0), Corner(-0.5f, kHeight - 0.5f, 0, 1),
                                   Corner(kWidth - 0.5f, -0.5f, 1, 0), Corner(kWidth - 0.5f, kHeight - 0.5f, 1, 1)};
            device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, v, 4, 0);
        } else {
            for (const auto& [x, y] : positions) {
                // As the renderer draws each sprite: bind its texture, one strip.
                device.SetTexture(0, sprite);
                const float l = x - 0.5f, t = y - 0.5f;
                const TLVertex v[4] = {Corner(l, t, 0, 0), Corner(l, t + kSprite, 0, 1), Corner(l + kSprite, t, 1, 0),
                                       Corner(l + kSprite, t + kSprite, 1, 1)};
                device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, v, 4, 0);
            }
        }
        device.EndScene();
        benchmark::ClobberMemory();
    }
    Finish(state, work.kind);
}

void RunPixman(benchmark::State& state, const Workload& work) {
    const int bytes = work.rgb565 ? 2 : 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * bytes, 0x5A);
    pixman_image_t* dst = pixman_image_create_bits(work.rgb565 ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8, kWidth, kHeight,
                                                   reinterpret_cast<std::uint32_t*>(pixels.data()), kWidth * bytes);
    std::vector<std::uint32_t> quadStorage, spriteStorage;
    pixman_image_t* quad = KavoBench::MakePremultiplied(QuadTexels(), kTextureWidth, kTextureHeight, quadStorage);
    pixman_transform_t half;
    pixman_transform_init_scale(&half, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    pixman_image_set_transform(quad, &half);
    pixman_image_set_filter(quad, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_t* sprite =
        KavoBench::MakePremultiplied(KavoBench::SoftSprite(kSprite), kSprite, kSprite, spriteStorage);
    const auto positions = SpritePositions();
    for (auto _ : state) {
        if (work.kind == Kind::FullScreen) {
            pixman_image_composite32(PIXMAN_OP_OVER, quad, nullptr, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
        } else {
            for (const auto& [x, y] : positions) {
                pixman_image_composite32(PIXMAN_OP_OVER, sprite, nullptr, dst, 0, 0, 0, 0, x, y, kSprite, kSprite);
            }
        }
        benchmark::ClobberMemory();
    }
    Finish(state, work.kind);
    pixman_image_unref(sprite);
    pixman_image_unref(quad);
    pixman_image_unref(dst);
}

} // namespace

int main(int argc, char** argv) {
    for (const Workload& work : kWorkloads) {
        KavoBench::RegisterPair(
            work.name, [work](benchmark::State& state) { RunOurs(state, work); },
            [work](benchmark::State& state) { RunPixman(state, work); });
    }
    return KavoBench::RunPairs(argc, argv);
}
