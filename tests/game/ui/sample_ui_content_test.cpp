// The sample content of the game's screens reads as the game reads it.
#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"
#include "game/ui/music_list.h"
#include "game/ui/page_set.h"
#include "platform/file_system.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace Game {
namespace {

class SampleUiContentTest : public ui_test::UiFixture {
protected:
    SampleUiContentTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
    }
    ~SampleUiContentTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    std::string mPreviousFolder;
    Kavo::DefaultFontServices mFontServices;
    platform::Installed<Kavo::FontServices> mFontServicesInstalled{Kavo::FontServicesSlot(), mFontServices};
};

TEST_F(SampleUiContentTest, EveryControlOfTheSampleLayoutFindsItsLookAndTheFontLoads) {
    mDescs->LoadInterface("ui\\interf.txt");
    EXPECT_EQ(mDescs->GetCount(), 15u);
    GameDialog screen(1, false);
    Layout layout("UI\\sample_layout.txt", &screen);
    for (const char* name : {"Ok", "Play", "Easy", "FullScreen", "MusicVolume", "Help", "Points", "UserList", "Name"})
        EXPECT_NE(layout.GetControl(name), nullptr) << name;
    EXPECT_EQ(layout.GetControlAs<LayoutDialogButton>("Ok")->mComponentImage, mDialogButton.get());
    EXPECT_EQ(layout.GetControlAs<LayoutSlider>("MusicVolume")->mTrackImage, mTrack.get());
    EXPECT_EQ(layout.GetPoint("LBPos"), (LayoutPoint{20, 150}));
    ASSERT_EQ(layout.Images().size(), 1u);

    Kavo::ImageFont font(kDefaultControlFont);
    EXPECT_TRUE(font.IsLoaded()) << (mFontServices.mFatalErrors.empty() ? "" : mFontServices.mFatalErrors[0]);

    MusicList music;
    music.Load("sounds\\music\\music.txt");
    // One playlist per restaurant (the board screen's list).
    ASSERT_EQ(music.GetCount(), 3u);
    EXPECT_EQ(music.GetPlaylist(0), (MusicList::Playlist{"mainmenu", "shop"}));
}

// How bright a colour looks, 0 to 255.
int Brightness(const Kavo::Color& color) {
    return (color.mRed * 299 + color.mGreen * 587 + color.mBlue * 114) / 1000;
}

// The help pages are written on the help dialog's own box (a dialog draws
// no layout picture under them): each text must stand well apart in
// brightness from that box, or it cannot be read.
TEST_F(SampleUiContentTest, EveryHelpTextStandsOutFromTheBoxUnderIt) {
    const GameDialog dialog(1, false);
    const int box = Brightness(dialog.GetColor(Kavo::Dialog::COLOR_BKG));
    PageSet pages;
    pages.Load("data/help.txt", PageFileKind::Help);
    ASSERT_GE(pages.GetPageCount(), 1u);
    size_t texts = 0;
    for (size_t i = 0; i < pages.GetPageCount(); ++i) {
        for (const PageText& text : pages.GetPage(i).mTexts) {
            EXPECT_GE(std::abs(Brightness(text.mColor) - box), 100)
                << text.mKey << ": text " << Brightness(text.mColor) << " on box " << box;
            ++texts;
        }
    }
    EXPECT_GE(texts, 2u);
}

} // namespace
} // namespace Game
