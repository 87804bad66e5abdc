#include "game/meta/puzzle_defs.h"

#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<PuzzleDefs>& PuzzleDefsSlot() {
    static platform::ProcessSlot<PuzzleDefs> slot;
    return slot;
}

bool PuzzleDefs::Load(const std::string& path) {
    IniDocument document;
    if (!document.Load(path, true))
        return false;
    return LoadDocument(document);
}

bool PuzzleDefs::LoadDocument(IniDocument& document) {
    for (auto section = document.Begin(); section != document.End(); ++section) {
        const IniSection& keys = section.Value();
        PuzzleDef def;
        def.mRows = keys.GetInt("Rows", def.mRows);
        def.mCols = keys.GetInt("Cols", def.mCols);
        // Only the value 1 switches these on.
        def.mTurning = keys.GetInt("Rotate", 0) == 1;
        def.mFlip = keys.GetInt("Flip", 0) == 1;
        mDefs.push_back(def);
    }
    return !mDefs.empty();
}

const PuzzleDef* PuzzleDefs::Get(int index) const {
    if (mDefs.empty())
        return nullptr;
    const int count = GetCount();
    return &mDefs[static_cast<size_t>(((index % count) + count) % count)];
}

} // namespace Game
