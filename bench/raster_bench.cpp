// Transformed sprite drawing through our triangle rasteriser against pixman,
// the same work on both sides in one run; ends with the time per pixel of
// each workload and the ratio ours / pixman. Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build-bench --target raster_bench
//   build-bench/bench/raster_bench --benchmark_repetitions=5

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "framework/raster/tri_raster.h"

namespace {

using namespace Kavo;
using KavoBench::Affine;

struct Workload {
    std::string name;
    int width, height; // destination
    bool sixteen;      // r5g6b5, else a8r8g8b8
    bool linear;
    int tintAlpha; // 255: no tint
    int texWidth, texHeight;
    std::vector<uint32_t> texels; // straight alpha
    bool textureHasAlpha;
    std::vector<Affine> placements;
};

std::vector<std::pair<double, double>> Corners(const Workload& w, const Affine& m) {
    const double tw = w.texWidth, th = w.texHeight;
    return {{m.X(0, 0), m.Y(0, 0)}, {m.X(tw, 0), m.Y(tw, 0)}, {m.X(tw, th), m.Y(tw, th)}, {m.X(0, th), m.Y(0, th)}};
}

int64_t Pixels(const Workload& w) {
    int64_t n = 0;
    for (const Affine& m : w.placements)
        n += KavoBench::CountPixels(Corners(w, m), w.width, w.height);
    return n;
}

void RunOurs(benchmark::State& state, const Workload& w) {
    TriRasterInitTable();
    std::vector<uint32_t> texels = w.texels;
    TriTextureView view;
    view.bits = texels.data();
    view.width = w.texWidth;
    view.height = w.texHeight;
    view.hasAlpha = w.textureHasAlpha;
    std::vector<std::array<TriVertex, 4>> quads;
    for (const Affine& m : w.placements) {
        const double tw = w.texWidth, th = w.texHeight;
        auto at = [&](double x, double y, float u, float v) {
            return TriVertex{static_cast<float>(m.X(x, y)), static_cast<float>(m.Y(x, y)), u, v, 0xFFFFFFFF};
        };
        quads.push_back({at(0, 0, 0, 0), at(tw, 0, 1, 0), at(0, th, 0, 1), at(tw, th, 1, 1)});
    }
    std::vector<uint32_t> wide;
    std::vector<uint16_t> narrow;
    void* bits;
    int32_t pitch, format;
    if (w.sixteen) {
        narrow.assign(static_cast<size_t>(w.width) * w.height, 0x632C);
        bits = narrow.data(), pitch = w.width * 2, format = 0x565;
    } else {
        wide.assign(static_cast<size_t>(w.width) * w.height, 0xFF606060);
        bits = wide.data(), pitch = w.width * 4, format = 0x8888;
    }
    const IntRect clip(0, 0, w.width, w.height);
    const Color tint(255, 255, 255, w.tintAlpha);
    for (auto _ : state) {
        for (const auto& quad : quads)
            TriRasterRenderFan(clip, tint, quad.data(), 4, &view, bits, pitch, format, w.linear, false);
        benchmark::ClobberMemory();
    }
    const double pixels = static_cast<double>(Pixels(w));
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pixels));
}

void RunPixman(benchmark::State& state, const Workload& w) {
    std::vector<uint32_t> premultiplied;
    pixman_image_t* src = KavoBench::MakePremultiplied(w.texels, w.texWidth, w.texHeight, premultiplied);
    pixman_image_set_filter(src, w.linear ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_t* mask = nullptr;
    if (w.tintAlpha != 255) {
        const pixman_color_t alpha{0, 0, 0, static_cast<uint16_t>(w.tintAlpha * 257)};
        mask = pixman_image_create_solid_fill(&alpha);
    }
    std::vector<uint32_t> wide;
    std::vector<uint16_t> narrow;
    pixman_image_t* dst;
    if (w.sixteen) {
        narrow.assign(static_cast<size_t>(w.width) * w.height, 0x632C);
        dst = pixman_image_create_bits(PIXMAN_r5g6b5, w.width, w.height, reinterpret_cast<uint32_t*>(narrow.data()),
                                       w.width * 2);
    } else {
        wide.assign(static_cast<size_t>(w.width) * w.height, 0xFF606060);
        dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, w.width, w.height, wide.data(), w.width * 4);
    }
    // The transforms and the destination box of every sprite, made up front
    // as our side makes its vertices up front.
    struct Placement {
        pixman_transform_t transform;
        int x, y, w, h;
    };
    std::vector<Placement> placements;
    for (const Affine& m : w.placements) {
        Placement p;
        p.transform = KavoBench::ToPixman(m);
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (const auto& [x, y] : Corners(w, m)) {
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
        p.x = std::max(0, static_cast<int>(std::floor(x0)));
        p.y = std::max(0, static_cast<int>(std::floor(y0)));
        p.w = std::min(w.width, static_cast<int>(std::ceil(x1)) + 1) - p.x;
        p.h = std::min(w.height, static_cast<int>(std::ceil(y1)) + 1) - p.y;
        placements.push_back(p);
    }
    for (auto _ : state) {
        for (const Placement& p : placements) {
            pixman_image_set_transform(src, &p.transform);
            pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, p.x, p.y, 0, 0, p.x, p.y, p.w, p.h);
        }
        benchmark::ClobberMemory();
    }
    const double pixels = static_cast<double>(Pixels(w));
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pixels));
    pixman_image_unref(dst);
    if (mask != nullptr)
        pixman_image_unref(mask);
    pixman_image_unref(src);
}

std::vector<Workload> Workloads() {
    std::vector<Workload> list;
    const std::vector<uint32_t> sprite = KavoBench::SoftSprite(256);
    const Affine turned = Affine::Turn(256, 256, 30, 1.0, 256, 256);
    list.push_back({"sprite30_nearest", 512, 512, false, false, 255, 256, 256, sprite, true, {turned}});
    list.push_back({"sprite30_bilinear", 512, 512, false, true, 255, 256, 256, sprite, true, {turned}});
    list.push_back({"sprite30_nearest_alpha128", 512, 512, false, false, 128, 256, 256, sprite, true, {turned}});
    list.push_back({"sprite30_nearest_565", 512, 512, true, false, 255, 256, 256, sprite, true, {turned}});

    Workload many{"sprites2000_32px", 1024, 768, false, false, 255, 32, 32, KavoBench::SoftSprite(32), true, {}};
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 2000; ++i)
        many.placements.push_back(Affine::Turn(32, 32, next(360), 1.0, 24 + next(1024 - 48), 24 + next(768 - 48)));
    list.push_back(std::move(many));

    list.push_back({"background_1024x768_linear",
                    1024,
                    768,
                    false,
                    true,
                    255,
                    1024,
                    768,
                    KavoBench::Pattern(1024, 768),
                    false,
                    {Affine::Turn(1024, 768, 5, 1.1, 512, 384)}});
    return list;
}

} // namespace

int main(int argc, char** argv) {
    static const std::vector<Workload> workloads = Workloads();
    for (const Workload& w : workloads)
        KavoBench::RegisterPair(
            w.name, [&w](benchmark::State& s) { RunOurs(s, w); }, [&w](benchmark::State& s) { RunPixman(s, w); });
    return KavoBench::RunPairs(argc, argv);
}
