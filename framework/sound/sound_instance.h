#pragma once

#include <cstdint>

namespace Kavo {

// One playing (or ready to play) copy of a loaded sound.
class SoundInstance {
public:
    virtual ~SoundInstance() = default;

    // Added to the sound's own base pan.
    virtual void SetPan(int32_t pan) = 0;
    virtual bool Play(bool looping, bool autoRelease) = 0;
};

} // namespace Kavo
