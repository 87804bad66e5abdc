#pragma once
// The widget that covers the game area of kavo-preview: it draws the sample
// board from the archive's pictures every update, with the selection ring
// walking along a row and a swapped item spinning, a caption in the sample
// bitmap font, a status line in a system font and a marker where the mouse
// is. Escape ends the application.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/font/image_font.h"
#include "framework/font/sys_font.h"
#include "framework/widget/widget.h"
#include "tools/preview/board_art.h"

namespace Kavo {

class KavoAppBase;

class BoardWidget : public Widget {
public:
    BoardWidget(KavoAppBase& app, const BoardArt& art, std::string status);

    // Loads the fonts; false when the sample bitmap font does not load.
    bool LoadFonts();

    void Update() override;
    void Draw(Graphics* g) override;
    void KeyDown(int32_t key) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDrag(int32_t x, int32_t y) override;

    // The board's geometry, also what a picture of a frame is checked against.
    static constexpr int kCell = 72;
    static constexpr int kColumns = 8;
    static constexpr int kRows = 8;
    static constexpr int kLeft = (1024 - kColumns * kCell) / 2;
    static constexpr int kTop = 150;
    // The kind of item (its cel in the item strip) at a cell.
    static int ItemKind(int row, int column, int kinds);

private:
    void DrawBoard(Graphics& g);
    void DrawTexts(Graphics& g);
    void DrawMarker(Graphics& g);

    KavoAppBase& mApp;
    const BoardArt& mArt;
    std::string mStatus;
    std::unique_ptr<ImageFont> mCaptionFont;
    std::unique_ptr<SysFont> mStatusFont;
    bool mMouseInside = false;
    int32_t mMouseX = 0;
    int32_t mMouseY = 0;
};

} // namespace Kavo
