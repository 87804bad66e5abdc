#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "framework/graphics/image.h"
#include "framework/graphics/tri_vertex.h"

namespace Kavo {

// Logs every drawing call with its arguments, one line per call, so that a
// test can compare what a drawing context asked of its destination.
class RecordingImage : public Image {
public:
    std::vector<std::string> mCalls;
    std::vector<Span> mSpans;     // of the last FillScanLines
    bool mUseBaseOutline = false; // let Image break DrawRect and FillScanLines into fills
    bool mPolyFill3DResult = false;

    explicit RecordingImage(int width = 100, int height = 100) {
        mWidth = width;
        mHeight = height;
    }

    static std::string R(const IntRect& r) { return Fmt("[%d,%d,%d,%d]", r.mX, r.mY, r.mWidth, r.mHeight); }
    static std::string C(const Color& c) { return Fmt("(%d,%d,%d,%d)", c.mRed, c.mGreen, c.mBlue, c.mAlpha); }

    bool PolyFill3D(const Point*, int count, const IntRect& clipRect, const Color& color, int drawMode, int transX,
                    int transY, bool convex) override {
        Log(Fmt("PolyFill3D n=%d ", count) + R(clipRect) + " " + C(color) +
            Fmt(" m%d t=%d,%d convex=%d", drawMode, transX, transY, convex));
        return mPolyFill3DResult;
    }
    void FillRect(const IntRect& rect, const Color& color, int drawMode) override {
        Log("FillRect " + R(rect) + " " + C(color) + Fmt(" m%d", drawMode));
    }
    void DrawRect(const IntRect& rect, const Color& color, int drawMode) override {
        if (mUseBaseOutline)
            return Image::DrawRect(rect, color, drawMode);
        Log("DrawRect " + R(rect) + " " + C(color) + Fmt(" m%d", drawMode));
    }
    void ClearRect(const IntRect& rect) override { Log("ClearRect " + R(rect)); }
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override {
        Log(Fmt("DrawLine %g,%g %g,%g ", x1, y1, x2, y2) + C(color) + Fmt(" m%d", drawMode));
    }
    void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override {
        Log(Fmt("DrawLineAA %g,%g %g,%g ", x1, y1, x2, y2) + C(color) + Fmt(" m%d", drawMode));
    }
    void FillScanLines(const Span* spans, int count, const Color& color, int drawMode) override {
        if (mUseBaseOutline)
            return Image::FillScanLines(spans, count, color, drawMode);
        mSpans.assign(spans, spans + count);
        Log(Fmt("FillScanLines n=%d ", count) + C(color) + Fmt(" m%d", drawMode));
    }
    void FillScanLinesWithCoverage(const Span*, int count, const Color& color, int drawMode, const uint8_t*, int coverX,
                                   int coverY, int coverPitch, int coverHeight) override {
        Log(Fmt("FillScanLinesWithCoverage n=%d ", count) + C(color) +
            Fmt(" m%d cover=%d,%d,%d,%d", drawMode, coverX, coverY, coverPitch, coverHeight));
    }
    void Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) override {
        Log(Fmt("Blt%s %d,%d ", Id(image).c_str(), x, y) + R(srcRect) + " " + C(color) + Fmt(" m%d", drawMode));
    }
    void BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
              int drawMode) override {
        Log(Fmt("BltF%s %g,%g ", Id(image).c_str(), x, y) + R(srcRect) + " clip" + R(clipRect) + " " + C(color) +
            Fmt(" m%d", drawMode));
    }
    void BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
                    int drawMode, double angle, float centerX, float centerY) override {
        Log(Fmt("BltRotated%s %g,%g ", Id(image).c_str(), x, y) + R(srcRect) + " clip" + R(clipRect) + " " + C(color) +
            Fmt(" m%d a=%g c=%g,%g", drawMode, angle, centerX, centerY));
    }
    void StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                    const Color& color, int drawMode, bool fastStretch) override {
        Log("StretchBlt" + Id(image) + " " + R(destRect) + " " + R(srcRect) + " clip" + R(clipRect) + " " + C(color) +
            Fmt(" m%d fast=%d", drawMode, fastStretch));
    }
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& m, const IntRect& clipRect, const Color& color,
                   int drawMode, const IntRect& srcRect, bool blend) override {
        Log(Fmt("BltMatrix%s %g,%g m=[%g,%g,%g;%g,%g,%g] clip", Id(image).c_str(), x, y, m.m[0][0], m.m[0][1],
                m.m[0][2], m.m[1][0], m.m[1][1], m.m[1][2]) +
            R(clipRect) + " " + C(color) + Fmt(" m%d ", drawMode) + R(srcRect) + Fmt(" blend=%d", blend));
    }
    void BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount, const IntRect& clipRect,
                         const Color& color, int drawMode, float transX, float transY, bool blend) override {
        std::string first = triangleCount > 0 ? Fmt(" first=%g,%g", vertices[0][0].x, vertices[0][0].y) : "";
        Log(Fmt("BltTrianglesTex%s n=%d", Id(texture).c_str(), triangleCount) + first + " clip" + R(clipRect) + " " +
            C(color) + Fmt(" m%d t=%g,%g blend=%d", drawMode, transX, transY, blend));
    }
    void BltMirror(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) override {
        Log(Fmt("BltMirror%s %d,%d ", Id(image).c_str(), x, y) + R(srcRect) + " " + C(color) + Fmt(" m%d", drawMode));
    }
    void StretchBltMirror(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                          const Color& color, int drawMode, bool fastStretch) override {
        Log("StretchBltMirror" + Id(image) + " " + R(destRect) + " " + R(srcRect) + " clip" + R(clipRect) + " " +
            C(color) + Fmt(" m%d fast=%d", drawMode, fastStretch));
    }

    template <typename... Args>
    static std::string Fmt(const char* format, Args... args) {
        char buffer[256];
        std::snprintf(buffer, sizeof(buffer), format, args...);
        return buffer;
    }

private:
    // A source that is this image itself is marked, so that a test can tell
    // self-blits from blits of another image.
    std::string Id(const Image* image) const { return image == this ? "(self)" : ""; }
    void Log(std::string line) { mCalls.push_back(std::move(line)); }
};

} // namespace Kavo
