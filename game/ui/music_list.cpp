#include "game/ui/music_list.h"

#include "engine/base/string_tools.h"
#include "game/ui/ini_document.h"

namespace Game {

void MusicList::Load(const std::string& path) {
    IniDocument doc;
    doc.Load(path, true);
    for (auto section = doc.Begin(); section != doc.End(); ++section) {
        const IniSection& keys = section.Value();
        for (auto key = keys.Begin(); key != keys.End(); ++key) {
            Playlist tracks;
            com_string::Split(key.ValueText(), ',', tracks);
            mPlaylists.push_back(std::move(tracks));
        }
    }
}

platform::ProcessSlot<MusicList>& MusicListSlot() {
    static platform::ProcessSlot<MusicList> slot;
    return slot;
}

} // namespace Game
