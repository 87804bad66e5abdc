#pragma once
// The players of this computer: the user list ("users.dat"), the current
// user and its profile ("<name>.dat" beside the list), and the operations
// on the current user's progress record. Every operation on the current
// user does nothing, or gives 0 / null, while no valid user is current.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/util/notice_channel.h"
#include "game/ui/user_record.h"
#include "platform/file_system.h"
#include "platform/process_slot.h"

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

// True for a name that can stand as a file name in the profiles' folder: not
// empty, no separators, no drive colon, no control bytes, not "." or "..".
bool IsPlainFileName(std::string_view name);

// True for a name that can be a player's: a plain file name other than the
// list's own ("users" in any letter case).
bool IsProfileName(std::string_view name);

// A float as a profile stores it: the hundredths it was read from when it
// reads back as exactly this float, else trunc(value x 100); saturated to
// the int32 range, NaN as 0.
int32_t StoredHundredths(float value);

class UserManager {
public:
    using FileWriter = std::function<bool(const std::string& path, std::string_view data)>;
    // Told, in program text, what the player should know about the saved
    // games: a damaged file kept aside, players restored, a folder that
    // cannot be written.
    using NoticeHandler = std::function<void(const std::string& text)>;

    UserManager();
    ~UserManager();
    UserManager(const UserManager&) = delete;
    UserManager& operator=(const UserManager&) = delete;

    // The installed manager, or null.
    static UserManager* GetInstance();

    // Reads the list at `path` and then the current user's profile; false
    // when either is missing. Later saves go to `path` in any case. A list
    // that is missing or damaged is rebuilt from the profiles beside it (a
    // damaged one copied aside first, and not replaced until it is); the
    // player who played last becomes current. A listed player without a
    // profile takes the name of the profile the list lost. What killed
    // saves left in the folder goes first, and whether the folder takes
    // files is tried at once.
    bool LoadAll(const std::string& path);
    // Appends the list's users and takes its current index, unchecked. A
    // list that cannot be right (a count the data cannot hold, a name that
    // runs past the end, is no profile name or is there twice, bytes left
    // over) appends nothing and gives false.
    bool ReadUserList(Kavo::Buffer& buffer);
    // The current user's profile, read over a new user's defaults; false
    // (defaults kept) when the file is missing or the name is unusable. Only
    // the file of exactly the user's name is read.
    bool LoadCurrentUser();
    // Replaces the user's record and volumes with the profile's. A count
    // that cannot be right ends the read as a short file does, and a stored
    // name other than the user's (the list's name is the key and is kept)
    // is damage too; a user without a name yet takes the stored one.
    bool ReadProfile(User* user, Kavo::Buffer& buffer);
    bool WriteProfile(User* user, Kavo::Buffer& buffer);
    // Writes the list and the current user's profile (once loaded or made in
    // this run); nothing before LoadAll. A damaged profile file, or one that
    // exists but was not read in this run, is first copied aside
    // ("<name>.dat.bad", or a further copy name when that one exists); when
    // that copy fails the profile is not written.
    void Save();

    // Where notices go; those given before are handed over at once.
    void SetNoticeHandler(NoticeHandler handler);
    // True once a file could not be written in this run.
    bool CannotSave() const { return mCannotSave; }
    // A name the name entry may add: a profile name no user has yet.
    bool CanAddUser(const std::string& name) const;

    void AddUser(User* user);
    bool UserExists(const std::string& name) const;
    // Removes the user (its file stays); the current index is left as it is.
    void DeleteUser(int index);
    void SetCurrentIndex(int index) { mCurrentIndex = index; }
    int GetCurrentIndex() const { return mCurrentIndex; }
    User* GetUser(int index) const;
    int GetUserCount() const { return static_cast<int>(mUsers.size()); }
    User* GetCurrentUser() const { return GetUser(mCurrentIndex); }
    UserRecord* GetCurrentRecord() const;
    const std::string& GetUsersFilePath() const { return mUsersFilePath; }
    // The profile file of that name beside the list; empty when unusable.
    std::string ProfilePath(const std::string& name) const;

    void AddStatA(int i, float v);
    float GetStatB(int i) const;
    float GetStatC(int i) const;
    void AddStatBC(int i, float v);
    void ClearGoalCounts();
    void ClearStatC();
    float GetProgress() const;
    bool IsGameInProgress() const;
    bool GetSecondGameFlag() const;
    void SetGameFlags();
    void ClearGameFlags();
    void EndGame();
    float GetMoney() const;
    void SetMoney(float v);
    float GetRoomValue() const;
    void SetRoomValue(float v);
    int GetRating() const;
    void AddRating(int v);
    int GetBoardIndex() const;
    int GetRecordState() const;
    int GetItemCount(int list) const;
    ItemEntry* GetItem(int i, int list) const;
    ItemEntry* FindItem(const std::string& name, int list) const;
    ItemEntry* FindOrAddItem(const std::string& name, int list);
    void GetMarkedItemNames(std::vector<std::string>& out, int list) const;
    // A stage starts: 0 next stage, 1 goals not met, 2 the last stage is done.
    int AdvanceStage();
    // A stage is complete: the same outcomes; the stage index stays.
    int CheckStageGoals();
    void NewGame();

    // How a file is written whole or not at all, its old bytes kept until
    // the new ones are on the disk (tests replace it to make a write fail).
    FileWriter mWriteFile;

private:
    bool GoalsMet(const UserRecord& record, int stageCount) const;
    bool WriteAtomically(const std::string& path, const Kavo::Buffer& buffer);
    void WriteUserList();
    // The profiles in the list's folder that name no user, sorted by name
    // (the name in each without its ".dat").
    std::vector<platform::FoundFile> UnlistedProfiles() const;
    // Users from the profiles in the list's folder, sorted by name.
    void RestoreUsersFromProfiles();
    // Gives a listed user without a profile the name of the profile the list
    // lost it by; what to tell the player of it, empty for none.
    std::string OfferLostPlayers();
    // What killed saves left in the list's folder, of no running copy.
    void RemoveStaleTemporaries();
    // Copies the damaged file aside (see KeepDamagedCopy); the copy's path,
    // empty when none could be made.
    std::string KeepAside(const std::string& path);
    void Notify(const std::string& text);
    void ReportCannotSave();
    std::vector<ItemEntry>* List(int list) const;

    std::vector<std::unique_ptr<User>> mUsers;
    int mCurrentIndex = -1;
    std::string mUsersFilePath;
    int mRecordIndex = 0;
    // Users whose profile was read or made in this run; only they are written.
    std::vector<const User*> mKnown;
    std::vector<const User*> mDamaged;
    // Users whose profile file holds what this run read or wrote.
    std::vector<const User*> mFileOwned;
    std::vector<const User*> mToldDamaged;
    // Users told that their damaged profile could not be kept aside.
    std::vector<const User*> mToldNotKept;
    // A damaged list not yet kept aside: it is not replaced until it is.
    bool mListToKeep = false;
    bool mCannotSave = false;
    Kavo::NoticeChannel mNotices;
};

platform::ProcessSlot<UserManager>& UserManagerSlot();

} // namespace Game
