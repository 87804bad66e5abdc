#include "game/effects/reshuffle_effect.h"

#include "framework/graphics/graphics.h"
#include "game/board/board.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

bool HasItem(const BoardCell& cell) {
    return cell.mExists && cell.mItem >= 0;
}

} // namespace

ReshuffleEffect::ReshuffleEffect(Board& board, EffectListener* listener) : mListener(listener), mBoard(board) {
    const int column = board.mColStart + RandomIndex(board.mWidth);
    const int row = board.mRowStart + RandomIndex(board.mHeight);
    mCenterX = static_cast<float>(board.ColumnToX(column, true));
    mCenterY = static_cast<float>(board.RowToY(row, true));
    board.ForEachActiveCell([&](int c, int r, const BoardCell& cell) {
        if (HasItem(cell)) {
            Record record;
            record.mImage = cell.mItemSprite.GetImage();
            record.mX = static_cast<float>(board.ColumnToX(c, false));
            record.mY = static_cast<float>(board.RowToY(r, false));
            record.mDistance = std::hypot(record.mX - mCenterX, record.mY - mCenterY);
            mRecords.push_back(record);
        }
        return true;
    });
}

void ReshuffleEffect::ReadImages() {
    size_t next = 0;
    mBoard.ForEachActiveCell([&](int, int, const BoardCell& cell) {
        if (HasItem(cell) && next < mRecords.size())
            mRecords[next++].mImage = cell.mItemSprite.GetImage();
        return true;
    });
    // A new deal with fewer items leaves the rest of the places empty.
    for (; next < mRecords.size(); ++next)
        mRecords[next].mImage = nullptr;
}

void ReshuffleEffect::Vanish() {
    mRadius = std::min(mRadius + mRadiusStep, static_cast<float>(mMaxRadius));
    bool allGone = true;
    for (Record& record : mRecords) {
        if (!record.mStarted && record.mDistance < mRadius)
            record.mStarted = true;
        if (record.mStarted)
            record.mAlpha = FadeAlpha(record.mAlpha, -mAlphaStep);
        allGone = allGone && record.mAlpha == 0;
    }
    if (!allGone)
        return;
    for (Record& record : mRecords)
        record.mStarted = false;
    if (mListener != nullptr)
        mListener->OnEffectMiddle(nullptr, mCenterX, mCenterY);
    ReadImages();
    mState = 1;
    mUpdateCount = 0;
}

void ReshuffleEffect::Appear() {
    mRadius = std::max(mRadius - mRadiusStep, 0.0f);
    bool allBack = true;
    for (Record& record : mRecords) {
        // At radius 0 the ring has closed: a record at the centre starts too.
        if (!record.mStarted && (mRadius < record.mDistance || mRadius == 0))
            record.mStarted = true;
        if (record.mStarted)
            record.mAlpha = FadeAlpha(record.mAlpha, mAlphaStep);
        allBack = allBack && record.mAlpha == kOpaqueAlpha;
    }
    if (!allBack)
        return;
    mDone = true;
    if (mListener != nullptr)
        mListener->OnEffectFinished(nullptr);
}

void ReshuffleEffect::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    if (mState == 0)
        Vanish();
    else
        Appear();
}

void ReshuffleEffect::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    g->PushState();
    g->SetColorizeImages(true);
    for (const Record& record : mRecords) {
        g->SetColor(WhiteWithAlpha(record.mAlpha));
        DrawEffectImage(g, record.mImage, record.mX, record.mY, Kavo::IntRect(0, 0, 50, 50));
    }
    g->PopState();
}

} // namespace Game
