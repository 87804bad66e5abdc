#pragma once
// A link-style label showing a number that counts toward a target by one
// step per update, with "," between groups of three digits. The owner sets
// the current value, target, step and listener; the listener hears once
// when the target is reached.

#include <cstdint>

#include "framework/widget/hyperlink_widget.h"

namespace Game {

class NumberLabel;

class NumberLabelListener {
public:
    virtual ~NumberLabelListener() = default;
    virtual void NumberReached(NumberLabel* label) = 0;
};

class NumberLabel : public Kavo::HyperlinkWidget {
public:
    NumberLabel(int32_t id, Kavo::ButtonListener* listener);

    void Update() override;

    NumberLabelListener* mNumberListener = nullptr;
    float mCurrent = -1e8f;
    float mTarget = -1e8f; // equal to the current value: nothing to count
    float mStep = 1.0f;
};

} // namespace Game
