#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, ProductNameRoundTrip) {
    const std::string cp = "\xD2\xFE\xE2\xE5\xEB\xE8\xED"; // the product name in Windows-1251
    EXPECT_EQ(platform::Cp1251ToUtf8(cp), "Тювелин");
    EXPECT_EQ(platform::Utf8ToCp1251("Тювелин"), cp);
}

TEST(Cp1251, EveryByteSurvivesRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(platform::Utf8ToCp1251(platform::Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, SpecialLettersAndUnmappable) {
    struct Case {
        const char* utf8;
        const char* cp;
    };
    const Case cases[] = {
        {"Ёё№€", "\xA8\xB8\xB9\x88"},
        {"日", "?"},       // no place in the code page
        {"a\xC3", "a?"},   // truncated sequence
        {"\xC0\x80", "?"}, // an overlong encoding is one bad character
        {"\xE2\x82", "??"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::Utf8ToCp1251(c.utf8), c.cp) << c.utf8;
}

TEST(Cp1251, CaseFolding) {
    EXPECT_TRUE(
        platform::Cp1251EqualNoCase(platform::Utf8ToCp1251("ТЮВЕЛИН ЁЇ Ab"), platform::Utf8ToCp1251("тювелин ёї aB")));
    EXPECT_FALSE(platform::Cp1251EqualNoCase("abc", "abd"));
    EXPECT_FALSE(platform::Cp1251EqualNoCase("abc", "abcd"));
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const unsigned char lower = platform::Cp1251ToLower(byte);
        // Upper-casing a lower-case letter must come back to a letter that lowers to it.
        EXPECT_EQ(platform::Cp1251ToLower(platform::Cp1251ToUpper(lower)), lower) << b;
    }
}

} // namespace
