#include "game/screens/penalty_dialog.h"

#include <string>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "game/app/game_app.h"
#include "game/ui/effect_base.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr float kEchoStartScale = 0.9f;
constexpr float kEchoScaleStep = 0.021f;
constexpr float kEchoAlphaStep = 2.55f;
constexpr int kCloseButton = 1;

int ReadPenalty(IniDocument* settings) {
    if (settings == nullptr && gGameApp != nullptr)
        settings = &gGameApp->mSettings;
    const IniSection* section = settings != nullptr ? settings->GetSection("Penalty") : nullptr;
    if (section == nullptr)
        return PenaltyDialog::kDefaultPenalty;
    UserManager* users = UserManager::GetInstance();
    const UserRecord* record = users != nullptr ? users->GetCurrentRecord() : nullptr;
    const int stage = record != nullptr ? record->mStageIndex : 0;
    return section->GetInt("Stage" + std::to_string(stage + 1), PenaltyDialog::kDefaultPenalty);
}

} // namespace

PenaltyDialog::PenaltyDialog(IniDocument* settings) : LayoutDialog(kLayoutFile, kDialogId, true) {
    mPenalty = ReadPenalty(settings);
    const std::string text = std::to_string(mPenalty);
    Kavo::Font* font = FONT_DEFAULT;
    const int width = font != nullptr ? font->StringWidth(text) : 0;
    const int height = font != nullptr ? font->GetHeight() : 0;
    RenderNumber(mRedNumber, Kavo::Color(255, 0, 0, 255), width, height);
    RenderNumber(mGreyNumber, Kavo::Color(127, 127, 127, 255), width, height);
    // A layout without "Dest" aims at (0, 0).
    if (Layout* layout = GetLayout()) {
        const LayoutPoint dest = layout->GetPoint("Dest").value_or(LayoutPoint{});
        mDestX = dest.x;
        mDestY = dest.y;
    }
    const int screenWidth = Kavo::gAppBase != nullptr ? Kavo::gAppBase->GetWidth() : 1024;
    // A number without width (no font) does not zoom: it starts at its size.
    mScale = width > 0 ? static_cast<float>(width + screenWidth) / static_cast<float>(width) : 1.0f;
    mScaleStep = mScale * (1.0f / static_cast<float>(kZoomUpdates));
}

PenaltyDialog::~PenaltyDialog() = default;

void PenaltyDialog::RenderNumber(Kavo::MemoryImage& image, const Kavo::Color& color, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    image.Create(width, height);
    image.ClearBits();
    Kavo::Font* font = FONT_DEFAULT;
    Kavo::Graphics g(&image);
    g.SetFont(font);
    g.SetColor(color);
    g.DrawString(std::to_string(mPenalty), 0, font->GetAscent());
}

void PenaltyDialog::EnterEcho() {
    mScale = 1.0f;
    mPhase = kEcho;
    PlayUiSound("PenaltyDone", true);
    mEchoAlpha = 255.0f;
    mScale = kEchoStartScale;
    mScaleStep = kEchoScaleStep;
    mAlphaStep = kEchoAlphaStep;
}

void PenaltyDialog::Update() {
    LayoutDialog::Update();
    switch (mPhase) {
    case kWaiting:
        if (mState == Resting && ++mWaitTicks >= kWaitUpdates)
            mPhase = kZooming;
        break;
    case kZooming: {
        mScale -= mScaleStep;
        const bool arrived = mScale <= 1.0f;
        if (arrived)
            mScale = 1.0f;
        mNumberTransform.Reset();
        mNumberTransform.Scale(mScale, mScale);
        mNumberTransform.Translate(static_cast<float>(mDestX), static_cast<float>(mDestY));
        if (arrived)
            EnterEcho();
        break;
    }
    case kEcho:
        mEchoAlpha -= mAlphaStep;
        if (mEchoAlpha < 0.0f) {
            mEchoAlpha = 0.0f;
            mPhase = kDone;
        }
        mScale += mScaleStep;
        mEchoTransform.Reset();
        mEchoTransform.Scale(mScale, mScale);
        mEchoTransform.Translate(static_cast<float>(mDestX), static_cast<float>(mDestY));
        break;
    case kDone:
        if (mEffect != nullptr) {
            mEffect->Update();
            if (mEffect->IsDone())
                mEffect.reset();
        }
        break;
    default:
        break;
    }
}

void PenaltyDialog::UpdateF(float fraction) {
    LayoutDialog::UpdateF(fraction);
    if (mPhase == kDone && mEffect != nullptr)
        mEffect->Update(fraction);
}

void PenaltyDialog::Draw(Kavo::Graphics* g) {
    g->PushState();
    LayoutDialog::Draw(g);
    if (Kavo::gAppBase != nullptr)
        g->SetClipRect(-mX, -mY, Kavo::gAppBase->GetWidth(), Kavo::gAppBase->GetHeight());
    const bool hardware3D = Kavo::gAppBase != nullptr && Kavo::gAppBase->UsesHardware3D();
    auto draw = [&](Kavo::MemoryImage& image, Kavo::LazyTransform& transform) {
        if (image.GetWidth() <= 0)
            return;
        if (hardware3D)
            g->DrawImageTransformF(&image, transform, static_cast<float>(-mX), static_cast<float>(-mY));
        else
            g->DrawImageTransform(&image, transform, static_cast<float>(-mX), static_cast<float>(-mY));
    };
    if (mPhase == kEcho) {
        g->SetColorizeImages(true);
        g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mEchoAlpha)));
        draw(mGreyNumber, mEchoTransform);
        g->SetColorizeImages(false);
    }
    if (mPhase == kZooming || mPhase == kEcho || mPhase == kDone)
        draw(mRedNumber, mNumberTransform);
    if (mEffect != nullptr)
        mEffect->Draw(g);
    g->PopState();
}

void PenaltyDialog::KeyDown(int32_t key) {
    LayoutDialog::KeyDown(key);
    if (key == kEnterKey || key == kEscapeKey)
        ButtonDepress(kCloseButton);
}

void PenaltyDialog::ButtonDepress(int32_t buttonId) {
    if (buttonId != kCloseButton) {
        PlayUiSound("MouseDown", true);
        return;
    }
    LayoutDialog::ButtonDepress(buttonId);
}

} // namespace Game
