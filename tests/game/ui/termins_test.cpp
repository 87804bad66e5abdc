#include "game/ui/termins.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace Game {
namespace {

class TerminsTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Write(const std::string& text) {
        std::string path = Platform().Folder() + "/termins.txt";
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }
};

TEST_F(TerminsTest, LaterSectionWinsAndKeysCompareExactly) {
    Termins table;
    table.Load(Write("[B]\r\nQuit=from B\r\n[a]\r\nQuit=from a\r\nHelpNext=Next \r\n"));
    EXPECT_EQ(table.Get("Quit"), "from B");
    EXPECT_EQ(table.Get("HelpNext"), "Next ");
    EXPECT_EQ(table.Get("quit"), "quit");
    EXPECT_EQ(table.Get("Absent"), "Absent");
    EXPECT_EQ(table.Get(""), "");

    // A missing file leaves the table as it was.
    table.Load(Platform().Folder() + "/none.txt");
    EXPECT_EQ(table.GetCount(), 2u);
    table.Release();
    EXPECT_EQ(table.Get("Quit"), "Quit");
}

TEST_F(TerminsTest, LookupGoesThroughTheInstalledTable) {
    EXPECT_EQ(Termins::Lookup("Quit"), "Quit");
    auto table = std::make_shared<Termins>();
    table->Load(Write("[Main]\r\nQuit=Leave\r\n"));
    platform::Installed<Termins> installed(TerminsSlot(), table);
    EXPECT_EQ(Termins::Instance(), table);
    EXPECT_EQ(Termins::Lookup("Quit"), "Leave");
}

} // namespace
} // namespace Game
