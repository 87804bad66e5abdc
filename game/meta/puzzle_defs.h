#pragma once
// The table of picture puzzles ("data/puzzles.txt"): one puzzle per
// section, in the document's section order. A secret map names its puzzle
// by index.

#include "game/meta/puzzle_def.h"
#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Game {

class IniDocument;

class PuzzleDefs {
public:
    // Appends a puzzle per section of the file; false when it cannot be
    // read or the table stays empty.
    bool Load(const std::string& path);
    bool LoadDocument(IniDocument& document);
    // The puzzle at index modulo the table's length; null when the table is
    // empty.
    const PuzzleDef* Get(int index) const;
    int GetCount() const { return static_cast<int>(mDefs.size()); }

    std::vector<PuzzleDef> mDefs;
};

// The run's table, installed by the program before loading.
platform::ProcessSlot<PuzzleDefs>& PuzzleDefsSlot();

} // namespace Game
