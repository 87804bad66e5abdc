// The software cursor: drawn over each presented frame, moved on the screen
// without a moment in which no whole cursor shows, and cut to the game area
// and to the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics/display_device_fixture.h"

namespace {

using namespace display_test;
using Kavo::DDInterface;

constexpr int kCursorSize = 16;
constexpr uint32_t kRed = 0xFF0000;

uint32_t Pattern(int x, int y) {
    return 0x100u * (x & 0xFF) + (y & 0xFF);
}

// Records, on every change of the primary, whether a whole cursor is seen
// at one of the places it may be.
class CursorWatch : public platform::PrimaryPresenter {
public:
    std::vector<platform::Point> places; // cursor centres in primary coordinates
    int changes = 0;
    int withoutWholeCursor = 0;

    void PresentPrimary(const platform::PrimaryFrame& frame) override {
        if (places.empty())
            return;
        ++changes;
        bool whole = false;
        for (const platform::Point& place : places)
            whole = whole || WholeAt(frame, place);
        if (!whole)
            ++withoutWholeCursor;
    }

private:
    static bool WholeAt(const platform::PrimaryFrame& frame, platform::Point centre) {
        for (int y = centre.y - kCursorSize / 2; y < centre.y + kCursorSize / 2; ++y) {
            for (int x = centre.x - kCursorSize / 2; x < centre.x + kCursorSize / 2; ++x) {
                uint32_t value = 0;
                std::memcpy(&value, static_cast<const uint8_t*>(frame.pixels) + y * frame.pitch + x * 4, 4);
                if ((value & 0xFFFFFF) != kRed)
                    return false;
            }
        }
        return true;
    }
};

class SoftwareCursor : public DisplayDevice {
protected:
    std::unique_ptr<Kavo::MemoryImage> cursor;

    void SetUp() override {
        DisplayDevice::SetUp();
        cursor = std::make_unique<Kavo::MemoryImage>();
        const std::vector<uint32_t> red(kCursorSize * kCursorSize, 0xFF000000 | kRed);
        cursor->SetBits(red.data(), kCursorSize, kCursorSize);
        owner.request.mColorDepth = 32;
    }
    void TearDown() override {
        cursor.reset();
        DisplayDevice::TearDown();
    }

    void PaintFrame() {
        Paint(dd->mDrawSurface, [](int x, int y) { return Pattern(x, y); });
    }
    uint32_t Screen(int x, int y) { return PixelOf(dd->mPrimarySurface, kWindowX + x, kWindowY + y) & 0xFFFFFF; }
};

TEST_F(SoftwareCursor, WithoutACursorImageNoCursorIsEverShown) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    PaintFrame();
    dd->SetCursorPos(100, 80);
    ASSERT_TRUE(dd->Redraw(nullptr));
    dd->SetCursorPos(110, 90);
    EXPECT_FALSE(dd->mCursorOnScreen);
    EXPECT_EQ(Screen(100, 80), Pattern(100, 80));
    EXPECT_EQ(Screen(110, 90), Pattern(110, 90));
    EXPECT_FALSE(dd->SetCursorImage(nullptr));
}

TEST_F(SoftwareCursor, AWindowedFrameShowsTheCursorAndLeavesTheDrawSurfaceClean) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    EXPECT_TRUE(dd->SetCursorImage(cursor.get()));
    EXPECT_FALSE(dd->SetCursorImage(cursor.get()));
    dd->mIsPresenting = true; // only stores the position, as while a frame is presented
    dd->SetCursorPos(100, 80);
    dd->mIsPresenting = false;
    EXPECT_FALSE(dd->mCursorOnScreen);
    PaintFrame();
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_TRUE(dd->mCursorOnScreen);
    // The cursor covers 92..107 x 72..87 on the window.
    EXPECT_EQ(Screen(92, 72), kRed);
    EXPECT_EQ(Screen(107, 87), kRed);
    EXPECT_EQ(Screen(91, 72), Pattern(91, 72));
    EXPECT_EQ(Screen(108, 87), Pattern(108, 87));
    for (auto [x, y] : {std::pair{92, 72}, std::pair{100, 80}, std::pair{107, 87}})
        EXPECT_EQ(PixelOf(dd->mDrawSurface, x, y), Pattern(x, y)) << x << "," << y;

    // Taken off the window, the saved background comes back.
    dd->RestoreCursorArea(dd->mPrimarySurface, true);
    EXPECT_FALSE(dd->mCursorOnScreen);
    EXPECT_EQ(Screen(100, 80), Pattern(100, 80));
}

TEST_F(SoftwareCursor, MovingByTenPixelsAlwaysShowsAWholeCursor) {
    auto watch = std::make_shared<CursorWatch>();
    environment->presenter = watch;
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    dd->SetCursorImage(cursor.get());
    PaintFrame();
    dd->mIsPresenting = true;
    dd->SetCursorPos(100, 80);
    dd->mIsPresenting = false;
    ASSERT_TRUE(dd->Redraw(nullptr));
    ASSERT_TRUE(dd->mCursorOnScreen);

    const std::pair<int, int> moves[] = {{110, 80}, {110, 90}, {100, 100}, {91, 91}};
    std::pair<int, int> last{100, 80};
    for (auto [x, y] : moves) {
        watch->places = {{kWindowX + last.first, kWindowY + last.second}, {kWindowX + x, kWindowY + y}};
        dd->SetCursorPos(x, y);
        last = {x, y};
    }
    watch->places.clear();
    EXPECT_GT(watch->changes, 0);
    EXPECT_EQ(watch->withoutWholeCursor, 0);
    // What the old places uncovered is the frame again.
    EXPECT_EQ(Screen(83, 83), kRed);
    EXPECT_EQ(Screen(98, 98), kRed);
    EXPECT_EQ(Screen(99, 91), Pattern(99, 91));
    EXPECT_EQ(Screen(117, 80), Pattern(117, 80));
    EXPECT_EQ(Screen(92, 72), Pattern(92, 72));
    EXPECT_EQ(Screen(100, 107), Pattern(100, 107));
}

TEST_F(SoftwareCursor, NearTheRightEdgeOnlyThePartInsideTheGameAreaIsTouched) {
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    ASSERT_EQ(dd->mPresentationRect, Kavo::IntRect(0, 0, 320, 240));
    dd->SetCursorImage(cursor.get());
    PaintFrame();
    const uint32_t beyond = Screen(320, 100);
    dd->mIsPresenting = true;
    dd->SetCursorPos(315, 100);
    dd->mIsPresenting = false;
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_TRUE(dd->mCursorOnScreen);
    EXPECT_EQ(Screen(307, 100), kRed);
    EXPECT_EQ(Screen(319, 100), kRed);
    EXPECT_EQ(Screen(320, 100), beyond);
    EXPECT_EQ(PixelOf(dd->mDrawSurface, 319, 100), Pattern(319, 100));
    dd->RestoreCursorArea(dd->mPrimarySurface, true);
    for (int x = 283; x < 320; ++x)
        EXPECT_EQ(Screen(x, 100), Pattern(x, 100)) << x;
    EXPECT_EQ(Screen(320, 100), beyond);
}

TEST_F(SoftwareCursor, AWindowPartlyOffTheScreenSavesItsVisiblePart) {
    // The window's client area runs 40 pixels past the desktop's right edge.
    ASSERT_TRUE(platform::MoveWindow(window, 1280 - 280, kWindowY, 320, 240));
    ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    dd->SetCursorImage(cursor.get());
    PaintFrame();
    ASSERT_TRUE(dd->Redraw(nullptr));
    const int left = platform::ClientToScreen(window, {0, 0}).x;
    ASSERT_GT(left + 320, 1280);
    // Cursor area 1240 - left - 32 .. + 64 reaches past the screen; the first save fails.
    const int x = 1276 - left;
    dd->SetCursorPos(x, 100);
    EXPECT_TRUE(dd->mCursorOnScreen);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 1279, kWindowY + 100) & 0xFFFFFF, kRed);
    dd->RestoreCursorArea(dd->mPrimarySurface, true);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 1279, kWindowY + 100) & 0xFFFFFF, Pattern(1279 - left, 100));
}

TEST_F(SoftwareCursor, FullScreenDrawsTheCursorOnTheBackBuffer) {
    ASSERT_TRUE(platform::MoveWindow(window, 0, 0, 320, 240));
    ASSERT_EQ(OpenAndInit(false), DDInterface::RESULT_OK);
    ASSERT_EQ(dd->mPresentationRect, Kavo::IntRect(0, 0, 320, 240));
    dd->SetCursorImage(cursor.get());
    PaintFrame();
    dd->mIsPresenting = true;
    dd->SetCursorPos(50, 60);
    dd->mIsPresenting = false;
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_EQ(Faults().Calls(platform::DisplayOperation::Flip), 1);
    EXPECT_TRUE(dd->mCursorOnScreen);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 50, 60) & 0xFFFFFF, kRed);
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 41, 60) & 0xFFFFFF, Pattern(41, 60));
    EXPECT_EQ(PixelOf(dd->mDrawSurface, 50, 60), Pattern(50, 60));
    // The tablet's road draws no cursor.
    owner.policy.mPageFlipping = false;
    dd->SetCursorPos(200, 200);
    PaintFrame();
    ASSERT_TRUE(dd->Redraw(nullptr));
    EXPECT_EQ(PixelOf(dd->mPrimarySurface, 50, 60) & 0xFFFFFF, Pattern(50, 60));
}

} // namespace
