// The generic archiver: BINARY, ASCII and ASCII_PROPS archives.
#include "zCArchiverGeneric.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ErrorBox.h"
#include "LittleEndian.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCClassDef.h"
#include "zERROR.h"
#include "zFILE.h"

zCLASS_DEFINITION(zCArchiverGeneric, zCArchiver, 0, 0);

namespace {

constexpr char kNullClassText[] = "%";
constexpr char kReferenceClassText[] = "\xA7";
// Indentation of ASCII chunk markers; deeper chunks are not indented further.
constexpr int kMaxIndent = 66;
// Every object of an archive takes at least this many bytes (a chunk start and its
// end), which bounds the object indexes and counts an archive of a given size can hold.
constexpr std::int64_t kMinObjectBytes = 8;

float ParseFloat(const zSTRING& text)
{
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

zSTRING Indentation(int depth)
{
    return zSTRING(std::string(static_cast<std::size_t>(depth < kMaxIndent ? depth : kMaxIndent), '\t'));
}

// Reports a message the job cannot go past. The default fatal handler throws; this
// also stops when another handler returns.
[[noreturn]] void Fatal(const zSTRING& text)
{
    g_errorReporter.Report(zERR_FATAL, text);
    throw zTFatalAbort{};
}

} // namespace

zCArchiverGeneric::zCArchiverGeneric() : writeObjectMap(kWriteObjectMapSize) {}

zCArchiverGeneric::~zCArchiverGeneric()
{
    if (openState != zARC_STATE_CLOSED)
        Close();
}

// ---- Damage reports -------------------------------------------------------------

void zCArchiverGeneric::ReportTruncated()
{
    Fatal(FormatResString(IDS_ARCHIVE_ENDS_EARLY, ArchiveName(), GetPos()));
}

void zCArchiverGeneric::ReportBadChunkSize(int position, std::uint32_t size)
{
    Fatal(FormatResString(IDS_BAD_CHUNK_SIZE, ArchiveName(), position, static_cast<unsigned>(size)));
}

void zCArchiverGeneric::ReportBadObjectIndex(int position, int index)
{
    Fatal(FormatResString(IDS_BAD_OBJECT_INDEX, ArchiveName(), position, index));
}

void zCArchiverGeneric::ReportBadObjectCount(int position, const zSTRING& count)
{
    Fatal(FormatResString(IDS_BAD_OBJECT_COUNT, ArchiveName(), position, count));
}

void zCArchiverGeneric::ReportTooDeep(int position)
{
    Fatal(FormatResString(IDS_CHUNKS_TOO_DEEP, ArchiveName(), position, kMaxChunkDepth));
}

// ---- Raw access ------------------------------------------------------------------

int zCArchiverGeneric::GetPos()
{
    if (knownPos < 0)
        knownPos = zCArchiver::GetPos();
    return knownPos;
}

void zCArchiverGeneric::SetPos(int position)
{
    zCArchiver::SetPos(position);
    knownPos = -1;
}

int zCArchiverGeneric::ReadBytes(void* data, int count)
{
    const int got = zCArchiver::ReadBytes(data, count);
    if (knownPos >= 0)
        knownPos += got;
    return got;
}

void zCArchiverGeneric::WriteBytes(const void* data, int count)
{
    zCArchiver::WriteBytes(data, count);
    // A failed write would leave the file elsewhere: the next GetPos asks the file.
    knownPos = -1;
}

std::int64_t zCArchiverGeneric::ArchiveSize()
{
    if (readSize < 0)
        readSize = file ? file->Size() : 0;
    return readSize;
}

std::int64_t zCArchiverGeneric::ReadLimit()
{
    if (IsBinary() && chunkStack.GetNum() > 0) {
        const zTChunkRecord& chunk = chunkStack[chunkStack.GetNum() - 1];
        return std::int64_t(chunk.startPos) + chunk.size;
    }
    return ArchiveSize();
}

void zCArchiverGeneric::ReadExact(void* data, int count)
{
    if (GetPos() + std::int64_t(count) > ReadLimit() || ReadBytes(data, count) != count)
        ReportTruncated();
}

std::uint8_t zCArchiverGeneric::ReadU8()
{
    std::uint8_t byte;
    ReadExact(&byte, 1);
    return byte;
}

std::uint16_t zCArchiverGeneric::ReadU16()
{
    unsigned char bytes[2];
    ReadExact(bytes, 2);
    return zGetLE16(bytes);
}

std::uint32_t zCArchiverGeneric::ReadU32()
{
    unsigned char bytes[4];
    ReadExact(bytes, 4);
    return zGetLE32(bytes);
}

void zCArchiverGeneric::WriteU8(std::uint8_t value)
{
    WriteBytes(&value, 1);
}

void zCArchiverGeneric::WriteU16(std::uint16_t value)
{
    unsigned char bytes[2];
    zPutLE16(bytes, value);
    WriteBytes(bytes, 2);
}

void zCArchiverGeneric::WriteU32(std::uint32_t value)
{
    unsigned char bytes[4];
    zPutLE32(bytes, value);
    WriteBytes(bytes, 4);
}

void zCArchiverGeneric::ReadZeroTerminated(zSTRING& text)
{
    text.clear();
    // Only the zero byte ends it: a text may hold line feeds.
    std::int64_t left = ReadLimit() - GetPos();
    char c;
    for (;;) {
        if (left-- <= 0 || ReadBytes(&c, 1) != 1)
            ReportTruncated();
        if (c == '\0')
            return;
        text += c;
    }
}

// ---- Lines -----------------------------------------------------------------------

void zCArchiverGeneric::WriteText(const zSTRING& text)
{
    WriteBytes(text.data(), static_cast<int>(text.size()));
}

void zCArchiverGeneric::WriteLine(const zSTRING& text)
{
    WriteText(text);
    WriteBytes("\n", 1);
}

void zCArchiverGeneric::ReadLine(zSTRING& line)
{
    line.clear();
    lineEnded = true;
    char c;
    while (ReadBytes(&c, 1) == 1) {
        if (IsBinary()) {
            if (c == '\0' || c == '\n')
                return;
        } else {
            if (c == '\n' || c == '\r')
                return;
            if (c == '\t')
                continue;
        }
        line += c;
    }
    // A last line without its end ends with the archive.
    lineEnded = false;
}

// ---- Opening and closing ---------------------------------------------------------

void zCArchiverGeneric::OpenWrite(zFILE* newFile, int mode, int newSaveGame, int newFlags, int newOwnsFile)
{
    Close();
    file = newFile;
    arcMode = mode;
    saveGame = newSaveGame;
    flags = newFlags;
    ownsFile = newOwnsFile;
    bufferInUse = 0;
    buffer = nullptr;
    binaryMode = mode == zARC_MODE_BINARY;
    propertiesMode = mode != zARC_MODE_ASCII_PROPS;
    readSize = -1;
    knownPos = -1;
    openState = zARC_STATE_WRITE;
    WriteHeader(flags);
}

void zCArchiverGeneric::WriteHeader(int /*flags*/)
{
    WriteText("objects ");
    objectCountPos = GetPos();
    WriteLine("0        ");
    WriteLine("END");
    WriteLine("");
    entriesStartPos = GetPos();
}

void zCArchiverGeneric::PatchObjectCount()
{
    if (openState != zARC_STATE_WRITE || !(bufferInUse || (file && file->IsOpened())))
        return;
    const int position = GetPos();
    SetPos(objectCountPos);
    WriteText(zSTRING(objectList.GetNum()));
    SetPos(position);
}

void zCArchiverGeneric::OpenRead(zFILE* newFile, int mode, int newSaveGame, int /*flags*/, int newOwnsFile)
{
    Close();
    file = newFile;
    arcMode = mode;
    saveGame = newSaveGame;
    ownsFile = newOwnsFile;
    bufferInUse = 0;
    buffer = nullptr;
    binaryMode = mode == zARC_MODE_BINARY;
    readSize = -1;
    knownPos = -1;
    openState = zARC_STATE_READ;
    ReadHeader();
    propertiesMode = mode != zARC_MODE_ASCII_PROPS;
}

void zCArchiverGeneric::ReadHeader()
{
    const int position = GetPos();
    zSTRING line;
    ReadLine(line);
    if (line.PickWord(1, "", " ") != "objects")
        Fatal(LoadResString(IDS_OBJECTS_EXPECTED));
    if (!lineEnded)
        ReportTruncated();
    const zSTRING countText = line.PickWord(2, "", " ");
    const long long count = std::strtoll(countText.c_str(), nullptr, 10);
    if (count < 0 || count > ArchiveSize() / kMinObjectBytes)
        ReportBadObjectCount(position, countText);
    const int num = static_cast<int>(count);
    if (num >= objectList.GetNum()) {
        objectList.AllocAbs(num);
        while (objectList.GetNum() < objectList.GetNumAlloc())
            objectList.InsertEnd(nullptr);
    }
    // The "END" line and an empty one; an archive cut inside them holds no entries.
    for (int i = 0; i < 2; ++i) {
        ReadLine(line);
        if (!lineEnded)
            ReportTruncated();
    }
    entriesStartPos = GetPos();
}

void zCArchiverGeneric::Close()
{
    if (openState == zARC_STATE_WRITE)
        PatchObjectCount();
    if (ownsFile) {
        if (propertiesMode && !(flags & zARC_FLAG_NO_CLOSE_MESSAGE))
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CLOSING, objectList.GetNum()));
        DeleteOwnedArchive();
        ownsFile = 0;
    }
    file = nullptr;
    ReleaseObjects();
    writeObjectMap.Clear();
    chunkStack.EmptyList();
    readSize = -1;
    knownPos = -1;
    openState = zARC_STATE_CLOSED;
}

void zCArchiverGeneric::ReleaseObjects()
{
    for (int i = 0; i < objectList.GetNum(); ++i) {
        zCObject* object = objectList[i];
        objectList[i] = nullptr;
        if (object)
            object->Release();
    }
    objectList.EmptyList();
}

// ---- Writing values --------------------------------------------------------------

void zCArchiverGeneric::WriteASCIILine(const char* name, const char* /*typeName*/, const zSTRING& /*value*/)
{
    const zSTRING text = FormatResString(IDS_NOT_AVAILABLE, "zCArchiverGeneric::WriteASCIILine", name ? name : "");
    g_errorReporter.Report(zERR_ERROR, text);
}

void zCArchiverGeneric::WriteInt(const char* name, int /*value*/)
{
    const zSTRING text = FormatResString(IDS_NOT_AVAILABLE, "zCArchiverGeneric::WriteInt", name ? name : "");
    g_errorReporter.Report(zERR_ERROR, text);
}

void zCArchiverGeneric::WriteByte(const char* name, std::uint8_t value)
{
    if (IsBinary())
        WriteU8(value);
    else
        WriteASCIILine(name, "int", zSTRING(int(value)));
}

void zCArchiverGeneric::WriteFloat(const char* name, float value)
{
    if (IsBinary())
        WriteU32(zFloatBits(value));
    else
        WriteASCIILine(name, "float", zSTRING(value, 20));
}

void zCArchiverGeneric::WriteBool(const char* name, int value)
{
    if (IsBinary())
        WriteU8(static_cast<std::uint8_t>(value));
    else
        WriteASCIILine(name, "bool", zSTRING(value));
}

void zCArchiverGeneric::WriteString(const char* name, const zSTRING& value)
{
    if (IsBinary()) {
        // Up to an embedded zero byte: the reader stops there, and the stream must stay in step.
        WriteBytes(value.c_str(), static_cast<int>(std::strlen(value.c_str())) + 1);
    } else {
        WriteASCIILine(name, "string", value);
    }
}

void zCArchiverGeneric::WriteColor(const char* name, const zCOLOR& value)
{
    if (IsBinary()) {
        const std::uint8_t bytes[4] = {value.b, value.g, value.r, value.a};
        WriteBytes(bytes, 4);
    } else {
        WriteASCIILine(name, "color",
                       zSTRING(int(value.r)) + " " + zSTRING(int(value.g)) + " " + zSTRING(int(value.b)) + " " +
                           zSTRING(int(value.a)));
    }
}

void zCArchiverGeneric::WriteRawFloat(const char* name, const float* data, int byteSize)
{
    if (byteSize < 0 || byteSize % 4 != 0)
        Fatal(FormatResString(IDS_RAW_FLOAT_SIZE, byteSize));
    const int count = byteSize / 4;
    if (IsBinary()) {
        for (int i = 0; i < count; ++i)
            WriteU32(zFloatBits(data[i]));
    } else {
        zSTRING text;
        for (int i = 0; i < count; ++i)
            text += zSTRING(data[i], 20) + " ";
        WriteASCIILine(name, "rawFloat", text);
    }
}

void zCArchiverGeneric::WriteEnum(const char* name, const char* valueNames, int value)
{
    if (IsBinary()) {
        WriteByte(name, static_cast<std::uint8_t>(value));
    } else {
        const zSTRING type = propertiesMode ? zSTRING("enum") : zSTRING("enum;") + (valueNames ? valueNames : "");
        WriteASCIILine(name, type.c_str(), zSTRING(value));
    }
}

void zCArchiverGeneric::WriteGroupBegin(const char* name)
{
    if (arcMode == zARC_MODE_ASCII_PROPS)
        WriteASCIILine(name, "groupBegin", zSTRING());
}

void zCArchiverGeneric::WriteGroupEnd(const char* name)
{
    if (arcMode == zARC_MODE_ASCII_PROPS)
        WriteASCIILine(name, "groupEnd", zSTRING());
}

// ---- Writing chunks and objects --------------------------------------------------

void zCArchiverGeneric::WriteChunkStart(const char* objectName, const char* className, std::uint16_t classVersion,
                                        int objectIndex)
{
    zTChunkRecord record;
    record.objectName = objectName && *objectName ? objectName : kNullClassText;
    record.className = className ? className : "";
    record.version = classVersion;
    record.objectIndex = objectIndex;
    record.startPos = GetPos();
    if (IsBinary()) {
        WriteU32(0);
        WriteU16(classVersion);
        WriteU32(static_cast<std::uint32_t>(objectIndex));
        WriteString("", record.objectName);
        WriteString("", record.className);
    } else {
        const zSTRING classText = record.className.empty() ? zSTRING(kNullClassText) : record.className;
        WriteLine(Indentation(chunkStack.GetNum()) + "[" + record.objectName + " " + classText + " " +
                  zSTRING(int(classVersion)) + " " + zSTRING(static_cast<unsigned long>(std::uint32_t(objectIndex))) +
                  "]");
    }
    chunkStack.InsertEnd(record);
}

void zCArchiverGeneric::WriteChunkEnd()
{
    if (chunkStack.GetNum() == 0)
        Fatal(LoadResString(IDS_CHUNK_END_WITHOUT_CHUNK));
    const zTChunkRecord record = chunkStack[chunkStack.GetNum() - 1];
    chunkStack.RemoveIndex(chunkStack.GetNum() - 1);
    if (IsBinary()) {
        const int end = GetPos();
        SetPos(record.startPos);
        WriteU32(static_cast<std::uint32_t>(end - record.startPos));
        SetPos(end);
    } else {
        WriteLine(Indentation(chunkStack.GetNum()) + "[]");
    }
}

void zCArchiverGeneric::WriteObject(const char* name, zCObject* object)
{
    if (IsArchivedAsNull(object)) {
        WriteNullObject(name);
        return;
    }
    const zTWriteObjectEntry* entry = writeObjectMap.Lookup(object);
    if (entry && entry->objectIndex >= 0) {
        WriteChunkStart(name, kReferenceClassText, 0, entry->objectIndex);
        WriteChunkEnd();
        return;
    }
    WriteObject(name, *object);
}

void zCArchiverGeneric::WriteObject(const char* name, zCObject& object)
{
    const zCClassDef* classDef = object.GetClassDef();
    if (!classDef)
        Fatal(LoadResString(IDS_NO_CLASS_DEF));
    if (IsArchivedAsNull(&object)) {
        WriteNullObject(name);
        return;
    }
    const zSTRING classText = ClassTextOf(classDef);
    object.AddRef();
    const int index = objectList.GetNum();
    objectList.InsertEnd(&object);
    zTWriteObjectEntry* entry = writeObjectMap.Insert(&object);
    entry->object = &object;
    entry->objectIndex = index;
    WriteChunkStart(name, classText.c_str(), classDef->GetArchiveVersionSum(), index);
    object.Archive(*this);
    WriteChunkEnd();
}

// ---- Reading values --------------------------------------------------------------

int zCArchiverGeneric::FindEntry(const char* name, zSTRING& value)
{
    if (IsBinary())
        return 1;
    const zSTRING wanted = name ? name : "";
    const int start = GetPos();
    int cycles = noWrap ? 1 : 0;
    zSTRING line;
    for (;;) {
        if (GetPos() >= ArchiveSize()) {
            // An open chunk without its end: the archive is cut short.
            if (chunkStack.GetNum() > 0)
                ReportTruncated();
            SetPos(start);
            break;
        }
        ReadLine(line);
        if (IsChunkEndLine(line)) {
            if (chunkStack.GetNum() == 0) {
                SetPos(start);
                break;
            }
            if (cycles == 1) {
                // A miss leaves the reader where it was: the next read must not take
                // the chunk's first entries again.
                SetPos(start);
                break;
            }
            SetPos(chunkStack[chunkStack.GetNum() - 1].startPos);
            ++cycles;
        } else if (IsChunkStartLine(line)) {
            SkipChunk(0);
        } else if (line.PickWord(1, "", " =\t") == wanted) {
            const std::size_t colon = line.find(':');
            value = colon == std::string::npos ? zSTRING() : zSTRING(line.substr(colon + 1));
            return 1;
        }
    }
    ReportEntryNotFound(wanted.c_str());
    return 0;
}

void zCArchiverGeneric::ReadInt(const char* name, int& value)
{
    if (IsBinary())
        value = static_cast<std::int32_t>(ReadU32());
    else if (FindEntry(name, valueText))
        value = zArchiveDecimal(valueText);
}

void zCArchiverGeneric::ReadByte(const char* name, std::uint8_t& value)
{
    if (IsBinary())
        value = ReadU8();
    else if (FindEntry(name, valueText))
        value = static_cast<std::uint8_t>(zArchiveDecimal(valueText));
}

void zCArchiverGeneric::ReadFloat(const char* name, float& value)
{
    if (IsBinary())
        value = zBitsFloat(ReadU32());
    else if (FindEntry(name, valueText))
        value = ParseFloat(valueText);
}

void zCArchiverGeneric::ReadBool(const char* name, int& value)
{
    if (IsBinary())
        value = ReadU8();
    else if (FindEntry(name, valueText))
        value = zArchiveDecimal(valueText);
}

void zCArchiverGeneric::ReadString(const char* name, zSTRING& value)
{
    if (IsBinary())
        ReadZeroTerminated(value);
    else if (FindEntry(name, valueText))
        value = valueText;
}

void zCArchiverGeneric::ReadColor(const char* name, zCOLOR& value)
{
    if (IsBinary()) {
        std::uint8_t bytes[4];
        ReadExact(bytes, 4);
        value.b = bytes[0];
        value.g = bytes[1];
        value.r = bytes[2];
        value.a = bytes[3];
    } else if (FindEntry(name, valueText)) {
        int red = 0;
        int green = 0;
        int blue = 0;
        int alpha = 0;
        std::sscanf(valueText.c_str(), "%d %d %d %d", &red, &green, &blue, &alpha);
        value = zCOLOR(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                       static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(alpha));
    }
}

void zCArchiverGeneric::ReadEnum(const char* name, int& value)
{
    if (IsBinary()) {
        std::uint8_t byte = 0;
        ReadByte(name, byte);
        value = byte;
    } else if (FindEntry(name, valueText)) {
        value = zArchiveDecimal(valueText);
    }
}

void zCArchiverGeneric::ReadRawFloat(const char* name, float* data, int byteSize)
{
    if (!data || byteSize <= 0)
        return;
    if (IsBinary()) {
        ReadExact(data, byteSize);
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
        for (int i = 0; i < byteSize / 4; ++i)
            data[i] = zBitsFloat(zGetLE32(bytes + 4 * i));
    } else if (FindEntry(name, valueText)) {
        for (int i = 0; i < byteSize / 4; ++i)
            data[i] = ParseFloat(valueText.PickWord(unsigned(i) + 1, "", " "));
    }
}

// ---- Reading chunks and objects --------------------------------------------------

void zCArchiverGeneric::PushChunk(const zTChunkRecord& record)
{
    if (chunkStack.GetNum() >= kMaxChunkDepth)
        ReportTooDeep(record.startPos);
    chunkStack.InsertEnd(record);
}

void zCArchiverGeneric::PeekChunk(const char* objectName, zSTRING& line)
{
    line.clear();
    if (IsBinary())
        return;
    const zSTRING wanted = objectName ? objectName : "";
    const int start = GetPos();
    int cycles = noWrap ? 1 : 0;
    for (;;) {
        ReadLine(line);
        if (IsChunkStartLine(line)) {
            if (wanted.empty() || line.PickWord(1, "", " [") == wanted)
                return;
            SkipChunk(0);
        } else if (IsChunkEndLine(line)) {
            if (cycles == 1 || chunkStack.GetNum() == 0) {
                SetPos(start);
                line.clear();
                return;
            }
            SetPos(chunkStack[chunkStack.GetNum() - 1].startPos);
            ++cycles;
        }
        if (GetPos() >= ArchiveSize()) {
            line.clear();
            return;
        }
    }
}

int zCArchiverGeneric::ReadChunkStart(const char* objectName)
{
    const zSTRING wanted = objectName ? objectName : "";
    zTChunkRecord record;
    if (IsBinary()) {
        const int start = GetPos();
        const std::int64_t limit = ReadLimit();
        // Nothing left in the current chunk: no chunk starts here.
        if (start >= limit)
            return 0;
        const std::uint32_t size = ReadU32();
        record.version = ReadU16();
        record.objectIndex = static_cast<std::int32_t>(ReadU32());
        ReadZeroTerminated(record.objectName);
        ReadZeroTerminated(record.className);
        if (size < std::uint32_t(GetPos() - start) || start + std::int64_t(size) > limit)
            ReportBadChunkSize(start, size);
        if (!wanted.empty() && record.objectName != wanted) {
            SetPos(start);
            return 0;
        }
        record.startPos = start;
        record.size = static_cast<std::int32_t>(size);
    } else {
        zSTRING line;
        PeekChunk(wanted.c_str(), line);
        if (line.empty())
            return 0;
        record.startPos = GetPos();
        record.objectName = line.PickWord(1, "", " [");
        record.className = line.PickWord(2, "", " ");
        record.version = static_cast<std::uint16_t>(zArchiveDecimal(line.PickWord(3, "", " ")));
        record.objectIndex = zArchiveDecimal(line.PickWord(4, "", " ]"));
        record.size = 0;
    }
    PushChunk(record);
    return 1;
}

void zCArchiverGeneric::SkipChunk(int pop)
{
    if (chunkStack.GetNum() == 0)
        return;
    if (IsBinary()) {
        const zTChunkRecord& chunk = chunkStack[chunkStack.GetNum() - 1];
        // Usually the reader stands there already; a seek would drop the file's read buffer.
        SetPosChecked(chunk.startPos + chunk.size);
    } else {
        zSTRING line;
        for (int depth = 1; depth > 0;) {
            if (GetPos() >= ArchiveSize())
                ReportTruncated();
            ReadLine(line);
            if (IsChunkEndLine(line))
                --depth;
            else if (IsChunkStartLine(line))
                ++depth;
        }
    }
    if (pop)
        chunkStack.RemoveIndex(chunkStack.GetNum() - 1);
}

void zCArchiverGeneric::ReserveObjectIndex(int index)
{
    const int needed = index + 1;
    if (needed <= objectList.GetNum())
        return;
    objectList.AllocAbs(needed + needed / 2);
    while (objectList.GetNum() < objectList.GetNumAlloc())
        objectList.InsertEnd(nullptr);
}

void zCArchiverGeneric::StoreReadObject(int index, zCObject* object)
{
    ReserveObjectIndex(index);
    // The new reference first: the object may already be held here.
    object->AddRef();
    zCObject* old = objectList[index];
    objectList[index] = object;
    if (old)
        old->Release();
}

zCObject* zCArchiverGeneric::ReadObject(const char* name, zCObject* useThis)
{
    if (!ReadChunkStart(name))
        return useThis;
    const zTChunkRecord chunk = chunkStack[chunkStack.GetNum() - 1];
    const zSTRING& classText = chunk.className;
    const int index = chunk.objectIndex;

    if (!classText.empty() && classText[0u] == '%') {
        SkipOpenChunk();
        return nullptr;
    }
    if (!classText.empty() && classText[0u] == kReferenceClassText[0]) {
        if (index < 0 || index >= objectList.GetNum())
            Fatal(FormatResString(IDS_ILLEGAL_OBJECT_INDEX, index));
        zCObject* held = objectList[index];
        if (!held)
            Fatal(FormatResString(IDS_REFERENCE_NOT_READ, index));
        return TakeReference(held, useThis);
    }

    // Checked before anything is made, so a damaged index leaves nothing behind.
    if (index < 0 || index >= ArchiveSize() / kMinObjectBytes)
        ReportBadObjectIndex(chunk.startPos, index);

    zCObject* object = useThis;
    zCObject* created = nullptr;
    if (!useThis) {
        created = CreateObject(classText);
        object = created;
    } else {
        const zCClassDef* fileClass = GetClassDefFromText(classText);
        if (fileClass != useThis->GetClassDef()) {
            const zSTRING fileName = fileClass ? fileClass->GetClassName() : zSTRING(kNullClassText);
            const zSTRING objectClass = useThis->GetClassDef()->GetClassName();
            if (!IsBinary()) {
                g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_CLASS_MISMATCH, fileName, objectClass));
            } else {
                g_errorReporter.Report(zERR_ERROR,
                                       FormatResString(IDS_CLASS_MISMATCH_SKIPPED, fileName, objectClass));
                StoreReadObject(index, useThis);
                SkipOpenChunk();
                return nullptr;
            }
        }
    }
    if (!object) {
        SkipOpenChunk();
        return nullptr;
    }
    if (IsBinary() && chunk.version != object->GetClassDef()->GetArchiveVersionSum()) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_OUTDATED_VERSION, classText));
        SkipOpenChunk();
        if (created)
            created->Release();
        return useThis;
    }
    StoreReadObject(index, object);
    try {
        object->Unarchive(*this);
        SkipOpenChunk();
    } catch (...) {
        // The table keeps its reference; the caller's is dropped with the job.
        if (created)
            created->Release();
        throw;
    }
    return object;
}

int zCArchiverGeneric::IsStringValid(const char* /*text*/)
{
    zNotFound("zCArchiverGeneric::IsStringValid");
}
