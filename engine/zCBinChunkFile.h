// Chunked binary model files: a sequence of chunks, each a u16 id, a u32 length
// (the bytes after the 6-byte header) and the body, all little-endian; and the
// source stamps these files carry to name the source they were made from.
#pragma once

#include <cstdint>

#include "zCArray.h"
#include "zFILE.h"
#include "zSTRING.h"

class zCBinChunkFile {
public:
    static constexpr long zCHUNK_HEADER_SIZE = 6;

    zCBinChunkFile() = default;
    // Closes when a file is attached.
    ~zCBinChunkFile();
    zCBinChunkFile(const zCBinChunkFile&) = delete;
    zCBinChunkFile& operator=(const zCBinChunkFile&) = delete;

    // Make a file of their own for the path and create (truncate) it for writing, or
    // open it for reading; a file attached before is closed first. The file layer's
    // code (0 success); the file layer reports its own failures.
    int Create(const zSTRING& path);
    int Open(const zSTRING& path);
    // Takes an open file. An external one belongs to the caller and is neither closed
    // nor deleted here; any other is deleted by Close.
    void Attach(zFILE* file, bool external);
    zFILE* GetFile() const { return file; }

    // Ends the open chunk, closes the file and deletes it unless it is external.
    void Close();

    // Writing. StartChunk ends the chunk before it, so chunks never nest in bytes.
    void StartChunk(std::uint16_t id);
    // Patches the open chunk's length; the chunk stays open, so a later call covers
    // everything written since.
    void EndChunk();
    void WriteLine(const zSTRING& text);  // the text and "\n"

    // Reading. The header of the chunk at the current position; the next chunk then
    // starts behind its body. 0 at the end of the file (id 0) or when the header or
    // its length does not fit the file, which is reported. After any failure the next
    // chunk lies at the end of the file, so a loop "while next chunk < size" ends.
    int ReadChunkHeader(std::uint16_t& id, std::uint32_t& length);
    // Seeks to the next chunk when it lies inside the file.
    void SkipToNextChunk();
    long GetNextChunkPos() const { return nextChunk; }
    void SetNextChunkPos(long position) { nextChunk = position; }
    // Bytes from the current position to the end of the file; 0 without a file.
    long GetBytesLeft() const;

    // Little-endian fields. A read past the end of the file fails, sets the value to
    // 0 and marks the file damaged; only the first such failure is reported, and once
    // damaged every read fails. A count read from the file is checked against
    // GetBytesLeft before anything is allocated for it.
    void WriteU8(std::uint8_t value);
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteInt(std::int32_t value);
    void WriteFloat(float value);
    void WriteBytes(const void* data, long count);
    bool ReadU8(std::uint8_t& value);
    bool ReadU16(std::uint16_t& value);
    bool ReadU32(std::uint32_t& value);
    bool ReadInt(std::int32_t& value);
    bool ReadFloat(float& value);
    bool ReadBytes(void* data, long count);
    // A line ending in "\n" (the "\n" and trailing "\r" removed), read no further than
    // the next chunk when one is set ahead, else the end of the file.
    bool ReadLine(zSTRING& line);

    // Set by a failed read or a header that does not fit, until another file is attached.
    bool IsDamaged() const { return damaged; }
    // Reports the damage once (file, byte position, reason) and marks the file damaged.
    void ReportDamage(const zSTRING& reason);

private:
    void Detach();

    long chunkStart = -1;
    long nextChunk = -1;
    bool external = false;
    bool damaged = false;
    zFILE* file = nullptr;
};

// 0 when year, month, day, hour, minute and second are equal, else 1.
int CompareFileDates(const zTFileDate& a, const zTFileDate& b);

// The 16-byte date record of a source stamp.
void WriteFileDate(zCBinChunkFile& file, const zTFileDate& date);
bool ReadFileDate(zCBinChunkFile& file, zTFileDate& date);

// A source stamp: the source's date and a path line. In compile-model jobs, or when
// asked for the source's own date, the date is that of the source found below
// DIR_ANIMS; otherwise the first recorded date is taken. The line is "\_WORK\DATA"
// and the source's path, except for converted and decompiled morph meshes and
// converted static models, which take the first recorded line. An empty recorded list gives a zero date or an
// empty line.
void WriteSourceStamp(zCBinChunkFile& file, const zSTRING& sourcePath, int useSourceDate);
// 1 when the date and the line were read, 0 otherwise. Convert and decompile model
// jobs record what they read.
int ReadSourceStamp(zCBinChunkFile& file);

// The stamps recorded while converting or decompiling, in reading order; the
// stamps written take them from the front.
extern zCArray<zTFileDate> g_recordedStampDates;
extern zCArray<zSTRING> g_recordedStampPaths;
// Free the dates' block alone, or both blocks.
void ClearRecordedStampDates();
void ClearRecordedSourceStamps();
