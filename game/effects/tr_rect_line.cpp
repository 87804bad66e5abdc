#include "game/effects/tr_rect_line.h"

#include "framework/graphics/graphics.h"
#include "framework/util/rect.h"
#include "game/effects/tr_line_colors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Game {

namespace {

constexpr int kHandles[] = {1, 3, 5, 7};

} // namespace

void TrRectLine::Recompute() {
    const int left = mCenterX - mWidth / 2;
    const int right = mCenterX + mWidth / 2;
    const int top = mCenterY - mHeight / 2;
    const int bottom = mCenterY + mHeight / 2;
    mOutline = {{{left, top},
                 {mCenterX, top},
                 {right, top},
                 {right, mCenterY},
                 {right, bottom},
                 {mCenterX, bottom},
                 {left, bottom},
                 {left, mCenterY}}};
    mEdgeLengths = {mWidth, mHeight, mWidth, mHeight};
    mPerimeter = 2 * (mWidth + mHeight);
}

void TrRectLine::Load(const std::string& text) {
    LoadSpeedAndBox(text, mCenterX, mCenterY, mWidth, mHeight);
    Recompute();
}

void TrRectLine::ToString(std::string& out) const {
    out = SpeedAndBoxText(mCenterX, mCenterY, mWidth, mHeight);
}

void TrRectLine::SetT(float t, bool) {
    mT = t;
    if (!std::isfinite(t) || mPerimeter <= 0)
        return;
    const double total = mPerimeter;
    double remainder = WrapDistance(total * mSpeed * t, total);
    for (size_t edge = 0; edge < mEdgeLengths.size(); ++edge) {
        const int length = mEdgeLengths[edge];
        if (remainder - length < 0) {
            const TrIntPoint& from = mOutline[edge * 2];
            const TrIntPoint& to = mOutline[(edge * 2 + 2) % mOutline.size()];
            mX = static_cast<int>(from.x + (to.x - from.x) / static_cast<double>(length) * remainder);
            mY = static_cast<int>(from.y + (to.y - from.y) / static_cast<double>(length) * remainder);
            return;
        }
        remainder -= length;
    }
    // Rounding left the distance past the last edge: the end of the path.
    mX = mOutline[0].x;
    mY = mOutline[0].y;
}

int TrRectLine::HitTest(int x, int y) {
    int best = -1;
    double bestDistance = 20.0;
    for (int handle : kHandles) {
        const TrIntPoint& p = mOutline[static_cast<size_t>(handle)];
        const double d = std::hypot(static_cast<double>(p.x) - x, static_cast<double>(p.y) - y);
        if (d < bestDistance) {
            bestDistance = d;
            best = handle;
        }
    }
    if (best >= 0) {
        mAnchorX = mOutline[static_cast<size_t>(best)].x;
        mAnchorY = mOutline[static_cast<size_t>(best)].y;
    }
    return best;
}

void TrRectLine::MovePoint(int index, int x, int y) {
    switch (index) {
    case 1:
        mHeight = 2 * Span(mCenterY, y);
        break;
    case 7:
        mWidth = 2 * Span(mCenterX, x);
        break;
    case 3:
    case 5:
        mCenterX = Clamp(static_cast<long long>(mCenterX) + x - mAnchorX);
        mCenterY = Clamp(static_cast<long long>(mCenterY) + y - mAnchorY);
        mAnchorX = x;
        mAnchorY = y;
        break;
    default:
        return;
    }
    Recompute();
}

void TrRectLine::DrawHandles(Kavo::Graphics& g, bool selected, int selectedIndex) {
    g.SetColor(TrOutlineColor(selected));
    g.DrawRect(Kavo::IntRect(mCenterX - mWidth / 2, mCenterY - mHeight / 2, mWidth, mHeight));
    for (int handle : kHandles) {
        const TrIntPoint& p = mOutline[static_cast<size_t>(handle)];
        g.SetColor(TrHandleColor(selected && handle == selectedIndex));
        g.FillRect(p.x - 4, p.y - 4, 8, 8);
    }
}

} // namespace Game
