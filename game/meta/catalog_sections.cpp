#include "game/meta/catalog_sections.h"

#include "game/ui/ini_document.h"

namespace Game {

const IniSection* FindMainSection(IniDocument& document) {
    return document.HasSection("Main") ? document.GetSection("Main") : nullptr;
}

int CategoryNumber(const std::map<std::string, int>& index, const std::string& name) {
    auto it = index.find(name);
    return it == index.end() ? 0 : it->second;
}

} // namespace Game
