#include "game/ui/held_image.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/memory_image.h"

namespace Game {

void HeldImage::Load(const std::string& name) {
    Release();
    mName = name;
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    mImage = app != nullptr ? app->GetImage(name, true) : nullptr;
}

void HeldImage::Set(Kavo::Image* image) {
    Release();
    mImage = image;
}

void HeldImage::Release() {
    if (!mName.empty())
        delete mImage;
    mName.clear();
    mImage = nullptr;
}

} // namespace Game
