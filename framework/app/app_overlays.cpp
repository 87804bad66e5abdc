// The developer overlay: frames per second or the mouse position, written
// in white with the 8-point "Tahoma" system font on a cleared image of 50 by
// (font height + 4) pixels, drawn 10 pixels from the right and bottom edges
// of the game area after the widgets; while a demo plays, the time left in
// it above that, and an open replay dialog beneath both.
#include <algorithm>

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

namespace {

// Clears the image and writes the text in white at the left, a line high.
void WriteOverlayText(MemoryImage& image, Font& font, const std::string& text) {
    image.ClearRect(IntRect(0, 0, image.GetWidth(), image.GetHeight()));
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color::White);
    g.DrawString(text, 2, font.GetAscent() + 2);
}

} // namespace

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
    WriteOverlayText(*mFPSImage, *mFPSFont, text);

    if (!mPlayingDemo)
        return;
    if (mDemoTimeImage == nullptr) {
        mDemoTimeImage = std::make_unique<MemoryImage>();
        mDemoTimeImage->Create(50, mFPSFont->GetHeight() + 4);
    }
    const double speed = mUpdateMultiplier > 0.0 ? mUpdateMultiplier : 1.0;
    const uint32_t now = platform::GetTickMs();
    if (mDemoTimeShown && now - mDemoTimeTick < static_cast<uint32_t>(1000.0 / speed))
        return;
    mDemoTimeTick = now;
    mDemoTimeShown = true;
    const int64_t left =
        std::max<int64_t>(0, int64_t{mFrameTime} * (int64_t{mDemoLength} - int64_t{mUpdateCount}) / 1000);
    WriteOverlayText(*mDemoTimeImage, *mFPSFont,
                     FormatString("%02d:%02d:%02d", static_cast<int>(left / 3600), static_cast<int>(left / 60 % 60),
                                  static_cast<int>(left % 60)));
}

void KavoAppBase::DrawOverlay() {
    if (mPlayingDemo && mWidgetManager != nullptr)
        Demo().DrawControls(mWidgetManager->mImage);
    if (!mShowFPS || mFPSImage == nullptr || mWidgetManager == nullptr || mWidgetManager->mImage == nullptr)
        return;
    Graphics g(mWidgetManager->mImage);
    g.DrawImage(mFPSImage.get(), mWidth - mFPSImage->GetWidth() - 10, mHeight - mFPSImage->GetHeight() - 10);
    if (mPlayingDemo && mDemoTimeImage != nullptr)
        g.DrawImage(mDemoTimeImage.get(), mWidth - mDemoTimeImage->GetWidth() - 10,
                    mHeight - mDemoTimeImage->GetHeight() - mFPSImage->GetHeight() - 15);
}

} // namespace Kavo
