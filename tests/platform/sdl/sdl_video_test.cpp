// The SDL video driver on a real (or virtual) display: frames shown in the
// window with black around them, cursors, display modes and the choice of
// drivers.

#include <gtest/gtest.h>

#include <cstdio>

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/drivers.h"
#include "tests/platform/sdl/sdl_window_fixture.h"
#include "tests/support/scoped_env.h"

namespace {

using namespace platform;

class SdlVideoTest : public SdlWindowTest {};

// A 2x2 frame shown in a 32x32 square of the 64x48 client area: each frame
// pixel covers 16x16 window pixels and the rest of the window is black.
TEST_F(SdlVideoTest, PresentShowsTheFrameScaledWithBlackAround) {
    struct Case {
        const char* name;
        PixelFormat format;
        std::vector<std::uint32_t> pixels; // red, green / blue, white
    };
    const std::vector<Case> cases = {
        {"5:6:5", PixelFormat::Rgb565(), {0xF800, 0x07E0, 0x001F, 0xFFFF}},
        {"5:5:5", PixelFormat::Rgb555(), {0x7C00, 0x03E0, 0x001F, 0x7FFF}},
        {"x8r8g8b8", PixelFormat::Xrgb8888(), {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF}},
        {"x8b8g8r8", PixelFormat::Xbgr8888(), {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00FFFFFF}},
    };
    for (const Case& c : cases) {
        // Rows padded to 8 bytes to show the pitch is honoured.
        const int bytes = c.format.BytesPerPixel();
        std::vector<std::uint8_t> frame(16, 0xAA);
        for (int i = 0; i < 4; ++i) {
            const int at = (i / 2) * 8 + (i % 2) * bytes;
            for (int b = 0; b < bytes; ++b)
                frame[static_cast<std::size_t>(at + b)] = static_cast<std::uint8_t>(c.pixels[i] >> (8 * b));
        }
        const FrameView view{frame.data(), 8, 2, 2, c.format};
        ASSERT_TRUE(mVideo->Present(mWindow, view, {16, 8, 48, 40})) << c.name;

        int width = 0, height = 0;
        std::vector<std::uint32_t> shown;
        ASSERT_TRUE(mVideo->ReadWindowPixels(mWindow, width, height, shown)) << c.name << ": " << SDL_GetError();
        ASSERT_EQ(width, kClientWidth) << c.name;
        ASSERT_EQ(height, kClientHeight) << c.name;
        auto at = [&](int x, int y) { return shown[static_cast<std::size_t>(y * width + x)]; };
        EXPECT_EQ(at(16, 8), 0xFFFF0000u) << c.name;
        EXPECT_EQ(at(47, 23), 0xFF00FF00u) << c.name;
        EXPECT_EQ(at(16, 24), 0xFF0000FFu) << c.name;
        EXPECT_EQ(at(47, 39), 0xFFFFFFFFu) << c.name;
        for (const auto& [x, y] : {std::pair{15, 8}, {48, 39}, {16, 7}, {47, 40}, {0, 0}, {63, 47}})
            EXPECT_EQ(at(x, y), 0xFF000000u) << c.name << " at " << x << "," << y;
    }

    // What cannot be read is refused: no pixels, a row shorter than the width.
    std::vector<std::uint8_t> row(4);
    EXPECT_FALSE(mVideo->Present(mWindow, {nullptr, 8, 2, 2, PixelFormat::Rgb565()}, {0, 0, 2, 2}));
    EXPECT_FALSE(mVideo->Present(mWindow, {row.data(), 2, 2, 1, PixelFormat::Xrgb8888()}, {0, 0, 2, 2}));
    EXPECT_FALSE(mVideo->Present(nullptr, {row.data(), 4, 1, 1, PixelFormat::Xrgb8888()}, {0, 0, 1, 1}));
}

TEST_F(SdlVideoTest, CursorsModesAndWindowState) {
    // Some X servers under heavy load refuse SDL's own system cursors now and
    // then; the driver can only report that, so the check needs SDL to make one.
    if (SDL_Cursor* probe = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW)) {
        SDL_FreeCursor(probe);
        for (int c = 0; c <= static_cast<int>(SystemCursor::Wait); ++c)
            EXPECT_TRUE(mVideo->SetSystemCursor(static_cast<SystemCursor>(c))) << c;
    } else {
        std::printf("SDL makes no system cursor on this display (%s); not checked\n", SDL_GetError());
    }

    CursorImage hand;
    hand.andMask.assign(CursorImage::kMaskBytes, 0xFF);
    hand.xorMask.assign(CursorImage::kMaskBytes, 0x00);
    hand.hotSpot = {11, 4};
    const CursorId id = mVideo->CreateCursor(hand);
    ASSERT_NE(id, 0);
    EXPECT_TRUE(mVideo->SetCustomCursor(id));
    CursorImage colour;
    colour.argb.assign(16 * 16, 0xFF336699);
    colour.width = colour.height = 16;
    const CursorId coloured = mVideo->CreateCursor(colour);
    EXPECT_NE(coloured, 0);
    mVideo->DestroyCursor(id);
    EXPECT_FALSE(mVideo->SetCustomCursor(id));
    CursorImage broken = hand;
    broken.hotSpot = {32, 0};
    EXPECT_EQ(mVideo->CreateCursor(broken), 0);
    mVideo->ShowCursor(false);
    mVideo->ShowCursor(true);

    // Modes fit on the desktop, come in 16 and 32 bits and can be chosen;
    // others are refused and leave the mode as it was.
    const std::vector<DisplayMode> modes = mVideo->ListDisplayModes();
    ASSERT_FALSE(modes.empty());
    const DisplayMode wanted{640, 480, 16, 0};
    ASSERT_TRUE(mVideo->SetDisplayMode(wanted));
    EXPECT_EQ(mVideo->CurrentMode().width, 640);
    EXPECT_EQ(mVideo->CurrentMode().bitsPerPixel, 16);
    EXPECT_FALSE(mVideo->SetDisplayMode({100000, 480, 32, 0}));
    EXPECT_FALSE(mVideo->SetDisplayMode({640, 480, 8, 0}));
    EXPECT_EQ(mVideo->CurrentMode().width, 640);
    mVideo->RestoreDesktopMode();
    EXPECT_GE(mVideo->CurrentMode().width, 640);
    EXPECT_FALSE(mVideo->WaitForVerticalBlank());
    EXPECT_FALSE(mVideo->GetScanLine().has_value());

    // The title is shown in UTF-8, moves and sizes reach the SDL window.
    SetWindowTitle(mWindow, "\xC8\xE3\xF0\xE0 1.0"); // "Игра 1.0"
    SDL_Window* window = mVideo->SdlWindowOf(mWindow);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Игра 1.0");
    MoveWindow(mWindow, 120, 90, 80, 60);
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 60);
}

TEST(SdlDrivers, ChosenWhenADisplayIsThereAndRefusedWithReasonWithout) {
    if (SDL_WasInit(SDL_INIT_VIDEO))
        GTEST_SKIP() << "SDL's video is in use";
    Drivers drivers;
    std::string error;
    {
        ScopedEnv noX("DISPLAY", nullptr);
        ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
        const DriverNames names = DefaultDriverNames();
        EXPECT_EQ(names.video, "headless");
        EXPECT_EQ(names.desktop, "headless");
        EXPECT_FALSE(SelectDrivers({"sdl", "headless", "headless"}, drivers, error));
        EXPECT_NE(error.find("video driver \"sdl\": the sdl driver cannot start"), std::string::npos) << error;
    }
    if (!SdlDisplayAvailable())
        GTEST_SKIP() << "no display; run under xvfb-run";
    const DriverNames names = DefaultDriverNames();
    EXPECT_EQ(names.video, "sdl");
    EXPECT_EQ(names.audio, "sdl");
    EXPECT_EQ(names.desktop, "sdl");
    {
        // The environment still forces the headless drivers.
        ScopedEnv forced("KAVO_VIDEO_DRIVER", "headless");
        ASSERT_TRUE(SelectDrivers(names, drivers, error)) << error;
        EXPECT_STREQ(drivers.video->Name(), "headless");
        EXPECT_STREQ(drivers.desktop->Name(), "sdl");
    }
    ASSERT_TRUE(SelectDrivers(names, drivers, error)) << error;
    EXPECT_STREQ(drivers.video->Name(), "sdl");
    EXPECT_STREQ(drivers.audio->Name(), "sdl");

    // Clipboard text crosses in UTF-8 and comes back in Windows-1251.
    ASSERT_TRUE(drivers.desktop->SetClipboardText("\xC6\xE8\xEB")); // "Жил"
    char* raw = SDL_GetClipboardText();
    EXPECT_STREQ(raw, "Жил");
    SDL_free(raw);
    SDL_SetClipboardText("Ёж €");
    EXPECT_EQ(drivers.desktop->GetClipboardText(), "\xA8\xE6 \x88");
    const DisplayInfo info = drivers.desktop->GetDisplayInfo();
    EXPECT_GT(info.width, 0);
    EXPECT_GE(info.bitsPerPixel, 16);
    EXPECT_GT(info.workArea.Width(), 0);
}

} // namespace
