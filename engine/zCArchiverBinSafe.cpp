// The binary-safe archiver.
#include "zCArchiverBinSafe.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "ErrorBox.h"
#include "LittleEndian.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCClassDef.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

// The oldest format version that can be read.
const std::uint32_t kMinVersion = 2;
const std::size_t kMaxStoredLength = 0xFFFF;
// Per string of the table: length, index and bucket.
const int kStringRecordHead = 8;
const char kReferenceMark = static_cast<char>(0xA7);

// The words of a marker "[object class version index]".
std::vector<zSTRING> MarkerWords(const zSTRING& line)
{
    std::string inner = line.substr(1);
    if (!inner.empty() && inner.back() == ']')
        inner.pop_back();
    std::vector<zSTRING> words;
    std::size_t pos = 0;
    while ((pos = inner.find_first_not_of(' ', pos)) != std::string::npos) {
        const std::size_t end = inner.find(' ', pos);
        words.emplace_back(inner.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end;
    }
    return words;
}

zSTRING OrPercent(const char* text)
{
    return text && *text ? zSTRING(text) : zSTRING("%");
}

} // namespace

zCLASS_DEFINITION(zCArchiverBinSafe, zCArchiver, 0, 0);

zCArchiverBinSafe::zCArchiverBinSafe() = default;

zCArchiverBinSafe::~zCArchiverBinSafe()
{
    Close();
}

std::uint32_t zCArchiverBinSafe::HashName(const zSTRING& name)
{
    std::uint32_t hash = 0;
    for (const char c : name)
        hash = hash * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    return hash;
}

// ---- Writing --------------------------------------------------------------

void zCArchiverBinSafe::WriteU32(std::uint32_t value)
{
    unsigned char bytes[4];
    zPutLE32(bytes, value);
    WriteBytes(bytes, 4);
}

zSTRING zCArchiverBinSafe::Storable(const zSTRING& text)
{
    if (text.size() <= kMaxStoredLength)
        return text;
    const zSTRING path = ArchiveName();
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path), path.c_str(), GetPos());
    return zSTRING(text.substr(0, kMaxStoredLength));
}

void zCArchiverBinSafe::WriteEntry(int type, const void* data, int size)
{
    if (openState != zARC_STATE_WRITE)
        return;
    unsigned char head[3] = {static_cast<unsigned char>(type), 0, 0};
    int headSize = 1;
    if (type == zBINSAFE_STRING || type == zBINSAFE_RAW || type == zBINSAFE_RAW_FLOAT) {
        zPutLE16(head + 1, static_cast<std::uint16_t>(size));
        headSize = 3;
    }
    WriteBytes(head, headSize);
    WriteBytes(data, size);
}

void zCArchiverBinSafe::WriteWordEntry(int type, std::uint32_t value)
{
    unsigned char bytes[4];
    zPutLE32(bytes, value);
    WriteEntry(type, bytes, 4);
}

void zCArchiverBinSafe::WriteASCIILine(const char* name, const char*, const zSTRING& value)
{
    if (openState != zARC_STATE_WRITE)
        return;
    const zSTRING key = name ? name : "";
    if (!IsStringValid(key.c_str()))
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ILLEGAL_CHARACTERS, key, value));
    const zSTRING stored = Storable(key);
    int index = LookupName(stored);
    if (index < 0)
        index = InsertName(stored);
    WriteWordEntry(zBINSAFE_KEY, static_cast<std::uint32_t>(index));
}

void zCArchiverBinSafe::WriteInt(const char* name, int value)
{
    WriteASCIILine(name, "int", zSTRING(value));
    WriteWordEntry(zBINSAFE_INT, static_cast<std::uint32_t>(value));
}

void zCArchiverBinSafe::WriteByte(const char*, std::uint8_t)
{
    zNotFound("zCArchiverBinSafe::WriteByte");
}

void zCArchiverBinSafe::WriteFloat(const char* name, float value)
{
    WriteASCIILine(name, "float", zSTRING(value, 9));
    WriteWordEntry(zBINSAFE_FLOAT, zFloatBits(value));
}

void zCArchiverBinSafe::WriteBool(const char* name, int value)
{
    WriteASCIILine(name, "bool", zSTRING(value ? 1 : 0));
    WriteWordEntry(zBINSAFE_BOOL, value ? 1u : 0u);
}

void zCArchiverBinSafe::WriteString(const char* name, const zSTRING& value)
{
    WriteASCIILine(name, "string", value);
    const zSTRING text = Storable(value);
    WriteEntry(zBINSAFE_STRING, text.data(), static_cast<int>(text.size()));
}

void zCArchiverBinSafe::WriteColor(const char*, const zCOLOR&)
{
    zNotFound("zCArchiverBinSafe::WriteColor");
}

void zCArchiverBinSafe::WriteRawFloat(const char*, const float*, int)
{
    zNotFound("zCArchiverBinSafe::WriteRawFloat");
}

void zCArchiverBinSafe::WriteEnum(const char* name, const char*, int value)
{
    WriteASCIILine(name, "enum", zSTRING(value));
    WriteWordEntry(zBINSAFE_ENUM, static_cast<std::uint32_t>(value));
}

void zCArchiverBinSafe::WriteText(const zSTRING& text)
{
    if (text.empty())
        return;
    const zSTRING stored = Storable(text);
    WriteEntry(zBINSAFE_STRING, stored.data(), static_cast<int>(stored.size()));
}

void zCArchiverBinSafe::WriteLine(const zSTRING& text)
{
    WriteText(text);
}

void zCArchiverBinSafe::WriteChunkStart(const char* objectName, const char* className, std::uint16_t classVersion,
                                        int objectIndex)
{
    if (openState != zARC_STATE_WRITE)
        return;
    zTChunkRecord record;
    record.objectName = objectName ? objectName : "";
    record.className = className ? className : "";
    record.version = classVersion;
    record.objectIndex = objectIndex;
    WriteText("[" + OrPercent(objectName) + " " + OrPercent(className) + " " +
              zSTRING(static_cast<int>(classVersion)) + " " + zSTRING(objectIndex) + "]");
    record.startPos = GetPos();
    chunkStack.InsertEnd(record);
}

void zCArchiverBinSafe::WriteChunkEnd()
{
    if (chunkStack.GetNum() == 0) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_CHUNK_END_WITHOUT_CHUNK));
        return;
    }
    chunkStack.RemoveIndex(chunkStack.GetNum() - 1);
    WriteText("[]");
}

void zCArchiverBinSafe::WriteGroupBegin(const char*)
{
    zNotFound("zCArchiverBinSafe::WriteGroupBegin");
}

void zCArchiverBinSafe::WriteGroupEnd(const char*)
{
    zNotFound("zCArchiverBinSafe::WriteGroupEnd");
}

void zCArchiverBinSafe::WriteObject(const char* name, zCObject* object)
{
    if (IsArchivedAsNull(object)) {
        WriteNullObject(name);
        return;
    }
    const auto written = writtenIndex.find(object);
    if (written != writtenIndex.end()) {
        const char reference[2] = {kReferenceMark, '\0'};
        WriteChunkStart(name, reference, 0, written->second);
        WriteChunkEnd();
        return;
    }
    WriteObject(name, *object);
}

void zCArchiverBinSafe::WriteObject(const char* name, zCObject& object)
{
    const zCClassDef* classDef = object.GetClassDef();
    if (!classDef) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_NO_CLASS_DEF));
        return;
    }
    if (IsArchivedAsNull(&object)) {
        WriteNullObject(name);
        return;
    }
    const zSTRING classText = ClassTextOf(classDef);
    objectList.InsertEnd(&object);
    object.AddRef();
    const int index = objectList.GetNum() - 1;
    writtenIndex.emplace(&object, index);  // the first index stays the one referred to
    WriteChunkStart(name, classText.c_str(), classDef->GetArchiveVersion(), index);
    object.Archive(*this);
    WriteChunkEnd();
}

void zCArchiverBinSafe::OpenWrite(zFILE* target, int mode, int saveGameFlag, int openFlags, int ownsTarget)
{
    if (openState != zARC_STATE_CLOSED)
        Close();
    file = target;
    arcMode = mode;
    saveGame = saveGameFlag;
    flags = openFlags;
    ownsFile = ownsTarget;
    openState = zARC_STATE_WRITE;
    WriteHeader(openFlags);
}

void zCArchiverBinSafe::WriteHeader(int headerFlags)
{
    // An archive below the oldest readable version could never be read back.
    formatVersion = headerFlags < static_cast<int>(kMinVersion) ? kMinVersion : static_cast<std::uint32_t>(headerFlags);
    WriteU32(formatVersion);
    objectCountPos = GetPos();
    WriteU32(0);
    stringTablePosPos = GetPos();
    WriteU32(0);
    entriesStart = GetPos();
}

void zCArchiverBinSafe::PatchObjectCount()
{
    if (openState != zARC_STATE_WRITE)
        return;
    if (!bufferInUse && !(file && file->IsOpened()))
        return;
    const int position = GetPos();
    SetPos(objectCountPos);
    WriteU32(static_cast<std::uint32_t>(objectList.GetNum()));
    SetPos(position);
}

int zCArchiverBinSafe::IsStringValid(const char* text)
{
    if (!text)
        return 1;
    return std::strpbrk(text, "%[]\xA7") == nullptr;
}

// ---- String table -----------------------------------------------------------

int zCArchiverBinSafe::LookupName(const zSTRING& name) const
{
    if (bucketHeads.empty())
        return -1;
    for (int node = bucketHeads[HashName(name) % zNUM_BUCKETS]; node >= 0; node = stringNodes[node].next) {
        if (stringNodes[node].name == name)
            return static_cast<int>(stringNodes[node].index);
    }
    return -1;
}

int zCArchiverBinSafe::InsertName(const zSTRING& name)
{
    const std::uint32_t index = static_cast<std::uint32_t>(stringNodes.size());
    LinkName(name, index);
    return static_cast<int>(index);
}

void zCArchiverBinSafe::LinkName(const zSTRING& name, std::uint32_t index)
{
    if (bucketHeads.empty())
        bucketHeads.assign(zNUM_BUCKETS, -1);
    zTStringNode node;
    node.bucket = HashName(name) % zNUM_BUCKETS;
    node.index = index;
    node.name = name;
    node.next = bucketHeads[node.bucket];
    bucketHeads[node.bucket] = static_cast<int>(stringNodes.size());
    stringNodes.push_back(node);
}

void zCArchiverBinSafe::ClearStringTable()
{
    stringNodes.clear();
    bucketHeads.clear();
}

// ---- Closing ------------------------------------------------------------------

void zCArchiverBinSafe::Close()
{
    if (openState == zARC_STATE_WRITE && (bufferInUse || (file && file->IsOpened()))) {
        const int tablePos = GetPos();
        SetPos(stringTablePosPos);
        WriteU32(static_cast<std::uint32_t>(tablePos));
        SetPos(tablePos);
        WriteU32(static_cast<std::uint32_t>(stringNodes.size()));
        if (!bucketHeads.empty()) {
            for (int bucket = 0; bucket < zNUM_BUCKETS; ++bucket) {
                for (int node = bucketHeads[bucket]; node >= 0; node = stringNodes[node].next) {
                    const zTStringNode& string = stringNodes[node];
                    unsigned char head[kStringRecordHead];
                    zPutLE16(head, static_cast<std::uint16_t>(string.name.size()));
                    zPutLE16(head + 2, static_cast<std::uint16_t>(string.index));
                    zPutLE32(head + 4, string.bucket);
                    WriteBytes(head, kStringRecordHead);
                    WriteBytes(string.name.data(), static_cast<int>(string.name.size()));
                }
            }
        }
        PatchObjectCount();
    }
    ClearStringTable();

    if (openState != zARC_STATE_CLOSED && ownsFile) {
        const bool writing = openState == zARC_STATE_WRITE;
        const bool properties = arcMode == zARC_MODE_ASCII_PROPS;
        if (!(flags & zARC_FLAG_NO_CLOSE_MESSAGE) && writing != properties)
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CLOSING, objectList.GetNum()));
        DeleteOwnedArchive();
    }
    file = nullptr;
    ownsFile = 0;
    ReleaseObjects();
    chunkStack.DeleteList();
    openState = zARC_STATE_CLOSED;
    damaged = 0;
    searchedThrough = 0;
    entriesStart = entriesEnd = archiveSize = 0;
}

void zCArchiverBinSafe::ReleaseObjects()
{
    for (int i = objectList.GetNum() - 1; i >= 0; --i) {
        if (zCObject* object = objectList[i])
            object->Release();
    }
    objectList.DeleteList();
    writtenIndex.clear();
}

// ---- Reading: checked input ---------------------------------------------------

void zCArchiverBinSafe::Damage(int position, const zSTRING& reason)
{
    if (damaged)
        return;
    damaged = 1;
    const zSTRING path = ArchiveName();
    g_errorReporter.Report(zERR_ERROR, reason, path.c_str(), position);
    // From here on the archive is at its end.
    SetPos(archiveSize);
}

void zCArchiverBinSafe::Truncated(int position)
{
    Damage(position, LoadResString(IDS_UNEXPECTED_END));
}

bool zCArchiverBinSafe::Take(void* data, int count, int limit)
{
    if (damaged || openState != zARC_STATE_READ)
        return false;
    const int position = GetPos();
    if (count < 0 || position < 0 || position > limit || count > limit - position) {
        Truncated(position);
        return false;
    }
    const int got = ReadBytes(data, count);
    if (got != count) {
        Truncated(position + got);
        return false;
    }
    return true;
}

bool zCArchiverBinSafe::TakeU16(std::uint16_t& value, int limit)
{
    unsigned char bytes[2];
    if (!Take(bytes, 2, limit))
        return false;
    value = zGetLE16(bytes);
    return true;
}

bool zCArchiverBinSafe::TakeU32(std::uint32_t& value, int limit)
{
    unsigned char bytes[4];
    if (!Take(bytes, 4, limit))
        return false;
    value = zGetLE32(bytes);
    return true;
}

bool zCArchiverBinSafe::Skip(int count)
{
    if (damaged)
        return false;
    const int position = GetPos();
    if (count < 0 || position > entriesEnd || count > entriesEnd - position) {
        Truncated(position);
        return false;
    }
    SetPos(position + count);
    return true;
}

bool zCArchiverBinSafe::NextType(int& type, int& typePos)
{
    if (damaged || openState != zARC_STATE_READ)
        return false;
    typePos = GetPos();
    if (typePos >= entriesEnd)
        return false;
    unsigned char byte = 0;
    if (!Take(&byte, 1, entriesEnd))
        return false;
    type = byte;
    return true;
}

bool zCArchiverBinSafe::ReadStringData(zSTRING& text)
{
    std::uint16_t length = 0;
    if (!TakeU16(length, entriesEnd))
        return false;
    std::string characters(length, '\0');
    if (!Take(&characters[0], length, entriesEnd))
        return false;
    text = characters;
    return true;
}

bool zCArchiverBinSafe::SkipData(int type, int typePos, bool withValue)
{
    switch (type) {
    case zBINSAFE_INT:
    case zBINSAFE_FLOAT:
    case zBINSAFE_BOOL:
    case zBINSAFE_COLOR:
    case zBINSAFE_ENUM:
        return Skip(4);
    case zBINSAFE_BYTE:
        return Skip(1);
    case zBINSAFE_WORD:
        return Skip(2);
    case zBINSAFE_VEC3:
        return Skip(12);
    case zBINSAFE_STRING:
    case zBINSAFE_RAW:
    case zBINSAFE_RAW_FLOAT: {
        std::uint16_t length = 0;
        return TakeU16(length, entriesEnd) && Skip(length);
    }
    case zBINSAFE_KEY: {
        if (!Skip(4))
            return false;
        if (!withValue)
            return true;
        // The value belongs to the key: a text value is never taken for a chunk marker.
        int valueType = 0;
        int valuePos = 0;
        if (!NextType(valueType, valuePos)) {
            if (!damaged)
                Truncated(valuePos);
            return false;
        }
        return SkipData(valueType, valuePos, false);
    }
    default:
        if (type >= 10 && type <= 15)
            return true;  // types without data
        Damage(typePos, FormatResString(IDS_UNHANDLED_TYPE, type));
        return false;
    }
}

bool zCArchiverBinSafe::NextLine(zSTRING& line)
{
    line.clear();
    int type = 0;
    int typePos = 0;
    if (!NextType(type, typePos))
        return false;
    if (type == zBINSAFE_STRING)
        return ReadStringData(line);
    return SkipData(type, typePos, true);
}

bool zCArchiverBinSafe::SkipNestedChunk()
{
    zSTRING line;
    for (int depth = 1; depth > 0;) {
        if (!NextLine(line)) {
            // A chunk without its end marker.
            if (!damaged)
                Truncated(GetPos());
            return false;
        }
        if (IsChunkEndLine(line))
            --depth;
        else if (IsChunkStartLine(line))
            ++depth;
    }
    return true;
}

// ---- Reading: header, entries, chunks and objects -------------------------------

void zCArchiverBinSafe::OpenRead(zFILE* source, int mode, int saveGameFlag, int openFlags, int ownsSource)
{
    if (openState != zARC_STATE_CLOSED)
        Close();
    if (!source)
        return;
    file = source;
    arcMode = mode;
    saveGame = saveGameFlag;
    flags = openFlags;
    ownsFile = ownsSource;
    openState = zARC_STATE_READ;
    ReadHeader();
}

void zCArchiverBinSafe::ReadHeader()
{
    if (openState != zARC_STATE_READ)
        return;
    const long size = bufferInUse || !file ? 0 : file->Size();
    archiveSize = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    entriesEnd = archiveSize;
    ClearStringTable();

    if (!TakeU32(formatVersion, archiveSize))
        return;
    if (static_cast<std::int32_t>(formatVersion) < static_cast<std::int32_t>(kMinVersion)) {
        damaged = 1;  // nothing is read from it
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_OLD_VERSION, static_cast<int>(formatVersion)));
        return;
    }

    const int countPos = GetPos();
    std::uint32_t objectCount = 0;
    std::uint32_t tablePos = 0;
    if (!TakeU32(objectCount, archiveSize))
        return;
    const int tablePosPos = GetPos();
    if (!TakeU32(tablePos, archiveSize))
        return;
    entriesStart = GetPos();
    const zSTRING path = ArchiveName();
    if (tablePos < static_cast<std::uint32_t>(entriesStart) || tablePos > static_cast<std::uint32_t>(archiveSize) - 4) {
        Damage(tablePosPos, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path));
        return;
    }
    entriesEnd = static_cast<int>(tablePos);
    // No archive holds more objects than its entries have bytes.
    if (objectCount > static_cast<std::uint32_t>(entriesEnd - entriesStart)) {
        Damage(countPos, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path));
        return;
    }
    const int numObjects = static_cast<int>(objectCount);
    if (numObjects > objectList.GetNum()) {
        const int wanted = numObjects + numObjects / 2;
        objectList.AllocAbs(wanted);
        while (objectList.GetNum() < wanted)
            objectList.InsertEnd(nullptr);
    }

    SetPos(entriesEnd);
    std::uint32_t numStrings = 0;
    if (!TakeU32(numStrings, archiveSize))
        return;
    if (numStrings > static_cast<std::uint32_t>((archiveSize - entriesEnd - 4) / kStringRecordHead)) {
        Damage(entriesEnd, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path));
        return;
    }
    std::vector<bool> indexSeen(numStrings, false);
    for (std::uint32_t i = 0; i < numStrings; ++i) {
        const int recordPos = GetPos();
        unsigned char head[kStringRecordHead];
        if (!Take(head, kStringRecordHead, archiveSize))
            return;
        const std::uint32_t length = zGetLE16(head);
        const std::uint32_t index = zGetLE16(head + 2);
        const std::uint32_t bucket = zGetLE32(head + 4);
        std::string characters(length, '\0');
        if (!Take(&characters[0], static_cast<int>(length), archiveSize))
            return;
        const zSTRING name = characters;
        // An index met twice or outside the table, or a name in a bucket that is not
        // its own, would make names find the wrong entries.
        if (index >= numStrings || indexSeen[index] || bucket != HashName(name) % zNUM_BUCKETS) {
            Damage(recordPos, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path));
            return;
        }
        indexSeen[index] = true;
        LinkName(name, index);
    }
    SetPos(entriesStart);
}

int zCArchiverBinSafe::EndSearch(const char* name, int start)
{
    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_SEARCHED_THROUGH, name ? name : ""));
    searchedThrough = 1;
    SetPos(start);
    return 0;
}

int zCArchiverBinSafe::FindEntry(const char* name, zSTRING&)
{
    if (openState != zARC_STATE_READ || damaged)
        return 0;
    const int index = LookupName(name ? name : "");
    if (index < 0) {
        ReportEntryNotFound(name);
        return 0;
    }
    const int start = GetPos();
    int cycles = 0;
    for (;;) {
        int type = 0;
        int typePos = 0;
        bool atEnd = false;
        if (!NextType(type, typePos)) {
            if (damaged)
                return 0;
            atEnd = true;
        } else if (type == zBINSAFE_STRING) {
            zSTRING line;
            if (!ReadStringData(line))
                return 0;
            if (IsChunkStartLine(line)) {
                if (!SkipNestedChunk())
                    return 0;
            } else if (IsChunkEndLine(line)) {
                atEnd = true;
            }
        } else if (type == zBINSAFE_KEY) {
            std::uint32_t found = 0;
            if (!TakeU32(found, entriesEnd))
                return 0;
            if (found == static_cast<std::uint32_t>(index))
                return 1;
            int valueType = 0;
            int valuePos = 0;
            if (!NextType(valueType, valuePos)) {
                if (!damaged)
                    Truncated(valuePos);
                return 0;
            }
            if (!SkipData(valueType, valuePos, false))
                return 0;
        } else if (!SkipData(type, typePos, true)) {
            return 0;
        }
        if (atEnd) {
            // The end of the current chunk, or of the entries outside all chunks:
            // once more from its start.
            if (cycles == 1)
                return EndSearch(name, start);
            SetPos(chunkStack.GetNum() > 0 ? chunkStack[chunkStack.GetNum() - 1].startPos : entriesStart);
            cycles = 1;
        }
    }
}

bool zCArchiverBinSafe::ReadEntry(int type, void* data, int size, zSTRING* text)
{
    int found = 0;
    int typePos = 0;
    if (!NextType(found, typePos)) {
        if (!damaged)
            Truncated(typePos);  // a key without its value
        return false;
    }
    if (found != type) {
        SkipData(found, typePos, true);
        return false;
    }
    if (type == zBINSAFE_STRING) {
        zSTRING read;
        if (!ReadStringData(read))
            return false;
        if (text)
            *text = read;
        return true;
    }
    if (type == zBINSAFE_RAW || type == zBINSAFE_RAW_FLOAT) {
        std::uint16_t length = 0;
        if (!TakeU16(length, entriesEnd))
            return false;
        const int taken = length < size ? length : size;
        return Take(data, taken, entriesEnd) && Skip(length - taken);
    }
    return Take(data, size, entriesEnd);
}

bool zCArchiverBinSafe::ReadFixed(const char* name, int type, unsigned char* bytes, int size)
{
    zSTRING unused;
    return FindEntry(name, unused) && ReadEntry(type, bytes, size, nullptr);
}

bool zCArchiverBinSafe::ReadWord(const char* name, int type, std::uint32_t& value)
{
    unsigned char bytes[4];
    if (!ReadFixed(name, type, bytes, 4))
        return false;
    value = zGetLE32(bytes);
    return true;
}

void zCArchiverBinSafe::ReadInt(const char* name, int& value)
{
    std::uint32_t word = 0;
    if (ReadWord(name, zBINSAFE_INT, word))
        value = static_cast<int>(word);
}

void zCArchiverBinSafe::ReadByte(const char* name, std::uint8_t& value)
{
    unsigned char byte = 0;
    if (ReadFixed(name, zBINSAFE_BYTE, &byte, 1))
        value = byte;
}

void zCArchiverBinSafe::ReadFloat(const char* name, float& value)
{
    std::uint32_t word = 0;
    if (ReadWord(name, zBINSAFE_FLOAT, word))
        value = zBitsFloat(word);
}

void zCArchiverBinSafe::ReadBool(const char* name, int& value)
{
    std::uint32_t word = 0;
    if (ReadWord(name, zBINSAFE_BOOL, word))
        value = static_cast<int>(word);
}

void zCArchiverBinSafe::ReadString(const char* name, zSTRING& value)
{
    zSTRING unused;
    if (FindEntry(name, unused))
        ReadEntry(zBINSAFE_STRING, nullptr, 0, &value);
}

void zCArchiverBinSafe::ReadColor(const char* name, zCOLOR& value)
{
    unsigned char bytes[4];
    if (ReadFixed(name, zBINSAFE_COLOR, bytes, 4)) {
        value.b = bytes[0];
        value.g = bytes[1];
        value.r = bytes[2];
        value.a = bytes[3];
    }
}

void zCArchiverBinSafe::ReadEnum(const char* name, int& value)
{
    std::uint32_t word = 0;
    if (ReadWord(name, zBINSAFE_ENUM, word))
        value = static_cast<int>(word);
}

void zCArchiverBinSafe::ReadRawFloat(const char* name, float* data, int byteSize)
{
    if (!data || byteSize <= 0)
        return;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(byteSize));
    std::memcpy(bytes.data(), data, bytes.size());  // bytes the entry lacks stay as they were
    if (!ReadFixed(name, zBINSAFE_RAW_FLOAT, bytes.data(), byteSize))
        return;
    const int whole = byteSize / 4;
    for (int i = 0; i < whole; ++i)
        data[i] = zBitsFloat(zGetLE32(&bytes[static_cast<std::size_t>(4 * i)]));
}

void zCArchiverBinSafe::ReadLine(zSTRING& line)
{
    NextLine(line);
}

void zCArchiverBinSafe::PeekChunk(const char* objectName, zSTRING& line)
{
    line.clear();
    if (openState != zARC_STATE_READ || damaged)
        return;
    const zSTRING wanted = objectName ? objectName : "";
    const int start = GetPos();
    int cycles = 0;
    zSTRING read;
    while (NextLine(read)) {
        if (IsChunkStartLine(read)) {
            const std::vector<zSTRING> words = MarkerWords(read);
            if (wanted.empty() || (!words.empty() && words[0] == wanted)) {
                line = read;
                return;
            }
            if (!SkipNestedChunk())
                return;
        } else if (IsChunkEndLine(read)) {
            if (cycles == 1 || chunkStack.GetNum() == 0) {
                SetPos(start);
                return;
            }
            SetPos(chunkStack[chunkStack.GetNum() - 1].startPos);
            ++cycles;
        }
    }
}

int zCArchiverBinSafe::ReadChunkStart(const char* objectName)
{
    zSTRING line;
    PeekChunk(objectName, line);
    if (line.empty())
        return 0;
    if (chunkStack.GetNum() >= zMAX_CHUNK_DEPTH) {
        const zSTRING path = ArchiveName();
        Damage(GetPos(), FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, path));
        return 0;
    }
    const std::vector<zSTRING> words = MarkerWords(line);
    zTChunkRecord record;
    if (words.size() > 0)
        record.objectName = words[0];
    if (words.size() > 1)
        record.className = words[1];
    if (words.size() > 2)
        record.version = static_cast<std::uint16_t>(std::min(std::max(zArchiveDecimal(words[2]), 0), 0xFFFF));
    if (words.size() > 3)
        record.objectIndex = zArchiveDecimal(words[3]);
    record.startPos = GetPos();
    chunkStack.InsertEnd(record);
    return 1;
}

void zCArchiverBinSafe::SkipChunk(int pop)
{
    if (chunkStack.GetNum() == 0)
        return;
    if (openState == zARC_STATE_READ && !damaged)
        SkipNestedChunk();
    if (pop)
        chunkStack.RemoveIndex(chunkStack.GetNum() - 1);
}

bool zCArchiverBinSafe::StoreObject(int index, zCObject* object)
{
    if (index < 0 || index >= objectList.GetNum()) {
        // Indexes lie below the object count the header gave.
        Damage(GetPos(), FormatResString(IDS_ILLEGAL_OBJECT_INDEX, index));
        return false;
    }
    object->AddRef();
    // The object held before is let go, not leaked.
    if (zCObject* previous = objectList[index])
        previous->Release();
    objectList[index] = object;
    return true;
}

zCObject* zCArchiverBinSafe::ReadObject(const char* name, zCObject* useThis)
{
    if (!ReadChunkStart(name))
        return useThis;
    const zTChunkRecord record = chunkStack[chunkStack.GetNum() - 1];
    const zSTRING& classText = record.className;
    const int index = record.objectIndex;

    if (classText.empty() || classText[0] == '%') {
        SkipOpenChunk();
        return nullptr;
    }
    if (classText[0] == kReferenceMark) {
        if (index < 0 || index >= objectList.GetNum()) {
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ILLEGAL_OBJECT_INDEX, index));
            SkipOpenChunk();
            return useThis;
        }
        zCObject* held = objectList[index];
        if (!held) {
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_REFERENCE_NOT_READ, index));
            SkipOpenChunk();
            return useThis;
        }
        return TakeReference(held, useThis);
    }

    zCObject* object = useThis;
    if (!useThis) {
        object = CreateObject(classText);
    } else {
        zCClassDef* fileClass = GetClassDefFromText(classText);
        zCClassDef* ownClass = useThis->GetClassDef();
        if (fileClass != ownClass) {
            g_errorReporter.Report(zERR_ERROR,
                                   FormatResString(IDS_CLASS_MISMATCH_SKIPPED,
                                                   fileClass ? fileClass->GetClassName() : zSTRING("%"),
                                                   ownClass ? ownClass->GetClassName() : zSTRING("%")));
            StoreObject(index, useThis);
            SkipOpenChunk();
            return useThis;
        }
    }
    if (!object) {
        SkipOpenChunk();
        return nullptr;
    }
    if (!StoreObject(index, object)) {
        if (object != useThis)
            object->Release();
        SkipOpenChunk();
        return useThis;
    }
    try {
        object->Unarchive(*this);
        SkipOpenChunk();
    } catch (...) {
        // The caller never receives it; the table keeps its own reference.
        if (object != useThis)
            object->Release();
        throw;
    }
    return object;
}
