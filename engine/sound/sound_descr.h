#pragma once
// How one named sound plays: its wave, volume group and volume, looping,
// streaming, 3D parameters, and (once loaded) the wave data itself. A
// description is read from a text file of "key = value" lines.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/sound_types.h"

class FileDescr_t;

namespace Sound {

class SoundDescr_t {
public:
    enum Flag : std::uint32_t {
        Is3D = 1,
        IsStreamed = 2,
        IsLoop = 4,
        PlayOnStart = 8,
        PlayIfPlay = 16,
        LoadOnStart = 32,
        DelAfterPlay = 64,
        MuteAfterMaxDistance = 128,
    };
    enum Group : int {
        GroupDialog = 0,
        GroupEffect = 1,
        GroupWorld = 2,
        GroupMusic = 3,
        GroupInterf = 4,
        GroupNone = 6
    };
    enum WaveKind : int { WaveWav = 0, WaveOgg = 1, WaveNothing = 2 };
    // The decoded image: the 18-byte format, the 32-bit PCM length, the PCM.
    static constexpr std::uint32_t kPcmImageHeader = 22;

    SoundDescr_t();
    virtual ~SoundDescr_t() = default;
    SoundDescr_t(const SoundDescr_t&) = delete;
    SoundDescr_t& operator=(const SoundDescr_t&) = delete;

    // Reads the description's lines (see the .cpp); true only when a
    // "Group" line names a known group. Flags are only ever set by a file.
    bool Parse(FileDescr_t* file);
    // A different name (ignoring case) replaces the old one and frees the
    // wave data; an empty or null name means none.
    void SetWaveName(const char* name);
    // Loads the wave named by the description from the installed wave
    // storage, the Ogg file before the WAV one; a static Ogg is decoded to
    // the PCM image. Nothing happens when data is loaded, there is no wave
    // name, the storage is not installed, or neither file exists.
    void LoadWaveData();
    // The whole file as the wave data (its size is what was read).
    void ReadWaveFile(FileDescr_t* file);
    void FreeWaveData();

    bool Has(Flag flag) const { return (flags & flag) != 0; }
    // The group code of a name (blanks around it and case ignored).
    static int GroupCode(const char* name);

    std::string name;
    std::string waveName;
    platform::Buffer3DParams params3D;
    std::uint32_t flags = 0;
    int volume = 0;      // hundredths of a decibel
    int groupVolume = 0; // set by the game from its volume settings
    int group = GroupNone;
    int minTime = 0;
    int maxTime = 0;
    std::vector<std::uint8_t> waveData;
    int waveKind = WaveNothing;
    bool decoded = false; // waveData is the PCM image, not a file image

private:
    void DecodeOgg();
};

} // namespace Sound
