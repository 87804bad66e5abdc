// The report texts and the image dump's parts, without an application.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/image_dump.h"
#include "framework/app/texture_facts.h"
#include "framework/app/video_stats.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/texture_data.h"
#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

namespace {

using namespace Kavo;

using DeveloperReportsTest = HeadlessEnvironment;

// The reports read the renderer's own record of an image's texture.
TEST(TextureFacts, ComeFromTheRenderersTextureRecord) {
    MemoryImage image;
    image.Create(8, 8);
    EXPECT_FALSE(RendererTextureFacts(image).has_value());
    TextureData texture;
    texture.mTexMemSize = 4096;
    texture.mPixelFormat = platform::TextureFormat::Argb4444;
    image.mTextureData = &texture;
    const auto facts = RendererTextureFacts(image);
    image.mTextureData = nullptr;
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->bytes, 4096u);
    EXPECT_EQ(facts->formatCode, 2);
    EXPECT_EQ(TextureFormatName(facts->formatCode), "A4R4G4B4");
}

TEST(VideoStats, TextListsMemoryInKilobytesAndTexturesByFormat) {
    VideoStats stats;
    stats.is3D = true;
    stats.capability = "Supported";
    stats.numImages = 7;
    stats.numSounds = 3;
    stats.videoTotal = 64u * 1024 * 1024;
    stats.videoFree = 16u * 1024 * 1024;
    stats.textures = {{2048, 1}, {1024, 1}, {4096, 8}, {512, 3}};
    EXPECT_EQ(BuildVideoStatsText(stats), "3D-Mode is ON (3D is Supported on this system)\r\n"
                                          "\r\n"
                                          "Num Images: 7\r\n"
                                          "Num Sounds: 3\r\n"
                                          "Video Memory: 49,152/65,536 KB\r\n"
                                          "Texture Memory: 7 KB\r\n"
                                          "A8R8G8B8: 2 - 3 KB\r\n"
                                          "A4R4G4B4: 0 - 0 KB\r\n"
                                          "R5G6B5: 0 - 0 KB\r\n"
                                          "Palette8: 1 - 4 KB\r\n");
}

TEST_F(DeveloperReportsTest, DumpEntryCountsEveryFormAnImageHolds) {
    MemoryImage image;
    image.Create(4, 2);
    image.GetBits();
    image.mColorTable = std::make_unique<uint32_t[]>(256);
    image.mColorIndices = std::make_unique<uint8_t[]>(8);
    image.mNativeAlphaData = std::make_unique<uint32_t[]>(256);
    image.mRLAlphaData = std::make_unique<uint8_t[]>(8);
    image.mHasAlpha = true;
    image.mHasTrans = false;
    const TextureFactsReader textures = [](const MemoryImage&) { return TextureFacts{100, 2}; };
    const ImageDumpEntry entry = DescribeImageForDump(image, textures);
    EXPECT_EQ(entry.bits, 32u);
    EXPECT_EQ(entry.palette, 8u + 1024);
    EXPECT_EQ(entry.nativeAlpha, 1024u); // palettised: the converted colour table
    EXPECT_EQ(entry.rlAlpha, 8u);
    EXPECT_EQ(entry.rlAdditive, 0u);
    EXPECT_EQ(entry.surface, 0u);
    EXPECT_EQ(entry.texture, 100u);
    EXPECT_EQ(entry.Total(), 32u + 1032 + 1024 + 8 + 100);

    const std::string page = BuildImageDumpPage({entry}, "today");
    EXPECT_EQ(page.rfind("<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>today</B></FONT><BR>", 0), 0u);
    EXPECT_NE(page.find("Total Image Allocation: 2,196 bytes<BR>"), std::string::npos) << page;
    EXPECT_NE(page.find("<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>"), std::string::npos);
    EXPECT_NE(page.find("<TR><TD><A HREF=img0000.png><IMG SRC=thumb0000.jpg WIDTH=64 HEIGHT=64></A></TD>"
                        "<TD ALIGN=RIGHT>4 x 2<BR>2,196 bytes</TD><TD>mBits<BR>32</TD><TD>Palletized<BR>1,032</TD>"
                        "<TD>&nbsp;</TD><TD>Texture<BR>A4R4G4B4<BR>100</TD><TD>&nbsp;</TD><TD>&nbsp;</TD>"
                        "<TD>HasAlpha</TD><TD>&nbsp;</TD><TD>NativeAlpha<BR>1,024</TD><TD>RLAlpha<BR>8</TD>"
                        "<TD>&nbsp;</TD><TD>&nbsp;</TD></TR>"),
              std::string::npos)
        << page;
    EXPECT_NE(
        page.find("<TR><TD>Totals</TD><TD>&nbsp;</TD><TD>mBits<BR>32</TD><TD>Palletized<BR>1,032</TD><TD>&nbsp;</TD>"
                  "<TD>Texture<BR>100</TD>"),
        std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 31), "</TABLE></CENTER></BODY></HTML>");
}

TEST(ImageDump, EntriesSortLargestFirstKeepingTheOrderOfEqualOnes) {
    std::vector<ImageDumpEntry> entries(4);
    const uint64_t sizes[] = {10, 30, 10, 20};
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].bits = sizes[i];
        entries[i].fileName = std::to_string(i);
    }
    SortImageDumpEntries(entries);
    std::string order;
    for (const ImageDumpEntry& entry : entries)
        order += entry.fileName;
    EXPECT_EQ(order, "1302");
}

TEST(ImageDump, ThumbnailTakesTheNearestPixelWithoutFiltering) {
    // x = trunc((c + 0.5) * width) / 64, worked out by hand for a 3 x 1 row.
    const std::vector<uint32_t> row = {7, 8, 9};
    const ImageLib::Image narrow = MakeDumpThumbnail(row.data(), 3, 1);
    ASSERT_EQ(narrow.mWidth, 64);
    ASSERT_EQ(narrow.mHeight, 64);
    EXPECT_EQ(narrow.mBits[0], 7u);            // 1 / 64 = 0
    EXPECT_EQ(narrow.mBits[20], 7u);           // 61 / 64 = 0
    EXPECT_EQ(narrow.mBits[21], 8u);           // 64 / 64 = 1
    EXPECT_EQ(narrow.mBits[63 * 64 + 63], 9u); // 190 / 64 = 2

    // A 128 x 2 image: odd columns only, row 1 from thumbnail row 32 on.
    std::vector<uint32_t> wide(256);
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<uint32_t>(i);
    const ImageLib::Image thumb = MakeDumpThumbnail(wide.data(), 128, 2);
    EXPECT_EQ(thumb.mBits[0], 1u);
    EXPECT_EQ(thumb.mBits[5], 11u);
    EXPECT_EQ(thumb.mBits[31 * 64 + 63], 127u);
    EXPECT_EQ(thumb.mBits[32 * 64], 129u);
}

TEST_F(DeveloperReportsTest, DumpFolderGivesUpWhenItCannotBeCreated) {
    const std::string blocker = Platform().Folder() + "/plain-file";
    ASSERT_TRUE(platform::WriteWholeFile(blocker, "x"));
    EXPECT_FALSE(RecreateDumpFolder(blocker + "/_dump", 3));
    const std::string folder = Platform().Folder() + "/_dump";
    EXPECT_TRUE(RecreateDumpFolder(folder, 3));
    EXPECT_TRUE(platform::IsDirectory(folder));
}

} // namespace
