// The text-style record: its 60 little-endian bytes, and nothing read from a value of another length.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TextStyleRecord.h"

namespace {

TEST(TextStyleRecord, IsSixtyLittleEndianBytesAndOnlyExactlySixtyAreRead)
{
    TextStyle style{};
    std::strcpy(style.fontName, "Courier");
    style.fore = 0xDC0000;
    style.back = 0xFFFFFF;
    style.caseMode = 2;
    style.size = 0x0102;
    style.bold = 1;
    uint8_t bytes[kTextStyleBytes];
    EncodeTextStyle(style, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes)), "Courier");
    EXPECT_EQ(bytes[7], 0);
    EXPECT_EQ(bytes[31], 0);
    const uint8_t tail[] = {0x02, 0x01, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0x00, 0x00, 0xDC, 0, 0xFF, 0xFF, 0xFF, 0, 2, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 32, tail, sizeof tail), 0);

    TextStyle back{};
    ASSERT_TRUE(DecodeTextStyle(bytes, kTextStyleBytes, back));
    EXPECT_STREQ(back.fontName, "Courier");
    EXPECT_EQ(back.size, 0x0102);
    EXPECT_EQ(back.fore, 0xDC0000u);
    EXPECT_EQ(back.caseMode, 2);

    // Another length is not a record: nothing is taken.
    for (std::size_t count : {0u, 1u, 59u, 61u, 120u}) {
        TextStyle untouched{};
        untouched.fore = 0x800080;
        EXPECT_FALSE(DecodeTextStyle(bytes, count, untouched)) << count;
        EXPECT_EQ(untouched.fore, 0x800080u) << count;
    }
    EXPECT_FALSE(DecodeTextStyle(nullptr, kTextStyleBytes, back));
    // A face name filling all 32 bytes still ends.
    std::memset(bytes, 'A', 32);
    ASSERT_TRUE(DecodeTextStyle(bytes, kTextStyleBytes, back));
    EXPECT_EQ(std::strlen(back.fontName), 31u);
}

}  // namespace
