#pragma once
// The audio driver on SDL2: the output plays the format asked for (SDL
// converts it to whatever the device takes) and SDL's audio thread pulls
// the sound from the callback. Without a device Open fails and LastError
// says why; the program then goes on without sound.

#include <SDL.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio_driver.h"
#include "platform/sdl/sdl_session.h"

namespace platform {

class SdlAudioDriver final : public AudioDriver {
public:
    SdlAudioDriver();
    ~SdlAudioDriver() override;
    SdlAudioDriver(const SdlAudioDriver&) = delete;
    SdlAudioDriver& operator=(const SdlAudioDriver&) = delete;

    const char* Name() const override { return "sdl"; }
    bool Open(const AudioFormat& format, AudioCallback callback) override;
    void Pause() override;
    void Resume() override;
    // From inside the callback the output stops at once and the device is
    // let go by the next Open, Close or the destructor on another thread.
    void Close() override;
    bool IsOpen() const override;
    // The sound service is always there with SDL; a machine without an
    // output device is told by Open failing, and the program goes on silent.
    bool HasOutputDevice() const override { return true; }

    // Why the last Open failed; empty after one that succeeded.
    std::string LastError() const;

private:
    static void SDLCALL Fill(void* self, Uint8* stream, int length);
    // Closes a device left by Close from inside the callback. Expects
    // mLifetime held; not on the audio thread.
    void ReleaseStoppedDevice();

    SdlSubsystem mAudio;
    // Open and Close one at a time. Held while SDL waits for the callback,
    // so the callback must not take it; Pause and Resume take only mMutex.
    std::mutex mLifetime;
    mutable std::mutex mMutex; // the fields below
    SDL_AudioDeviceID mDevice = 0;
    bool mOpen = false;
    AudioFormat mFormat;
    AudioCallback mCallback;
    Uint8 mSilence = 0;
    std::atomic<bool> mStopped{false}; // closed from inside the callback
    std::atomic<std::thread::id> mAudioThread{};
    std::string mError;
};

} // namespace platform
