#include "game/effects/item_fade_list.h"

#include "game/board/board.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/ui/resource_ids.h"

#include <algorithm>

namespace Game {

namespace {

void StartFade(NamedImage& image, Kavo::Image* picture, const BoardCell& cell, float step) {
    image.SetImage(picture);
    image.mCentered = true;
    image.mX = cell.mX;
    image.mY = cell.mY;
    image.mValue = 255.0f;
    image.mTarget = 0;
    image.mStep = step;
}

} // namespace

void ItemFadeList::Add(const Board& board, int, int, EffectListener* listener) {
    mListener = listener;
    board.ForEachActiveCell([&](int, int, const BoardCell& cell) {
        const float step = -255.0f / RandomInRange(10.0, 20.0);
        auto record = std::make_unique<Record>();
        StartFade(record->mFlash, IMAGE_DEEP0, cell, step);
        StartFade(record->mItem, cell.mItemSprite.GetImage(), cell, step);
        mRecords.push_back(std::move(record));
        return true;
    });
    ShuffleList(mRecords);
}

void ItemFadeList::Update() {
    if (mFinished)
        return;
    if (mRecords.empty()) {
        mEmpty = true;
        if (++mUpdatesAfterEmpty == kUpdatesAfterEmpty) {
            mFinished = true;
            if (mListener != nullptr)
                mListener->OnEffectFinished(nullptr);
        }
        return;
    }
    const size_t window = std::min(mRecords.size(), static_cast<size_t>(std::max(mWindowSize, 1)));
    std::vector<bool> gone(window, false);
    for (size_t i = 0; i < window; ++i) {
        mRecords[i]->mItem.StepValue();
        gone[i] = mRecords[i]->mFlash.StepValue();
    }
    for (size_t i = window; i-- > 0;)
        if (gone[i])
            mRecords.erase(mRecords.begin() + static_cast<std::ptrdiff_t>(i));
}

bool ItemFadeList::IsEmpty() {
    mEmpty = mRecords.empty();
    return mEmpty;
}

void ItemFadeList::Draw(Kavo::Graphics* g) {
    for (auto it = mRecords.rbegin(); it != mRecords.rend(); ++it) {
        (*it)->mFlash.Draw(g, 255);
        (*it)->mItem.Draw(g, 255);
    }
}

} // namespace Game
