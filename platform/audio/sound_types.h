#pragma once
// The values and records of the sound buffer layer: buffer capabilities,
// play, lock and status bits, the PCM wave format, the buffer description,
// position notifications and the 3D parameter blocks. The numbers are the
// documented ones, so that flags read from data and constants in callers
// keep their meaning.

#include <cstdint>

namespace platform {

class Event;

// Buffer capabilities (SoundBufferDesc::flags).
inline constexpr std::uint32_t kSoundBufferPrimary = 0x1;
inline constexpr std::uint32_t kSoundBufferStatic = 0x2;
inline constexpr std::uint32_t kSoundBufferLocSoftware = 0x8;
inline constexpr std::uint32_t kSoundBufferCtrl3D = 0x10;
inline constexpr std::uint32_t kSoundBufferCtrlFrequency = 0x20;
inline constexpr std::uint32_t kSoundBufferCtrlPan = 0x40;
inline constexpr std::uint32_t kSoundBufferCtrlVolume = 0x80;
inline constexpr std::uint32_t kSoundBufferCtrlPositionNotify = 0x100;
inline constexpr std::uint32_t kSoundBufferGetCurrentPosition2 = 0x10000;
inline constexpr std::uint32_t kSoundBufferMute3DAtMaxDistance = 0x20000;

// SoundBuffer::Play.
inline constexpr std::uint32_t kSoundPlayLooping = 0x1;

// SoundBuffer::GetStatus.
inline constexpr std::uint32_t kSoundStatusPlaying = 0x1;
inline constexpr std::uint32_t kSoundStatusBufferLost = 0x2;
inline constexpr std::uint32_t kSoundStatusLooping = 0x4;

// SoundBuffer::Lock.
inline constexpr std::uint32_t kSoundLockFromWriteCursor = 0x1;
inline constexpr std::uint32_t kSoundLockEntireBuffer = 0x2;

// SoundDevice::SetCooperativeLevel.
inline constexpr std::uint32_t kSoundCoopNormal = 1;
inline constexpr std::uint32_t kSoundCoopPriority = 2;
inline constexpr std::uint32_t kSoundCoopExclusive = 3;
inline constexpr std::uint32_t kSoundCoopWritePrimary = 4;

// Volume in hundredths of a decibel, pan and frequency limits.
inline constexpr int kSoundVolumeMin = -10000; // silence
inline constexpr int kSoundVolumeMax = 0;
inline constexpr int kSoundPanLeft = -10000;
inline constexpr int kSoundPanRight = 10000;
inline constexpr std::uint32_t kSoundFrequencyOriginal = 0;
inline constexpr std::uint32_t kSoundFrequencyMin = 100;
inline constexpr std::uint32_t kSoundFrequencyMax = 100000;
inline constexpr std::uint32_t kSoundBufferBytesMin = 4;
inline constexpr std::uint32_t kSoundBufferBytesMax = 0x0FFFFFFF;

// A notification offset that fires when the buffer stops.
inline constexpr std::uint32_t kSoundNotifyOffsetStop = 0xFFFFFFFF;

inline constexpr std::uint16_t kWaveFormatPcm = 1;

struct WaveFormat {
    std::uint16_t formatTag = kWaveFormatPcm;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// PCM with blockAlign and avgBytesPerSec filled in from the rest.
constexpr WaveFormat MakePcmFormat(int channels, std::uint32_t samplesPerSec, int bitsPerSample) {
    WaveFormat format;
    format.channels = static_cast<std::uint16_t>(channels);
    format.samplesPerSec = samplesPerSec;
    format.bitsPerSample = static_cast<std::uint16_t>(bitsPerSample);
    format.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    format.avgBytesPerSec = samplesPerSec * format.blockAlign;
    return format;
}

struct SoundBufferDesc {
    std::uint32_t flags = 0;
    std::uint32_t bufferBytes = 0;      // 0 for the primary buffer
    const WaveFormat* format = nullptr; // null for the primary buffer
};

struct PositionNotify {
    std::uint32_t offset = 0; // a byte offset in the buffer, or kSoundNotifyOffsetStop
    Event* event = nullptr;   // set from the mixing thread; owned by the caller
};

struct Vector3 {
    float x = 0;
    float y = 0;
    float z = 0;
    friend bool operator==(const Vector3&, const Vector3&) = default;
};

// Whether a 3D setter applies now or with the listener's CommitDeferredSettings.
inline constexpr std::uint32_t kSound3DImmediate = 0;
inline constexpr std::uint32_t kSound3DDeferred = 1;

inline constexpr std::uint32_t kSound3DModeNormal = 0;
inline constexpr std::uint32_t kSound3DModeHeadRelative = 1;
inline constexpr std::uint32_t kSound3DModeDisable = 2;

struct Buffer3DParams {
    Vector3 position;
    Vector3 velocity;
    std::uint32_t insideConeAngle = 360;
    std::uint32_t outsideConeAngle = 360;
    Vector3 coneOrientation{0, 0, 1};
    int coneOutsideVolume = 0;
    float minDistance = 1.0f;
    float maxDistance = 1e9f;
    std::uint32_t mode = kSound3DModeNormal;
    friend bool operator==(const Buffer3DParams&, const Buffer3DParams&) = default;
};

struct Listener3DParams {
    Vector3 position;
    Vector3 velocity;
    Vector3 orientFront{0, 0, 1};
    Vector3 orientTop{0, 1, 0};
    float distanceFactor = 1.0f;
    float rolloffFactor = 1.0f;
    float dopplerFactor = 1.0f;
    friend bool operator==(const Listener3DParams&, const Listener3DParams&) = default;
};

} // namespace platform
