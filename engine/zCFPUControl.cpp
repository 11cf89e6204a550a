// The floating-point control word, kept as a process-wide record.
#include "zCFPUControl.h"

#include <atomic>

namespace {

// Constant-initialised, so it holds its start value before any static constructor runs.
std::atomic<std::uint32_t> g_controlWord{zCFPUControl::kStartWord};

} // namespace

zCFPUControl g_fpuControl;

zCFPUControl::zCFPUControl()
{
    savedControlWord = GetCurrentControlWord();
    SetDefaultControlWord();
}

std::uint32_t zCFPUControl::GetCurrentControlWord()
{
    return g_controlWord.load();
}

void zCFPUControl::SetDefaultControlWord()
{
    RestoreControlWord(kStartWord);
    defaultControlWord = (GetCurrentControlWord() & ~kPrecisionMask) | kPrecision24;
    ApplyDefaultControlWord();
}

void zCFPUControl::ApplyDefaultControlWord()
{
    RestoreControlWord(defaultControlWord);
}

std::uint32_t zCFPUControl::SaveControlWord()
{
    savedControlWord = GetCurrentControlWord();
    return savedControlWord;
}

void zCFPUControl::SetDoublePrecision()
{
    RestoreControlWord((defaultControlWord & ~kPrecisionMask) | kPrecision53);
}

void zCFPUControl::RestoreControlWord(std::uint32_t word)
{
    g_controlWord.store(word);
}
