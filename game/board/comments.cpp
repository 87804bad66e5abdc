#include "game/board/comments.h"

#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<Comments>& CommentsSlot() {
    static platform::ProcessSlot<Comments> slot;
    return slot;
}

bool LoadComments(const std::string& path, Comments& comments) {
    IniDocument document;
    if (!document.Load(path, true))
        return false;
    LoadComments(document, comments);
    return true;
}

void LoadComments(IniDocument& document, Comments& comments) {
    for (auto it = document.Begin(); it != document.End(); ++it) {
        const IniSection& section = it.Value();
        Comment comment;
        comment.mName = it.Name();
        comment.mGood = section.GetInt("Good", 1) == 1;
        comment.mFile = section.GetString("File");
        comments[comment.mName] = std::move(comment);
    }
}

} // namespace Game
