// The floating-point control word: the engine's default of 24-bit precision, and
// 53-bit precision around the progressive-mesh builder's work.
#pragma once

#include <cstdint>

// On x86-64 all float arithmetic runs on SSE, where the x87 precision field has no
// meaning. The control word here is therefore a process-wide record kept in the
// words and fields of the x87 layout; the real floating-point environment is never
// touched (no precision change, no unmasked exceptions, no change of rounding).
class zCFPUControl {
public:
    // All exceptions and the denormal exception masked, 53-bit precision, round to nearest.
    static constexpr std::uint32_t kStartWord = 0x9001F;
    static constexpr std::uint32_t kPrecisionMask = 0x30000;
    static constexpr std::uint32_t kPrecision24 = 0x20000;
    static constexpr std::uint32_t kPrecision53 = 0x10000;

    // Saves the current word, then SetDefaultControlWord.
    zCFPUControl();

    static std::uint32_t GetCurrentControlWord();
    // The word becomes kStartWord; the default is that word at 24-bit precision, applied.
    void SetDefaultControlWord();
    void ApplyDefaultControlWord();
    // Stores the current word and returns it.
    std::uint32_t SaveControlWord();
    // The default word at 53-bit precision, applied.
    void SetDoublePrecision();
    static void RestoreControlWord(std::uint32_t word);

private:
    std::uint32_t savedControlWord = 0;
    std::uint32_t defaultControlWord = 0;
};

// Built with the program's static objects, so the default holds from the start.
extern zCFPUControl g_fpuControl;
