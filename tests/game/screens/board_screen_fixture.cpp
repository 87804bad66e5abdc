#include "tests/game/screens/board_screen_fixture.h"

#include "framework/util/buffer.h"
#include "framework/widget/widget_manager.h"
#include "game/screens/stage_table_goals.h"
#include "game/ui/ini_document.h"
#include "platform/crt_random.h"
#include "tools/sample_content/board_content.h"
#include "tools/sample_content/board_screen_content.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/stage_content.h"

#include <algorithm>

namespace Game::Test {

void StandInEffect::Update() {
    if (!mPerFrame)
        Age();
}

void StandInEffect::Update(float) {
    if (mPerFrame)
        Age();
}

void StandInEffect::Age() {
    if (mDone || --mLife > 0)
        return;
    mDone = true;
    if (mDoneCall)
        mDoneCall();
}

std::unique_ptr<EffectBase> StandInEffects::Make(int life, Done done, bool perFrame) {
    if (life <= 0)
        return nullptr;
    return std::make_unique<StandInEffect>(life, std::move(done), perFrame);
}

int SoundLog::Count(const std::string& name) const {
    return static_cast<int>(std::count(mPlayed.begin(), mPlayed.end(), name));
}

void CountingBoardBlock::Save(Kavo::Buffer& buffer) {
    const int before = buffer.GetDataLen();
    BoardProfileAdapter::Save(buffer);
    mLastBlock = buffer.GetDataLen() - before;
}

BoardScreenFixture::BoardScreenFixture() {
    EXPECT_TRUE(Kavo::SampleContent::WriteBoardScreenContent(WorkFolder()));

    IniDocument stages;
    const std::string stagesText = Kavo::SampleContent::StagesText();
    stages.Parse(stagesText.data(), stagesText.size(), true);
    mStages->LoadDocument(stages);
    const std::string bytes = Kavo::SampleContent::BoardsDatBytes();
    Kavo::Buffer buffer;
    buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    EXPECT_TRUE(mDefs->Read(buffer));
    IniDocument items;
    const std::string itemsText = Kavo::SampleContent::ItemsText();
    items.Parse(itemsText.data(), itemsText.size(), true);
    EXPECT_TRUE(mItems->LoadDocument(items));
    mGoalTable = std::make_unique<platform::Installed<StageGoalTable>>(StageGoalTableSlot(),
                                                                       std::make_shared<StageTableGoals>());

    platform::MakeDirectories(Platform().Folder() + "/Users");
    mUsers->LoadAll(Platform().Folder() + "/Users/users.dat");
    auto* user = new User;
    user->mName = "Ann";
    mUsers->AddUser(user);
    platform::CrtSrand(4512);
    mHooks.mEffects = mEffects;
}

BoardScreenFixture::~BoardScreenFixture() {
    // The profile's board block goes before the screen that holds the board.
    mBoardBlock.reset();
}

void BoardScreenFixture::MakeScreen() {
    mScreen = new BoardScreen(mHooks);
    mApp.mBoardScreen = mScreen;
    mScreen->Resize(0, 0, GameApp::kGameWidth, GameApp::kGameHeight);
    mApp.mWidgetManager->AddWidget(mScreen);
    mBlock = std::make_shared<CountingBoardBlock>(mScreen->mBoard);
    mBoardBlock = std::make_unique<platform::Installed<ProfileBoard>>(ProfileBoardSlot(), mBlock);
}

void BoardScreenFixture::Step(int updates) {
    for (int i = 0; i < updates; ++i) {
        mScreen->Update();
        mScreen->UpdateF(1.0f);
    }
}

void BoardScreenFixture::EnterAndSettle() {
    mScreen->OnEnter();
    for (int i = 0; i < 2000 && !(mScreen->mState == BoardScreen::kPlaying && mScreen->mEffects[3].IsEmpty() &&
                                  mScreen->mEffects[2].IsEmpty());
         ++i)
        Step();
}

void BoardScreenFixture::AddRegistryBonuses(int count, Kavo::Image* picture) {
    for (int i = 0; i < count; ++i) {
        auto bonus = std::make_unique<Bonus>(nullptr);
        bonus->mImage = picture;
        bonus->mIndex = i;
        bonus->mName = "Bonus" + std::to_string(i);
        bonus->mEnabled = true;
        mRegistry->Add(std::move(bonus));
    }
}

} // namespace Game::Test
