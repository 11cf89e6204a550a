// The parser's stacks: the code stack, a growing byte buffer that holds the compiled
// byte code, and the data stack of the byte code's values.
#pragma once

#include <cstdint>

class zFILE;

class zCPar_Stack {
public:
    // Largest code the stack holds: offsets and the ".dat" size field are 32-bit ints.
    static constexpr std::uint32_t kMaxSize = 0x7FFFFFFFu;

    explicit zCPar_Stack(unsigned size);
    ~zCPar_Stack();
    zCPar_Stack(const zCPar_Stack&) = delete;
    zCPar_Stack& operator=(const zCPar_Stack&) = delete;

    // Read position, as an offset from the start.
    int GetPopPos() const { return static_cast<int>(readPos); }
    void SetPopPos(int offset);
    // Size of the written code.
    int GetDynSize() const { return static_cast<int>(writePos); }
    std::uint32_t GetCapacity() const { return capacity; }
    const unsigned char* GetData() const { return base; }

    void PushByte(unsigned char value);
    void PushInt(std::int32_t value);
    // Reads past the written code give 0 (the read position still advances), so a
    // reader that follows offsets from a file stays inside the buffer.
    unsigned char PopByte();
    std::int32_t PopInt();
    unsigned char PeekByte() const;
    unsigned char GetByteAt(int offset) const;
    // Whether count bytes from the read position lie inside the written code.
    bool CanRead(int count) const;

    // Makes room for count more bytes; the capacity doubles until they fit. Code
    // beyond kMaxSize throws std::length_error.
    void CheckOverflow(int count);
    // Overwrites the four bytes at offset; ignored outside the written code.
    void Set(int offset, std::int32_t value);
    // Size 0; the buffer and the read position stay.
    void Clear() { writePos = 0; }

    // The code section of the ".dat": size, then the bytes. Load refuses a size the
    // file cannot hold and then leaves the stack empty.
    bool Save(zFILE& file) const;
    bool Load(zFILE& file);

private:
    unsigned char* base = nullptr;
    std::uint32_t readPos = 0;
    std::uint32_t writePos = 0;
    std::uint32_t capacity = 0;
};

class zCPar_DataStack {
public:
    static constexpr int kSize = 2048;

    zCPar_DataStack();
    void Clear() { stackPointer = 0; }
    int GetStackPointer() const { return stackPointer; }

private:
    std::int32_t stack[kSize];
    int stackPointer;
};
