#pragma once
// Surface images on a headless display, for the drawing tests: images with
// a surface made from given pixels, the switch into 3D with a recording
// renderer, and the surface layer's call counts as spies of the surface
// blits and locks.

#include <memory>
#include <vector>

#include "tests/framework/graphics/display_device_fixture.h"
#include "tests/framework/graphics/recording_renderer.h"

namespace display_test {

class SurfaceDrawing : public DisplayDevice {
protected:
    RecordingRenderer* renderer = nullptr;

    void InitWith(const platform::PixelFormat& desktop) {
        environment->settings.desktopFormat = desktop;
        ASSERT_EQ(OpenAndInit(true), Kavo::DDInterface::RESULT_OK);
        auto recording = std::make_unique<RecordingRenderer>();
        renderer = recording.get();
        dd->mD3DInterface = std::move(recording);
    }

    // An image whose pixels are all `pixel`, without a surface yet.
    std::unique_ptr<Kavo::DDImage> Image(int width, int height, uint32_t pixel) {
        return Image(std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel), width);
    }
    std::unique_ptr<Kavo::DDImage> Image(const std::vector<uint32_t>& pixels, int width) {
        auto image = std::make_unique<Kavo::DDImage>(dd.get());
        image->SetBits(pixels.data(), width, static_cast<int>(pixels.size()) / width);
        return image;
    }
    // The same with its surface made: the bits and the surface agree.
    std::unique_ptr<Kavo::DDImage> SurfaceImage(int width, int height, uint32_t pixel) {
        auto image = Image(width, height, pixel);
        EXPECT_TRUE(image->GenerateDDSurface());
        return image;
    }
    static std::unique_ptr<Kavo::MemoryImage> Memory(const std::vector<uint32_t>& pixels, int width) {
        auto image = std::make_unique<Kavo::MemoryImage>();
        image->SetBits(pixels.data(), width, static_cast<int>(pixels.size()) / width);
        return image;
    }

    // The screen image is the draw surface; in 3D it draws through the renderer.
    Kavo::DDImage& Screen3D() {
        dd->mIs3D = true;
        return *dd->mScreenImage;
    }

    int Calls(platform::DisplayOperation operation) { return Faults().Calls(operation); }
    static uint32_t At(Kavo::DDImage& image, int x, int y) { return PixelOf(image.mSurface, x, y); }
};

} // namespace display_test
