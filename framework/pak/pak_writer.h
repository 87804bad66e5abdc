#pragma once
// Making pak archives: the members' bytes in the layout that PakInterface
// mounts.

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace Kavo {

struct PakMember {
    std::string mName; // relative, '\' separators, at most 255 bytes
    std::string mData;
    platform::FileTime mFileTime = 0;
};

// The whole archive, scrambled, with the members in this order. False when
// a name is too long or the archive would not fit 32-bit offsets.
bool BuildPakArchive(const std::vector<PakMember>& members, std::string* archive, std::string* error);

// Every file below the folder (subfolders included), named relative to it,
// in name order.
bool CollectPakMembers(const std::string& folder, std::vector<PakMember>* members, std::string* error);

// CollectPakMembers and BuildPakArchive, written to outPath.
bool WritePakArchive(const std::string& folder, const std::string& outPath, std::string* error);

} // namespace Kavo
