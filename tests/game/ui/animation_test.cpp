#include "game/ui/animation.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/ini_document.h"

#include "framework/graphics/graphics.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <cmath>

#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

class AnimationTest : public Kavo::HeadlessEnvironment {
protected:
    // Loads an ".anim" text whose "Main" section is `main`, with a sprite
    // section of four 10x10 frames drawing a recording image.
    void Load(Animation& anim, const std::string& main) {
        const std::string path = Platform().Folder() + "/test" + std::to_string(mFiles++) + ".anim";
        const std::string text = "[Main]\r\nSprite=Pic\r\n" + main + "[Pic]\r\nImageFile=pic\r\nRects=0,0,10,10\r\n" +
                                 "ColCount=4\r\nRowCount=1\r\n";
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
        anim.LoadFile(path);
        ASSERT_NE(anim.GetImageDesc(), nullptr);
        anim.GetImageDesc()->mImage = &mPicture;
    }

    std::vector<int> FramesOver(Animation& anim, int updates) {
        std::vector<int> frames;
        for (int i = 0; i < updates; ++i) {
            anim.Update();
            frames.push_back(anim.mCurrentFrame);
        }
        return frames;
    }

    int mFiles = 0;
    Kavo::RecordingImage mPicture{40, 10};
    std::shared_ptr<ImageDescCache> mCache = std::make_shared<ImageDescCache>();
    platform::Installed<ImageDescCache> mCacheSlot{ImageDescCacheSlot(), mCache};
};

TEST_F(AnimationTest, FramesLoopFinishOrStay) {
    Animation loop;
    Load(loop, "Frames=0,1,2\r\nFrameDelay=10\r\n");
    loop.Restart();
    std::vector<int> frames = FramesOver(loop, 31);
    EXPECT_EQ(frames[8], 0);
    EXPECT_EQ(frames[9], 1); // the 10th update moves on
    EXPECT_EQ(frames[19], 2);
    EXPECT_EQ(frames[29], 0); // and wraps
    EXPECT_TRUE(loop.IsRunning());

    Animation once;
    Load(once, "Frames=0,1,2\r\nFrameDelay=10\r\nNeverEnding=0\r\n");
    once.Restart();
    FramesOver(once, 29);
    EXPECT_TRUE(once.IsRunning());
    once.Update();
    EXPECT_TRUE(once.IsDone());
    EXPECT_FALSE(once.IsRunning());
    EXPECT_EQ(once.mCurrentFrame, 2);

    Animation stay;
    Load(stay, "Frames=0,1,2\r\nFrameDelay=10\r\nStayOnLast=1\r\nNeverEnding=0\r\n");
    stay.Restart();
    FramesOver(stay, 100);
    EXPECT_FALSE(stay.IsDone());
    EXPECT_TRUE(stay.mFinishedOnLast);
    EXPECT_EQ(stay.mCurrentFrame, 2);
    Kavo::RecordingImage dest(100, 100);
    Kavo::Graphics g(&dest);
    stay.SetPosition(50, 50);
    stay.Draw(&g);
    ASSERT_EQ(dest.mCalls.size(), 1u);
    EXPECT_EQ(dest.mCalls[0], "Blt 45,45 [20,0,10,10] (255,255,255,255) m0");
}

TEST_F(AnimationTest, HeldAnimationDoesNotChange) {
    Animation anim;
    Load(anim, "Frames=0,1\r\nFrameDelay=1\r\nScales=1,2\r\n");
    EXPECT_TRUE(anim.IsHeld());
    FramesOver(anim, 5);
    EXPECT_EQ(anim.mCurrentFrame, 0);
    EXPECT_EQ(anim.mTick, 0);
    EXPECT_EQ(anim.mScale, 1.0f);
}

TEST_F(AnimationTest, ScaleInterpolatesWithinAFrame) {
    Animation anim;
    Load(anim, "Frames=0,1\r\nFrameDelay=10\r\nScales=1,2\r\n");
    anim.Restart();
    FramesOver(anim, 5);
    EXPECT_EQ(anim.mFrameTick, 5);
    EXPECT_FLOAT_EQ(anim.mScale, 1.5f);
    FramesOver(anim, 10); // frame 1, tick 5: back toward 1
    EXPECT_FLOAT_EQ(anim.mScale, 1.5f);
    EXPECT_EQ(anim.mCurrentFrame, 1);
}

TEST_F(AnimationTest, ColourCycleFadesAlpha) {
    Animation anim;
    Load(anim, "Frames=0\r\nFrameDelay=1000\r\nStartColor=80FF0000\r\nEndColor=FF0000\r\nColorDelay=100\r\n");
    anim.Restart();
    FramesOver(anim, 10);
    EXPECT_EQ(anim.mCurrentColor.mAlpha, 153);
    EXPECT_EQ(anim.mCurrentColor.mRed, 255);
    FramesOver(anim, 50);
    EXPECT_EQ(anim.mCurrentColor.mAlpha, 229);
    EXPECT_EQ(anim.mCurrentColor.mRed, 255);
    EXPECT_EQ(anim.mCurrentColor.mGreen, 0);

    anim.SetColor(Kavo::Color(255, 255, 255, 100));
    EXPECT_EQ(anim.mColors.size(), 3u);
    EXPECT_EQ(anim.mColors[1], Kavo::Color(255, 255, 255, 100));
    EXPECT_EQ(anim.mCurrentColor, Kavo::Color(255, 255, 255, 100));
}

TEST_F(AnimationTest, AssignCopiesPlayStateAndSharesTheDescription) {
    Animation source;
    Load(source, "Frames=0,1,2\r\nFrameDelay=3\r\nX=7\r\n");
    source.Restart();
    FramesOver(source, 4);
    Animation copy;
    copy.Assign(source);
    EXPECT_EQ(copy.GetImageDesc(), source.GetImageDesc());
    EXPECT_FALSE(copy.OwnsImageDesc());
    EXPECT_EQ(copy.mCurrentFrame, 1);
    EXPECT_EQ(copy.mFrames, source.mFrames);
    EXPECT_EQ(copy.mX, 7.0f);
    EXPECT_TRUE(copy.IsRunning());

    // An owned description is copied, not shared.
    source.SetOwnedImageDesc(std::make_unique<ImageDesc>(*source.GetImageDesc()));
    copy.Assign(source);
    EXPECT_TRUE(copy.OwnsImageDesc());
    EXPECT_NE(copy.GetImageDesc(), source.GetImageDesc());
}

TEST_F(AnimationTest, MissingFileLeavesItEmpty) {
    Animation anim;
    anim.LoadFile(Platform().Folder() + "/none.anim");
    anim.Restart();
    FramesOver(anim, 3);
    EXPECT_EQ(anim.GetImageDesc(), nullptr);
    EXPECT_EQ(anim.mTick, 0);
}

// Files that once divided by zero, read past the colours or past a list.
TEST_F(AnimationTest, HostileFilesRunCleanly) {
    const char* mains[] = {
        "Frames=0,1,2\r\nFrameDelay=0\r\nScales=1,2,3\r\nAngles=0,90,180\r\n",
        "Frames=0,1,2\r\nFrameDelays=-5,0\r\nScales=1,2\r\nUseDeltaAngle=0\r\n",
        "Frames=0,1\r\nFrameDelay=0\r\nUseDeltaAngle=-3\r\nAngle=10\r\n",
        "UseDeltaAngle=2\r\nAngles=1,2\r\n",
        "Frames=0,1,2\r\nStartColor=FF00FF00\r\nEndColor=800000FF\r\nColorDelay=1\r\n",
        "Frames=0,1,2\r\nStartColor=FF00FF00\r\nEndColor=800000FF\r\nColorDelay=3\r\n",
        "Frames=0,1,2\r\nStartColor=FF00FF00\r\nEndColor=800000FF\r\nColorDelay=-7\r\n",
        "Frames=0,1,2,3,4,5\r\nStartColor=FF00FF00\r\nColorDelay=0\r\nFrameDelay=1\r\n",
        "Frames=9,-1,99999999\r\nFrameDelay=2\r\nColors=1,2\r\n",
        "Frames=0,1\r\nStartFrame=7\r\nScales=1,2\r\nAngles=1,2\r\nColor=FF0000\r\n",
        "Frames=0,1\r\nStartFrame=-3\r\nScales=1,2\r\n",
        "Frames=x,,1\r\nFrameDelays=a,b\r\nScales=q\r\n",
    };
    Kavo::RecordingImage dest(100, 100);
    Kavo::Graphics g(&dest);
    for (const char* main : mains) {
        Animation anim;
        Load(anim, main);
        anim.Restart();
        for (int i = 0; i < 1000; ++i) {
            anim.Update();
            anim.Draw(&g);
            anim.DrawOverlay(&g);
        }
        EXPECT_TRUE(std::isfinite(anim.mScale)) << main;
        EXPECT_TRUE(std::isfinite(anim.mAngle)) << main;
    }
}

} // namespace
} // namespace Game
