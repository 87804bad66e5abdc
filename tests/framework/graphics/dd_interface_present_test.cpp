// Presenting frames: the four roads and the beam-timed blit in a window.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/framework/graphics/display_device_fixture.h"

namespace {

using namespace display_test;
using Kavo::DDInterface;
using platform::DisplayOperation;

class Presenting : public DisplayDevice {
protected:
    static std::uint32_t Pattern(int x, int y) { return 0x00010000u * (x & 0xFF) + 0x100u * (y & 0xFF) + 0x5Au; }

    void PaintFrame() {
        Paint(dd->mDrawSurface, [](int x, int y) { return Pattern(x, y); });
    }
};

TEST_F(Presenting, AWindowedFrameLandsAtTheClientOrigin) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_FALSE(dd->mIsPresenting);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{319, 239}, std::pair{17, 101}})
        EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + x, kWindowY + y), Pattern(x, y)) << x << "," << y;
    // The window's part of the primary went to the video driver.
    const auto frame = Platform().Video().LastFrame(window);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 320);
    EXPECT_EQ(frame->height, 240);
    EXPECT_EQ(frame->destination, (platform::Rect{0, 0, 320, 240}));
    EXPECT_EQ(frame->PixelAt(0, 0), Pattern(0, 0));
    EXPECT_EQ(frame->PixelAt(319, 239), Pattern(319, 239));
}

TEST_F(Presenting, ARectangleOfTheFrameIsCopiedAlone) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    const Kavo::IntRect part(10, 20, 5, 5);
    ASSERT_TRUE(dd->Redraw(&part));
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 12, kWindowY + 22), Pattern(12, 22));
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX, kWindowY), 0u);
}

TEST_F(Presenting, FullScreenFlipsOrBlitsOnATablet) {
    struct Case {
        bool pageFlipping;
        bool popup;
        int flips;
    } cases[] = {{true, false, 1}, {false, false, 0}, {true, true, 0}};
    owner.request.mColorDepth = 32;
    // A full-screen window covers the screen from its corner.
    ASSERT_TRUE(platform::MoveWindow(window, 0, 0, 320, 240));
    for (const Case& c : cases) {
        Faults().Clear();
        owner.policy.mPageFlipping = c.pageFlipping;
        owner.policy.mPopupActive = c.popup;
        ASSERT_EQ(OpenAndInit(false), DDInterface::RESULT_OK);
        PaintFrame();
        ASSERT_TRUE(dd->Redraw(nullptr));
        EXPECT_EQ(Faults().Calls(DisplayOperation::Flip), c.flips);
        // Either way the front buffer shows the frame.
        EXPECT_EQ(PixelOf(dd->mPrimarySurface, 5, 7), Pattern(5, 7));
        EXPECT_EQ(PixelOf(dd->mPrimarySurface, 319, 239), Pattern(319, 239));
        dd.reset();
        installed.reset();
    }
}

TEST_F(Presenting, AFailedFlipIsReportedWithItsStep) {
    ASSERT_TRUE(platform::MoveWindow(window, 0, 0, 320, 240));
    ASSERT_EQ(OpenAndInit(false), DDInterface::RESULT_OK);
    Faults().FailCall(DisplayOperation::Flip, 1, platform::DDERR_SURFACELOST);
    EXPECT_FALSE(dd->Redraw(nullptr));
    EXPECT_EQ(dd->mErrorString, "Redraw FullScreen Flip: DDERR_SURFACELOST");
    EXPECT_TRUE(dd->Redraw(nullptr)); // the next frame tries again
}

TEST_F(Presenting, WithoutAScanLineFramesWaitForTheBlankAndStopAskingAfterThree) {
    owner.policy.mWaitForVSync = true;
    owner.policy.mEmulateVSyncWhenWindowed = false;
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    for (int frame = 1; frame <= 5; ++frame) {
        ASSERT_TRUE(dd->Redraw(nullptr));
        EXPECT_EQ(dd->mDD->VerticalBlankWaits(), frame);
        EXPECT_EQ(Faults().Calls(DisplayOperation::GetScanLine), std::min(frame, 3));
    }
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 3, kWindowY + 200), Pattern(3, 200));
}

TEST_F(Presenting, ABeamGivesTheSplitBlitOfBothHalves) {
    environment->beam = std::make_shared<platform::FakeBeam>(1024, 1060, 3);
    owner.policy.mWaitForVSync = true;
    owner.policy.mEmulateVSyncWhenWindowed = false;
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    dd->mScanLineFailCount = 2;
    const int blits = Faults().Calls(DisplayOperation::Blt);
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_EQ(Faults().Calls(DisplayOperation::Blt) - blits, 2); // upper and lower half
    EXPECT_EQ(dd->mScanLineFailCount, 0);
    EXPECT_EQ(dd->mDD->VerticalBlankWaits(), 0);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 1, kWindowY + 119), Pattern(1, 119));
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 1, kWindowY + 120), Pattern(1, 120));
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 319, kWindowY + 239), Pattern(319, 239));
}

TEST_F(Presenting, ABeamThatStopsAnsweringHoldsTheLowerHalfForTwoHundredMilliseconds) {
    // One line a read from line 0: the target (window top + 120) is passed
    // at read 161; every read after 170 fails.
    environment->beam = std::make_shared<platform::FakeBeam>(1024, 1060, 1);
    owner.policy.mWaitForVSync = true;
    owner.policy.mEmulateVSyncWhenWindowed = false;
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    Faults().FailCallsFrom(DisplayOperation::GetScanLine, 170, platform::DDERR_GENERIC);
    const std::uint32_t start = platform::GetTickMs();
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_GE(platform::GetTickMs() - start, 200u);
    EXPECT_EQ(dd->mScanLineFailCount, 0);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, kWindowX + 319, kWindowY + 239), Pattern(319, 239));
}

TEST_F(Presenting, ARendererErrorIn3DEndsThe3DPath) {
    Open();
    dd->mIs3D = true;
    ASSERT_EQ(dd->Init(window, true), DDInterface::RESULT_OK);
    dd->mD3DInterface->mSceneBegun = true;
    dd->mD3DInterface->mErrorString = "stale";
    // An open scene is closed first... but an error already recorded ends 3D.
    EXPECT_FALSE(dd->Redraw(nullptr));
    EXPECT_FALSE(dd->mIs3D);
    EXPECT_FALSE(dd->mIsPresenting);
}

TEST_F(Presenting, NothingIsPresentedBeforeInit) {
    Open();
    EXPECT_FALSE(dd->Redraw(nullptr));
    EXPECT_FALSE(Platform().Video().LastFrame(window));
}

} // namespace
