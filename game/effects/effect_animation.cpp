#include "game/effects/effect_animation.h"

#include "game/ui/animation.h"

#include <memory>

namespace Game {

bool IsAnimationFinished(Animation& animation) {
    return animation.mFrameCount == 0 || animation.IsDone();
}

void SetAnimationImage(Animation& animation, Kavo::Image* image) {
    auto copy = std::make_unique<ImageDesc>();
    if (animation.GetImageDesc() != nullptr)
        *copy = *animation.GetImageDesc();
    copy->mImage = image;
    animation.SetOwnedImageDesc(std::move(copy));
}

Kavo::Image* GetAnimationImage(const Animation& animation) {
    return animation.GetImageDesc() != nullptr ? animation.GetImageDesc()->mImage : nullptr;
}

void SetFirstScale(Animation& animation, float scale) {
    if (!animation.mScales.empty())
        animation.mScales[0] = scale;
}

} // namespace Game
