#pragma once
// Questions about the operating system's generation, which callers use to
// choose where user files go. The answers are fixed: not the 9x family, and
// a system that keeps each user's data in a folder of its own.

#include <string>

namespace Kavo {

bool IsWindows9x();
bool IsWindowsVistaOrLater();

// Stores the process-wide user-data folder, with a trailing '\' added.
void SetUserDataFolder(const std::string& path);
// "" until a folder is set: user files then live in the current folder.
std::string GetUserDataFolder();

// Opens the file or folder to every account, so that all users of the
// machine can read and write it.
bool GrantEveryoneFullAccess(const std::string& path);

} // namespace Kavo
