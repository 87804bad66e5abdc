#pragma once
// The playlists of the stage music: each key of each section of the music
// file is one playlist, its value the comma-separated track names. Lists
// come in the document's order (sections, then keys, ignoring case), not in
// file order.

#include <memory>
#include <string>
#include <vector>

#include "platform/process_slot.h"

namespace Game {

class MusicList {
public:
    using Playlist = std::vector<std::string>;

    // Appends the file's playlists; a missing file or one without sections
    // adds nothing. An empty value adds an empty playlist.
    void Load(const std::string& path);

    size_t GetCount() const { return mPlaylists.size(); }
    const Playlist& GetPlaylist(size_t index) const { return mPlaylists.at(index); }
    const std::vector<Playlist>& Playlists() const { return mPlaylists; }

private:
    std::vector<Playlist> mPlaylists;
};

platform::ProcessSlot<MusicList>& MusicListSlot();

} // namespace Game
