#include "game/ui/control_resources.h"

#include "framework/app/kavo_app_base.h"
#include "framework/font/image_font.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/load_image_bits.h"
#include "framework/pak/pak_interface.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

bool ImageFileExists(const std::string& name) {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return app->FileExists(name);
    Kavo::PakFile* file = Kavo::PakOpenFile(name, "rb");
    if (file == nullptr)
        return false;
    Kavo::PakCloseFile(file);
    return true;
}

std::unique_ptr<Kavo::Image> LoadImageFile(const std::string& name) {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return std::unique_ptr<Kavo::Image>(app->GetImage(name, true));
    auto image = std::make_unique<Kavo::MemoryImage>();
    if (!Kavo::LoadImageBits(*image, name, true))
        return nullptr;
    return image;
}

} // namespace

ControlImage LoadControlImage(const std::string& imageName, const std::string& idName) {
    ControlImage result;
    if (!imageName.empty() && ImageFileExists(imageName)) {
        result.owned = LoadImageFile(imageName);
        result.image = result.owned.get();
        return result;
    }
    result.image = GetImageResourceById(GetIdByStringId(imageName.empty() ? idName : imageName));
    return result;
}

ControlFont LoadControlFont(int fontId, const std::string& descriptor) {
    ControlFont result;
    if (GetResourceKind(fontId) == ResourceKind::Font) {
        result.font = GetFontResourceById(fontId);
        return result;
    }
    result.owned = std::make_unique<Kavo::ImageFont>(descriptor.empty() ? kDefaultControlFont : descriptor);
    result.font = result.owned.get();
    return result;
}

} // namespace Game
