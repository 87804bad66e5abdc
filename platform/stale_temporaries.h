#pragma once
// A write that replaces a file whole (WriteAndReplaceFile) puts the new bytes
// in "<file>.tmp<process id>" first; a process killed before the rename
// leaves that file behind, and nothing else ever uses or removes it.

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Removes from the folder (disk path, UTF-8) each "<name>.tmp<process id>"
// whose <name> `ownName` accepts and whose writer is gone: no process has
// that id any more, so a copy of the program still running keeps its
// files. Gives the disk paths removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& diskFolder,
                                                const std::function<bool(const std::string& name)>& ownName);

} // namespace platform
