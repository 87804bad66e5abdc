// Memory-image blits, stretches and rotation against pixman doing the same
// work, side by side in one run; ends with the time per pixel of each
// workload and the ratio ours / pixman. Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build-bench --target blit_bench && build-bench/bench/blit_bench
// Our side runs at the best kernel level the processor has; with
// --kernel_levels=sse2,ssse3,avx2 (any of them) each workload is measured at
// each level named, as "<workload>@<level>", every one paired with pixman,
// so that the levels are compared side by side in one run.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit_pixel.h"

namespace {

using namespace Kavo;
using KavoBench::Affine;

constexpr int kDestWidth = 1024;
constexpr int kDestHeight = 768;
constexpr int kSprite = 256;
constexpr int kStretched = 384; // 1.5 times the sprite
constexpr int kAt = 200;        // where every sprite's corner goes
constexpr double kDegrees = 30;

std::vector<uint32_t> Background() {
    return KavoBench::Pattern(kDestWidth, kDestHeight);
}

enum class Kind { Blit, BlitTinted, BlitAdditive, StretchNearest, StretchFiltered, Rotated };

struct Workload {
    std::string name;
    Kind kind;
};

const Workload kWorkloads[] = {
    {"blit_alpha", Kind::Blit},
    {"blit_tint_alpha128", Kind::BlitTinted},
    {"blit_additive", Kind::BlitAdditive},
    {"stretch_1.5_nearest", Kind::StretchNearest},
    {"stretch_1.5_filtered", Kind::StretchFiltered},
    {"rotate_30_bilinear", Kind::Rotated},
};

// The turned sprite as pixman is given it: corner-to-corner rotation about
// the sprite's centre (our angle turns the other way in this convention).
Affine Turned() {
    return Affine::Turn(kSprite, kSprite, -kDegrees, 1.0, kAt + kSprite / 2.0, kAt + kSprite / 2.0);
}

double PixelsOf(Kind kind) {
    switch (kind) {
    case Kind::StretchNearest:
    case Kind::StretchFiltered:
        return double{kStretched} * kStretched;
    case Kind::Rotated: {
        const Affine m = Turned();
        const double s = kSprite;
        return static_cast<double>(KavoBench::CountPixels(
            {{m.X(0, 0), m.Y(0, 0)}, {m.X(s, 0), m.Y(s, 0)}, {m.X(s, s), m.Y(s, s)}, {m.X(0, s), m.Y(0, s)}},
            kDestWidth, kDestHeight));
    }
    default:
        return double{kSprite} * kSprite;
    }
}

void Finish(benchmark::State& state, Kind kind) {
    const double pixels = PixelsOf(kind);
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * pixels));
}

// The kernel level our side runs at for the length of one benchmark.
class LevelScope {
public:
    explicit LevelScope(std::optional<BlitPixel::KernelLevel> level) {
        if (level)
            BlitPixel::SetKernelLevel(*level);
    }
    ~LevelScope() { BlitPixel::SetKernelLevel(BlitPixel::MaxKernelLevel()); }
    LevelScope(const LevelScope&) = delete;
    LevelScope& operator=(const LevelScope&) = delete;
};

void RunOurs(benchmark::State& state, Kind kind, std::optional<BlitPixel::KernelLevel> level) {
    const LevelScope scope(level);
    const std::vector<uint32_t> spritePixels = KavoBench::SoftSprite(kSprite);
    const std::vector<uint32_t> background = Background();
    MemoryImage sprite;
    sprite.SetBits(spritePixels.data(), kSprite, kSprite);
    MemoryImage dest;
    dest.SetBits(background.data(), kDestWidth, kDestHeight); // flags: opaque
    const IntRect whole(0, 0, kSprite, kSprite);
    const IntRect clip(0, 0, kDestWidth, kDestHeight);
    const IntRect stretched(kAt, kAt, kStretched, kStretched);
    const double angle = kDegrees * std::numbers::pi / 180.0;
    for (auto _ : state) {
        switch (kind) {
        case Kind::Blit:
            dest.Blt(&sprite, kAt, kAt, whole, Color::White, 0);
            break;
        case Kind::BlitTinted:
            dest.Blt(&sprite, kAt, kAt, whole, Color(255, 255, 255, 128), 0);
            break;
        case Kind::BlitAdditive:
            dest.Blt(&sprite, kAt, kAt, whole, Color::White, 1);
            break;
        case Kind::StretchNearest:
            dest.StretchBlt(&sprite, stretched, whole, clip, Color::White, 0, true);
            break;
        case Kind::StretchFiltered:
            dest.StretchBlt(&sprite, stretched, whole, clip, Color::White, 0, false);
            break;
        case Kind::Rotated:
            dest.BltRotated(&sprite, kAt, kAt, whole, clip, Color::White, 0, angle, kSprite / 2.0f, kSprite / 2.0f);
            break;
        }
        benchmark::ClobberMemory();
    }
    Finish(state, kind);
}

void RunPixman(benchmark::State& state, Kind kind) {
    std::vector<uint32_t> premultiplied;
    pixman_image_t* src = KavoBench::MakePremultiplied(KavoBench::SoftSprite(kSprite), kSprite, kSprite, premultiplied);
    std::vector<uint32_t> background = Background();
    pixman_image_t* dst =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kDestWidth, kDestHeight, background.data(), kDestWidth * 4);
    pixman_image_t* mask = nullptr;
    pixman_op_t op = PIXMAN_OP_OVER;
    int x = kAt, y = kAt, w = kSprite, h = kSprite;
    switch (kind) {
    case Kind::BlitTinted: {
        const pixman_color_t alpha{0, 0, 0, 128 * 257};
        mask = pixman_image_create_solid_fill(&alpha);
        break;
    }
    case Kind::BlitAdditive:
        op = PIXMAN_OP_ADD;
        break;
    case Kind::StretchNearest:
    case Kind::StretchFiltered: {
        pixman_transform_t scale;
        pixman_transform_init_scale(&scale, pixman_double_to_fixed(double{kSprite} / kStretched),
                                    pixman_double_to_fixed(double{kSprite} / kStretched));
        pixman_image_set_transform(src, &scale);
        pixman_image_set_filter(src, kind == Kind::StretchNearest ? PIXMAN_FILTER_NEAREST : PIXMAN_FILTER_BILINEAR,
                                nullptr, 0);
        w = h = kStretched;
        break;
    }
    case Kind::Rotated: {
        const Affine m = Turned();
        const pixman_transform_t t = KavoBench::ToPixman(m);
        pixman_image_set_transform(src, &t);
        pixman_image_set_filter(src, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (double cx : {0.0, double{kSprite}})
            for (double cy : {0.0, double{kSprite}}) {
                x0 = std::min(x0, m.X(cx, cy)), x1 = std::max(x1, m.X(cx, cy));
                y0 = std::min(y0, m.Y(cx, cy)), y1 = std::max(y1, m.Y(cx, cy));
            }
        x = static_cast<int>(std::floor(x0)), y = static_cast<int>(std::floor(y0));
        w = static_cast<int>(std::ceil(x1)) - x + 1, h = static_cast<int>(std::ceil(y1)) - y + 1;
        break;
    }
    default:
        break;
    }
    // The rotation's transform maps destination coordinates to the sprite;
    // every other source is read from its own origin.
    const int srcX = kind == Kind::Rotated ? x : 0, srcY = kind == Kind::Rotated ? y : 0;
    for (auto _ : state) {
        pixman_image_composite32(op, src, mask, dst, srcX, srcY, 0, 0, x, y, w, h);
        benchmark::ClobberMemory();
    }
    Finish(state, kind);
    if (mask != nullptr)
        pixman_image_unref(mask);
    pixman_image_unref(dst);
    pixman_image_unref(src);
}

} // namespace

struct NamedLevel {
    const char* name;
    BlitPixel::KernelLevel level;
};

constexpr NamedLevel kLevels[] = {
    {"portable", BlitPixel::KernelLevel::Portable},
    {"sse2", BlitPixel::KernelLevel::Sse2},
    {"ssse3", BlitPixel::KernelLevel::Ssse3},
    {"avx2", BlitPixel::KernelLevel::Avx2},
};

// Takes --kernel_levels=a,b,... out of the arguments; false for a level this
// processor lacks or a name not known.
bool TakeLevels(int& argc, char** argv, std::vector<NamedLevel>& levels) {
    constexpr const char* kFlag = "--kernel_levels=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kFlag, std::strlen(kFlag)) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        std::string list = argv[i] + std::strlen(kFlag);
        for (size_t from = 0; from <= list.size();) {
            const size_t comma = std::min(list.find(',', from), list.size());
            const std::string name = list.substr(from, comma - from);
            const auto* found = std::find_if(std::begin(kLevels), std::end(kLevels),
                                             [&](const NamedLevel& l) { return name == l.name; });
            if (found == std::end(kLevels) || found->level > BlitPixel::MaxKernelLevel()) {
                std::fprintf(stderr, "blit_bench: no kernel level \"%s\" here\n", name.c_str());
                return false;
            }
            levels.push_back(*found);
            from = comma + 1;
        }
    }
    argc = kept;
    return true;
}

int main(int argc, char** argv) {
    std::vector<NamedLevel> levels;
    if (!TakeLevels(argc, argv, levels))
        return 1;
    for (const Workload& w : kWorkloads) {
        const Kind kind = w.kind;
        auto pixman = [kind](benchmark::State& s) { RunPixman(s, kind); };
        if (levels.empty())
            KavoBench::RegisterPair(
                w.name, [kind](benchmark::State& s) { RunOurs(s, kind, std::nullopt); }, pixman);
        for (const NamedLevel& l : levels)
            KavoBench::RegisterPair(
                w.name + "@" + l.name, [kind, l](benchmark::State& s) { RunOurs(s, kind, l.level); }, pixman);
    }
    return KavoBench::RunPairs(argc, argv);
}
