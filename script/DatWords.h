// Little-endian 32-bit words of the compiled script file (.dat), read from a file
// and appended to a byte string that is written in one piece.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "LittleEndian.h"
#include "zFILE.h"
#include "zSTRING.h"

inline bool ReadDatInt(zFILE& file, std::int32_t& value)
{
    unsigned char bytes[4];
    if (file.Read(bytes, 4) != 4)
        return false;
    value = static_cast<std::int32_t>(zGetLE32(bytes));
    return true;
}

// A line as zFILE::ReadLine gives it.
inline bool ReadDatLine(zFILE& file, zSTRING& line)
{
    return file.ReadLine(line) == 0;
}

// Bytes of a .dat already in memory, read as the file layer reads them: the symbol
// table reads its section this way, since one file call per word cost more than the
// rest of loading.
class zCDatBytes {
public:
    // Where the bytes at hand are a window on a longer run: it keeps the bytes not yet
    // read (from at to end), adds more after them and moves at and end to the window's
    // new place; false once there are no more (the bytes kept may have moved).
    class Refill {
    public:
        virtual bool More(const char*& at, const char*& end) = 0;

    protected:
        ~Refill() = default;
    };

    zCDatBytes(const char* begin, const char* end, Refill* refill = nullptr) : at(begin), end(end), refill(refill) {}
    const char* Position() const { return at; }

    bool ReadInt(std::int32_t& value)
    {
        while (end - at < 4)
            if (!refill || !refill->More(at, end))
                return false;
        value = static_cast<std::int32_t>(zGetLE32(reinterpret_cast<const unsigned char*>(at)));
        at += 4;
        return true;
    }

    // Up to and past the next line feed; NULs are dropped and line ends trimmed, as
    // zFILE_FILE::ReadLine does. False only at the end of the bytes.
    bool ReadLine(zSTRING& line)
    {
        line.clear();
        // The whole line is brought into the window first.
        const char* stop = nullptr;
        std::size_t searched = 0;
        for (;;) {
            const std::size_t size = static_cast<std::size_t>(end - at);
            if (size > searched)
                stop = static_cast<const char*>(std::memchr(at + searched, '\n', size - searched));
            if (stop || !refill || !refill->More(at, end))
                break;
            searched = size;  // those bytes lie at the front of the window now
        }
        if (at == end)
            return false;
        // Whole runs between NULs are appended at once.
        const char* lineEnd = stop ? stop : end;
        while (at != lineEnd) {
            const char* nul = static_cast<const char*>(std::memchr(at, '\0', static_cast<std::size_t>(lineEnd - at)));
            const char* runEnd = nul ? nul : lineEnd;
            line.append(at, static_cast<std::size_t>(runEnd - at));
            at = nul ? nul + 1 : lineEnd;
        }
        if (stop)
            at = stop + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        return true;
    }

private:
    const char* at;
    const char* end;
    Refill* refill;
};

inline bool ReadDatInt(zCDatBytes& bytes, std::int32_t& value)
{
    return bytes.ReadInt(value);
}

inline bool ReadDatLine(zCDatBytes& bytes, zSTRING& line)
{
    return bytes.ReadLine(line);
}

// Writes the word at to and returns the place after it.
inline char* PutDatIntAt(char* to, std::int32_t value)
{
    zPutLE32(reinterpret_cast<unsigned char*>(to), static_cast<std::uint32_t>(value));
    return to + 4;
}

inline void PutDatInt(std::string& out, std::int32_t value)
{
    char bytes[4];
    PutDatIntAt(bytes, value);
    out.append(bytes, 4);
}
