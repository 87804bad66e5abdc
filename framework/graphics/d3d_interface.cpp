#include "framework/graphics/d3d_interface.h"

#include "framework/graphics/memory_image.h"

namespace Kavo {

bool D3DInterface::Init(platform::Display*, platform::WindowHandle, int, int, platform::Surface*, bool) {
    mSceneBegun = false;
    return true;
}

void D3DInterface::Cleanup() {
    mSceneBegun = false;
}

void D3DInterface::RemoveMemoryImage(MemoryImage* image) {
    // Texture data is made only by the drawing renderer, which this one is
    // not yet; an image can therefore hold none to free.
    if (image != nullptr)
        image->mTextureData = nullptr;
}

void D3DInterface::FillPoly(const Point*, int, const IntRect&, const Color&, int, int, int) {}
void D3DInterface::FillRect(const IntRect&, const Color&, int) {}
void D3DInterface::DrawLine(double, double, double, double, const Color&, int) {}
void D3DInterface::Blt(Image*, float, float, const IntRect&, const Color&, int, bool) {}
void D3DInterface::BltClipF(Image*, float, float, const IntRect&, const IntRect&, const Color&, int) {}
void D3DInterface::BltMirror(Image*, float, float, const IntRect&, const Color&, int) {}
void D3DInterface::StretchBlt(Image*, const IntRect&, const IntRect&, const IntRect&, const Color&, int, bool, bool) {}
void D3DInterface::BltRotated(Image*, float, float, const IntRect&, const Color&, int, double, float, float,
                              const IntRect&) {}
void D3DInterface::BltTransformed(Image*, const Matrix3x3&, const IntRect&, const Color&, int, const IntRect&, bool,
                                  float, float, bool) {}
void D3DInterface::DrawTrianglesTex(const TriVertex (*)[3], int, const Color&, int, Image*, float, float, bool) {}

bool D3DInterface::ReadBackTexture(MemoryImage*, uint32_t*) {
    return false;
}

} // namespace Kavo
