#pragma once
// The board effects' sample content: the frame animations of the blink wave,
// the settling pulse, the score pop-ups, the dust, the hint bonus and the
// freeze probe, and the pictures of the colour rings, tip and hint arrows
// and the timer lock.

#include <string>

namespace Kavo::SampleContent {

// Writes the files under `root`; false when one cannot be made.
bool WriteEffectFamilyContent(const std::string& root);

} // namespace Kavo::SampleContent
