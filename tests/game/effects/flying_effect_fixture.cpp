#include "tests/game/effects/flying_effect_fixture.h"

#include "game/effects/trajectories_writer.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/game/board/board_fixture.h"
#include "tools/sample_content/flying_effects_content.h"

namespace Game::Test {

namespace {

TrajectoryPath Straight(const std::string& name) {
    std::unique_ptr<TrajectoryPath> path = Trajectories::MakeLine(kCentreX, kCentreY, kCentreX + 300, kCentreY);
    path->mName = name;
    return *path;
}

} // namespace

FlyingEffectTest::FlyingEffectTest() : mPreviousFolder(platform::GetCurrentFolder()) {
    const std::string folder = Platform().Folder();
    EXPECT_TRUE(Kavo::SampleContent::WriteFlyingEffectsContent(folder));
    EXPECT_TRUE(platform::WriteWholeFile(folder + "/paths.dat",
                                         EncodeTrajectories({Straight("Rank_3_4"), Straight("Reward3")})));
    EXPECT_TRUE(mPaths->Load(folder + "/paths.dat", true));
    platform::SetCurrentFolder(folder);

    IMAGE_RANK = Picture(96, 32, 3);
    IMAGE_PARTICLES = Picture(128, 128, 4);
    IMAGE_PARTICLES->mNumRows = 4;
    IMAGE_SPARKLE = Picture(64, 16, 4);
    IMAGE_BUBBLE = Picture(48, 12, 4);
    IMAGE_MAP_RANK_STARS = Picture(96, 24, 4);

    auto manager = std::make_shared<PictureResourceManager>();
    auto add = [&](const std::string& name, Kavo::MemoryImage* picture) {
        Kavo::SharedImage& record = mRecords.emplace_back();
        record.mImage = picture;
        manager->AddLoadedImage(name, Kavo::SharedImageHandle(&record));
    };
    add("knifeitem", Picture(100, 40));
    add("knifeitembroke", Picture(8 * 11, 30));
    mManager = manager;
    mManagerSlot = std::make_unique<platform::Installed<GameResourceManager>>(GameResourceManagerSlot(), mManager);
    EXPECT_TRUE(platform::WriteWholeFile(folder + "/items.txt", "[Item1]\r\nID=1\r\nCursor=knifeitem\r\n"));
    EXPECT_TRUE(mCatalog->Load(folder + "/items.txt"));
}

FlyingEffectTest::~FlyingEffectTest() {
    IMAGE_RANK = IMAGE_PARTICLES = IMAGE_SPARKLE = IMAGE_BUBBLE = IMAGE_MAP_RANK_STARS = nullptr;
    platform::SetCurrentFolder(mPreviousFolder);
}

Kavo::MemoryImage* FlyingEffectTest::Picture(int width, int height, int cols) {
    mPictures.push_back(std::make_unique<Kavo::MemoryImage>());
    Kavo::MemoryImage* picture = mPictures.back().get();
    picture->Create(width, height);
    picture->mNumCols = cols;
    std::uint32_t* bits = picture->GetBits();
    std::fill(bits, bits + static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    picture->BitsChanged();
    return picture;
}

void FlyingEffectTest::Step(EffectBase& effect, int updates) {
    for (int i = 0; i < updates; ++i) {
        Platform().Clock().Advance(10);
        effect.Update();
        effect.Update(1.0f);
    }
}

} // namespace Game::Test
