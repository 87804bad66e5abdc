#pragma once

#include <cstdint>

namespace Kavo {

class MemoryImage;

// The display's 3D renderer. Drawing through it comes with the display; what
// exists now is what the application asks of it: whether it was ever used,
// whether it misbehaved, and dropping an image's texture.
class D3DInterface {
public:
    virtual ~D3DInterface() = default;

    // Deletes the image's texture data and clears its pointer.
    void RemoveMemoryImage(MemoryImage* image);
    // Copies a current texture back into width x height ARGB words.
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest);

    // Set once a frame was drawn through the renderer.
    bool mWasUsed = false;
    // Set when a scene could not begin, cleared when one could (and by a
    // failed present): drawing may not have worked during the run.
    bool mPreDrawError = false;
};

} // namespace Kavo
