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

#include "game/ui/user_record.h"
#include "platform/process_slot.h"

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

// True for a name that can stand as a file name in the profiles' folder: not
// empty, no separators, no drive colon, no control bytes, not "." or "..".
bool IsPlainFileName(std::string_view name);

// A float as a profile stores it: trunc(value x 100), saturated to the
// int32 range, NaN as 0.
int32_t StoredHundredths(float value);

class UserManager {
public:
    using FileWriter = std::function<bool(const std::string& path, std::string_view data)>;

    UserManager();
    ~UserManager();
    UserManager(const UserManager&) = delete;
    UserManager& operator=(const UserManager&) = delete;

    // The installed manager, or null.
    static UserManager* GetInstance();

    // Reads the list at `path` and then the current user's profile; false
    // when either is missing. Later saves go to `path` in any case.
    bool LoadAll(const std::string& path);
    // Appends the list's users and takes its current index, unchecked; a
    // count the data cannot hold gives no users.
    void ReadUserList(Kavo::Buffer& buffer);
    // The current user's profile, read over a new user's defaults; false
    // (defaults kept) when the file is missing or the name is unusable.
    bool LoadCurrentUser();
    // Replaces the user's record and volumes with the profile's. A count
    // that cannot be right ends the read as a short file does; either marks
    // the profile damaged (see IsDamaged).
    bool ReadProfile(User* user, Kavo::Buffer& buffer);
    bool WriteProfile(User* user, Kavo::Buffer& buffer);
    // Writes the list and the current user's profile (once loaded or made in
    // this run); nothing before LoadAll. A damaged profile file is first
    // copied to "<name>.dat.bad".
    void Save();

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

    // Where files are written (tests replace it to make a write fail).
    FileWriter mWriteFile;

private:
    bool GoalsMet(const UserRecord& record, int stageCount) const;
    bool WriteAtomically(const std::string& path, const Kavo::Buffer& buffer);
    std::vector<ItemEntry>* List(int list) const;

    std::vector<std::unique_ptr<User>> mUsers;
    int mCurrentIndex = -1;
    std::string mUsersFilePath;
    int mRecordIndex = 0;
    // Users whose profile was read or made in this run; only they are written.
    std::vector<const User*> mKnown;
    std::vector<const User*> mDamaged;
};

platform::ProcessSlot<UserManager>& UserManagerSlot();

} // namespace Game
