#include "game/effects/flyer.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/util/lazy_transform.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/trajectories.h"
#include "game/ui/image_desc.h"
#include "game/ui/trajectory_path.h"

#include <algorithm>

namespace Game {

namespace {

// Frame indices beyond this (a damaged file) show nothing rather than make a
// list that large.
constexpr int kMaxFrameRects = 256;

} // namespace

std::unique_ptr<SplineAnimation> MakeFlyer(const TrajectoryPath* path, int x, int y, float step, float speed,
                                           const std::string& animFile) {
    auto flyer = std::make_unique<SplineAnimation>(x, y, step, path, false, nullptr, false, false);
    flyer->mLengthScale = speed;
    if (!animFile.empty())
        flyer->LoadFile(animFile);
    return flyer;
}

const TrajectoryPath* FindNamedPath(const std::string& name) {
    const std::shared_ptr<Trajectories> table = TrajectoriesSlot().Get();
    return table != nullptr ? table->Find(name) : nullptr;
}

void ShowImageInAnimation(Animation& animation, Kavo::Image* image, const Kavo::IntRect& source) {
    auto desc = std::make_unique<ImageDesc>();
    if (animation.GetImageDesc() != nullptr)
        desc->Copy(*animation.GetImageDesc());
    desc->mImage = image;
    // Frames name rectangles by index: every index the frames use shows the
    // one source rectangle.
    int rects = 1;
    for (int frame : animation.mFrames)
        rects = std::max(rects, std::min(frame + 1, kMaxFrameRects));
    desc->mRects.assign(static_cast<size_t>(rects), source);
    desc->mCurrentRect = source;
    animation.SetOwnedImageDesc(std::move(desc));
}

Kavo::IntRect WholeImageRect(const Kavo::Image* image) {
    return image != nullptr ? Kavo::IntRect(0, 0, image->GetWidth(), image->GetHeight()) : Kavo::IntRect();
}

bool HasSpriteImage(const Animation& animation) {
    return animation.GetImageDesc() != nullptr && animation.GetImageDesc()->mImage != nullptr;
}

void DrawScaledAt(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& source, float scale, int x, int y,
                  float alpha) {
    if (image == nullptr)
        return;
    Kavo::LazyTransform transform;
    transform.Scale(scale, scale);
    transform.Translate(static_cast<float>(x), static_cast<float>(y));
    g->PushState();
    g->SetColor(WhiteWithAlpha(alpha));
    g->SetColorizeImages(true);
    DrawEffectImageTransform(g, image, transform, source);
    g->PopState();
}

ScreenPoint ScreenCentre() {
    const Kavo::KavoAppBase* app = Kavo::gAppBase.get();
    if (app == nullptr)
        return {};
    return {app->GetWidth() / 2, app->GetHeight() / 2};
}

} // namespace Game
