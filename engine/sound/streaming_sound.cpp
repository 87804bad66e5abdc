#include "engine/sound/streaming_sound.h"

#include "engine/base/sound_error.h"
#include "engine/sound/sound_manager.h"

namespace Sound {

StreamingSound_t::StreamingSound_t(int group, SoundManager_t* manager, platform::SoundBuffer* buffer,
                                   std::uint32_t bufferSize, std::unique_ptr<WaveFile_t> source,
                                   std::uint32_t bytesPerNotification, std::unique_ptr<NotifyEvent> record, bool loop,
                                   bool releaseWhenStopped, std::uint32_t handle)
    : Sound_t(group, manager, buffer, bufferSize, std::move(source), std::move(record), loop, releaseWhenStopped,
              handle),
      mBytesPerNotification(bytesPerNotification) {}

void StreamingSound_t::Play(std::uint32_t fadeInMs) {
    if (!Buffer())
        throw errSnd_e(8);
    bool restored = false;
    RestoreIfLost(&restored);
    if (restored || !mRingFresh) {
        // Once played, the ring holds whatever the last refills left in it
        // and the source stands past it: playing again starts the sound over.
        Rewind();
        FillBuffer(Loops());
    }
    if (platform::Failed(Buffer()->SetCurrentPosition(0)))
        throw errSnd_e(30);
    mRingFresh = false;
    StartFade(fadeInMs, platform::kSoundPlayLooping);
}

void StreamingSound_t::Rewind() {
    if (!Buffer() || !Source())
        throw errSnd_e(8);
    mLastCursor = 0;
    mPlayedBytes = 0;
    mWriteOffset = 0;
    mSourceEnded = false;
    bool restored = false;
    RestoreIfLost(&restored);
    if (restored)
        FillBuffer(false);
    Source()->Rewind();
    if (platform::Failed(Buffer()->SetCurrentPosition(0)))
        throw errSnd_e(30);
}

bool StreamingSound_t::Refill() {
    ResetNotifyEvent();
    platform::SoundBuffer* buffer = Buffer();
    WaveFile_t* source = Source();
    if (buffer == nullptr || source == nullptr)
        throw errSnd_e(8);
    bool restored = false;
    RestoreIfLost(&restored);
    if (restored)
        FillBuffer(false);

    void* part = nullptr;
    std::uint32_t bytes = 0;
    void* wrapped = nullptr;
    std::uint32_t wrappedBytes = 0;
    if (platform::Failed(buffer->Lock(mWriteOffset, mBytesPerNotification, &part, &bytes, &wrapped, &wrappedBytes, 0)))
        throw errSnd_e(11);
    if (wrapped != nullptr && wrappedBytes > 0) {
        buffer->Unlock(part, bytes, wrapped, wrappedBytes);
        throw errSnd_e(11);
    }
    auto* out = static_cast<std::uint8_t*>(part);
    std::uint32_t filled = 0;
    if (!mSourceEnded) {
        try {
            source->Read(out, bytes, &filled);
            while (filled < bytes && Loops()) {
                source->Rewind();
                std::uint32_t got = 0;
                source->Read(out + filled, bytes - filled, &got);
                if (got == 0)
                    break; // an empty source cannot fill the ring
                filled += got;
            }
        } catch (...) {
            buffer->Unlock(part, bytes, nullptr, 0);
            throw errSnd_e(15);
        }
        if (filled < bytes && !Loops())
            mSourceEnded = true;
    }
    FillSilence(out + filled, bytes - filled);
    buffer->Unlock(part, bytes, nullptr, 0);

    std::uint32_t cursor = 0;
    if (platform::Failed(buffer->GetCurrentPosition(&cursor, nullptr)))
        throw errSnd_e(21);
    mPlayedBytes += cursor >= mLastCursor ? cursor - mLastCursor : BufferSize() - mLastCursor + cursor;
    mLastCursor = cursor;

    if (mSourceEnded && source->SizeBytes() <= mPlayedBytes) {
        buffer->Stop();
        Rewind();
        ResetNotifyEvent();
        return Manager()->OnSoundEnded(this);
    }
    mWriteOffset = (mWriteOffset + bytes) % BufferSize();
    return false;
}

} // namespace Sound
