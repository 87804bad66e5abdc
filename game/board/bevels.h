#pragma once
// The table of bevel sets, loaded once from "data/bevels.txt" (one set per
// section, in the document's section order). Each stage frames its board
// with the set of its restaurant.

#include "game/board/bevel.h"
#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Game {

class IniDocument;

class Bevels {
public:
    // Appends one set per section; false, the table unchanged, when the
    // document holds no section.
    bool LoadDocument(IniDocument& document);

    int GetCount() const { return static_cast<int>(mSets.size()); }
    const Bevel* GetSet(int index) const;
    // The set of a restaurant: index modulo the number of sets (a negative
    // index counts back from the end); null when the table is empty.
    const Bevel* ForRestaurant(int restaurant) const;

private:
    std::vector<Bevel> mSets;
};

// Reads the document at `path` into the table (see Bevels::LoadDocument);
// false also when the file cannot be read.
bool LoadBevels(const std::string& path, Bevels& bevels);

// The table the application installed (null before it did).
platform::ProcessSlot<Bevels>& BevelsSlot();

} // namespace Game
