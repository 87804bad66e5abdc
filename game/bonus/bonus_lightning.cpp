#include "game/bonus/bonus_lightning.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/graphics/memory_image.h"
#include "game/board/board_random.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/bonus_tweakables.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_random.h"
#include "game/effects/particle.h"
#include "game/effects/tr_move_items.h"
#include "game/effects/trajectories.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/resource_ids.h"

#include <cmath>

namespace Game {

namespace {

// Where the pepper leaves the box, from its lower end.
constexpr int kSpoutOffsets[7][2] = {{14, 36}, {25, 38}, {34, 45}, {13, 44}, {24, 44}, {22, 48}, {32, 49}};

} // namespace

BonusLightning::BonusLightning(IniDocument* settings) : Bonus(settings) {
    ApplyBonusIdentity(*this, kBonusPepper, settings);
}

BonusLightning::~BonusLightning() = default;

void BonusLightning::Use(int x, int y) {
    mState = kUsed;
    mPercent = 0;
    mCharge = 0;
    if (mListener != nullptr)
        mListener->OnBonusTaken(mIndex, &mListenerRecord, x, y, 0);
    mPepperImage.reset(Kavo::gAppBase != nullptr ? Kavo::gAppBase->GetImage(kPepperPicture, true) : nullptr);
    mStepCounter = 0;
    mPhase = 0;
    mMoves = 0;
    const float left = static_cast<float>(mAreaLeft);
    const float width = static_cast<float>(mAreaWidth);
    const float anchors[3][2] = {{left + 0.3f * width, 100.0f},
                                 {left + 0.8f * width, 100.0f},
                                 {left + 0.6f * width, std::trunc(static_cast<float>(mAreaTop) + 0.2f * mAreaHeight)}};
    for (int i = 0; i < 3; ++i)
        mSegments[i] = Segment{anchors[i][0], anchors[i][1], anchors[i][0] - 50.0f, anchors[i][1] + 200.0f};
    mCurrent = mSegments[0];
    MoveBox(mCurrent.mX1, mCurrent.mY1, mCurrent.mX2, mCurrent.mY2, 1.0f);
}

void BonusLightning::MoveBox(float x1, float y1, float x2, float y2, float factor) {
    auto path =
        Trajectories::MakeLine(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
    const float scale = 2.0f * factor * path->mTotalLength;
    if (mPepperBox == nullptr) {
        mPepperBox = std::make_unique<PathAnimation>(std::move(path), scale);
        mPepperBox->LoadFile(kBoxFile);
    } else {
        mPepperBox->SetPath(std::move(path), scale);
    }
    mPepperBox->Restart();
    ++mMoves;
}

void BonusLightning::BurstSparks(float x, float y) {
    Kavo::Image* picture = mPepperImage.get();
    const float halfWidth = picture != nullptr ? picture->GetWidth() / 2.0f : 0.0f;
    const float quarterHeight = picture != nullptr ? picture->GetHeight() / 4.0f : 0.0f;
    const int count = UsesHardware3D() ? 30 : 15;
    const SparkRecipe recipe = PepperSparkRecipe();
    for (int i = 0; i < count; ++i) {
        const float angle = DegreesToRadians(static_cast<float>(RandomAngleDegrees()));
        const int* offset = kSpoutOffsets[RandomInt(0, 7)];
        mSparks.push_back(MakeSpark(recipe, picture, x + static_cast<float>(offset[0]) - halfWidth,
                                    y + static_cast<float>(offset[1]) - quarterHeight, angle));
    }
}

void BonusLightning::EndShow() {
    mSparks.clear();
    mPepperBox.reset();
    mPepperImage.reset();
    Reset();
    if (mListener != nullptr)
        mListener->OnBonusApply(mIndex);
}

void BonusLightning::Update() {
    if (mState == kUsed) {
        if (mPepperBox != nullptr)
            mPepperBox->Update();
        if (mPepperBox == nullptr || mPepperBox->IsFinished()) {
            ++mStepCounter;
            if (mStepCounter >= kShakeMoves) {
                EndShow();
            } else if (mPhase == 0) {
                MoveBox(mCurrent.mX2, mCurrent.mY2, mCurrent.mX1, mCurrent.mY1, 2.0f);
                BurstSparks(mCurrent.mX2, mCurrent.mY2);
                mPhase = 1;
            } else {
                mCurrent = mSegments[mStepCounter / 2];
                MoveBox(mCurrent.mX1, mCurrent.mY1, mCurrent.mX2, mCurrent.mY2, 1.0f);
                mPhase = 0;
            }
        }
    } else {
        Bonus::Update();
    }
    if (mPuff != nullptr) {
        mPuff->Update();
        if (mPuff->IsDone())
            mPuff.reset();
    }
    if (mPuffShown) {
        ++mPuffCounter;
        mPuffShown = mPuffCounter <= mPuffLength;
    }
}

void BonusLightning::UpdateF(float fraction) {
    if (mPepperBox != nullptr)
        mPepperBox->Update(fraction);
    for (auto& spark : mSparks)
        spark->Update(fraction);
    std::erase_if(mSparks, [](const std::unique_ptr<Particle>& spark) { return spark->IsDone(); });
    if (mPuff != nullptr)
        mPuff->Update(fraction);
}

void BonusLightning::OnCharged() {
    mPuff = std::make_unique<TrMoveItems>();
    mPuff->Load(kPuffFile);
    mPuff->Start(mX + mWidth * 0.5f, mY - 80.0f);
    mPuffShown = true;
    mPuffCounter = 0;
    mPuffLength = static_cast<int>(mPuff->mDuration * 100.0f);
}

void BonusLightning::Draw(Kavo::Graphics* g) {
    Bonus::Draw(g);
    // Two gold pulses over the puff; a puff of no length has none.
    Kavo::Image* gold = IMAGE_BONUS_PEPPER_GOLD;
    if (mPuffShown && mPuffLength > 0 && gold != nullptr) {
        const double pulse = std::fabs(std::sin(12.566371 * mPuffCounter / mPuffLength));
        g->PushState();
        g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(pulse * 255.0)));
        g->SetColorizeImages(true);
        g->SetDrawMode(Kavo::Graphics::DRAWMODE_ADDITIVE);
        DrawEffectImage(g, gold, mX, mY);
        g->PopState();
    }
    if (mPepperBox != nullptr)
        mPepperBox->Draw(g);
    for (auto& spark : mSparks)
        spark->Draw(g);
    if (mPuff != nullptr)
        mPuff->Draw(g);
}

void BonusLightning::Reset() {
    Bonus::Reset();
    mPuff.reset();
    mPuffShown = false;
}

} // namespace Game
