#include "game/effects/effect_hint_bonus.h"

#include "game/effects/effect_animation.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/effect_tweakables.h"
#include "game/effects/particle.h"
#include "game/effects/spark.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"

#include <numbers>

namespace Game {

namespace {

constexpr int kStripOffsets[EffectHintBonus::kStripCount] = {-25, -14, -3, 11, 22};

void StartFade(NamedImage& image, Kavo::Image* picture, float x, float y, float step) {
    image.SetImage(picture);
    image.mCentered = true;
    image.mX = x;
    image.mY = y;
    image.mValue = 255.0f;
    image.mTarget = 0;
    image.mStep = step;
}

} // namespace

EffectHintBonus::EffectHintBonus(int x, int y, int, int, const std::vector<Move>&, EffectListener* listener)
    : mX(x), mY(y), mListener(listener) {
    const Vector2F at{static_cast<float>(x), static_cast<float>(y)};
    mPath = Trajectories::MakeArcF(at, at, -30.0f);
    const float length = mPath->mTotalLength;
    mFlyer = std::make_unique<SplineAnimation>(x, y, 2.0f * length, mPath.get(), false, nullptr, false, false);
    mFlyer->LoadFile("data/bonushint.anim");
    SetAnimationImage(*mFlyer, IMAGE_BONUS_HINT);
    mFlyer->Restart();

    const PathPoint& first = mPath->mPoints.front();
    StartFade(mBadge, IMAGE_BONUS_HINT, at.x, at.y, -2.55f);
    StartFade(mLabel, IMAGE_MENUTEXT, static_cast<float>(first.x), static_cast<float>(first.y), -12.75f);
    for (int i = 0; i < kStripCount; ++i)
        AddTextStrips(static_cast<float>(first.x), static_cast<float>(first.y), 1, i);
}

EffectHintBonus::~EffectHintBonus() = default;

void EffectHintBonus::AddTextStrips(float x, float y, int, int index) {
    // Half degrees: the strips fly somewhere upward.
    const float angle = static_cast<float>(RandomAngleDegrees()) * std::numbers::pi_v<float> / 360.0f;
    SparkRecipe recipe = HintBonusStripRecipe();
    recipe.fade = 1.0f;
    const Kavo::IntRect source(20, 22 + 11 * index, 56, 8);
    mStrips.push_back(
        MakeRectSpark(recipe, IMAGE_MENUTEXT, source, x - 28.0f, y + static_cast<float>(kStripOffsets[index]), angle));
}

void EffectHintBonus::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    mBadge.StepValue();
    mLabel.StepValue();
    if (!mStrips.empty())
        return;
    mDone = true;
    if (mListener != nullptr)
        mListener->OnEffectFinished(this);
}

void EffectHintBonus::Update(float t) {
    if (mDone)
        return;
    for (auto& strip : mStrips)
        strip->Update(t);
    std::erase_if(mStrips, [](const std::unique_ptr<RectParticle>& strip) { return strip->IsDone(); });
}

void EffectHintBonus::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    mBadge.Draw(g, 255);
    mLabel.Draw(g, 255);
    for (auto& strip : mStrips)
        strip->Draw(g, 255.0f);
}

} // namespace Game
