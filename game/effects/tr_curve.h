#pragma once
// A value over a normalised time 0..1 given by keys joined by straight
// segments. The first key always counts as time 0; at or past the end of the
// last segment the curve goes back to the first key's value, which is how
// the scene files were tuned.

#include <string>
#include <utility>
#include <vector>

namespace Game {

// The segment of `durations` that t falls in (r is then the time into it),
// or -1 when t lies at or past the end of the last one.
int FindCurveSegment(const std::vector<float>& durations, float t, float& r);

class TrCurve {
public:
    // "time,value;time,value;...": pieces trimmed, empty ones skipped, a
    // missing number read as 0.
    void Parse(const std::string& text);
    float Evaluate(float t) const;
    bool IsEmpty() const { return mKeys.empty(); }

    std::vector<std::pair<float, float>> mKeys; // (time, value) in text order
    std::vector<float> mDurations;
    std::vector<float> mDeltas;

private:
    void Prepare();
};

} // namespace Game
