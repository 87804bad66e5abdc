// Loads a Sun ".au" sound through the file API.
#include "fuzz/sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return Kavo::fuzz::LoadSoundInput(data, size, ".au", &Kavo::ReadAuFile);
}
