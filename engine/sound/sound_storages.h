#pragma once
// The engine storages that sound descriptions and their waves are read
// from: descriptions, waves, and the waves of the "Dialog" group. The game
// installs them once its storages are open; a storage left null is never
// read, so descriptions that need it load no wave data.

#include "platform/process_slot.h"

class Stg_t;

namespace Sound {

struct SoundStorages {
    Stg_t* descriptions = nullptr; // "/sounddescr"
    Stg_t* waves = nullptr;        // "/sounds"
    Stg_t* dialogWaves = nullptr;  // nothing sets it yet
};

extern platform::ProcessSlot<SoundStorages> gSoundStorages;

} // namespace Sound
