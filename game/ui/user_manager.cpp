#include "game/ui/user_manager.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "framework/app/kavo_app_base.h"
#include "framework/util/buffer.h"
#include "game/ui/app_file.h"
#include "game/ui/profile_services.h"
#include "game/ui/termins.h"
#include "platform/damaged_copy.h"
#include "platform/file_system.h"
#include "platform/stale_temporaries.h"
#include "platform/text_encoding.h"

namespace Game {

namespace {

constexpr const char* kNewGameItems[] = {"wall100", "table102", "stoika100"};
constexpr const char* kSecondRestaurantItems[] = {"wall200", "table200", "stoika202"};
constexpr const char* kThirdRestaurantItems[] = {"wall302", "table302", "stoika302", "vase300"};

// The smallest stored size of one user name, item entry and extra value.
constexpr int kMinNameBytes = 2;
constexpr int kMinItemBytes = 2 + 1 + 1 + 4 + 1;
constexpr int kValueBytes = 4;

int BytesLeft(const Kavo::Buffer& buffer) {
    return (buffer.GetDataLenBits() - buffer.GetReadBitPos()) / 8;
}

// A count from a file: usable when not negative and its entries can fit in
// the bytes left. An unusable one moves the read to the end, so that what
// follows reads as from a short file.
bool TakeCount(Kavo::Buffer& buffer, int32_t count, int entryBytes) {
    if (count >= 0 && count <= BytesLeft(buffer) / entryBytes)
        return true;
    buffer.SetReadBitPos(buffer.GetDataLenBits());
    return false;
}

float FromHundredths(int64_t hundredths) {
    return static_cast<float>(static_cast<double>(hundredths) * 0.01);
}

float ReadHundredths(Kavo::Buffer& buffer) {
    return FromHundredths(buffer.ReadLong());
}

constexpr const char* kProfileSuffix = ".dat";
constexpr const char* kListName = "users.dat";
// What LoadAll writes to learn whether the folder takes files: as much as a
// save needs, since on a full disk an empty file still fits.
constexpr const char* kProbeSuffix = ".tmp";
constexpr size_t kProbeBytes = 4096;

// A name of a file this program writes in the players' folder.
bool IsOwnFileName(std::string_view name) {
    if (const std::string_view original = platform::DamagedCopyOriginal(name); !original.empty())
        name = original;
    const std::string_view suffix(kProfileSuffix);
    return name == kListName || name == std::string(kListName) + kProbeSuffix ||
           (name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix &&
            IsProfileName(name.substr(0, name.size() - suffix.size())));
}

// The number of places at which two names of one length differ.
int DifferingBytes(const std::string& a, const std::string& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i)
        count += a[i] != b[i] ? 1 : 0;
    return count;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A path as the player finds it on the disk, in program text.
std::string ShownPath(const std::string& path) {
    return platform::Utf8ToCp1251(platform::ResolvePath(path));
}

// The term's text (or the fallback when the table lacks it) with each "%s"
// replaced by the next argument.
std::string NoticeText(const char* key, const char* fallback, std::initializer_list<std::string> args) {
    std::string text = Termins::Lookup(key);
    if (text == key)
        text = fallback;
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The profile file of exactly that name: a file that differs only in letter
// case is another player's.
bool LoadProfileFile(const std::string& path, Kavo::Buffer& buffer) {
    return platform::FileExistsExactName(path) && LoadAppFile(path, buffer);
}

} // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || c == '/' || c == '\\' || c == ':')
            return false;
    }
    return true;
}

bool IsProfileName(std::string_view name) {
    return IsPlainFileName(name) && !platform::Cp1251EqualNoCase(name, "users");
}

int32_t StoredHundredths(float value) {
    const double exact = static_cast<double>(value) * 100.0;
    if (std::isnan(exact))
        return 0;
    // A value read from a profile goes back as the hundredths it came from:
    // the float nearest 0.29 is just below it, and truncation would lose one.
    double scaled = std::trunc(exact);
    const double nearest = std::round(exact);
    if (std::fabs(nearest) < 4e9 && FromHundredths(static_cast<int64_t>(nearest)) == value)
        scaled = nearest;
    if (scaled >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (scaled <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

platform::ProcessSlot<UserManager>& UserManagerSlot() {
    static platform::ProcessSlot<UserManager> slot;
    return slot;
}

UserManager::UserManager()
    : mWriteFile(
          [](const std::string& path, std::string_view data) { return platform::WriteAndReplaceFile(path, data); }) {}

UserManager::~UserManager() = default;

UserManager* UserManager::GetInstance() {
    return UserManagerSlot().Get().get();
}

User* UserManager::GetUser(int index) const {
    if (index < 0 || index >= static_cast<int>(mUsers.size()))
        return nullptr;
    return mUsers[static_cast<size_t>(index)].get();
}

UserRecord* UserManager::GetCurrentRecord() const {
    User* user = GetCurrentUser();
    return user != nullptr ? &user->mRecord : nullptr;
}

std::string UserManager::ProfilePath(const std::string& name) const {
    if (mUsersFilePath.empty() || !IsProfileName(name))
        return {};
    return FolderOf(mUsersFilePath) + name + kProfileSuffix;
}

bool UserManager::LoadAll(const std::string& path) {
    mUsersFilePath = path;
    RemoveStaleTemporaries();
    Kavo::Buffer buffer;
    const bool found = LoadAppFile(path, buffer);
    const bool sound = found && ReadUserList(buffer);
    const std::string foundAgain = sound ? OfferLostPlayers() : std::string();
    if (!sound || !foundAgain.empty()) {
        if (!sound)
            RestoreUsersFromProfiles();
        const std::string copy = found ? KeepAside(path) : std::string();
        // Until the damaged list is kept aside it is not replaced.
        mListToKeep = found && copy.empty();
        if (mListToKeep) {
            mCannotSave = true;
            Notify(foundAgain + NoticeText("UsersListNotKept",
                                           "The list of players %s was damaged, and it could not be copied aside: "
                                           "it is left as it is, and your progress cannot be saved.",
                                           {ShownPath(path)}));
        } else if (!foundAgain.empty()) {
            Notify(foundAgain + NoticeText("UsersListKeptAs", "The list was kept as %s.", {copy}));
        } else if (found) {
            Notify(NoticeText("UsersListDamaged",
                              "The list of players could not be read. It was kept as %s, and the players "
                              "were found again from their saved games.",
                              {copy}));
        }
        if (!mUsers.empty() && !mListToKeep)
            WriteUserList();
    }
    const bool loaded = LoadCurrentUser();
    // Told now, before the player plays a session that nothing keeps.
    const std::string probe = path + kProbeSuffix;
    if (mWriteFile(probe, std::string(kProbeBytes, '\0')))
        platform::RemoveFile(probe);
    else
        ReportCannotSave();
    return sound && loaded;
}

bool UserManager::ReadUserList(Kavo::Buffer& buffer) {
    if (BytesLeft(buffer) < 2 * kValueBytes)
        return false;
    const int32_t count = buffer.ReadLong();
    const int32_t current = buffer.ReadLong();
    if (!TakeCount(buffer, count, kMinNameBytes))
        return false;
    std::vector<std::unique_ptr<User>> users;
    for (int32_t i = 0; i < count; ++i) {
        const int before = BytesLeft(buffer);
        auto user = std::make_unique<User>();
        user->mName = buffer.ReadString();
        const bool cut = before < kMinNameBytes || static_cast<int>(user->mName.size()) > before - kMinNameBytes;
        const bool twice =
            std::any_of(users.begin(), users.end(), [&](const auto& u) { return u->mName == user->mName; });
        if (cut || twice || !IsProfileName(user->mName))
            return false;
        users.push_back(std::move(user));
    }
    if (BytesLeft(buffer) != 0)
        return false;
    mCurrentIndex = current;
    for (auto& user : users)
        mUsers.push_back(std::move(user));
    return true;
}

std::vector<platform::FoundFile> UserManager::UnlistedProfiles() const {
    std::vector<platform::FoundFile> unlisted;
    for (platform::FoundFile& file : platform::FindFiles(FolderOf(mUsersFilePath) + "*" + kProfileSuffix)) {
        const size_t suffix = std::string_view(kProfileSuffix).size();
        // The wildcard ignores letter case; the game writes ".dat" only.
        if (file.IsDirectory() || file.name.size() <= suffix ||
            file.name.compare(file.name.size() - suffix, suffix, kProfileSuffix) != 0)
            continue;
        file.name.resize(file.name.size() - suffix);
        if (IsProfileName(file.name) && !UserExists(file.name))
            unlisted.push_back(std::move(file));
    }
    return unlisted;
}

void UserManager::RestoreUsersFromProfiles() {
    const bool chooseCurrent = GetCurrentUser() == nullptr;
    int newestIndex = -1;
    platform::FileTime newest = 0;
    for (const platform::FoundFile& file : UnlistedProfiles()) {
        auto user = std::make_unique<User>();
        user->mName = file.name;
        // The player who played last is the one most likely to come back.
        if (newestIndex < 0 || file.lastWriteTime > newest) {
            newest = file.lastWriteTime;
            newestIndex = static_cast<int>(mUsers.size());
        }
        mUsers.push_back(std::move(user));
    }
    if (chooseCurrent && newestIndex >= 0)
        mCurrentIndex = newestIndex;
}

std::string UserManager::OfferLostPlayers() {
    // A player's profile is written as the player is made, so a listed
    // player without one is a name the list no longer holds right. A
    // removed player's profile stays on the disk too: of the profiles the
    // list does not name, only one of the same length that is nearer to
    // the listed name than any other is taken for the lost player's.
    std::vector<platform::FoundFile> unlisted;
    bool scanned = false;
    std::string told;
    for (const auto& user : mUsers) {
        if (platform::FileExistsExactName(ProfilePath(user->mName)))
            continue;
        if (!scanned)
            unlisted = UnlistedProfiles();
        scanned = true;
        auto nearest = unlisted.end();
        int nearestDistance = 0;
        bool tie = false;
        for (auto it = unlisted.begin(); it != unlisted.end(); ++it) {
            if (it->name.size() != user->mName.size())
                continue;
            const int distance = DifferingBytes(it->name, user->mName);
            if (nearest == unlisted.end() || distance < nearestDistance) {
                nearest = it;
                nearestDistance = distance;
                tie = false;
            } else if (distance == nearestDistance) {
                tie = true;
            }
        }
        if (nearest == unlisted.end() || tie)
            continue;
        told += NoticeText("PlayerFoundAgain",
                           "The list of players named \"%s\", who has no saved game, in place of %s, whose saved "
                           "game is offered again.",
                           {user->mName, nearest->name}) +
                " ";
        user->mName = nearest->name;
        unlisted.erase(nearest);
    }
    return told;
}

void UserManager::RemoveStaleTemporaries() {
    const std::string folder = FolderOf(mUsersFilePath);
    if (folder.empty())
        return;
    platform::RemoveStaleTemporaries(platform::ResolvePath(folder), [](const std::string& diskName) {
        return IsOwnFileName(platform::Utf8ToCp1251(diskName));
    });
}

std::string UserManager::KeepAside(const std::string& path) {
    if (!platform::FileExistsExactName(path))
        return {};
    const std::string copy = platform::KeepDamagedCopy(platform::ResolvePathExactName(path),
                                                       [this](const std::string& disk, std::string_view data) {
                                                           return mWriteFile(platform::Utf8ToCp1251(disk), data);
                                                       });
    return platform::Utf8ToCp1251(copy);
}

bool UserManager::CanAddUser(const std::string& name) const {
    return IsProfileName(name) && !UserExists(name);
}

void UserManager::SetNoticeHandler(NoticeHandler handler) {
    mNotices.SetHandler(std::move(handler));
}

void UserManager::Notify(const std::string& text) {
    mNotices.Tell(text);
}

void UserManager::ReportCannotSave() {
    if (mCannotSave)
        return;
    mCannotSave = true;
    Notify(NoticeText("CannotSave", "Your progress cannot be saved: the folder %s cannot be written.",
                      {ShownPath(FolderOf(mUsersFilePath))}));
}

bool UserManager::LoadCurrentUser() {
    User* user = GetCurrentUser();
    if (user == nullptr)
        return false;
    if (std::find(mKnown.begin(), mKnown.end(), user) == mKnown.end())
        mKnown.push_back(user);
    const std::string path = ProfilePath(user->mName);
    Kavo::Buffer buffer;
    if (path.empty() || !LoadProfileFile(path, buffer))
        return false;
    ReadProfile(user, buffer);
    if (std::find(mFileOwned.begin(), mFileOwned.end(), user) == mFileOwned.end())
        mFileOwned.push_back(user);
    if (std::find(mDamaged.begin(), mDamaged.end(), user) == mDamaged.end())
        return true;
    const std::string copy = KeepAside(path);
    if (copy.empty()) {
        // Save never writes over it while it is not kept.
        if (std::find(mToldNotKept.begin(), mToldNotKept.end(), user) != mToldNotKept.end())
            return true;
        mToldNotKept.push_back(user);
        mCannotSave = true;
        Notify(NoticeText("ProfileNotKept",
                          "The saved game of %s was damaged, and it could not be copied aside: it is left as it "
                          "is, and your progress cannot be saved.",
                          {user->mName}));
        return true;
    }
    mDamaged.erase(std::remove(mDamaged.begin(), mDamaged.end(), user), mDamaged.end());
    // Read again before it was saved (a Select), it is the same damage.
    if (std::find(mToldDamaged.begin(), mToldDamaged.end(), user) != mToldDamaged.end())
        return true;
    mToldDamaged.push_back(user);
    Notify(NoticeText("ProfileDamaged",
                      "The saved game of %s was damaged: what could be read is kept, and the file was "
                      "copied to %s.",
                      {user->mName, copy}));
    return true;
}

bool UserManager::ReadProfile(User* user, Kavo::Buffer& buffer) {
    if (user == nullptr)
        return false;
    bool damaged = false;
    UserRecord& r = user->mRecord;
    r.Reset();
    const std::string storedName = buffer.ReadString();
    if (user->mName.empty())
        user->mName = storedName;
    else if (storedName != user->mName)
        damaged = true; // another player's file, or a cut one
    user->mSfxVolume = ReadHundredths(buffer);
    user->mMusicVolume = ReadHundredths(buffer);
    if (Kavo::KavoAppBase* app = Kavo::gAppBase) {
        app->SetSfxVolume(user->mSfxVolume);
        app->SetMusicVolume(user->mMusicVolume);
    }
    for (auto* stats : {&r.mTotals, &r.mStageCounts, &r.mRestaurantCounts})
        for (float& value : *stats)
            value = ReadHundredths(buffer);
    for (uint8_t& shown : r.mTipShown)
        shown = buffer.ReadBoolean() ? 1 : 0;
    for (int32_t& state : r.mMetaState)
        state = buffer.ReadLong();
    for (auto& list : r.mItems) {
        const int32_t count = buffer.ReadLong();
        if (!TakeCount(buffer, count, kMinItemBytes)) {
            damaged = true;
            continue;
        }
        for (int32_t i = 0; i < count; ++i) {
            ItemEntry entry;
            entry.mName = buffer.ReadString();
            entry.mFlag2 = buffer.ReadBoolean() ? 1 : 0;
            entry.mFlag1 = buffer.ReadBoolean() ? 1 : 0;
            entry.mState = buffer.ReadLong();
            entry.mOrigin = buffer.ReadByte();
            list.push_back(std::move(entry));
        }
    }
    r.mKept0 = buffer.ReadLong();
    r.mStageIndex = buffer.ReadLong();
    r.mReachedStage = r.mStageIndex;
    r.mKept1 = buffer.ReadLong();
    r.mStagesPlayed = buffer.ReadLong();
    r.mSecondGameFlag = buffer.ReadBoolean() ? 1 : 0;
    r.mInProgress = buffer.ReadBoolean() ? 1 : 0;
    r.mKept2 = buffer.ReadLong();
    r.mKept3 = buffer.ReadLong();
    r.mTipsEnabled = buffer.ReadBoolean() ? 1 : 0;
    r.mSecretPieces = buffer.ReadByte();
    r.mSecretMapIndex = buffer.ReadByte();
    r.mBoardIndex = buffer.ReadByte();
    r.mMoney = ReadHundredths(buffer);
    r.mRoomValue = ReadHundredths(buffer);
    r.mRating = buffer.ReadLong();
    if (BytesLeft(buffer) < kValueBytes)
        damaged = true; // the fixed fields ran past the end
    const int32_t extraCount = buffer.ReadLong();
    if (TakeCount(buffer, extraCount, kValueBytes)) {
        r.mExtraValues.assign(static_cast<size_t>(extraCount), 0);
        for (int32_t& value : r.mExtraValues)
            value = buffer.ReadLong();
    } else {
        damaged = true;
    }
    // A board or bonus block cut short is damage like any other: the
    // profile is kept aside before it is replaced.
    if (r.mInProgress != 0)
        if (auto board = ProfileBoardSlot().Get(); board != nullptr && !board->Load(buffer))
            damaged = true;
    if (auto bonuses = ProfileBonusesSlot().Get(); bonuses != nullptr && !bonuses->Load(buffer))
        damaged = true;

    mDamaged.erase(std::remove(mDamaged.begin(), mDamaged.end(), user), mDamaged.end());
    if (damaged)
        mDamaged.push_back(user);
    return true;
}

bool UserManager::WriteProfile(User* user, Kavo::Buffer& buffer) {
    if (user == nullptr)
        return false;
    const UserRecord& r = user->mRecord;
    buffer.WriteString(user->mName);
    buffer.WriteLong(StoredHundredths(user->mSfxVolume));
    buffer.WriteLong(StoredHundredths(user->mMusicVolume));
    for (const auto* stats : {&r.mTotals, &r.mStageCounts, &r.mRestaurantCounts})
        for (float value : *stats)
            buffer.WriteLong(StoredHundredths(value));
    for (uint8_t shown : r.mTipShown)
        buffer.WriteBoolean(shown != 0);
    for (int32_t state : r.mMetaState)
        buffer.WriteLong(state);
    for (const auto& list : r.mItems) {
        buffer.WriteLong(static_cast<int32_t>(list.size()));
        for (const ItemEntry& entry : list) {
            buffer.WriteString(entry.mName);
            buffer.WriteBoolean(entry.mFlag2 != 0);
            buffer.WriteBoolean(entry.mFlag1 != 0);
            buffer.WriteLong(entry.mState);
            buffer.WriteByte(static_cast<uint8_t>(entry.mOrigin));
        }
    }
    for (int32_t value : {r.mKept0, r.mStageIndex, r.mKept1, r.mStagesPlayed})
        buffer.WriteLong(value);
    buffer.WriteBoolean(r.mSecondGameFlag != 0);
    buffer.WriteBoolean(r.mInProgress != 0);
    buffer.WriteLong(r.mKept2);
    buffer.WriteLong(r.mKept3);
    buffer.WriteBoolean(r.mTipsEnabled != 0);
    for (int32_t value : {r.mSecretPieces, r.mSecretMapIndex, r.mBoardIndex})
        buffer.WriteByte(static_cast<uint8_t>(value));
    buffer.WriteLong(StoredHundredths(r.mMoney));
    buffer.WriteLong(StoredHundredths(r.mRoomValue));
    buffer.WriteLong(r.mRating);
    buffer.WriteLong(static_cast<int32_t>(r.mExtraValues.size()));
    for (int32_t value : r.mExtraValues)
        buffer.WriteLong(value);
    if (r.mInProgress != 0)
        if (auto board = ProfileBoardSlot().Get())
            board->Save(buffer);
    if (auto bonuses = ProfileBonusesSlot().Get())
        bonuses->Save(buffer);
    return true;
}

bool UserManager::WriteAtomically(const std::string& path, const Kavo::Buffer& buffer) {
    const int count = (buffer.GetWriteBitPos() + 7) / 8;
    const std::string_view data(reinterpret_cast<const char*>(buffer.GetDataPtr()), static_cast<size_t>(count));
    if (mWriteFile(path, data))
        return true;
    ReportCannotSave();
    return false;
}

void UserManager::WriteUserList() {
    Kavo::Buffer list;
    list.WriteLong(static_cast<int32_t>(mUsers.size()));
    list.WriteLong(mCurrentIndex);
    for (const auto& user : mUsers)
        list.WriteString(user->mName);
    WriteAtomically(mUsersFilePath, list);
}

void UserManager::Save() {
    if (mUsersFilePath.empty())
        return;
    // A user that moved into the current place (after a delete) still has
    // only defaults in memory: its own profile comes first.
    User* current = GetCurrentUser();
    if (current != nullptr && std::find(mKnown.begin(), mKnown.end(), current) == mKnown.end())
        LoadCurrentUser();

    if (mListToKeep)
        mListToKeep = KeepAside(mUsersFilePath).empty();
    if (!mListToKeep)
        WriteUserList();

    const std::string path = current != nullptr ? ProfilePath(current->mName) : std::string();
    if (path.empty())
        return;
    const bool damaged = std::find(mDamaged.begin(), mDamaged.end(), current) != mDamaged.end();
    const bool owned = std::find(mFileOwned.begin(), mFileOwned.end(), current) != mFileOwned.end();
    if ((damaged || !owned) && platform::FileExistsExactName(path)) {
        // Never replaced unseen: a file this run did not read (a player
        // deleted and made again, a profile the list lost) or could not read whole.
        const std::string copy = KeepAside(path);
        if (copy.empty()) {
            ReportCannotSave();
            return;
        }
        if (!damaged)
            Notify(NoticeText("ProfileKeptAside", "An earlier saved game of %s was found and kept as %s.",
                              {current->mName, copy}));
    }
    mDamaged.erase(std::remove(mDamaged.begin(), mDamaged.end(), current), mDamaged.end());
    Kavo::Buffer profile;
    WriteProfile(current, profile);
    if (WriteAtomically(path, profile) && !owned)
        mFileOwned.push_back(current);
}

void UserManager::AddUser(User* user) {
    if (user == nullptr)
        return;
    mUsers.emplace_back(user);
    mKnown.push_back(user);
    mCurrentIndex = static_cast<int>(mUsers.size()) - 1;
}

bool UserManager::UserExists(const std::string& name) const {
    return std::any_of(mUsers.begin(), mUsers.end(), [&](const auto& user) { return user->mName == name; });
}

void UserManager::DeleteUser(int index) {
    User* user = GetUser(index);
    if (user == nullptr)
        return;
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        app->DeleteRegKey(user->mName);
    mKnown.erase(std::remove(mKnown.begin(), mKnown.end(), user), mKnown.end());
    mDamaged.erase(std::remove(mDamaged.begin(), mDamaged.end(), user), mDamaged.end());
    mFileOwned.erase(std::remove(mFileOwned.begin(), mFileOwned.end(), user), mFileOwned.end());
    mToldDamaged.erase(std::remove(mToldDamaged.begin(), mToldDamaged.end(), user), mToldDamaged.end());
    mToldNotKept.erase(std::remove(mToldNotKept.begin(), mToldNotKept.end(), user), mToldNotKept.end());
    mUsers.erase(mUsers.begin() + index);
}

std::vector<ItemEntry>* UserManager::List(int list) const {
    UserRecord* record = GetCurrentRecord();
    if (record == nullptr || list < 0 || list >= UserRecord::kItemListCount)
        return nullptr;
    return &record->mItems[static_cast<size_t>(list)];
}

void UserManager::AddStatA(int i, float v) {
    if (UserRecord* r = GetCurrentRecord(); r != nullptr && i >= 0 && i < UserRecord::kStatCount)
        r->mTotals[static_cast<size_t>(i)] += v;
}

float UserManager::GetStatB(int i) const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr && i >= 0 && i < UserRecord::kStatCount ? r->mStageCounts[static_cast<size_t>(i)] : 0.0f;
}

float UserManager::GetStatC(int i) const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr && i >= 0 && i < UserRecord::kStatCount ? r->mRestaurantCounts[static_cast<size_t>(i)] : 0.0f;
}

void UserManager::AddStatBC(int i, float v) {
    if (UserRecord* r = GetCurrentRecord(); r != nullptr && i >= 0 && i < UserRecord::kStatCount) {
        r->mStageCounts[static_cast<size_t>(i)] += v;
        r->mRestaurantCounts[static_cast<size_t>(i)] += v;
    }
}

void UserManager::ClearGoalCounts() {
    if (UserRecord* r = GetCurrentRecord())
        std::fill(r->mStageCounts.begin(), r->mStageCounts.begin() + 3, 0.0f);
}

void UserManager::ClearStatC() {
    if (UserRecord* r = GetCurrentRecord())
        r->mRestaurantCounts.fill(0.0f);
}

float UserManager::GetProgress() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mStageCounts[0] + r->mStageCounts[1] + r->mStageCounts[2] : 0.0f;
}

bool UserManager::IsGameInProgress() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr && r->mInProgress != 0;
}

bool UserManager::GetSecondGameFlag() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr && r->mSecondGameFlag != 0;
}

void UserManager::SetGameFlags() {
    if (UserRecord* r = GetCurrentRecord())
        r->mInProgress = r->mSecondGameFlag = 1;
}

void UserManager::ClearGameFlags() {
    if (UserRecord* r = GetCurrentRecord())
        r->mInProgress = r->mSecondGameFlag = 0;
}

void UserManager::EndGame() {
    if (UserRecord* r = GetCurrentRecord()) {
        r->mInProgress = 0;
        Save();
    }
}

float UserManager::GetMoney() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mMoney : 0.0f;
}

void UserManager::SetMoney(float v) {
    if (UserRecord* r = GetCurrentRecord())
        r->mMoney = v;
}

float UserManager::GetRoomValue() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mRoomValue : 0.0f;
}

void UserManager::SetRoomValue(float v) {
    if (UserRecord* r = GetCurrentRecord())
        r->mRoomValue = v;
}

int UserManager::GetRating() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mRating : 0;
}

void UserManager::AddRating(int v) {
    UserRecord* r = GetCurrentRecord();
    if (r == nullptr)
        return;
    // Summed wide, then kept only while it fits and is not negative.
    auto add = [v](int32_t& counter) {
        const int64_t sum = int64_t{counter} + v;
        counter = sum < 0 || sum > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(sum);
    };
    add(r->mRating);
    add(r->mTotalRating);
}

int UserManager::GetBoardIndex() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mBoardIndex : 0;
}

int UserManager::GetRecordState() const {
    const UserRecord* r = GetCurrentRecord();
    return r != nullptr ? r->mReachedStage : 0;
}

int UserManager::GetItemCount(int list) const {
    const std::vector<ItemEntry>* items = List(list);
    return items != nullptr ? ItemListCount(*items) : 0;
}

ItemEntry* UserManager::GetItem(int i, int list) const {
    std::vector<ItemEntry>* items = List(list);
    if (items == nullptr || i < 0 || i >= ItemListCount(*items))
        return nullptr;
    return &(*items)[static_cast<size_t>(i)];
}

ItemEntry* UserManager::FindItem(const std::string& name, int list) const {
    std::vector<ItemEntry>* items = List(list);
    if (items == nullptr)
        return nullptr;
    auto it = std::find_if(items->begin(), items->end(), [&](const ItemEntry& e) { return e.mName == name; });
    return it != items->end() ? &*it : nullptr;
}

ItemEntry* UserManager::FindOrAddItem(const std::string& name, int list) {
    if (ItemEntry* found = FindItem(name, list))
        return found;
    std::vector<ItemEntry>* items = List(list);
    if (items == nullptr)
        return nullptr;
    ItemEntry entry;
    entry.mName = name;
    items->push_back(std::move(entry));
    return &items->back();
}

void UserManager::GetMarkedItemNames(std::vector<std::string>& out, int list) const {
    if (const std::vector<ItemEntry>* items = List(list))
        for (const ItemEntry& entry : *items)
            if (entry.mState == 1)
                out.push_back(entry.mName);
}

bool UserManager::GoalsMet(const UserRecord& record, int stageCount) const {
    const int stage = record.mStageIndex < 0 ? 0 : record.mStageIndex;
    if (stage >= stageCount)
        return false;
    const StageItemGoals goals = StageGoalTableSlot().Get()->GetGoals(stage);
    return record.mStageCounts[0] >= static_cast<float>(goals.drink) &&
           record.mStageCounts[1] >= static_cast<float>(goals.eat) &&
           record.mStageCounts[2] >= static_cast<float>(goals.stuff);
}

int UserManager::AdvanceStage() {
    UserRecord* r = GetCurrentRecord();
    auto stages = StageGoalTableSlot().Get();
    auto board = ProfileBoardSlot().Get();
    const int stageCount = stages != nullptr ? stages->GetStageCount() : 0;
    const int layoutCount = board != nullptr ? board->LayoutCount() : 0;
    if (r == nullptr || layoutCount <= 0 || r->mStageIndex < -1 || std::max(r->mStageIndex, 0) >= stageCount)
        return 1;
    if (r->mStageIndex == -1)
        r->mStageIndex = 0;
    ++r->mStagesPlayed;
    r->mBoardIndex = static_cast<int32_t>((int64_t{r->mBoardIndex} + 1) % layoutCount);
    const bool met = GoalsMet(*r, stageCount);

    auto maps = SecretMapTableSlot().Get();
    const bool haveMaps = maps != nullptr && maps->GetMapCount() > 0;
    auto mapDone = [&] { return haveMaps && maps->GetPieceCount(r->mSecretMapIndex) == r->mSecretPieces; };
    auto nextMap = [&] {
        ++r->mSecretMapIndex;
        r->mSecretPieces = 0;
    };
    if (mapDone() && r->mSecretMapIndex < r->mStageIndex)
        nextMap();
    if (!met)
        return 1;
    ClearGoalCounts();
    if (mapDone())
        nextMap();
    const int next = r->mStageIndex + 1;
    r->mReachedStage = next;
    if (next < stageCount) {
        r->mStageIndex = next;
        r->mBoardIndex = 0;
        if (next == 5 || next == 10) {
            r->mMoney = 0.0f;
            r->mRoomValue = 0.0f;
            r->mRating = 0;
        }
        return 0;
    }
    ClearGameFlags();
    return 2;
}

int UserManager::CheckStageGoals() {
    UserRecord* r = GetCurrentRecord();
    auto stages = StageGoalTableSlot().Get();
    auto board = ProfileBoardSlot().Get();
    const int stageCount = stages != nullptr ? stages->GetStageCount() : 0;
    const int layoutCount = board != nullptr ? board->LayoutCount() : 0;
    if (r == nullptr || layoutCount <= 0 || r->mStageIndex < -1 || std::max(r->mStageIndex, 0) >= stageCount ||
        !GoalsMet(*r, stageCount))
        return 1;
    const int next = r->mStageIndex + 1;
    if (next >= stageCount) {
        ClearGameFlags();
        return 2;
    }
    auto addDecoration = [this](const auto& names) {
        for (const char* name : names)
            if (ItemEntry* entry = FindOrAddItem(name, 0))
                entry->mState = 1;
    };
    if (next == 5)
        addDecoration(kSecondRestaurantItems);
    else if (next == 10)
        addDecoration(kThirdRestaurantItems);
    return 0;
}

void UserManager::NewGame() {
    UserRecord* r = GetCurrentRecord();
    if (r == nullptr)
        return;
    r->Reset();
    for (const char* name : kNewGameItems)
        if (ItemEntry* entry = FindOrAddItem(name, 0))
            entry->mState = 1;
    if (auto bonuses = ProfileBonusesSlot().Get())
        bonuses->StartNewGame();
}

} // namespace Game
