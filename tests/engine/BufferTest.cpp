// The bit-position memory buffer: byte and bit writes, growth, positions and refusals.
#include "zCBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorBoxCatcher.h"

namespace {

TEST(Buffer, WholeBytesAtBytePosition)
{
    zCBuffer buffer;
    EXPECT_EQ(buffer.Write("abc", 3), 24u);
    EXPECT_EQ(buffer.GetPos(), 3u);
    EXPECT_EQ(buffer.GetSize(), 3u);
    EXPECT_EQ(buffer.GetAllocated(), 32u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.GetBuffer()), 3), "abc");
}

TEST(Buffer, BitsFillBytesLeastSignificantFirst)
{
    zCBuffer buffer;
    EXPECT_EQ(buffer.WriteBits(0b101u, 3), 3u);
    EXPECT_EQ(buffer.GetPos(), 1u);
    EXPECT_EQ(buffer.WriteBits(0u, 5), 5u);
    EXPECT_EQ(buffer.GetBuffer()[0], 0x05);

    // Across a byte boundary, from a source buffer.
    const unsigned char source[2] = {0xFF, 0x01};
    EXPECT_EQ(buffer.WriteBits(static_cast<const void*>(source), 4), 4u);
    EXPECT_EQ(buffer.WriteBits(static_cast<const void*>(source), 9), 9u);
    EXPECT_EQ(buffer.GetBuffer()[1], 0xFF);
    EXPECT_EQ(buffer.GetBuffer()[2], 0x1F);
    EXPECT_EQ(buffer.GetPos(), 3u);
    EXPECT_EQ(buffer.GetSize(), 3u);

    EXPECT_EQ(buffer.WriteBits(0u, 33), 0u);  // a u32 has 32 bits
    EXPECT_EQ(buffer.GetPos(), 3u);
}

TEST(Buffer, AllocateGrowsOnlyWhenReachedAndKeepsTheData)
{
    zCBuffer buffer;
    buffer.Allocate(10);
    EXPECT_EQ(buffer.GetAllocated(), 32u);
    buffer.Write("xyz", 3);
    buffer.Allocate(31);
    EXPECT_EQ(buffer.GetAllocated(), 32u);
    buffer.Allocate(100);
    EXPECT_EQ(buffer.GetAllocated(), 100u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.GetBuffer()), 3), "xyz");
}

// Half as much again as the position falls short of writes longer than half of it.
TEST(Buffer, GrowthCoversTheWholeWrite)
{
    const std::vector<unsigned char> full(32, 0x11);
    const std::vector<unsigned char> next(25, 0xAB);
    zCBuffer buffer;
    buffer.Write(full.data(), 32);
    buffer.Write(next.data(), 25);  // 256 + 128 bits would hold only 48 of 57 bytes
    ASSERT_GE(buffer.GetAllocated(), 57u);
    EXPECT_EQ(buffer.GetSize(), 57u);
    EXPECT_EQ(buffer.GetBuffer()[31], 0x11);
    EXPECT_EQ(buffer.GetBuffer()[56], 0xAB);

    // The same through the bit path.
    zCBuffer bits;
    bits.Write(full.data(), 32);
    bits.WriteBits(1u, 1);
    bits.WriteBits(static_cast<const void*>(next.data()), 25 * 8);
    ASSERT_GE(bits.GetAllocated(), 58u);
    EXPECT_EQ(bits.GetSize(), 58u);
    EXPECT_EQ(bits.GetBuffer()[57], 0x01);  // the last source bit at bit 456
}

TEST(Buffer, PositionsResetAndReadOnly)
{
    zCBuffer buffer;
    buffer.Write("abcdef", 6);
    buffer.SetPos(2);
    buffer.Write("XY", 2);
    EXPECT_EQ(buffer.GetPos(), 4u);
    EXPECT_EQ(buffer.GetSize(), 6u);  // an overwrite inside keeps the size
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.GetBuffer()), 6), "abXYef");

    buffer.SetReadOnly(true);
    EXPECT_EQ(buffer.Write("zz", 2), 0u);
    EXPECT_EQ(buffer.WriteBits(1u, 1), 0u);
    EXPECT_EQ(buffer.GetPos(), 4u);
    buffer.SetReadOnly(false);

    buffer.Reset();
    EXPECT_EQ(buffer.GetPos(), 0u);
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetAllocated(), 32u);
}

// A bit position past 32 bits would wrap round and write over the start.
TEST(Buffer, PositionsBeyondThirtyTwoBitsAreRefused)
{
    zCBuffer buffer;
    buffer.Write("ab", 2);
    const char tiny = 'x';
    EXPECT_EQ(buffer.Write(&tiny, 0x20000001u), 0u);
    buffer.SetPos(0x20000000u);
    EXPECT_EQ(buffer.GetPos(), 2u);
    EXPECT_EQ(buffer.GetSize(), 2u);
    EXPECT_EQ(buffer.GetAllocated(), 32u);
}

// Read goes through ReadBits, whose message it shows.
TEST(Buffer, ReadingIsAStub)
{
    ErrorBoxCatcher catcher;
    zCBuffer buffer;
    char target[4];
    try {
        buffer.Read(target, 4);
        ADD_FAILURE() << "the stub returned";
    } catch (const ErrorBoxShown& e) {
        EXPECT_STREQ(e.what(), "zCBuffer::ReadBits not found");
    }
}

} // namespace
