#include <gtest/gtest.h>

#include "framework/imagelib/image_lib.h"
#include "framework/pak/pak_interface.h"
#include "framework/pak/pak_writer.h"
#include "tests/framework/imagelib/image_fixtures.h"
#include "tests/support/headless_environment.h"

#include <memory>

namespace Kavo::ImageLib {
namespace {

using namespace Fixtures;

std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class ImagesInPak : public HeadlessEnvironment {};

TEST_F(ImagesInPak, LoadLikeTheSameFilesOnDisk) {
    ScratchDir dir;
    std::vector<uint32_t> colors;
    for (int i = 0; i < 12; ++i)
        colors.push_back(0xFF000000u | uint32_t(i * 0x151515));
    std::vector<uint32_t> mask(12, 0xFF000000u);
    for (int i = 0; i < 12; ++i)
        mask[size_t(i)] |= uint32_t(i * 20);
    Bytes rgb(4 * 3 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = uint8_t(i * 11);
    GifRecipe gif;
    gif.mWidth = 4;
    gif.mHeight = 3;
    gif.mGlobalTable = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    gif.mIndices = {0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 1, 1};

    const std::pair<std::string, Bytes> files[] = {
        {"pic.png", EncodePngArgb(4, 3, colors)}, {"_pic.png", EncodePngArgb(4, 3, mask)},
        {"photo.jpg", EncodeJpeg(4, 3, 3, rgb)},  {"anim.gif", MakeGif(gif)},
        {"sprite.tga", MakeTga(4, 3, colors)},    {"scan.jp2", EncodeJpeg2000(4, 3, 3, rgb, true)},
    };
    // The archive's folder does not exist on the disk, so only the archive
    // can answer for it.
    const std::string folder = "imagelib_pak_only";
    std::vector<PakMember> members;
    for (const auto& [name, bytes] : files) {
        dir.Write(name, bytes);
        members.push_back({folder + "\\" + name, AsString(bytes), 0});
    }
    std::string archive, error;
    ASSERT_TRUE(BuildPakArchive(members, &archive, &error)) << error;
    dir.Write("main.pak", Bytes(archive.begin(), archive.end()));

    // Mounted into a reader installed for the file API.
    auto reader = std::make_shared<PakInterface>();
    const platform::Installed<PakInterfaceBase> installed(PakReaderSlot(), reader);
    ASSERT_TRUE(reader->MountArchive(dir.File("main.pak")));

    for (const char* name : {"pic", "photo", "anim", "sprite", "scan"}) {
        auto fromDisk = LoadImageFile(dir.File(name), true);
        auto fromPak = LoadImageFile(folder + "/" + name, true);
        ASSERT_TRUE(fromDisk) << name;
        ASSERT_TRUE(fromPak) << name;
        EXPECT_EQ(fromPak->mWidth, 4) << name;
        EXPECT_EQ(fromPak->mHeight, 3) << name;
        EXPECT_EQ(fromPak->mBits, fromDisk->mBits) << name;
    }
    auto withAlpha = LoadImageFile(folder + "/pic", true);
    ASSERT_TRUE(withAlpha);
    EXPECT_EQ(withAlpha->mBits[5] >> 24, 100u);
}

} // namespace
} // namespace Kavo::ImageLib
