#pragma once

#include <memory>

#include "framework/sound/music_interface.h"
#include "platform/window.h"

namespace Kavo {

// The music player for the given choice: the FMOD-style player when
// useFMod, else the BASS-style player for `window`. When no sound output is
// open (no sound environment or mixer) the silent MusicInterface.
std::unique_ptr<MusicInterface> MakeMusicPlayer(bool useFMod, platform::WindowHandle window);

} // namespace Kavo
