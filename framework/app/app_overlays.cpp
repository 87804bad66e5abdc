// The developer overlay: frames per second or the mouse position, written
// in white with the 8-point "Tahoma" system font on a cleared image of 50 by
// (font height + 4) pixels, drawn 10 pixels from the right and bottom edges
// of the game area after the widgets.
#include "framework/app/kavo_app_base.h"
#include "framework/font/sys_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/string_util.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"

namespace Kavo {

void KavoAppBase::ResetFPSCounter() {
    mFPSFrames = 0;
    mFPSStartMicros = platform::GetClock()->Microseconds();
    mFPSShown = -1;
}

void KavoAppBase::BuildOverlay() {
    if (!mShowFPS || mWidgetManager == nullptr)
        return;
    if (mFPSFont == nullptr)
        mFPSFont = std::make_unique<SysFont>("Tahoma", 8);
    if (mFPSImage == nullptr) {
        mFPSImage = std::make_unique<MemoryImage>();
        mFPSImage->Create(50, mFPSFont->GetHeight() + 4);
        ResetFPSCounter();
    }
    std::string text;
    if (mShowFPSMode == 0) {
        ++mFPSFrames;
        const uint64_t now = platform::GetClock()->Microseconds();
        const uint64_t elapsedMs = (now - mFPSStartMicros) / 1000;
        if (elapsedMs >= 1000) {
            mFPSShown = static_cast<int32_t>(mFPSFrames * 1000 / elapsedMs);
            mFPSFrames = 0;
            mFPSStartMicros = now;
        }
        if (mFPSShown < 0)
            return; // nothing measured yet: the image keeps what it shows
        text = FormatString("FPS: %d", mFPSShown);
    } else {
        text = FormatString("%d,%d", mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
    }
    mFPSImage->ClearRect(IntRect(0, 0, mFPSImage->GetWidth(), mFPSImage->GetHeight()));
    Graphics g(mFPSImage.get());
    g.SetFont(mFPSFont.get());
    g.SetColor(Color::White);
    g.DrawString(text, 2, mFPSFont->GetAscent() + 2);
}

void KavoAppBase::DrawOverlay() {
    if (!mShowFPS || mFPSImage == nullptr || mWidgetManager == nullptr || mWidgetManager->mImage == nullptr)
        return;
    Graphics g(mWidgetManager->mImage);
    g.DrawImage(mFPSImage.get(), mWidth - mFPSImage->GetWidth() - 10, mHeight - mFPSImage->GetHeight() - 10);
}

} // namespace Kavo
