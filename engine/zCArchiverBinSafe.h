// The binary-safe archiver (mode BIN_SAFE): every value is a typed binary entry
// after a key entry naming it through a string table at the end of the archive,
// so values are found by name in any order and unknown entries are skipped.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "zCArchiver.h"

// Entry type codes.
enum zTBinSafeEntryType : int {
    zBINSAFE_STRING = 1,
    zBINSAFE_INT = 2,
    zBINSAFE_FLOAT = 3,
    zBINSAFE_BYTE = 4,
    zBINSAFE_WORD = 5,
    zBINSAFE_BOOL = 6,
    zBINSAFE_VEC3 = 7,
    zBINSAFE_COLOR = 8,
    zBINSAFE_RAW = 9,
    zBINSAFE_RAW_FLOAT = 16,
    zBINSAFE_ENUM = 17,
    zBINSAFE_KEY = 18,
};

class zCArchiverBinSafe : public zCArchiver {
    zCLASS_DECLARATION(zCArchiverBinSafe)

public:
    static constexpr int zNUM_BUCKETS = 97;
    // Chunks open at once while reading; deeper nesting is taken for damage.
    static constexpr int zMAX_CHUNK_DEPTH = 256;

    zCArchiverBinSafe();
    ~zCArchiverBinSafe() override;

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

    void WriteInt(const char* name, int value) override;
    void WriteByte(const char* name, std::uint8_t value) override;  // not available
    void WriteFloat(const char* name, float value) override;
    void WriteBool(const char* name, int value) override;
    // Texts longer than 65535 bytes are cut (reported): the length is 16 bits.
    void WriteString(const char* name, const zSTRING& value) override;
    void WriteColor(const char* name, const zCOLOR& value) override;  // not available
    void WriteRawFloat(const char* name, const float* data, int byteSize) override;  // not available
    void WriteEnum(const char* name, const char* valueNames, int value) override;
    void WriteObject(const char* name, zCObject* object) override;
    void WriteObject(const char* name, zCObject& object) override;
    void WriteChunkStart(const char* objectName, const char* className, std::uint16_t classVersion,
                         int objectIndex) override;
    void WriteChunkEnd() override;
    void WriteGroupBegin(const char* name) override;  // not available
    void WriteGroupEnd(const char* name) override;    // not available

    void ReadInt(const char* name, int& value) override;
    void ReadByte(const char* name, std::uint8_t& value) override;
    void ReadFloat(const char* name, float& value) override;
    void ReadBool(const char* name, int& value) override;
    void ReadString(const char* name, zSTRING& value) override;
    void ReadColor(const char* name, zCOLOR& value) override;
    void ReadEnum(const char* name, int& value) override;
    // A stored length other than byteSize: the bytes both have are taken.
    void ReadRawFloat(const char* name, float* data, int byteSize) override;

    zCObject* ReadObject(const char* name, zCObject* useThis) override;
    int ReadChunkStart(const char* objectName) override;
    void Close() override;
    // False for a text holding "%", "[", "]" or the byte 0xA7.
    int IsStringValid(const char* text) override;

    // The stored format version is the flags, and at least 2, the oldest that can be read.
    void OpenWrite(zFILE* file, int mode, int saveGame, int flags, int ownsFile) override;
    void WriteHeader(int flags) override;
    void PatchObjectCount() override;
    // Writes the key entry of a named value; type name and value text serve only the report.
    void WriteASCIILine(const char* name, const char* typeName, const zSTRING& value) override;
    // A string entry without key; nothing for an empty text.
    void WriteText(const zSTRING& text) override;
    void WriteLine(const zSTRING& text) override;
    void OpenRead(zFILE* file, int mode, int saveGame, int flags, int ownsFile) override;
    void SkipChunk(int pop) override;
    // On success the line is the chunk-start marker and the position is behind it.
    void PeekChunk(const char* objectName, zSTRING& line) override;
    // Positions on the value entry of the name. A failed search leaves the position where it began.
    int FindEntry(const char* name, zSTRING& valueText) override;
    void ReadHeader() override;
    // One string entry; an entry of another type reads as an empty line.
    void ReadLine(zSTRING& line) override;

    // The last entry search ran through its whole chunk without success.
    int GetSearchedThrough() const { return searchedThrough; }

    // h = h * 33 + c over the characters taken as signed bytes, wrapping at 2^32.
    static std::uint32_t HashName(const zSTRING& name);

private:
    // Index of each object written, so a repeat is found without scanning the table.
    std::unordered_map<const zCObject*, int> writtenIndex;

    struct zTStringNode {
        int next = -1;  // node index; -1 ends the chain
        std::uint32_t bucket = 0;
        std::uint32_t index = 0;
        zSTRING name;
    };

    void WriteEntry(int type, const void* data, int size);
    // A four-byte entry: int, float bits, bool or enum, and the index of a key.
    void WriteWordEntry(int type, std::uint32_t value);
    void WriteU32(std::uint32_t value);
    // The marker or string as stored: at most 65535 bytes.
    zSTRING Storable(const zSTRING& text);

    int LookupName(const zSTRING& name) const;
    int InsertName(const zSTRING& name);
    // Heads the chain of the name's bucket with a new node.
    void LinkName(const zSTRING& name, std::uint32_t index);
    void ClearStringTable();

    // Reading. Each check that fails reports the damage once, with file and position;
    // from then on every read fails and the archive is at its end.
    void Damage(int position, const zSTRING& reason);
    void Truncated(int position);
    bool Take(void* data, int count, int limit);
    bool TakeU16(std::uint16_t& value, int limit);
    bool TakeU32(std::uint32_t& value, int limit);
    bool Skip(int count);
    bool NextType(int& type, int& typePos);
    bool ReadStringData(zSTRING& text);
    // The data of an entry whose type byte was read; a key takes its value entry with it.
    bool SkipData(int type, int typePos, bool withValue);
    // false at the end of the entries or after damage.
    bool NextLine(zSTRING& line);
    // Behind a chunk-start marker: up to and including its end marker.
    bool SkipNestedChunk();
    // The value entry behind the key FindEntry stopped at; false when of another type.
    bool ReadEntry(int type, void* data, int size, zSTRING* text);
    bool ReadFixed(const char* name, int type, unsigned char* bytes, int size);
    bool ReadWord(const char* name, int type, std::uint32_t& value);
    int EndSearch(const char* name, int start);
    bool StoreObject(int index, zCObject* object);
    void ReleaseObjects();

    std::vector<zTStringNode> stringNodes;
    std::vector<int> bucketHeads;  // zNUM_BUCKETS heads once a name is inserted
    int objectCountPos = 0;
    int stringTablePosPos = 0;
    int entriesStart = 0;
    int entriesEnd = 0;  // the string table's position
    int archiveSize = 0;
    std::uint32_t formatVersion = 0;
    int searchedThrough = 0;
    int damaged = 0;
};
