#pragma once

#include <cstdint>

namespace Kavo {

// What a dialog reports when one of its buttons is pressed and released.
class DialogListener {
public:
    virtual ~DialogListener() = default;

    virtual void DialogButtonPress(int32_t, int32_t) {}
    virtual void DialogButtonRelease(int32_t, int32_t) {}
};

} // namespace Kavo
