#include "game/effects/tr_curve.h"

#include "engine/base/string_tools.h"

#include <cstdio>

namespace Game {

int FindCurveSegment(const std::vector<float>& durations, float t, float& r) {
    r = t;
    for (size_t i = 0; i < durations.size(); ++i) {
        r -= durations[i];
        if (r < 0) {
            r += durations[i];
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TrCurve::Parse(const std::string& text) {
    mKeys.clear();
    std::vector<std::string> pieces;
    com_string::Split(text.c_str(), ';', pieces);
    for (const std::string& piece : pieces) {
        float time = 0;
        float value = 0;
        std::sscanf(piece.c_str(), "%f,%f", &time, &value);
        mKeys.emplace_back(time, value);
    }
    Prepare();
}

void TrCurve::Prepare() {
    mDurations.clear();
    mDeltas.clear();
    for (size_t i = 0; i + 1 < mKeys.size(); ++i) {
        mDurations.push_back(mKeys[i + 1].first - mKeys[i].first);
        mDeltas.push_back(mKeys[i + 1].second - mKeys[i].second);
    }
}

float TrCurve::Evaluate(float t) const {
    if (t > 1.0f)
        t = 1.0f;
    if (mKeys.empty())
        return 0.0f;
    if (mKeys.size() == 1)
        return mKeys[0].second;
    float r = 0;
    const int i = FindCurveSegment(mDurations, t, r);
    if (i < 0)
        return mKeys[0].second;
    const float duration = mDurations[static_cast<size_t>(i)];
    // Only a time before 0 can land in a segment of no length.
    const float u = duration != 0 ? r / duration : 0.0f;
    return u * mDeltas[static_cast<size_t>(i)] + mKeys[static_cast<size_t>(i)].second;
}

} // namespace Game
