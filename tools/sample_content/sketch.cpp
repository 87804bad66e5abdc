#include "tools/sample_content/sketch.h"

#include <algorithm>
#include <cmath>

namespace Kavo::SampleContent {

namespace {

double Channel(uint32_t color, int shift) {
    return static_cast<double>((color >> shift) & 0xFF);
}

// The distance of (x, y) from the segment a-b.
double SegmentDistance(Point a, Point b, double x, double y) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(((x - a.first) * dx + (y - a.second) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(x - (a.first + t * dx), y - (a.second + t * dy));
}

} // namespace

Sketch::Sketch(int width, int height) : mWidth(width), mHeight(height), mPixels(size_t(width) * size_t(height), 0) {}

void Sketch::Blend(int x, int y, uint32_t color, double coverage) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight || coverage <= 0)
        return;
    uint32_t& dest = mPixels[size_t(y) * size_t(mWidth) + size_t(x)];
    const double top = Channel(color, 24) / 255.0 * std::min(coverage, 1.0);
    const double under = Channel(dest, 24) / 255.0;
    const double alpha = top + under * (1.0 - top);
    if (alpha <= 0)
        return;
    uint32_t out = uint32_t(std::lround(alpha * 255.0)) << 24;
    for (int shift : {16, 8, 0}) {
        const double mixed = (Channel(color, shift) * top + Channel(dest, shift) * under * (1.0 - top)) / alpha;
        out |= uint32_t(std::clamp(std::lround(mixed), 0L, 255L)) << shift;
    }
    dest = out;
}

void Sketch::Disc(double cx, double cy, double radius, uint32_t color) {
    Shape(color, [&](double x, double y) { return std::hypot(x - cx, y - cy) - radius; });
}

void Sketch::Ring(double cx, double cy, double radius, double width, uint32_t color) {
    Shape(color, [&](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - width / 2; });
}

void Sketch::Ellipse(double cx, double cy, double rx, double ry, uint32_t color) {
    // Scaled to the smaller radius, so that the edge stays about a pixel soft.
    const double scale = std::min(rx, ry);
    Shape(color, [&](double x, double y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * scale; });
}

void Sketch::Box(double left, double top, double right, double bottom, uint32_t color) {
    Shape(color, [&](double x, double y) { return std::max({left - x, x - right, top - y, y - bottom}); });
}

void Sketch::RoundBox(double left, double top, double right, double bottom, double corner, uint32_t color) {
    Shape(color, [&](double x, double y) {
        const double ox = std::max({left + corner - x, x - (right - corner), 0.0});
        const double oy = std::max({top + corner - y, y - (bottom - corner), 0.0});
        const double inside = std::max({left - x, x - right, top - y, y - bottom});
        return ox > 0 && oy > 0 ? std::hypot(ox, oy) - corner : inside;
    });
}

void Sketch::Line(Point a, Point b, double width, uint32_t color) {
    Shape(color, [&](double x, double y) { return SegmentDistance(a, b, x, y) - width / 2; });
}

void Sketch::Polygon(const std::vector<Point>& points, uint32_t color) {
    Shape(color, [&](double x, double y) {
        bool inside = false;
        double nearest = 1e9;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
            nearest = std::min(nearest, SegmentDistance(points[i], points[j], x, y));
        }
        return inside ? -nearest : nearest;
    });
}

void Sketch::Glow(double cx, double cy, double radius, uint32_t color) {
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x) {
            const double fall = 1.0 - std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (fall > 0)
                Blend(x, y, color, fall * fall);
        }
}

void Sketch::Star(double cx, double cy, double outer, double inner, int points, double turn, uint32_t color) {
    std::vector<Point> outline;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = turn + i * 3.14159265358979323846 / points - 3.14159265358979323846 / 2;
        const double r = i % 2 == 0 ? outer : inner;
        outline.emplace_back(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    Polygon(outline, color);
}

uint32_t Shade(uint32_t color, double factor) {
    uint32_t out = color & 0xFF000000;
    for (int shift : {16, 8, 0})
        out |= uint32_t(std::clamp(Channel(color, shift) * factor, 0.0, 255.0)) << shift;
    return out;
}

uint32_t WithAlpha(uint32_t color, uint32_t alpha) {
    return (color & 0x00FFFFFF) | (std::min(alpha, 255u) << 24);
}

} // namespace Kavo::SampleContent
