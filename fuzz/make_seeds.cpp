// Writes a small seed corpus for every fuzz target: a few valid inputs made
// with the same encoders and writers that the tests and the sample content
// use.
//
//   make-fuzz-seeds <corpus folder>     (one subfolder per target)

#include "engine/storage/stg.h"
#include "engine/storage/storage_registry.h"
#include "framework/app/demo_event_stream.h"
#include "framework/app/demo_file.h"
#include "framework/pak/pak_writer.h"
#include "framework/sound/wave_file.h"
#include "framework/util/buffer.h"
#include "game/effects/trajectories.h"
#include "game/effects/trajectories_writer.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/board_content.h"
#include "tools/sample_content/game_content.h"
#include "tools/sample_content/sample_font.h"
#include "tools/sample_content/sample_texts.h"
#include "tools/sample_content/sound_writers.h"
#include "tools/sample_content/stage_content.h"
#include "tools/sound_encoders/sound_encoders.h"

#include <elf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace enc = Kavo::ImageEncoders;
using enc::Bytes;

std::string gRoot;
bool gOk = true;

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    std::string folder = gRoot + "/" + target;
    platform::MakeDirectories(folder);
    std::FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
    gOk = gOk && f != nullptr && !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr)
        std::fclose(f);
}

Bytes FromText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::vector<uint32_t> Pattern(int w, int h) {
    std::vector<uint32_t> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px.push_back(uint32_t(((x * 37 + y * 11) & 0xFF) << 24 | (x * 30) << 16 | (y * 30) << 8 | 0x40));
    return px;
}

Bytes Samples(int w, int h, int components) {
    Bytes out;
    for (int i = 0; i < w * h * components; ++i)
        out.push_back(uint8_t(i * 13));
    return out;
}

void ImageSeeds() {
    Seed("tga", "8x8.tga", enc::MakeTga(8, 8, Pattern(8, 8)));
    Seed("png", "rgba.png", enc::EncodePngArgb(8, 8, Pattern(8, 8)));
    enc::PngRecipe deep;
    deep.mWidth = deep.mHeight = 9;
    deep.mColorType = 2; // RGB
    deep.mBitDepth = 16;
    deep.mInterlaced = true;
    deep.mSamples = Samples(9, 9, 6);
    Seed("png", "rgb16-interlaced.png", enc::EncodePng(deep));
    Seed("jpeg", "rgb.jpg", enc::EncodeJpeg(8, 8, 3, Samples(8, 8, 3)));
    Seed("jpeg", "grey.jpg", enc::EncodeJpeg(8, 8, 1, Samples(8, 8, 1)));
    Seed("jpeg", "cmyk.jpg", enc::EncodeJpeg(8, 8, 4, Samples(8, 8, 4)));

    // The JPEG 2000 target takes one byte first: odd for the boxed form.
    Bytes raw = enc::EncodeJpeg2000(8, 8, 3, Samples(8, 8, 3), false);
    raw.insert(raw.begin(), 0);
    Seed("j2k", "raw.j2k", raw);
    Bytes boxed = enc::EncodeJpeg2000(8, 8, 1, Samples(8, 8, 1), true);
    boxed.insert(boxed.begin(), 1);
    Seed("j2k", "boxed.jp2", boxed);

    enc::GifRecipe gif;
    gif.mWidth = 9;
    gif.mHeight = 9;
    gif.mGlobalTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    gif.mGraphicControl = {0x01, 0x00, 0x00, 0x02};
    for (int i = 0; i < 81; ++i)
        gif.mIndices.push_back((i * 7) % 4);
    Seed("gif", "transparent.gif", enc::MakeGif(gif));
    gif.mInterlaced = true;
    gif.mGraphicControl.clear();
    gif.mLocalTable = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0, 0, 0, 0};
    gif.mMinCodeSize = 3;
    Seed("gif", "interlaced.gif", enc::MakeGif(gif));
}

// The board layouts and item catalogue of the sample content, and a saved
// board block: a header, then 160 cells of 7 bytes with items, tiles,
// secrets and chains.
void BoardSeeds() {
    Seed("boards_dat", "sample.dat", FromText(Kavo::SampleContent::BoardsDatBytes()));
    Seed("item_catalog", "items.txt", FromText(Kavo::SampleContent::ItemsText()));
    Seed("stage_data", "stages.txt", FromText(Kavo::SampleContent::StagesText()));
    Seed("stage_data", "settings.txt", FromText(Kavo::SampleContent::StageSettingsText()));
    Seed("stage_data", "comments.txt", FromText(Kavo::SampleContent::CommentsText()));
    Seed("stage_data", "bevels.txt", FromText(Kavo::SampleContent::BevelsText()));
    Bytes block = {3, 0, 1, 0, 10, 0, 8, 0, 4, 0};
    for (int cell = 0; cell < 160; ++cell) {
        const uint8_t item = static_cast<uint8_t>(cell % 7 == 0 ? 0xFE : cell % 5);
        block.insert(block.end(), {1, uint8_t(cell % 3), uint8_t(cell == 40 ? 2 : 0xFF), uint8_t(cell == 40 ? 0 : 0xFF),
                                   item, uint8_t(item == 0xFE ? 0xFF : 0), uint8_t(cell % 11 == 0 ? 3 : 0)});
    }
    Seed("board_load", "block.bin", block);
}

// The puzzle table, the recipe table and a recipe's text, each behind the
// byte that picks its reader.
void PuzzleSeeds() {
    Seed("puzzle_tables", "puzzles.txt",
         FromText(std::string(1, '\0') + "[1]\r\nRows=2\r\nCols=3\r\n[2]\r\nRotate=1\r\n"));
    Seed("puzzle_tables", "recipies.txt", FromText(std::string(1, '\1') + "[Recipe01]\r\nFile=data/r1.txt\r\n"));
    Seed("puzzle_tables", "recipe.txt", FromText(std::string(1, '\2') + "Pie\r\nFlour\r\nEggs\r\n"));
}

// A user list of two players and a profile with items and extra values.
void ProfileSeeds() {
    Kavo::Buffer list;
    list.WriteLong(2);
    list.WriteLong(1);
    list.WriteString("Ann");
    list.WriteString("Bo");
    Seed("profile", "users.dat", Bytes(list.GetDataPtr(), list.GetDataPtr() + list.GetDataLen()));
    Game::User user;
    user.mName = "Bo";
    user.mRecord.mStageIndex = 4;
    user.mRecord.mItems[0].push_back({"wall100", 1, 0, 1, -1});
    user.mRecord.mItems[3].push_back({"post", 0, 1, 0, 2});
    user.mRecord.mExtraValues = {1, 2, 3};
    Kavo::Buffer profile;
    Game::UserManager().WriteProfile(&user, profile);
    Seed("profile", "Bo.dat", Bytes(profile.GetDataPtr(), profile.GetDataPtr() + profile.GetDataLen()));
}

void GameDataSeeds() {
    Seed("driver_list", "vhw.dat", FromText("  NVIDIA GeForce \r\n\r\nradeon\nati \n"));
    // A help file (first byte even) and a comics scene (odd).
    Seed("page_set", "help.txt",
         FromText(std::string(1, '\0') +
                  "[Main]\r\nPagesCount=2\r\n[Page1]\r\nText1=40,60,560,120,HelpWelcome,0x000000,-1\r\n"
                  "[Page2]\r\nText1=40,300,560,60,HelpPictures,0x202060,0\r\nImage1=40,60,IMAGE_BONUS_HINT\r\n"
                  "Image2=200,60,images\\help\\page2,0;0;200;160\r\n"));
    Seed("page_set", "comix.txt",
         FromText(std::string("\x01") +
                  "[Main]\r\nPagesCount=2\r\n[Page1]\r\nText1=10,10,200,40,Hello,0x000000,-1,3,20\r\n"
                  "Text2=10,60,200,40,World,0x000000,0,2\r\n[Page2]\r\nText1=0,0,50,20,End,0xFF0000,1,1,5\r\n"
                  "Image1=5,5,IMAGE_BONUS_HINT\r\n"));
    Seed("registry_text", "settings.txt",
         FromText("\xEF\xBB\xBF# settings\n[SOFTWARE\\Game%5C]\n\"MusicVolume\"=dword:2a\n@=hex(1):41,00\n"
                  "\"Bad\"=dword:xyz\n[Cut%4]\n\"V\"=hex(3):01,0\r\n"));
    Seed("ini", "doc.txt",
         FromText(";c\r\n[Main]\r\nKey = 5\r\na=b=c\r\nDelays=1, 2\r\nbare\r\n[main]\r\nColor=ff8000\r\n[NoClose\r\n"));
    Seed("anim", "cycle.anim",
         FromText("[Main]\r\nSprite=Pic\r\nFrames=0,1,2\r\nFrameDelays=10,0,5\r\nScales=1,2\r\nUseDeltaAngle=-2\r\n"
                  "StartColor=80FF0000\r\nEndColor=FF0000\r\nColorDelay=3\r\nStartFrame=1\r\n"
                  "[Pic]\r\nImageFile=pic\r\nRects=0,0,10,10;5,5\r\nColCount=4\r\nRowCount=2\r\nActiveRect=9\r\n"));
    Seed("anim", "colours.anim",
         FromText("[Main]\r\nSprite=Pic\r\nFrames=0,1\r\nFrameDelay=2\r\nAngles=0,90\r\nColors=16711680,x\r\n"
                  "NeverEnding=0\r\nDrawAdditive=1\r\n[Pic]\r\nImageFile=pic\r\nRects=0,0,8,8;8,0,8,8\r\n"));
    // The first byte picks the reader: odd the dishes, even the decoration.
    Seed("catalog", "menu.txt",
         FromText("\x01[Main]\r\nSoups=1\r\nSalads=1\r\n[Salad00]\r\nCategory=Salads\r\nPrice=5\r\nValue=3\r\n"
                  "ShopRect=0,0,100,100\r\n[Soup10]\r\nCategory=Soups\r\nRank=1\r\nEffect=2\r\n"));
    Seed("catalog", "shop.txt",
         FromText("\x02[Main]\r\na=wall\r\nb=vase\r\n[wall100]\r\nCategory=wall\r\nPrice=10\r\n"
                  "DrawInfo=0,0,0,0,512,384;512,0,0,0,512,384\r\n[vase101]\r\nCategory=vase\r\nReplace=0\r\n"
                  "Effect=1\r\nEffectRects=0,0,8,8;5,5\r\nDrawInfo=100,50,10,20,64,32\r\nDeleteItems=a, b\r\n"));
    // Eight bonus records of a saved game: hidden, enabled, charge in
    // thousandths, use count.
    Kavo::Buffer bonuses;
    const int32_t charges[8] = {0, 599999, 600000, 12345, -1, 2147483647, -2147483647 - 1, 300};
    for (int i = 0; i < 8; ++i) {
        bonuses.WriteBoolean(i % 3 == 0);
        bonuses.WriteBoolean(i % 2 == 0);
        bonuses.WriteLong(charges[i]);
        bonuses.WriteLong(i * 3);
    }
    Seed("bonus_records", "eight.sav", Bytes(bonuses.GetDataPtr(), bonuses.GetDataPtr() + bonuses.GetDataLen()));
    Seed("secret_maps", "secretmaps.txt",
         FromText("[Map02]\r\nFrame=frame2\r\nItems=p1,10,-20;p2,5,5,1,2;broken,3\r\nMap=map2\r\n"
                  "PostCard=post2\r\nPuzzle=1\r\nX=400\r\nY=300\r\nRecipe=Recipe02\r\n"
                  "[Map01]\r\nItems=a,1,1,0,0;b,-4,4\r\nRecipe=Recipe01\r\n"));
    BoardSeeds();
    PuzzleSeeds();
}

void EffectSeeds() {
    std::vector<Game::TrajectoryPath> paths(3);
    paths[0].mName = "Rank_1_0";
    paths[0].mPoints.resize(4);
    for (size_t i = 0; i < paths[0].mPoints.size(); ++i) {
        paths[0].mPoints[i].x = 512 - int(i) * 90;
        paths[0].mPoints[i].y = 384 - int(i * i) * 20;
    }
    Game::Trajectories::ComputeLengths(paths[0]);
    paths[1].mName = "Reward0";
    paths[1].mPoints.resize(1);
    paths[2] = *Game::Trajectories::MakeArc(0, 0, 300, 100, 40);
    const std::string file = Game::EncodeTrajectories(paths);
    Seed("trajectories", "paths.dat", Bytes(file.begin(), file.end()));
    Seed("particle_system", "sparkle.ini",
         FromText("[Default]\r\nnEmission=120\r\nfLifetime=0.6\r\nfRadialAccelMin=-2\r\nfTangentialAccelMax=3\r\n"
                  "colColorStart=1,1,0.6,1;1,0.8,0.3,1\r\ncolColorEnd=1,0.5,0.1,0\r\nImageFile=IMAGE_SPARKLE\r\n"
                  "bUseRandomRect=0\r\nTextureRect0=0,0,16,16\r\nTextureRect1=16,0,16,16\r\n"));
    Seed("particle_system", "ellipse.ini",
         FromText("[Default]\r\nAppearMode=2\r\nSizeX=40\r\nSizeY=10\r\nbRelative=1\r\ncolColorStartR=1\r\n"
                  "colColorEndA=0\r\nfSpinStart=3\r\nfSizeStart=2\r\nfSizeEnd=0\r\nImageFile=IMAGE_SPARKLE\r\n"));
    Seed("tr_scene", "triangle.ini",
         FromText("[Main]\r\nTime=0.5\r\n[Item1]\r\nImage=IMAGE_SPARKLE\r\nShape=3\r\nLineIndex=0\r\nTrMoveItems=1\r\n"
                  "NUMBER=0,20;1,5\r\nEMISSION_RANGE=0,1\r\nLIFE=0,0.3\r\nWIDTH=0,20\r\nHEIGHT=0,10\r\n"
                  "MOTION_RAND=0,2\r\nTANGENT_ACCEL=0,0.5\r\nALPHA=0,255;1,0\r\nCOLOR=0,4294901760;1,4294967295\r\n"
                  "TRAJECTORY_SPEED=0,1;1,1\r\nPivotX=3\r\n[Line1]\r\nType=3\r\nPoints=1.0;1;0,0,40,0,40,40\r\n"
                  "[Line2]\r\nType=0\r\nPoints=1.0;1;0,0,30,10,10,30\r\n"));
    Seed("tr_points", "spline.txt",
         FromText("\x04"
                  "1.000000;1;0,0,30,10,10,30,"));
    Seed("tr_points", "oval.txt",
         FromText("\x01"
                  "1.000000,0,0,100,50"));
    Seed("tr_points", "rect.txt",
         FromText("\x02"
                  "2.5,100,100,50,20"));
    Seed("tr_points", "poly.txt",
         FromText("\x03"
                  "1.000000;1;10,20,30,40,"));
}

void LayoutSeeds() {
    Seed("layout", "dialog.txt",
         FromText("[Main]\r\nBeginX=10\r\nBeginY=-50\r\nSpeed=7\r\nPosition=20,30,40,50\r\nID=5\r\n"
                  "[Ok]\r\nType=Button\r\nID=1\r\nDescription=Look\r\nPosition=1,2,3\r\n"
                  "[Look]\r\nType=Button\r\nNormalImage=IMAGE_CHECKBOX\r\nFont=FONT_DEFAULT\r\n"
                  "[Box]\r\nType=CheckBox\r\nImage=x.png\r\n[L]\r\nType=ListBox\r\nFont=fonts\\none\r\n"
                  "[R]\r\nType=RadioButton\r\nAddToWidget=0\r\n[P]\r\nType=Point\r\nX=0x10\r\n"
                  "[I]\r\nType=Image\r\nsimageid=IMAGE_SLIDER_TRACK\r\n[S]\r\nType=Slider\r\n"));
    Seed("layout", "music.txt", FromText("[Music]\r\nA=track1, track2\r\nB=\r\n"));
}

void TextSeeds() {
    Seed("xml", "manifest.xml", FromText(Kavo::SampleContent::kManifest));
    Seed("manifest", "sample.xml", FromText(Kavo::SampleContent::kManifest));
    Seed("manifest", "game.xml", FromText(Kavo::SampleContent::GameManifest()));
    Seed("manifest", "attributes.xml",
         FromText("<?xml version=\"1.0\"?>\n<ResourceManifest><Resources id=\"A\">\n"
                  "<SetDefaults path=\"images\\\" idprefix=\"I_\"/>\n"
                  "<Image path=\"a.png\" anim=\"pingpong\" rows=\"2\" cols=\"3\" perframedelay=\"1,2,3\" "
                  "framemap=\"5,4\" begindelay=\"9\" enddelay=\"-1\" alphacolor=\"ff00ff\" nobits3d />\n"
                  "<Sound path=\"s.wav\" volume=\"0.5\" pan=\"-20\"/>\n"
                  "<Font path=\"!sys:Sans\" size=\"9\" bold /><Font id=\"R\" path=\"!ref:Sans\"/>\n"
                  "<Image path=\"!program\"/></Resources><Resources id=\"A\"></Resources></ResourceManifest>\n"));
    Seed("xml", "attributes.xml",
         FromText("\xEF\xBB\xBF<a x=1 y='2' z=\"images/\" bare><b/>text  folded\r\n<!-- c --></a>"));
    const Kavo::SampleContent::GlyphSheet sheet = Kavo::SampleContent::PlaceholderSheet();
    const std::string descriptor = Kavo::SampleContent::FontDescriptorText(sheet, "sheet.png");
    Seed("desc", "font.txt", FromText(descriptor));
    Seed("font", "font.txt", FromText(descriptor));
    Seed("font", "legacy.txt", FromText(Kavo::SampleContent::LegacyDescriptorText(sheet)));
    Seed("font", "scaled.txt",
         FromText("SetDefaultPointSize 12; CreateLayer A; LayerSetImage A \"s.png\"; LayerSetPointSize A 16;\n"
                  "CreateHorzSpanRectList R (0 0 0 8) (3 4 5); LayerSetImageMap A (\"a\" \"b\" \"c\") R;\n"
                  "LayerSetCharWidths A (\"a\" \"b\") (4 5); LayerSetKerningPairs A (\"ab\") (-2);\n"
                  "LayerSetCharOrders A (\"a\") (300); CreateLayerFrom B A; LayerRequireTags B (\"flat\");\n"));
    Seed("desc", "lists.txt", FromText("Define A ((1 2) (3 4));\nDefine B \"a\"\"b\";\nUse A B\n  (5 6);\n"));

    Seed("mod_val", "values.cpp",
         FromText("int a = M(0x10), b = M1(-5);\r\nfloat c = M(1.5f);\nconst char* d = M(\"t\\\"x\\n\");\n"
                  "/* M(1)\n */ int e = M(kNamed); // M(2) \\\n  continued\nconst char* s = \"a\\\nb\"; M(7)\n"));

    Kavo::Buffer record;
    record.WriteNumBits(5, 3);
    record.WriteString("player");
    record.WriteLong(-2);
    record.WriteShort(0x1234);
    record.WriteBoolean(true);
    record.WriteBytes(reinterpret_cast<const uint8_t*>("ab\r\ncd\n"), 7);
    Seed("buffer", "record.bin", Bytes(record.GetDataPtr(), record.GetDataPtr() + record.GetDataLen()));

    // A demo file's start: magic, version 2, seed, then the product name.
    Kavo::Buffer demo;
    demo.WriteLong(static_cast<int32_t>(Kavo::kDemoFileMagic));
    demo.WriteLong(2);
    demo.WriteLong(0x00C0FFEE);
    demo.WriteShort(4);
    demo.WriteBytes(reinterpret_cast<const uint8_t*>("Kavo"), 4);
    Seed("demo", "header.dmo", Bytes(demo.GetDataPtr(), demo.GetDataPtr() + demo.GetDataLen()));

    // A whole recording: a marker, a mouse move, a gap bridged by fillers
    // and a file read with its bytes.
    Kavo::Buffer events;
    Kavo::DemoEventStream stream(events);
    stream.WriteHeader(1, true, Kavo::DemoEvent::MouseDelta);
    events.WriteNumBits(5, 6);
    events.WriteNumBits(-3, 6);
    stream.WriteHeader(41, false, Kavo::DemoEvent::FileRead);
    events.WriteNumBits(1, 1);
    events.WriteLong(3);
    events.WriteBytes(reinterpret_cast<const uint8_t*>("abc"), 3);
    const std::string recording = Kavo::SerializeDemoFile(0x00C0FFEE, "Kavo", {{"start", 1}}, 50, events);
    Seed("demo", "recording.dmo", Bytes(recording.begin(), recording.end()));

    std::vector<Kavo::PakMember> members = {{"properties\\resources.xml", Kavo::SampleContent::kManifest, 0},
                                            {"data\\lines.txt", "ab\r\ncd\n", 0},
                                            {"images\\empty.png", "", 0}};
    std::string archive, error;
    gOk = gOk && Kavo::BuildPakArchive(members, &archive, &error);
    Seed("pak", "three.pak", FromText(archive));
}

// Layout read by raster_fuzz.cpp: size, flags, tint, clip, texture, strip.
void RasterSeeds() {
    for (int variant = 0; variant < 4; ++variant) {
        Bytes in = {40,
                    40,
                    uint8_t(0x04 | variant | (variant << 3) | 0x20),
                    255,
                    200,
                    255,
                    uint8_t(variant ? 128 : 255),
                    0,
                    0,
                    40,
                    40,
                    3,
                    3};
        for (int i = 0; i < 16; ++i)
            for (uint32_t texel : {uint32_t(0x80FF0000u + i * 0x1111u)})
                for (int b = 0; b < 4; ++b)
                    in.push_back(uint8_t(texel >> (8 * b)));
        in.push_back(4);
        const float angle = 0.3f * variant;
        const float corners[4][4] = {{-10, -10, 0, 0}, {10, -10, 1, 0}, {-10, 10, 0, 1}, {10, 10, 1, 1}};
        for (const auto& c : corners) {
            float v[4] = {20 + c[0] * std::cos(angle) - c[1] * std::sin(angle),
                          20 + c[0] * std::sin(angle) + c[1] * std::cos(angle), c[2], c[3]};
            uint32_t color = 0xFF8040C0u - uint32_t(variant) * 0x10000000u;
            uint8_t bytes[20];
            std::memcpy(bytes, v, 16);
            std::memcpy(bytes + 16, &color, 4);
            in.insert(in.end(), bytes, bytes + 20);
        }
        Seed("raster", "quad" + std::to_string(variant) + ".bin", in);
    }
}

// Compressed storage files, written by the folder storage itself.
void CdfSeeds() {
    platform::Installed<StorageRegistry> registry(gStorageRegistry, std::make_shared<StorageRegistry>());
    Stg_t* storage = Stg_t::OpenStorage((gRoot + "/cdf").c_str(), 0);
    if (storage == nullptr) {
        gOk = false;
        return;
    }
    const std::string lines = "[sound]\r\nname=click\r\nvolume=-300\r\n";
    std::string pattern;
    for (int i = 0; i < 3000; ++i)
        pattern += static_cast<char>((i * 7919) >> 3);
    for (const auto& [name, content] :
         {std::pair<std::string, std::string>{"text.cdf", lines}, {"pattern.cdf", pattern}, {"one.cdf", "x"}}) {
        try {
            FileDescr_t* file = storage->OpenFile(name, 1);
            storage->WriteFile(file, content.data(), static_cast<std::uint32_t>(content.size()), nullptr);
            storage->CloseFile(file);
        } catch (const errStg_e&) {
            gOk = false;
        }
    }
    storage->Release();
}

// Sound files and descriptions, made with the encoders the tests use.
void SoundSeeds() {
    namespace snd = Kavo::SoundEncoders;
    const Bytes pcm = snd::PcmBytes(snd::Tone(1, 8000, 0.05, 440));
    Seed("wav", "tone.wav", snd::MakeWav(1, 8000, 16, pcm));
    Seed("wav", "datafirst.wav",
         snd::Riff({snd::Chunk("data", Bytes(pcm.begin(), pcm.begin() + 101)), snd::Chunk("LIST", Bytes(5, 'x')),
                    snd::Chunk("fmt ", snd::FormatBody(2, 11025, 8))}));
    Seed("ogg", "mono.ogg", snd::EncodeOgg(1, 8000, snd::Tone(1, 8000, 0.3, 440)));
    Seed("ogg", "stereo.ogg", snd::EncodeOgg(2, 11025, snd::Tone(2, 11025, 0.2, 220)));
    Seed("sounddescr", "background.txt",
         FromText("Group=Music\r\nIsStreamed=1\r\nIsLoop=1\r\nWaveName=music/mainmenu\r\n"));
    Seed("sounddescr", "spatial.txt",
         FromText("; 3D\nGroup = World \nIs3D=1\nPosition=1.5,2\nConeOrientation=0,0,1\nInsideConeAngle=30\n"
                  "MinDistance=0.5\nMaxDistance=20\nVolume=-300\nLoadOnStart=1\nWaveName=x\n"));
}

// Sounds and songs for the framework sound readers and players.
void MusicSeeds() {
    namespace snd = Kavo::SoundWriters;
    const std::vector<std::int16_t> tone = snd::Tone(8000, 1, 400, 440, 0.5);
    Kavo::PcmSound sound;
    sound.format = platform::MakePcmFormat(1, 8000, 16);
    sound.data = snd::LittleEndian(tone);
    Seed("wave", "plain.wav", FromText(Kavo::MakeWaveBytes(sound, "", 0)));
    Seed("wave", "cached.wav", FromText(Kavo::MakeWaveBytes(sound, "source.au", 0)));
    Seed("au", "mulaw.au", snd::MakeAu(1, 8000, 1, snd::EncodeMuLaw(tone), 8));
    Seed("au", "linear.au", snd::MakeAu(2, 8000, 2, Bytes(64, 0x10)));
    Seed("module", "tune.mod", snd::MakeSampleModule());
    Seed("music_ogg", "tone.ogg", snd::EncodeOgg(8000, 1, tone));
#ifdef KAVO_LAME
    // The mp3 seed is made by lame, when it is installed.
    const std::string source = gRoot + "/mp3-source.wav";
    sound.data = snd::LittleEndian(snd::Tone(8000, 1, 4000, 440, 0.5));
    const std::string wave = Kavo::MakeWaveBytes(sound, "", 0);
    if (platform::WriteWholeFile(source, wave)) {
        platform::MakeDirectories(gRoot + "/mp3");
        const std::string command =
            std::string("\"") + KAVO_LAME + "\" --silent \"" + source + "\" \"" + gRoot + "/mp3/tone.mp3\"";
        gOk = gOk && std::system(command.c_str()) == 0;
        platform::RemoveFile(source);
    }
#endif
}

// Web server answers as the transfer reads them; the first byte is the
// piece size the fuzz target splits the rest into.
void HttpResponseSeeds() {
    const std::pair<const char*, std::string> answers[] = {
        {"sized.txt", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"},
        {"chunked.txt", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;x=y\r\nabcd\r\n0\r\n\r\n"},
        {"open.txt", "HTTP/1.0 200 OK\r\nServer: k\r\n\r\nuntil the end"},
        {"missing.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
    };
    char split = 1;
    for (const auto& [name, text] : answers)
        Seed("http_response", name, FromText(std::string(1, split++ * 7) + text));
}

// A map file with symbols and a line table, then a report that names
// addresses in it; and a section table to read.
void CrashSeeds() {
    const std::string map = " 0001:00000000       _Z5Startv                  00401000 f   main.obj\r\n"
                            " 0001:00001000       ?Draw@@YAXXZ               00402000 f   draw.obj\r\n"
                            "Line numbers for draw.obj(c:\\src\\draw.cpp) segment .text\r\n"
                            "    10 0001:00001000    12 0001:00001008    13 0001:00001020    14 0001:00001030\r\n";
    const std::string report = "Logical Address: 0001:00001010\r\n0000000000401010 0001:00000004 x\r\n";
    const std::string padded = map + std::string(report.size() > map.size() ? report.size() - map.size() : 0, ' ');
    Seed("crash_map", "map_and_report.txt",
         FromText(padded + std::string(padded.size() - report.size(), ' ') + report));
    // A small program file: the header and three sections right after it.
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_type = ET_DYN;
    header.e_shoff = sizeof header;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    Elf64_Shdr sections[3] = {};
    sections[1].sh_flags = SHF_ALLOC | SHF_EXECINSTR;
    sections[1].sh_addr = 0x1000;
    sections[1].sh_size = 0x200;
    sections[2].sh_flags = SHF_ALLOC | SHF_WRITE;
    sections[2].sh_addr = 0x3000;
    sections[2].sh_size = 0x80;
    Bytes elf(sizeof header + sizeof sections);
    std::memcpy(elf.data(), &header, sizeof header);
    std::memcpy(elf.data() + sizeof header, sections, sizeof sections);
    Seed("elf_sections", "three_sections.elf", elf);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fuzz-seeds <corpus folder>\n");
        return 2;
    }
    gRoot = argv[1];
    ImageSeeds();
    TextSeeds();
    GameDataSeeds();
    ProfileSeeds();
    EffectSeeds();
    LayoutSeeds();
    RasterSeeds();
    CdfSeeds();
    SoundSeeds();
    MusicSeeds();
    HttpResponseSeeds();
    CrashSeeds();
    if (!gOk) {
        std::fprintf(stderr, "make-fuzz-seeds: a seed could not be made\n");
        return 1;
    }
    return 0;
}
