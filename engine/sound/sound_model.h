#pragma once
// The object a 3D sound is attached to: it lends its 4x4 matrix (16 floats,
// row-major, row vectors) for one placement and is told when that is done.

namespace Sound {

class SoundModel_t {
public:
    virtual ~SoundModel_t() = default;
    virtual const float* Matrix() = 0;
    virtual void Finish() = 0;
};

} // namespace Sound
