// The board's tile pictures as the sample content ships them: a cell still
// to clear must stand out from a cleared one in both tile strengths, and a
// cleared cell shows no name.
#include "framework/imagelib/image_lib.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace Game {
namespace {

class SampleTilesTest : public ::testing::Test {
protected:
    SampleTilesTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
    }
    ~SampleTilesTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    std::string mPreviousFolder;
};

// The mean brightness (0 to 255) of the picture's first 50 x 50 cel.
double CelBrightness(const Kavo::ImageLib::Image& picture) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < std::min(50, picture.mHeight); ++y)
        for (int x = 0; x < std::min(50, picture.mWidth); ++x) {
            const uint32_t pixel = picture.mBits[static_cast<size_t>(y * picture.mWidth + x)];
            sum += 0.299 * ((pixel >> 16) & 0xFF) + 0.587 * ((pixel >> 8) & 0xFF) + 0.114 * (pixel & 0xFF);
            ++count;
        }
    return count > 0 ? sum / count : 0;
}

TEST_F(SampleTilesTest, TilesStandOutFromClearedCellsAndAClearedCellIsBlank) {
    const auto cleared = Kavo::ImageLib::LoadPng("images/game/deep0.png");
    const auto single = Kavo::ImageLib::LoadPng("images/game/deep1.png");
    const auto twofold = Kavo::ImageLib::LoadPng("images/game/deep2.png");
    ASSERT_TRUE(cleared && single && twofold);
    const double clearedLight = CelBrightness(*cleared);
    // Far apart on a scale of 255, not a shade: a tile of either strength
    // from a cleared cell, and the two strengths from each other.
    EXPECT_GT(std::abs(CelBrightness(*single) - clearedLight), 80.0);
    EXPECT_GT(std::abs(CelBrightness(*twofold) - clearedLight), 50.0);
    EXPECT_GT(std::abs(CelBrightness(*single) - CelBrightness(*twofold)), 25.0);
    // Inside its rim a cleared cell is one flat colour: no name written on it.
    const uint32_t face = cleared->mBits[static_cast<size_t>(25 * cleared->mWidth + 5)];
    int marked = 0;
    for (int y = 5; y < cleared->mHeight - 5; ++y)
        for (int x = 5; x < cleared->mWidth - 5; ++x)
            marked += cleared->mBits[static_cast<size_t>(y * cleared->mWidth + x)] != face ? 1 : 0;
    EXPECT_EQ(marked, 0);
}

} // namespace
} // namespace Game
