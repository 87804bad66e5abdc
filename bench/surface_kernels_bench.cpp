// The display-surface kernels (alpha and additive blits onto 32-bit and
// 5:6:5 surfaces) against pixman doing the same work onto x8r8g8b8 and
// r5g6b5 images; ends with the time per pixel of each workload and the
// ratio ours / pixman. Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build-bench --target surface_kernels_bench && build-bench/bench/surface_kernels_bench

#include <cstring>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/surface_kernels.h"

namespace {

using namespace Kavo;

constexpr int kDestWidth = 1024;
constexpr int kDestHeight = 768;
constexpr int kSprite = 256;
constexpr int kAt = 200;

enum class Kind { Alpha32, Alpha565, Additive32 };

struct Workload {
    std::string name;
    Kind kind;
};

const Workload kWorkloads[] = {
    {"surface_blit_alpha_x888", Kind::Alpha32},
    {"surface_blit_alpha_565", Kind::Alpha565},
    {"surface_blit_additive_x888", Kind::Additive32},
};

bool Is565(Kind kind) {
    return kind == Kind::Alpha565;
}

// The background pattern in the surface's format.
std::vector<uint8_t> Background(Kind kind, int& pitch) {
    const std::vector<uint32_t> pattern = KavoBench::Pattern(kDestWidth, kDestHeight);
    const int bytes = Is565(kind) ? 2 : 4;
    pitch = kDestWidth * bytes;
    std::vector<uint8_t> bits(static_cast<size_t>(pitch) * kDestHeight);
    for (size_t i = 0; i < pattern.size(); ++i) {
        const uint32_t p = pattern[i];
        const uint32_t v = Is565(kind) ? ((p >> 8) & 0xF800) | ((p >> 5) & 0x7E0) | ((p >> 3) & 0x1F) : p & 0xFFFFFF;
        std::memcpy(bits.data() + i * bytes, &v, bytes);
    }
    return bits;
}

void Finish(benchmark::State& state) {
    const double pixels = double{kSprite} * kSprite;
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * pixels));
}

void RunOurs(benchmark::State& state, Kind kind) {
    const std::vector<uint32_t> spritePixels = KavoBench::SoftSprite(kSprite);
    MemoryImage sprite;
    sprite.SetBits(spritePixels.data(), kSprite, kSprite);
    int pitch = 0;
    std::vector<uint8_t> bits = Background(kind, pitch);
    const SurfaceTarget surface{bits.data(), pitch, Is565(kind) ? 16 : 32, kDestWidth, kDestHeight};
    const DisplayTables tables(Is565(kind) ? DisplayPixelFormat::Rgb565() : DisplayPixelFormat::Rgb888());
    const IntRect whole(0, 0, kSprite, kSprite);
    // The display-format copy and run tables are built once, as the display
    // keeps them between frames.
    sprite.GetDisplayFormatBits(tables.Format());
    for (auto _ : state) {
        if (kind == Kind::Additive32)
            SurfaceKernels::AdditiveBlt(surface, tables, sprite, kAt, kAt, whole, Color::White);
        else
            SurfaceKernels::NormalBlt(surface, tables, sprite, kAt, kAt, whole, Color::White);
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void RunPixman(benchmark::State& state, Kind kind) {
    std::vector<uint32_t> premultiplied;
    pixman_image_t* src = KavoBench::MakePremultiplied(KavoBench::SoftSprite(kSprite), kSprite, kSprite, premultiplied);
    int pitch = 0;
    std::vector<uint8_t> bits = Background(kind, pitch);
    pixman_image_t* dst = pixman_image_create_bits(Is565(kind) ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8, kDestWidth,
                                                   kDestHeight, reinterpret_cast<uint32_t*>(bits.data()), pitch);
    const pixman_op_t op = kind == Kind::Additive32 ? PIXMAN_OP_ADD : PIXMAN_OP_OVER;
    for (auto _ : state) {
        pixman_image_composite32(op, src, nullptr, dst, 0, 0, 0, 0, kAt, kAt, kSprite, kSprite);
        benchmark::ClobberMemory();
    }
    Finish(state);
    pixman_image_unref(dst);
    pixman_image_unref(src);
}

} // namespace

int main(int argc, char** argv) {
    for (const Workload& w : kWorkloads) {
        const Kind kind = w.kind;
        KavoBench::RegisterPair(
            w.name, [kind](benchmark::State& s) { RunOurs(s, kind); },
            [kind](benchmark::State& s) { RunPixman(s, kind); });
    }
    return KavoBench::RunPairs(argc, argv);
}
