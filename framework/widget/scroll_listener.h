#pragma once

#include <cstdint>

namespace Kavo {

// Told every new value of a scroll bar.
class ScrollListener {
public:
    virtual ~ScrollListener() = default;
    virtual void ScrollPosition(int32_t id, double value) = 0;
};

} // namespace Kavo
