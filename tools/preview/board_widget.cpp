#include "tools/preview/board_widget.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "platform/messages.h"

namespace Kavo {

namespace {

// The selection ring moves one cell every this many updates.
constexpr int kSelectionStepUpdates = 25;
// The spinning item turns this far (radians) per update.
constexpr double kSpinPerUpdate = 0.04;

} // namespace

BoardWidget::BoardWidget(KavoAppBase& app, const BoardArt& art, std::string status)
    : mApp(app), mArt(art), mStatus(std::move(status)) {
    mWantsFocus = true;
}

bool BoardWidget::LoadFonts() {
    mCaptionFont = std::make_unique<ImageFont>("fonts/sample.txt");
    if (!mCaptionFont->IsLoaded()) {
        mCaptionFont.reset();
        return false;
    }
    mCaptionFont->SetPointSize(mCaptionFont->GetDefaultPointSize() * 3 / 2);
    mStatusFont = std::make_unique<SysFont>("Tahoma", 10);
    mStatusFont->mShadow = true;
    return true;
}

int BoardWidget::ItemKind(int row, int column, int kinds) {
    return kinds <= 0 ? 0 : (row * 5 + column * 3 + (row * column) % 4) % kinds;
}

void BoardWidget::Update() {
    Widget::Update();
    MarkDirty(); // the board moves every update
}

void BoardWidget::Draw(Graphics* g) {
    DrawBoard(*g);
    DrawTexts(*g);
    if (mMouseInside)
        DrawMarker(*g);
}

void BoardWidget::DrawBoard(Graphics& g) {
    if (MemoryImage* background = mArt.Get("PREVIEW_BACKGROUND")) {
        g.DrawImage(background, 0, 0);
    } else {
        g.SetColor(Color(0, 0, 0));
        g.FillRect(0, 0, mWidth, mHeight);
    }

    g.SetColor(Color(0, 0, 0, 96));
    g.FillRect(kLeft - 8, kTop - 8, kColumns * kCell + 16, kRows * kCell + 16);
    MemoryImage* tile = mArt.Get("PREVIEW_TILE");
    MemoryImage* items = mArt.Get("PREVIEW_ITEMS");
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const int x = kLeft + c * kCell, y = kTop + r * kCell;
            if (tile)
                g.DrawImage(tile, x, y);
            if (items)
                g.DrawImageCel(items, x + (kCell - items->GetCelWidth()) / 2, y + (kCell - items->GetCelHeight()) / 2,
                               ItemKind(r, c, items->mNumCols), 0);
        }

    // The selection ring walks along the third row.
    if (MemoryImage* selection = mArt.Get("PREVIEW_SELECTION")) {
        const int column = (mUpdateCnt / kSelectionStepUpdates) % kColumns;
        g.DrawImage(selection, kLeft + column * kCell, kTop + 2 * kCell);
    }

    // A swapped item mid-flight, spinning through the software rasteriser.
    if (items) {
        const IntRect cel = items->GetCelRect(2);
        g.DrawImageRotatedF(items, float(kLeft + 4 * kCell + 30), float(kTop + 2 * kCell + 4),
                            0.6 + mUpdateCnt * kSpinPerUpdate, &cel);
    }

    // A glow added on top, and the title plate stretched over the board.
    if (MemoryImage* glow = mArt.Get("PREVIEW_GLOW")) {
        g.SetDrawMode(Graphics::DRAWMODE_ADDITIVE);
        g.DrawImage(glow, kLeft + 5 * kCell - 12, kTop + 5 * kCell - 12);
        g.SetDrawMode(Graphics::DRAWMODE_NORMAL);
    }
    if (MemoryImage* logo = mArt.Get("PREVIEW_LOGO"))
        g.DrawImage(logo, IntRect((1024 - 384) / 2, 30, 384, 96), IntRect(0, 0, logo->mWidth, logo->mHeight));

    g.SetColor(Color(255, 240, 200));
    g.DrawRect(kLeft - 8, kTop - 8, kColumns * kCell + 16, kRows * kCell + 16);
}

void BoardWidget::DrawTexts(Graphics& g) {
    if (mCaptionFont) {
        const std::string title = "Match three, then more!";
        mCaptionFont->DrawString(&g, (1024 - mCaptionFont->StringWidth(title)) / 2, 142, title, Color(255, 220, 120),
                                 IntRect());
    }
    if (mStatusFont)
        mStatusFont->DrawString(&g, 12, 756, mStatus, Color(230, 230, 230), IntRect());
}

void BoardWidget::DrawMarker(Graphics& g) {
    // A cross with a dark outline, readable on light and dark pictures.
    constexpr int kArm = 10;
    g.SetColor(Color(0, 0, 0, 160));
    g.FillRect(mMouseX - kArm - 1, mMouseY - 2, 2 * kArm + 3, 5);
    g.FillRect(mMouseX - 2, mMouseY - kArm - 1, 5, 2 * kArm + 3);
    g.SetColor(Color(255, 255, 255));
    g.FillRect(mMouseX - kArm, mMouseY - 1, 2 * kArm + 1, 3);
    g.FillRect(mMouseX - 1, mMouseY - kArm, 3, 2 * kArm + 1);
}

void BoardWidget::KeyDown(int32_t key) {
    if (key == platform::kVkEscape) {
        mApp.CloseApp();
        return;
    }
    Widget::KeyDown(key);
}

void BoardWidget::MouseEnter() {
    mMouseInside = true;
    MarkDirty();
}

void BoardWidget::MouseLeave() {
    mMouseInside = false;
    MarkDirty();
}

void BoardWidget::MouseMove(int32_t x, int32_t y) {
    mMouseInside = true;
    mMouseX = x;
    mMouseY = y;
    MarkDirty();
}

void BoardWidget::MouseDrag(int32_t x, int32_t y) {
    MouseMove(x, y);
}

} // namespace Kavo
