// The code stack and the data stack.
#include "zCPar_Stack.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "DatWords.h"
#include "LittleEndian.h"
#include "zFILE.h"

zCPar_Stack::zCPar_Stack(unsigned size) : capacity(size > kMaxSize ? kMaxSize : size)
{
    if (capacity) {
        base = static_cast<unsigned char*>(std::malloc(capacity));
        if (!base)
            throw std::bad_alloc();
    }
}

zCPar_Stack::~zCPar_Stack()
{
    std::free(base);
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
    // realloc: a large buffer grows where it lies, without copying the code or
    // touching fresh memory for it.
    auto* bigger = static_cast<unsigned char*>(std::realloc(base, static_cast<std::size_t>(grown)));
    if (!bigger)
        throw std::bad_alloc();
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
    zPutLE32(base + writePos, static_cast<std::uint32_t>(value));
    writePos += 4;
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
    zPutLE32(base + offset, static_cast<std::uint32_t>(value));
}

bool zCPar_Stack::Save(zFILE& file) const
{
    // The size, then the code as it lies (an empty one is not written: the file
    // layer warns about empty writes).
    std::string size;
    PutDatInt(size, static_cast<std::int32_t>(writePos));
    if (file.Write(size.data(), static_cast<long>(size.size())) != 0)
        return false;
    return writePos == 0 || file.Write(base, static_cast<long>(writePos)) == 0;
}

bool zCPar_Stack::Load(zFILE& file)
{
    std::free(base);
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
    unsigned char* loaded = nullptr;
    if (size) {
        loaded = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size)));
        if (!loaded)
            throw std::bad_alloc();
        if (file.Read(loaded, size) != size) {
            std::free(loaded);
            return false;
        }
    }
    base = loaded;
    writePos = capacity = static_cast<std::uint32_t>(size);
    return true;
}

zCPar_DataStack::zCPar_DataStack() : stack{}, stackPointer(0)
{
}
