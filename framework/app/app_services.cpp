// Small services of the application: the clipboard, the cursor mode, the
// colour-space conversions and the answers of the 3D capability test.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/color_space.h"
#include "framework/graphics/dd_interface.h"
#include "platform/services.h"

namespace Kavo {

void KavoAppBase::SetClipboardText(const std::string& text) {
    // A replay must not change the user's clipboard.
    if (mPlayingDemo)
        return;
    platform::SetClipboardText(text);
}

std::string KavoAppBase::GetClipboardText() {
    std::string text;
    if (!mPlayingDemo)
        text = platform::GetClipboardText();
    // Recorded even when empty, so that a replay reads what this run read.
    return RecordOrReplayString(text);
}

void KavoAppBase::SetCursorMode(bool custom) {
    mCustomCursorsEnabled = custom;
    ApplyCursor();
}

uint32_t KavoAppBase::HslToRgb(int h, int s, int l) {
    return Kavo::HslToRgb(h, s, l);
}

uint32_t KavoAppBase::RgbToHsl(int r, int g, int b) {
    return Kavo::RgbToHsl(r, g, b);
}

bool KavoAppBase::HardwareAccelSupported() {
    return mDDInterface != nullptr && mDDInterface->mD3DTester != nullptr && mDDInterface->mD3DTester->Passed();
}

bool KavoAppBase::HardwareAccelRecommended() {
    return mDDInterface != nullptr && mDDInterface->mD3DTester != nullptr && mDDInterface->mD3DTester->Recommended();
}

} // namespace Kavo
