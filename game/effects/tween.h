#pragma once
// A float that moves by a fixed step toward a target and stays there.

namespace Game {

class Tween {
public:
    Tween() = default;
    Tween(float value, float target, float step) { Set(value, target, step); }

    // Starts over: not done (unless the step cannot move it and it is already
    // at the target, which the next Step tells).
    void Set(float value, float target, float step);
    // Adds the step, stopping at the target from the side the step comes
    // from; once at the target it stays done. Returns done.
    bool Step();

    float mValue = 0;
    float mTarget = 0;
    float mStep = 0;
    bool mDone = false;
};

} // namespace Game
