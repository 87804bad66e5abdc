#pragma once
// A long sound played through a ring buffer: the ring holds several
// segments, each one refilled from the source once it has been played (the
// buffer signals the end of every segment). A stream that does not loop
// plays silence after its data and stops once the played bytes reach the
// source's size. Each play after the first starts the sound over, with the
// ring filled afresh from the source's start.

#include "engine/sound/sound.h"

namespace Sound {

class StreamingSound_t final : public Sound_t {
public:
    StreamingSound_t(int group, SoundManager_t* manager, platform::SoundBuffer* buffer, std::uint32_t bufferSize,
                     std::unique_ptr<WaveFile_t> source, std::uint32_t bytesPerNotification,
                     std::unique_ptr<NotifyEvent> record, bool loop, bool releaseWhenStopped, std::uint32_t handle);

    void Play(std::uint32_t fadeInMs) override;
    void Rewind() override;
    bool OnNotify() override { return Refill(); }
    bool IsStreamed() const override { return true; }

    // Writes the next segment behind the play cursor.
    bool Refill();

    std::uint64_t PlayedBytes() const { return mPlayedBytes; }

private:
    std::uint32_t mLastCursor = 0;
    std::uint64_t mPlayedBytes = 0;
    std::uint32_t mBytesPerNotification;
    std::uint32_t mWriteOffset = 0;
    bool mSourceEnded = false;
    // The ring holds the sound's start, as filled when it was made.
    bool mRingFresh = true;
};

} // namespace Sound
