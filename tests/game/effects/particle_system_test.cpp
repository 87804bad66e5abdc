#include "game/effects/particle_system.h"

#include "framework/graphics/graphics.h"
#include "game/ui/resource_ids.h"
#include "platform/crt_random.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/effects/effect_test.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

// Puts a picture into a resource id's global for the length of a test.
class ScopedImageResource {
public:
    ScopedImageResource(Kavo::Image*& global, Kavo::Image* image) : mGlobal(global), mPrevious(global) {
        global = image;
    }
    ~ScopedImageResource() { mGlobal = mPrevious; }

private:
    Kavo::Image*& mGlobal;
    Kavo::Image* mPrevious;
};

class ParticleSystemTest : public EffectTest {
protected:
    // A description file of the "Default" section with these lines (CR LF).
    std::string Describe(const std::vector<std::string>& lines) {
        std::string text = "[Default]\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        const std::string path = Platform().Folder() + "/particles" + std::to_string(mFiles++) + ".ini";
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }

    ParticleSystemTest() {
        mSparkle.Create(64, 64);
        std::uint32_t* bits = mSparkle.GetBits();
        std::fill(bits, bits + 64 * 64, 0xFFFFFFFFu);
        mSparkle.BitsChanged();
    }

    Kavo::MemoryImage mSparkle;
    ScopedImageResource mSharedSparkle{IMAGE_SPARKLE, &mSparkle};
    platform::Installed<ParticleRectCounter> mFreshCounter{ParticleRectCounterSlot(),
                                                           std::make_shared<ParticleRectCounter>()};

private:
    int mFiles = 0;
};

bool SameColor(const ColorF& a, const ColorF& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

TEST_F(ParticleSystemTest, ColourForms) {
    const ColorF white{1, 1, 1, 1};
    struct Case {
        std::vector<std::string> lines;
        std::vector<ColorF> start;
        std::vector<ColorF> end;
    };
    const Case cases[] = {
        {{"colColorStartR=0.5", "colColorEndG=0.25", "colColorStart=0,0,0,0;0,0,0,0"},
         {{0.5f, 1, 1, 1}},
         {{1, 0.25f, 1, 1}}},
        {{"colColorStart=1,0,0,1;0,1,0,1;", "colColorEnd=0,0,1,0.5"}, {{1, 0, 0, 1}, {0, 1, 0, 1}}, {{0, 0, 1, 0.5f}}},
        {{"colColorStart= 1,0 ; ;"}, {{1, 0, 0, 0}}, {white}},
        {{"colColorStart=;", "colColorEnd="}, {white}, {white}},
        {{}, {white}, {white}},
    };
    for (const Case& c : cases) {
        ParticleSystem system(Describe(c.lines), 50);
        ASSERT_EQ(system.mStartColors.size(), c.start.size()) << c.lines.size();
        ASSERT_EQ(system.mEndColors.size(), c.end.size());
        for (size_t i = 0; i < c.start.size(); ++i)
            EXPECT_TRUE(SameColor(system.mStartColors[i], c.start[i])) << i;
        for (size_t i = 0; i < c.end.size(); ++i)
            EXPECT_TRUE(SameColor(system.mEndColors[i], c.end[i])) << i;
    }
}

TEST_F(ParticleSystemTest, TextureRectanglesAreReadUntilTheFirstEmptyKey) {
    using R = Kavo::IntRect;
    struct Case {
        const char* image;
        std::vector<std::string> rects;
        std::vector<R> expected;
    };
    const Case cases[] = {
        {"IMAGE_SPARKLE", {"0,0,16,16", "16,0,16,16"}, {R(0, 0, 16, 16), R(16, 0, 16, 16)}},
        {"IMAGE_SPARKLE", {"", "16,0,16,16"}, {}},
        {"IMAGE_SPARKLE", {"0,0,16", "16,0,16,16"}, {R(16, 0, 16, 16)}},
        {"IMAGE_SPARKLE",
         {"0,0,0,16", "0,0,16,-1", "60,0,16,16", "-1,0,4,4", ",1,2,3", "1,2,3,", "1 ,2,3,4", "1,2,3,4,5",
          "99999999999,0,1,1", "48,48,16,16"},
         {R(48, 48, 16, 16)}},
        {"no_such_picture", {"0,0,16,16"}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {std::string("ImageFile=") + c.image};
        for (size_t i = 0; i < c.rects.size(); ++i)
            lines.push_back("TextureRect" + std::to_string(i) + "=" + c.rects[i]);
        ParticleSystem system(Describe(lines), 50);
        EXPECT_EQ(system.mTextureRects, c.expected) << c.rects.front();
    }
}

TEST_F(ParticleSystemTest, ImageFileGivesASharedPictureOnlyForEarlyImageIds) {
    Kavo::RecordingImage particles(128, 128);
    ScopedImageResource sharedParticles(IMAGE_PARTICLES, &particles);
    ParticleSystem shared(Describe({"ImageFile=IMAGE_SPARKLE"}), 50);
    EXPECT_EQ(shared.mImage, &mSparkle);
    EXPECT_FALSE(shared.mOwnsImage);
    // A font, a late image id and a plain name are file names under
    // "images/": with no such file (and no application) there is no picture.
    // A bound font is never taken for a picture (only its address is compared).
    Kavo::Font* const previousFont = FONT_DEFAULT;
    FONT_DEFAULT = reinterpret_cast<Kavo::Font*>(&particles);
    for (const char* name : {"FONT_DEFAULT", "SOUND_CLICK", "IMAGE_PARTICLES", "sparkle"}) {
        ParticleSystem system(Describe({std::string("ImageFile=") + name}), 50);
        EXPECT_EQ(system.mImage, nullptr) << name;
        EXPECT_EQ(system.mImageName, name);
    }
    FONT_DEFAULT = previousFont;
}

TEST_F(ParticleSystemTest, SequentialRectanglesTakeTheirTurnsAcrossSystems) {
    const std::string file = Describe({"ImageFile=IMAGE_SPARKLE", "bUseRandomRect=0", "nEmission=100",
                                       "TextureRect0=0,0,8,8", "TextureRect1=8,0,8,8", "TextureRect2=16,0,8,8"});
    ParticleSystem first(file, 0);
    ParticleSystem second(file, 0);
    first.MoveTo(100, 100);
    second.MoveTo(100, 100);
    first.Simulate(0.02f);  // two particles
    second.Simulate(0.02f); // two more, from the same counter
    ASSERT_EQ(first.GetLiveCount(), 2);
    ASSERT_EQ(second.GetLiveCount(), 2);
    const std::vector<int> xs = {first.GetParticle(0).source.mX, first.GetParticle(1).source.mX,
                                 second.GetParticle(0).source.mX, second.GetParticle(1).source.mX};
    EXPECT_EQ(xs, (std::vector<int>{8, 16, 0, 8}));
}

TEST_F(ParticleSystemTest, UpdateRunsAtMostOneFixedStepPerCall) {
    const std::string file = Describe({"fLifetime=100", "nEmission=0"});
    ParticleSystem system(file, 50);
    system.MoveTo(0, 0);
    std::vector<float> ages;
    for (int call = 0; call < 4; ++call) {
        system.Update(1.0f);
        ages.push_back(system.mAge);
    }
    EXPECT_NEAR(ages[0], 0.0f, 1e-6);
    EXPECT_NEAR(ages[1], 0.02f, 1e-6);
    EXPECT_NEAR(ages[2], 0.02f, 1e-6);
    EXPECT_NEAR(ages[3], 0.04f, 1e-6);
    ParticleSystem big(file, 50);
    big.MoveTo(0, 0);
    big.Update(5.0f);
    EXPECT_NEAR(big.mAge, 0.02f, 1e-6);
    big.Update(1.0f); // the dropped steps do not come back
    EXPECT_NEAR(big.mAge, 0.02f, 1e-6);
    // A rate of 0 or below simulates by the elapsed time.
    for (float rate : {0.0f, -50.0f}) {
        ParticleSystem elapsed(file, rate);
        EXPECT_EQ(elapsed.mFixedStep, 0.0f);
        elapsed.MoveTo(0, 0);
        elapsed.Update(5.0f);
        EXPECT_NEAR(elapsed.mAge, 0.05f, 1e-6);
    }
}

TEST_F(ParticleSystemTest, FiniteEmissionEndsWhileParticlesFly) {
    ParticleSystem system(Describe({"nEmission=128", "fLifetime=0.5", "ImageFile=IMAGE_SPARKLE"}), 64);
    EXPECT_TRUE(system.IsDone()); // not fired yet
    system.MoveTo(512, 384);
    EXPECT_FALSE(system.IsDone());
    int doneAt = 0;
    for (int call = 1; call <= 40 && doneAt == 0; ++call) {
        system.Update(2.0f);
        EXPECT_EQ(system.GetLiveCount(), std::min(call, 31) * 2) << call;
        if (system.IsDone())
            doneAt = call;
    }
    EXPECT_EQ(doneAt, 32);
    EXPECT_EQ(system.GetLiveCount(), 62);
    Kavo::RecordingImage dest(1024, 768);
    Kavo::Graphics g(&dest);
    system.Draw(&g);
    EXPECT_EQ(dest.mCalls.size(), 62u); // still visible
}

TEST_F(ParticleSystemTest, NeverMoreThan500Particles) {
    ParticleSystem system(Describe({"nEmission=100000", "fParticleLifeMin=10", "fParticleLifeMax=10"}), 50);
    system.MoveTo(0, 0);
    for (int call = 0; call < 10; ++call) {
        system.Update(2.0f);
        EXPECT_LE(system.GetLiveCount(), ParticleSystem::kMaxParticles);
    }
    EXPECT_EQ(system.GetLiveCount(), ParticleSystem::kMaxParticles);
}

// Where the first particle is after `seconds` of updates of 10 ms.
float RiseAfter(ParticleSystem& system, int updates) {
    for (int i = 0; i < updates; ++i)
        system.Update(1.0f);
    return system.GetParticle(0).y;
}

TEST_F(ParticleSystemTest, SpeedsArePerStep) {
    const std::string file = Describe({"fDirection=0", "fSpread=0", "fSpeedMin=1", "fSpeedMax=1", "nEmission=10",
                                       "fParticleLifeMin=9", "fParticleLifeMax=9"});
    float perSecond[2];
    int index = 0;
    for (float rate : {50.0f, 100.0f}) {
        ParticleSystem system(file, rate);
        system.MoveTo(500, 500);
        const float start = RiseAfter(system, 100);
        const float end = RiseAfter(system, 100);
        perSecond[index++] = start - end; // upwards: y falls
    }
    EXPECT_NEAR(perSecond[0], 50.0f, 1e-2);
    EXPECT_NEAR(perSecond[1], 100.0f, 1e-2);
}

TEST_F(ParticleSystemTest, TheSameSeedGivesTheSameParticles) {
    const std::string file = Describe({"nEmission=200", "AppearMode=1", "SizeX=40", "SizeY=20", "fSpeedMin=0.5",
                                       "fSpeedMax=3", "fRadialAccelMin=-2", "fTangentialAccelMax=3"});
    std::vector<float> runs[2];
    for (std::vector<float>& positions : runs) {
        platform::CrtSrand(1234);
        ParticleSystem system(file, 50);
        system.MoveTo(300, 200);
        for (int i = 0; i < 60; ++i)
            system.Update(1.0f);
        for (int i = 0; i < system.GetLiveCount(); ++i) {
            positions.push_back(system.GetParticle(i).x);
            positions.push_back(system.GetParticle(i).y);
        }
    }
    EXPECT_FALSE(runs[0].empty());
    EXPECT_EQ(runs[0], runs[1]);
}

TEST_F(ParticleSystemTest, BirthAreas) {
    struct Case {
        std::vector<std::string> lines;
        float maxDx, maxDy;
    };
    const Case cases[] = {
        {{"AppearMode=0"}, 2, 2},
        {{"AppearMode=1", "SizeX=40", "SizeY=10"}, 20, 5},
        {{"AppearMode=2", "SizeX=40", "SizeY=10"}, 20, 5},
        {{"AppearMode=2", "SizeX=0", "SizeY=10"}, 0, 5},
        {{"AppearMode=2", "SizeX=-5", "SizeY=-5"}, 0, 0},
        {{"AppearMode=7"}, 2, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.lines;
        lines.push_back("nEmission=5000");
        lines.push_back("fSpeedMin=0");
        lines.push_back("fSpeedMax=0");
        ParticleSystem system(Describe(lines), 0);
        system.MoveTo(100, 100);
        system.Simulate(0.1f);
        ASSERT_EQ(system.GetLiveCount(), ParticleSystem::kMaxParticles) << c.lines[0];
        for (int i = 0; i < system.GetLiveCount(); ++i) {
            const ParticleState& p = system.GetParticle(i);
            ASSERT_LE(std::fabs(p.x - 100), c.maxDx + 1e-3f) << c.lines[0];
            ASSERT_LE(std::fabs(p.y - 100), c.maxDy + 1e-3f) << c.lines[0];
            if (c.lines[0] == "AppearMode=2" && c.maxDx > 0) {
                const float u = (p.x - 100) / 20;
                const float v = (p.y - 100) / 5;
                ASSERT_LE(u * u + v * v, 1.0f + 1e-3f);
            }
        }
    }
}

TEST_F(ParticleSystemTest, DrawsEveryLiveParticleInItsColour) {
    ParticleSystem system(Describe({"ImageFile=IMAGE_SPARKLE", "colColorStart=1,0.5,0,1", "colColorEnd=1,0.5,0,1",
                                    "fColorVar=0", "fAlphaVar=0", "iDrawMode=5", "TextureRect0=0,0,16,16"}),
                          50);
    EXPECT_EQ(system.mDrawMode, 1);
    system.MoveTo(500, 400);
    system.Update(2.0f);
    ASSERT_EQ(system.GetLiveCount(), 1);
    Kavo::RecordingImage dest(1024, 768);
    Kavo::Graphics g(&dest);
    g.SetDrawMode(0);
    system.Draw(&g);
    ASSERT_EQ(dest.mCalls.size(), 1u);
    EXPECT_NE(dest.mCalls[0].find("(255,127,0,255) m1"), std::string::npos) << dest.mCalls[0];
    EXPECT_NE(dest.mCalls[0].find("[0,0,16,16]"), std::string::npos) << dest.mCalls[0];
    EXPECT_FALSE(g.GetColorizeImages());
    EXPECT_EQ(g.GetDrawMode(), 0);

    // Without a picture nothing is drawn.
    ParticleSystem bare(Describe({"ImageFile=no_such_picture"}), 50);
    bare.MoveTo(500, 400);
    bare.Update(2.0f);
    EXPECT_GT(bare.GetLiveCount(), 0);
    Kavo::RecordingImage none(1024, 768);
    Kavo::Graphics g2(&none);
    bare.Draw(&g2);
    EXPECT_TRUE(none.mCalls.empty());
}

// A file without a "Default" section (or no file at all) keeps the defaults,
// white and opaque among them, and the system still fires.
TEST_F(ParticleSystemTest, AnUnreadableDescriptionFiresWithTheDefaults) {
    const std::string empty = Platform().Folder() + "/empty.ini";
    ASSERT_TRUE(platform::WriteWholeFile(empty, ""));
    for (const std::string& path : {empty, Platform().Folder() + "/missing.ini"}) {
        ParticleSystem system(path, 50);
        system.MoveTo(500, 400);
        for (int i = 0; i < 10; ++i)
            system.Update(1.0f);
        EXPECT_GT(system.GetLiveCount(), 0) << path;
    }
}

TEST_F(ParticleSystemTest, HostileDescriptionsRunAndDraw) {
    const std::vector<std::vector<std::string>> descriptions = {
        {"colColorStart=;", "colColorEnd=;"},
        {"AppearMode=2", "SizeX=0", "SizeY=0"},
        {"AppearMode=2", "SizeX=nan", "SizeY=inf"},
        {"AppearMode=-3"},
        {"fParticleLifeMin=0", "fParticleLifeMax=0"},
        {"fParticleLifeMin=-5", "fParticleLifeMax=-1"},
        {"fParticleLifeMin=nan", "fParticleLifeMax=nan"},
        {"fParticleLifeMin=inf", "fParticleLifeMax=inf"},
        {"nEmission=2147483647", "fLifetime=1e30"},
        {"nEmission=-100"},
        {"fSizeStart=1e38", "fSizeEnd=-1e38", "fSpinStart=1e38", "fSpeedMax=1e38", "fGravityMax=1e38"},
        {"fRadialAccelMin=nan", "fTangentialAccelMax=inf", "colColorStart=nan,inf,-inf,1e30"},
        {"TextureRect0=0,0,0,0", "TextureRect1=5,5,-5,5"},
        {"ImageFile=FONT_DEFAULT", "TextureRect0=0,0,1,1"},
        {"bUseRandomRect=0", "TextureRect0=0,0,1,1", "bRelative=1"},
    };
    for (float rate : {50.0f, 0.0f}) {
        for (const std::vector<std::string>& lines : descriptions) {
            std::vector<std::string> withImage = lines;
            withImage.insert(withImage.begin(), "ImageFile=IMAGE_SPARKLE");
            ParticleSystem system(Describe(withImage), rate);
            system.MoveTo(512, 384);
            Kavo::Graphics g(&mScreen);
            for (int i = 0; i < 1000; ++i) {
                system.Update(i % 7 == 0 ? 13.0f : 1.0f);
                if (i == 500)
                    system.MoveTo(100, 700);
                if (i % 250 == 0)
                    system.Draw(&g);
                ASSERT_LE(system.GetLiveCount(), ParticleSystem::kMaxParticles);
            }
        }
    }
}

} // namespace
} // namespace Game
