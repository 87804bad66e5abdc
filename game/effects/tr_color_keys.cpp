#include "game/effects/tr_color_keys.h"

#include "engine/base/string_tools.h"
#include "game/effects/tr_curve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Game {

namespace {

Kavo::Color FromArgb(std::uint32_t argb) {
    return Kavo::Color(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                       static_cast<int>(argb & 0xFF), static_cast<int>(argb >> 24));
}

int Blend(int from, int to, float u) {
    return static_cast<int>(static_cast<float>(from) + static_cast<float>(to - from) * u);
}

} // namespace

void TrColorKeys::Parse(const std::string& text) {
    mKeys.clear();
    std::vector<std::string> keys;
    com_string::Split(text.c_str(), ';', keys);
    for (const std::string& key : keys) {
        std::vector<std::string> parts;
        com_string::Split(key.c_str(), ',', parts);
        const float time = parts.empty() ? 0.0f : static_cast<float>(std::atof(parts[0].c_str()));
        // Opaque colours lie above 2^31: read unsigned, keep 32 bits.
        const std::uint32_t argb =
            parts.size() < 2 ? 0u : static_cast<std::uint32_t>(std::strtoull(parts[1].c_str(), nullptr, 10));
        mKeys.emplace_back(time, FromArgb(argb));
    }
    Prepare();
}

void TrColorKeys::Add(float time, const Kavo::Color& color, bool clearFirst) {
    if (clearFirst)
        mKeys.clear();
    mKeys.emplace_back(time, color);
    Prepare();
}

void TrColorKeys::Prepare() {
    mDurations.clear();
    for (size_t i = 0; i + 1 < mKeys.size(); ++i)
        mDurations.push_back(mKeys[i + 1].first - mKeys[i].first);
}

Kavo::Color TrColorKeys::Evaluate(float t) const {
    if (t > 1.0f)
        t = 1.0f;
    if (mKeys.empty())
        return Kavo::Color(0, 0, 0, 255);
    float r = 0;
    const int i = FindCurveSegment(mDurations, t, r);
    if (i < 0)
        return mKeys[0].second;
    const float duration = mDurations[static_cast<size_t>(i)];
    // A time before 0 would blend past the keys: held at the segment's ends.
    const float u = duration != 0 ? std::clamp(r / duration, 0.0f, 1.0f) : 0.0f;
    const Kavo::Color& from = mKeys[static_cast<size_t>(i)].second;
    const Kavo::Color& to = mKeys[static_cast<size_t>(i) + 1].second;
    return Kavo::Color(Blend(from.mRed, to.mRed, u), Blend(from.mGreen, to.mGreen, u), Blend(from.mBlue, to.mBlue, u),
                       from.mAlpha);
}

} // namespace Game
