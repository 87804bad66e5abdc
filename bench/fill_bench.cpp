// Solid rectangle fills, opaque and at alpha 128, into a memory image
// (32-bit ARGB) and into display surfaces of 32 and 16 bits, against
// pixman filling the same rectangle of an a8r8g8b8, x8r8g8b8 or r5g6b5
// image; ends with the time per pixel of each workload and the ratio
// ours / pixman. Build with optimisation (-DKAVO_BUILD_BENCH=ON) and run
//   build/bench/fill_bench --benchmark_repetitions=5

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
constexpr int kRectWidth = 512;
constexpr int kRectHeight = 384;
constexpr int kAt = 100;

enum class Target { Memory, Surface32, Surface565 };

struct Workload {
    std::string name;
    Target target;
    int alpha;
};

const Workload kWorkloads[] = {
    {"fill_opaque_memory_argb", Target::Memory, 255},     {"fill_alpha128_memory_argb", Target::Memory, 128},
    {"fill_opaque_surface_x888", Target::Surface32, 255}, {"fill_alpha128_surface_x888", Target::Surface32, 128},
    {"fill_opaque_surface_565", Target::Surface565, 255}, {"fill_alpha128_surface_565", Target::Surface565, 128},
};

constexpr int kRed = 40, kGreen = 160, kBlue = 220;

void Finish(benchmark::State& state) {
    const double pixels = double{kRectWidth} * kRectHeight;
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * pixels));
}

// The background pattern in the target's format, rows packed.
std::vector<uint8_t> Background(Target target) {
    const std::vector<uint32_t> pattern = KavoBench::Pattern(kDestWidth, kDestHeight);
    const int bytes = target == Target::Surface565 ? 2 : 4;
    std::vector<uint8_t> bits(pattern.size() * static_cast<size_t>(bytes));
    for (size_t i = 0; i < pattern.size(); ++i) {
        const uint32_t p = pattern[i];
        const uint32_t v = target == Target::Surface565  ? ((p >> 8) & 0xF800) | ((p >> 5) & 0x7E0) | ((p >> 3) & 0x1F)
                           : target == Target::Surface32 ? p & 0xFFFFFF
                                                         : p;
        std::memcpy(bits.data() + i * bytes, &v, bytes);
    }
    return bits;
}

void RunOurs(benchmark::State& state, const Workload& w) {
    const Color color(kRed, kGreen, kBlue, w.alpha);
    const IntRect rect(kAt, kAt, kRectWidth, kRectHeight);
    std::vector<uint8_t> bits = Background(w.target);
    if (w.target == Target::Memory) {
        MemoryImage image;
        image.SetBits(reinterpret_cast<const uint32_t*>(bits.data()), kDestWidth, kDestHeight);
        for (auto _ : state) {
            image.FillRect(rect, color, 0);
            benchmark::ClobberMemory();
        }
    } else {
        const bool is565 = w.target == Target::Surface565;
        const SurfaceTarget surface{bits.data(), kDestWidth * (is565 ? 2 : 4), is565 ? 16 : 32, kDestWidth,
                                    kDestHeight};
        const DisplayTables tables(is565 ? DisplayPixelFormat::Rgb565() : DisplayPixelFormat::Rgb888());
        for (auto _ : state) {
            SurfaceKernels::NormalFillRect(surface, tables, rect, color);
            benchmark::ClobberMemory();
        }
    }
    Finish(state);
}

void RunPixman(benchmark::State& state, const Workload& w) {
    std::vector<uint8_t> bits = Background(w.target);
    const pixman_format_code_t format = w.target == Target::Memory      ? PIXMAN_a8r8g8b8
                                        : w.target == Target::Surface32 ? PIXMAN_x8r8g8b8
                                                                        : PIXMAN_r5g6b5;
    const int pitch = kDestWidth * (w.target == Target::Surface565 ? 2 : 4);
    pixman_image_t* dst =
        pixman_image_create_bits(format, kDestWidth, kDestHeight, reinterpret_cast<uint32_t*>(bits.data()), pitch);
    // pixman's colours are premultiplied, 16 bits a channel.
    auto wide = [&](int c) { return static_cast<uint16_t>(c * w.alpha / 255 * 0x101); };
    const pixman_color_t color{wide(kRed), wide(kGreen), wide(kBlue), static_cast<uint16_t>(w.alpha * 0x101)};
    const pixman_rectangle16_t rect{kAt, kAt, kRectWidth, kRectHeight};
    for (auto _ : state) {
        pixman_image_fill_rectangles(PIXMAN_OP_OVER, dst, &color, 1, &rect);
        benchmark::ClobberMemory();
    }
    Finish(state);
    pixman_image_unref(dst);
}

} // namespace

int main(int argc, char** argv) {
    for (const Workload& w : kWorkloads) {
        KavoBench::RegisterPair(
            w.name, [&w](benchmark::State& s) { RunOurs(s, w); }, [&w](benchmark::State& s) { RunPixman(s, w); });
    }
    return KavoBench::RunPairs(argc, argv);
}
