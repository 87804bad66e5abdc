#pragma once
// The main menu: the current player's name, Play, Map, Reward, Help,
// Options, Exit and the change of player, with a shine sweeping the Play
// button now and then. It starts or continues a game and asks for a player
// name while there is none.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/ui/effect_list.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"

namespace Kavo {
class ButtonWidget;
class Dialog;
} // namespace Kavo

namespace Game {

class GameApp;

class MainMenuScreen : public GameDialog {
public:
    static constexpr int32_t kDialogId = 1;
    enum Button : int32_t { Play = 1, Map = 3, Help = 4, Options = 5, Reward = 6, Exit = 7, ChangeUser = 33 };
    static constexpr int32_t kNewUserDialog = 101;
    static constexpr int32_t kSelectGameDialog = 303;
    static constexpr int32_t kShineEvery = 500;
    // Switches to the board, the map, the reward screen and the first comics.
    static constexpr int kToBoard = 7;
    static constexpr int kToMap = 17;
    static constexpr int kToReward = 29;
    static constexpr int kToComics = 38;

    explicit MainMenuScreen(GameApp* app, const std::string& layoutPath = "ui/main.txt");
    ~MainMenuScreen() override;

    void Update() override;
    void UpdateF(float fraction) override;
    void Draw(Kavo::Graphics* g) override;
    void DrawOverlay(Kavo::Graphics* g) override;
    using GameDialog::DrawOverlay;
    void KeyUp(int32_t key) override;
    void OnEnter() override;
    void OnLeave() override;
    void ButtonDepress(int32_t buttonId) override;
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;

    Kavo::ButtonWidget* GetButton(int32_t id) const;
    const EffectList& GetEffects() const { return mEffects; }
    int32_t GetShineCounter() const { return mShineCounter; }
    bool IsAskingForUser() const { return mAskForUser; }

private:
    // Starts a new game: the first restaurant's default room, then the
    // first comics scene.
    void StartNewGame();
    void PlaceButtonColumn();
    void AddListenedDialog(Kavo::Dialog* dialog);

    GameApp* mApp;
    bool mAskForUser = true;
    Kavo::ButtonWidget* mNameLabel = nullptr;
    std::unique_ptr<Layout> mLayout;
    EffectList mEffects{true};
    Kavo::ButtonWidget* mReward = nullptr;
    Kavo::ButtonWidget* mMap = nullptr;
    Kavo::ButtonWidget* mPlay = nullptr;
    std::vector<Kavo::ButtonWidget*> mColumn;
    bool mStopMusicOnLeave = true;
    int32_t mShineCounter = 0;
};

} // namespace Game
