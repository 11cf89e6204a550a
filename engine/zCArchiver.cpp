// The archiver interface: the bodies both archivers share.
#include "zCArchiver.h"

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCBuffer.h"
#include "zCClassDef.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

// Misses of both archivers together; the hundredth is reported once.
std::atomic<int> s_entriesNotFound{0};
const int kManyMisses = 100;

} // namespace

int zArchiveDecimal(const zSTRING& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

zCLASS_DEFINITION_ABSTRACT(zCArchiver, zCObject, 0, 0);

void zCArchiver::Archive(zCArchiver&)
{
}

void zCArchiver::Unarchive(zCArchiver&)
{
}

zCArchiver::~zCArchiver() = default;

int zCArchiver::ReadInt(const char* name)
{
    int value = 0;
    ReadInt(name, value);
    return value;
}

std::uint8_t zCArchiver::ReadByte(const char* name)
{
    std::uint8_t value = 0;
    ReadByte(name, value);
    return value;
}

float zCArchiver::ReadFloat(const char* name)
{
    float value = 0.0f;
    ReadFloat(name, value);
    return value;
}

int zCArchiver::ReadBool(const char* name)
{
    int value = 0;
    ReadBool(name, value);
    return value;
}

zCOLOR zCArchiver::ReadColor(const char* name)
{
    zCOLOR value;
    ReadColor(name, value);
    return value;
}

int zCArchiver::ReadEnum(const char* name)
{
    int value = 0;
    ReadEnum(name, value);
    return value;
}

zCObject* zCArchiver::ReadObject(zCObject* useThis)
{
    return ReadObject("", useThis);
}

void zCArchiver::SkipOpenChunk()
{
    SkipChunk(1);
}

int zCArchiver::EndOfArchive()
{
    if (bufferInUse)
        return !buffer || buffer->GetPos() >= buffer->GetSize();
    if (!file)
        return 1;
    return file->Eof() || file->Pos() + 3 > file->Size();
}

int zCArchiver::GetIsProperties()
{
    return arcMode == zARC_MODE_ASCII_PROPS;
}

int zCArchiver::InSaveGame()
{
    return saveGame;
}

void zCArchiver::WriteBytes(const void* data, int count)
{
    if (count <= 0 || !data)
        return;
    if (bufferInUse) {
        if (buffer)
            buffer->Write(data, static_cast<std::uint32_t>(count));
    } else if (file) {
        file->Write(data, count);
    }
}

int zCArchiver::GetPos()
{
    if (bufferInUse)
        return buffer ? static_cast<int>(buffer->GetPos()) : 0;
    return file ? static_cast<int>(file->Pos()) : 0;
}

void zCArchiver::SetPos(int position)
{
    if (position < 0)
        return;
    if (bufferInUse) {
        if (buffer)
            buffer->SetPos(static_cast<std::uint32_t>(position));
    } else if (file) {
        file->Seek(position);
    }
}

zCObject* zCArchiver::CreateObject(const zSTRING& classText)
{
    zCClassDef* classDef = GetClassDefFromText(classText);
    if (!classDef)
        return nullptr;
    zCObject* object = classDef->CreateNewInstance();
    if (!object)
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_COULD_NOT_CREATE_OBJECT, classText));
    return object;
}

int zCArchiver::ReadBytes(void* data, int count)
{
    if (count <= 0 || !data)
        return 0;
    long got = 0;
    // Buffers cannot be read (they have no reader); they give nothing.
    if (!bufferInUse && file)
        got = file->Read(data, count);
    if (got < 0)
        got = 0;
    if (got < count)
        std::memset(static_cast<unsigned char*>(data) + got, 0, static_cast<std::size_t>(count - got));
    return static_cast<int>(got);
}

void zCArchiver::ReadLineOf(zSTRING& line)
{
    ReadLine(line);
}

void zCArchiver::SetPosChecked(int position)
{
    if (GetPos() != position)
        SetPos(position);
}

void zCArchiver::DeleteBuffer()
{
    delete buffer;
    buffer = nullptr;
    bufferInUse = 0;
}

zSTRING zCArchiver::ClassTextOf(const zCClassDef* classDef)
{
    if (!classDef)
        return zSTRING();
    zSTRING text = classDef->GetClassName();
    // The registry cuts base chains that loop, so this walk ends.
    for (const zCClassDef* base = classDef->GetBaseClassDef(); base; base = base->GetBaseClassDef()) {
        if (!base->IsAbstractClass()) {
            text += ':';
            text += base->GetClassName();
        }
    }
    return text;
}

zCClassDef* zCArchiver::ClassDefFromClassText(const zSTRING& classText)
{
    std::size_t start = 0;
    while (start <= classText.size()) {
        std::size_t end = classText.find(':', start);
        if (end == std::string::npos)
            end = classText.size();
        if (end == start)
            return nullptr;
        if (zCClassDef* classDef = zCClassDef::GetClassDef(zSTRING(classText.substr(start, end - start))))
            return classDef;
        start = end + 1;
    }
    return nullptr;
}

void zCArchiver::ReportEntryNotFound(const char* name)
{
    const zSTRING text = name ? name : "";
    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ENTRY_NOT_FOUND, text));
    if (text == "pack")
        return;
    if (++s_entriesNotFound == kManyMisses)
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_MANY_ENTRIES_NOT_FOUND));
}

void zCArchiver::DeleteOwnedArchive()
{
    if (bufferInUse) {
        DeleteBuffer();
    } else if (file) {
        if (file->IsOpened())
            file->Close();
        delete file;
    }
}

zSTRING zCArchiver::ArchiveName() const
{
    return file ? file->GetFullPath() : zSTRING();
}

bool zCArchiver::IsChunkStartLine(const zSTRING& line)
{
    return !line.empty() && line[0u] == '[' && line[1u] != ']';
}

bool zCArchiver::IsChunkEndLine(const zSTRING& line)
{
    return !line.empty() && line[0u] == '[' && line[1u] == ']';
}

bool zCArchiver::IsArchivedAsNull(const zCObject* object)
{
    if (!object)
        return true;
    const zCClassDef* classDef = object->GetClassDef();
    return classDef && (classDef->GetClassFlags() & zCLASS_FLAG_NOT_ARCHIVED);
}

void zCArchiver::WriteNullObject(const char* name)
{
    WriteChunkStart(name, "%", 0, 0);
    WriteChunkEnd();
}

zCObject* zCArchiver::ResolveReference(zCObject* held, zCObject* useThis)
{
    if (useThis) {
        if (useThis != held)
            g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_REFERENCE_INTO_USE_THIS));
        return useThis;
    }
    held->AddRef();
    return held;
}

zCObject* zCArchiver::TakeReference(zCObject* held, zCObject* useThis)
{
    zCObject* result = ResolveReference(held, useThis);
    try {
        SkipOpenChunk();
    } catch (...) {
        if (result != useThis)
            result->Release();
        throw;
    }
    return result;
}

// Alike in both archivers.

void zCArchiver::WriteObject(zCObject* object)
{
    WriteObject("", object);
}

zSTRING zCArchiver::ReadString(const char* name)
{
    zSTRING value;
    ReadString(name, value);
    return value;
}

int zCArchiver::ReadChunkStart(zSTRING& objectName, std::uint16_t& version)
{
    objectName.clear();
    if (!ReadChunkStart(""))
        return 0;
    const zTChunkRecord& record = chunkStack[chunkStack.GetNum() - 1];
    objectName = record.objectName;
    version = record.version;
    return 1;
}

zCClassDef* zCArchiver::GetClassDefFromText(const zSTRING& classText)
{
    return ClassDefFromClassText(classText);
}
