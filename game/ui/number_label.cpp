#include "game/ui/number_label.h"

#include "framework/util/string_util.h"

namespace Game {

NumberLabel::NumberLabel(int32_t id, Kavo::ButtonListener* listener) : HyperlinkWidget(id, listener) {}

void NumberLabel::Update() {
    ButtonWidget::Update();
    if (mCurrent != mTarget) {
        mCurrent += mStep;
        if ((mStep > 0 && mCurrent >= mTarget) || (mStep < 0 && mCurrent <= mTarget)) {
            mCurrent = mTarget;
            if (mNumberListener != nullptr)
                mNumberListener->NumberReached(this);
        }
    }
    mLabel = Kavo::FormatThousands(static_cast<int>(mCurrent));
}

} // namespace Game
