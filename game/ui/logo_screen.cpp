#include "game/ui/logo_screen.h"

#include "framework/graphics/graphics.h"
#include "game/ui/ini_document.h"

namespace Game {

LogoScreen::LogoScreen(std::function<void()> onDone, const std::string& path)
    : GameDialog(kDialogId, false), mOnDone(std::move(onDone)) {
    // Updated and redrawn every step, fading or not.
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_UPDATE | Kavo::WIDGETFLAGS_MARK_DIRTY;
    IniDocument document;
    document.Load(path, true);
    for (auto it = document.Begin(); it != document.End(); ++it) {
        Logo logo;
        logo.mImage = it.Value().GetString("Image");
        logo.mHoldSteps = static_cast<int32_t>(it.Value().GetFloat("Delay", 1.0f) * 100.0f);
        mLogos.push_back(logo);
    }
}

LogoScreen::~LogoScreen() {
    mSprite.Release();
}

void LogoScreen::NextLogo() {
    ++mIndex;
    if (mIndex < static_cast<int32_t>(mLogos.size())) {
        mSprite.Load(mLogos[static_cast<size_t>(mIndex)].mImage);
        mSprite.mValue = 0.0f;
        mSprite.mTarget = 255.0f;
        mSprite.mStep = kFadeStep;
        mState = FadingIn;
        return;
    }
    mSprite.Release();
    if (mOnDone) {
        // Once only: the screen may be updated again before it is removed.
        auto done = std::move(mOnDone);
        mOnDone = nullptr;
        done();
    }
}

void LogoScreen::Update() {
    GameDialog::Update();
    if (mState == NextLogoDue)
        NextLogo();
    if (mSprite.StepValue() && (mState == FadingIn || mState == FadingOut)) {
        mState = mState == FadingIn ? Holding : Pausing;
        mCounter = 0;
    }
    if (mState == Holding) {
        ++mCounter;
        if (mCounter == mLogos[static_cast<size_t>(mIndex)].mHoldSteps) {
            mSprite.mValue = 255.0f;
            mSprite.mTarget = 0.0f;
            mSprite.mStep = -kFadeStep;
            mState = FadingOut;
        }
    } else if (mState == Pausing) {
        ++mCounter;
        // The pause is only between logos.
        if (mCounter >= kPauseSteps || mIndex == static_cast<int32_t>(mLogos.size()) - 1)
            NextLogo();
    }
}

void LogoScreen::Draw(Kavo::Graphics* g) {
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    mSprite.Draw(g);
}

void LogoScreen::MouseDown(int32_t, int32_t, int32_t) {
    if (mState == FadingOut)
        return;
    mSprite.mValue = 255.0f;
    mSprite.mTarget = 0.0f;
    mSprite.mStep = 5.1f;
    mState = FadingOut;
    mIndex = static_cast<int32_t>(mLogos.size());
}

} // namespace Game
