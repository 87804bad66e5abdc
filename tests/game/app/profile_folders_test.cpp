// The game started, as its program starts, on profile folders that a
// player could have: a damaged list beside intact profiles, profiles that
// name another player or none, a folder that cannot be written. After each:
// no profile's bytes changed but by the player's own play, every player
// with a profile is offered, and the game told the player what happened.
#include "framework/widget/list_widget.h"
#include "game/app/change_user_dialog.h"
#include "game/app/game_app.h"
#include "game/board/board.h"
#include "game/board/bonus.h"
#include "game/bonus/bonus_identity.h"
#include "game/ui/message_dialog.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/text_encoding.h"
#include "tests/game/main/scripted_game_run.h"
#include "tests/game/ui/cleared_resource_globals.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

// A profile's fixed fields, for a player of that stored name.
std::string FixedFields(const std::string& storedName, float money, bool inProgress) {
    UserManager writer;
    User user;
    user.mName = storedName;
    user.mRecord.mMoney = money;
    user.mRecord.mStageIndex = 3;
    user.mRecord.mInProgress = inProgress ? 1 : 0;
    Kavo::Buffer buffer;
    writer.WriteProfile(&user, buffer);
    return std::string(reinterpret_cast<const char*>(buffer.GetDataPtr()), buffer.GetDataLen());
}

// A profile as the game writes it without a board in progress: the fixed
// fields and a block for each bonus (hidden, disabled, not charged).
std::string ProfileBytes(const std::string& storedName, float money) {
    return FixedFields(storedName, money, false) + std::string(kBonusKinds * Bonus::kSavedSize, '\0');
}

std::string ListBytes(int current, const std::vector<std::string>& names) {
    Kavo::Buffer buffer;
    buffer.WriteLong(static_cast<int32_t>(names.size()));
    buffer.WriteLong(current);
    for (const std::string& name : names)
        buffer.WriteString(name);
    return std::string(reinterpret_cast<const char*>(buffer.GetDataPtr()), buffer.GetDataLen());
}

struct FolderCase {
    const char* what;
    std::map<std::string, std::string> files; // under "Users"
    // The lines of the choose-player list after "create a new player".
    std::vector<std::string> offered;
    // Words every notice together must hold; empty: no notice.
    std::vector<std::string> told;
    // A file the player's Select and save must have kept aside, with its
    // bytes before (empty: none).
    std::string keptAside;
    // The stage the current player's profile holds after that save.
    int stage = 3;
};

class ProfileFoldersTest : public ScriptedGameRunTest {
protected:
    std::string Users() { return platform::GetUserDataRoot("") + "/Users"; }
    void Write(const std::string& path, const std::string& bytes) {
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, bytes)) << path;
    }
    std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile(path, bytes)) << path;
        return bytes;
    }

    // Starts the game and runs it until loading is done; the texts of the
    // notices shown meanwhile, each closed with its "Ok".
    std::string StartAndReadNotices() {
        {
            // The title screen takes its button's picture before loading binds
            // this run's: the last run's, freed with it, must not be there.
            ClearedResourceGlobals cleared;
        }
        Start();
        Post(platform::kWmActivateApp, 1, 0);
        TakeInput();
        EXPECT_TRUE(StepUntil([&] { return App().mLogoScreen != nullptr; }, 10));
        ClickAt(10, 10);
        EXPECT_TRUE(StepUntil(
            [&] {
                auto* title = dynamic_cast<TitleScreen*>(App().mTitleScreen);
                return title != nullptr && title->IsLoaded();
            },
            5000));
        std::string told;
        for (int i = 0; i < 5; ++i) {
            auto* box = dynamic_cast<MessageDialog*>(App().GetDialog(GameApp::kNoticeDialogId));
            if (box == nullptr)
                break;
            told += box->mMessageText + "\n";
            Kavo::ButtonWidget* ok = FindButton(box, 1);
            if (ok == nullptr)
                break;
            Click(ok);
            StepUntil([&] { return App().GetDialog(GameApp::kNoticeDialogId) != box; }, 300);
        }
        return told;
    }
    void ToMainMenu() {
        ClickAt(500, 400);
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Menu(); }, 10));
    }
    std::vector<std::string> Offered() {
        ChangeUserDialog dialog("UI/ChangeUser.txt");
        std::vector<std::string> lines;
        for (int i = 1; i < dialog.GetList()->GetLineCount(); ++i)
            lines.push_back(dialog.GetList()->GetStringAt(i));
        return lines;
    }
    // Select on the current player's line, as the player would choose it.
    void SelectCurrent() {
        UserManager* users = UserManager::GetInstance();
        ChangeUserDialog dialog("UI/ChangeUser.txt");
        dialog.GetList()->SetSelect(users->GetCurrentIndex() + 1);
        dialog.ButtonDepress(ChangeUserDialog::kSelectButton);
    }
    void Quit() {
        CloseWindow();
        ASSERT_TRUE(RunToShutdown(2000));
        Finish();
    }
    // The settings file as the program finds it (program text).
    std::string SettingsFile() { return platform::Utf8ToCp1251(platform::DefaultRegistryFile()); }
};

// The program's own settings store, bound to the settings file, in place of
// the memory store the test platform installs.
class SettingsFileTest : public ProfileFoldersTest {
protected:
    platform::Installed<platform::RegistryStore> mProgramsOwnStore{platform::RegistryStoreSlot(), nullptr};
};

TEST_F(ProfileFoldersTest, EveryPlayerWithAProfileIsOfferedAndNoProfileIsLost) {
    const std::string alice = ProfileBytes("Alice", 12.34f);
    const std::string bob = ProfileBytes("Bob", 5.0f);
    const std::string zed = ProfileBytes("Zed", 1.0f);
    const std::string zelda = ProfileBytes("Zelda", 1.0f);
    const std::string garbage = "\x13\x37\xC0\xDE\xFF\xFF\x7F\x7F\x01\x02\x03\x04";
    const FolderCase cases[] = {
        {"a damaged list beside intact profiles",
         {{"users.dat", garbage}, {"Alice.dat", alice}, {"Bob.dat", bob}},
         {"Alice", "Bob"},
         {"users.dat.bad"},
         ""},
        {"no list, only profiles", {{"Alice.dat", alice}}, {"Alice"}, {}, ""},
        {"a profile that names another player",
         {{"users.dat", ListBytes(1, {"Alice", "Bob"})}, {"Alice.dat", alice}, {"Bob.dat", ProfileBytes("Alice", 7)}},
         {"Alice", "Bob"},
         {"Bob", "Bob.dat.bad"},
         "Bob.dat"},
        {"a profile that names \"../x\"",
         {{"users.dat", ListBytes(0, {"Bob"})}, {"Bob.dat", ProfileBytes("../x", 7)}},
         {"Bob"},
         {"Bob.dat.bad"},
         "Bob.dat"},
        {"a profile that names nobody",
         {{"users.dat", ListBytes(0, {"Bob"})}, {"Bob.dat", ProfileBytes("", 7)}},
         {"Bob"},
         {"Bob.dat.bad"},
         "Bob.dat"},
        {"a profile that names \"users\"",
         {{"users.dat", ListBytes(0, {"Bob"})}, {"Bob.dat", ProfileBytes("users", 7)}},
         {"Bob"},
         {"Bob.dat.bad"},
         "Bob.dat"},
        {"an empty profile",
         {{"users.dat", ListBytes(0, {"Bob"})}, {"Bob.dat", ""}},
         {"Bob"},
         {"Bob.dat.bad"},
         "Bob.dat",
         0},
        {"a list naming \"users\"",
         {{"users.dat", ListBytes(0, {"users", "Bob"})}, {"Bob.dat", bob}},
         {"Bob"},
         {"users.dat.bad"},
         ""},
        // A removed player's profile stays on the disk and is not offered;
        // a listed player without a profile is a name the list lost, and
        // the nearest unlisted profile of its length is that player's.
        {"a removed player's profile",
         {{"users.dat", ListBytes(0, {"Bob"})}, {"Bob.dat", bob}, {"Zed.dat", zed}},
         {"Bob"},
         {},
         ""},
        {"a flipped byte in a listed name",
         {{"users.dat", ListBytes(0, {"@lice", "Bob"})}, {"Alice.dat", alice}, {"Bob.dat", bob}, {"Zelda.dat", zelda}},
         {"Alice", "Bob"},
         {"\"@lice\"", "Alice", "users.dat.bad"},
         ""},
        {"a listed name as near to two profiles",
         {{"users.dat", ListBytes(0, {"Cat", "Bob"})}, {"Bob.dat", bob}, {"Bat.dat", zed}, {"Hat.dat", zed}},
         {"Cat", "Bob"},
         {},
         "",
         -1},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(Users());
        for (const auto& [name, bytes] : c.files)
            Write(Users() + "/" + name, bytes);

        const std::string told = StartAndReadNotices();
        for (const std::string& word : c.told) {
            EXPECT_NE(told.find(word), std::string::npos) << told;
        }
        if (c.told.empty()) {
            EXPECT_EQ(told, "");
        }
        ASSERT_NO_FATAL_FAILURE(ToMainMenu());
        EXPECT_EQ(Offered(), c.offered);
        // Until the player plays, every profile stays as it was.
        for (const auto& [name, bytes] : c.files) {
            if (name != "users.dat") {
                EXPECT_EQ(Read(Users() + "/" + name), bytes) << name;
            }
        }
        if (c.files.count("users.dat") != 0 && !c.told.empty() && c.keptAside.empty()) {
            EXPECT_EQ(Read(Users() + "/users.dat.bad"), c.files.at("users.dat"));
        }

        // The player picks the current player, which saves that player's
        // profile (a damaged one kept aside first) and no other.
        const std::string current = UserManager::GetInstance()->GetCurrentUser()->mName;
        SelectCurrent();
        ASSERT_NO_FATAL_FAILURE(Quit());
        if (!c.keptAside.empty()) {
            EXPECT_EQ(Read(Users() + "/" + c.keptAside + ".bad"), c.files.at(c.keptAside));
        }
        for (const auto& [name, bytes] : c.files) {
            if (name != "users.dat" && name != current + ".dat") {
                EXPECT_EQ(Read(Users() + "/" + name), bytes) << name;
            }
        }
        UserManager after;
        after.LoadAll(Users() + "/users.dat");
        std::vector<std::string> names;
        for (int i = 0; i < after.GetUserCount(); ++i)
            names.push_back(after.GetUser(i)->mName);
        EXPECT_EQ(names, c.offered);
        ASSERT_NE(after.GetCurrentUser(), nullptr);
        EXPECT_EQ(after.GetCurrentUser()->mName, current);
        EXPECT_EQ(after.GetCurrentRecord()->mStageIndex, c.stage);
    }
}

TEST_F(ProfileFoldersTest, TheNameEntryRefusesTheListsOwnNameInAnyCase) {
    Start();
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    AnswerMessageBoxes(1);
    for (const char* name : {"users", "USERS"}) {
        ASSERT_TRUE(StepUntil([&] { return App().GetNewUserDialog() != nullptr; }, 300)) << name;
        EditDialog* entry = App().GetNewUserDialog();
        Step();
        Type(name);
        Click(FindButton(entry, 1));
        // "Please enter a name", answered, and the entry asks again.
        ASSERT_TRUE(
            StepUntil([&] { return App().GetNewUserDialog() != nullptr && App().GetNewUserDialog() != entry; }, 600))
            << name;
        EXPECT_EQ(UserManager::GetInstance()->GetUserCount(), 0) << name;
        mAnswered = nullptr; // the next box may take the answered one's place in memory
    }
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Ann"));
    ASSERT_NO_FATAL_FAILURE(Quit());
    UserManager after;
    EXPECT_TRUE(after.LoadAll(Users() + "/users.dat"));
    ASSERT_EQ(after.GetUserCount(), 1);
    EXPECT_EQ(after.GetUser(0)->mName, "Ann");
    EXPECT_FALSE(platform::FileExistsExactName(Users() + "/USERS.dat"));
}

TEST_F(ProfileFoldersTest, AFolderThatCannotBeWrittenIsToldOnceWithItsPath) {
    // A regular file where the players' folder belongs: no account, root
    // included, can make the folder or write in it.
    Write(Users(), "not a folder");
    const std::string told = StartAndReadNotices();
    EXPECT_NE(told.find("cannot be saved"), std::string::npos) << told;
    EXPECT_NE(told.find(platform::GetUserDataRoot("") + "/Users"), std::string::npos) << told;
    ASSERT_NO_FATAL_FAILURE(ToMainMenu());
    // A new player's first save fails again: the player was told already.
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Ann"));
    EXPECT_EQ(App().GetDialog(GameApp::kNoticeDialogId), nullptr);
    EXPECT_TRUE(UserManager::GetInstance()->CannotSave());
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Read(Users()), "not a folder");
}

TEST_F(ProfileFoldersTest, AReadOnlyFolderKeepsItsProfileAndSaysSo) {
    if (geteuid() == 0)
        GTEST_SKIP()
            << "the folder's mode does not stop the superuser; the test above covers a folder no one can write";
    const std::string alice = ProfileBytes("Alice", 3.5f);
    Write(Users() + "/users.dat", ListBytes(0, {"Alice"}));
    Write(Users() + "/Alice.dat", alice);
    ASSERT_EQ(chmod(Users().c_str(), 0555), 0);
    const std::string told = StartAndReadNotices();
    EXPECT_NE(told.find("cannot be saved"), std::string::npos) << told;
    ASSERT_NO_FATAL_FAILURE(ToMainMenu());
    EXPECT_EQ(Offered(), std::vector<std::string>{"Alice"});
    SelectCurrent();
    ASSERT_NO_FATAL_FAILURE(Quit());
    chmod(Users().c_str(), 0755);
    EXPECT_EQ(Read(Users() + "/Alice.dat"), alice);
}

TEST_F(ProfileFoldersTest, AProfileCutInsideItsBoardOrBonusesIsKeptAsideAndTold) {
    // A board in progress; the bytes after the fixed fields are more than
    // the board and bonus blocks take, which costs nothing.
    const std::string fixed = FixedFields("Bob", 5.0f, true);
    Write(Users() + "/users.dat", ListBytes(0, {"Bob"}));
    Write(Users() + "/Bob.dat", fixed + std::string(Board::kSavedSize + 1000, '\0'));
    EXPECT_EQ(StartAndReadNotices(), "");
    ASSERT_NO_FATAL_FAILURE(ToMainMenu());
    // Saved again by the game: the profile whole, board and bonuses.
    SelectCurrent();
    ASSERT_NO_FATAL_FAILURE(Quit());
    const std::string whole = Read(Users() + "/Bob.dat");
    const size_t board = fixed.size();
    const size_t bonuses = board + Board::kSavedSize;
    ASSERT_GT(whole.size(), bonuses);

    const size_t cuts[] = {board + 1, board + 10 + 7 * 40 + 3, bonuses - 1, bonuses + 4, whole.size() - 1};
    for (const size_t cut : cuts) {
        SCOPED_TRACE(cut);
        platform::RemoveFile(Users() + "/Bob.dat.bad");
        Write(Users() + "/Bob.dat", whole.substr(0, cut));
        const std::string told = StartAndReadNotices();
        EXPECT_NE(told.find("Bob was damaged"), std::string::npos) << told;
        EXPECT_NE(told.find(Users() + "/Bob.dat.bad"), std::string::npos) << told;
        // Kept aside before anything could replace it.
        EXPECT_EQ(Read(Users() + "/Bob.dat.bad"), whole.substr(0, cut));
        ASSERT_NO_FATAL_FAILURE(ToMainMenu());
        SelectCurrent();
        ASSERT_NO_FATAL_FAILURE(Quit());
        EXPECT_EQ(Read(Users() + "/Bob.dat.bad"), whole.substr(0, cut));
    }
    // The whole profile again: nothing to tell.
    platform::RemoveFile(Users() + "/Bob.dat.bad");
    Write(Users() + "/Bob.dat", whole);
    EXPECT_EQ(StartAndReadNotices(), "");
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_FALSE(platform::FileExists(Users() + "/Bob.dat.bad"));
}

TEST_F(ProfileFoldersTest, OnAFullDiskADamagedFileIsLeftAsItIsAndTheStartSaysSo) {
    const std::string list = ListBytes(0, {"Ann"});
    // A board in progress makes the profile long enough to be cut inside it.
    const std::string ann = FixedFields("Ann", 5.0f, true) + std::string(Board::kSavedSize, '\0') +
                            std::string(kBonusKinds * Bonus::kSavedSize, '\0');
    ASSERT_GT(ann.size(), 700u);
    struct Case {
        const char* what;
        std::string list, ann;
        // Words the notices must hold.
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"no damage", list, ann, {"cannot be saved: the folder " + Users()}},
        {"a list cut to 7 bytes",
         list.substr(0, 7),
         ann,
         {"list of players " + Users() +
          "/users.dat was damaged, and it could not be copied aside: it is left as it "
          "is, and your progress cannot be saved."}},
        {"a profile cut to 700 bytes",
         list,
         ann.substr(0, 700),
         {"saved game of Ann was damaged, and it could not be copied aside: it is left as it is, and your progress "
          "cannot be saved."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(Users());
        Write(Users() + "/users.dat", c.list);
        Write(Users() + "/Ann.dat", c.ann);
        {
            const platform::Installed<platform::FullDisk> full(
                platform::FullDiskSlot(), std::make_shared<platform::FullDisk>(platform::FullDisk{Users()}));
            const std::string told = StartAndReadNotices();
            for (const std::string& words : c.told) {
                EXPECT_NE(told.find(words), std::string::npos) << told;
            }
            // Once told, each failed save is not told again.
            ASSERT_NO_FATAL_FAILURE(ToMainMenu());
            SelectCurrent();
            Step();
            EXPECT_EQ(App().GetDialog(GameApp::kNoticeDialogId), nullptr);
            ASSERT_NO_FATAL_FAILURE(Quit());
        }
        // Nothing written over, nothing added, nothing left behind.
        std::vector<std::string> names;
        for (const platform::FoundFile& file : platform::FindFiles(Users() + "/*"))
            names.push_back(file.name);
        EXPECT_EQ(names, (std::vector<std::string>{"Ann.dat", "users.dat"}));
        EXPECT_EQ(Read(Users() + "/users.dat"), c.list);
        EXPECT_EQ(Read(Users() + "/Ann.dat"), c.ann);
    }
}

TEST_F(SettingsFileTest, AMarkAndABadLineCostThatLineAndTheFileIsKeptAsideAndTold) {
    // The file a first run leaves.
    EXPECT_EQ(StartAndReadNotices(), "");
    ASSERT_NO_FATAL_FAILURE(Quit());
    std::string text = Read(SettingsFile());
    const size_t place = text.find("\"PreferredX\"=dword:");
    ASSERT_NE(place, std::string::npos) << text;
    // An editor's byte-order mark, a shorter number for PreferredX and a
    // line that cannot be read just before it.
    text.replace(place, text.find('\n', place) - place, "\"Broken\"=dword:zz\r\n\"PreferredX\"=dword:7b");
    text.insert(0, "\xEF\xBB\xBF");
    Write(SettingsFile(), text);

    const std::string told = StartAndReadNotices();
    EXPECT_NE(told.find("settings file " + SettingsFile() + " was damaged"), std::string::npos) << told;
    EXPECT_NE(told.find(SettingsFile() + ".bad"), std::string::npos) << told;
    EXPECT_EQ(App().mPreferredX, 123);
    EXPECT_TRUE(App().IsWindowed()); // what the first run saved
    EXPECT_EQ(Read(SettingsFile() + ".bad"), text);
    ASSERT_NO_FATAL_FAILURE(Quit());

    // The file written at the end reads whole, with every value kept.
    const std::string after = Read(SettingsFile());
    EXPECT_EQ(after.find("Broken"), std::string::npos) << after;
    EXPECT_NE(after.find("\"PreferredX\"=dword:0000007b"), std::string::npos) << after;
    EXPECT_EQ(Read(SettingsFile() + ".bad"), text);
    EXPECT_EQ(StartAndReadNotices(), "");
    EXPECT_EQ(App().mPreferredX, 123);
    ASSERT_NO_FATAL_FAILURE(Quit());
}

TEST_F(SettingsFileTest, SettingsDamageThatReadsAsValuesOrAsNothingIsKeptAsideAndTold) {
    EXPECT_EQ(StartAndReadNotices(), "");
    ASSERT_NO_FATAL_FAILURE(Quit());
    std::string saved = Read(SettingsFile());
    const size_t place = saved.find("\"PreferredX\"=dword:");
    ASSERT_NE(place, std::string::npos) << saved;
    saved.replace(place, saved.find('\n', place) - place, "\"PreferredX\"=dword:0000007b");
    std::string crOnly = saved;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    std::string joined = saved;
    joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
    // The file ends with the value that a cut leaves shorter.
    const std::string cut = saved + "\"Cut\"=dword:00";
    struct Case {
        const char* what;
        std::string text;
        bool damaged;
        int32_t preferredX; // what the start reads
    };
    const Case cases[] = {
        {"line ends of a lone CR", crOnly, false, 123},
        {"every line end lost", joined, true, -1},
        {"a last value cut short", cut, true, 123},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::RemoveFile(SettingsFile() + ".bad");
        Write(SettingsFile(), c.text);
        const std::string told = StartAndReadNotices();
        EXPECT_EQ(App().mPreferredX, c.preferredX);
        if (c.damaged) {
            EXPECT_NE(told.find("settings file " + SettingsFile() + " was damaged"), std::string::npos) << told;
            EXPECT_EQ(Read(SettingsFile() + ".bad"), c.text);
        } else {
            EXPECT_EQ(told, "");
            EXPECT_FALSE(platform::FileExists(SettingsFile() + ".bad"));
        }
        ASSERT_NO_FATAL_FAILURE(Quit());
    }
}

TEST_F(SettingsFileTest, ABlockedSettingsFolderIsToldOnceWithItsPath) {
    const std::string folder = SettingsFile().substr(0, SettingsFile().find_last_of('/'));
    Write(folder, "not a folder");
    const std::string told = StartAndReadNotices();
    EXPECT_NE(told.find("settings cannot be saved: the file " + SettingsFile()), std::string::npos) << told;
    // Choosing the screen mode saves the settings and fails again: the
    // player was told already.
    App().SwitchScreenMode(!App().IsWindowed());
    Step();
    EXPECT_EQ(App().GetDialog(GameApp::kNoticeDialogId), nullptr);
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Read(folder), "not a folder");
}

TEST_F(SettingsFileTest, ASecondDamageIsKeptBesideTheFirstCopy) {
    Write(Users() + "/users.dat", ListBytes(0, {"Bob"}));
    Write(Users() + "/Bob.dat", ProfileBytes("Bob", 5.0f));
    EXPECT_EQ(StartAndReadNotices(), "");
    ASSERT_NO_FATAL_FAILURE(Quit());
    const std::string profile = Read(Users() + "/Bob.dat");
    const std::string settings = Read(SettingsFile());
    struct Case {
        const char* what;
        std::string file;
        std::string first, second;
        std::string told;
    };
    const Case cases[] = {
        {"a profile", Users() + "/Bob.dat", profile.substr(0, 100), profile.substr(0, 150), "Bob was damaged"},
        {"the settings", SettingsFile(), settings + "a line of no value\n", settings + "another\n",
         "settings file " + SettingsFile() + " was damaged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [damage, copy] :
             {std::pair{c.first, c.file + ".bad"}, std::pair{c.second, c.file + ".2.bad"}}) {
            Write(c.file, damage);
            const std::string told = StartAndReadNotices();
            EXPECT_NE(told.find(c.told), std::string::npos) << told;
            EXPECT_NE(told.find("copied to " + copy + "."), std::string::npos) << told;
            ASSERT_NO_FATAL_FAILURE(Quit());
        }
        EXPECT_EQ(Read(c.file + ".bad"), c.first);
        EXPECT_EQ(Read(c.file + ".2.bad"), c.second);
    }
}

TEST_F(SettingsFileTest, WhatKilledSavesLeftGoesAtStartButARunningCopysAndOtherFilesStay) {
    // A writer that is gone: a child, ended and reaped.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child);
    // A process that runs, as another copy of the program would.
    const std::string running = std::to_string(getppid());
    const std::string config = SettingsFile().substr(0, SettingsFile().find_last_of('/'));
    struct Case {
        std::string file;
        bool stays;
    };
    const Case cases[] = {
        {Users() + "/users.dat.tmp" + gone, false},
        {Users() + "/Ann.dat.tmp" + gone, false},
        {Users() + "/Ann.dat.2.bad.tmp" + gone, false},
        {Users() + "/users.dat.tmp.tmp" + gone, false}, // the start's own write test
        {config + "/registry.txt.tmp" + gone, false},
        {config + "/registry.txt.bad.tmp" + gone, false},
        {Users() + "/users.dat.tmp" + running, true},
        {Users() + "/Ann.dat.tmp" + running, true},
        {config + "/registry.txt.tmp" + running, true},
        {Users() + "/notes.txt.tmp" + gone, true},
        {Users() + "/Ann.dat.tmp" + gone + "x", true},
        {config + "/other.txt.tmp" + gone, true},
    };
    for (const Case& c : cases)
        Write(c.file, "half a save");
    StartAndReadNotices();
    ASSERT_NO_FATAL_FAILURE(Quit());
    for (const Case& c : cases) {
        EXPECT_EQ(platform::FileExists(c.file), c.stays) << c.file;
    }
}

} // namespace
} // namespace Game
