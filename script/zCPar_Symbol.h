// One named entity of the script language: variable, constant, class, class member,
// prototype, instance, function or function parameter, with its storage and its
// record in the compiled script file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "zSTRING.h"

class zCDatBytes;
class zFILE;

// Type codes (bits 12-15 of the packed word; INT# only as a declared type).
enum zTParSymbolType {
    zPAR_TYPE_VOID = 0,
    zPAR_TYPE_FLOAT = 1,
    zPAR_TYPE_INT = 2,
    zPAR_TYPE_STRING = 3,
    zPAR_TYPE_CLASS = 4,
    zPAR_TYPE_FUNC = 5,
    zPAR_TYPE_PROTOTYPE = 6,
    zPAR_TYPE_INSTANCE = 7,
    zPAR_TYPE_INSTANCE_INT = 9
};

// Flag values as SetFlag and HasFlag take them (stored shifted up by 16).
enum zTParSymbolFlag {
    zPAR_FLAG_CONST = 1,
    zPAR_FLAG_RETURN = 2,
    zPAR_FLAG_CLASSVAR = 4,
    zPAR_FLAG_EXTERNAL = 8,
    zPAR_FLAG_MERGED = 16
};

class zCPar_Symbol {
public:
    // A string member's share of its class in the game's layout, whatever the host's string size.
    static constexpr int kStringMemberSize = 20;

    zCPar_Symbol();
    ~zCPar_Symbol();
    zCPar_Symbol(const zCPar_Symbol&) = delete;
    zCPar_Symbol& operator=(const zCPar_Symbol&) = delete;

    // Symbols made one by one come from the symbol pool of zCPar_Symbol.cpp; arrays
    // use the ordinary heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;
    // Deletes the symbols made one by one, their memory going back to the pool in
    // one piece.
    static void DeleteAll(zCPar_Symbol* const* symbols, std::size_t count);
    // Declaring the class forms hides the placement form; containers need it back.
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}

    // Gives the symbol its storage, or its place in its class, once.
    void AllocSpace();
    // Address of element index; null for a class member, an index outside the storage
    // or a symbol without storage.
    void* GetDataAdr(int index = 0);

    void SetFlag(int flags);
    bool HasFlag(int flags) const;

    int GetType() const { return (bits >> 12) & 0xF; }
    void SetType(int type) { bits = (bits & ~0xF000u) | ((static_cast<std::uint32_t>(type) & 0xFu) << 12); }
    // Signed 12-bit.
    int GetElementCount() const;
    void SetElementCount(int count) { bits = (bits & ~0xFFFu) | (static_cast<std::uint32_t>(count) & 0xFFFu); }
    std::uint32_t GetPackedWord() const { return bits; }
    bool IsSpaceAllocated() const { return (bits & kAllocatedBit) != 0; }

    void SetParent(zCPar_Symbol* symbol) { parent = symbol; }
    zCPar_Symbol* GetParent() const { return parent; }
    void SetNext(zCPar_Symbol* symbol) { next = symbol; }
    zCPar_Symbol* GetNext() const { return next; }
    void SetOffset(int value) { offset = value; }
    int GetOffset() const { return offset; }
    void SetContent(std::int32_t value) { content = value; }
    std::int32_t GetContent() const { return content; }

    void SetSourcePosition(int line, int lineCount, int charPosition, int charCount);
    int GetLine() const { return line; }
    int GetLineCount() const { return lineCount; }
    int GetCharPosition() const { return charPosition; }
    int GetCharCount() const { return charCount; }
    int GetReserved() const { return reserved; }
    // Number of the parsed file that declares the symbol (the record keeps 19 bits).
    void SetFileIndex(int number);
    int GetFileIndex() const { return reserved; }

    // Element access; nothing happens outside the storage or for another type.
    void SetValue(int value, int index = 0);
    void SetValue(float value, int index = 0);
    void SetValue(const zSTRING& value, int index = 0);
    void GetValue(int& value, int index = 0) const;
    void GetValue(float& value, int index = 0) const;
    void GetValue(zSTRING& value, int index = 0) const;

    // The symbol's record of the compiled script file; false on a short read or a
    // failed write.
    bool LoadFromDat(zFILE& file);
    bool LoadFromDat(zCDatBytes& bytes);
    bool SaveToDat(zFILE& file) const;
    // The same record appended to bytes that are written later.
    void AppendDatRecord(std::string& out) const;

    // The symbol as text lines.
    void Print(zFILE& file) const;

    zSTRING name;
    // Type code of the compiler's type checks; set by the creator.
    int declaredType = 0;

private:
    // The record read from a zFILE or from bytes in memory (DatWords.h).
    template <class Source>
    bool LoadRecord(Source& source);

    static constexpr std::uint32_t kAllocatedBit = 0x400000u;
    static constexpr std::uint32_t kFileBits = 0x3FFFFFu;

    bool IsNumeric() const;
    void FreeSpace();
    // Element slot of a number symbol, or null.
    std::int32_t* NumberSlot(int index);
    const std::int32_t* NumberSlot(int index) const;

    zCPar_Symbol* next = nullptr;
    std::int32_t content = 0;
    std::int32_t offset = 0;
    std::uint32_t bits = 0;
    std::int32_t reserved = 0;
    std::int32_t line = 0;
    std::int32_t lineCount = 0;
    std::int32_t charPosition = 0;
    std::int32_t charCount = 0;
    zCPar_Symbol* parent = nullptr;

    // Owned storage of arrays and strings; its length, not the element count that may
    // change later, says what is there.
    std::unique_ptr<std::int32_t[]> numbers;
    std::unique_ptr<zSTRING[]> strings;
    int storageLength = 0;
};
