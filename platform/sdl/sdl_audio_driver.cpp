#include "platform/sdl/sdl_audio_driver.h"

#include <algorithm>
#include <cstring>

namespace platform {

SdlAudioDriver::SdlAudioDriver() : mAudio(SDL_INIT_AUDIO) {}

SdlAudioDriver::~SdlAudioDriver() {
    Close();
    std::lock_guard lifetime(mLifetime);
    ReleaseStoppedDevice();
}

void SDLCALL SdlAudioDriver::Fill(void* self, Uint8* stream, int length) {
    auto& driver = *static_cast<SdlAudioDriver*>(self);
    driver.mAudioThread.store(std::this_thread::get_id());
    const std::size_t bytesPerFrame = driver.mFormat.BytesPerFrame();
    if (driver.mStopped.load() || length <= 0 || bytesPerFrame == 0) {
        std::memset(stream, driver.mSilence, static_cast<std::size_t>(std::max(length, 0)));
        return;
    }
    // SDL asks for whole frames of the format it was opened with.
    driver.mCallback(stream, static_cast<std::size_t>(length) / bytesPerFrame);
}

void SdlAudioDriver::ReleaseStoppedDevice() {
    SDL_AudioDeviceID device = 0;
    {
        std::lock_guard lock(mMutex);
        if (mOpen || mDevice == 0)
            return;
        device = mDevice;
    }
    SDL_CloseAudioDevice(device); // waits for the callback to return
    std::lock_guard lock(mMutex);
    mDevice = 0;
    mCallback = nullptr;
    mStopped = false;
}

bool SdlAudioDriver::Open(const AudioFormat& format, AudioCallback callback) {
    std::lock_guard lifetime(mLifetime);
    ReleaseStoppedDevice();
    std::lock_guard lock(mMutex);
    if (mOpen || !callback || !IsValidAudioFormat(format))
        return false;
    if (!mAudio.Started()) {
        mError = "no audio device: " + mAudio.Error();
        return false;
    }
    mFormat = format;
    mCallback = std::move(callback);
    SDL_AudioSpec wanted{};
    wanted.freq = format.sampleRate;
    wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = 1024;
    wanted.callback = &SdlAudioDriver::Fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts the format asked for to the device's.
    mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (mDevice == 0) {
        mError = std::string("no audio device: ") + SDL_GetError();
        mCallback = nullptr;
        return false;
    }
    mError.clear();
    mSilence = obtained.silence;
    mOpen = true;
    SDL_PauseAudioDevice(mDevice, 0);
    return true;
}

void SdlAudioDriver::Pause() {
    std::lock_guard lock(mMutex);
    if (mOpen)
        SDL_PauseAudioDevice(mDevice, 1); // returns with the callback not running
}

void SdlAudioDriver::Resume() {
    std::lock_guard lock(mMutex);
    if (mOpen)
        SDL_PauseAudioDevice(mDevice, 0);
}

void SdlAudioDriver::Close() {
    if (mAudioThread.load() == std::this_thread::get_id()) {
        // Closing the device here would wait for this very callback: the
        // output falls silent now and the device goes later.
        std::lock_guard lock(mMutex);
        if (mOpen) {
            mOpen = false;
            mStopped = true;
        }
        return;
    }
    std::lock_guard lifetime(mLifetime);
    {
        std::lock_guard lock(mMutex);
        mOpen = false;
    }
    ReleaseStoppedDevice();
}

bool SdlAudioDriver::IsOpen() const {
    std::lock_guard lock(mMutex);
    return mOpen;
}

std::string SdlAudioDriver::LastError() const {
    std::lock_guard lock(mMutex);
    return mError;
}

} // namespace platform
