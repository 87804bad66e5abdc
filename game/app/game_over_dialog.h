#pragma once
// The game-over screen: the picture "images/gameover" over the whole
// window; any click or Escape goes back to the main menu.

#include <cstdint>
#include <memory>

#include "game/ui/effect_base.h"
#include "game/ui/game_dialog.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout.h"

namespace Game {

class GameOverDialog : public GameDialog {
public:
    static constexpr int32_t kDialogId = 7;
    static constexpr int32_t kBackToMenu = 41; // the switch to the main menu
    static constexpr int32_t kEscape = 27;

    explicit GameOverDialog(const std::string& layoutPath = "UI/gameover.txt");
    ~GameOverDialog() override;

    void OnPrepare() override;
    void OnLeave() override;
    void Draw(Kavo::Graphics* g) override;
    void Update() override;
    void UpdateF(float step) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void KeyUp(int32_t key) override;
    void ButtonDepress(int32_t buttonId) override;
    void ButtonMouseEnter(int32_t buttonId) override;

    // Drawn and updated over the picture while set; owned.
    std::unique_ptr<EffectBase> mEffect;
    const ImageSprite* GetBackground() const { return mBackground.get(); }

private:
    std::unique_ptr<Layout> mLayout;
    std::unique_ptr<ImageSprite> mBackground;
};

} // namespace Game
