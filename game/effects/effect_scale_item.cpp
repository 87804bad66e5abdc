#include "game/effects/effect_scale_item.h"

#include "framework/graphics/graphics.h"
#include "game/board/board.h"
#include "game/effects/effect_animation.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/ui/held_image_draw.h"
#include "game/ui/image_desc_cache.h"

#include <algorithm>

namespace Game {

EffectScaleItem::EffectScaleItem(const Board& board, EffectListener* listener) : mListener(listener) {
    Animation pulse;
    pulse.LoadFile("data/scaleitem.anim");
    ImageDesc* itemDesc = FindImageDesc("data/item.anim");
    board.ForEachActiveCell([&](int, int, const BoardCell& cell) {
        if (cell.mItem < 0)
            return true;
        auto animation = std::make_unique<Animation>();
        animation->Assign(pulse);
        animation->SetImageDesc(itemDesc);
        SetAnimationImage(*animation, cell.mItemSprite.GetImage());
        animation->SetPosition(cell.mTargetX, cell.mTargetY);
        mAnimations.push_back(std::move(animation));
        mDelays.push_back(2 + RandomIndex(98));
        return true;
    });
}

void EffectScaleItem::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    for (size_t i = 0; i < mAnimations.size(); ++i) {
        if (mDelays[i] == mUpdateCount)
            mAnimations[i]->Restart();
        mAnimations[i]->Update();
    }
    mDone = std::all_of(mAnimations.begin(), mAnimations.end(),
                        [](const std::unique_ptr<Animation>& a) { return IsAnimationFinished(*a); });
    if (mDone && mListener != nullptr)
        mListener->OnEffectFinished(this);
}

void EffectScaleItem::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    for (auto& animation : mAnimations) {
        if (!animation->IsRunning())
            continue;
        if (animation->mScale != 1.0f) {
            animation->DrawOverlay(g);
            continue;
        }
        Kavo::Image* image = GetAnimationImage(*animation);
        if (image != nullptr)
            DrawHeldImage(g, image, animation->mX, animation->mY, {}, true, true);
    }
}

} // namespace Game
