#pragma once
// One sound: a buffer of the platform's sound layer filled from a wave
// source, with its own and its group's volume (hundredths of a decibel,
// held to -9000..0), fades in 20 ms ticks, pause, an end callback and an
// optional notification event that the manager's worker waits on. Sounds
// are made, driven and deleted only by SoundManager_t; the worker calls
// Tick and OnNotify under the manager's lock.

#include <cstdint>
#include <memory>

#include "engine/sound/notify_event.h"
#include "engine/sound/wave_file.h"
#include "platform/audio/sound_3d.h"
#include "platform/audio/sound_buffer.h"
#include "platform/ref_held.h"

class SoundManager_t;

namespace Sound {

class SoundModel_t;

using EndCallback = void (*)(std::uint32_t handle, void* argument);

class Sound_t {
public:
    static constexpr int kVolumeFloor = -9000;
    static constexpr std::uint32_t kTickMs = 20;

    // Takes the buffer's reference, the source and the record. A buffer is
    // filled from the source and set to play from 0.
    Sound_t(int group, SoundManager_t* manager, platform::SoundBuffer* buffer, std::uint32_t bufferSize,
            std::unique_ptr<WaveFile_t> source, std::unique_ptr<NotifyEvent> record, bool loop, bool releaseWhenStopped,
            std::uint32_t handle);
    virtual ~Sound_t();
    Sound_t(const Sound_t&) = delete;
    Sound_t& operator=(const Sound_t&) = delete;

    virtual void Play(std::uint32_t fadeInMs);
    // Stops, fires the end callback and wakes the manager, on the caller's
    // thread.
    void Stop();
    void Pause();
    void Resume();
    virtual void Rewind();
    NotifyEvent* GetNotifyEvent() const { return mRecord.get(); }
    // The buffer signalled; true asks the manager to rebuild its wait table.
    virtual bool OnNotify();
    void SetEndCallback(EndCallback function, void* argument);
    // Calls the callback once and forgets it.
    void FireEndCallback();
    void FadeOut(std::uint32_t ms);
    // One 20 ms step of a fade; true when the fade stopped the sound.
    bool Tick(std::uint32_t ms);
    std::uint32_t GetLengthMs() const { return mSource ? mSource->LengthMs() : 0; }
    virtual bool IsStreamed() const { return false; }

    bool IsPlaying();
    void SetVolume(int volume, bool apply);
    void SetGroupVolume(int volume, bool apply);
    void SetPositionMs(std::uint32_t ms);
    // A 3D view of the buffer, held by the caller.
    void Get3DBuffer(platform::SoundBuffer3D** out);
    // Places the sound at the point and orientation as seen through the
    // model's matrix.
    void Set3DParams(SoundModel_t* model, float x, float y, float z, float ox, float oy, float oz);
    // After a failure on the worker: stops without throwing and fires the
    // end callback once.
    void Abort() noexcept;

    std::uint32_t Handle() const { return mHandle; }
    int Group() const { return mGroup; }
    bool IsStopped() const { return mStopped; }
    bool ReleaseWhenStopped() const { return mReleaseWhenStopped; }
    void MarkReleaseWhenStopped() { mReleaseWhenStopped = true; }
    void MarkStopped() { mStopped = true; }
    platform::SoundBuffer* Buffer() const { return mBuffer.get(); }

protected:
    void FillBuffer(bool loop);
    void RestoreIfLost(bool* restored);
    void FillSilence(void* at, std::uint32_t bytes) const;
    void StartFade(std::uint32_t fadeInMs, std::uint32_t playFlags);
    void ResetNotifyEvent();
    WaveFile_t* Source() const { return mSource.get(); }
    SoundManager_t* Manager() const { return mManager; }
    std::uint32_t BufferSize() const { return mBufferSize; }
    bool Loops() const { return mLoop; }

private:
    // Declared before the buffer: the buffer, which signals the record's
    // event, goes first.
    std::unique_ptr<NotifyEvent> mRecord;
    std::unique_ptr<WaveFile_t> mSource;
    platform::RefHeld<platform::SoundBuffer> mBuffer;
    std::uint32_t mBufferSize;
    bool mLoop;
    bool mReleaseWhenStopped;
    SoundManager_t* mManager;
    EndCallback mEndFunction = nullptr;
    void* mEndArgument = nullptr;
    int mVolume = 0;
    int mGroupVolume = 0;
    int mGroup;
    bool mStopped = false;
    bool mFading = false;
    bool mStopAfterFade = false;
    int mFadeSteps = 0;
    int mFadeDone = 0;
    int mFadeVolume = 0;
    int mFadeStep = 0;
    bool mPaused = false;
    SoundModel_t* mModel = nullptr;
    float mPosition[3] = {};
    float mOrientation[3] = {};
    std::uint32_t mHandle;
};

} // namespace Sound
