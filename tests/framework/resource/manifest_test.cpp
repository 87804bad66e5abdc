// Reading the resource manifest into records: the format, the defaults,
// and the first error with its line and file.
#include "tests/framework/resource/resource_fixture.h"
#include "tools/sample_content/sample_texts.h"

namespace Kavo {
namespace {

using ManifestTest = ResourceFixture;

TEST_F(ManifestTest, MalformedManifestsKeepTheirFirstError) {
    struct Case {
        const char* document; // the whole file
        const char* error;    // the expected text before " on Line"
        int line;
    };
    const Case cases[] = {
        {"<Manifest>\n</Manifest>\n", "Expecting ResourceManifest tag", 1},
        {"", "Expecting ResourceManifest tag", 1},
        {"<ResourceManifest>\n<Bogus/>\n</ResourceManifest>", "Invalid Section 'Bogus'", 2},
        {"<ResourceManifest>\nloose text\n<Resources id=\"a\"/></ResourceManifest>",
         "Element Not Expected 'loose text'", 3},
        {"<ResourceManifest><Resources>\n</Resources></ResourceManifest>", "No id specified.", 1},
        {"<ResourceManifest><Resources id=\"a\">\n<Image id=\"x\"/>\n</Resources></ResourceManifest>",
         "No path specified.", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Image path=\"x\" anim=\"bounce\"/>\n</Resources></ResourceManifest>",
         "Invalid animation type.", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Image path=\"x\" anim=\"pingpong\" cols=\"3888888888\"/>\n"
         "</Resources></ResourceManifest>",
         "Too many rows or columns.", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Image path=\"x\" rows=\"4097\"/>\n</Resources></ResourceManifest>",
         "Too many rows or columns.", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Font path=\"!sys:Sans\"/>\n</Resources></ResourceManifest>",
         "SysFont needs point size", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Font path=\"!sys:Sans\" size=\"0\"/>\n</Resources>"
         "</ResourceManifest>",
         "SysFont needs point size", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Sound path=\"s.wav\">\n<Image path=\"i\"/></Sound>\n</Resources>"
         "</ResourceManifest>",
         "Unexpected element found.", 3},
        {"<ResourceManifest><Resources id=\"a\">\n<Sound path=\"s.wav\">x</Sound>\n</Resources></ResourceManifest>",
         "Unexpected element found.", 2},
        {"<ResourceManifest><Resources id=\"a\">\n<Music path=\"m.ogg\"/>\n</Resources></ResourceManifest>",
         "Invalid Section 'Music'", 2},
        {"<ResourceManifest><Resources id=\"a\">\ntext\n</Resources></ResourceManifest>", "Element Not Expected 'text'",
         3},
        {"<ResourceManifest><Resources id=\"a\">\n<Image path=\"a\"/>\n<Image path=\"a\"/>\n</Resources>"
         "</ResourceManifest>",
         "Resource already defined.", 3},
        // Cut short: the records read so far stay, but the file is not whole.
        {"<ResourceManifest><Resources id=\"a\">\n<Image path=\"a\"/>\n", "Unexpected End of File", 3},
        {"<ResourceManifest>\n<Resources id=\"a\"></Resources>\n", "Unexpected End of File", 3},
        // The parser's own syntax errors are reported the same way.
        {"<ResourceManifest>\n<Resources id=\"a\"></Other>\n</ResourceManifest>",
         "End 'Other' Doesn't Match Start 'Resources'", 2},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        const std::string name = "case" + std::to_string(index++) + ".xml";
        WriteText(name, c.document);
        TestResourceManager manager{std::make_unique<FakeResourceServices>()};
        EXPECT_FALSE(manager.LoadManifest(Path(name)));
        EXPECT_TRUE(manager.HadError());
        EXPECT_EQ(manager.GetErrorText(),
                  std::string(c.error) + " on Line " + std::to_string(c.line) + " in File '" + Path(name) + "'");
    }
}

TEST_F(ManifestTest, MissingFileAndLaterErrorsKeepTheFirstText) {
    EXPECT_FALSE(mManager.LoadManifest(Path("none.xml")));
    EXPECT_EQ(mManager.GetErrorText(), "Resource file not found: " + Path("none.xml"));
    EXPECT_FALSE(Load("<Bogus/>"));
    EXPECT_EQ(mManager.GetErrorText(), "Resource file not found: " + Path("none.xml"));
    // A pending error does not stop the next manifest from being read.
    EXPECT_FALSE(Load(R"(<Resources id="A"><Image path="a.png"/></Resources>)", "next.xml"));
    EXPECT_NE(mManager.Image("a"), nullptr);
    EXPECT_EQ(mManager.GetErrorText(), "Resource file not found: " + Path("none.xml"));
}

TEST_F(ManifestTest, GroupsDefaultsAndIds) {
    ASSERT_TRUE(Load(R"(<?pi skipped?>
<Resources id="A">
  <SetDefaults path="images\" idprefix="IMAGE_\"/>
  <Image path="a.png"/>
  <?pi skipped too?>
  <Image id="B" path="sub\b.gif"/>
  <Image path="!program"/>
  <Sound id="S" path="!other"/>
</Resources>
<Resources id="Other"><Image path="c.png"/></Resources>
<Resources id="A"><SetDefaults path="" idprefix=""/><Image path="d.png"/></Resources>)"))
        << mManager.GetErrorText();

    ImageRes* a = mManager.Image("IMAGE_a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->mPath, "images/a.png");
    EXPECT_EQ(a->mResGroup, "A");
    EXPECT_EQ(a->mXMLAttributes.at("path"), "a.png");
    ASSERT_NE(mManager.Image("IMAGE_B"), nullptr);
    EXPECT_EQ(mManager.Image("IMAGE_B")->mPath, "images/sub\\b.gif");
    // '!' paths are kept as written; "!program" is made by the program.
    ImageRes* program = mManager.Image("IMAGE_!program");
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(program->mFromProgram);
    EXPECT_EQ(mManager.Sound("IMAGE_S")->mPath, "!other");
    EXPECT_FALSE(mManager.Sound("IMAGE_S")->mFromProgram);
    // An empty default path is no prefix, not the root folder.
    ASSERT_NE(mManager.Image("d"), nullptr);
    EXPECT_EQ(mManager.Image("d")->mPath, "d.png");

    // Both "A" elements feed one group, in document order.
    EXPECT_EQ(mManager.GroupIds("A"),
              (std::vector<std::string>{"IMAGE_a", "IMAGE_B", "IMAGE_!program", "IMAGE_S", "d"}));
    EXPECT_EQ(mManager.GetNumResources("A"), 4); // without the program's own
    EXPECT_EQ(mManager.GetNumResources(""), 6);
}

TEST_F(ManifestTest, DefaultsCarryOverToTheNextManifest) {
    ASSERT_TRUE(Load(R"(<Resources id="A"><SetDefaults path="art/" idprefix="P_"/></Resources>)", "one.xml"));
    ASSERT_TRUE(Load(R"(<Resources id="A"><Image path="x.png"/></Resources>)", "two.xml"));
    ASSERT_NE(mManager.Image("P_x"), nullptr);
    EXPECT_EQ(mManager.Image("P_x")->mPath, "art/x.png");
}

TEST_F(ManifestTest, DuplicateIdKeepsTheFirstRecord) {
    EXPECT_FALSE(Load(R"(<Resources id="A">
<Image id="X" path="first.png"/>
<Image id="X" path="second.png"/>
<Image id="Y" path="never.png"/>
</Resources>)"));
    EXPECT_EQ(mManager.Image("X")->mPath, "first.png");
    EXPECT_EQ(mManager.Image("Y"), nullptr); // reading stopped
    EXPECT_EQ(mManager.GroupIds("A"), std::vector<std::string>{"X"});
}

TEST_F(ManifestTest, ImageAttributes) {
    ASSERT_TRUE(Load(R"(<Resources id="A">
<Image id="LOOP" path="l" anim="LOOP" cols="8" framedelay="5" begindelay="7"/>
<Image id="MAP" path="m" anim="once" rows="2" cols="2" perframedelay="1,x2,3,4" framemap="3,2,1,0"/>
<Image id="FLAGS" path="f" nopal a4r4g4b4 a8r8g8b8="no" minsubdivide ddsurface nobits2d nobits3d variant="v"
       alphaimage="fa.png" alphagrid="fg.png" alphacolor="FFE0A0"/>
<Image id="ZERO" path="z" rows="0" cols="x" alphacolor="zz"/>
</Resources>)"))
        << mManager.GetErrorText();

    const AnimInfo& loop = mManager.Image("LOOP")->mAnimInfo;
    EXPECT_EQ(loop.mAnimType, AnimInfo::AnimType_Loop);
    EXPECT_EQ(loop.mNumCels, 8);
    EXPECT_EQ(loop.mFrameDelay, 5);

    const AnimInfo& map = mManager.Image("MAP")->mAnimInfo;
    EXPECT_EQ(map.mAnimType, AnimInfo::AnimType_Once);
    // "x2" reads as 0, which the animation turns into the frame delay.
    EXPECT_EQ(map.mPerFrameDelay, (std::vector<int32_t>{1, 1, 3, 4}));
    EXPECT_EQ(map.mFrameMap, (std::vector<int32_t>{3, 2, 1, 0}));

    const ImageRes& flags = *mManager.Image("FLAGS");
    EXPECT_FALSE(flags.mPalletize);
    EXPECT_TRUE(flags.mA4R4G4B4 && flags.mA8R8G8B8 && flags.mMinimizeSubdivisions && flags.mDDSurface);
    EXPECT_TRUE(flags.mPurgeBits); // "nobits2d" without 3D
    EXPECT_EQ(flags.mVariant, "v");
    EXPECT_EQ(flags.mAlphaImage, "fa.png");
    EXPECT_EQ(flags.mAlphaGridImage, "fg.png");
    EXPECT_EQ(flags.mAlphaColor, 0xFFE0A0u);
    EXPECT_EQ(flags.mAnimInfo.mAnimType, AnimInfo::AnimType_None);

    // Counts below 1 or not numbers are 1; an unreadable colour keeps white.
    const ImageRes& zero = *mManager.Image("ZERO");
    EXPECT_EQ(zero.mRows, 1);
    EXPECT_EQ(zero.mCols, 1);
    EXPECT_EQ(zero.mAlphaColor, 0xFFFFFFu);
    EXPECT_TRUE(zero.mPalletize);
    EXPECT_FALSE(zero.mPurgeBits);
}

TEST_F(ManifestTest, NoBitsFollowsThe3DSettingAtReadTime) {
    mServices->mUses3D = true;
    ASSERT_TRUE(Load(R"(<Resources id="A"><Image path="a" nobits2d /><Image path="b" nobits3d /></Resources>)"));
    EXPECT_FALSE(mManager.Image("a")->mPurgeBits);
    EXPECT_TRUE(mManager.Image("b")->mPurgeBits);
}

TEST_F(ManifestTest, SoundAndFontAttributes) {
    ASSERT_TRUE(Load(R"(<Resources id="A">
<SetDefaults path="res/"/>
<Sound id="QUIET" path="q.wav" volume="0.0" pan="-300"/>
<Sound id="PLAIN" path="p.wav" volume="loud" pan="left"/>
<Font id="SYS" path="!sys:Sans" size="12" bold italic underline shadow />
<Font id="REF" path="!ref:SYS"/>
<Font id="DESC" path="f.txt" tags="Bold, Shadow"/>
<Font id="LEGACY" path="l.txt" image="pic/l.png"/>
</Resources>)"))
        << mManager.GetErrorText();

    EXPECT_EQ(mManager.Sound("QUIET")->mVolume, 0.0);
    EXPECT_EQ(mManager.Sound("QUIET")->mPanning, -300);
    EXPECT_EQ(mManager.Sound("QUIET")->mPath, "res/q.wav");
    EXPECT_EQ(mManager.Sound("PLAIN")->mVolume, -1.0);
    EXPECT_EQ(mManager.Sound("PLAIN")->mPanning, 0);

    const FontRes& sys = *mManager.FontRecord("SYS");
    EXPECT_TRUE(sys.mSysFont);
    EXPECT_EQ(sys.mPath, "Sans");
    EXPECT_EQ(sys.mSize, 12);
    EXPECT_TRUE(sys.mBold && sys.mItalic && sys.mUnderline && sys.mShadow);
    EXPECT_EQ(mManager.FontRecord("REF")->mPath, "!ref:SYS");
    EXPECT_FALSE(mManager.FontRecord("REF")->mSysFont);
    EXPECT_EQ(mManager.FontRecord("DESC")->mPath, "res/f.txt");
    EXPECT_EQ(mManager.FontRecord("DESC")->mTags, "Bold, Shadow");
    EXPECT_EQ(mManager.FontRecord("LEGACY")->mImagePath, "pic/l.png"); // no default path
}

TEST_F(ManifestTest, SampleManifestNamesEveryKindOfResource) {
    WriteText("sample.xml", SampleContent::kManifest);
    ASSERT_TRUE(mManager.LoadManifest(Path("sample.xml"))) << mManager.GetErrorText();
    EXPECT_EQ(mManager.GetNumResources("Preview"), 6);
    EXPECT_EQ(mManager.Image("PREVIEW_ITEMS")->mCols, 6);
    EXPECT_EQ(mManager.Sound("SOUND_CLICK")->mPath, "sounds/click");
    EXPECT_EQ(mManager.Sound("SOUND_CHIME")->mPath, "sounds/chime");
    EXPECT_EQ(mManager.FontRecord("SAMPLEFONT_BITMAP")->mPath, "fonts/sample.txt");
    EXPECT_EQ(mManager.FontRecord("SAMPLEFONT_FLAT")->mPath, "!ref:SAMPLEFONT_BITMAP");
    EXPECT_EQ(mManager.FontRecord("SAMPLEFONT_LEGACY")->mImagePath, "fonts/sample.png");
    EXPECT_TRUE(mManager.FontRecord("SAMPLEFONT_SYSTEM")->mSysFont);
}

} // namespace
} // namespace Kavo
