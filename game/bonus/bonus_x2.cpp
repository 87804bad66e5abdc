#include "game/bonus/bonus_x2.h"

#include "framework/graphics/image.h"
#include "game/bonus/bonus_identity.h"
#include "game/effects/tr_move_items.h"

namespace Game {

BonusX2::BonusX2(IniDocument* settings) : Bonus(settings) {
    ApplyBonusIdentity(*this, kBonusX2, settings);
    // The button is as large as its picture; without one it keeps 80 x 80,
    // so that it can still be hit.
    if (mImage != nullptr && mImage->GetWidth() > 0 && mImage->GetHeight() > 0) {
        mWidth = static_cast<float>(mImage->GetWidth());
        mHeight = static_cast<float>(mImage->GetHeight());
    }
}

BonusX2::~BonusX2() = default;

void BonusX2::OnCharged() {
    mSparkle = std::make_unique<TrMoveItems>();
    mSparkle->Load(kSceneFile);
    mSparkle->Start(mX + 13.0f, mY + 11.0f);
}

void BonusX2::Update() {
    Bonus::Update();
    if (mSparkle == nullptr)
        return;
    mSparkle->Update();
    if (mSparkle->IsDone())
        mSparkle.reset();
}

void BonusX2::UpdateF(float fraction) {
    if (mSparkle != nullptr)
        mSparkle->Update(fraction);
}

void BonusX2::Draw(Kavo::Graphics* g) {
    Bonus::Draw(g);
    if (mSparkle != nullptr)
        mSparkle->Draw(g);
}

void BonusX2::Reset() {
    Bonus::Reset();
    mSparkle.reset();
}

void BonusX2::Use(int x, int y) {
    mState = kUsed;
    Reset();
    if (mListener != nullptr) {
        mListener->OnBonusTaken(mIndex, &mListenerRecord, x, y, 0);
        mListener->OnBonusApply(mIndex);
    }
    mPercent = 0;
    mCharge = 0;
}

} // namespace Game
