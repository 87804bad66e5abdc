#include "game/effects/effect_pepper.h"

#include "framework/graphics/image.h"
#include "game/board/item_catalog.h"
#include "game/effects/effect_random.h"
#include "game/effects/flyer.h"
#include "game/effects/particle_list.h"
#include "game/effects/spark.h"
#include "game/ui/animation.h"

// Last: the tweakable macros are single letters.
#include "framework/util/mod_val.h"

namespace Game {

EffectPepper::EffectPepper(int itemId, float x, float y) : mX(x), mY(y) {
    mLayer = 1;
    const ItemRecord* item = FindItem(itemId);
    mPicture = item != nullptr ? item->mImage : nullptr;
    if (mPicture == nullptr) {
        mDone = true;
        return;
    }
    mPiecesPicture = item->mBrokeImage;
    mBurn = std::make_unique<Animation>();
    mBurn->LoadFile("data/pepper.anim");
    ShowImageInAnimation(*mBurn, mPicture, WholeImageRect(mPicture));
    mBurn->SetPosition(mX, mY);
    mBurn->Restart();
}

EffectPepper::~EffectPepper() = default;

void EffectPepper::Update() {
    if (mDone || mPhase != kBurning)
        return;
    mBurn->Update();
    // A burn without frames (no animation file) has nothing to wait for.
    if (mBurn->IsDone() || mBurn->mFrames.empty())
        Scatter();
}

void EffectPepper::Scatter() {
    mPhase = kPieces;
    const int width = mPiecesPicture != nullptr ? mPiecesPicture->GetWidth() / kPieceCount : 0;
    if (width <= 0)
        return;
    SparkRecipe recipe;
    recipe.speedX = 1.0f;
    recipe.speedY = 1.0f;
    recipe.spinDivisor = M(1000.0f);
    recipe.fade = 1.5f;
    const int height = mPiecesPicture->GetHeight();
    for (int i = 0; i < kPieceCount; ++i) {
        const float angle = DegreesToRadians(static_cast<float>(RandomAngleDegrees()));
        mPieces.push_back(
            MakeRectSpark(recipe, mPiecesPicture, Kavo::IntRect(i * width, 0, width, height), mX, mY, angle));
    }
}

void EffectPepper::Update(float fraction) {
    if (mDone)
        return;
    UpdateParticles(mPieces, fraction);
    if (mPhase == kPieces && mPieces.empty())
        mDone = true;
}

void EffectPepper::DrawOverlay(Kavo::Graphics* g) {
    if (mDone)
        return;
    if (mPhase == kBurning)
        mBurn->DrawOverlay(g);
    else
        DrawRectParticles(g, mPieces, 1);
}

} // namespace Game
