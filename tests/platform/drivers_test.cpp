#include "platform/drivers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/headless/headless_platform.h"
#include "platform/services.h"
#include "platform/system_info.h"
#include "platform/threads.h"
#include "tests/support/scoped_env.h"

namespace {

using namespace platform;

TEST(SelectDrivers, ByNameWithEnvironmentOverrideAndClearErrors) {
    Drivers drivers;
    std::string error;
    ASSERT_TRUE(SelectDrivers({}, drivers, error)) << error;
    ASSERT_TRUE(drivers.video && drivers.audio && drivers.desktop);
    EXPECT_STREQ(drivers.video->Name(), "headless");
    EXPECT_STREQ(drivers.audio->Name(), "headless");
    EXPECT_STREQ(drivers.desktop->Name(), "headless");

    Drivers untouched;
    EXPECT_FALSE(SelectDrivers({"headless", "wavebox", "headless"}, untouched, error));
    EXPECT_EQ(error, "unknown audio driver \"wavebox\" (known: headless sdl)");
    EXPECT_FALSE(untouched.video); // nothing half-made

    {
        // The variable wins over the name asked for, both ways.
        ScopedEnv env("KAVO_VIDEO_DRIVER", "vesa");
        EXPECT_FALSE(SelectDrivers({"headless", "", ""}, untouched, error));
        EXPECT_EQ(error, "unknown video driver \"vesa\" (known: headless sdl)");
    }
    {
        ScopedEnv env("KAVO_DESKTOP_DRIVER", "headless");
        EXPECT_TRUE(SelectDrivers({"", "", "nonesuch"}, drivers, error)) << error;
    }

    // Installed for a scope, then the previous ones (here: none) are back.
    EXPECT_EQ(DesktopServicesSlot().Get(), nullptr);
    {
        InstalledDrivers installed(drivers);
        EXPECT_EQ(GetDesktopServices(), drivers.desktop);
        EXPECT_EQ(GetVideoDriver(), drivers.video);
    }
    EXPECT_EQ(DesktopServicesSlot().Get(), nullptr);
    EXPECT_NE(GetDesktopServices(), drivers.desktop); // the stand-in answers
    EXPECT_NE(GetDesktopServices(), nullptr);
}

// Run under AddressSanitizer: a driver swapped out while another thread is
// inside a call stays alive until that call returns.
TEST(SelectDrivers, SwappingDesktopServicesWhileAnotherThreadCallsIsSafe) {
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0};
    Thread caller;
    ASSERT_TRUE(caller.Start([&] {
        while (!stop.load()) {
            SetClipboardText("text");
            (void)GetClipboardText();
            (void)GetDisplayInfo();
            calls.fetch_add(1);
        }
    }));
    for (int i = 0; i < 2000; ++i) {
        Installed<DesktopServices> swap(DesktopServicesSlot(), std::make_shared<HeadlessDesktopServices>());
        SetClipboardText("mine");
        EXPECT_EQ(GetClipboardText().size(), 4u);
    }
    while (calls.load() < 100)
        std::this_thread::yield();
    stop = true;
    caller.Join();
    EXPECT_EQ(DesktopServicesSlot().Get(), nullptr);
}

TEST(HeadlessVideo, KeepsThePresentedFrameAsGiven) {
    HeadlessPlatform headless;
    HeadlessVideoDriver& video = headless.Video();
    WindowHandle window = reinterpret_cast<WindowHandle>(0x10);
    video.CreateWindow(window, {"Main", {0, 0, 8, 4}, 0, WindowShowState::Normal});

    // 4x2 in 5:6:5 with two bytes of padding a row.
    const std::uint16_t rgb565[2][5] = {{0xF800, 0x07E0, 0x001F, 0xFFFF, 0xDEAD},
                                        {0x0000, 0x1234, 0x8410, 0xFFE0, 0xDEAD}};
    ASSERT_TRUE(video.Present(window, {rgb565, 10, 4, 2, PixelFormat::Rgb565()}, {1, 0, 7, 3}));
    auto frame = video.LastFrame(window);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->format, PixelFormat::Rgb565());
    EXPECT_EQ(frame->pitch, 10);
    EXPECT_EQ(frame->width, 4);
    EXPECT_EQ(frame->height, 2);
    EXPECT_EQ(frame->destination, (Rect{1, 0, 7, 3}));
    EXPECT_EQ(frame->bytes.size(), 18u); // the last row's padding is not read
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(frame->PixelAt(x, y), rgb565[y][x]) << x << "," << y;
    }

    // The next frame replaces it: 4x2 x8r8g8b8, tightly packed.
    const std::uint32_t xrgb[2][4] = {{0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF},
                                      {0xAA102030, 0x00000000, 0x00808080, 0x00FFFF00}};
    ASSERT_TRUE(video.Present(window, {xrgb, 16, 4, 2, PixelFormat::Xrgb8888()}, {0, 0, 8, 4}));
    frame = video.LastFrame(window);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->format, PixelFormat::Xrgb8888());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(frame->PixelAt(x, y), xrgb[y][x]) << x << "," << y;
    }

    // Frames it cannot read, or a window it does not know, are refused.
    const FrameView bad[] = {
        {nullptr, 16, 4, 2, PixelFormat::Xrgb8888()},
        {xrgb, 12, 4, 2, PixelFormat::Xrgb8888()}, // rows shorter than the width
        {xrgb, 16, 0, 2, PixelFormat::Xrgb8888()},
        {xrgb, 16, 4, 2, {12, 0xF00, 0xF0, 0xF, 0}},
    };
    for (const FrameView& view : bad)
        EXPECT_FALSE(video.Present(window, view, {0, 0, 8, 4}));
    EXPECT_FALSE(video.Present(reinterpret_cast<WindowHandle>(0x20), {xrgb, 16, 4, 2, PixelFormat::Xrgb8888()}, {}));
    EXPECT_EQ(video.LastFrame(window)->PixelAt(0, 1), 0xAA102030u);
}

TEST(HeadlessVideo, ModesCursorsAndWhatItCannotTell) {
    HeadlessPlatform headless;
    HeadlessVideoDriver& video = headless.Video();
    const DisplayMode small{800, 600, 32, 60};
    const DisplayMode desktop = video.GetDesktopMode();
    EXPECT_EQ(desktop.width, 1280);
    EXPECT_TRUE(video.SetDisplayMode(small));
    EXPECT_EQ(video.GetDesktopMode(), small);
    EXPECT_FALSE(video.SetDisplayMode({801, 600, 32, 60}));
    video.RestoreDesktopMode();
    EXPECT_EQ(video.CurrentMode(), desktop);
    // Refused while told to refuse, even a mode it knows; every request logged.
    video.RefuseDisplayModes(true);
    EXPECT_FALSE(video.SetDisplayMode(small));
    EXPECT_EQ(video.GetDesktopMode(), desktop);
    video.RefuseDisplayModes(false);
    const std::vector<DisplayMode> requests{small, {801, 600, 32, 60}, small};
    EXPECT_EQ(video.DisplayModeRequests(), requests);
    EXPECT_EQ(video.DesktopModeRestores(), 1);
    EXPECT_TRUE(video.HasDisplay());
    video.SetHasDisplay(false);
    EXPECT_FALSE(video.HasDisplay());
    EXPECT_FALSE(video.WaitForVerticalBlank());
    EXPECT_FALSE(video.GetScanLine().has_value());

    CursorImage mono;
    mono.andMask.assign(CursorImage::kMaskBytes, 0xFF);
    mono.xorMask.assign(CursorImage::kMaskBytes, 0x00);
    mono.hotSpot = {31, 0};
    CursorImage argb;
    argb.width = 2;
    argb.height = 3;
    argb.argb.assign(6, 0xFF00FF00);
    argb.hotSpot = {1, 2};
    const CursorId monoId = video.CreateCursor(mono);
    const CursorId argbId = video.CreateCursor(argb);
    ASSERT_NE(monoId, 0);
    ASSERT_NE(argbId, 0);
    EXPECT_NE(monoId, argbId);

    CursorImage badHotSpot = argb;
    badHotSpot.hotSpot = {2, 0};
    CursorImage shortMask = mono;
    shortMask.xorMask.pop_back();
    EXPECT_EQ(video.CreateCursor(badHotSpot), 0);
    EXPECT_EQ(video.CreateCursor(shortMask), 0);

    ASSERT_TRUE(video.SetCustomCursor(argbId));
    EXPECT_EQ(video.Cursor().custom, argbId);
    EXPECT_FALSE(video.Cursor().system.has_value());
    video.DestroyCursor(argbId); // the one in use: back to the arrow
    EXPECT_EQ(video.Cursor().system, SystemCursor::Arrow);
    EXPECT_FALSE(video.SetCustomCursor(argbId));
    ASSERT_TRUE(video.SetSystemCursor(SystemCursor::SizeNwse));
    video.ShowCursor(false);
    EXPECT_EQ(video.Cursor().system, SystemCursor::SizeNwse);
    EXPECT_FALSE(video.Cursor().shown);
}

TEST(HeadlessVideo, RecordsTheTextInputRectanglePerWindowUntilCleared) {
    HeadlessVideoDriver video;
    int a = 0;
    int b = 0;
    const auto first = reinterpret_cast<WindowHandle>(&a);
    const auto second = reinterpret_cast<WindowHandle>(&b);
    video.SetTextInputRect(first, Rect{10, 20, 10, 20});
    video.SetTextInputRect(second, Rect{1, 2, 3, 4});
    EXPECT_EQ(video.TextInputRect(first), (Rect{10, 20, 10, 20}));
    video.SetTextInputRect(first, std::nullopt);
    EXPECT_FALSE(video.TextInputRect(first).has_value());
    EXPECT_EQ(video.TextInputRect(second), (Rect{1, 2, 3, 4}));
}

TEST(HeadlessAudio, DeliversExactlyTheFramesAskedFor) {
    HeadlessPlatform headless;
    HeadlessAudioDriver& audio = headless.Audio();
    std::uint8_t next = 0;
    std::size_t pulled = 0;
    const auto fill = [&](std::uint8_t* out, std::size_t frames) {
        pulled += frames;
        for (std::size_t i = 0; i < frames * 4; ++i)
            out[i] = next++;
    };
    EXPECT_EQ(audio.Advance(10), 0u); // nothing open
    EXPECT_TRUE(audio.HasOutputDevice());
    audio.SetHasOutputDevice(false);
    EXPECT_FALSE(audio.HasOutputDevice());
    EXPECT_FALSE(audio.Open({44100, 3, 16}, fill));
    EXPECT_FALSE(audio.Open({44100, 2, 16}, nullptr));
    ASSERT_TRUE(audio.Open({22050, 2, 16}, fill));
    EXPECT_FALSE(audio.Open({22050, 2, 16}, fill)); // already open
    EXPECT_EQ(pulled, 0u);                          // it never pulls by itself

    EXPECT_EQ(audio.Advance(3), 3u);
    EXPECT_EQ(audio.Advance(5), 5u);
    EXPECT_EQ(pulled, 8u);
    const auto bytes = audio.Delivered();
    ASSERT_EQ(bytes.size(), 32u);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], i) << i; // in order, nothing lost or repeated

    audio.Pause();
    EXPECT_EQ(audio.Advance(100), 0u);
    audio.Resume();
    // In step with the clock: 22.05 frames a millisecond, the fraction carried.
    const std::uint64_t before = headless.Clock().Microseconds();
    std::size_t total = 0;
    for (int i = 0; i < 10; ++i)
        total += audio.AdvanceTime(headless.Clock(), 1);
    EXPECT_EQ(total, 220u);
    EXPECT_EQ(audio.AdvanceTime(headless.Clock(), 990), 21830u); // 1000 ms: 22050 in all
    EXPECT_EQ(headless.Clock().Microseconds() - before, 1000000u);
    EXPECT_EQ(audio.DeliveredFrames(), 8u + 22050u);

    audio.Close();
    EXPECT_FALSE(audio.IsOpen());
    EXPECT_EQ(audio.Advance(4), 0u);
}

} // namespace
