// What the X server shows of a window the SDL driver presents into: frames
// from another thread wait for the owning thread, and full screen is
// letterboxed into the size the window really has, whether the desktop
// keeps it at its windowed size (no window manager) or gives it the whole
// screen; the pointer maps back the same way.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "tests/platform/sdl/sdl_window_fixture.h"
#include "tests/platform/sdl/sdl_x11_window.h"

namespace {

using namespace platform;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

class SdlPresentTest : public SdlWindowTest {
protected:
    // A 2x2 frame: red, green / blue, white.
    bool PresentQuad(const Rect& destination) {
        static const std::vector<std::uint32_t> quad = {kRed, kGreen, kBlue, kWhite};
        return mVideo->Present(mWindow, {quad.data(), 8, 2, 2, PixelFormat::Xrgb8888()}, destination);
    }
    bool PresentColour(std::uint32_t colour) {
        const std::uint32_t pixel = colour;
        return mVideo->Present(mWindow, {&pixel, 4, 1, 1, PixelFormat::Xrgb8888()}, {0, 0, 64, 48});
    }
    sdl_test::XPixels Shown() { return sdl_test::ReadXWindow(mVideo->SdlWindowOf(mWindow)); }

    // A left click pushed at a point of the window as the desktop has it;
    // the client point the program is told.
    Point ClickAt(int x, int y) {
        SeenMessages().clear();
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.windowID = SdlId(mWindow);
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = SDL_PRESSED;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
        Drain();
        for (const SeenMessage& m : SeenMessages())
            if (m.message == kWmLButtonDown)
                return {LowSigned16(m.lParam), HighSigned16(m.lParam)};
        ADD_FAILURE() << "no button message";
        return {-1, -1};
    }
};

TEST_F(SdlPresentTest, AFrameFromAnotherThreadIsDrawnByTheOwningThreadsPump) {
    ASSERT_TRUE(PresentColour(kRed));
    EXPECT_EQ(Shown().At(10, 10), kRed);

    // The cursor thread's present: accepted, drawn only when the owner pumps.
    bool accepted = false;
    std::thread([&] { accepted = PresentColour(kBlue); }).join();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Shown().At(10, 10), kRed);
    Drain();
    EXPECT_EQ(Shown().At(10, 10), kBlue);

    // A frame the owner presents afterwards is newer than the one waiting.
    std::thread([&] { PresentColour(kGreen); }).join();
    ASSERT_TRUE(PresentColour(kWhite));
    Drain();
    EXPECT_EQ(Shown().At(10, 10), kWhite);
}

// A frame that needs no scaling goes into the window's own surface; one
// that does goes through the renderer. Either way the window shows the
// picture with black bars, and a switch between them leaves nothing behind.
TEST_F(SdlPresentTest, UnscaledAndScaledFramesShowTheSameWayAndReplaceEachOther) {
    // 32x32, every pixel its own colour, in rows padded by 4 pixels.
    constexpr int kSide = 32, kPitch = (kSide + 4) * 4;
    auto patternAt = [](int x, int y) { return static_cast<std::uint32_t>(x * 7 << 16 | y * 5 << 8 | (x ^ y)); };
    std::vector<std::uint32_t> xrgb(static_cast<std::size_t>(kPitch / 4 * kSide), 0xAAAAAAAA);
    std::vector<std::uint32_t> xbgr(xrgb.size(), 0xAAAAAAAA);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const std::uint32_t p = patternAt(x, y);
            xrgb[static_cast<std::size_t>(y * kPitch / 4 + x)] = p;
            xbgr[static_cast<std::size_t>(y * kPitch / 4 + x)] = (p & 0xFF) << 16 | (p & 0xFF00) | p >> 16;
        }
    const Rect inMiddle{16, 8, 48, 40};
    auto expectPatternInMiddle = [&](const char* step) {
        const sdl_test::XPixels shown = Shown();
        ASSERT_EQ(shown.width, kClientWidth) << step;
        int width = 0, height = 0;
        std::vector<std::uint32_t> read;
        ASSERT_TRUE(mVideo->ReadWindowPixels(mWindow, width, height, read)) << step;
        ASSERT_EQ(width, kClientWidth) << step;
        ASSERT_EQ(height, kClientHeight) << step;
        for (int y = 0; y < kClientHeight; ++y)
            for (int x = 0; x < kClientWidth; ++x) {
                const bool inside =
                    x >= inMiddle.left && x < inMiddle.right && y >= inMiddle.top && y < inMiddle.bottom;
                const std::uint32_t want = inside ? patternAt(x - inMiddle.left, y - inMiddle.top) : kBlack;
                ASSERT_EQ(shown.At(x, y), want) << step << " at " << x << "," << y;
                ASSERT_EQ(read[static_cast<std::size_t>(y * width + x)], 0xFF000000u | want) << step;
            }
    };

    ASSERT_TRUE(mVideo->Present(mWindow, {xrgb.data(), kPitch, kSide, kSide, PixelFormat::Xrgb8888()}, inMiddle));
    expectPatternInMiddle("x8r8g8b8 one to one");

    // The scaled quad covers the whole window, bars included.
    ASSERT_TRUE(PresentQuad({0, 0, 64, 48}));
    const sdl_test::XPixels quad = Shown();
    EXPECT_EQ(quad.At(0, 0), kRed);
    EXPECT_EQ(quad.At(63, 47), kWhite);
    int width = 0, height = 0;
    std::vector<std::uint32_t> read;
    ASSERT_TRUE(mVideo->ReadWindowPixels(mWindow, width, height, read));
    EXPECT_EQ(read[0], 0xFF000000u | kRed);

    ASSERT_TRUE(mVideo->Present(mWindow, {xbgr.data(), kPitch, kSide, kSide, PixelFormat::Xbgr8888()}, inMiddle));
    expectPatternInMiddle("x8b8g8r8 one to one after a scaled frame");

    // The desktop asking for the window again gets the same picture.
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.windowID = SdlId(mWindow);
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&exposed);
    Drain();
    expectPatternInMiddle("exposed");
}

TEST_F(SdlPresentTest, FullScreenFillsTheSizeTheWindowHasAndClicksMapBack) {
    // Without a window manager (this X server has none) the window keeps
    // its size although SDL takes it for desktop-sized: the frame fills it
    // one to one, and so do the clicks.
    ASSERT_TRUE(mVideo->SetFullScreen(mWindow, true));
    Drain();
    ASSERT_TRUE(PresentQuad({0, 0, 64, 48}));
    Drain(); // the desktop may show the window anew, and the driver redraws it
    sdl_test::XPixels shown = Shown();
    ASSERT_EQ(shown.width, kClientWidth);
    ASSERT_EQ(shown.height, kClientHeight);
    EXPECT_EQ(shown.At(0, 0), kRed);
    EXPECT_EQ(shown.At(63, 0), kGreen);
    EXPECT_EQ(shown.At(0, 47), kBlue);
    EXPECT_EQ(shown.At(63, 47), kWhite);
    EXPECT_EQ(ClickAt(40, 30), (Point{40, 30}));

    // A window manager that grants the screen: 64x48 scaled by 20 into
    // 1280x960, bars of 32 rows above and below.
    sdl_test::ResizeXWindow(mVideo->SdlWindowOf(mWindow), 0, 0, 1280, 1024);
    Drain();
    ASSERT_TRUE(PresentQuad({0, 0, 64, 48}));
    Drain();
    shown = Shown();
    ASSERT_EQ(shown.width, 1280);
    ASSERT_EQ(shown.height, 1024);
    EXPECT_EQ(shown.At(0, 31), kBlack);
    EXPECT_EQ(shown.At(0, 32), kRed);
    EXPECT_EQ(shown.At(1279, 32), kGreen);
    EXPECT_EQ(shown.At(0, 991), kBlue);
    EXPECT_EQ(shown.At(1279, 991), kWhite);
    EXPECT_EQ(shown.At(1279, 992), kBlack);
    EXPECT_EQ(ClickAt(800 + 10, 32 + 600 + 10), (Point{40, 30}));

    // Back in a window, one to one again.
    ASSERT_TRUE(mVideo->SetFullScreen(mWindow, false));
    Drain();
    EXPECT_EQ(ClickAt(40, 30), (Point{40, 30}));
}

} // namespace
