#include "game/effects/effect_knife.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/board/item_catalog.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/flyer.h"
#include "game/effects/trajectories.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/image_desc.h"
#include "game/ui/spline_animation.h"

#include <algorithm>

namespace Game {

namespace {

// Every knife move takes its path's length times this, twice.
constexpr float kMoveFactor = 3.0f;

// The size of the knife's picture: its first frame, or the whole image.
Kavo::IntRect KnifeSize(const Animation& knife) {
    const ImageDesc* desc = knife.GetImageDesc();
    if (desc == nullptr || desc->mImage == nullptr)
        return {};
    const Kavo::IntRect frame = desc->GetRect(knife.mFrames.empty() ? 0 : knife.mFrames.front());
    return frame.mWidth > 0 ? frame : WholeImageRect(desc->mImage);
}

} // namespace

EffectKnife::EffectKnife(int itemId, float cx, float cy) {
    mLayer = 1;
    const ItemRecord* item = FindItem(itemId);
    Kavo::Image* picture = item != nullptr ? item->mImage : nullptr;
    if (picture == nullptr) {
        mDone = true;
        return;
    }
    const int width = picture->GetWidth();
    const int height = picture->GetHeight();
    const int slice = width / kSliceCount;
    const float left = cx - static_cast<float>(width / 2) + static_cast<float>(slice) * 0.5f;
    // Drawn in whole pixels, a slice reads two more columns to close the
    // seams, but never past the picture.
    const int overlap = UsesHardware3D() ? 0 : 2;
    for (int i = 0; i < kSliceCount; ++i) {
        Slice piece;
        piece.picture = picture;
        piece.x = left + static_cast<float>(i * slice);
        piece.y = cy;
        const int sourceX = i * slice;
        piece.source = Kavo::IntRect(sourceX, 0, std::max(0, std::min(slice + overlap, width - sourceX)), height);
        mSlices.push_back(piece);
    }

    auto knife = std::make_unique<SplineAnimation>(0, 0, 0.0f, nullptr, false, nullptr, false, false);
    knife->LoadFile("data/knife.anim");
    const Kavo::IntRect knifeSize = KnifeSize(*knife);
    for (int k = 0; k < kSliceCount - 1; ++k) {
        const int x = static_cast<int>(left + static_cast<float>(k * slice) + static_cast<float>(knifeSize.mWidth / 2));
        const int top = static_cast<int>(cy) - knifeSize.mHeight / 2 - height / 2;
        const int bottom = static_cast<int>(cy) + height / 2 - knifeSize.mHeight / 2;
        mCutLines.push_back({x, top, x, bottom});
    }
    mKnife = std::move(knife);
    const CutLine& first = mCutLines.front();
    Move(first.x1, first.y1, first.x2, first.y2);
}

EffectKnife::~EffectKnife() = default;

void EffectKnife::Move(int x1, int y1, int x2, int y2) {
    mMoveX1 = x1;
    mMoveY1 = y1;
    mMoveX2 = x2;
    mMoveY2 = y2;
    std::unique_ptr<TrajectoryPath> path = Trajectories::MakeLine(x1, y1, x2, y2);
    mKnife->BuildPath(0, 0, path.get(), false, false);
    mKnifePath = std::move(path);
    mKnife->mLengthScale = 2.0f * kMoveFactor * mKnifePath->mTotalLength;
    mKnife->Restart();
}

void EffectKnife::Drop(Slice& slice, float spin) {
    slice.fadeStep = -4.0f;
    slice.spin = spin;
    slice.fallSpeed = 3.0f;
}

void EffectKnife::Update() {
    if (mDone)
        return;
    if (mKnife != nullptr) {
        mKnife->Update();
        if (mKnife->IsFinished()) {
            ++mPassCount;
            if (mPassCount == kSliceCount + 3) {
                mKnife.reset();
                mKnifePath.reset();
            } else if (mPhase == 0) {
                Move(mMoveX2, mMoveY2, mMoveX1, mMoveY1);
                Drop(mSlices[static_cast<size_t>(mCutIndex)], 0.1f);
                ++mCutIndex;
                if (mPassCount == kSliceCount + 2)
                    Drop(mSlices.back(), -0.1f);
                mPhase = 1;
            } else {
                const CutLine& line = mCutLines[static_cast<size_t>(mCutIndex)];
                Move(line.x1, line.y1, line.x2, line.y2);
                mPhase = 0;
            }
        }
    }
    bool faded = true;
    for (Slice& slice : mSlices) {
        slice.fade = FadeAlpha(slice.fade, slice.fadeStep);
        slice.angle += slice.spin;
        faded = faded && slice.fade <= 0;
    }
    mDone = faded;
}

void EffectKnife::Update(float fraction) {
    if (mDone)
        return;
    if (mKnife != nullptr)
        mKnife->Update(fraction);
    for (Slice& slice : mSlices)
        slice.y += fraction * slice.fallSpeed;
}

void EffectKnife::DrawOverlay(Kavo::Graphics* g) {
    if (mDone)
        return;
    for (Slice& slice : mSlices) {
        if (slice.fade <= 0 || slice.source.mWidth <= 0)
            continue;
        slice.transform.Reset();
        slice.transform.RotateRad(slice.angle);
        slice.transform.Translate(slice.x, slice.y);
        g->PushState();
        g->SetColor(WhiteWithAlpha(slice.fade));
        g->SetColorizeImages(true);
        if (UsesHardware3D())
            g->DrawImageTransformF(slice.picture, slice.transform, slice.source, 0, 0);
        else
            g->DrawImageMatrix(slice.picture, slice.transform.GetMatrix(), 0, 0, slice.source);
        g->PopState();
    }
    if (mKnife != nullptr)
        mKnife->Draw(g);
}

} // namespace Game
