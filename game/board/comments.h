#pragma once
// The comments table: by name, the file a comment presents and whether it
// praises, read once by the loading work from "data/comments.txt" (one
// comment per section; the section name is the comment's name).

#include "game/ui/ini_section.h"
#include "platform/process_slot.h"

#include <map>
#include <string>

namespace Game {

class IniDocument;

struct Comment {
    std::string mName;
    bool mGood = true; // "Good" is 1 (or missing)
    std::string mFile;
};

// Names match without regard to letter case, as the document's sections do.
using Comments = std::map<std::string, Comment, IniNameLess>;

// Adds (or replaces) one comment per section of the document at `path`.
// False, the map unchanged, when the file cannot be read.
bool LoadComments(const std::string& path, Comments& comments);
// The same over a document already read.
void LoadComments(IniDocument& document, Comments& comments);

// The table the application installed (null before it did).
platform::ProcessSlot<Comments>& CommentsSlot();

} // namespace Game
