#include "game/effects/particle.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/effects/effect_test.h"

#include <optional>
#include <string>
#include <vector>

namespace Game {
namespace {

class ParticleTest : public EffectTest {
protected:
    ParticleTest() {
        mPicture.Create(96, 32);
        mPicture.mNumCols = 3;
        std::uint32_t* bits = mPicture.GetBits();
        std::fill(bits, bits + 96 * 32, 0xFFFFFFFFu);
        mPicture.BitsChanged();
    }
    Kavo::MemoryImage mPicture;
};

TEST_F(ParticleTest, FadesOutAfter85UpdatesAndThenStaysPut) {
    Particle particle(1.0f, 0.0f, 0.0f, &mPicture);
    particle.mX = 100;
    particle.mY = 100;
    EXPECT_EQ(RunEffect(particle, 200), 85);
    EXPECT_LE(particle.mAlpha, 0.0f);
    const float x = particle.mX;
    particle.Update(1.0f);
    EXPECT_EQ(particle.mX, x);
    EXPECT_EQ(particle.mUpdateCount, 85);
}

TEST_F(ParticleTest, FliesBallisticallyScaledByTheFraction) {
    Particle particle(1.0f, 0.0f, 0.5f, &mPicture);
    particle.mX = 10;
    particle.mY = 20;
    particle.Update(1.0f);
    particle.Update(1.0f);
    EXPECT_FLOAT_EQ(particle.mX, 12.0f);
    EXPECT_FLOAT_EQ(particle.mY, 21.5f);
    // Half an update moves half as far but fades by a whole step.
    Particle half(2.0f, 0.0f, 0.0f, &mPicture);
    half.Update(0.5f);
    EXPECT_FLOAT_EQ(half.mX, 1.0f);
    EXPECT_FLOAT_EQ(half.mAlpha, 252.0f);
}

TEST_F(ParticleTest, CelAdvancesEverySixthUpdateAndWrapsOnTheFirstRow) {
    Particle particle(0, 0, 0, &mPicture);
    particle.mFade = 0.1f;
    std::vector<int> cels;
    for (int update = 1; update <= 18; ++update) {
        particle.Update(1.0f);
        if (update % 6 == 5 || update % 6 == 0)
            cels.push_back(particle.mCel);
    }
    EXPECT_EQ(cels, (std::vector<int>{0, 1, 1, 2, 2, 0}));

    // Without cels to show (no image, or a grid of none) the cel stays 0
    // and nothing is drawn.
    Kavo::MemoryImage noGrid;
    noGrid.Create(8, 8);
    noGrid.mNumCols = 0;
    for (Kavo::Image* image : {static_cast<Kavo::Image*>(nullptr), static_cast<Kavo::Image*>(&noGrid)}) {
        Particle bare(0, 0, 0, image);
        for (int i = 0; i < 12; ++i)
            bare.Update(1.0f);
        EXPECT_EQ(bare.mCel, 0);
        Kavo::RecordingImage dest(100, 100);
        Kavo::Graphics g(&dest);
        bare.Draw(&g);
        EXPECT_TRUE(dest.mCalls.empty());
    }
}

TEST_F(ParticleTest, DrawCountsAndPositionsWithAndWithout3D) {
    Kavo::RecordingImage picture(96, 32);
    picture.mNumCols = 3;
    struct Case {
        bool hardware3D;
        bool rect;
        float scale;
        size_t draws;
    };
    const Case cases[] = {
        {true, false, 1.0f, 2},  {true, false, 2.0f, 1},  {true, true, 1.0f, 2},  {true, true, 2.0f, 2},
        {false, false, 1.0f, 1}, {false, false, 2.0f, 1}, {false, true, 1.0f, 1}, {false, true, 2.0f, 1},
    };
    for (const Case& c : cases) {
        std::optional<ScopedHardware3D> hardware3D;
        if (c.hardware3D)
            hardware3D.emplace();
        Kavo::RecordingImage dest(200, 200);
        Kavo::Graphics g(&dest);
        RectParticle rect(0, 0, 0, &picture, Kavo::IntRect(32, 0, 32, 32));
        Particle plain(0, 0, 0, &picture);
        Particle& particle = c.rect ? static_cast<Particle&>(rect) : plain;
        particle.mX = 10.7f;
        particle.mY = 20.9f;
        particle.mScale = c.scale;
        if (c.rect)
            rect.Draw(&g, 255.0f);
        else
            plain.Draw(&g);
        const std::string label =
            std::string(c.hardware3D ? "3D " : "2D ") + (c.rect ? "rect " : "cel ") + std::to_string(c.scale);
        ASSERT_EQ(dest.mCalls.size(), c.draws) << label;
        for (const std::string& call : dest.mCalls) {
            EXPECT_NE(call.find("m1"), std::string::npos) << label << ": additive by default: " << call;
            if (c.scale == 1.0f && c.hardware3D) {
                EXPECT_EQ(call.substr(0, 15), "BltF 10.7,20.9 ") << label;
            } else if (c.scale == 1.0f) {
                EXPECT_EQ(call.substr(0, 10), "Blt 10,20 ") << label;
            }
        }
        // The source: the cel for a particle, the stored rectangle for a
        // rectangle particle.
        EXPECT_NE(dest.mCalls[0].find(c.rect ? "[32,0,32,32]" : "[0,0,32,32]"), std::string::npos) << label;
        // Nothing leaks out of the pushed state.
        EXPECT_FALSE(g.GetColorizeImages());
        EXPECT_EQ(g.GetDrawMode(), 0);
    }
}

TEST_F(ParticleTest, RectParticleScalesItsAlphaByTheOwnersFactor) {
    Kavo::RecordingImage picture(64, 64);
    struct Case {
        float alpha;
        float factor;
        const char* colour;
    };
    const Case cases[] = {
        {255, 255, "(0,0,0,255)"}, {200, 255, "(0,0,0,200)"}, {200, 0, "(0,0,0,0)"}, {200, 128, "(0,0,0,100)"}};
    for (const Case& c : cases) {
        Kavo::RecordingImage dest(100, 100);
        Kavo::Graphics g(&dest);
        RectParticle particle(0, 0, 0, &picture, Kavo::IntRect(0, 0, 16, 16));
        particle.mAlpha = c.alpha;
        particle.Draw(&g, c.factor);
        ASSERT_EQ(dest.mCalls.size(), 1u);
        EXPECT_NE(dest.mCalls[0].find(c.colour), std::string::npos) << dest.mCalls[0];
    }
    // The plain Draw of the effect list draws nothing: the owner draws it.
    Kavo::RecordingImage dest(100, 100);
    Kavo::Graphics g(&dest);
    RectParticle particle(0, 0, 0, &picture, Kavo::IntRect(0, 0, 16, 16));
    static_cast<EffectBase&>(particle).Draw(&g);
    EXPECT_TRUE(dest.mCalls.empty());
}

} // namespace
} // namespace Game
