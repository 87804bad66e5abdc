#pragma once

#include <cstdint>
#include <string>

#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/window.h"

namespace Kavo {

class MemoryImage;

// The display's 3D renderer. Drawing through it comes later; what exists now
// is what the display and the application ask of it: set-up (which always
// succeeds and draws nothing), the scene state and error text that
// presenting checks, whether it was ever used, whether it misbehaved, and
// dropping an image's texture.
class D3DInterface {
public:
    virtual ~D3DInterface() = default;

    // Takes the draw surface of the display for rendering. True.
    bool Init(platform::Display* display, platform::WindowHandle window, int width, int height,
              platform::Surface* drawSurface, bool windowed);
    void Cleanup();

    // Deletes the image's texture data and clears its pointer.
    void RemoveMemoryImage(MemoryImage* image);
    // Copies a current texture back into width x height ARGB words.
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest);

    // Set once a frame was drawn through the renderer.
    bool mWasUsed = false;
    // Set when a scene could not begin, cleared when one could (and by a
    // failed present): drawing may not have worked during the run.
    bool mPreDrawError = false;
    // The last failure; presenting gives up 3D while it is not empty.
    std::string mErrorString;
    // A scene was begun and not yet ended.
    bool mSceneBegun = false;
};

} // namespace Kavo
