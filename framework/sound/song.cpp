#include "framework/sound/song.h"

#include <cstring>

#include "framework/sound/audio_decoders.h"
#include "framework/sound/sound_file.h"
#include "framework/sound/sound_volume.h"
#include "framework/sound/wave_file.h"

namespace Kavo {

std::unique_ptr<Song> Song::Make(platform::SoundDevice& device, const PcmSound& sound, bool module,
                                 std::vector<std::uint32_t> orderFrames) {
    if (sound.data.size() > platform::kSoundBufferBytesMax)
        return nullptr;
    platform::SoundBufferDesc desc;
    desc.flags = platform::kSoundBufferCtrlVolume | platform::kSoundBufferGetCurrentPosition2;
    desc.bufferBytes = static_cast<std::uint32_t>(sound.data.size());
    desc.format = &sound.format;
    platform::SoundBuffer* made = nullptr;
    if (device.CreateSoundBuffer(desc, &made) != platform::DS_OK)
        return nullptr;
    SoundRef<platform::SoundBuffer> buffer(made);
    void* part = nullptr;
    std::uint32_t bytes = 0;
    if (buffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, platform::kSoundLockEntireBuffer) != platform::DS_OK)
        return nullptr;
    std::memcpy(part, sound.data.data(), bytes < sound.data.size() ? bytes : sound.data.size());
    buffer->Unlock(part, bytes, nullptr, 0);
    std::unique_ptr<Song> song(new Song(std::move(buffer), module, std::move(orderFrames), sound.format.blockAlign));
    song->SetPercent(0);
    return song;
}

void Song::PlayFrom(std::uint32_t byteOffset, bool looping) {
    mBuffer->Stop();
    const std::uint32_t size = mBuffer->BufferBytes();
    mBuffer->SetCurrentPosition(byteOffset < size ? byteOffset - byteOffset % mBlockAlign : 0);
    Play(looping);
}

void Song::Play(bool looping) {
    mLooping = looping;
    mPaused = false;
    mBuffer->Play(looping ? platform::kSoundPlayLooping : 0);
}

void Song::Stop() {
    mPaused = false;
    mBuffer->Stop();
    mBuffer->SetCurrentPosition(0);
}

void Song::Pause() {
    if (GetState() != State::Playing)
        return;
    mBuffer->Stop();
    mPaused = true;
}

void Song::Resume() {
    Play(mLooping);
}

Song::State Song::GetState() {
    std::uint32_t status = 0;
    if (mBuffer->GetStatus(status) == platform::DS_OK && (status & platform::kSoundStatusPlaying) != 0)
        return State::Playing;
    return mPaused ? State::Paused : State::Stopped;
}

std::uint32_t Song::OrderOffset(int order) const {
    if (order < 0 || static_cast<std::size_t>(order) >= mOrderFrames.size())
        return 0;
    return mOrderFrames[order] * mBlockAlign;
}

void Song::SetPercent(int percent) {
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (percent == mPercent)
        return;
    mPercent = percent;
    mBuffer->SetVolume(PercentVolume(percent));
}

bool DecodeSongFile(const std::string& fileName, PcmSound& out, bool& module, std::vector<std::uint32_t>& orderFrames,
                    std::string& error, std::size_t maxFrames) {
    std::vector<std::uint8_t> bytes;
    if (!ReadSoundFile(fileName, bytes)) {
        error = "cannot read " + fileName;
        return false;
    }
    const std::string extension = LowerExtension(fileName);
    module = false;
    orderFrames.clear();
    if (extension == "wav")
        return ParseWave(bytes, out, error);
    if (extension == "ogg")
        return DecodeOgg(bytes, out, error, maxFrames);
    if (extension == "mp3")
        return DecodeMp3(bytes, out, error, maxFrames);
    module = true;
    return DecodeModule(bytes, out, &orderFrames, error, maxFrames);
}

} // namespace Kavo
