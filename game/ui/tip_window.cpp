#include "game/ui/tip_window.h"

#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/ui/control_desc.h"
#include "game/ui/ini_document.h"
#include "game/ui/layout.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"

namespace Game {

namespace {

constexpr const char* kTipNames[] = {
    "TipGame1",
    "TipGameTimer",
    "TipGameBonusItem",
    "TipSecret",
    "TipLockedField",
    "TipDoubleField",
    "TipKnifeComplete",
    "TipShuffleComplete",
    "TipTimeFreezeComplete",
    "TipBreakLineComplete",
    "TipHintComplete",
    "TipLightningComplete",
    "TipReplaceComplete",
    "TipX2Complete",
    "TipGameItems",
    "TipPuzzleRules",
    "TipPuzzleWrongSwap",
    "TipLevelComplete1",
    "TipLevelComplete2",
    "TipRoom1",
    "TipRoom2",
    "TipRoom3",
    "TipRoom4",
    "TipRoom5",
    "TipRoom6",
    "TipRoom7",
    "TipRoom8",
};
constexpr const char* kLayoutFile = "ui/tip.txt";
constexpr int32_t kTipNameCount = static_cast<int32_t>(sizeof(kTipNames) / sizeof(kTipNames[0]));

// The pointer's offset above the window's top and above its bottom edge.
constexpr int32_t kPointerAbove = -23;
constexpr int32_t kPointerBelowBottom = 25;

void GameArea(int32_t& width, int32_t& height) {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    width = app != nullptr ? app->GetWidth() : 1024;
    height = app != nullptr ? app->GetHeight() : 768;
}

// The start of a window of this size along an edge of this length, moved
// as little as it takes to lie wholly on it (its start when it is longer).
int32_t KeptInside(int32_t start, int32_t size, int32_t length) {
    return std::max(0, std::min(start, length - size));
}

} // namespace

std::string GetTipName(int32_t tipId) {
    if (tipId < 0 || tipId >= kTipNameCount)
        return {};
    return kTipNames[tipId];
}

TipWindow::TipWindow(const std::string& text) : Dialog(IMAGE_TIP, nullptr, kDialogId, false, "", text, "", 0) {
    if (FONT_DEFAULT != nullptr) {
        SetHeaderFont(FONT_DEFAULT);
        SetLinesFont(FONT_DEFAULT);
        SetButtonFont(FONT_DEFAULT);
    }
    mContentInsets = {kInset, kInset, kInset, kInset};
    mLayout = std::make_unique<Layout>(kLayoutFile, this);
    mOk = mLayout->GetControl("Ok");
    IniDocument doc;
    doc.Load(kLayoutFile, true);
    if (doc.GetSectionCount() != 0) {
        const IniSection& main = *doc.GetSection("Main");
        if (main.HasKey("TextColor"))
            SetColor(COLOR_LINES, Kavo::Color(ReadLayoutInt(main, "TextColor", 0)));
    }
    Resize(0, 0, kWidth, 0);
}

TipWindow::~TipWindow() {
    mLayout.reset();
}

void TipWindow::Resize(int32_t x, int32_t y, int32_t, int32_t) {
    const int32_t okExtra = mOk != nullptr ? mOk->mHeight + kInset : 0;
    Dialog::Resize(x, y, kWidth, GetPreferredHeight(kWidth) + okExtra);
    if (mOk != nullptr)
        mOk->Move((mWidth - mOk->mWidth) / 2,
                  mHeight - mOk->mHeight - mContentInsets.mBottom - mBackgroundInsets.mBottom);
}

void TipWindow::Show(int32_t x, int32_t y) {
    // A point near an edge would put the window past it: the window stays in
    // the game area, and its pointer slides along it to stay over the point.
    int32_t areaWidth = 0;
    int32_t areaHeight = 0;
    GameArea(areaWidth, areaHeight);
    if (!mPointerShown) {
        Move(KeptInside(x, mWidth, areaWidth), KeptInside(y, mHeight, areaHeight));
    } else {
        const int32_t arrowWidth = IMAGE_TIP_ARROW != nullptr ? IMAGE_TIP_ARROW->GetWidth() : 0;
        const int32_t arrowHeight = IMAGE_TIP_ARROW != nullptr ? IMAGE_TIP_ARROW->GetHeight() : 0;
        const bool right = x > areaWidth - x;
        const bool top = y <= areaHeight - y;
        const int32_t wantedX = right ? x + mPointerOffset - mWidth : x - mPointerOffset;
        const int32_t windowX = KeptInside(wantedX, mWidth, areaWidth);
        const int32_t windowY = KeptInside(top ? y + arrowHeight : y - arrowHeight - mHeight, mHeight, areaHeight);
        mPointerX = (right ? mWidth - mPointerOffset - arrowWidth : mPointerOffset) + wantedX - windowX;
        mPointerX = std::max(0, std::min(mPointerX, mWidth - arrowWidth));
        mPointerY = top ? kPointerAbove : mHeight - kPointerBelowBottom;
        mPointerFlipX = right;
        mPointerFlipY = top;
        mPointerTransform.LoadIdentity();
        mPointerTransform.Scale(right ? -1.0f : 1.0f, top ? -1.0f : 1.0f);
        mPointerTransform.Translate(float(mPointerX + arrowWidth / 2), float(mPointerY + arrowHeight / 2));
        Move(windowX, windowY);
    }
    if (mPlacementSound)
        PlayUiSound("tipwindow", true);
}

void TipWindow::Update() {
    ++mAge;
    Dialog::Update();
}

void TipWindow::Draw(Kavo::Graphics* g) {
    Dialog::Draw(g);
    if (!mPointerShown || IMAGE_TIP_ARROW == nullptr)
        return;
    int32_t areaWidth = 0;
    int32_t areaHeight = 0;
    GameArea(areaWidth, areaHeight);
    g->PushState();
    // The pointer may lie outside the window.
    g->SetClipRect(-mX, -mY, areaWidth, areaHeight);
    g->DrawImageMatrix(IMAGE_TIP_ARROW, mPointerTransform, 0.0f, 0.0f);
    g->PopState();
}

void TipWindow::ButtonDepress(int32_t buttonId) {
    if (buttonId == -1)
        return;
    mResult = buttonId;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonRelease(kDialogId, buttonId);
}

} // namespace Game
