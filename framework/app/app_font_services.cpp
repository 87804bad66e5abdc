#include "framework/app/app_font_services.h"

#include "framework/app/kavo_app_base.h"

namespace Kavo {

SharedImageHandle AppFontServices::GetSharedImage(const std::string& fileName, const std::string& variant) {
    return mApp.GetSharedImage(fileName, variant, nullptr);
}

MemoryImage* AppFontServices::CopyImageViaGraphics(Image* image) {
    return mApp.CopyImage(image);
}

void AppFontServices::ShowFatalError(const std::string& message) {
    mApp.ShowFatalError(message);
}

} // namespace Kavo
