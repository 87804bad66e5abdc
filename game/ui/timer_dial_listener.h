#pragma once

namespace Game {

// What the level timer tells its owner.
class TimerDialListener {
public:
    virtual ~TimerDialListener() = default;
    // The fraction met 0.9 (counting up) or 0.1 (counting down).
    virtual void OnTimerNotice() {}
    // The value reached its end; the dial stopped.
    virtual void OnTimeUp() {}
    // Every moving update: value / duration.
    virtual void OnTimerTick(float fraction) { (void)fraction; }
};

} // namespace Game
