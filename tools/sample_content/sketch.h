#pragma once
// A small drawing surface for the sample pictures that show things: shapes
// laid over each other with their alpha, edges softened by a pixel, so that
// a picture reads as what it stands for at the size the game shows it.

#include <cstdint>
#include <utility>
#include <vector>

namespace Kavo::SampleContent {

using Point = std::pair<double, double>;

class Sketch {
public:
    Sketch(int width, int height);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    const std::vector<uint32_t>& Pixels() const { return mPixels; }

    // Lays `color` (0xAARRGGBB) over the pixel at `coverage` (0..1) of its alpha.
    void Blend(int x, int y, uint32_t color, double coverage);
    // A shape given by a signed distance (negative inside) of each pixel
    // centre, its edge softened over a pixel, clipped to the cel at (left,
    // top) of the size given (the whole picture by default).
    template <typename Distance>
    void Shape(uint32_t color, Distance distance) {
        ShapeIn(0, 0, mWidth, mHeight, color, distance);
    }
    template <typename Distance>
    void ShapeIn(int left, int top, int width, int height, uint32_t color, Distance distance) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) {
                const double d = distance(x + 0.5, y + 0.5);
                if (d < 0.5)
                    Blend(x, y, color, d <= -0.5 ? 1.0 : 0.5 - d);
            }
    }

    void Disc(double cx, double cy, double radius, uint32_t color);
    void Ring(double cx, double cy, double radius, double width, uint32_t color);
    void Ellipse(double cx, double cy, double rx, double ry, uint32_t color);
    void Box(double left, double top, double right, double bottom, uint32_t color);
    void RoundBox(double left, double top, double right, double bottom, double corner, uint32_t color);
    // A stroke `width` wide from a to b, with round ends.
    void Line(Point a, Point b, double width, uint32_t color);
    void Polygon(const std::vector<Point>& points, uint32_t color);
    // A light fading from `color` at the centre to clear at `radius`.
    void Glow(double cx, double cy, double radius, uint32_t color);
    // A star of `points` tips between the outer and inner radius, turned by
    // `turn` radians.
    void Star(double cx, double cy, double outer, double inner, int points, double turn, uint32_t color);

private:
    int mWidth;
    int mHeight;
    std::vector<uint32_t> mPixels;
};

// The colour darkened (factor below 1) or lightened, alpha kept.
uint32_t Shade(uint32_t color, double factor);
// The colour with another alpha.
uint32_t WithAlpha(uint32_t color, uint32_t alpha);

} // namespace Kavo::SampleContent
