#include "game/ui/termins.h"

#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<Termins>& TerminsSlot() {
    static platform::ProcessSlot<Termins> slot;
    return slot;
}

void Termins::Load(const std::string& path) {
    IniDocument doc;
    doc.Load(path, true);
    for (auto section = doc.Begin(); section != doc.End(); ++section) {
        const IniSection& keys = section.Value();
        for (auto key = keys.Begin(); key != keys.End(); ++key)
            mTexts[key.Name()] = key.ValueText();
    }
}

std::string Termins::Get(const std::string& key) const {
    auto it = mTexts.find(key);
    return it == mTexts.end() ? key : it->second;
}

std::shared_ptr<Termins> Termins::Instance() {
    return TerminsSlot().Get();
}

std::string Termins::Lookup(const std::string& key) {
    std::shared_ptr<Termins> table = Instance();
    return table == nullptr ? key : table->Get(key);
}

} // namespace Game
