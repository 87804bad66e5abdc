#include "game/meta/secret_dialog.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/meta/meta_screen_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

// A postcard centred at (500, 300) with three pieces in a row; the last one
// flashes at (700, 50). Every picture has a size of its own, so that the
// drawn source rectangles tell which was drawn.
class SecretDialogTest : public MetaScreenFixture {
protected:
    SecretDialogTest() {
        WriteWorkFile("UI/Secret.txt", "[Main]\r\nID=5\r\nPosition=300,200,400,300\r\nBeginX=500\r\nBeginY=350\r\n"
                                       "Speed=100000\r\n[Ok]\r\nType=DialogButton\r\nID=1\r\nPosition=10,250,80,30\r\n"
                                       "[Text]\r\nType=Point\r\nX=10\r\nY=20\r\n"
                                       "[DogEye]\r\nType=Point\r\nX=30\r\nY=15\r\n");
        IniDocument maps;
        const std::string text = "[Map1]\r\nFrame=frame1\r\nMap=full1\r\nX=500\r\nY=300\r\n"
                                 "Items=p1,-100,0;p2,0,0;p3,100,0,700,50\r\n";
        maps.Parse(text.data(), text.size(), true);
        mMaps.AddDocument(maps);
        mApp.mSizes = {{"images/dog", {120, 90}}, {"images/dogeye", {12, 8}}, {"frame1", {310, 210}},
                       {"full1", {300, 200}},     {"p1", {40, 30}},           {"p2", {42, 30}},
                       {"p3", {44, 30}},          {"p3glow", {50, 50}}};
        IMAGE_GLOW = mGlow.get();
    }
    ~SecretDialogTest() override { IMAGE_GLOW = nullptr; }

    std::unique_ptr<SecretDialog> Make(int found, float x, float y, const std::string& map = "Map1") {
        auto dialog = std::make_unique<SecretDialog>(found, map, x, y);
        dialog->mDialogListener = &mResults;
        return dialog;
    }
    // The smooth steps until the flight ends; their number, or -1.
    int Fly(SecretDialog& dialog, int* half = nullptr) {
        for (int i = 1; i <= 1000; ++i) {
            dialog.UpdateF(1.0f);
            if (half != nullptr && *half == 0 && dialog.GetState() == SecretDialog::kFlyingSecondHalf)
                *half = i;
            if (dialog.GetState() != SecretDialog::kFlyingFirstHalf &&
                dialog.GetState() != SecretDialog::kFlyingSecondHalf)
                return i;
        }
        return -1;
    }
    // How many times a picture of that size was drawn.
    int Drawn(SecretDialog& dialog, int width, int height) {
        Kavo::RecordingImage dest(1024, 768);
        Kavo::Graphics g(&dest);
        g.Translate(dialog.mX, dialog.mY);
        dialog.Draw(&g);
        const std::string rect = Kavo::RecordingImage::R(Kavo::IntRect(0, 0, width, height));
        int count = 0;
        for (const std::string& call : dest.mCalls)
            count += call.find(rect) != std::string::npos ? 1 : 0;
        return count;
    }

    std::unique_ptr<Kavo::MemoryImage> mGlow = [] {
        auto image = std::make_unique<Kavo::MemoryImage>();
        image->Create(20, 20);
        return image;
    }();
};

TEST_F(SecretDialogTest, APieceFliesToItsSpotInAHundredStepsAndFlashes) {
    auto dialog = Make(2, 300.0f, 300.0f); // 200 px left of p2's spot
    EXPECT_EQ(mSounds->Count("postcardpartfound"), 1);
    EXPECT_FLOAT_EQ(dialog->GetTarget().x, 500.0f);
    EXPECT_FLOAT_EQ(dialog->GetTarget().y, 300.0f);
    EXPECT_EQ(Drawn(*dialog, 40, 30), 1); // the piece found before
    EXPECT_EQ(Drawn(*dialog, 42, 30), 1); // the flying one
    int half = 0;
    const int steps = Fly(*dialog, &half);
    EXPECT_EQ(half, 50);
    EXPECT_TRUE(steps == 100 || steps == 101) << steps;
    EXPECT_EQ(dialog->GetState(), SecretDialog::kPlaced);
    EXPECT_TRUE(dialog->HasFlash());
    EXPECT_NEAR(dialog->GetPiecePosition().x, 500.0f, 0.1f);
    EXPECT_EQ(Drawn(*dialog, 42, 30), 1);
    EXPECT_EQ(Drawn(*dialog, 44, 30), 0);
    EXPECT_EQ(Drawn(*dialog, 310, 210), 1);
    EXPECT_EQ(Drawn(*dialog, 120, 90), 1);
}

TEST_F(SecretDialogTest, APieceFoundNextToItsSpotStartsFurtherOff) {
    auto dialog = Make(1, 430.0f, 300.0f); // 30 px from p1's spot at (400, 300)
    EXPECT_FLOAT_EQ(dialog->GetStart().x, 455.0f);
    EXPECT_FLOAT_EQ(dialog->GetStart().y, 325.0f);
    EXPECT_GT(Fly(*dialog), 0);
}

TEST_F(SecretDialogTest, TheLastPieceShowsTheCompletePostcardAHundredUpdatesLater) {
    for (int found : {3, 7}) {
        SCOPED_TRACE(found);
        mSounds->mPlayed.clear();
        auto dialog = Make(found, 600.0f, 500.0f);
        EXPECT_EQ(dialog->GetFound(), 3);
        EXPECT_TRUE(dialog->IsComplete());
        EXPECT_GT(Fly(*dialog), 0);
        ASSERT_EQ(dialog->GetState(), SecretDialog::kCompleteWaiting);
        for (int i = 0; i < 99; ++i)
            dialog->Update();
        EXPECT_EQ(dialog->GetState(), SecretDialog::kCompleteWaiting);
        EXPECT_EQ(mSounds->Count("postcartcomplete"), 0);
        dialog->Update();
        EXPECT_EQ(dialog->GetState(), SecretDialog::kCompleteShown);
        EXPECT_EQ(mSounds->Count("postcartcomplete"), 1);
        EXPECT_TRUE(dialog->HasBurst());
        EXPECT_EQ(Drawn(*dialog, 300, 200), 1);
        EXPECT_EQ(Drawn(*dialog, 310, 210), 0);
        EXPECT_EQ(Drawn(*dialog, 40, 30) + Drawn(*dialog, 42, 30) + Drawn(*dialog, 44, 30), 0);
    }
}

TEST_F(SecretDialogTest, WithoutANewestPieceNothingFliesAndTheButtonStillCloses) {
    struct Case {
        const char* name;
        int found;
        const char* map;
        int frames; // frame pictures drawn
    };
    const Case cases[] = {
        {"nothing found", 0, "Map1", 1},
        {"unknown map", 2, "Nowhere", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mResults.mResults.clear();
        auto dialog = Make(c.found, 100.0f, 100.0f, c.map);
        EXPECT_EQ(dialog->GetState(), SecretDialog::kPlaced);
        dialog->UpdateF(1.0f);
        dialog->Update();
        EXPECT_EQ(dialog->GetState(), SecretDialog::kPlaced);
        EXPECT_FALSE(dialog->HasFlash());
        EXPECT_EQ(Drawn(*dialog, 310, 210), c.frames);
        EXPECT_EQ(Drawn(*dialog, 120, 90), 1);
        dialog->ButtonDepress(2);
        EXPECT_TRUE(mResults.mResults.empty());
        dialog->ButtonDepress(SecretDialog::kCloseButton);
        EXPECT_EQ(dialog->mResult, SecretDialog::kClosedResult);
        EXPECT_EQ(mResults.mResults, (std::vector<std::pair<int32_t, int32_t>>{{5, 1}}));
    }
}

} // namespace
} // namespace Game::Test
