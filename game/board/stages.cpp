#include "game/board/stages.h"

#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<Stages>& StagesSlot() {
    static platform::ProcessSlot<Stages> slot;
    return slot;
}

Stages::Stages(const std::string& path) {
    IniDocument document;
    document.Load(path, true);
    LoadDocument(document);
}

void Stages::LoadDocument(IniDocument& document) {
    for (auto it = document.Begin(); it != document.End(); ++it)
        mStages.emplace_back(it.Value());
}

const Stage* Stages::GetStage(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &mStages[static_cast<size_t>(index)];
}

} // namespace Game
