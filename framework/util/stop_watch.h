#pragma once
// Times one interval on the performance counter, in milliseconds.

#include <cstdint>

namespace Kavo {

class StopWatch {
public:
    void Start();
    // Ends the interval begun by Start and returns its length (also kept as
    // the duration).
    double Stop();
    double GetDuration() const { return mDuration; }

private:
    std::uint64_t mStart = 0;
    double mDuration = 0.0;
};

} // namespace Kavo
