#include "game/board/comments.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class CommentsTest : public Kavo::HeadlessEnvironment {};

TEST_F(CommentsTest, GoodOnlyForOneOrMissingAndAMissingFileFails) {
    const std::string path = Platform().Folder() + "/comments.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, "[Zero]\r\nGood=0\r\nFile=sounds\\boo\r\n[Two]\r\nGood=2\r\n"
                                               "[One]\r\nGood=1\r\n[Plain]\r\nFile=a.png\r\n"));
    Comments comments;
    ASSERT_TRUE(LoadComments(path, comments));
    ASSERT_EQ(comments.size(), 4u);
    EXPECT_FALSE(comments.at("Zero").mGood);
    EXPECT_FALSE(comments.at("Two").mGood);
    EXPECT_TRUE(comments.at("One").mGood);
    EXPECT_TRUE(comments.at("plain").mGood); // names match in any case
    EXPECT_EQ(comments.at("Plain").mName, "Plain");
    EXPECT_EQ(comments.at("Plain").mFile, "a.png");
    EXPECT_EQ(comments.at("Zero").mFile, "sounds\\boo");
    EXPECT_EQ(comments.at("Two").mFile, "");

    // A second file replaces entries of the same name and keeps the rest.
    const std::string more = Platform().Folder() + "/more.txt";
    ASSERT_TRUE(platform::WriteWholeFile(more, "[ZERO]\r\nGood=1\r\n"));
    ASSERT_TRUE(LoadComments(more, comments));
    EXPECT_EQ(comments.size(), 4u);
    EXPECT_TRUE(comments.at("Zero").mGood);

    Comments none;
    EXPECT_FALSE(LoadComments(Platform().Folder() + "/missing.txt", none));
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace Game
