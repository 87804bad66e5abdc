#include "game/ui/progress_bar_group.h"

namespace Game {

void ProgressBarGroup::SetPosition(float x, float y) {
    mX = x;
    mY = y;
    mBackground.mX = x + mPictureOffsetX;
    mBackground.mY = y + mPictureOffsetY;
    mBackground.mCentered = false;
}

void ProgressBarGroup::AddToBar(int index, float delta) {
    if (index < 0 || index >= kBarCount)
        return;
    ProgressBar& bar = mBars[index];
    // From where the bar is going, not where it stands: the scores of one
    // move come before it has moved, and each must count.
    bar.SetValue(bar.mTarget + delta, false);
}

void ProgressBarGroup::Draw(Kavo::Graphics* g) {
    mBackground.Draw(g, 255);
    for (ProgressBar& bar : mBars)
        bar.Draw(g);
}

} // namespace Game
