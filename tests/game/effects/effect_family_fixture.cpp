#include "tests/game/effects/effect_family_fixture.h"

#include "game/effects/effect_twirl.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/game/board/ascii_board.h"
#include "tools/sample_content/effect_family_content.h"
#include "tools/sample_content/effects_content.h"
#include "tools/sample_content/scene_content.h"

#include <algorithm>

namespace Game {

int RecordingListener::Count(char kind) const {
    return static_cast<int>(
        std::count_if(mCalls.begin(), mCalls.end(), [kind](const auto& call) { return call.first == kind; }));
}

EffectFamilyTest::EffectFamilyTest() : mPreviousFolder(platform::GetCurrentFolder()) {
    const std::string root = Platform().Folder();
    EXPECT_TRUE(Kavo::SampleContent::WriteEffectFamilyContent(root));
    EXPECT_TRUE(Kavo::SampleContent::WriteEffectsContent(root));
    EXPECT_TRUE(Kavo::SampleContent::WriteSceneContent(root));
    platform::SetCurrentFolder(root);
    struct Global {
        Kavo::Image** global;
        int width;
        int height;
    };
    const Global globals[] = {
        {&IMAGE_PARTICLES, 128, 128}, {&IMAGE_COMBO1_1, 200, 60},
        {&IMAGE_COMBO1_2, 200, 60},   {&IMAGE_COMBO2_1, 200, 60},
        {&IMAGE_COMBO2_2, 200, 60},   {&IMAGE_BREAD, 50, 50},
        {&IMAGE_CELLBLINK, 200, 50},  {&IMAGE_HINT_HORZ, 100, 50},
        {&IMAGE_HINT_VERT, 50, 100},  {&IMAGE_LIGHTNING, 200, 200},
        {&IMAGE_MENUTEXT, 200, 80},   {&IMAGE_BONUS_HINT, 80, 80},
        {&IMAGE_DEEP0, 50, 50},       {&IMAGE_DEEP1, 800, 500},
        {&IMAGE_DEEP2, 800, 500},     {&IMAGE_LEVEL_COMPLETE, 300, 100},
    };
    for (const Global& g : globals) {
        mSavedGlobals.emplace_back(g.global, *g.global);
        *g.global = Opaque(g.width, g.height);
    }
    EffectTwirl::ResetToggle();
    mBoard.SetOrigin(177, 103);
}

EffectFamilyTest::~EffectFamilyTest() {
    for (auto& [global, previous] : mSavedGlobals)
        *global = previous;
    platform::SetCurrentFolder(mPreviousFolder);
}

Kavo::MemoryImage* EffectFamilyTest::Opaque(int width, int height) {
    Kavo::MemoryImage& image = mImages.emplace_back();
    image.Create(width, height);
    std::fill(image.GetBits(), image.GetBits() + static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    image.BitsChanged();
    return &image;
}

void EffectFamilyTest::WriteFile(const std::string& name, const std::string& text) {
    const std::string path = Platform().Folder() + "/" + name;
    EXPECT_TRUE(platform::MakeDirectories(path.substr(0, path.find_last_of('/'))));
    EXPECT_TRUE(platform::WriteWholeFile(path, text));
}

void EffectFamilyTest::SetBoard(const std::vector<std::string>& rows) {
    Game::Test::SetBoardFromAscii(mBoard, rows);
}

void EffectFamilyTest::Step(EffectBase& effect, int update, RecordingListener* listener) {
    if (listener != nullptr)
        listener->mUpdate = update;
    effect.Update();
    effect.Update(1.0f);
}

void EffectFamilyTest::ClearScreen() {
    std::fill(mScreen.GetBits(), mScreen.GetBits() + static_cast<size_t>(kScreenWidth) * kScreenHeight, 0u);
    mScreen.BitsChanged();
}

bool EffectFamilyTest::ScreenIsClear() {
    const std::uint32_t* bits = mScreen.GetBits();
    return std::all_of(bits, bits + static_cast<size_t>(kScreenWidth) * kScreenHeight,
                       [](std::uint32_t p) { return p == 0; });
}

} // namespace Game
