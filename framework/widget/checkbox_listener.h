#pragma once

#include <cstdint>

namespace Kavo {

// Told when a check box changes state.
class CheckboxListener {
public:
    virtual ~CheckboxListener() = default;
    virtual void CheckboxChecked(int32_t id, bool checked) = 0;
};

} // namespace Kavo
