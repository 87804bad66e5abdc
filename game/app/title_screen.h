#pragma once
// The first screen after the logos: the title picture and a progress bar
// that follows the loading thread; once loading is done, "Continue" shows
// and any click leaves for the main menu.

#include <cstdint>
#include <memory>

#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"

namespace Game {

class GameApp;

class TitleScreen : public GameDialog {
public:
    static constexpr int32_t kId = 1;
    static constexpr int kToMainMenu = 13;

    explicit TitleScreen(GameApp* app);
    ~TitleScreen() override;

    void SetLoaded();
    bool IsLoaded() const { return mLoaded; }
    // "Continue", shown once loading has ended (null when the layout has none).
    Kavo::Widget* GetContinue() const { return mContinue; }
    void Draw(Kavo::Graphics* g) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void ButtonDepress(int32_t buttonId) override;
    void ButtonMouseEnter(int32_t buttonId) override;

    // The width of the progress bar at that progress (0 to 1).
    static int32_t BarWidth(double progress, int32_t imageWidth);

private:
    GameApp* mApp;
    std::unique_ptr<Layout> mLayout;
    Kavo::Widget* mContinue = nullptr;
    LayoutPoint mSlider; // where the progress bar is drawn
    bool mLoaded = false;
};

} // namespace Game
