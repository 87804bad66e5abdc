#include "game/effects/dust_effect.h"

#include "game/board/item_catalog.h"
#include "game/effects/effect_animation.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_random.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

// Loads the animation at (x, y) with its first scale drawn from the range,
// restarts it and shows `image` in it.
void StartDust(Animation& dust, const char* file, int x, int y, double minScale, double maxScale, Kavo::Image* image) {
    dust.LoadFile(file);
    dust.SetPosition(x, y);
    SetFirstScale(dust, RandomInRange(minScale, maxScale));
    dust.Restart();
    SetAnimationImage(dust, image);
}

// Steps the alpha, tints the animation with it and updates it.
void StepDust(Animation& dust, float& alpha, float step) {
    alpha = FadeAlpha(alpha, step);
    dust.SetColor(WhiteWithAlpha(alpha));
    dust.Update();
}

void DrawDust(Animation& dust, Kavo::Graphics* g) {
    if (GetAnimationImage(dust) != nullptr)
        dust.DrawOverlay(g);
}

} // namespace

DustEffect::DustEffect(const EffectEvent& event) {
    mLayer = 1;
    const ItemRecord* record = FindItem(event.mFirst);
    StartDust(mDust, "data/dust.anim", event.mX, event.mY, 0.8, 1.1, record != nullptr ? record->mDustImage : nullptr);
    mItem.SetImage(record != nullptr ? record->mBoardImage : nullptr);
    mItem.mCentered = true;
    mItem.mX = static_cast<float>(event.mX);
    mItem.mY = static_cast<float>(event.mY);
    mItem.mValue = 255.0f;
    mItem.mTarget = 0;
    mItem.mStep = -8.5f;
}

void DustEffect::Update() {
    if (mDone)
        return;
    StepDust(mDust, mDustAlpha, mDustAlphaStep);
    if (mItem.StepValue())
        mDone = IsAnimationFinished(mDust);
}

void DustEffect::Update(float t) {
    if (!mDone)
        mDust.Update(t);
}

void DustEffect::DrawOverlay(Kavo::Graphics* g) {
    if (mDone)
        return;
    DrawDust(mDust, g);
    if (mItem.GetImage() != nullptr)
        mItem.Draw(g, 255);
}

ChainDustEffect::ChainDustEffect(int x, int y) {
    mLayer = 1;
    StartDust(mDust, "data/chaindust.anim", x, y, 1.1, 1.3, IMAGE_PARTICLES);
}

void ChainDustEffect::Update() {
    if (mDone)
        return;
    StepDust(mDust, mAlpha, mAlphaStep);
    mDone = IsAnimationFinished(mDust);
}

void ChainDustEffect::Update(float t) {
    if (!mDone)
        mDust.Update(t);
}

void ChainDustEffect::DrawOverlay(Kavo::Graphics* g) {
    if (!mDone)
        DrawDust(mDust, g);
}

} // namespace Game
