#pragma once

// Shared by the benchmark programs: pixman images made from our straight-alpha
// pixels, affine transforms, and a reporter that ends a run with the time per
// pixel of each workload on our side against pixman's.

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace KavoBench {

// A disc, opaque in its middle and fading out towards its rim, on a
// transparent square; straight alpha.
inline std::vector<uint32_t> SoftSprite(int size) {
    std::vector<uint32_t> texels(static_cast<size_t>(size) * size);
    const double centre = size / 2.0, solid = size * 0.31, rim = size * 0.5;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            const double fade = std::clamp((rim - r) / (rim - solid), 0.0, 1.0);
            const uint32_t a = static_cast<uint32_t>(fade * 255);
            const uint32_t red = static_cast<uint32_t>(x * 255 / size), green = static_cast<uint32_t>(y * 255 / size);
            texels[static_cast<size_t>(y) * size + x] = a << 24 | red << 16 | green << 8 | 0x60;
        }
    return texels;
}

// An opaque pattern with detail in every channel.
inline std::vector<uint32_t> Pattern(int w, int h) {
    std::vector<uint32_t> texels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            texels[static_cast<size_t>(y) * w + x] =
                0xFF000000u | ((x ^ y) & 0xFF) << 16 | (x & 0xFF) << 8 | (y & 0xFF);
    return texels;
}

// An affine map x' = a x + b y + c, y' = d x + e y + f.
struct Affine {
    double a = 1, b = 0, c = 0;
    double d = 0, e = 1, f = 0;

    double X(double x, double y) const { return a * x + b * y + c; }
    double Y(double x, double y) const { return d * x + e * y + f; }

    Affine Inverse() const {
        const double det = a * e - b * d;
        Affine inv;
        inv.a = e / det;
        inv.b = -b / det;
        inv.d = -d / det;
        inv.e = a / det;
        inv.c = -(inv.a * c + inv.b * f);
        inv.f = -(inv.d * c + inv.e * f);
        return inv;
    }

    // A w x h image turned by `degrees` and scaled about its centre, with that
    // centre put at (cx, cy).
    static Affine Turn(double w, double h, double degrees, double scale, double cx, double cy) {
        const double r = degrees * 3.14159265358979323846 / 180.0;
        Affine m;
        m.a = std::cos(r) * scale;
        m.b = -std::sin(r) * scale;
        m.d = std::sin(r) * scale;
        m.e = std::cos(r) * scale;
        m.c = cx - (m.a * w / 2 + m.b * h / 2);
        m.f = cy - (m.d * w / 2 + m.e * h / 2);
        return m;
    }
};

// The pixels of a convex polygon sampled at their integer coordinates,
// inside a w x h destination: what both sides are charged for.
inline int64_t CountPixels(const std::vector<std::pair<double, double>>& polygon, int w, int h) {
    // Only the polygon's bounding box can hold such pixels.
    double x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (const auto& [px, py] : polygon)
        x0 = std::min(x0, px), y0 = std::min(y0, py), x1 = std::max(x1, px), y1 = std::max(y1, py);
    const int xs = std::max(0, static_cast<int>(std::floor(x0))), xe = std::min(w - 1, static_cast<int>(std::ceil(x1)));
    const int ys = std::max(0, static_cast<int>(std::floor(y0))), ye = std::min(h - 1, static_cast<int>(std::ceil(y1)));
    int64_t n = 0;
    const size_t count = polygon.size();
    for (int y = ys; y <= ye; ++y)
        for (int x = xs; x <= xe; ++x) {
            int positive = 0, negative = 0;
            for (size_t i = 0; i < count; ++i) {
                const auto [x0, y0] = polygon[i];
                const auto [x1, y1] = polygon[(i + 1) % count];
                const double cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
                positive += cross > 0;
                negative += cross < 0;
            }
            n += positive == 0 || negative == 0;
        }
    return n;
}

// Premultiplied copy of straight-alpha 0xAARRGGBB pixels, kept alive by the
// owner of `storage`.
inline pixman_image_t* MakePremultiplied(const std::vector<uint32_t>& argb, int w, int h,
                                         std::vector<uint32_t>& storage) {
    storage.resize(argb.size());
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint32_t p = argb[i];
        const uint32_t a = p >> 24;
        auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        storage[i] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, storage.data(), w * 4);
}

// pixman maps destination to source: the inverse of our forward map.
inline pixman_transform_t ToPixman(const Affine& forward) {
    const Affine inv = forward.Inverse();
    pixman_transform_t t;
    pixman_transform_init_identity(&t);
    t.matrix[0][0] = pixman_double_to_fixed(inv.a);
    t.matrix[0][1] = pixman_double_to_fixed(inv.b);
    t.matrix[0][2] = pixman_double_to_fixed(inv.c);
    t.matrix[1][0] = pixman_double_to_fixed(inv.d);
    t.matrix[1][1] = pixman_double_to_fixed(inv.e);
    t.matrix[1][2] = pixman_double_to_fixed(inv.f);
    return t;
}

// Benchmarks named "<workload>/ours" and "<workload>/<reference>" that set
// the counter "pixels" are paired; after the usual output comes a table of
// the time per pixel of both sides and their ratio: from the fastest
// repetition (on a shared machine the slower ones measure the neighbours),
// from the median one, and the spread (cv) of each side. It reads the
// repetitions themselves or, with --benchmark_report_aggregates_only=true,
// their aggregates (RegisterPair adds the minimum to those).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string reference = "pixman") : mReference(std::move(reference)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.benchmark_name();
            const size_t slash = name.find('/');
            if (slash == std::string::npos)
                continue;
            // An aggregate's name ends in "_<statistic>" after the side.
            Samples& side = Side(name.substr(0, slash), name.compare(slash + 1, 4, "ours") == 0);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_unit == benchmark::StatisticUnit::kPercentage) {
                if (run.aggregate_name == "cv")
                    side.cv = run.real_accumulated_time;
                continue;
            }
            const auto pixels = run.counters.find("pixels");
            if (pixels == run.counters.end() || pixels->second.value <= 0)
                continue;
            const double ns = run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const double perPixel = ns / pixels->second.value;
            if (run.run_type == Run::RT_Iteration)
                side.repetitions.push_back(perPixel);
            else if (run.aggregate_name == "min")
                side.best = perPixel;
            else if (run.aggregate_name == "median")
                side.median = perPixel;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-30s %11s %11s %8s %8s %8s %8s\n", "workload", "ours ns/px", (mReference + " ns/px").c_str(),
                    "best", "median", "cv ours", "cv ref");
        for (auto& [name, pair] : mWorkloads) {
            pair.ours.Settle();
            pair.reference.Settle();
            if (pair.ours.best <= 0 || pair.reference.best <= 0)
                continue;
            std::printf("%-30s %11.3f %11.3f %8.2f %8.2f %7.1f%% %7.1f%%\n", name.c_str(), pair.ours.best,
                        pair.reference.best, pair.ours.best / pair.reference.best,
                        pair.ours.median / pair.reference.median, 100 * pair.ours.cv, 100 * pair.reference.cv);
        }
        std::fflush(stdout);
    }

private:
    struct Samples {
        std::vector<double> repetitions;
        double best = 0;
        double median = 0;
        double cv = 0;

        // Figures from the repetitions where they were seen.
        void Settle() {
            if (repetitions.empty())
                return;
            std::vector<double> sorted = repetitions;
            std::sort(sorted.begin(), sorted.end());
            best = sorted.front();
            const size_t n = sorted.size();
            median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
            double mean = 0, square = 0;
            for (const double v : sorted)
                mean += v / static_cast<double>(n);
            for (const double v : sorted)
                square += (v - mean) * (v - mean);
            cv = n > 1 ? std::sqrt(square / static_cast<double>(n - 1)) / mean : 0;
        }
    };
    struct Pair {
        Samples ours;
        Samples reference;
    };

    Samples& Side(const std::string& workload, bool ours) {
        Pair& pair = mWorkloads[workload];
        return ours ? pair.ours : pair.reference;
    }

    std::string mReference;
    std::map<std::string, Pair> mWorkloads;
};

// Registers the pair "<name>/ours" and "<name>/pixman" of one workload.
template <class Ours, class Pixman>
void RegisterPair(const std::string& name, Ours ours, Pixman pixman, const std::string& reference = "pixman") {
    auto fastest = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    benchmark::RegisterBenchmark((name + "/ours").c_str(), ours)
        ->Unit(benchmark::kMicrosecond)
        ->ComputeStatistics("min", fastest);
    benchmark::RegisterBenchmark((name + "/" + reference).c_str(), pixman)
        ->Unit(benchmark::kMicrosecond)
        ->ComputeStatistics("min", fastest);
}

// Runs what is registered, as the command line selects, and ends with the
// table of ratios; the result of main.
inline int RunPairs(int& argc, char** argv, const std::string& reference = "pixman") {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(reference);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace KavoBench
