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

// Every regular file below the folder (a disk path; subfolders included),
// named relative to it in Windows-1251 with '\' separators, in name order.
// Links to files are read; links to folders are not followed, and they,
// dangling links and whatever is not a regular file (pipes, sockets,
// devices) are left out with a line in `warnings`. `leaveOut`, when it names
// an existing file, is left out as well: an archive written into the folder
// it packs. Fails, naming the files, when a name has characters that
// Windows-1251 lacks or two names differ only in letter case (the archive
// could not tell them apart); error texts carry the system's reason.
bool CollectPakMembers(const std::string& folder, std::vector<PakMember>* members, std::string* error,
                       std::vector<std::string>* warnings = nullptr, const std::string& leaveOut = {});

// CollectPakMembers (leaving outPath out) and BuildPakArchive, written to
// outPath (a disk path). Nothing is written when collecting or building fails.
bool WritePakArchive(const std::string& folder, const std::string& outPath, std::string* error,
                     std::vector<std::string>* warnings = nullptr);

} // namespace Kavo
