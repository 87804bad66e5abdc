#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/headless_video_driver.h"
#include "platform/surface/pixel_format.h"
#include "surface_fixture.h"

namespace surface_test {
namespace {

using DisplayObject = SurfaceLayer;

TEST_F(DisplayObject, PrimaryTakesTheDesktopFormatAndLocksWithAPitchWiderThanTheRow) {
    struct Case {
        PixelFormat desktop;
        int rowBytes; // 640 pixels
    };
    const Case cases[] = {
        {PixelFormat::Rgb565(), 1280},   {PixelFormat::Rgb555(), 1280},   {PixelFormat::Bgr565(), 1280},
        {PixelFormat::Xrgb8888(), 2560}, {PixelFormat::Xbgr8888(), 2560}, {PixelFormat::Rgb888(), 1920},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop.redMask);
        environment->settings.desktopFormat = c.desktop;
        Open();
        Surface* primary = Primary();
        ASSERT_NE(primary, nullptr);
        SurfaceDesc desc;
        ASSERT_EQ(primary->Lock(desc, kLockWait), DD_OK);
        EXPECT_EQ(desc.width, 640);
        EXPECT_EQ(desc.height, 480);
        EXPECT_EQ(desc.pitch, c.rowBytes + 12);
        EXPECT_EQ(desc.pixelFormat, c.desktop);
        EXPECT_NE(desc.surface, nullptr);
        EXPECT_EQ(primary->Unlock(), DD_OK);
        // Off-screen surfaces without a format of their own take the display's.
        Surface* offscreen = Offscreen(3, 2);
        EXPECT_EQ(offscreen->Format(), c.desktop);
        EXPECT_EQ(offscreen->Pitch(), (3 * c.desktop.BytesPerPixel() + 3) / 4 * 4 + 12);
        offscreen->Release();
        EXPECT_EQ(primary->Release(), 0u);
        EXPECT_EQ(display->Release(), 0u);
        display = nullptr;
        installed.reset();
    }
}

TEST(PixelFormatCheck, AcceptsRgbLayoutsAndRefusesBrokenOnes) {
    struct Case {
        PixelFormat format;
        HResult expected;
    };
    const Case cases[] = {
        {PixelFormat::Rgb565(), DD_OK},
        {PixelFormat::Xbgr8888(), DD_OK},
        {{kPixelRgb | kPixelAlphaPixels, 16, 0x0F00, 0x00F0, 0x000F, 0xF000}, DD_OK},
        {{kPixelRgb, 8, 0xE0, 0x1C, 0x03, 0}, DDERR_INVALIDPIXELFORMAT},           // no 8-bit surfaces
        {{kPixelRgb, 16, 0xF800, 0x0FE0, 0x001F, 0}, DDERR_INVALIDPIXELFORMAT},    // red and green overlap
        {{kPixelRgb, 16, 0x1F0000, 0x07E0, 0x001F, 0}, DDERR_INVALIDPIXELFORMAT},  // red beyond 16 bits
        {{kPixelRgb, 32, 0xFF0000, 0, 0xFF, 0}, DDERR_INVALIDPIXELFORMAT},         // no green
        {{kPixelRgb, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF}, DDERR_INVALIDPIXELFORMAT}, // alpha over blue
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidatePixelFormat(c.format), c.expected) << c.format.bitCount << " " << c.format.redMask;
    }
}

TEST(DesktopSettings, FollowTheDesktopServices) {
    HeadlessPlatform headless;
    struct Case {
        int bits;
        PixelFormat format;
    };
    for (const Case& c :
         {Case{16, PixelFormat::Rgb565()}, Case{24, PixelFormat::Rgb888()}, Case{32, PixelFormat::Xrgb8888()}}) {
        DisplayInfo info;
        info.width = 1280;
        info.height = 800;
        info.bitsPerPixel = c.bits;
        info.refreshRate = 75;
        headless.Desktop().SetDisplayInfo(info);
        const DisplaySettings settings = DesktopDisplaySettings();
        EXPECT_EQ(settings.desktopWidth, 1280);
        EXPECT_EQ(settings.desktopHeight, 800);
        EXPECT_EQ(settings.desktopFormat, c.format);
        EXPECT_EQ(settings.monitorFrequencyHz, 75u);
    }
}

TEST_F(DisplayObject, OffscreenSurfaceTakesAValidFormatOfItsOwnAndRefusesBadDescriptions) {
    Open();
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat;
    desc.caps = kCapsOffscreenPlain | kCapsSystemMemory;
    desc.width = 4;
    desc.height = 4;
    desc.pixelFormat = PixelFormat::Rgb555();
    Surface* surface = nullptr;
    ASSERT_EQ(display->CreateSurface(desc, &surface), DD_OK);
    EXPECT_EQ(surface->Format(), PixelFormat::Rgb555());
    surface->Release();

    struct Case {
        std::uint32_t flags;
        std::uint32_t caps;
        int width;
        HResult expected;
    };
    const Case cases[] = {
        {kDescCaps | kDescHeight, kCapsOffscreenPlain, 4, DDERR_INVALIDPARAMS},
        {kDescCaps | kDescWidth | kDescHeight, kCapsOffscreenPlain, 0, DDERR_INVALIDPARAMS},
        {kDescCaps | kDescWidth | kDescHeight, kCapsOffscreenPlain, 16385, DDERR_TOOBIGWIDTH},
        {kDescCaps | kDescWidth | kDescHeight, kCapsSystemMemory | kCapsVideoMemory, 4, DDERR_INVALIDCAPS},
        {kDescCaps | kDescWidth | kDescHeight, kCapsOffscreenPlain | kCapsFlip, 4, DDERR_INVALIDCAPS},
        {kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat, kCapsOffscreenPlain, 4, DDERR_INVALIDPIXELFORMAT},
    };
    for (const Case& c : cases) {
        SurfaceDesc bad;
        bad.flags = c.flags;
        bad.caps = c.caps;
        bad.width = c.width;
        bad.height = 4;
        bad.pixelFormat.bitCount = 8;
        surface = reinterpret_cast<Surface*>(1);
        EXPECT_EQ(display->CreateSurface(bad, &surface), c.expected) << c.flags << " " << c.caps << " " << c.width;
        EXPECT_EQ(surface, nullptr);
    }
}

TEST_F(DisplayObject, SurfacesNeedACooperativeLevelAndThereIsOnePrimary) {
    installed.emplace(DisplayEnvironmentSlot(), environment);
    ASSERT_EQ(CreateDisplay(&display), DD_OK);
    SurfaceDesc desc;
    desc.flags = kDescCaps;
    desc.caps = kCapsPrimarySurface;
    Surface* primary = nullptr;
    EXPECT_EQ(display->CreateSurface(desc, &primary), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(display->SetCooperativeLevel(window, kCoopFullScreen), DDERR_INVALIDPARAMS);
    EXPECT_EQ(display->SetCooperativeLevel(nullptr, kCoopFullScreen | kCoopExclusive), DDERR_INVALIDPARAMS);
    ASSERT_EQ(display->SetCooperativeLevel(window, kCoopNormal), DD_OK);
    ASSERT_EQ(display->CreateSurface(desc, &primary), DD_OK);
    Surface* second = nullptr;
    EXPECT_EQ(display->CreateSurface(desc, &second), DDERR_PRIMARYSURFACEALREADYEXISTS);
    // A flip chain needs exclusive full screen.
    primary->Release();
    desc.flags = kDescCaps | kDescBackBufferCount;
    desc.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex;
    desc.backBufferCount = 1;
    EXPECT_EQ(display->CreateSurface(desc, &primary), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DisplayObject, DisplayModeNeedsExclusiveModeAndIsRestoredOnLeavingIt) {
    environment->settings.modes = {{800, 600, 16}, {1024, 768, 32}};
    Open();
    EXPECT_EQ(display->SetDisplayMode(800, 600, 16), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(display->SetCooperativeLevel(window, kCoopFullScreen | kCoopExclusive), DD_OK);
    EXPECT_EQ(display->SetDisplayMode(800, 600, 32), DDERR_INVALIDMODE);
    EXPECT_EQ(display->SetDisplayMode(1024, 768, 32), DD_OK);
    ASSERT_EQ(display->SetDisplayMode(800, 600, 16), DD_OK);
    SurfaceDesc mode;
    ASSERT_EQ(display->GetDisplayMode(mode), DD_OK);
    EXPECT_EQ(mode.width, 800);
    EXPECT_EQ(mode.pixelFormat, PixelFormat::Rgb565());
    Surface* primary = Primary();
    EXPECT_EQ(primary->Width(), 800);
    EXPECT_EQ(primary->Format(), PixelFormat::Rgb565());
    primary->Release();

    ASSERT_EQ(display->SetCooperativeLevel(window, kCoopNormal), DD_OK);
    ASSERT_EQ(display->GetDisplayMode(mode), DD_OK);
    EXPECT_EQ(mode.width, 640);
    EXPECT_EQ(mode.height, 480);
    EXPECT_EQ(mode.pixelFormat, PixelFormat::Xrgb8888());
}

TEST_F(DisplayObject, ExclusiveModeShowsTheWindowFullScreenUntilLeftOrReleased) {
    const auto video = std::make_shared<HeadlessVideoDriver>();
    const Installed<VideoDriver> installedVideo(VideoDriverSlot(), video);
    const WindowHandle game = CreateWindow({"SurfaceTest", "g", kWsPopup | kWsVisible, 0, 0, 0, 320, 240, nullptr});
    ASSERT_TRUE(video->Window(game).has_value());
    auto fullScreen = [&] { return video->Window(game)->fullScreen; };
    Open();
    EXPECT_FALSE(fullScreen());

    ASSERT_EQ(display->SetCooperativeLevel(game, kCoopFullScreen | kCoopExclusive), DD_OK);
    EXPECT_TRUE(fullScreen());
    ASSERT_EQ(display->SetCooperativeLevel(game, kCoopNormal), DD_OK);
    EXPECT_FALSE(fullScreen());

    ASSERT_EQ(display->SetCooperativeLevel(game, kCoopFullScreen | kCoopExclusive), DD_OK);
    EXPECT_TRUE(fullScreen());
    EXPECT_EQ(display->Release(), 0u);
    display = nullptr;
    EXPECT_FALSE(fullScreen());
    DestroyWindow(game);
}

TEST_F(DisplayObject, MonitorFrequencyIsConfiguredOrFails) {
    environment->settings.monitorFrequencyHz = 0;
    Open();
    std::uint32_t hz = 99;
    ASSERT_EQ(display->GetMonitorFrequency(hz), DD_OK);
    EXPECT_EQ(hz, 0u);
    display->Release();
    installed.reset();
    environment->settings.monitorFrequencyKnown = false;
    Open();
    EXPECT_EQ(display->GetMonitorFrequency(hz), DDERR_UNSUPPORTED);
}

TEST_F(DisplayObject, VerticalBlankWaitEndsAtTheNextRefreshOnTheProcessClock) {
    ScopedVirtualClock clock(5);
    environment->settings.monitorFrequencyHz = 50; // 20 ms a frame
    Open();
    std::uint32_t line = 0;
    EXPECT_EQ(display->GetScanLine(line), DDERR_UNSUPPORTED);
    ASSERT_EQ(display->WaitForVerticalBlank(kWaitVbBlockBegin), DD_OK);
    EXPECT_EQ(GetTickMs(), 20u);
    ASSERT_EQ(display->WaitForVerticalBlank(kWaitVbBlockBegin), DD_OK);
    EXPECT_EQ(GetTickMs(), 40u);
    EXPECT_EQ(display->WaitForVerticalBlank(4), DDERR_UNSUPPORTED);
    EXPECT_EQ(display->VerticalBlankWaits(), 2);
}

TEST_F(DisplayObject, FakeBeamRunsThroughTheVisibleLinesAndTheBlank) {
    auto beam = std::make_shared<FakeBeam>(480, 520, 200, 100);
    environment->beam = beam;
    Open();
    std::uint32_t line = 0;
    ASSERT_EQ(display->GetScanLine(line), DD_OK);
    EXPECT_EQ(line, 100u);
    ASSERT_EQ(display->GetScanLine(line), DD_OK);
    EXPECT_EQ(line, 300u);
    EXPECT_EQ(display->GetScanLine(line), DDERR_VERTICALBLANKINPROGRESS); // line 500
    ASSERT_EQ(display->GetScanLine(line), DD_OK);
    EXPECT_EQ(line, 180u); // wrapped
    ASSERT_EQ(display->WaitForVerticalBlank(kWaitVbBlockBegin), DD_OK);
    EXPECT_EQ(display->GetScanLine(line), DDERR_VERTICALBLANKINPROGRESS);
    EXPECT_EQ(beam->Reads(), 5);
}

TEST_F(DisplayObject, VideoMemoryIsChargedToVideoSurfacesAndReturnedOnRelease) {
    environment->settings.videoMemoryBytes = 1u << 20;
    environment->settings.extraPitchBytes = 0;
    Open();
    std::uint32_t total = 0, free = 0;
    ASSERT_EQ(display->GetAvailableVidMem(kCapsVideoMemory, &total, &free), DD_OK);
    EXPECT_EQ(total, 1u << 20);
    EXPECT_EQ(free, 1u << 20);
    Surface* video = Offscreen(256, 256, kCapsOffscreenPlain | kCapsVideoMemory); // 256 KiB
    ASSERT_EQ(display->GetAvailableVidMem(kCapsVideoMemory, nullptr, &free), DD_OK);
    EXPECT_EQ(free, 3u << 18);
    SurfaceDesc big;
    big.flags = kDescCaps | kDescWidth | kDescHeight;
    big.caps = kCapsVideoMemory;
    big.width = 512;
    big.height = 512;
    Surface* none = nullptr;
    EXPECT_EQ(display->CreateSurface(big, &none), DDERR_OUTOFVIDEOMEMORY);
    // Without a preference the surface goes to system memory when video memory is short.
    big.caps = kCapsOffscreenPlain;
    ASSERT_EQ(display->CreateSurface(big, &none), DD_OK);
    EXPECT_EQ(none->Caps() & (kCapsSystemMemory | kCapsVideoMemory), kCapsSystemMemory);
    none->Release();
    video->Release();
    ASSERT_EQ(display->GetAvailableVidMem(kCapsVideoMemory, nullptr, &free), DD_OK);
    EXPECT_EQ(free, 1u << 20);
}

TEST_F(DisplayObject, IdentifierIsStableAndUnavailableDisplaysCannotBeCreated) {
    Open();
    DeviceIdentifier first, second;
    ASSERT_EQ(display->GetDeviceIdentifier(first, 0), DD_OK);
    Display* other = nullptr;
    ASSERT_EQ(CreateDisplay(&other), DD_OK);
    ASSERT_EQ(other->GetDeviceIdentifier(second, 0), DD_OK);
    EXPECT_EQ(first.deviceIdentifier, second.deviceIdentifier);
    EXPECT_EQ(first.driver, second.driver);
    EXPECT_FALSE(first.description.empty());
    other->Release();

    environment->settings.available = false;
    Installed<DisplayEnvironment> unavailable(DisplayEnvironmentSlot(), environment);
    EXPECT_EQ(CreateDisplay(&other), DDERR_NODIRECTDRAWHW);
    EXPECT_EQ(other, nullptr);
    Installed<DisplayEnvironment> nothing(DisplayEnvironmentSlot(), std::shared_ptr<DisplayEnvironment>());
    EXPECT_EQ(CreateDisplay(&other), DDERR_NODIRECTDRAWHW);
}

TEST_F(DisplayObject, TheNthCallOfAnOperationFailsWithTheInjectedCode) {
    environment->faults->FailCall(DisplayOperation::CreateDisplay, 2, DDERR_OUTOFMEMORY);
    environment->faults->FailCall(DisplayOperation::CreateSurface, 2, DDERR_OUTOFVIDEOMEMORY);
    environment->faults->FailCallsFrom(DisplayOperation::GetMonitorFrequency, 2, DDERR_GENERIC);
    Open();
    Display* other = nullptr;
    EXPECT_EQ(CreateDisplay(&other), DDERR_OUTOFMEMORY);
    EXPECT_EQ(other, nullptr);

    Surface* first = Offscreen(2, 2);
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescWidth | kDescHeight;
    desc.width = desc.height = 2;
    Surface* second = nullptr;
    EXPECT_EQ(display->CreateSurface(desc, &second), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(second, nullptr);
    Surface* third = Offscreen(2, 2);
    EXPECT_EQ(environment->live->surfaces.load(), 2);

    std::uint32_t hz = 0;
    EXPECT_EQ(display->GetMonitorFrequency(hz), DD_OK);
    EXPECT_EQ(display->GetMonitorFrequency(hz), DDERR_GENERIC);
    EXPECT_EQ(display->GetMonitorFrequency(hz), DDERR_GENERIC);
    EXPECT_EQ(display->Faults().Calls(DisplayOperation::GetMonitorFrequency), 3);

    // Injected into a surface operation, it leaves the surface as it was.
    display->Faults().FailCall(DisplayOperation::Lock, display->Faults().Calls(DisplayOperation::Lock) + 1,
                               DDERR_SURFACELOST);
    SurfaceDesc locked;
    EXPECT_EQ(first->Lock(locked, kLockWait), DDERR_SURFACELOST);
    EXPECT_FALSE(first->IsLocked());
    first->Release();
    third->Release();
}

TEST_F(DisplayObject, ReferencesKeepObjectsAliveUntilTheLastRelease) {
    Open(kCoopFullScreen | kCoopExclusive);
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescBackBufferCount;
    desc.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex;
    desc.backBufferCount = 1;
    Surface* primary = nullptr;
    ASSERT_EQ(display->CreateSurface(desc, &primary), DD_OK);
    EXPECT_EQ(environment->live->surfaces.load(), 2);
    Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(kCapsBackBuffer, &back), DD_OK);
    Clipper* clipper = nullptr;
    ASSERT_EQ(display->CreateClipper(0, &clipper), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u); // the primary holds it
    Clipper* held = nullptr;
    ASSERT_EQ(primary->GetClipper(&held), DD_OK);
    EXPECT_EQ(held, clipper);
    EXPECT_EQ(held->Release(), 1u);

    // The display may go first; its surfaces stay usable.
    EXPECT_EQ(display->Release(), 0u);
    display = nullptr;
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(environment->live->clippers.load(), 0);
    EXPECT_EQ(environment->live->surfaces.load(), 1); // the back buffer, still referenced
    EXPECT_EQ(back->Blt(nullptr, back, nullptr, kBltWait, nullptr), DD_OK);
    EXPECT_EQ(back->Release(), 0u);
}

} // namespace
} // namespace surface_test
