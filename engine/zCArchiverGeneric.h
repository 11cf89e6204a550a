// The archiver of the modes BINARY (an ordered stream of values without names),
// ASCII and ASCII_PROPS (lines "name=type:value" with chunks in square brackets).
// BINARY archives are written and read; ASCII archives are only read.
#pragma once

#include <cstdint>

#include "zCArchiver.h"
#include "zCSparseArray.h"

class zCArchiverGeneric : public zCArchiver {
    zCLASS_DECLARATION(zCArchiverGeneric)

public:
    // What the archiver keeps for an object it has written in full.
    struct zTWriteObjectEntry {
        zCObject* object = nullptr;
        std::int32_t objectIndex = -1;
    };
    using zCWriteObjectMap = zCSparseArray<zCObject*, zTWriteObjectEntry>;

    // Slots of the map of written objects.
    static constexpr unsigned kWriteObjectMapSize = 1031;
    // Chunks open at once beyond this are taken for a damaged archive: objects read
    // inside objects recurse, and the stack must hold.
    static constexpr int kMaxChunkDepth = 256;

    zCArchiverGeneric();
    ~zCArchiverGeneric() override;

    using zCArchiver::ReadBool;
    using zCArchiver::ReadByte;
    using zCArchiver::ReadChunkStart;
    using zCArchiver::ReadColor;
    using zCArchiver::ReadEnum;
    using zCArchiver::ReadFloat;
    using zCArchiver::ReadInt;
    using zCArchiver::ReadObject;
    using zCArchiver::ReadString;
    using zCArchiver::WriteObject;

    // Not available: reports an error and writes nothing.
    void WriteInt(const char* name, int value) override;
    void WriteByte(const char* name, std::uint8_t value) override;
    void WriteFloat(const char* name, float value) override;
    void WriteBool(const char* name, int value) override;
    void WriteString(const char* name, const zSTRING& value) override;
    void WriteColor(const char* name, const zCOLOR& value) override;
    void WriteRawFloat(const char* name, const float* data, int byteSize) override;
    void WriteEnum(const char* name, const char* valueNames, int value) override;
    // A second write of the same object through a pointer stores a reference to the first.
    void WriteObject(const char* name, zCObject* object) override;
    // Always a full object chunk.
    void WriteObject(const char* name, zCObject& object) override;
    void WriteChunkStart(const char* objectName, const char* className, std::uint16_t classVersion,
                         int objectIndex) override;
    void WriteChunkEnd() override;
    void WriteGroupBegin(const char* name) override;
    void WriteGroupEnd(const char* name) override;

    void ReadInt(const char* name, int& value) override;
    void ReadByte(const char* name, std::uint8_t& value) override;
    void ReadFloat(const char* name, float& value) override;
    void ReadBool(const char* name, int& value) override;
    void ReadString(const char* name, zSTRING& value) override;
    void ReadColor(const char* name, zCOLOR& value) override;
    void ReadEnum(const char* name, int& value) override;
    void ReadRawFloat(const char* name, float* data, int byteSize) override;

    zCObject* ReadObject(const char* name, zCObject* useThis) override;
    // A BINARY chunk of another name leaves the position at its size word.
    int ReadChunkStart(const char* objectName) override;
    void Close() override;
    // Not available (ends the process).
    int IsStringValid(const char* text) override;

    void OpenWrite(zFILE* file, int mode, int saveGame, int flags, int ownsFile) override;
    void WriteHeader(int flags) override;
    void PatchObjectCount() override;
    // Not available: reports an error and writes nothing, so ASCII archives get no values.
    void WriteASCIILine(const char* name, const char* typeName, const zSTRING& value) override;
    void WriteText(const zSTRING& text) override;
    void WriteLine(const zSTRING& text) override;
    void OpenRead(zFILE* file, int mode, int saveGame, int flags, int ownsFile) override;
    void SkipChunk(int pop) override;
    // ASCII: the next chunk-start line with that object name (any when empty), the
    // position behind it; else an empty line. BINARY archives have no lines: always empty.
    void PeekChunk(const char* objectName, zSTRING& line) override;
    // ASCII: positions behind the entry's line, its value text after ":". BINARY values
    // have no names and follow in order: always found.
    int FindEntry(const char* name, zSTRING& valueText) override;
    void ReadHeader() override;
    // BINARY: up to a zero byte or "\n"; ASCII: up to "\n" or "\r", tabs dropped.
    void ReadLine(zSTRING& line) override;

    // The shared bodies, with the position remembered between reads: asking the file for
    // it costs a system call, and the readers ask before every value.
    int GetPos() override;
    void SetPos(int position) override;
    int ReadBytes(void* data, int count) override;
    void WriteBytes(const void* data, int count) override;

    // Chunk searches stop at the first end of the current chunk instead of wrapping once.
    void SetNoWrap(int on) { noWrap = on; }

private:
    bool IsBinary() const { return binaryMode != 0; }
    // Fatal reports of a damaged archive, naming file and position.
    [[noreturn]] void ReportTruncated();
    [[noreturn]] void ReportBadChunkSize(int position, std::uint32_t size);
    [[noreturn]] void ReportBadObjectIndex(int position, int index);
    [[noreturn]] void ReportBadObjectCount(int position, const zSTRING& count);
    [[noreturn]] void ReportTooDeep(int position);

    // The end of what the current BINARY chunk (or the archive) holds.
    std::int64_t ReadLimit();
    std::int64_t ArchiveSize();
    // Exactly count bytes within the current chunk, else a fatal report.
    void ReadExact(void* data, int count);
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    void WriteU8(std::uint8_t value);
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    // BINARY text up to its zero byte, which must lie within the current chunk.
    void ReadZeroTerminated(zSTRING& text);
    // Makes the object table hold index i (new entries null), growing by half.
    void ReserveObjectIndex(int index);
    // Stores the object under the index with a reference of the table's, releasing the one before.
    void StoreReadObject(int index, zCObject* object);
    void PushChunk(const zTChunkRecord& record);
    void ReleaseObjects();

    int binaryMode = 1;
    int propertiesMode = 1;
    zCWriteObjectMap writeObjectMap;
    int objectCountPos = 0;
    int entriesStartPos = 0;
    int noWrap = 0;
    zSTRING valueText;
    // Whether the last line read ended with its terminator (not with the archive).
    bool lineEnded = true;
    // The archive's size when opened for reading; -1 unknown.
    std::int64_t readSize = -1;
    // The position as last known; -1 unknown (after writes and seeks).
    int knownPos = -1;
};
