#include "game/board/bonus.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/util/buffer.h"
#include "framework/widget/widget_manager.h"
#include "game/ui/image_sprite.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Game {

namespace {

// A double truncated toward zero into the int32 range (0 for not a number).
int32_t SaturatingTrunc(double value) {
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (t <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(t);
}

IniSection* BonusSection(IniDocument* settings) {
    return settings != nullptr && settings->HasSection("Bonuses") ? settings->GetSection("Bonuses") : nullptr;
}

} // namespace

Bonus::Bonus(IniDocument* settings) {
    mBlink.LoadFile(kBlinkFile);
    mBlinkLoaded = true;
    if (IniSection* section = BonusSection(settings))
        mHintColor = Kavo::Color(static_cast<int>(section->GetHex("HintColor", 0xFFFFFF)));
}

Bonus::~Bonus() = default;

float Bonus::ReadChargeMax(IniDocument* settings, const std::string& key) {
    IniSection* section = BonusSection(settings);
    return section != nullptr ? static_cast<float>(section->GetInt(key, 600)) : kDefaultChargeMax;
}

int Bonus::PercentOf(float charge) const {
    const double max = mChargeMax > 0 ? mChargeMax : kDefaultChargeMax;
    return SaturatingTrunc(static_cast<double>(charge) * 100.0 / max);
}

bool Bonus::Contains(int x, int y) const {
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    return px >= mX && px < mX + mWidth && py >= mY && py < mY + mHeight;
}

void Bonus::DrawBlink(Kavo::Graphics* g) {
    if (!mBlinkLoaded)
        return;
    mBlink.mAlpha = mAlpha;
    mBlink.Draw(g);
}

void Bonus::Draw(Kavo::Graphics* g) {
    switch (mState) {
    case kReady:
    case kUsed:
        DrawBlink(g);
        DrawReady(g);
        break;
    case kHover:
        DrawBlink(g);
        DrawHover(g);
        break;
    case kPressed:
        DrawBlink(g);
        DrawPressed(g);
        break;
    case kArmed:
        DrawBlink(g);
        DrawArmed(g);
        break;
    case kCharging:
        DrawCharging(g);
        if (!mHidden && mEnabled)
            DrawChargeLine(g);
        break;
    default:
        break;
    }
}

void Bonus::DrawReady(Kavo::Graphics* g) {
    DrawLayer(g, 0);
}

void Bonus::DrawHover(Kavo::Graphics* g) {
    DrawLayer(g, 1);
}

void Bonus::DrawPressed(Kavo::Graphics* g) {
    DrawLayer(g, 2);
}

void Bonus::DrawArmed(Kavo::Graphics* g) {
    DrawLayer(g, 4);
}

void Bonus::DrawCharging(Kavo::Graphics* g) {
    const Kavo::IntRect& cell = mCellRects[0];
    // A percentage outside 0..100 neither widens the clip nor turns it inside out.
    const int cut = std::clamp((100 - std::clamp(mPercent, 0, 100)) * cell.mHeight / 100, 0, cell.mHeight);
    g->PushState();
    g->ClipRect(static_cast<int>(mX), static_cast<int>(mY) + cut, cell.mWidth, cell.mHeight - cut);
    DrawLayer(g, 0);
    g->PopState();
}

void Bonus::DrawChargeLine(Kavo::Graphics* g) {
    Kavo::Image* line = IMAGE_BONUSLINE;
    if (mPercent >= 100 || line == nullptr)
        return;
    g->PushState();
    if (mAlpha < 255.0f) {
        g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mAlpha)));
        g->SetColorizeImages(true);
    } else {
        g->SetColorizeImages(false);
    }
    // One pixel lower per missing percent.
    g->DrawImageAnim(line, static_cast<int>(mX), static_cast<int>(mY) + (100 - mPercent), mChargeTicks);
    g->PopState();
}

void Bonus::DrawLayer(Kavo::Graphics* g, int layer) {
    if (layer < 0 || layer >= kLayerCount)
        return;
    ImageSprite sprite;
    sprite.SetImage(mImage);
    sprite.mX = mX;
    sprite.mY = mY;
    sprite.mSourceRect = mCellRects[layer];
    sprite.SetAlpha(mAlpha);
    sprite.Draw(g, 255);
}

void Bonus::DrawHint(Kavo::Graphics* g) {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    if (mState != kArmed || mUseCount >= 6 || mHintText.empty() || app == nullptr || !app->mHasFocus ||
        app->mWidgetManager == nullptr)
        return;
    Kavo::Color color = mHintColor;
    color.mAlpha = static_cast<int>(mAlpha);
    g->PushState();
    g->SetColor(color);
    g->SetFont(FONT_DEFAULT);
    g->DrawString(mHintText, app->mWidgetManager->mLastMouseX + 32, app->mWidgetManager->mLastMouseY + 32);
    g->PopState();
}

void Bonus::UpdateF(float) {}

void Bonus::Update() {
    if (mState == kCharging)
        ++mChargeTicks;
    if (mEnabled && mState == kCharging && CheckCharged()) {
        mChargeTicks = 0;
        mState = kReady;
    }
    if (mState != kCharging && mBlinkLoaded)
        mBlink.Update();
}

void Bonus::MouseUp(int x, int y, int) {
    if (!Contains(x, y) || mState != kPressed)
        return;
    mState = kArmed;
    OnArmed(x, y);
    if (mUseAtOnce)
        Use(x, y);
}

void Bonus::MouseDown(int x, int y, int) {
    if (!mEnabled)
        return;
    if (Contains(x, y)) {
        if (mState == kReady || mState == kHover)
            mState = kPressed;
        else if (mState == kArmed)
            Stop(); // a second click on an armed button cancels it
        return;
    }
    if (mState != kArmed || mListener == nullptr)
        return;
    bool ok = false;
    mListener->CanUseAt(mIndex, ok, x, y);
    if (!ok)
        return;
    mTargetX = x;
    mTargetY = y;
    Use(x, y);
}

bool Bonus::HitTest(int x, int y) {
    if (!mEnabled)
        return false;
    mTargetX = x;
    mTargetY = y;
    const bool inside = Contains(x, y);
    if (inside && mState == kReady)
        mState = kHover;
    else if (!inside && mState == kHover)
        mState = kReady;
    return inside && mState != kReady && mState != kCharging;
}

void Bonus::Reset() {
    mState = kCharging;
    mChargeTicks = 0;
}

void Bonus::OnArmed(int, int) {
    if (mListener != nullptr)
        mListener->OnBonusArmed(mIndex, mCursorImage);
}

void Bonus::Use(int x, int y) {
    ++mUseCount;
    mState = kUsed;
    Reset();
    if (mListener != nullptr) {
        mListener->OnBonusTaken(mIndex, &mListenerRecord, x, y, 0);
        mListener->OnBonusApply(mIndex);
    }
    mPercent = 0;
    mCharge = 0;
}

bool Bonus::CheckCharged() {
    const int percent = PercentOf(mCharge);
    if (percent >= 100 && mPercent < 100) {
        OnCharged();
        if (mBlinkLoaded) {
            mBlink.SetPosition(mX + mWidth * 0.5f, mY + mHeight * 0.5f);
            mBlink.Restart();
        }
        if (mListener != nullptr)
            mListener->OnBonusReady(mIndex);
    }
    mPercent = percent;
    return percent >= 100;
}

void Bonus::OnCharged() {}

void Bonus::AddCharge(float amount) {
    mCharge += amount;
}

void Bonus::SetCharge(float value) {
    mCharge = value;
    mPercent = PercentOf(value);
}

void Bonus::Save(Kavo::Buffer& buffer) {
    buffer.WriteBoolean(mHidden);
    buffer.WriteBoolean(mEnabled);
    buffer.WriteLong(SaturatingTrunc(static_cast<double>(mCharge) * 1000.0));
    buffer.WriteLong(mUseCount);
}

bool Bonus::Load(Kavo::Buffer& buffer) {
    const bool whole = buffer.GetDataLenBits() - buffer.GetReadBitPos() >= kSavedSize * 8;
    mHidden = buffer.ReadBoolean();
    mEnabled = buffer.ReadBoolean();
    mCharge = static_cast<float>(static_cast<double>(buffer.ReadLong()) * 0.001);
    mUseCount = buffer.ReadLong();
    return whole;
}

void Bonus::Stop() {
    mState = kReady;
    if (mListener != nullptr)
        mListener->OnBonusCancelled(mIndex);
}

} // namespace Game
