#pragma once
// Builds catalogue documents from CR LF text, as the game's files are.

#include "game/ui/ini_document.h"

#include <string>

namespace Game {

inline IniDocument Document(const std::string& text) {
    IniDocument document;
    document.Parse(text.data(), text.size(), true);
    return document;
}

} // namespace Game
