#include "game/ui/music_list.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class MusicListTest : public Kavo::HeadlessEnvironment {};

TEST_F(MusicListTest, EveryKeyIsAPlaylistInTheDocumentsOrder) {
    const struct {
        const char* text;
        std::vector<MusicList::Playlist> playlists;
    } cases[] = {
        {"[Music]\r\nA=track1, track2\r\nB=track3\r\n", {{"track1", "track2"}, {"track3"}}},
        {"[Music]\r\nb=x\r\nA=y\r\n", {{"y"}, {"x"}}},
        {"[Zed]\r\nk=z\r\n[alpha]\r\nk= , a,,b ,\r\nempty=\r\n", {{}, {"a", "b"}, {"z"}}},
        {"no sections at all\r\n", {}},
    };
    for (const auto& c : cases) {
        const std::string path = Platform().Folder() + "/music.txt";
        ASSERT_TRUE(platform::WriteWholeFile(path, c.text));
        MusicList list;
        list.Load(path);
        EXPECT_EQ(list.Playlists(), c.playlists) << c.text;
    }
}

TEST_F(MusicListTest, AMissingFileLeavesTheListAsItWasAndLoadingAppends) {
    MusicList list;
    list.Load(Platform().Folder() + "/none.txt");
    EXPECT_EQ(list.GetCount(), 0u);
    const std::string path = Platform().Folder() + "/music.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, "[M]\r\nA=one\r\n"));
    list.Load(path);
    list.Load(path);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetPlaylist(1), MusicList::Playlist{"one"});
}

} // namespace
} // namespace Game
