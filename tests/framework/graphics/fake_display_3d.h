#pragma once

#include "framework/graphics/display_3d.h"

namespace Kavo {

// The display's answer to the 3D question, set by each test.
class FakeDisplay3D : public Display3D {
public:
    bool m3D = false;
    const Image* mSurface = nullptr;

    bool IsDisplay3D() const override { return m3D; }
    bool IsDrawSurface3D(const Image* image) const override { return image != nullptr && image == mSurface; }
};

} // namespace Kavo
