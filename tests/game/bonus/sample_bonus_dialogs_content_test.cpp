// The bonus dialogs' sample content, as make-sample-content writes it, read
// by the dialogs.
#include "tools/sample_content/bonus_dialogs_content.h"

#include "framework/app/kavo_app_base.h"
#include "framework/widget/button_widget.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/bonus/game_bonuses.h"
#include "game/bonus/reward_dialog.h"
#include "game/ui/termins.h"
#include "tests/game/bonus/bonus_fixture.h"
#include "tools/sample_content/game_content.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

class SampleBonusDialogsContentTest : public BonusFixture {
protected:
    SampleBonusDialogsContentTest() {
        EXPECT_TRUE(Kavo::SampleContent::WriteGameContent(Platform().Folder()));
        EXPECT_TRUE(Kavo::SampleContent::WriteBonusDialogsContent(Platform().Folder()));
        mTerms->Load("data/termins.txt");
    }
    Kavo::KavoAppBase mApp;
    std::shared_ptr<Termins> mTerms = std::make_shared<Termins>();
    platform::Installed<Termins> mTermsSlot{TerminsSlot(), mTerms};
};

TEST_F(SampleBonusDialogsContentTest, TheDialogsFindTheirControlsPicturesAndTexts) {
    BonusUnlockDialog unlock("ui/BonusUnlock.txt");
    unlock.SetBonus(CreateGameBonus(5, nullptr));
    ASSERT_NE(unlock.mMessage, nullptr);
    EXPECT_EQ(unlock.mMessage->mLabel, "The pepper strikes items all over the board.");
    EXPECT_NE(unlock.GetLayout()->GetControl("Ok"), nullptr);

    RewardDialog reward("ui/reward.txt");
    reward.Show({});
    for (const RewardDialog::Slot& slot : reward.GetSlots()) {
        EXPECT_NE(slot.mSprite.GetImage(), nullptr) << slot.mReward;
        EXPECT_EQ(slot.mRect.mWidth, 96) << slot.mReward;
    }
    reward.SetHint(&reward.GetSlots()[9]);
    EXPECT_EQ(reward.GetHintText(), "Earn the RPuzzle award, level 1.");

    // The knife's hint, the line break's and the recolour's short hints.
    for (const char* key : {"KnifeHintShort", "LineBreakHintShort", "ReplaceHintShort", "GotScoresPerStage3"})
        EXPECT_NE(mTerms->Get(key), key);
}

} // namespace
} // namespace Game::Test
