#include "framework/util/color.h"

#include <gtest/gtest.h>

namespace Kavo {
namespace {

TEST(Color, PackedForms) {
    EXPECT_EQ(Color(0x00FF0000), Color(255, 0, 0, 255)); // alpha byte 0 means opaque
    EXPECT_EQ(Color(static_cast<int>(0x80FF0000u)).mAlpha, 128);
    EXPECT_EQ(Color(0xFF0000, 0), Color(255, 0, 0, 0)); // a separate alpha of 0 stays 0
    EXPECT_EQ(Color(static_cast<int>(0x7F123456u), 9), Color(0x12, 0x34, 0x56, 9));
    EXPECT_EQ(Color(1, 2, 3), Color(1, 2, 3, 255));
    EXPECT_NE(Color(1, 2, 3), Color(1, 2, 3, 254));
    EXPECT_EQ(Color(), Color::Black);
}

TEST(Color, IndexOutsideChannelsTouchesNoColour) {
    Color c(1, 2, 3, 4);
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(c[3], 4);
    c[4] = 99;
    c[-1] = 77;
    EXPECT_EQ(c, Color(1, 2, 3, 4));
    c[2] = 30;
    EXPECT_EQ(c.mBlue, 30);
}

} // namespace
} // namespace Kavo
