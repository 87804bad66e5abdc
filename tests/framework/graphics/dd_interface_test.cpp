// Setting the display device up: results and error texts of every step,
// sizes, aspect correction, refresh clamps and the pixel format.
#include <gtest/gtest.h>

#include "tests/framework/graphics/display_device_fixture.h"

namespace {

using namespace display_test;
using Kavo::AspectRatio;
using Kavo::DDInterface;
using platform::DisplayOperation;

using DisplaySetUp = DisplayDevice;

TEST_F(DisplaySetUp, ATwentyFourBitDesktopInAWindowIsRefusedWithoutErrorText) {
    environment->settings.desktopFormat = platform::PixelFormat::Rgb888();
    Open();
    dd->mErrorString = "earlier";
    EXPECT_EQ(dd->Init(window, true), DDInterface::RESULT_INVALID_COLORDEPTH);
    EXPECT_EQ(dd->mErrorString, "earlier");
    EXPECT_FALSE(dd->mInitialized);
}

TEST_F(DisplaySetUp, PixelFormatTablesAndOrderComeFromThePrimary) {
    struct Case {
        platform::PixelFormat desktop;
        int shifts[3];
        int bits[3];
        bool rgbOrder;
    } cases[] = {{platform::PixelFormat::Rgb565(), {11, 5, 0}, {5, 6, 5}, true},
                 {platform::PixelFormat::Rgb555(), {10, 5, 0}, {5, 5, 5}, true},
                 {platform::PixelFormat::Xrgb8888(), {16, 8, 0}, {8, 8, 8}, true},
                 {platform::PixelFormat::Bgr565(), {0, 5, 11}, {5, 6, 5}, false}};
    for (const Case& c : cases) {
        environment->settings.desktopFormat = c.desktop;
        ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
        const Kavo::DisplayPixelFormat& f = dd->GetPixelFormat();
        EXPECT_EQ(dd->mBitsPerPixel, static_cast<int>(c.desktop.bitCount));
        EXPECT_EQ(f.mRedMask, c.desktop.redMask);
        EXPECT_EQ((std::array{f.mRedShift, f.mGreenShift, f.mBlueShift}),
                  (std::array{c.shifts[0], c.shifts[1], c.shifts[2]}));
        EXPECT_EQ((std::array{f.mRedBits, f.mGreenBits, f.mBlueBits}), (std::array{c.bits[0], c.bits[1], c.bits[2]}));
        EXPECT_EQ(dd->IsRgbOrder(), c.rgbOrder);
        const Kavo::DisplayColorTables& t = dd->GetColorTables();
        const int redMax = (1 << c.bits[0]) - 1;
        ASSERT_EQ(t.mRedSaturation.size(), static_cast<size_t>(2 * redMax + 1));
        EXPECT_EQ(t.mRedSaturation[redMax - 1], redMax - 1);
        EXPECT_EQ(t.mRedSaturation.back(), redMax);
        EXPECT_EQ(t.mRedComponent[255], c.desktop.redMask);
        EXPECT_EQ(t.mRedComponent[0], 0u);
        dd.reset();
        installed.reset();
    }
    // The 5:6:5 figures exactly: 63 red saturation entries ending in 31, and
    // 128 mapping to the upper half of the green mask.
    environment->settings.desktopFormat = platform::PixelFormat::Rgb565();
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    EXPECT_EQ(dd->GetColorTables().mRedSaturation.size(), 63u);
    EXPECT_EQ(dd->GetColorTables().mRedSaturation.back(), 31);
    EXPECT_EQ(dd->GetColorTables().mRedComponent[255], 0xF800u);
    EXPECT_EQ(dd->GetColorTables().mGreenComponent[128], (128u * 0x07E0u / 255u) & 0x07E0u);
}

TEST_F(DisplaySetUp, AspectsDifferTakesTheFirstRatioAsTheWiderOne) {
    struct Case {
        AspectRatio first;
        AspectRatio second;
        bool differ;
    } cases[] = {{{8, 5}, {4, 3}, true}, {{4, 3}, {8, 5}, false}, {{4, 3}, {4, 3}, false}, {{16, 9}, {4, 3}, true}};
    for (const Case& c : cases)
        EXPECT_EQ(Kavo::AspectsDiffer(c.first, c.second), c.differ)
            << c.first.mNumerator << ":" << c.first.mDenominator << " vs " << c.second.mNumerator << ":"
            << c.second.mDenominator;
    EXPECT_EQ(AspectRatio::Reduced(1280, 800).mNumerator, 8);
    EXPECT_EQ(AspectRatio::Reduced(1280, 800).mDenominator, 5);
}

TEST_F(DisplaySetUp, FullScreenIn3DKeepsTheDesktopAndCentresTheGameArea) {
    environment->settings.desktopWidth = 1280;
    environment->settings.desktopHeight = 800;
    environment->settings.desktopFormat = platform::PixelFormat::Xrgb8888();
    owner.request.mWidth = 1024;
    owner.request.mHeight = 768;
    owner.request.mColorDepth = 32;
    Open();
    dd->mIs3D = true;
    ASSERT_EQ(dd->Init(window, false), DDInterface::RESULT_OK);
    EXPECT_EQ(dd->mDisplayWidth, 1280);
    EXPECT_EQ(dd->mDisplayHeight, 800);
    EXPECT_TRUE(dd->mIsAspectCorrected);
    EXPECT_EQ(dd->mPresentationRect, Kavo::IntRect(107, 0, 1066, 800));
    platform::SurfaceDesc mode;
    ASSERT_EQ(dd->mDD->GetDisplayMode(mode), platform::DD_OK);
    EXPECT_EQ(mode.width, 1280);
    EXPECT_EQ(mode.height, 800);
    // The bars beside the game area are black on both buffers.
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 0, 400), 0u);
    EXPECT_EQ(PixelOf(dd->mSecondarySurface, 1279, 400), 0u);
}

TEST_F(DisplaySetUp, FullScreenWithout3DSetsTheModeToTheGameArea) {
    environment->settings.desktopWidth = 1280;
    environment->settings.desktopHeight = 800;
    owner.request.mWidth = 1024;
    owner.request.mHeight = 768;
    ASSERT_EQ(OpenAndInit(false), DDInterface::RESULT_OK);
    platform::SurfaceDesc mode;
    ASSERT_EQ(dd->mDD->GetDisplayMode(mode), platform::DD_OK);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.pixelFormat.bitCount, 16u); // the owner's colour depth
    EXPECT_FALSE(dd->mIsAspectCorrected);
    EXPECT_EQ(dd->mPresentationRect, Kavo::IntRect(0, 0, 1024, 768));
    EXPECT_NE(dd->mSecondarySurface, nullptr);
    EXPECT_TRUE(dd->mDD->IsExclusive());
}

TEST_F(DisplaySetUp, RefreshRatesOutsideSixtyToAHundredAreClampedAndStopPacing) {
    struct Case {
        bool known;
        std::uint32_t hz;
        int rate;
        int period;
        bool pacingOff;
    } cases[] = {
        {true, 0, 60, 16, true}, {true, 120, 100, 10, true}, {true, 75, 75, 13, false}, {false, 75, 60, 16, true}};
    for (const Case& c : cases) {
        environment->settings.monitorFrequencyKnown = c.known;
        environment->settings.monitorFrequencyHz = c.hz;
        owner.pacingOffCalls = 0;
        ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
        EXPECT_EQ(dd->mRefreshRate, c.rate) << c.hz;
        EXPECT_EQ(dd->mMillisecondsPerFrame, c.period) << c.hz;
        EXPECT_EQ(owner.pacingOffCalls > 0, c.pacingOff) << c.hz;
        dd.reset();
        installed.reset();
    }
}

TEST_F(DisplaySetUp, EachFailingStepGivesItsCodeAndText) {
    struct Case {
        bool windowed;
        DisplayOperation operation;
        int call;
        platform::HResult code;
        int32_t result;
        const char* text;
    } cases[] = {
        {true, DisplayOperation::CreateDisplay, 1, platform::DDERR_NODIRECTDRAWHW, 2,
         "DirectDrawCreate: DDERR_NODIRECTDRAWHW"},
        {true, DisplayOperation::CreateSurface, 1, platform::DDERR_OUTOFVIDEOMEMORY, 3,
         "CreateSurface Windowed Primary: DDERR_OUTOFVIDEOMEMORY"},
        {true, DisplayOperation::CreateSurface, 2, platform::DDERR_OUTOFMEMORY, 3,
         "CreateSurface Windowed DrawSurface: E_OUTOFMEMORY"},
        {true, DisplayOperation::CreateClipper, 1, platform::DDERR_NOCLIPLIST, 1,
         "CreateClipper Windowed: DDERR_NOCLIPLIST"},
        {true, DisplayOperation::CreateSurface, 3, platform::DDERR_OUTOFVIDEOMEMORY, 3,
         "CreateSurface OldCursorArea: DDERR_OUTOFVIDEOMEMORY"},
        {true, DisplayOperation::CreateSurface, 4, platform::DDERR_OUTOFVIDEOMEMORY, 3,
         "CreateSurface NewCursorArea: DDERR_OUTOFVIDEOMEMORY"},
        {false, DisplayOperation::SetCooperativeLevel, 1, platform::DDERR_EXCLUSIVEMODEALREADYSET, 4,
         "SetCooperativeLevel FullScreen: DDERR_EXCLUSIVEMODEALREADYSET"},
        {false, DisplayOperation::SetDisplayMode, 1, platform::DDERR_INVALIDMODE, 5,
         "SetDisplayMode FullScreen: DDERR_INVALIDMODE"},
        {false, DisplayOperation::CreateSurface, 1, platform::DDERR_OUTOFVIDEOMEMORY, 3,
         "CreateSurface FullScreen Primary: DDERR_OUTOFVIDEOMEMORY"},
        {false, DisplayOperation::GetAttachedSurface, 1, platform::DDERR_NOTFOUND, 3,
         "GetAttachedSurface: DDERR_NOTFOUND"},
        {false, DisplayOperation::CreateSurface, 2, platform::DDERR_OUTOFVIDEOMEMORY, 3,
         "CreateSurface FullScreen DrawSurface: DDERR_OUTOFVIDEOMEMORY"},
        {false, DisplayOperation::CreateClipper, 1, platform::DDERR_NOCLIPLIST, 1,
         "CreateClipper FullScreen: DDERR_NOCLIPLIST"},
        // A refused pixel format at the primary is the colour-depth answer, without text.
        {true, DisplayOperation::CreateSurface, 1, platform::DDERR_INVALIDPIXELFORMAT, 6, ""},
    };
    for (const Case& c : cases) {
        Faults().Clear();
        Faults().FailCall(c.operation, c.call, c.code);
        EXPECT_EQ(OpenAndInit(c.windowed), c.result) << c.text;
        EXPECT_EQ(dd->mErrorString, c.text);
        EXPECT_FALSE(dd->mInitialized);
        dd.reset();
        installed.reset();
        EXPECT_EQ(LiveSurfaces(), 0) << c.text;
    }
    EXPECT_EQ(DDInterface::ResultToString(DDInterface::RESULT_3D_FAIL), "RESULT_UNKNOWN");
    EXPECT_EQ(DDInterface::ResultToString(DDInterface::RESULT_DISPCHANGE_FAIL), "RESULT_DISPCHANGE_FAIL");
}

TEST_F(DisplaySetUp, InitTwiceReleasesEverythingOfTheFirst) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    const int surfaces = LiveSurfaces();
    const size_t images = dd->mDDImageSet.size();
    const size_t registered = Images().Count();
    EXPECT_EQ(images, 3u);  // the screen image and the two cursor areas
    EXPECT_EQ(surfaces, 5); // primary, draw, secondary and the two cursor areas
    ASSERT_EQ(dd->Init(window, true), DDInterface::RESULT_OK);
    EXPECT_EQ(LiveSurfaces(), surfaces);
    EXPECT_EQ(dd->mDDImageSet.size(), images);
    EXPECT_EQ(Images().Count(), registered);
    EXPECT_EQ(environment->live->displays.load(), 1);
    EXPECT_NE(dd->mScreenImage, nullptr);
}

TEST_F(DisplaySetUp, ScriptedResultsAnswerInitInTurn) {
    Open();
    dd->ScriptInitResults({DDInterface::RESULT_SURFACE_FAIL, DDInterface::RESULT_OK});
    EXPECT_EQ(dd->Init(window, true), DDInterface::RESULT_SURFACE_FAIL);
    EXPECT_EQ(dd->mErrorString, "Init: RESULT_SURFACE_FAIL");
    EXPECT_FALSE(dd->HasDirectDraw());
    EXPECT_EQ(dd->Init(window, true), DDInterface::RESULT_OK);
    EXPECT_TRUE(dd->mInitialized);
    EXPECT_EQ(dd->GetInitCount(), 2);
}

TEST_F(DisplaySetUp, TheDeviceAnswersThe3DQuestionForItsDrawSurfaceOnly) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    Kavo::DDImage other(dd.get());
    EXPECT_FALSE(Kavo::IsDisplay3D());
    EXPECT_FALSE(Kavo::IsDrawSurface3D(dd->mScreenImage));
    EXPECT_TRUE(dd->mScreenImage->LockSurface());
    EXPECT_TRUE(dd->mScreenImage->UnlockSurface());
    dd->mIs3D = true;
    EXPECT_TRUE(Kavo::IsDisplay3D());
    EXPECT_TRUE(Kavo::IsDrawSurface3D(dd->mScreenImage));
    EXPECT_FALSE(Kavo::IsDrawSurface3D(&other));
    // The draw surface belongs to the renderer in 3D.
    EXPECT_FALSE(dd->mScreenImage->LockSurface());
    dd->mIs3D = false;
    dd.reset();
    EXPECT_FALSE(Kavo::IsDisplay3D());
}

TEST_F(DisplaySetUp, InitIn3DStartsTheRenderer) {
    Open();
    dd->mIs3D = true;
    dd->mD3DInterface->mErrorString = "old";
    ASSERT_EQ(dd->Init(window, true), DDInterface::RESULT_OK);
    EXPECT_TRUE(dd->mD3DInterface->mErrorString.empty());
    EXPECT_NE(dd->mDrawSurface->Caps() & platform::kCaps3DDevice, 0u);
    EXPECT_NE(dd->mDrawSurface->Caps() & platform::kCapsVideoMemory, 0u);
}

} // namespace
