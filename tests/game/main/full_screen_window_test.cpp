// The game in full screen on an X display larger than its picture, with
// real pointer clicks: what the window shows and where a click lands, first
// where the window keeps the game's size (a bare X server: no window manager
// grants the screen), then where it is given the whole desktop and the game
// letterboxes its picture into it.
#include "framework/graphics/memory_image.h"
#include "framework/util/rect.h"
#include "framework/widget/widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/title_screen.h"
#include "platform/geometry.h"
#include "platform/sdl/letterbox.h"
#include "tests/game/main/game_window_run.h"
#include "tests/platform/sdl/sdl_x11_input.h"
#include "tests/platform/sdl/sdl_x11_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace Game {
namespace {

class FullScreenWindowTest : public GameWindowRunTest {
protected:
    // The whole picture drawn afresh and presented. A draw the loop holds
    // back (while it catches up after loading) has still drawn the widgets,
    // so the next present is forced rather than waited for.
    void Redraw() {
        App().mWidgetManager->MarkAllDirty();
        App().mForceRedraw = true;
        const int32_t before = App().mDrawCount;
        ASSERT_TRUE(StepUntil([&] { return App().mDrawCount > before; }, 300)) << "nothing was presented";
    }
    // The widget's rectangle in the game's picture.
    static platform::Rect Area(Kavo::Widget* widget) {
        const Kavo::Point at = widget->GetAbsPos();
        return {at.mX, at.mY, at.mX + widget->mWidth, at.mY + widget->mHeight};
    }
    // The share of the window's pixels over `area` (a rectangle of the
    // game's picture, shown through `view`) whose colour is not, within the
    // scaling's blur, the game's own colour at the point they show.
    double Mismatch(const sdl_test::XPixels& shown, const platform::Letterbox& view, const platform::Rect& area) {
        auto* screen = dynamic_cast<Kavo::MemoryImage*>(App().mWidgetManager->mImage);
        if (screen == nullptr) {
            ADD_FAILURE() << "the game has no screen image";
            return 1.0;
        }
        const std::uint32_t* frame = screen->GetBits();
        const int frameWidth = screen->GetWidth();
        const platform::Rect out = view.ToOutput(area);
        int differing = 0, total = 0;
        for (int y = out.top; y < out.bottom; ++y) {
            for (int x = out.left; x < out.right; ++x) {
                const platform::Point client = view.ToClient({x, y});
                if (x < 0 || y < 0 || x >= shown.width || y >= shown.height || client.x < area.left ||
                    client.y < area.top || client.x >= area.right || client.y >= area.bottom)
                    continue;
                const std::uint32_t drawn = frame[client.y * frameWidth + client.x];
                const std::uint32_t seen = shown.At(x, y);
                bool close = true;
                for (int shift : {0, 8, 16})
                    close = close && std::abs(static_cast<int>((drawn >> shift) & 0xFF) -
                                              static_cast<int>((seen >> shift) & 0xFF)) <= 40;
                differing += close ? 0 : 1;
                ++total;
            }
        }
        EXPECT_GT(total, 100) << "the area lies outside the window";
        return total == 0 ? 1.0 : static_cast<double>(differing) / total;
    }
    // Where the game's picture lies in the window as the server has it now.
    platform::Letterbox ViewOf(const sdl_test::XPixels& shown) {
        return platform::Letterbox(App().mWidth, App().mHeight, shown.width, shown.height);
    }
    // A real click at the centre of `area` of the game's picture.
    void ClickAtCentreOf(const platform::Letterbox& view, const platform::Rect& area) {
        const platform::Rect out = view.ToOutput(area);
        sdl_test::XClick(Window(), (out.left + out.right) / 2, (out.top + out.bottom) / 2);
    }
    // Where the game last saw the pointer is the centre of `area`, give or
    // take the scaling's rounding.
    void ExpectPointerAtCentreOf(const platform::Rect& area) {
        Kavo::WidgetManager* widgets = App().mWidgetManager;
        EXPECT_NEAR(widgets->mLastMouseX, (area.left + area.right) / 2, 2);
        EXPECT_NEAR(widgets->mLastMouseY, (area.top + area.bottom) / 2, 2);
    }
};

TEST_F(FullScreenWindowTest, PictureAndClicksLandWhereDrawnAtTheGamesSizeAndLetterboxedOnTheDesktop) {
    mWindowed = false;
    Start();
    ASSERT_FALSE(App().mIsPhysWindowed);
    ASSERT_EQ(App().mWidth, 1024);
    ASSERT_EQ(App().mHeight, 768);
    ASSERT_NE(Window(), nullptr);
    // The pointer out of the way of what is compared, in the window's corner.
    sdl_test::XMovePointer(Window(), 0, 0);
    ASSERT_TRUE(StepUntil([&] { return App().mLogoScreen != nullptr; }, 10));
    ClickAt(10, 10);
    auto title = [&] { return dynamic_cast<TitleScreen*>(App().mTitleScreen); };
    ASSERT_TRUE(StepUntil([&] { return title() != nullptr && title()->IsLoaded(); }, 5000));
    Kavo::Widget* continueButton = title()->GetContinue();
    ASSERT_NE(continueButton, nullptr);
    ASSERT_TRUE(StepUntil([&] { return continueButton->mVisible; }, 10));
    ASSERT_NO_FATAL_FAILURE(Redraw());

    // No window manager: the X window keeps the game's size at the
    // desktop's corner, and shows the picture one to one.
    sdl_test::XPixels shown = sdl_test::ReadXWindow(Window());
    ASSERT_EQ(shown.width, 1024);
    ASSERT_EQ(shown.height, 768);
    platform::Letterbox view = ViewOf(shown);
    const platform::Rect continueArea = Area(continueButton);
    EXPECT_LT(Mismatch(shown, view, continueArea), 0.05) << "\"Continue\" is not where the game drew it";
    // "Continue" clicked where it is seen leads on to the main menu.
    ClickAtCentreOf(view, continueArea);
    ASSERT_TRUE(StepWithServer([&] { return App().mEnteringScreen == Menu(); }, 200))
        << "the click on \"Continue\" did not lead on";
    ExpectPointerAtCentreOf(continueArea);

    // A window manager that grants full screen gives the window the whole
    // desktop: the picture is scaled into it with bars above and below.
    ASSERT_TRUE(StepUntil([&] { return App().GetNewUserDialog() != nullptr; }, 10));
    EditDialog* entry = App().GetNewUserDialog();
    Step();
    Type("Boxed");
    Kavo::ButtonWidget* ok = FindButton(entry, 1);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(StepUntil([&] { return entry->mState == LayoutDialog::Resting; }, 300));
    sdl_test::XMovePointer(Window(), 0, 0);
    sdl_test::ResizeXWindow(Window(), 0, 0, 1280, 1024);
    for (int i = 0; i < 5; ++i)
        Step();
    ASSERT_NO_FATAL_FAILURE(Redraw());
    shown = sdl_test::ReadXWindow(Window());
    ASSERT_EQ(shown.width, 1280);
    ASSERT_EQ(shown.height, 1024);
    view = ViewOf(shown);
    ASSERT_EQ(view.View(), (platform::Rect{0, 32, 1280, 992}));
    EXPECT_EQ(shown.At(640, 10), 0u) << "no black bar above the picture";
    EXPECT_EQ(shown.At(640, 1010), 0u) << "no black bar below the picture";
    const platform::Rect okArea = Area(ok);
    EXPECT_LT(Mismatch(shown, view, okArea), 0.05) << "\"Ok\" is not where the game drew it, scaled";
    // Seen at one to one (as the game drew it, unscaled) it would not match.
    EXPECT_GT(Mismatch(shown, platform::Letterbox(1024, 768, 1024, 768), okArea), 0.2);
    // "Ok" clicked where it is seen takes the name.
    ClickAtCentreOf(view, okArea);
    ASSERT_TRUE(StepWithServer([&] { return App().GetNewUserDialog() == nullptr; }, 300))
        << "the click on \"Ok\" did not take the name";
    ExpectPointerAtCentreOf(okArea);
    EXPECT_FALSE(App().mShutdown);
}

} // namespace
} // namespace Game
