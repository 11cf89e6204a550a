// One symbol of the script language: its type word, flags, storage and .dat record.
#include "zCPar_Symbol.h"

#include <cstring>

#include "DatWords.h"
#include "ResourceIds.h"
#include "zCParObjectPool.h"
#include "HexText.h"
#include "ResString.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

float ToFloat(std::int32_t word)
{
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

std::int32_t FromFloat(float value)
{
    std::int32_t word;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

// A large compile makes a symbol for every name it declares, tens of thousands of
// them, and drops them all at the next reset. 1024 to a chunk, and the chunks of
// some 130,000 symbols kept between compiles.
using SymbolPool = zCParObjectPool<zCPar_Symbol, 1024, 128>;

} // namespace

zCPar_Symbol::zCPar_Symbol() = default;

void* zCPar_Symbol::operator new(std::size_t size)
{
    return SymbolPool::Shared().New(size);
}

void zCPar_Symbol::operator delete(void* block, std::size_t size) noexcept
{
    SymbolPool::Shared().Delete(block, size);
}

void zCPar_Symbol::DeleteAll(zCPar_Symbol* const* symbols, std::size_t count)
{
    SymbolPool::Batch dropped;
    for (std::size_t i = 0; i < count; ++i)
        dropped.Drop(symbols[i]);
}

zCPar_Symbol::~zCPar_Symbol()
{
    FreeSpace();
    content = 0;
    parent = nullptr;
    next = nullptr;
}

int zCPar_Symbol::GetElementCount() const
{
    const int count = static_cast<int>(bits & 0xFFFu);
    return count >= 0x800 ? count - 0x1000 : count;
}

bool zCPar_Symbol::IsNumeric() const
{
    return GetType() == zPAR_TYPE_INT || GetType() == zPAR_TYPE_FLOAT;
}

void zCPar_Symbol::FreeSpace()
{
    numbers.reset();
    strings.reset();
    storageLength = 0;
}

void zCPar_Symbol::AllocSpace()
{
    if (IsSpaceAllocated())
        return;
    const int count = GetElementCount();
    if (HasFlag(zPAR_FLAG_CLASSVAR)) {
        int size = 0;
        switch (GetType()) {
        case zPAR_TYPE_INT:
        case zPAR_TYPE_FLOAT:
        case zPAR_TYPE_FUNC:
            size = count * 4;
            break;
        case zPAR_TYPE_STRING:
            size = count * kStringMemberSize;
            break;
        default:
            break;  // the declaration reader makes no members of other types
        }
        if (count == 0)
            g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_ALLOCSPACE_NO_ELEMENTS));
        if (parent) {
            offset = parent->offset;
            parent->offset += size;
        }
    } else {
        switch (GetType()) {
        case zPAR_TYPE_INT:
        case zPAR_TYPE_FLOAT:
            if (count > 1) {
                numbers.reset(new std::int32_t[count]());
                storageLength = count;
            } else {
                content = 0;
            }
            break;
        case zPAR_TYPE_STRING:
            if (count >= 1) {
                strings.reset(new zSTRING[count]);
                storageLength = count;
            }
            break;
        case zPAR_TYPE_CLASS:
            offset = 0;
            break;
        default:
            break;
        }
    }
    bits |= kAllocatedBit;
}

std::int32_t* zCPar_Symbol::NumberSlot(int index)
{
    return const_cast<std::int32_t*>(static_cast<const zCPar_Symbol*>(this)->NumberSlot(index));
}

const std::int32_t* zCPar_Symbol::NumberSlot(int index) const
{
    if (!IsNumeric() || HasFlag(zPAR_FLAG_CLASSVAR) || index < 0)
        return nullptr;
    if (numbers)
        return index < storageLength ? &numbers[index] : nullptr;
    return index == 0 ? &content : nullptr;
}

void* zCPar_Symbol::GetDataAdr(int index)
{
    if (HasFlag(zPAR_FLAG_CLASSVAR)) {
        if (g_errorReporter.GetFilterLevel() >= 2)
            g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_ADDRESSING_EMPTY_INSTANCE) + name);
        return nullptr;
    }
    switch (GetType()) {
    case zPAR_TYPE_INT:
    case zPAR_TYPE_FLOAT:
        return NumberSlot(index);
    case zPAR_TYPE_STRING:
        return strings && index >= 0 && index < storageLength ? &strings[index] : nullptr;
    case zPAR_TYPE_CLASS:
        // The class's base as the linker set it.
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(content)));
    default:
        return &content;
    }
}

void zCPar_Symbol::SetFlag(int flags)
{
    bits |= (static_cast<std::uint32_t>(flags) & 0x3Fu) << 16;
}

bool zCPar_Symbol::HasFlag(int flags) const
{
    return (bits & ((static_cast<std::uint32_t>(flags) & 0x3Fu) << 16)) != 0;
}

void zCPar_Symbol::SetSourcePosition(int lineValue, int lineCountValue, int charPositionValue, int charCountValue)
{
    line = lineValue;
    lineCount = lineCountValue;
    charPosition = charPositionValue;
    charCount = charCountValue;
}

void zCPar_Symbol::SetFileIndex(int number)
{
    reserved = number & 0x7FFFF;
}

void zCPar_Symbol::SetValue(int value, int index)
{
    if (std::int32_t* slot = NumberSlot(index))
        *slot = value;
}

void zCPar_Symbol::SetValue(float value, int index)
{
    if (std::int32_t* slot = NumberSlot(index))
        *slot = FromFloat(value);
}

void zCPar_Symbol::SetValue(const zSTRING& value, int index)
{
    if (GetType() == zPAR_TYPE_STRING && strings && index >= 0 && index < storageLength)
        strings[index] = value;
}

void zCPar_Symbol::GetValue(int& value, int index) const
{
    if (const std::int32_t* slot = NumberSlot(index))
        value = *slot;
}

void zCPar_Symbol::GetValue(float& value, int index) const
{
    if (const std::int32_t* slot = NumberSlot(index))
        value = ToFloat(*slot);
}

void zCPar_Symbol::GetValue(zSTRING& value, int index) const
{
    if (GetType() == zPAR_TYPE_STRING && strings && index >= 0 && index < storageLength)
        value = strings[index];
}

bool zCPar_Symbol::LoadFromDat(zFILE& file)
{
    return LoadRecord(file);
}

bool zCPar_Symbol::LoadFromDat(zCDatBytes& bytes)
{
    return LoadRecord(bytes);
}

template <class Source>
bool zCPar_Symbol::LoadRecord(Source& file)
{
    std::int32_t hasName = 0;
    if (!ReadDatInt(file, hasName))
        return false;
    name.clear();
    if (hasName != 0 && !ReadDatLine(file, name))
        return false;
    std::int32_t words[7];
    for (std::int32_t& word : words) {
        if (!ReadDatInt(file, word))
            return false;
    }
    // A record read twice must not keep the storage of the first.
    FreeSpace();
    offset = words[0];
    bits = static_cast<std::uint32_t>(words[1]) & kFileBits;
    reserved = words[2] & 0x7FFFF;
    line = words[3] & 0x7FFFF;
    lineCount = words[4] & 0x7FFFF;
    charPosition = words[5] & 0xFFFFFF;
    charCount = words[6] & 0x7FFFFF;
    next = nullptr;
    if (GetType() != zPAR_TYPE_CLASS)
        AllocSpace();
    if (HasFlag(zPAR_FLAG_CLASSVAR))
        return true;
    const int count = GetElementCount();
    switch (GetType()) {
    case zPAR_TYPE_INT:
    case zPAR_TYPE_FLOAT:
        if (numbers) {
            for (int i = 0; i < storageLength; ++i) {
                if (!ReadDatInt(file, numbers[i]))
                    return false;
            }
        } else if (count == 1) {
            return ReadDatInt(file, content);
        }
        return true;
    case zPAR_TYPE_STRING:
        for (int i = 0; i < storageLength; ++i) {
            if (!ReadDatLine(file, strings[i]))
                return false;
        }
        return true;
    case zPAR_TYPE_CLASS:
    case zPAR_TYPE_FUNC:
    case zPAR_TYPE_PROTOTYPE:
    case zPAR_TYPE_INSTANCE:
        return ReadDatInt(file, content);
    default:
        return true;
    }
}

bool zCPar_Symbol::SaveToDat(zFILE& file) const
{
    // One block per record: the file layer warns about empty writes.
    std::string out;
    AppendDatRecord(out);
    return file.Write(out.data(), static_cast<long>(out.size())) == 0;
}

void zCPar_Symbol::AppendDatRecord(std::string& out) const
{
    PutDatInt(out, name.empty() ? 0 : 1);
    if (!name.empty()) {
        out += name;
        out += '\n';
    }
    // The seven words every record has, appended in one piece.
    char words[7 * 4];
    char* at = PutDatIntAt(words, offset);
    at = PutDatIntAt(at, static_cast<std::int32_t>(bits & kFileBits));
    at = PutDatIntAt(at, reserved);
    at = PutDatIntAt(at, line);
    at = PutDatIntAt(at, lineCount);
    at = PutDatIntAt(at, charPosition);
    PutDatIntAt(at, charCount);
    out.append(words, sizeof words);
    if (!HasFlag(zPAR_FLAG_CLASSVAR)) {
        switch (GetType()) {
        case zPAR_TYPE_INT:
        case zPAR_TYPE_FLOAT:
            if (numbers) {
                for (int i = 0; i < storageLength; ++i)
                    PutDatInt(out, numbers[i]);
            } else if (GetElementCount() == 1) {
                PutDatInt(out, content);
            }
            break;
        case zPAR_TYPE_STRING:
            for (int i = 0; i < storageLength; ++i) {
                out += strings[i];
                out += '\n';
            }
            break;
        case zPAR_TYPE_CLASS:
        case zPAR_TYPE_FUNC:
        case zPAR_TYPE_PROTOTYPE:
        case zPAR_TYPE_INSTANCE:
            PutDatInt(out, content);
            break;
        default:
            break;
        }
    }
}

void zCPar_Symbol::Print(zFILE& file) const
{
    zSTRING text = "Name = " + name + "\n";
    text += "InstanceAddr = " + HexText(static_cast<std::uint32_t>(offset)) + "\n";
    text += "Flags = " + HexText(bits) + "\n";
    text += "Parent = " + HexText(reinterpret_cast<std::uintptr_t>(parent)) + "\n";
    const int type = GetType();
    if (type == zPAR_TYPE_FUNC || type == zPAR_TYPE_PROTOTYPE || type == zPAR_TYPE_INSTANCE)
        text += "StackPos = " + zSTRING(static_cast<int>(content)) + "\n";
    if (HasFlag(zPAR_FLAG_CONST) && type >= zPAR_TYPE_FLOAT && type <= zPAR_TYPE_CLASS) {
        const auto number = [type](std::int32_t word) {
            return type == zPAR_TYPE_FLOAT ? zSTRING(ToFloat(word), 9) : zSTRING(static_cast<int>(word));
        };
        if (type == zPAR_TYPE_STRING) {
            text += "Value =\n";
            for (int i = 0; i < storageLength; ++i)
                text += strings[i] + "\n";
        } else if (numbers) {
            text += "Value =\n";
            for (int i = 0; i < storageLength; ++i)
                text += number(numbers[i]) + "\n";
        } else {
            text += "Value = " + number(content) + "\n";
        }
    }
    file.Write(text);
}
