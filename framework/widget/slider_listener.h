#pragma once

#include <cstdint>

namespace Kavo {

// Told the value of a slider while it is dragged and when it is released.
class SliderListener {
public:
    virtual ~SliderListener() = default;
    virtual void SliderVal(int32_t id, double value) = 0;
};

} // namespace Kavo
