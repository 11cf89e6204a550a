// The floating-point control word record: default, double precision, save and restore.
#include "zCFPUControl.h"

#include <gtest/gtest.h>

namespace {

// Every test leaves the process-wide word as it found it.
class FPUControl : public ::testing::Test {
protected:
    void TearDown() override { zCFPUControl::RestoreControlWord(saved); }
    const std::uint32_t saved = zCFPUControl::GetCurrentControlWord();
};

TEST_F(FPUControl, StaticInstanceAppliedTheDefaultAtStart)
{
    EXPECT_EQ(saved, 0xA001Fu);
}

TEST_F(FPUControl, WordValuesThroughAPrecisionSwitch)
{
    zCFPUControl::RestoreControlWord(0x1234);
    zCFPUControl fpu;
    EXPECT_EQ(zCFPUControl::GetCurrentControlWord(), 0xA001Fu);  // 24-bit precision

    const std::uint32_t before = fpu.SaveControlWord();
    EXPECT_EQ(before, 0xA001Fu);
    fpu.SetDoublePrecision();
    EXPECT_EQ(zCFPUControl::GetCurrentControlWord(), 0x9001Fu);  // 53-bit precision
    zCFPUControl::RestoreControlWord(before);
    EXPECT_EQ(zCFPUControl::GetCurrentControlWord(), 0xA001Fu);

    zCFPUControl::RestoreControlWord(0x3001F);
    fpu.ApplyDefaultControlWord();
    EXPECT_EQ(zCFPUControl::GetCurrentControlWord(), 0xA001Fu);
    fpu.SetDefaultControlWord();
    EXPECT_EQ(zCFPUControl::GetCurrentControlWord(), 0xA001Fu);
}

} // namespace
