#include "framework/graphics/graphics.h"

#include "framework/graphics/display_3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace Kavo {

namespace {

// The destination of contexts made without an image.
Image* GetNullImage() {
    static Image nullImage;
    return &nullImage;
}

constexpr int kMaxPolySpans = 8192;

struct ActiveEdge {
    double mX;   // at the centre of the current row
    double mDX;  // per row
    int mVertex; // the edge runs from this vertex to the next
};

} // namespace

bool Graphics::IsDestination3D() const {
    return IsDrawSurface3D(mDestImage);
}

Graphics::Graphics(Image* destImage) {
    mDestImage = destImage != nullptr ? destImage : GetNullImage();
    mClipRect = IntRect(0, 0, mDestImage->mWidth, mDestImage->mHeight);
    mIs3D = IsDestination3D();
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

Graphics::~Graphics() = default;

Graphics* Graphics::Create() const {
    return new Graphics(*this);
}

void Graphics::PushState() {
    mStateStack.push_back(*this);
}

void Graphics::PopState() {
    if (mStateStack.empty())
        return;
    CopyStateFrom(&mStateStack.back());
    mStateStack.pop_back();
}

void Graphics::Translate(int dx, int dy) {
    mTransX += dx;
    mTransY += dy;
}

void Graphics::SetClipRect(int x, int y, int width, int height) {
    mClipRect = IntRect(ToDestX(x), ToDestY(y), width, height)
                    .Intersection(IntRect(0, 0, mDestImage->mWidth, mDestImage->mHeight));
}

void Graphics::ClipRect(int x, int y, int width, int height) {
    mClipRect = IntRect(ToDestX(x), ToDestY(y), width, height).Intersection(mClipRect);
}

void Graphics::ClearClipRect() {
    mClipRect = IntRect(0, 0, mDestImage->mWidth, mDestImage->mHeight);
}

void Graphics::FillRect(int x, int y, int width, int height) {
    if (mColor.mAlpha == 0)
        return;
    IntRect rect = IntRect(ToDestX(x), ToDestY(y), width, height).Intersection(mClipRect);
    mDestImage->FillRect(rect, mColor, mDrawMode);
}

void Graphics::DrawRect(int x, int y, int width, int height) {
    if (mColor.mAlpha == 0)
        return;
    IntRect covered(ToDestX(x), ToDestY(y), width + 1, height + 1);
    if (covered == covered.Intersection(mClipRect)) {
        mDestImage->DrawRect(IntRect(covered.mX, covered.mY, width, height), mColor, mDrawMode);
        return;
    }
    // At the clip's edge each bar is clipped on its own.
    FillRect(x, y, width + 1, 1);
    FillRect(x, y + height, width + 1, 1);
    FillRect(x, y + 1, 1, height - 1);
    FillRect(x + width, y + 1, 1, height - 1);
}

void Graphics::PolyFill(const Point* points, int count, bool convex) {
    if (convex && mDestImage->PolyFill3D(points, count, mClipRect, mColor, mDrawMode, static_cast<int>(mTransX),
                                         static_cast<int>(mTransY), true))
        return;
    if (count < 1)
        return;

    const int left = mClipRect.mX;
    const int right = mClipRect.mX + mClipRect.mWidth - 1;
    const int top = mClipRect.mY;
    const int bottom = mClipRect.mY + mClipRect.mHeight - 1;
    const double tx = mTransX;
    const double ty = mTransY;

    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [points](int a, int b) { return points[a].mY < points[b].mY; });

    std::vector<ActiveEdge> active;
    active.reserve(count);
    auto vertexY = [&](int i) { return points[i].mY + ty; };
    auto insertEdge = [&](int j, int y) {
        int next = j + 1 < count ? j + 1 : 0;
        const Point& u = points[j].mY < points[next].mY ? points[j] : points[next];
        const Point& w = points[j].mY < points[next].mY ? points[next] : points[j];
        double dx = static_cast<double>(w.mX - u.mX) / (w.mY - u.mY);
        active.push_back({dx * (y + 0.5 - u.mY - ty) + tx + u.mX, dx, j});
    };
    auto removeEdge = [&](int j) {
        auto it = std::find_if(active.begin(), active.end(), [j](const ActiveEdge& e) { return e.mVertex == j; });
        if (it != active.end())
            active.erase(it);
    };

    int firstRow = std::max(top, static_cast<int>(std::ceil(points[order.front()].mY - 0.5 + ty)));
    int lastRow = std::min(bottom, static_cast<int>(std::floor(points[order.back()].mY - 0.5 + ty)));

    std::array<Span, kMaxPolySpans> spans;
    int spanCount = 0;
    int k = 0;
    for (int y = firstRow; y <= lastRow; ++y) {
        while (k < count && vertexY(order[k]) <= y + 0.5) {
            int i = order[k];
            int prev = i > 0 ? i - 1 : count - 1;
            if (vertexY(prev) <= y - 0.5)
                removeEdge(prev);
            else if (vertexY(prev) > y + 0.5)
                insertEdge(prev, y);
            int next = i + 1 < count ? i + 1 : 0;
            if (vertexY(next) <= y - 0.5)
                removeEdge(i);
            else if (vertexY(next) > y + 0.5)
                insertEdge(i, y);
            ++k;
        }

        std::sort(active.begin(), active.end(), [](const ActiveEdge& a, const ActiveEdge& b) { return a.mX < b.mX; });

        for (size_t e = 0; e + 1 < active.size(); e += 2) {
            int xl = std::max(left, static_cast<int>(std::ceil(active[e].mX - 0.5)));
            int xr = std::min(right, static_cast<int>(std::floor(active[e + 1].mX - 0.5)));
            if (xl <= xr && spanCount < kMaxPolySpans)
                spans[spanCount++] = Span{y, xl, xr - xl + 1};
            active[e].mX += active[e].mDX;
            active[e + 1].mX += active[e + 1].mDX;
        }
    }

    mDestImage->FillScanLines(spans.data(), spanCount, mColor, mDrawMode);
}

// Clips a segment to lo <= a < lo + size along one axis (b is the other
// coordinate); the ends are first ordered along the axis, so the segment may
// come out with its ends exchanged. False when nothing is left.
static bool ClipAxis(double& a1, double& b1, double& a2, double& b2, double lo, double size) {
    if (a2 < a1) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    if (a1 < lo) {
        if (a2 < lo)
            return false;
        b1 += (b2 - b1) / (a2 - a1) * (lo - a1);
        a1 = lo;
    }
    if (a2 >= lo + size) {
        if (a1 >= lo + size)
            return false;
        b2 += (b2 - b1) / (a2 - a1) * (lo + size - 1 - a2);
        a2 = lo + size - 1;
    }
    return true;
}

bool Graphics::ClipLine(int startX, int startY, int endX, int endY, double (&line)[4]) const {
    double& x1 = line[0];
    double& y1 = line[1];
    double& x2 = line[2];
    double& y2 = line[3];
    x1 = startX + static_cast<double>(mTransX);
    y1 = startY + static_cast<double>(mTransY);
    x2 = endX + static_cast<double>(mTransX);
    y2 = endY + static_cast<double>(mTransY);
    return ClipAxis(x1, y1, x2, y2, mClipRect.mX, mClipRect.mWidth) &&
           ClipAxis(y1, x1, y2, x2, mClipRect.mY, mClipRect.mHeight);
}

void Graphics::DrawLine(int startX, int startY, int endX, int endY) {
    double line[4];
    if (ClipLine(startX, startY, endX, endY, line))
        mDestImage->DrawLine(line[0], line[1], line[2], line[3], mColor, mDrawMode);
}

void Graphics::DrawLineAA(int startX, int startY, int endX, int endY) {
    double line[4];
    if (ClipLine(startX, startY, endX, endY, line))
        mDestImage->DrawLineAA(line[0], line[1], line[2], line[3], mColor, mDrawMode);
}

} // namespace Kavo
