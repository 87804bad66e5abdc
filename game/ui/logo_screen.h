#pragma once
// The first screen of the game: on black, the logos of "logos/logos.txt"
// fade in, stay and fade out one after another (sections in the document's
// order); a click skips the rest. When they are done the screen hands over
// to the start-up load.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/ui/game_dialog.h"
#include "game/ui/named_image.h"

namespace Game {

class LogoScreen : public GameDialog {
public:
    enum State : int32_t { FadingIn = 0, Holding = 1, FadingOut = 2, Pausing = 3, NextLogoDue = 4 };
    static constexpr int32_t kDialogId = 1;
    static constexpr int32_t kPauseSteps = 50;
    static constexpr float kFadeStep = 2.55f;

    struct Logo {
        std::string mImage;
        int32_t mHoldSteps = 100;
    };

    // `onDone` runs once, on the update after the last logo (or at once when
    // there are none).
    explicit LogoScreen(std::function<void()> onDone, const std::string& path = "logos/logos.txt");
    ~LogoScreen() override;

    void Update() override;
    void Draw(Kavo::Graphics* g) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void NextLogo();

    State GetState() const { return mState; }
    int32_t GetLogoIndex() const { return mIndex; }
    const std::vector<Logo>& GetLogos() const { return mLogos; }
    const NamedImage& GetSprite() const { return mSprite; }

private:
    int32_t mCounter = 0;
    State mState = NextLogoDue;
    int32_t mIndex = -1;
    std::vector<Logo> mLogos;
    NamedImage mSprite;
    std::function<void()> mOnDone;
};

} // namespace Game
