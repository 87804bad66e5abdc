// Profiles: the two files byte for byte, what a damaged or short file does,
// how saves fail safely and the stage steps on the current record.
#include "game/ui/user_manager.h"

#include "framework/util/buffer.h"
#include "game/ui/profile_services.h"
#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace Game {
namespace {

using Bytes = std::vector<uint8_t>;

// Hand-made file bytes.
struct Expect {
    Bytes bytes;
    Expect& Long(int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Expect& Byte(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    Expect& Str(const std::string& s) {
        bytes.push_back(static_cast<uint8_t>(s.size()));
        bytes.push_back(static_cast<uint8_t>(s.size() >> 8));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
};

// Board and bonus blocks of two and one marker bytes.
class FakeBoard : public ProfileBoard {
public:
    void Save(Kavo::Buffer& buffer) override {
        buffer.WriteByte(0xB0);
        buffer.WriteByte(0xB1);
    }
    bool Load(Kavo::Buffer& buffer) override {
        const bool whole = buffer.GetDataLenBits() - buffer.GetReadBitPos() >= 16;
        mRead.push_back(buffer.ReadByte());
        mRead.push_back(buffer.ReadByte());
        return whole;
    }
    int LayoutCount() const override { return mLayouts; }
    Bytes mRead;
    int mLayouts = 6;
};

class FakeBonuses : public ProfileBonuses {
public:
    void Save(Kavo::Buffer& buffer) override { buffer.WriteByte(0xC0); }
    bool Load(Kavo::Buffer& buffer) override {
        const bool whole = !buffer.AtEnd();
        mRead.push_back(buffer.ReadByte());
        return whole;
    }
    void StartNewGame() override { ++mNewGames; }
    Bytes mRead;
    int mNewGames = 0;
};

// Fifteen stages, goals 10 drinks, 20 dishes, 30 stuff.
class FakeStages : public StageGoalTable {
public:
    int GetStageCount() const override { return mCount; }
    StageItemGoals GetGoals(int) const override { return {10, 20, 30}; }
    int mCount = 15;
};

class FakeMaps : public SecretMapTable {
public:
    int GetMapCount() const override { return 3; }
    int GetPieceCount(int) const override { return 4; }
};

Bytes Data(const Kavo::Buffer& buffer) {
    const uint8_t* p = buffer.GetDataPtr();
    return p == nullptr ? Bytes() : Bytes(p, p + buffer.GetDataLen());
}

class UserManagerTest : public Kavo::HeadlessEnvironment {
protected:
    UserManagerTest() { platform::MakeDirectories(Folder()); }
    std::string Folder() { return Platform().Folder() + "/Users"; }
    std::string ListPath() { return Folder() + "/users.dat"; }
    Bytes FileBytes(const std::string& path) {
        std::string text;
        EXPECT_TRUE(platform::ReadWholeFile(path, text)) << path;
        return Bytes(text.begin(), text.end());
    }
    void WriteBytes(const std::string& path, const Bytes& bytes) {
        ASSERT_TRUE(platform::WriteWholeFile(path, std::string(bytes.begin(), bytes.end())));
    }
    // A manager whose list file is in the test's folder, with one user "Ann".
    User* AddAnn() {
        mUsers.LoadAll(ListPath());
        auto* user = new User;
        user->mName = "Ann";
        mUsers.AddUser(user);
        return user;
    }
    void MeetGoals() {
        mUsers.AddStatBC(0, 10);
        mUsers.AddStatBC(1, 20);
        mUsers.AddStatBC(2, 30);
    }

    std::shared_ptr<FakeBoard> mBoard = std::make_shared<FakeBoard>();
    std::shared_ptr<FakeBonuses> mBonuses = std::make_shared<FakeBonuses>();
    std::shared_ptr<FakeStages> mStages = std::make_shared<FakeStages>();
    platform::Installed<ProfileBoard> mBoardSlot{ProfileBoardSlot(), mBoard};
    platform::Installed<ProfileBonuses> mBonusesSlot{ProfileBonusesSlot(), mBonuses};
    platform::Installed<StageGoalTable> mStagesSlot{StageGoalTableSlot(), mStages};
    platform::Installed<SecretMapTable> mNoMaps{SecretMapTableSlot(), std::shared_ptr<SecretMapTable>()};
    UserManager mUsers;
};

TEST(ProfileValuesTest, FloatsSaturateAndNamesMustBePlainFileNames) {
    EXPECT_EQ(StoredHundredths(0.855f), 85);
    EXPECT_EQ(StoredHundredths(-1.239f), -123);
    EXPECT_EQ(StoredHundredths(1e30f), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(StoredHundredths(-1e30f), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(StoredHundredths(std::numeric_limits<float>::quiet_NaN()), 0);
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "c:", "tab\t", "del\x7F"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    for (const char* good : {"Ann", "a..b", "Jo Jo", "\xC0\xC1"})
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    // The list's own name is no player's, in any letter case.
    for (const char* list : {"users", "USERS", "Users", ""})
        EXPECT_FALSE(IsProfileName(list)) << list;
    for (const char* name : {"user", "users2", "Ann"})
        EXPECT_TRUE(IsProfileName(name)) << name;
}

TEST(ProfileValuesTest, EveryStoredHundredthGoesBackAsItWasRead) {
    int drifted = 0;
    for (int32_t stored = -100000; stored <= 100000; ++stored)
        drifted += StoredHundredths(static_cast<float>(static_cast<double>(stored) * 0.01)) != stored ? 1 : 0;
    EXPECT_EQ(drifted, 0);
    // What is not a whole hundredth is still cut toward zero.
    EXPECT_EQ(StoredHundredths(0.855f), 85);
    EXPECT_EQ(StoredHundredths(0.2999f), 29);
    EXPECT_EQ(StoredHundredths(-0.855f), -85);
}

TEST_F(UserManagerTest, TheUserListIsCountIndexAndNames) {
    mUsers.Save(); // before LoadAll: nothing
    EXPECT_FALSE(platform::FileExists(ListPath()));
    EXPECT_FALSE(mUsers.LoadAll(ListPath()));
    EXPECT_EQ(mUsers.GetCurrentRecord(), nullptr);
    mUsers.AddRating(5);
    mUsers.SetMoney(3);
    EXPECT_EQ(mUsers.GetRating(), 0);
    EXPECT_EQ(mUsers.GetMoney(), 0.0f);
    mUsers.Save();
    EXPECT_EQ(FileBytes(ListPath()), Expect().Long(0).Long(-1).bytes);

    for (const char* name : {"Ann", "ann"}) {
        auto* user = new User;
        user->mName = name;
        mUsers.AddUser(user);
    }
    EXPECT_TRUE(mUsers.UserExists("ann"));
    EXPECT_FALSE(mUsers.UserExists("ANN"));
    EXPECT_EQ(mUsers.GetCurrentIndex(), 1);
    mUsers.Save();
    EXPECT_EQ(FileBytes(ListPath()), Expect().Long(2).Long(1).Str("Ann").Str("ann").bytes);
    mUsers.SetCurrentIndex(0);
    mUsers.SetMoney(7);
    mUsers.Save();
    // Names that differ only in letter case keep a profile each.
    UserManager cases;
    cases.LoadAll(ListPath());
    EXPECT_EQ(cases.GetMoney(), 7.0f);
    cases.SetCurrentIndex(1);
    ASSERT_TRUE(cases.LoadCurrentUser());
    EXPECT_EQ(cases.GetMoney(), 0.0f);
    mUsers.SetCurrentIndex(1);
    mUsers.Save();

    UserManager again;
    EXPECT_TRUE(again.LoadAll(ListPath()));
    ASSERT_EQ(again.GetUserCount(), 2);
    EXPECT_EQ(again.GetCurrentUser()->mName, "ann");
}

TEST_F(UserManagerTest, AProfileWithEveryFieldSetIsWrittenByteForByte) {
    User user;
    user.mName = "Bo";
    user.mSfxVolume = 0.855f;
    user.mMusicVolume = 0.4f;
    UserRecord& r = user.mRecord;
    for (int i = 0; i < 5; ++i) {
        r.mTotals[i] = float(i) + 0.5f;
        r.mStageCounts[i] = float(10 * i);
        r.mRestaurantCounts[i] = -float(i);
    }
    r.mTipShown[0] = r.mTipShown[31] = 1;
    for (int i = 0; i < 10; ++i)
        r.mMetaState[i] = i - 1;
    r.mItems[0].push_back({"wall", 1, 0, 1, -1});
    r.mItems[3].push_back({"post", 0, 1, 7, 2});
    r.mKept0 = 11;
    r.mStageIndex = 4;
    r.mKept1 = 12;
    r.mStagesPlayed = 9;
    r.mSecondGameFlag = 1;
    r.mInProgress = 1;
    r.mKept2 = 13;
    r.mKept3 = 14;
    r.mTipsEnabled = 0;
    r.mSecretPieces = 3;
    r.mSecretMapIndex = 2;
    r.mBoardIndex = -1;
    r.mMoney = 12.345f;
    r.mRoomValue = 0.5f;
    r.mRating = 77;
    r.mExtraValues = {5, -6};

    Expect e;
    e.Str("Bo").Long(85).Long(40);
    for (int v : {50, 150, 250, 350, 450, 0, 1000, 2000, 3000, 4000, 0, -100, -200, -300, -400})
        e.Long(v);
    for (int i = 0; i < 32; ++i)
        e.Byte(i == 0 || i == 31 ? 1 : 0);
    for (int i = 0; i < 10; ++i)
        e.Long(i - 1);
    e.Long(1).Str("wall").Byte(0).Byte(1).Long(1).Byte(0xFF); // Flag2 before Flag1
    e.Long(0).Long(0);
    e.Long(1).Str("post").Byte(1).Byte(0).Long(7).Byte(2);
    e.Long(0);
    e.Long(11).Long(4).Long(12).Long(9).Byte(1).Byte(1).Long(13).Long(14).Byte(0);
    e.Byte(3).Byte(2).Byte(0xFF).Long(1234).Long(50).Long(77).Long(2).Long(5).Long(-6);
    e.Byte(0xB0).Byte(0xB1).Byte(0xC0);

    Kavo::Buffer buffer;
    EXPECT_TRUE(mUsers.WriteProfile(&user, buffer));
    EXPECT_EQ(Data(buffer), e.bytes);
    EXPECT_FALSE(mUsers.WriteProfile(nullptr, buffer));

    User back;
    back.mRecord.mItems[0].push_back({"stale", 1, 0, 0, -1});
    EXPECT_TRUE(mUsers.ReadProfile(&back, buffer));
    EXPECT_EQ(back.mSfxVolume, 0.85f);
    EXPECT_EQ(back.mRecord.mBoardIndex, 255);
    EXPECT_EQ(back.mRecord.mItems[0][0].mOrigin, 255);
    EXPECT_EQ(back.mRecord.mReachedStage, 4);
    EXPECT_EQ(back.mRecord.mItems[0].size(), 1u); // the earlier entries are gone
    EXPECT_EQ(mBoard->mRead, (Bytes{0xB0, 0xB1}));
    EXPECT_EQ(mBonuses->mRead, Bytes{0xC0});
    Kavo::Buffer again;
    mUsers.WriteProfile(&back, again);
    EXPECT_EQ(Data(again), e.bytes); // 0.85 and 255 are stored as they were read
}

TEST_F(UserManagerTest, WithoutAGameInProgressOnlyTheBonusBlocksFollow) {
    User user;
    Kavo::Buffer buffer;
    mUsers.WriteProfile(&user, buffer);
    const Bytes bytes = Data(buffer);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.back(), 0xC0);
    EXPECT_NE(bytes[bytes.size() - 2], 0xB1);
    User back;
    mUsers.ReadProfile(&back, buffer);
    EXPECT_TRUE(mBoard->mRead.empty());
    EXPECT_EQ(mBonuses->mRead, Bytes{0xC0});
}

TEST_F(UserManagerTest, LoadingAProfileTwiceKeepsOneCopyOfEachItem) {
    AddAnn();
    mUsers.FindOrAddItem("wall", 0);
    mUsers.FindOrAddItem("dish", 1);
    mUsers.Save();
    ASSERT_TRUE(mUsers.LoadCurrentUser());
    ASSERT_TRUE(mUsers.LoadCurrentUser());
    EXPECT_EQ(mUsers.GetItemCount(0), 1);
    EXPECT_EQ(mUsers.GetItemCount(1), 1);
}

TEST_F(UserManagerTest, AnImpossibleCountReadsAsAShortFileAndTheFileIsKeptAside) {
    User* ann = AddAnn();
    Kavo::Buffer buffer;
    mUsers.WriteProfile(ann, buffer);
    Bytes bytes = Data(buffer);
    // The count of item list 0 follows name, volumes, stats, tips and states.
    const size_t itemCount = 5 + 8 + 60 + 32 + 40;
    // The second damage is kept beside the first copy, never over it.
    for (const auto& [count, copy] :
         {std::pair{0x80000000u, "/Ann.dat.bad"}, std::pair{0x7FFFFFFFu, "/Ann.dat.2.bad"}}) {
        Bytes damaged = bytes;
        for (int i = 0; i < 4; ++i)
            damaged[itemCount + i] = static_cast<uint8_t>(count >> (8 * i));
        WriteBytes(Folder() + "/Ann.dat", damaged);
        ann->mRecord.mMetaState[0] = 42;
        ASSERT_TRUE(mUsers.LoadCurrentUser());
        EXPECT_EQ(mUsers.GetItemCount(0), 0);
        EXPECT_EQ(ann->mRecord.mStageIndex, 0); // read as from a short file
        EXPECT_EQ(ann->mRecord.mMetaState[0], -1);
        EXPECT_TRUE(ann->mRecord.mExtraValues.empty());
        mUsers.Save();
        EXPECT_EQ(FileBytes(Folder() + copy), damaged);
    }
    EXPECT_NE(FileBytes(Folder() + "/Ann.dat.bad"), FileBytes(Folder() + "/Ann.dat.2.bad"));
    // A sound profile is not copied aside again.
    mUsers.Save();
    ASSERT_TRUE(mUsers.LoadCurrentUser());
    mUsers.Save();
    EXPECT_FALSE(platform::FileExists(Folder() + "/Ann.dat.3.bad"));
}

TEST_F(UserManagerTest, AHundredLoadsAndSavesOfFractionalValuesLeaveTheBytesAsTheyWere) {
    User* ann = AddAnn();
    ann->mSfxVolume = 0.29f;
    ann->mMusicVolume = 0.57f;
    UserRecord& r = ann->mRecord;
    for (int i = 0; i < 5; ++i) {
        r.mTotals[i] = 1000.0f - 0.01f * float(i * 7);
        r.mStageCounts[i] = 0.01f * float(i * 29);
        r.mRestaurantCounts[i] = 12.34f + float(i);
    }
    r.mMoney = 999.99f;
    r.mRoomValue = 0.58f;
    mUsers.Save();
    const Bytes first = FileBytes(Folder() + "/Ann.dat");
    for (int cycle = 0; cycle < 100; ++cycle) {
        UserManager again;
        ASSERT_TRUE(again.LoadAll(ListPath()));
        again.Save();
    }
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat"), first);
    UserManager last;
    last.LoadAll(ListPath());
    EXPECT_EQ(last.GetMoney(), 999.99f);
    EXPECT_EQ(last.GetRoomValue(), 0.58f);
}

TEST_F(UserManagerTest, AProfileIsReadOnlyUnderItsExactNameAndWrittenForItsOwnerOnly) {
    AddAnn();
    mUsers.SetMoney(7);
    const mode_t before = umask(027);
    mUsers.Save();
    umask(before);
    struct stat st {};
    ASSERT_EQ(stat((Folder() + "/Ann.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    const Bytes annBytes = FileBytes(Folder() + "/Ann.dat");

    // "ann" is another player: Ann's file is neither read nor written.
    auto* other = new User;
    other->mName = "ann";
    mUsers.AddUser(other);
    EXPECT_FALSE(mUsers.LoadCurrentUser());
    EXPECT_EQ(mUsers.GetMoney(), 0.0f);
    mUsers.Save();
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat"), annBytes);
    EXPECT_TRUE(platform::FileExistsExactName(Folder() + "/ann.dat"));
    EXPECT_FALSE(platform::FileExists(Folder() + "/Ann.dat.bad"));
}

TEST_F(UserManagerTest, UnsoundListsGiveNoUsers) {
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"too short", Expect().Long(1).bytes},
        {"a count past the data", Expect().Long(2).Long(0).Str("Ann").bytes},
        {"a cut name",
         [] {
             Bytes b = Expect().Long(1).Long(0).Str("Ann").bytes;
             b.pop_back();
             return b;
         }()},
        {"a name twice", Expect().Long(2).Long(0).Str("Ann").Str("Ann").bytes},
        {"the list's own name", Expect().Long(1).Long(0).Str("Users").bytes},
        {"an empty name", Expect().Long(1).Long(0).Str("").bytes},
        {"bytes left over", Expect().Long(1).Long(0).Str("Ann").Byte(0).bytes},
    };
    for (const auto& c : cases) {
        UserManager users;
        Kavo::Buffer buffer;
        buffer.SetData(c.bytes.data(), static_cast<int>(c.bytes.size()));
        EXPECT_FALSE(users.ReadUserList(buffer)) << c.what;
        EXPECT_EQ(users.GetUserCount(), 0) << c.what;
    }
    UserManager sound;
    const Bytes list = Expect().Long(2).Long(1).Str("Ann").Str("ann").bytes;
    Kavo::Buffer buffer;
    buffer.SetData(list.data(), static_cast<int>(list.size()));
    EXPECT_TRUE(sound.ReadUserList(buffer));
    EXPECT_EQ(sound.GetUserCount(), 2);
    EXPECT_EQ(sound.GetCurrentIndex(), 1);
}

TEST_F(UserManagerTest, APlayerMadeAgainKeepsTheOldProfileAsideAndIsTold) {
    AddAnn();
    mUsers.SetMoney(5);
    mUsers.Save();
    const Bytes old = FileBytes(Folder() + "/Ann.dat");
    mUsers.DeleteUser(0);
    auto* again = new User;
    again->mName = "Ann";
    mUsers.AddUser(again);
    std::vector<std::string> told;
    mUsers.SetNoticeHandler([&](const std::string& text) { told.push_back(text); });
    mUsers.Save();
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat.bad"), old);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("Ann.dat.bad"), std::string::npos) << told[0];
    mUsers.Save(); // its own file now: written without a second copy
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat.bad"), old);
}

TEST_F(UserManagerTest, ADamagedListIsKeptAsideAndThePlayersComeBackFromTheirProfiles) {
    // Under the product's Cyrillic folder, as the game keeps it.
    const std::string folder = Platform().Folder() + "/\xD2\xFE\xE2\xE5\xEB\xE8\xED/Users";
    const std::string list = folder + "/users.dat";
    ASSERT_TRUE(platform::MakeDirectories(folder));
    UserManager before;
    before.LoadAll(list);
    for (const char* name : {"Ann", "\xC1\xEE"}) {
        auto* user = new User;
        user->mName = name;
        before.AddUser(user);
        before.SetMoney(4);
        before.Save();
    }
    const Bytes garbage{0x13, 0x37, 0xC0, 0xDE, 0xFF, 0xFF, 0x7F, 0x7F, 1, 2, 3, 4};
    WriteBytes(list, garbage);
    UserManager restored;
    EXPECT_FALSE(restored.LoadAll(list));
    std::vector<std::string> told;
    restored.SetNoticeHandler([&](const std::string& text) { told.push_back(text); });
    ASSERT_EQ(told.size(), 1u); // handed over once there is somewhere to show it
    EXPECT_NE(told[0].find("users.dat.bad"), std::string::npos) << told[0];
    EXPECT_EQ(FileBytes(list + ".bad"), garbage);
    ASSERT_EQ(restored.GetUserCount(), 2);
    EXPECT_EQ(restored.GetUser(0)->mName, "Ann");
    EXPECT_EQ(restored.GetUser(1)->mName, "\xC1\xEE");
    EXPECT_EQ(restored.GetCurrentIndex(), 1); // the one saved last
    restored.SetCurrentIndex(0);
    ASSERT_TRUE(restored.LoadCurrentUser());
    EXPECT_EQ(restored.GetMoney(), 4.0f);
    // The rebuilt list was written at once.
    UserManager next;
    EXPECT_TRUE(next.LoadAll(list));
    EXPECT_EQ(next.GetUserCount(), 2);
}

TEST_F(UserManagerTest, AProfileNamingAnotherPlayerKeepsItsPlayersName) {
    AddAnn();
    mUsers.Save();
    const Bytes ann = FileBytes(Folder() + "/Ann.dat");
    // Bo's file says "Ann".
    User impostor;
    impostor.mName = "Ann";
    impostor.mRecord.mStageIndex = 6;
    Kavo::Buffer buffer;
    mUsers.WriteProfile(&impostor, buffer);
    WriteBytes(Folder() + "/Bo.dat", Data(buffer));
    auto* bo = new User;
    bo->mName = "Bo";
    mUsers.AddUser(bo);
    ASSERT_TRUE(mUsers.LoadCurrentUser());
    EXPECT_EQ(bo->mName, "Bo");
    EXPECT_EQ(bo->mRecord.mStageIndex, 6); // what could be read is kept
    EXPECT_EQ(FileBytes(Folder() + "/Bo.dat.bad"), Data(buffer));
    mUsers.Save();
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat"), ann);
    UserManager check;
    check.LoadAll(ListPath());
    ASSERT_EQ(check.GetUserCount(), 2);
    EXPECT_EQ(check.GetUser(1)->mName, "Bo");
    EXPECT_EQ(check.GetCurrentRecord()->mStageIndex, 6);
}

TEST_F(UserManagerTest, AFailedSaveLeavesTheOldFilesAndIsTold) {
    AddAnn();
    mUsers.Save();
    const Bytes oldList = FileBytes(ListPath());
    const Bytes oldProfile = FileBytes(Folder() + "/Ann.dat");
    auto* bo = new User;
    bo->mName = "Ann2";
    mUsers.AddUser(bo);
    mUsers.SetCurrentIndex(0);
    mUsers.SetMoney(50);
    // The disk refuses every write (what a refused write leaves behind is
    // the file API's to clean up).
    mUsers.mWriteFile = [](const std::string&, std::string_view) { return false; };
    mUsers.Save();
    EXPECT_EQ(FileBytes(ListPath()), oldList);
    EXPECT_EQ(FileBytes(Folder() + "/Ann.dat"), oldProfile);
    EXPECT_TRUE(mUsers.CannotSave());
}

TEST_F(UserManagerTest, AfterADeleteTheUserMovingUpKeepsItsOwnProfile) {
    AddAnn();
    auto* bo = new User;
    bo->mName = "Bo";
    mUsers.AddUser(bo);
    mUsers.SetMoney(9);
    mUsers.Save();

    UserManager fresh;
    fresh.LoadAll(ListPath());
    fresh.SetCurrentIndex(0);
    fresh.DeleteUser(0); // Bo moves into place 0, never loaded in this run
    fresh.Save();
    EXPECT_EQ(fresh.GetMoney(), 9.0f);
    UserManager check;
    check.LoadAll(ListPath());
    EXPECT_EQ(check.GetUserCount(), 1);
    EXPECT_EQ(check.GetMoney(), 9.0f);
}

TEST_F(UserManagerTest, NamesThatAreNotFileNamesNeverReachTheDisk) {
    WriteBytes(ListPath(), Expect().Long(1).Long(0).Str("../evil").bytes);
    WriteBytes(Platform().Folder() + "/evil.dat", {1, 2, 3});
    EXPECT_FALSE(mUsers.LoadAll(ListPath()));
    mUsers.Save();
    EXPECT_EQ(FileBytes(Platform().Folder() + "/evil.dat"), (Bytes{1, 2, 3}));
    // A count no file could hold gives no users.
    WriteBytes(ListPath(), Expect().Long(1000).Long(0).Str("Ann").bytes);
    UserManager other;
    other.LoadAll(ListPath());
    EXPECT_EQ(other.GetUserCount(), 0);
}

TEST_F(UserManagerTest, RatingsSumWideAndANegativeOrOverflowingSumIsZero) {
    AddAnn();
    mUsers.AddRating(2147483000);
    EXPECT_EQ(mUsers.GetRating(), 2147483000);
    mUsers.AddRating(1000);
    EXPECT_EQ(mUsers.GetRating(), 0);
    mUsers.AddRating(-1);
    EXPECT_EQ(mUsers.GetRating(), 0);
}

TEST_F(UserManagerTest, AdvancingIntoTheSecondRestaurantClearsMoneyRoomAndRating) {
    AddAnn();
    UserRecord& r = *mUsers.GetCurrentRecord();
    EXPECT_EQ(mUsers.AdvanceStage(), 1); // stage -1 becomes 0; no goals met
    EXPECT_EQ(r.mStageIndex, 0);
    EXPECT_EQ(r.mStagesPlayed, 0);
    EXPECT_EQ(r.mBoardIndex, 0);

    r.mStageIndex = 4;
    r.mBoardIndex = 5;
    mUsers.SetMoney(10);
    mUsers.SetRoomValue(0.5f);
    mUsers.AddRating(30);
    MeetGoals();
    EXPECT_EQ(mUsers.AdvanceStage(), 0);
    EXPECT_EQ(r.mStageIndex, 5);
    EXPECT_EQ(r.mReachedStage, 5);
    EXPECT_EQ(r.mBoardIndex, 0);
    EXPECT_EQ(mUsers.GetMoney(), 0.0f);
    EXPECT_EQ(mUsers.GetRoomValue(), 0.0f);
    EXPECT_EQ(mUsers.GetRating(), 0);
    EXPECT_EQ(mUsers.GetProgress(), 0.0f);
}

TEST_F(UserManagerTest, TheLastStageEndsTheGame) {
    AddAnn();
    UserRecord& r = *mUsers.GetCurrentRecord();
    r.mStageIndex = 14;
    mUsers.SetGameFlags();
    MeetGoals();
    EXPECT_EQ(mUsers.CheckStageGoals(), 2);
    EXPECT_FALSE(mUsers.IsGameInProgress());
    mUsers.SetGameFlags();
    EXPECT_EQ(mUsers.AdvanceStage(), 2);
    EXPECT_FALSE(mUsers.IsGameInProgress());
    EXPECT_FALSE(mUsers.GetSecondGameFlag());
    EXPECT_EQ(r.mStageIndex, 14);
    EXPECT_EQ(mUsers.GetRecordState(), 15);
}

TEST_F(UserManagerTest, FinishingStageFourAddsTheNextRestaurantsDecorationOnce) {
    AddAnn();
    mUsers.GetCurrentRecord()->mStageIndex = 4;
    EXPECT_EQ(mUsers.CheckStageGoals(), 1);
    MeetGoals();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(mUsers.CheckStageGoals(), 0);
        std::vector<std::string> marked;
        mUsers.GetMarkedItemNames(marked, 0);
        EXPECT_EQ(marked, (std::vector<std::string>{"wall200", "table200", "stoika202"}));
    }
    EXPECT_EQ(mUsers.GetCurrentRecord()->mStageIndex, 4);
}

TEST_F(UserManagerTest, WithoutStagesOrBoardsOrWithAStageOutsideThemNothingChanges) {
    AddAnn();
    UserRecord& r = *mUsers.GetCurrentRecord();
    MeetGoals();
    const auto tryBoth = [&] {
        const UserRecord before = r;
        EXPECT_EQ(mUsers.AdvanceStage(), 1);
        EXPECT_EQ(mUsers.CheckStageGoals(), 1);
        EXPECT_EQ(r.mStageIndex, before.mStageIndex);
        EXPECT_EQ(r.mStagesPlayed, before.mStagesPlayed);
        EXPECT_EQ(r.mBoardIndex, before.mBoardIndex);
        EXPECT_EQ(r.mStageCounts, before.mStageCounts);
    };
    mStages->mCount = 0;
    tryBoth();
    mStages->mCount = 15;
    mBoard->mLayouts = 0;
    tryBoth();
    mBoard->mLayouts = 6;
    r.mStageIndex = 15;
    tryBoth();
}

TEST_F(UserManagerTest, SecretMapsAdvanceOnlyWhenATableExists) {
    AddAnn();
    UserRecord& r = *mUsers.GetCurrentRecord();
    r.mStageIndex = 2;
    r.mSecretPieces = 4;
    EXPECT_EQ(mUsers.AdvanceStage(), 1); // no maps: skipped
    EXPECT_EQ(r.mSecretMapIndex, 0);
    platform::Installed<SecretMapTable> maps(SecretMapTableSlot(), std::make_shared<FakeMaps>());
    EXPECT_EQ(mUsers.AdvanceStage(), 1); // the full map 0 is behind stage 2
    EXPECT_EQ(r.mSecretMapIndex, 1);
    EXPECT_EQ(r.mSecretPieces, 0);
}

TEST_F(UserManagerTest, ANewGameStartsFromTheFirstRestaurant) {
    AddAnn();
    UserRecord& r = *mUsers.GetCurrentRecord();
    r.mStageIndex = 7;
    mUsers.FindOrAddItem("old", 1);
    mUsers.NewGame();
    EXPECT_EQ(r.mStageIndex, -1);
    EXPECT_EQ(mUsers.GetItemCount(1), 0);
    std::vector<std::string> marked;
    mUsers.GetMarkedItemNames(marked, 0);
    EXPECT_EQ(marked, (std::vector<std::string>{"wall100", "table102", "stoika100"}));
    EXPECT_EQ(mBonuses->mNewGames, 1);
}

} // namespace
} // namespace Game
