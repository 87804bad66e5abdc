#include <gtest/gtest.h>

#include "platform/audio/sound_3d.h"
#include "platform/threads.h"
#include "sound_fixture.h"

namespace sound_test {
namespace {

using Buffers = SoundLayer;

TEST_F(Buffers, LockHandsOutOnePartOrTwoAcrossTheEnd) {
    Held<SoundBuffer> buffer = Make(MakePcmFormat(1, 22050, 16), 100);
    void* p1 = nullptr;
    void* p2 = nullptr;
    std::uint32_t n1 = 0;
    std::uint32_t n2 = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, kSoundLockEntireBuffer), DS_OK);
    auto* base = static_cast<std::uint8_t*>(p1);
    EXPECT_EQ(n1, 100u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(n2, 0u);
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);

    ASSERT_EQ(buffer->Lock(80, 40, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(p1, base + 80);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(p2, base);
    EXPECT_EQ(n2, 20u);
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);

    // Stopped, the write cursor is the play cursor.
    ASSERT_EQ(buffer->SetCurrentPosition(30), DS_OK);
    ASSERT_EQ(buffer->Lock(0, 10, &p1, &n1, &p2, &n2, kSoundLockFromWriteCursor), DS_OK);
    EXPECT_EQ(p1, base + 30);
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);

    EXPECT_EQ(buffer->Lock(100, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 101, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    std::uint8_t elsewhere[4];
    EXPECT_EQ(buffer->Unlock(elsewhere, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(base + 90, 20, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(Buffers, PlayingRunsTheWriteCursorAheadOfThePlayCursor) {
    Held<SoundBuffer> buffer = Mono16(44100, std::vector<std::int16_t>(2000, 0));
    ASSERT_EQ(buffer->Play(kSoundPlayLooping), DS_OK);
    Pull(*mixer, 100);
    std::uint32_t play = 0;
    std::uint32_t write = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, 200u);
    EXPECT_EQ(write, 200u + 2 * (Mixer::kBlockFrames + 1));
    EXPECT_EQ(Status(buffer.get()), kSoundStatusPlaying | kSoundStatusLooping);
}

// Notifications at byte 0 and byte 100 (frame 50) of a 100-frame buffer
// playing one source frame per output frame.
TEST_F(Buffers, LoopingBufferNotifiesEachPositionOnEveryLap) {
    Held<SoundBuffer> buffer = Mono16(44100, std::vector<std::int16_t>(100, 1));
    Event atStart(false, false);
    Event atMiddle(false, false);
    Event atStop(false, false);
    const PositionNotify positions[] = {{0, &atStart}, {100, &atMiddle}, {kSoundNotifyOffsetStop, &atStop}};
    ASSERT_EQ(buffer->SetNotificationPositions(3, positions), DS_OK);
    ASSERT_EQ(buffer->Play(kSoundPlayLooping), DS_OK);
    for (int lap = 0; lap < 3; ++lap) {
        SCOPED_TRACE(lap);
        Pull(*mixer, 50);
        EXPECT_TRUE(atStart.Wait(0));
        EXPECT_FALSE(atMiddle.Wait(0));
        Pull(*mixer, 50);
        EXPECT_FALSE(atStart.Wait(0));
        EXPECT_TRUE(atMiddle.Wait(0));
    }
    Pull(*mixer, 1000); // ten laps in one pull notify (at least) once
    EXPECT_TRUE(atStart.Wait(0));
    EXPECT_TRUE(atMiddle.Wait(0));
    EXPECT_FALSE(atStop.Wait(0));
    EXPECT_EQ(buffer->SetNotificationPositions(3, positions), DSERR_INVALIDCALL); // not while playing
}

TEST_F(Buffers, StopNotifiesOnceAndKeepsTheCursor) {
    Held<SoundBuffer> buffer = Mono16(44100, std::vector<std::int16_t>(100, 1));
    Event atStop(false, false);
    const PositionNotify stop{kSoundNotifyOffsetStop, &atStop};
    ASSERT_EQ(buffer->SetNotificationPositions(1, &stop), DS_OK);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_FALSE(atStop.Wait(0)); // it was not playing
    ASSERT_EQ(buffer->Play(kSoundPlayLooping), DS_OK);
    Pull(*mixer, 30);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_TRUE(atStop.Wait(0));
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_FALSE(atStop.Wait(0));
    EXPECT_EQ(PlayCursor(buffer.get()), 60u);
    EXPECT_EQ(Status(buffer.get()), 0u);
}

TEST_F(Buffers, NaturalEndNotifiesAndStopsAtTheStart) {
    Held<SoundBuffer> buffer = Mono16(44100, std::vector<std::int16_t>(100, 1));
    Event nearEnd(true, false);
    Event atStop(true, false);
    const PositionNotify positions[] = {{180, &nearEnd}, {kSoundNotifyOffsetStop, &atStop}};
    ASSERT_EQ(buffer->SetNotificationPositions(2, positions), DS_OK);
    ASSERT_EQ(buffer->Play(0), DS_OK);
    Pull(*mixer, 90);
    EXPECT_FALSE(nearEnd.Wait(0));
    Pull(*mixer, 5);
    EXPECT_TRUE(nearEnd.Wait(0));
    EXPECT_FALSE(atStop.Wait(0));
    EXPECT_EQ(Status(buffer.get()), kSoundStatusPlaying);
    Pull(*mixer, 10);
    EXPECT_TRUE(atStop.Wait(0));
    EXPECT_EQ(Status(buffer.get()), 0u);
    EXPECT_EQ(PlayCursor(buffer.get()), 0u);
}

TEST_F(Buffers, DuplicateSharesTheBytesButNotTheState) {
    Held<SoundBuffer> original = Mono16(44100, {10, 20, 30, 40, 50, 60});
    ASSERT_EQ(original->SetVolume(-600), DS_OK);
    SoundBuffer* made = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(original.get(), &made), DS_OK);
    Held<SoundBuffer> copy(made);
    int volume = 0;
    ASSERT_EQ(copy->GetVolume(volume), DS_OK);
    EXPECT_EQ(volume, -600); // starts with the original's

    Fill16(original.get(), {100, 200, 300, 400, 500, 600}); // seen by the copy
    ASSERT_EQ(original->SetVolume(kSoundVolumeMin), DS_OK);
    ASSERT_EQ(copy->SetVolume(0), DS_OK);
    ASSERT_EQ(copy->SetCurrentPosition(4), DS_OK);
    ASSERT_EQ(original->Play(kSoundPlayLooping), DS_OK);
    ASSERT_EQ(copy->Play(0), DS_OK);
    EXPECT_EQ(Pull(*mixer, 2), (std::vector<std::int16_t>{300, 300, 400, 400}));
    EXPECT_EQ(PlayCursor(original.get()), 4u);
    EXPECT_EQ(PlayCursor(copy.get()), 8u);
    ASSERT_EQ(original->GetVolume(volume), DS_OK);
    EXPECT_EQ(volume, kSoundVolumeMin);

    ASSERT_EQ(copy->Stop(), DS_OK);
    EXPECT_EQ(Status(original.get()), kSoundStatusPlaying | kSoundStatusLooping);
    original.reset(); // the copy keeps the bytes
    ASSERT_EQ(copy->Play(0), DS_OK);
    EXPECT_EQ(Pull(*mixer, 1), (std::vector<std::int16_t>{500, 500}));
}

TEST_F(Buffers, CreationChecksTheDescription) {
    struct Case {
        const char* what;
        std::uint32_t flags;
        std::uint32_t bytes;
        WaveFormat format;
        HResult expected;
    };
    WaveFormat adpcm = MakePcmFormat(1, 22050, 16);
    adpcm.formatTag = 2;
    WaveFormat badAlign = MakePcmFormat(2, 22050, 16);
    badAlign.blockAlign = 2;
    const Case cases[] = {
        {"8-bit stereo", kAllControls, 64, MakePcmFormat(2, 11025, 8), DS_OK},
        {"odd size is cut to frames", kAllControls, 7, MakePcmFormat(1, 44100, 16), DS_OK},
        {"3D mono", kSoundBufferCtrl3D | kSoundBufferCtrlVolume, 64, MakePcmFormat(1, 22050, 16), DS_OK},
        {"not PCM", 0, 64, adpcm, DSERR_BADFORMAT},
        {"24 bits", 0, 60, MakePcmFormat(1, 22050, 24), DSERR_BADFORMAT},
        {"3 channels", 0, 60, MakePcmFormat(3, 22050, 16), DSERR_BADFORMAT},
        {"rate too low", 0, 64, MakePcmFormat(1, 50, 16), DSERR_BADFORMAT},
        {"block size wrong", 0, 64, badAlign, DSERR_INVALIDPARAM},
        {"3D stereo", kSoundBufferCtrl3D, 64, MakePcmFormat(2, 22050, 16), DSERR_INVALIDPARAM},
        {"3D with pan", kSoundBufferCtrl3D | kSoundBufferCtrlPan, 64, MakePcmFormat(1, 22050, 16), DSERR_INVALIDPARAM},
        {"too small", 0, 2, MakePcmFormat(1, 22050, 16), DSERR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SoundBufferDesc desc{c.flags, c.bytes, &c.format};
        SoundBuffer* buffer = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(desc, &buffer), c.expected);
        EXPECT_EQ(buffer != nullptr, c.expected == DS_OK);
        if (buffer) {
            EXPECT_EQ(buffer->BufferBytes(), c.bytes - c.bytes % c.format.blockAlign);
            buffer->Release();
        }
    }
    SoundBufferDesc primaryWithSize{kSoundBufferPrimary, 64, nullptr};
    SoundBuffer* buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(primaryWithSize, &buffer), DSERR_INVALIDPARAM);
    SoundBufferDesc noFormat{0, 64, nullptr};
    EXPECT_EQ(device->CreateSoundBuffer(noFormat, &buffer), DSERR_INVALIDPARAM);
}

TEST_F(Buffers, ControlsNeedTheirFlagAndTheirRange) {
    Held<SoundBuffer> bare = Make(MakePcmFormat(1, 22050, 16), 64, 0);
    int value = 0;
    std::uint32_t hz = 0;
    Event event(false, false);
    const PositionNotify notify{0, &event};
    EXPECT_EQ(bare->SetVolume(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->GetVolume(value), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetPan(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetFrequency(22050), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->GetFrequency(hz), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetNotificationPositions(1, &notify), DSERR_CONTROLUNAVAIL);
    SoundBuffer3D* view = nullptr;
    EXPECT_EQ(bare->Get3DBuffer(&view), DSERR_NOINTERFACE);

    Held<SoundBuffer> full = Make(MakePcmFormat(1, 22050, 16), 64);
    EXPECT_EQ(full->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetPan(10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetFrequency(100001), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetCurrentPosition(64), DSERR_INVALIDPARAM);
    const PositionNotify outside{64, &event};
    const PositionNotify noEvent{0, nullptr};
    EXPECT_EQ(full->SetNotificationPositions(1, &outside), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetNotificationPositions(1, &noEvent), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetPan(-2500), DS_OK);
    ASSERT_EQ(full->GetPan(value), DS_OK);
    EXPECT_EQ(value, -2500);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(Buffers, LostBuffersRefuseToPlayUntilRestoredAndKeepTheirBytes) {
    Held<SoundBuffer> buffer = Mono16(44100, {700, 800});
    ASSERT_EQ(buffer->Play(kSoundPlayLooping), DS_OK);
    mixer->LoseAllBuffers();
    EXPECT_EQ(Status(buffer.get()), kSoundStatusBufferLost);
    EXPECT_EQ(buffer->Play(0), DSERR_BUFFERLOST);
    void* part = nullptr;
    std::uint32_t bytes = 0;
    EXPECT_EQ(buffer->Lock(0, 2, &part, &bytes, nullptr, nullptr, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(Pull(*mixer, 1), (std::vector<std::int16_t>{0, 0}));
    ASSERT_EQ(buffer->Restore(), DS_OK);
    EXPECT_EQ(Status(buffer.get()), 0u);
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0), DS_OK);
    EXPECT_EQ(Pull(*mixer, 1), (std::vector<std::int16_t>{700, 700}));
}

TEST_F(Buffers, PrimaryStoresFormatVolumeAndListener) {
    SoundBufferDesc desc{kSoundBufferPrimary | kSoundBufferCtrl3D, 0, nullptr};
    SoundBuffer* made = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(desc, &made), DS_OK);
    Held<SoundBuffer> primary(made);
    const WaveFormat format = MakePcmFormat(2, 22050, 16);
    ASSERT_EQ(primary->SetFormat(format), DS_OK);
    WaveFormat adpcm = format;
    adpcm.formatTag = 2;
    EXPECT_EQ(primary->SetFormat(adpcm), DSERR_BADFORMAT);
    WaveFormat read;
    ASSERT_EQ(primary->GetFormat(read), DS_OK);
    EXPECT_EQ(read.samplesPerSec, 22050u);
    EXPECT_EQ(read.blockAlign, 4);
    ASSERT_EQ(primary->SetVolume(-300), DS_OK);
    int volume = 0;
    ASSERT_EQ(primary->GetVolume(volume), DS_OK);
    EXPECT_EQ(volume, -300);
    EXPECT_EQ(primary->Play(kSoundPlayLooping), DS_OK);
    void* part = nullptr;
    std::uint32_t bytes = 0;
    EXPECT_EQ(primary->Lock(0, 4, &part, &bytes, nullptr, nullptr, 0), DSERR_INVALIDCALL);

    SoundListener3D* listener = nullptr;
    ASSERT_EQ(primary->GetListener(&listener), DS_OK);
    Held<SoundListener3D> heldListener(listener);
    Listener3DParams params;
    params.position = {0, -10000.0f, 0};
    params.orientFront = {0, 0, -1};
    ASSERT_EQ(listener->SetAllParameters(params, kSound3DImmediate), DS_OK);
    EXPECT_EQ(listener->SetRolloffFactor(11.0f, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(listener->SetDistanceFactor(0.0f, kSound3DImmediate), DSERR_INVALIDPARAM);
    // A second primary object is the same primary.
    SoundBuffer* again = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(desc, &again), DS_OK);
    Held<SoundBuffer> heldAgain(again);
    SoundListener3D* second = nullptr;
    ASSERT_EQ(again->GetListener(&second), DS_OK);
    Held<SoundListener3D> heldSecond(second);
    Listener3DParams stored;
    ASSERT_EQ(second->GetAllParameters(stored), DS_OK);
    EXPECT_EQ(stored, params);
    ASSERT_EQ(again->GetVolume(volume), DS_OK);
    EXPECT_EQ(volume, -300);
}

TEST_F(Buffers, ThreeDimensionalParametersAreCheckedStoredAndDuplicated) {
    Held<SoundBuffer> buffer =
        Make(MakePcmFormat(1, 22050, 16), 64, kSoundBufferCtrl3D | kSoundBufferCtrlVolume | kSoundBufferLocSoftware);
    SoundBuffer3D* view = nullptr;
    ASSERT_EQ(buffer->Get3DBuffer(&view), DS_OK);
    Held<SoundBuffer3D> held(view);
    EXPECT_EQ(view->SetMaxDistance(500.0f, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetMinDistance(2.0f, kSound3DDeferred), DS_OK);
    EXPECT_EQ(view->SetPosition(1, 2, 3, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetConeAngles(90, 180, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetConeOrientation(0, 1, 0, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetConeOutsideVolume(-500, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetMode(kSound3DModeHeadRelative, kSound3DImmediate), DS_OK);
    EXPECT_EQ(view->SetVelocity(4, 5, 6, kSound3DImmediate), DS_OK);
    // Refused changes leave the stored values alone.
    EXPECT_EQ(view->SetConeAngles(200, 100, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(view->SetConeAngles(90, 361, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(view->SetMinDistance(0.0f, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(view->SetMode(3, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(view->SetConeOutsideVolume(1, kSound3DImmediate), DSERR_INVALIDPARAM);
    EXPECT_EQ(view->SetPosition(0, 0, 0, 2), DSERR_INVALIDPARAM);

    Buffer3DParams expected;
    expected.position = {1, 2, 3};
    expected.velocity = {4, 5, 6};
    expected.insideConeAngle = 90;
    expected.outsideConeAngle = 180;
    expected.coneOrientation = {0, 1, 0};
    expected.coneOutsideVolume = -500;
    expected.minDistance = 2.0f;
    expected.maxDistance = 500.0f;
    expected.mode = kSound3DModeHeadRelative;
    Buffer3DParams read;
    ASSERT_EQ(view->GetAllParameters(read), DS_OK);
    EXPECT_EQ(read, expected);

    SoundBuffer* made = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(buffer.get(), &made), DS_OK);
    Held<SoundBuffer> copy(made);
    buffer.reset(); // the view keeps the original alive
    SoundBuffer3D* copyView = nullptr;
    ASSERT_EQ(copy->Get3DBuffer(&copyView), DS_OK);
    Held<SoundBuffer3D> heldCopy(copyView);
    ASSERT_EQ(copyView->GetAllParameters(read), DS_OK);
    EXPECT_EQ(read, expected);
    ASSERT_EQ(view->GetAllParameters(read), DS_OK);
    EXPECT_EQ(read, expected);
}

} // namespace
} // namespace sound_test
