#include "game/board/bevels.h"

#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<Bevels>& BevelsSlot() {
    static platform::ProcessSlot<Bevels> slot;
    return slot;
}

bool LoadBevels(const std::string& path, Bevels& bevels) {
    IniDocument document;
    document.Load(path, true);
    return bevels.LoadDocument(document);
}

bool Bevels::LoadDocument(IniDocument& document) {
    if (document.GetSectionCount() == 0)
        return false;
    for (auto it = document.Begin(); it != document.End(); ++it)
        mSets.emplace_back(it.Name(), it.Value());
    return true;
}

const Bevel* Bevels::GetSet(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &mSets[static_cast<size_t>(index)];
}

const Bevel* Bevels::ForRestaurant(int restaurant) const {
    const int count = GetCount();
    if (count == 0)
        return nullptr;
    const int index = restaurant % count;
    return &mSets[static_cast<size_t>(index < 0 ? index + count : index)];
}

} // namespace Game
