// Loads a tracker module through the file API, as the music player does.
#include "fuzz/sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return Kavo::fuzz::LoadSongInput(data, size, ".mod");
}
