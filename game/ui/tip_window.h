#pragma once
// A tip: a small window of text beside a point of the game area, with a
// pointer image that points at the point. Only one is open at a time, as
// the framework dialog kDialogId.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/util/matrix.h"
#include "framework/widget/button_listener.h"
#include "framework/widget/dialog.h"

namespace Game {

class Layout;

// The term key of a tip id; "" for ids without a tip.
std::string GetTipName(int32_t tipId);

class TipWindow : public Kavo::Dialog {
public:
    static constexpr int32_t kDialogId = 1024;
    static constexpr int32_t kWidth = 350;
    static constexpr int32_t kInset = 40;

    explicit TipWindow(const std::string& text);
    ~TipWindow() override;

    // Places the window beside (x, y) with its pointer at the point.
    void Show(int32_t x, int32_t y);
    // Keeps the width and takes the height the text needs; the size given is ignored.
    void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Update() override;
    void Draw(Kavo::Graphics* g) override;
    void ButtonDepress(int32_t buttonId) override;

    int32_t mTipId = 0;
    bool mPointerShown = true;
    int32_t mPointerOffset = 80;
    int32_t mPointerX = 0;
    int32_t mPointerY = 0;
    int32_t mAge = 0;
    bool mPlacementSound = true;
    Kavo::Matrix3x3 mPointerTransform;
    bool mPointerFlipX = false;
    bool mPointerFlipY = false;

private:
    std::unique_ptr<Layout> mLayout;
    Kavo::Widget* mOk = nullptr;
};

} // namespace Game
