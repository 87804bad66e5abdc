#pragma once
// What the stage-complete screen reads and drives of the board screen under
// it: the level timer that gives the time bonus, the field beside it that
// shows the bonus, and the rating label.

#include <string>

#include "game/ui/layout.h"

namespace Game {

class ShopScreenBoard {
public:
    virtual ~ShopScreenBoard() = default;

    // The level timer's duration and the value it stopped at.
    virtual float GetTimerDuration() const = 0;
    virtual float GetTimerValue() const = 0;
    // The timer's position on the screen: the time-bonus coin starts there.
    virtual LayoutPoint GetTimerPosition() const = 0;
    // Shows the time bonus beside the timer.
    virtual void SetTimeBonusDisplay(float bonus) = 0;
    virtual void SetRatingText(const std::string& text) = 0;
    // One step of the timer's dial while the time bonus is counted.
    virtual void UpdateTimerDial() = 0;
};

} // namespace Game
