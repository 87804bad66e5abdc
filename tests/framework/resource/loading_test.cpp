// Loading groups of records, one at a time or whole, the lookups, and
// freeing groups again.
#include "framework/font/image_font.h"
#include "framework/font/sys_font.h"
#include "tests/framework/resource/resource_fixture.h"
#include "tools/sample_content/sample_font.h"

namespace Kavo {
namespace {

class LoadingTest : public ResourceFixture {
protected:
    // Loads the body with paths relative to the temporary folder.
    void LoadInFolder(const std::string& body) {
        ASSERT_TRUE(Load("<Resources id=\"Defaults\">" + FolderDefaults() + "</Resources>\n" + body))
            << mManager.GetErrorText();
    }
    void WriteFont() {
        const SampleContent::GlyphSheet sheet = SampleContent::PlaceholderSheet();
        WritePng("sheet.png", sheet.mWidth, sheet.mHeight, 0xFFFFFFFF);
        WriteText("font.txt", SampleContent::FontDescriptorText(sheet, "sheet.png"));
        WriteText("legacy.txt", SampleContent::LegacyDescriptorText(sheet));
    }
};

TEST_F(LoadingTest, UnknownGroupLoadsNothingAndSucceeds) {
    LoadInFolder(R"(<Resources id="G"><Image path="a.png"/></Resources>)");
    EXPECT_FALSE(mManager.LoadNextResource()); // no group started
    EXPECT_TRUE(mManager.LoadGroup("Nowhere"));
    EXPECT_TRUE(mManager.IsGroupLoaded("Nowhere"));
    EXPECT_EQ(mManager.GetNumResources("Nowhere"), 0);
    EXPECT_FALSE(mManager.Image("a")->IsLoaded());
}

TEST_F(LoadingTest, FailureStopsTheGroupUntilItIsStartedAgain) {
    WritePng("b.png", 2, 2, 0xFF102030);
    LoadInFolder(R"(<Resources id="G"><Image path="a.png"/><Image path="b.png"/><Image path="!program"/></Resources>)");

    EXPECT_FALSE(mManager.LoadGroup("G"));
    EXPECT_EQ(mManager.GetErrorText(), "Failed to load image: " + Path("a.png"));
    EXPECT_FALSE(mManager.IsGroupLoaded("G"));
    // The failed flag holds the group back although "b" is still to load.
    EXPECT_FALSE(mManager.LoadNextResource());
    EXPECT_FALSE(mManager.Image("b")->IsLoaded());

    WritePng("a.png", 2, 2, 0xFF405060);
    mManager.StartLoadGroup("G");
    EXPECT_FALSE(mManager.HadError());
    EXPECT_TRUE(mManager.LoadNextResource());
    EXPECT_TRUE(mManager.LoadNextResource());
    EXPECT_FALSE(mManager.LoadNextResource()); // the program's own is skipped
    EXPECT_FALSE(mManager.HadError());
    EXPECT_TRUE(mManager.Image("b")->IsLoaded());
    EXPECT_FALSE(mManager.Image("!program")->IsLoaded());
}

TEST_F(LoadingTest, LookupsThrowForUnloadedIdsAndGetImageLoads) {
    WritePng("a.png", 2, 2, 0xFF405060);
    LoadInFolder(R"(<Resources id="G"><Image id="A" path="a.png"/><Image id="GONE" path="gone.png"/></Resources>)");

    try {
        mManager.RequireImage("A");
        ADD_FAILURE() << "no exception";
    } catch (const ResourceManagerException& e) {
        EXPECT_STREQ(e.what(), "Image resource not found: A");
    }
    // An earlier error text is what the next lookup carries.
    try {
        mManager.RequireSound("NONE");
        ADD_FAILURE() << "no exception";
    } catch (const ResourceManagerException& e) {
        EXPECT_STREQ(e.what(), "Image resource not found: A");
    }

    SharedImageHandle image = mManager.GetImage("A");
    ASSERT_NE(image.GetImage(), nullptr);
    EXPECT_EQ(image.GetImage()->mWidth, 2);
    EXPECT_EQ(mManager.RequireImage("A").GetImage(), image.GetImage());
    EXPECT_EQ(mManager.GetImage("GONE").GetImage(), nullptr);
    EXPECT_EQ(mManager.GetImage("UNKNOWN").GetImage(), nullptr);

    mManager.StartLoadGroup("G");
    EXPECT_THROW(mManager.RequireFont("F"), ResourceManagerException);
    EXPECT_EQ(mManager.GetErrorText(), "Font resource not found: F");
    mManager.DeleteImage("A");
    EXPECT_FALSE(mManager.Image("A")->IsLoaded());
}

TEST_F(LoadingTest, ImageAttributesReachTheImage) {
    WritePng("strip.png", 4, 2, 0xFF808080);
    WritePng("mask.png", 4, 2, 0xFF000080);
    WritePng("cel.png", 2, 2, 0xFF000040);
    WritePng("plain.png", 4, 2, 0xFF808080);
    LoadInFolder(R"(<Resources id="G">
<Image id="STRIP" path="strip.png" cols="2" anim="loop" framedelay="3" a4r4g4b4 minsubdivide alphaimage="mask.png"/>
<Image id="GRID" path="plain.png" cols="2" nopal nobits a8r8g8b8 alphagrid="cel.png"/>
</Resources>)");
    ASSERT_TRUE(mManager.LoadGroup("G")) << mManager.GetErrorText();

    MemoryImage* strip = mManager.RequireImage("STRIP");
    EXPECT_EQ(strip->mNumCols, 2);
    EXPECT_EQ(strip->mNumRows, 1);
    ASSERT_NE(strip->mAnimInfo, nullptr);
    EXPECT_EQ(strip->mAnimInfo->mNumCels, 2);
    EXPECT_EQ(strip->mAnimInfo->mFrameDelay, 3);
    EXPECT_EQ(strip->mTextureHints, 4u | 1u);
    EXPECT_NE(strip->mColorTable, nullptr); // palettised
    EXPECT_TRUE(strip->mHasAlpha);
    EXPECT_EQ(strip->GetBits()[5], 0x80808080u); // the mask's blue as alpha

    MemoryImage* grid = mManager.RequireImage("GRID");
    EXPECT_EQ(grid->mColorTable, nullptr);
    EXPECT_TRUE(grid->mPurgeBits);
    EXPECT_EQ(grid->mTextureHints, 8u);
    EXPECT_EQ(grid->mAnimInfo, nullptr);
    const uint32_t* bits = grid->GetBits();
    ASSERT_NE(bits, nullptr);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(bits[i], 0x40808080u) << i;
}

TEST_F(LoadingTest, AlphaPicturesOfAnotherSizeFailTheGroup) {
    struct Case {
        const char* attribute;
        const char* error;
    };
    const Case cases[] = {
        {"alphaimage=\"small.png\"", "AlphaImage size mismatch between "},
        {"alphagrid=\"small.png\"", "GridAlphaImage size mismatch between "},
        {"alphaimage=\"none.png\"", "Failed to load image: "},
    };
    WritePng("small.png", 3, 3, 0xFF0000FF);
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute);
        const std::string image = "big" + std::to_string(index++) + ".png";
        WritePng(image, 4, 4, 0xFF808080);
        TestResourceManager manager{std::make_unique<FakeResourceServices>()};
        WriteText("m.xml", "<ResourceManifest><Resources id=\"G\">" + FolderDefaults() + "<Image path=\"" + image +
                               "\" cols=\"2\" " + c.attribute + "/></Resources></ResourceManifest>");
        ASSERT_TRUE(manager.LoadManifest(Path("m.xml")));
        EXPECT_FALSE(manager.LoadGroup("G"));
        const std::string expected = std::string(c.error) == "Failed to load image: "
                                         ? c.error + Path("none.png")
                                         : c.error + Path(image) + " and " + Path("small.png");
        EXPECT_EQ(manager.GetErrorText(), expected);
    }
}

TEST_F(LoadingTest, SoundsTakeFreeIdsAndTheirVolumeAndPan) {
    WriteText("a.wav", "x");
    WriteText("b.au", "x");
    LoadInFolder(R"(<Resources id="S">
<Sound id="MUTE" path="a" volume="0.0" pan="200"/>
<Sound id="PLAIN" path="b"/>
</Resources>
<Resources id="T"><Sound id="MISSING" path="c"/></Resources>)");
    ASSERT_TRUE(mManager.LoadGroup("S")) << mManager.GetErrorText();
    const int mute = mManager.RequireSound("MUTE");
    const int plain = mManager.RequireSound("PLAIN");
    EXPECT_NE(mute, plain);
    EXPECT_EQ(mServices->mVolumes, (std::map<int32_t, double>{{mute, 0.0}}));
    EXPECT_EQ(mServices->mPans, (std::map<int32_t, int32_t>{{mute, 200}}));

    EXPECT_FALSE(mManager.LoadGroup("T"));
    EXPECT_EQ(mManager.GetErrorText(), "Failed to load sound: " + Path("c"));

    mManager.DeleteGroup("S");
    EXPECT_EQ(mServices->mReleasedSounds, (std::set<int32_t>{mute, plain}));
    EXPECT_FALSE(mManager.Sound("MUTE")->IsLoaded());

    mServices->mSoundIdLimit = 0;
    EXPECT_FALSE(mManager.LoadGroup("S"));
    EXPECT_EQ(mManager.GetErrorText(), "Out of free sound ids");
}

TEST_F(LoadingTest, FontsOfEveryKind) {
    WriteFont();
    LoadInFolder(R"(<Resources id="Fonts">
<Font id="DESC" path="font.txt" tags="flat,	Bold
 x"/>
<Font id="LEGACY" path="legacy.txt" image=")" +
                 Path("sheet.png") + R"("/>
<Font id="SYS" path="!sys:Sans" size="11" shadow />
</Resources>
<Resources id="Refs"><Font id="COPY" path="!ref:DESC"/></Resources>
<Resources id="Bad"><Font id="BROKEN" path="nothing.txt"/></Resources>)");
    ASSERT_TRUE(mManager.LoadGroup("Fonts")) << mManager.GetErrorText();

    auto* desc = dynamic_cast<ImageFont*>(mManager.RequireFont("DESC"));
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->mTagVector, (std::vector<std::string>{"FLAT", "BOLD", "X"}));
    auto* legacy = dynamic_cast<ImageFont*>(mManager.RequireFont("LEGACY"));
    ASSERT_NE(legacy, nullptr);
    EXPECT_TRUE(legacy->IsLoaded());
    EXPECT_NE(mManager.FontRecord("LEGACY")->mImage, nullptr);
    auto* sys = dynamic_cast<SysFont*>(mManager.RequireFont("SYS"));
    ASSERT_NE(sys, nullptr);
    EXPECT_TRUE(sys->mShadow);

    ASSERT_TRUE(mManager.LoadGroup("Refs")) << mManager.GetErrorText();
    Font* copy = mManager.RequireFont("COPY");
    EXPECT_NE(copy, desc);
    EXPECT_NE(dynamic_cast<ImageFont*>(copy), nullptr);

    mManager.DeleteGroup("Fonts");
    mManager.DeleteGroup("Refs");
    EXPECT_FALSE(mManager.LoadGroup("Refs"));
    EXPECT_EQ(mManager.GetErrorText(), "Ref font not found: DESC");

    EXPECT_FALSE(mManager.LoadGroup("Bad"));
    EXPECT_EQ(mManager.GetErrorText(), "Failed to load font: " + Path("nothing.txt"));
    EXPECT_FALSE(mManager.FontRecord("BROKEN")->IsLoaded());
}

TEST_F(LoadingTest, DeleteGroupUnloadsButKeepsTheRecords) {
    WritePng("a.png", 2, 2, 0xFF405060);
    WriteText("s.wav", "x");
    LoadInFolder(R"(<Resources id="G"><Image path="a.png"/><Sound path="s"/></Resources>
<Resources id="H"><Image id="OTHER" path="a.png"/></Resources>)");
    ASSERT_TRUE(mManager.LoadGroup("G"));
    ASSERT_TRUE(mManager.LoadGroup("H"));
    EXPECT_EQ(mManager.GetNumResources("G"), 2);

    mManager.DeleteGroup("G");
    EXPECT_EQ(mManager.GetNumResources("G"), 2);
    EXPECT_FALSE(mManager.IsGroupLoaded("G"));
    EXPECT_FALSE(mManager.Image("a")->IsLoaded());
    EXPECT_FALSE(mManager.Sound("s")->IsLoaded());
    EXPECT_TRUE(mManager.Image("OTHER")->IsLoaded());

    ASSERT_TRUE(mManager.LoadGroup("G"));
    EXPECT_TRUE(mManager.Image("a")->IsLoaded());
    EXPECT_TRUE(mManager.Sound("s")->IsLoaded());
}

} // namespace
} // namespace Kavo
