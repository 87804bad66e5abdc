#include <gtest/gtest.h>

#include "engine/base/sound_error.h"
#include "engine/base/storage_error.h"

namespace {

TEST(EngineErrors, SoundTexts) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {1, "Error creating direct sound"}, {5, "Error creating  listener"},
        {15, "Error reding file"},          {20, "Error  duplicating sound buffer"},
        {23, "Error quering interface"},    {25, "Error getting 3D buffer interface"},
        {32, "Error playing sound"},        {24, "Sond unknown errror"},
        {0, "Sond unknown errror"},         {33, "Sond unknown errror"},
        {-1, "Sond unknown errror"},
    };
    for (const Case& c : cases) {
        const errSnd_e error(c.code);
        EXPECT_EQ(error.Message(), c.text) << c.code;
        EXPECT_STREQ(error.Name(), "Sound errror");
    }
    EXPECT_STREQ(err_e().Name(), "UnknownError");
    EXPECT_EQ(err_e().Message(), "UnknownError");
}

TEST(EngineErrors, StorageMessages) {
    struct Case {
        int code;
        int mode;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {3, 13, "F", "Invalid directory\r\nStorage name : S\r\nFile name : F"},
        {23, 14, "F", "Unknown error\r\nStorage name : S\r\nFile name : F\r\n"},
        {0, 13, "F", "Unknown error\r\nStorage name : S\r\nFile name : F"},
        {2, 5, "F", "Invalid argument\r\nStorage name : S\r\nFile name : F\r\nMode=openFileRead"},
        {22, 12, "", "Function is not realized\r\nStorage name : S\r\nFile name : \r\nMode=DeleteFile"},
        {18, 0, "", "Deleting error\r\nStorage name : S\r\nFile name : \r\nMode=TestFilePresent"},
        {6, -1, "F", "Invalid File Mode\r\nStorage name : S\r\nFile name : F\r\n"},
    };
    for (const Case& c : cases) {
        const errStg_e error("S", c.file, c.code, c.mode);
        EXPECT_EQ(error.Message(), c.message) << c.code << "/" << c.mode;
    }
    const err_e& asBase = errStg_e("S", "F", 1, 13);
    EXPECT_STREQ(asBase.Name(), "Storage Error");
}

TEST(EngineErrors, StorageMessageHoldsLongNames) {
    const std::string longName(5000, 'x');
    const errStg_e error(longName, longName, 19, 13);
    const errStg_e copy = error;
    EXPECT_EQ(copy.Message(), "Memory error\r\nStorage name : " + longName + "\r\nFile name : " + longName);
}

} // namespace
