// The sample content of the game's screens reads as the game reads it.
#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"
#include "game/ui/music_list.h"
#include "platform/file_system.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace Game
