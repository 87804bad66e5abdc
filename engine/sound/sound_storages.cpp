#include "engine/sound/sound_storages.h"

namespace Sound {

platform::ProcessSlot<SoundStorages> gSoundStorages;

} // namespace Sound
