#include "game/main/secret_map_loading.h"

#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class SecretMapLoadingTest : public app_test::AppTestEnvironment {};

TEST_F(SecretMapLoadingTest, TheLoadFillsTheTableThatBothSlotsHold) {
    ASSERT_TRUE(platform::MakeDirectories(WorkFolder() + "/data"));
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/data/secretmaps.txt",
                                         "[Map01]\r\nItems=a,1,2;b,3,4\r\n[Map02]\r\nItems=c,5,6\r\n"));
    {
        SecretMapLoading loading;
        StartupSteps steps;
        loading.Register(steps);
        ASSERT_EQ(steps.mCatalogueLoads.size(), 1u);
        EXPECT_EQ(SecretMapTableSlot().Get()->GetMapCount(), 0);
        steps.mCatalogueLoads[0]();
        EXPECT_EQ(SecretMapsSlot().Get()->FindByName("Map02")->GetPieceCount(), 1);
        EXPECT_EQ(SecretMapTableSlot().Get()->GetPieceCount(0), 2);
    }
    EXPECT_EQ(SecretMapsSlot().Get(), nullptr);
    EXPECT_EQ(SecretMapTableSlot().Get(), nullptr);
}

} // namespace
} // namespace Game
