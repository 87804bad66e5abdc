#pragma once
// The outcome of the one-time 3D capability test: the display keeps it once
// the test has run, and the application reports 3D as supported or
// recommended from it. The rendering test itself comes with the 3D path.

#include <string>

namespace Kavo {

class D3DTester {
public:
    virtual ~D3DTester() = default;

    // 3D is usable when the reason is empty.
    bool Passed() const { return mFailureReason.empty(); }
    // 3D works and nothing argues against using it.
    bool Recommended() const { return Passed() && mWarning.empty(); }

    std::string mFailureReason;
    std::string mWarning;
};

} // namespace Kavo
