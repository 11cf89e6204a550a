// CRC-16 and CRC-32: known check values, continuation and the running objects.
#include "zCCrc.h"

#include <gtest/gtest.h>

namespace {

const char kDigits[] = "123456789";

TEST(Crc, KnownValues)
{
    EXPECT_EQ(Crc32Buffer("abc", 3, 0), 0x352441C2u);
    EXPECT_EQ(Crc32Buffer(kDigits, 9, 0), 0xCBF43926u);
    EXPECT_EQ(Crc16Buffer(kDigits, 9, 0), 0xBB3Du);
    EXPECT_EQ(Crc16Buffer("abc", 3, 0), 0x9738u);
}

TEST(Crc, NullOrEmptyBufferGivesTheStartValue)
{
    EXPECT_EQ(Crc32Buffer(nullptr, 9, 0x12345678u), 0x12345678u);
    EXPECT_EQ(Crc32Buffer(kDigits, 0, 0x12345678u), 0x12345678u);
    EXPECT_EQ(Crc16Buffer(nullptr, 9, 0xBEEF), 0xBEEF);
    EXPECT_EQ(Crc16Buffer(kDigits, 0, 0xBEEF), 0xBEEF);
}

TEST(Crc, ContinuesFromAStartValue)
{
    EXPECT_EQ(Crc32Buffer(kDigits + 4, 5, Crc32Buffer(kDigits, 4, 0)), 0xCBF43926u);
    EXPECT_EQ(Crc16Buffer(kDigits + 4, 5, Crc16Buffer(kDigits, 4, 0)), 0xBB3Du);
}

TEST(Crc, RunningObjectsAccumulateAndReset)
{
    zCCrc32 crc32;
    zCCrc16 crc16;
    crc32.Update("1234", 4);
    crc32.Update("56789", 5);
    crc16.Update("1234", 4);
    crc16.Update("56789", 5);
    EXPECT_EQ(crc32.GetValue(), 0xCBF43926u);
    EXPECT_EQ(crc16.GetValue(), 0xBB3Du);
    crc32.Reset();
    crc16.Reset();
    EXPECT_EQ(crc32.GetValue(), 0u);
    EXPECT_EQ(crc16.GetValue(), 0u);
    crc32.Update("abc", 3);
    EXPECT_EQ(crc32.GetValue(), 0x352441C2u);
}

} // namespace
