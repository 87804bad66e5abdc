#pragma once
// A pop-up dialog built from a layout file. It flies in from a start point
// to its resting place, and when one of its buttons is pressed it flies out
// to an end point; only then does it deliver the button as its result (to
// its dialog listener and to a caller waiting for the result).

#include <cstdint>
#include <memory>
#include <string>

#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"
#include "game/ui/normalize_2d.h"

namespace Game {

// A point of a dialog's flight.
using FlyPoint = Vector2F;

class LayoutDialog : public GameDialog {
public:
    enum FlyState : int32_t { FlyingIn = 0, Resting = 1, FlyingOut = 2, Gone = 3 };
    static constexpr int32_t kSavePositionsKey = 117; // F6

    LayoutDialog(const std::string& layoutFile, int32_t id, bool modal);
    ~LayoutDialog() override;

    Layout* GetLayout() const { return mLayout.get(); }
    // The set-up of a layout file without sections: 200 x 250 resting with
    // its centre at (400, 300), flying from and to (400, -300) at speed 10.
    void Reload(const std::string& layoutFile);

    void Update() override;
    void UpdateF(float step) override;
    void KeyUp(int32_t key) override;
    void ButtonDepress(int32_t buttonId) override;

    // Moves the centre one step toward `to`; true on arrival.
    bool MoveToward(FlyPoint from, FlyPoint to, float step);
    FlyPoint Centre() const;
    FlyState GetFlyState() const { return mState; }

    int32_t mSpeed = 0;
    FlyPoint mStart;
    FlyPoint mRest;
    FlyPoint mEnd;
    FlyState mState = FlyingIn;
    int32_t mPendingResult = kNoResult;
    bool mFlyInSound = true;
    bool mFlyOutSound = true;

private:
    void CentreAt(FlyPoint centre);

    std::unique_ptr<Layout> mLayout;
};

} // namespace Game
