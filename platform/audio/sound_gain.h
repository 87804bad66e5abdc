#pragma once
// Volumes in hundredths of a decibel as linear gains: v gives 10^(v / 2000),
// and the lowest volume is silence rather than a very quiet sound.

#include <cmath>

#include "platform/audio/sound_types.h"

namespace platform {

inline float GainOfVolume(int hundredthsDb) {
    if (hundredthsDb <= kSoundVolumeMin) {
        return 0.0f;
    }
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

// A pan to the left lowers the right channel by its amount and the other
// way round.
inline float LeftGainOfPan(int pan) {
    return pan > 0 ? GainOfVolume(-pan) : 1.0f;
}
inline float RightGainOfPan(int pan) {
    return pan < 0 ? GainOfVolume(pan) : 1.0f;
}

} // namespace platform
