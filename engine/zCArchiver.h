// The archiver interface: typed values, objects and chunks stored in or read from
// an archive, whatever its mode. zCArchiverGeneric and zCArchiverBinSafe fill it.
#pragma once

#include <cstdint>

#include "zCArray.h"
#include "zCOLOR.h"
#include "zCObject.h"
#include "zSTRING.h"

class zCBuffer;
class zCClassDef;
class zFILE;

// Archive modes, as stored in the header by their names.
enum zTArchiveMode : int {
    zARC_MODE_BINARY = 0,
    zARC_MODE_ASCII = 1,
    zARC_MODE_ASCII_PROPS = 2,
    zARC_MODE_BIN_SAFE = 3,
};

// Flags given to the factory and to the open operations.
enum : int {
    zARC_FLAG_NO_DATE = 1 << 0,           // the header carries no date and user lines
    zARC_FLAG_NO_CLOSE_MESSAGE = 1 << 1,  // Close reports no object count
};

// Open states.
enum : int {
    zARC_STATE_CLOSED = 0,
    zARC_STATE_READ = 1,
    zARC_STATE_WRITE = 2,
};

// Decimal text as the runtime's atol reads it, clamped to int instead of overflowing:
// the numbers of archive headers, chunk markers and ASCII values.
int zArchiveDecimal(const zSTRING& text);

// An open chunk: where it starts, its size (binary chunks), version, object index and names.
struct zTChunkRecord {
    std::int32_t startPos = 0;
    std::int32_t size = 0;
    std::uint16_t version = 0;
    std::int32_t objectIndex = 0;
    zSTRING objectName;
    zSTRING className;
};

// The operations are declared in the order of the archiver's operation table.
// A concrete class that overrides one form of an overloaded operation brings the
// others back with a using-declaration (using zCArchiver::ReadInt; ...).
class zCArchiver : public zCObject {
    zCLASS_DECLARATION(zCArchiver)

public:
    zCArchiver() = default;
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCArchiver() override;

    // Writing typed values.
    virtual void WriteInt(const char* name, int value) = 0;
    virtual void WriteByte(const char* name, std::uint8_t value) = 0;
    virtual void WriteFloat(const char* name, float value) = 0;
    virtual void WriteBool(const char* name, int value) = 0;
    virtual void WriteString(const char* name, const zSTRING& value) = 0;
    virtual void WriteColor(const char* name, const zCOLOR& value) = 0;
    virtual void WriteRawFloat(const char* name, const float* data, int byteSize) = 0;
    // valueNames: the enum's value names, stored only in ASCII_PROPS archives.
    virtual void WriteEnum(const char* name, const char* valueNames, int value) = 0;
    virtual void WriteObject(zCObject* object);
    virtual void WriteObject(const char* name, zCObject* object) = 0;
    virtual void WriteObject(const char* name, zCObject& object) = 0;
    virtual void WriteChunkStart(const char* objectName, const char* className, std::uint16_t classVersion,
                                 int objectIndex) = 0;
    virtual void WriteChunkEnd() = 0;
    virtual void WriteGroupBegin(const char* name) = 0;
    virtual void WriteGroupEnd(const char* name) = 0;

    // Reading typed values. A missing entry leaves the target unchanged; the
    // value-returning forms then give 0 (an empty text, a zero colour).
    virtual void ReadInt(const char* name, int& value) = 0;
    virtual int ReadInt(const char* name);
    virtual void ReadByte(const char* name, std::uint8_t& value) = 0;
    virtual std::uint8_t ReadByte(const char* name);
    virtual void ReadFloat(const char* name, float& value) = 0;
    virtual float ReadFloat(const char* name);
    virtual void ReadBool(const char* name, int& value) = 0;
    virtual int ReadBool(const char* name);
    virtual void ReadString(const char* name, zSTRING& value) = 0;
    virtual zSTRING ReadString(const char* name);
    virtual void ReadColor(const char* name, zCOLOR& value) = 0;
    virtual zCOLOR ReadColor(const char* name);
    virtual void ReadEnum(const char* name, int& value) = 0;
    virtual int ReadEnum(const char* name);
    virtual void ReadRawFloat(const char* name, float* data, int byteSize) = 0;

    // Objects and chunks.
    virtual zCObject* ReadObject(zCObject* useThis);
    virtual zCObject* ReadObject(const char* name, zCObject* useThis) = 0;
    virtual int ReadChunkStart(zSTRING& objectName, std::uint16_t& version);
    // 1 when a chunk start (with that object name, any when empty) was read and pushed.
    virtual int ReadChunkStart(const char* objectName) = 0;
    virtual void SkipOpenChunk();
    virtual int EndOfArchive();
    virtual void Close() = 0;
    virtual int IsStringValid(const char* text) = 0;
    virtual int GetIsProperties();
    virtual int InSaveGame();

    // The archiver's own header and body.
    virtual void OpenWrite(zFILE* file, int mode, int saveGame, int flags, int ownsFile) = 0;
    // From now on Close closes and deletes the file.
    void TakeFileOwnership() { ownsFile = 1; }
    virtual void WriteHeader(int flags) = 0;
    virtual void PatchObjectCount() = 0;
    virtual void WriteASCIILine(const char* name, const char* typeName, const zSTRING& value) = 0;
    // Nothing for 0 bytes.
    virtual void WriteBytes(const void* data, int count);
    virtual void WriteText(const zSTRING& text) = 0;
    virtual void WriteLine(const zSTRING& text) = 0;
    virtual int GetPos();
    virtual void SetPos(int position);
    virtual void OpenRead(zFILE* file, int mode, int saveGame, int flags, int ownsFile) = 0;
    // The definition named by the first ":"-separated word of the text that is a registered class.
    virtual zCClassDef* GetClassDefFromText(const zSTRING& classText);
    virtual zCObject* CreateObject(const zSTRING& classText);
    virtual void SkipChunk(int pop) = 0;
    virtual void PeekChunk(const char* objectName, zSTRING& line) = 0;
    virtual int FindEntry(const char* name, zSTRING& valueText) = 0;
    virtual void ReadHeader() = 0;
    // The number of bytes read, short at the end of the archive; the rest of the target is zeroed.
    virtual int ReadBytes(void* data, int count);
    virtual void ReadLine(zSTRING& line) = 0;
    virtual void ReadLineOf(zSTRING& line);
    virtual void SetPosChecked(int position);
    virtual void DeleteBuffer();

protected:
    // The class text of an object chunk: the class name, then ":" and the name of
    // each base up the chain that can be created.
    static zSTRING ClassTextOf(const zCClassDef* classDef);
    // The definition of the first word of a ":"-separated class text that names a
    // registered class; null when an empty word comes first.
    static zCClassDef* ClassDefFromClassText(const zSTRING& classText);
    // Reports an entry search that failed (32933), counting misses program-wide
    // ("pack" excepted) and reporting 32934 at the hundredth.
    static void ReportEntryNotFound(const char* name);
    // Deletes the buffer in use, else closes and deletes the file; the caller clears the pointers.
    void DeleteOwnedArchive();
    // The archive's file as damage reports name it; empty for a buffer.
    zSTRING ArchiveName() const;
    // Chunk markers as lines: "[object class version index]" opens a chunk, "[]" ends it.
    static bool IsChunkStartLine(const zSTRING& line);
    static bool IsChunkEndLine(const zSTRING& line);
    // Null objects and those of classes never archived are stored as an empty chunk of class "%".
    static bool IsArchivedAsNull(const zCObject* object);
    void WriteNullObject(const char* name);
    // The result of reading a reference to the object held: useThis when given (a
    // different held object is reported), else the held object with a new reference.
    static zCObject* ResolveReference(zCObject* held, zCObject* useThis);
    // ResolveReference, then the reference chunk skipped; when the archive ends before
    // the chunk does, the reference taken for the caller is dropped with the fault.
    zCObject* TakeReference(zCObject* held, zCObject* useThis);

    int bufferInUse = 0;  // 0: the archive is the file
    zCBuffer* buffer = nullptr;
    int arcMode = zARC_MODE_BINARY;
    zFILE* file = nullptr;
    int ownsFile = 0;  // Close closes and deletes the file (or the buffer)
    int saveGame = 0;
    int openState = zARC_STATE_CLOSED;
    int flags = 0;
    zCArray<zCObject*> objectList;  // by object index
    zCArray<zTChunkRecord> chunkStack;  // the current chunk is the last
};
