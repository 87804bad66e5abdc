#include "framework/sound/music_player.h"

#include "framework/sound/bass_music_interface.h"
#include "framework/sound/fmod_music_interface.h"

namespace Kavo {

std::unique_ptr<MusicInterface> MakeMusicPlayer(bool useFMod, platform::WindowHandle window) {
    std::unique_ptr<MixerMusicInterface> player;
    if (useFMod)
        player = std::make_unique<FModMusicInterface>();
    else
        player = std::make_unique<BassMusicInterface>(window);
    if (!player->HasDevice())
        return std::make_unique<MusicInterface>();
    return player;
}

} // namespace Kavo
