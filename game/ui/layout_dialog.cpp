#include "game/ui/layout_dialog.h"
#include "game/ui/update_pacing.h"

#include <cmath>

#include "framework/app/kavo_app_base.h"
#include "game/ui/control_desc.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"
#include "game/ui/ui_sound.h"

namespace Game {

LayoutDialog::LayoutDialog(const std::string& layoutFile, int32_t id, bool modal) : GameDialog(id, modal) {
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_MARK_DIRTY | Kavo::WIDGETFLAGS_ALLOW_FOCUS;
    IniDocument doc;
    doc.Load(layoutFile, true);
    if (doc.GetSectionCount() == 0) {
        Reload(layoutFile);
    } else {
        const IniSection& main = *doc.GetSection("Main");
        mStart = {float(ReadLayoutInt(main, "BeginX", 0)), float(ReadLayoutInt(main, "BeginY", 0))};
        mEnd = {float(ReadLayoutInt(main, "EndX", 0)), float(ReadLayoutInt(main, "EndY", 0))};
        mSpeed = ReadLayoutInt(main, "Speed", 100);
        Kavo::IntRect rect = ReadRectSetting(main, "Position");
        if (rect.mWidth == 0)
            rect = Kavo::IntRect(200, 200, 200, 300);
        ResizeToRect(rect);
        mRest = {float(rect.mX), float(rect.mY)};
        // A layout without an id keeps the one the dialog was made with.
        mId = ReadLayoutInt(main, "ID", id);
        mIsModal = ReadLayoutInt(main, "Modal", 0) == 1;
        mDialogHeader = main.GetString("Caption");
        mDialogLines = main.GetString("Text");
        mLayout = std::make_unique<Layout>(layoutFile, this);
        mState = FlyingIn;
        CentreAt(mStart);
    }
    mFlyInSound = true;
    mFlyOutSound = true;
}

LayoutDialog::~LayoutDialog() {
    mLayout.reset();
}

void LayoutDialog::Reload(const std::string& layoutFile) {
    mStart = {400.0f, -300.0f};
    mEnd = {400.0f, -300.0f};
    mSpeed = 10;
    Resize(400, 300, 200, 250);
    mRest = {400.0f, 300.0f};
    mDialogHeader.clear();
    mDialogLines.clear();
    mLayout.reset();
    mLayout = std::make_unique<Layout>(layoutFile, this);
    mState = FlyingIn;
    CentreAt(mStart);
}

FlyPoint LayoutDialog::Centre() const {
    return {float(mX) + float(mWidth) / 2.0f, float(mY) + float(mHeight) / 2.0f};
}

void LayoutDialog::CentreAt(FlyPoint centre) {
    Move(static_cast<int32_t>(centre.x) - mWidth / 2, static_cast<int32_t>(centre.y) - mHeight / 2);
}

bool LayoutDialog::MoveToward(FlyPoint from, FlyPoint to, float step) {
    // A dialog without a speed would never arrive: it arrives at once.
    if (mSpeed <= 0) {
        CentreAt(to);
        return true;
    }
    const FlyPoint d = Normalize2D(to.x - from.x, to.y - from.y);
    const float distance = float(mSpeed) * step;
    const FlyPoint next = {from.x + d.x * distance, from.y + d.y * distance};
    const float toTarget = (to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y);
    const float toNext = (next.x - from.x) * (next.x - from.x) + (next.y - from.y) * (next.y - from.y);
    if (toTarget > toNext) {
        CentreAt(next);
        return false;
    }
    CentreAt(to);
    return true;
}

void LayoutDialog::UpdateF(float step) {
    if (mState == FlyingIn) {
        if (mFlyInSound) {
            PlayUiSound("flywindow", true);
            mFlyInSound = false;
        }
        if (MoveToward(Centre(), mRest, step))
            mState = Resting;
    } else if (mState == FlyingOut) {
        if (mFlyOutSound) {
            PlayUiSound("flywindow", true);
            mFlyOutSound = false;
        }
        if (MoveToward(Centre(), mEnd, step))
            mState = Gone;
    }
}

void LayoutDialog::Update() {
    GameDialog::Update();
    if (mState == Gone && mResult == kNoResult) {
        mResult = mPendingResult;
        if (mDialogListener != nullptr)
            mDialogListener->DialogButtonRelease(mId, mResult);
    }
    if (!PacedByRefresh())
        UpdateF(1.0f);
}

void LayoutDialog::ButtonDepress(int32_t buttonId) {
    // A dialog on its way out keeps the button that sent it.
    if (buttonId == -1 || mState == FlyingOut || mState == Gone)
        return;
    PlayUiSound("MouseDown", true);
    mPendingResult = buttonId;
    mState = FlyingOut;
}

void LayoutDialog::KeyUp(int32_t key) {
    if (key == kSavePositionsKey && mLayout)
        mLayout->SavePositions();
}

} // namespace Game
