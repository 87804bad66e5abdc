// The generated stage data reads back through the stage, goal, comment and
// bevel readers in the shapes the game's stages need.
#include "game/board/bevels.h"
#include "game/board/comments.h"
#include "game/board/stage_goals.h"
#include "game/board/stages.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "tools/sample_content/stage_content.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace Game {
namespace {

IniDocument Parse(const std::string& text) {
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    IniDocument document;
    document.Parse(text.data(), text.size(), true);
    return document;
}

TEST(SampleStageContentTest, FifteenStagesOnTheSampleLayouts) {
    IniDocument document = Parse(Kavo::SampleContent::StagesText());
    Stages stages;
    stages.LoadDocument(document);
    ASSERT_EQ(stages.GetCount(), 15);
    std::set<std::string> bonuses;
    for (int i = 0; i < stages.GetCount(); ++i) {
        const Stage& stage = *stages.GetStage(i);
        EXPECT_GE(stage.mFirstBoard, 0) << i;
        EXPECT_LE(stage.mLastBoard, 7) << i; // the sample has eight layouts
        // The stages play the boards of seven and eight cells a side.
        EXPECT_GE(stage.mFirstBoard, 4) << i;
        EXPECT_GE(stage.ItemsFor(0).size(), 3u) << i;
        EXPECT_GE(stage.ItemsFor(1000).size(), 3u) << i;
        for (int id : stage.ItemsFor(1000))
            EXPECT_LT(id, 13) << i; // ids of the sample catalogue
        EXPECT_FALSE(stage.mBack.empty());
        EXPECT_FALSE(stage.mSecretMap.empty());
        std::vector<std::string> names;
        stage.BonusesFor(0, names);
        bonuses.insert(names.begin(), names.end());
    }
    const Stage& first = *stages.GetStage(0);
    // Its own 7 x 6 board alone, with goals its 42 tiles' matches meet,
    // and two minutes for it: a new player reads its tips on the clock.
    EXPECT_EQ(first.mFirstBoard, 4);
    EXPECT_EQ(first.mLastBoard, 4);
    EXPECT_LE(first.mDrinkCount + first.mEatCount + first.mStuffCount, 60);
    EXPECT_EQ(first.mTime, 120);
    EXPECT_EQ(bonuses,
              (std::set<std::string>{"Knife", "Shuffle", "Hint", "LineBreak", "Timer", "Pepper", "Replace", "X2"}));
}

TEST(SampleStageContentTest, SettingsCommentsAndBevels) {
    IniDocument settings = Parse(Kavo::SampleContent::StageSettingsText());
    EXPECT_EQ(settings.GetSection("Penalty")->GetInt("Stage15", 0), 1500);
    EXPECT_TRUE(settings.GetSection("Bonuses")->HasKey("HintColor"));
    StageGoalSlots goals;
    StageGoals::Register(goals, settings);
    for (const auto& goal : goals) {
        EXPECT_NE(goal->mLevels[2], kStageGoalUnset) << goal->mName;
        EXPECT_NE(goal->mActivation[2], kStageGoalUnset) << goal->mName;
    }

    IniDocument commentsText = Parse(Kavo::SampleContent::CommentsText());
    Comments comments;
    LoadComments(commentsText, comments);
    EXPECT_EQ(comments.size(), 4u);
    EXPECT_TRUE(comments.at("Good").mGood);
    EXPECT_FALSE(comments.at("Bad").mGood);

    IniDocument bevelsText = Parse(Kavo::SampleContent::BevelsText());
    Bevels bevels;
    ASSERT_TRUE(bevels.LoadDocument(bevelsText));
    ASSERT_EQ(bevels.GetCount(), 3);
    for (int set = 0; set < 3; ++set) {
        const Bevel& bevel = *bevels.GetSet(set);
        EXPECT_EQ(bevel.mImageOutId, IMAGE_OUTBOX1_ID + 2 * set);
        EXPECT_EQ(bevel.mImageInId, IMAGE_INBOX1_ID + 2 * set);
        for (int d = 0; d < kBevelDirectionCount; ++d) {
            for (const auto* lists : {&bevel.mOutRects, &bevel.mInRects}) {
                ASSERT_FALSE((*lists)[static_cast<size_t>(d)].empty()) << d;
                for (const Kavo::IntRect& r : (*lists)[static_cast<size_t>(d)]) // inside the 120 x 90 pictures
                    EXPECT_TRUE(r.mX >= 0 && r.mY >= 0 && r.mX + r.mWidth <= 120 && r.mY + r.mHeight <= 90) << d;
            }
            EXPECT_FALSE(bevel.mOutOffsets[static_cast<size_t>(d)].empty()) << d;
            EXPECT_FALSE(bevel.mInOffsets[static_cast<size_t>(d)].empty()) << d;
        }
    }
}

} // namespace
} // namespace Game
