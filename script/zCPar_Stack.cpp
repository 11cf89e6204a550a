// The code stack and the data stack.
#include "zCPar_Stack.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "DatWords.h"
#include "zFILE.h"

zCPar_Stack::zCPar_Stack(unsigned size) : capacity(size > kMaxSize ? kMaxSize : size)
{
    base = capacity ? new unsigned char[capacity] : nullptr;
}

zCPar_Stack::~zCPar_Stack()
{
    delete[] base;
    base = nullptr;
    readPos = writePos = capacity = 0;
}

void zCPar_Stack::SetPopPos(int offset)
{
    readPos = offset < 0 ? 0u : static_cast<std::uint32_t>(offset);
}

void zCPar_Stack::CheckOverflow(int count)
{
    if (count <= 0)
        return;
    // In 64 bits: the sum must not wrap round.
    const std::uint64_t needed = static_cast<std::uint64_t>(writePos) + static_cast<std::uint64_t>(count);
    if (needed <= capacity)
        return;
    if (needed > kMaxSize)
        throw std::length_error("code stack full");
    std::uint64_t grown = capacity ? capacity : 16;
    while (grown < needed)
        grown *= 2;
    if (grown > kMaxSize)
        grown = kMaxSize;
    auto* bigger = new unsigned char[static_cast<std::size_t>(grown)];
    if (base && capacity)
        std::memcpy(bigger, base, capacity);
    delete[] base;
    base = bigger;
    capacity = static_cast<std::uint32_t>(grown);
}

void zCPar_Stack::PushByte(unsigned char value)
{
    CheckOverflow(1);
    base[writePos++] = value;
}

void zCPar_Stack::PushInt(std::int32_t value)
{
    CheckOverflow(4);
    const auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        base[writePos++] = static_cast<unsigned char>((word >> shift) & 0xFFu);
}

bool zCPar_Stack::CanRead(int count) const
{
    return count >= 0 && static_cast<std::uint64_t>(readPos) + static_cast<std::uint64_t>(count) <= writePos;
}

unsigned char zCPar_Stack::GetByteAt(int offset) const
{
    if (offset < 0 || static_cast<std::uint32_t>(offset) >= writePos)
        return 0;
    return base[offset];
}

unsigned char zCPar_Stack::PeekByte() const
{
    return readPos < writePos ? base[readPos] : 0;
}

unsigned char zCPar_Stack::PopByte()
{
    const unsigned char value = PeekByte();
    if (readPos < kMaxSize)
        ++readPos;
    return value;
}

std::int32_t zCPar_Stack::PopInt()
{
    std::uint32_t word = 0;
    for (int shift = 0; shift < 32; shift += 8)
        word |= static_cast<std::uint32_t>(PopByte()) << shift;
    return static_cast<std::int32_t>(word);
}

void zCPar_Stack::Set(int offset, std::int32_t value)
{
    if (offset < 0 || static_cast<std::uint64_t>(offset) + 4 > writePos)
        return;
    const auto word = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        base[offset + i] = static_cast<unsigned char>((word >> (8 * i)) & 0xFFu);
}

bool zCPar_Stack::Save(zFILE& file) const
{
    // One block: the size and the code.
    std::string out;
    out.reserve(4 + static_cast<std::size_t>(writePos));
    PutDatInt(out, static_cast<std::int32_t>(writePos));
    if (writePos)
        out.append(reinterpret_cast<const char*>(base), writePos);
    return file.Write(out.data(), static_cast<long>(out.size())) == 0;
}

bool zCPar_Stack::Load(zFILE& file)
{
    delete[] base;
    base = nullptr;
    readPos = writePos = capacity = 0;

    std::int32_t size = 0;
    if (!ReadDatInt(file, size) || size < 0)
        return false;
    // Nothing is allocated for more code than the file holds.
    const long fileSize = file.Size();
    const long pos = file.Pos();
    if (fileSize < 0 || pos < 0 || size > fileSize - pos)
        return false;
    auto* loaded = size ? new unsigned char[static_cast<std::size_t>(size)] : nullptr;
    if (size && file.Read(loaded, size) != size) {
        delete[] loaded;
        return false;
    }
    base = loaded;
    writePos = capacity = static_cast<std::uint32_t>(size);
    return true;
}

zCPar_DataStack::zCPar_DataStack() : stack{}, stackPointer(0)
{
}
