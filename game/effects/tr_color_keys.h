#pragma once
// A colour over a normalised time 0..1: keys of (time, colour) searched like
// a TrCurve's. Red, green and blue blend towards the next key; alpha is the
// key's own.

#include "framework/util/color.h"

#include <string>
#include <utility>
#include <vector>

namespace Game {

class TrColorKeys {
public:
    // "time,colour;...": each colour the unsigned decimal of 0xAARRGGBB.
    void Parse(const std::string& text);
    // Appends a key (after emptying the list when clearFirst is set).
    void Add(float time, const Kavo::Color& color, bool clearFirst);
    // Opaque black without keys.
    Kavo::Color Evaluate(float t) const;

    std::vector<std::pair<float, Kavo::Color>> mKeys;
    std::vector<float> mDurations;

private:
    void Prepare();
};

} // namespace Game
