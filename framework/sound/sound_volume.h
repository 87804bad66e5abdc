#pragma once
// Linear volumes and pans as the sound buffers take them (hundredths of a
// decibel).

#include <algorithm>
#include <cmath>

#include "platform/audio/sound_types.h"

namespace Kavo {

// An effect's volume x (0..1, clamped) on the curve the effects were mixed
// for: (log10(9x + 1) - 1) x 2333, truncated; below -2000 it is silence.
inline int EffectVolume(double x) {
    x = std::clamp(x, 0.0, 1.0);
    const int volume = static_cast<int>((std::log10(9.0 * x + 1.0) - 1.0) * 2333.0);
    if (volume < -2000)
        return platform::kSoundVolumeMin;
    return std::clamp(volume, platform::kSoundVolumeMin, platform::kSoundVolumeMax);
}

// A whole percentage (0..100, clamped) of amplitude: 20 log10(p / 100) dB.
inline int PercentVolume(double percent) {
    if (percent <= 0.0)
        return platform::kSoundVolumeMin;
    const int volume = static_cast<int>(2000.0 * std::log10(std::min(percent, 100.0) / 100.0));
    return std::clamp(volume, platform::kSoundVolumeMin, platform::kSoundVolumeMax);
}

inline int ClampPan(int pan) {
    return std::clamp(pan, platform::kSoundPanLeft, platform::kSoundPanRight);
}

} // namespace Kavo
