#pragma once
// The engine's sound system: one device of the platform's sound layer on
// the shared mixer, every live sound, and one worker thread that steps
// fades every 20 ms, refills streams and notices sounds that ended.
// Sounds are named by handle (from 1, never reused); a handle that is not
// listed makes an operation do nothing.
//
// Threads: the public operations run on the caller's thread, the fades,
// refills and deletions on the worker, all under one re-entrant lock. A
// manager made with WorkerMode::Manual starts no thread: its owner (a test)
// drives the worker with ServiceOnce or HandleWake.

#include <array>
#include <cstdint>
#include <list>
#include <memory>

#include "engine/base/timer.h"
#include "engine/sound/sound.h"
#include "platform/audio/sound_device.h"
#include "platform/periodic_timer.h"
#include "platform/ref_held.h"
#include "platform/threads.h"
#include "platform/window.h"

class FileDescr_t;

namespace Sound {
class SoundDescr_t;
}

class SoundManager_t {
public:
    enum class WorkerMode { Thread, Manual };
    // Wait table indices of the fixed entries; sounds follow.
    static constexpr int kWakeQuit = 0;
    static constexpr int kWakeUpdate = 1;
    static constexpr int kWakeTimer = 2;
    static constexpr int kWaitEntries = 63;
    static constexpr std::uint32_t kStreamNotifications = 8;
    static constexpr std::uint32_t kStreamBytesPerNotification = 88200;

    explicit SoundManager_t(WorkerMode mode = WorkerMode::Thread);
    ~SoundManager_t();
    SoundManager_t(const SoundManager_t&) = delete;
    SoundManager_t& operator=(const SoundManager_t&) = delete;

    // Opens a device on the shared mixer with the primary format and the
    // listener's defaults, then starts the worker. Without a mixer the
    // manager runs silently (CreateSound gives null). A Start that throws
    // leaves no device and no thread.
    void Start(platform::WindowHandle window, std::uint32_t cooperativeLevel, int channels, int samplesPerSecond,
               int bitsPerSample);
    // Joins a running worker and deletes every sound. Also done by the
    // destructor; safe to call twice.
    void Shutdown();

    // A static sound from the description's wave data; null without a device.
    Sound::Sound_t* CreateSound(Sound::SoundDescr_t* descr, Sound::EndCallback endFunction, void* endArgument);
    // A streamed sound reading the file, which the manager takes in every
    // case (closed when no sound is made); null for a null description or
    // file and without a device.
    Sound::Sound_t* CreateStreamingSound(Sound::SoundDescr_t* descr, FileDescr_t* file);

    void PlaySound(std::uint32_t handle, std::uint32_t fadeInMs);
    // With release the sound is deleted by the worker once stopped; its
    // handle must not be used afterwards.
    void StopSound(std::uint32_t handle, std::uint32_t fadeOutMs, bool release);
    bool IsPlaying(std::uint32_t handle);
    // The callback runs once, under the lock, on the thread that stops the
    // sound: the worker for a natural end or the end of a fade, the
    // caller's own thread for StopSound without a fade. It must not wait
    // for the main thread; game code posts to it instead.
    void SetEndCallback(std::uint32_t handle, Sound::EndCallback function, void* argument);
    // Applies to every sound whose description is of that group.
    void SetGroupVolume(int group, int volume);
    // errSnd_e 7 for handle 0 or null parameters.
    void ApplySound3D(std::uint32_t handle, const platform::Buffer3DParams* params);
    void Apply3DParams(Sound::Sound_t* sound, const platform::Buffer3DParams* params);
    // Makes the worker rebuild what it waits on.
    void WakeUp();
    // A stream that played out: end callback, stopped, worker woken.
    bool OnSoundEnded(Sound::Sound_t* sound);

    // One turn of the worker: waits up to timeoutMs for its table and
    // handles what woke it. The index handled, or platform::kWaitTimeout.
    int ServiceOnce(std::uint32_t timeoutMs);
    // Handles one wake of the worker; false for the quit entry. An index
    // outside the table reads as an update.
    bool HandleWake(int index);

    bool HasDevice() const { return mDevice != nullptr; }
    bool IsWorkerRunning() const { return mThread.IsStarted(); }
    std::size_t SoundCount();
    int WaitCount();
    const platform::Listener3DParams& ListenerParams() const { return mListenerParams; }

private:
    void OpenDevice(platform::WindowHandle window, std::uint32_t cooperativeLevel, int channels, int samplesPerSecond,
                    int bitsPerSample);
    void ReleaseDevice();
    void ThreadProc();
    void RebuildWaitList();
    void AddWait(platform::Event* event, Sound::NotifyEvent* owner);
    Sound::Sound_t* Find(std::uint32_t handle);
    Sound::Sound_t* Append(std::unique_ptr<Sound::Sound_t> sound);
    std::unique_ptr<Sound::Sound_t> CreateStaticBuffer(int group, const void* data, std::uint32_t size, int kind,
                                                       std::uint32_t flags, bool loop, bool deleteAfterPlay,
                                                       bool decoded);
    std::unique_ptr<Sound::Sound_t> CreateStreamBuffer(int group, FileDescr_t* file, int kind, std::uint32_t flags,
                                                       bool loop, bool deleteAfterPlay);
    platform::SoundBuffer* MakeBuffer(std::uint32_t flags, std::uint32_t bytes, const platform::WaveFormat& format);
    // Runs one sound's step on the worker; a failure stops that sound only
    // and sets *failed.
    template <typename Step>
    bool Serve(Sound::Sound_t* sound, Step step, bool* failed);

    const WorkerMode mMode;
    platform::RefHeld<platform::SoundDevice> mDevice;
    platform::RefHeld<platform::SoundBuffer> mPrimary;
    platform::RefHeld<platform::SoundListener3D> mListener;
    platform::Listener3DParams mListenerParams;

    platform::Thread mThread;
    platform::Event mQuit{true, false};
    platform::Event mStopped{true, false};
    platform::Event mUpdate{true, false};
    platform::PeriodicTimer mTick;
    Timer_t mTimer;

    platform::CriticalSection mLock; // guards the list, the table and the sounds
    int mWaitCount = 0;
    std::array<platform::Event*, kWaitEntries + 1> mWaitEvents{};
    std::array<Sound::NotifyEvent*, kWaitEntries + 1> mWaitOwners{};
    std::list<std::unique_ptr<Sound::Sound_t>> mSounds;
    std::uint32_t mLastHandle = 0;
};
