// Sound descriptions: the key lines, the group codes, the list and the
// loading of wave data from the installed storages.
#include "engine/sound/sound_descr_list.h"
#include "engine/sound/wave_format_bytes.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace engine_sound_test {
namespace {

using Sound::SoundDescr_t;

class SoundDescription : public EngineSound {
protected:
    std::unique_ptr<SoundDescr_t> Parsed(const std::string& text, bool* known = nullptr) {
        PutText(descriptions.get(), "probe", text);
        FileDescr_t* file = descriptions->OpenFile("probe", 0);
        auto descr = std::make_unique<SoundDescr_t>();
        const bool result = descr->Parse(file);
        descriptions->CloseFile(file);
        if (known != nullptr)
            *known = result;
        return descr;
    }
};

TEST_F(SoundDescription, KeyLines) {
    bool known = false;
    auto descr = Parsed("; a comment\r\n"
                        "Position = 7,8,9\n"
                        "Position=1.5,2\n"
                        "ConeOrientation=0.5\n"
                        "IsLoop=1\nisloop=0\n"
                        "DelAfterPlay = 3\n"
                        "Is3D=0\n"
                        "Volume=-300\nMinTime=5\nMaxTime=99999999999\n"
                        "InsideConeAngle=30\nMaxDistance=2.5\n"
                        "WaveName = click \nWaveName=\n"
                        "no equals sign here\n"
                        "ConnectToModel=1\n"
                        "Group= interf \n",
                        &known);
    EXPECT_TRUE(known);
    EXPECT_EQ(descr->name, "probe");
    EXPECT_EQ(descr->params3D.position, (platform::Vector3{1.5f, 2.0f, 9.0f}));
    EXPECT_EQ(descr->params3D.coneOrientation, (platform::Vector3{0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(descr->flags, SoundDescr_t::IsLoop | SoundDescr_t::DelAfterPlay);
    EXPECT_EQ(descr->volume, -300);
    EXPECT_EQ(descr->minTime, 5);
    EXPECT_EQ(descr->maxTime, 2147483647);
    EXPECT_EQ(descr->params3D.insideConeAngle, 30u);
    EXPECT_EQ(descr->params3D.outsideConeAngle, 360u);
    EXPECT_FLOAT_EQ(descr->params3D.maxDistance, 2.5f);
    EXPECT_FLOAT_EQ(descr->params3D.minDistance, 0.1f);
    EXPECT_EQ(descr->waveName, "click");
    EXPECT_EQ(descr->group, SoundDescr_t::GroupInterf);
}

TEST(SoundDescrGroups, GroupCodes) {
    const std::pair<const char*, int> cases[] = {
        {"Dialog", 0}, {"EFFECT", 1}, {"world", 2}, {" Music ", 3}, {" interf ", 4}, {"Interface", 6}, {"", 6},
    };
    for (const auto& [name, code] : cases)
        EXPECT_EQ(SoundDescr_t::GroupCode(name), code) << name;
    EXPECT_EQ(SoundDescr_t::GroupCode(nullptr), 6);
}

TEST_F(SoundDescription, ListKeepsKnownGroupsAndFindsIgnoringCase) {
    PutText(descriptions.get(), "Background", "Group=Music\nIsStreamed=1\nIsLoop=1\n");
    PutText(descriptions.get(), "base", "Group=Interf\nDelAfterPlay=1\n");
    PutText(descriptions.get(), "nogroup", "Volume=-100\n");
    PutText(descriptions.get(), "badgroup", "Group=Loud\n");
    Sound::SoundDescrList_t list;
    list.Load();
    EXPECT_EQ(list.Count(), 2u);
    ASSERT_NE(list.Find("Background"), nullptr);
    EXPECT_EQ(list.Find("BACKGROUND"), list.Find("background"));
    EXPECT_TRUE(list.Find("background")->Has(SoundDescr_t::IsStreamed));
    EXPECT_NE(list.Find("base"), nullptr);
    EXPECT_EQ(list.Find("nogroup"), nullptr);
    EXPECT_EQ(list.Find(nullptr), nullptr);
    list.Clear();
    EXPECT_EQ(list.Find("base"), nullptr);
}

TEST_F(SoundDescription, LoadsTheOggBeforeTheWavAndDecodesStaticOgg) {
    const auto tone = enc::Tone(1, 22050, 0.5, 440);
    const Bytes ogg = enc::EncodeOgg(1, 22050, tone);
    const Bytes wav = enc::MakeWav(1, 22050, 16, Constant16(100, 5));
    Put(waves.get(), "x.ogg", ogg);
    Put(waves.get(), "x.wav", wav);
    Put(waves.get(), "onlywav.wav", wav);

    auto streamed = Parsed("Group=Music\nIsStreamed=1\nWaveName=x\nLoadOnStart=1\n");
    EXPECT_EQ(streamed->waveKind, SoundDescr_t::WaveOgg);
    EXPECT_FALSE(streamed->decoded);
    EXPECT_EQ(streamed->waveData, ogg);

    auto decoded = Parsed("Group=Effect\nWaveName=X\n");
    EXPECT_TRUE(decoded->waveData.empty());
    decoded->LoadWaveData();
    EXPECT_EQ(decoded->waveKind, SoundDescr_t::WaveOgg);
    EXPECT_TRUE(decoded->decoded);
    ASSERT_EQ(decoded->waveData.size(), tone.size() * 2 + SoundDescr_t::kPcmImageHeader);
    const platform::WaveFormat format = Sound::ReadWaveFormat(decoded->waveData.data());
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.samplesPerSec, 22050u);
    EXPECT_EQ(Sound::ReadLe32(decoded->waveData.data() + 18), tone.size() * 2);

    auto plain = Parsed("Group=Effect\nWaveName=onlywav\nLoadOnStart=1\n");
    EXPECT_EQ(plain->waveKind, SoundDescr_t::WaveWav);
    EXPECT_EQ(plain->waveData, wav);

    // A new wave name frees the data; the same one (any case) keeps it.
    plain->SetWaveName("ONLYWAV");
    EXPECT_EQ(plain->waveData, wav);
    plain->SetWaveName("missing");
    EXPECT_TRUE(plain->waveData.empty());
    plain->LoadWaveData();
    EXPECT_TRUE(plain->waveData.empty());
}

TEST_F(SoundDescription, DialogGroupWithoutItsStorageLoadsNothing) {
    Put(waves.get(), "line.wav", enc::MakeWav(1, 22050, 16, Constant16(10, 1)));
    auto dialog = Parsed("Group=Dialog\nWaveName=line\nLoadOnStart=1\n");
    EXPECT_TRUE(dialog->waveData.empty());
    EXPECT_EQ(dialog->waveKind, SoundDescr_t::WaveNothing);
}

TEST_F(SoundDescription, StaticOggThatPromisesNothingIsBadData) {
    // Headers only: the stream opens but holds no samples.
    const Bytes ogg = enc::EncodeOgg(1, 22050, {});
    Put(waves.get(), "empty.ogg", ogg);
    auto descr = Parsed("Group=Effect\nWaveName=empty\n");
    EXPECT_EQ(SoundErrorOf([&] { descr->LoadWaveData(); }), 9);
}

} // namespace
} // namespace engine_sound_test
