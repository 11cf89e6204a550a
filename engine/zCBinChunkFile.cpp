// Chunk files and source stamps.
#include "zCBinChunkFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "JobGlobals.h"
#include "LittleEndian.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zERROR.h"

namespace {

// The prefix of the path line of a stamp written from its source.
const char* const kStampPathPrefix = "\\_WORK\\DATA";

// A stamp's line is read in pieces of this size.
constexpr long kLinePiece = 256;

} // namespace

zCArray<zTFileDate> g_recordedStampDates;
zCArray<zSTRING> g_recordedStampPaths;

zCBinChunkFile::~zCBinChunkFile()
{
    if (file)
        Close();
}

int zCBinChunkFile::Create(const zSTRING& path)
{
    Close();
    std::unique_ptr<zFILE> made = zMakeFile(path);
    const int result = made->Create();
    if (result == 0)
        Attach(made.release(), false);
    return result;
}

int zCBinChunkFile::Open(const zSTRING& path)
{
    Close();
    std::unique_ptr<zFILE> made = zMakeFile(path);
    const int result = made->Open(false);
    if (result == 0)
        Attach(made.release(), false);
    return result;
}

void zCBinChunkFile::Attach(zFILE* newFile, bool isExternal)
{
    if (newFile == file) {
        external = isExternal;
        return;
    }
    Close();
    file = newFile;
    external = isExternal;
}

void zCBinChunkFile::Detach()
{
    file = nullptr;
    external = false;
    damaged = false;
    chunkStart = -1;
    nextChunk = -1;
}

void zCBinChunkFile::Close()
{
    if (!file) {
        Detach();
        return;
    }
    EndChunk();
    zFILE* closing = file;
    const bool keep = external;
    Detach();
    if (!keep) {
        closing->Close();
        delete closing;
    }
}

void zCBinChunkFile::StartChunk(std::uint16_t id)
{
    if (!file)
        return;
    EndChunk();
    chunkStart = file->Pos();
    WriteU16(id);
    WriteU32(0);
}

void zCBinChunkFile::EndChunk()
{
    if (!file || chunkStart == -1)
        return;
    const long end = file->Pos();
    // A caller that went back before the header has nothing to patch.
    if (end < chunkStart + zCHUNK_HEADER_SIZE)
        return;
    file->Seek(chunkStart + 2);
    WriteU32(static_cast<std::uint32_t>(end - chunkStart - zCHUNK_HEADER_SIZE));
    file->Seek(end);
}

void zCBinChunkFile::WriteLine(const zSTRING& text)
{
    if (!file)
        return;
    file->Write(text + "\n");
}

long zCBinChunkFile::GetBytesLeft() const
{
    if (!file || !file->IsOpened())
        return 0;
    return std::max(0L, file->Size() - file->Pos());
}

void zCBinChunkFile::ReportDamage(const zSTRING& reason)
{
    if (damaged)
        return;
    damaged = true;
    const zSTRING name = file ? file->GetFullPath() : zSTRING();
    const long position = file && file->IsOpened() ? file->Pos() : 0;
    // Whatever chunk loop reads on ends here.
    if (file && file->IsOpened())
        nextChunk = file->Size();
    g_errorReporter.Report(zERR_ERROR,
                           FormatResString(IDS_CHUNK_FILE_DAMAGED, name, static_cast<int>(position), reason));
}

int zCBinChunkFile::ReadChunkHeader(std::uint16_t& id, std::uint32_t& length)
{
    id = 0;
    length = 0;
    if (!file || !file->IsOpened())
        return 0;
    const long size = file->Size();
    if (damaged) {
        nextChunk = size;
        return 0;
    }
    const long position = file->Pos();
    const long left = size - position;
    if (left <= 0) {
        nextChunk = size;
        return 0;
    }
    bool fits = false;
    if (left < zCHUNK_HEADER_SIZE) {
        ReportDamage(LoadResString(IDS_DATA_ENDS_EARLY));
    } else {
        ReadU16(id);
        ReadU32(length);
        const long body = left - zCHUNK_HEADER_SIZE;
        if (length > static_cast<std::uint32_t>(body)) {
            file->Seek(position);
            ReportDamage(FormatResString(IDS_CHUNK_TOO_LONG, static_cast<unsigned>(id),
                                         static_cast<unsigned>(length), static_cast<int>(body)));
        } else {
            fits = true;
        }
    }
    if (!fits) {
        id = 0;
        length = 0;
        file->Seek(size);
        return 0;
    }
    nextChunk = position + zCHUNK_HEADER_SIZE + static_cast<long>(length);
    return 1;
}

void zCBinChunkFile::SkipToNextChunk()
{
    if (!file || !file->IsOpened() || nextChunk < 0)
        return;
    if (nextChunk < file->Size())
        file->Seek(nextChunk);
}

void zCBinChunkFile::WriteBytes(const void* data, long count)
{
    if (file && data && count > 0)
        file->Write(data, count);
}

void zCBinChunkFile::WriteU8(std::uint8_t value)
{
    WriteBytes(&value, 1);
}

void zCBinChunkFile::WriteU16(std::uint16_t value)
{
    unsigned char bytes[2];
    zPutLE16(bytes, value);
    WriteBytes(bytes, 2);
}

void zCBinChunkFile::WriteU32(std::uint32_t value)
{
    unsigned char bytes[4];
    zPutLE32(bytes, value);
    WriteBytes(bytes, 4);
}

void zCBinChunkFile::WriteInt(std::int32_t value)
{
    WriteU32(static_cast<std::uint32_t>(value));
}

void zCBinChunkFile::WriteFloat(float value)
{
    WriteU32(zFloatBits(value));
}

bool zCBinChunkFile::ReadBytes(void* data, long count)
{
    if (count <= 0)
        return count == 0;
    if (!data)
        return false;
    std::memset(data, 0, static_cast<std::size_t>(count));
    if (!file || !file->IsOpened() || damaged)
        return false;
    const long position = file->Pos();
    if (file->Read(data, count) != count) {
        std::memset(data, 0, static_cast<std::size_t>(count));
        file->Seek(position);
        ReportDamage(LoadResString(IDS_DATA_ENDS_EARLY));
        return false;
    }
    return true;
}

bool zCBinChunkFile::ReadU8(std::uint8_t& value)
{
    return ReadBytes(&value, 1);
}

bool zCBinChunkFile::ReadU16(std::uint16_t& value)
{
    unsigned char bytes[2];
    const bool ok = ReadBytes(bytes, 2);
    value = zGetLE16(bytes);
    return ok;
}

bool zCBinChunkFile::ReadU32(std::uint32_t& value)
{
    unsigned char bytes[4];
    const bool ok = ReadBytes(bytes, 4);
    value = zGetLE32(bytes);
    return ok;
}

bool zCBinChunkFile::ReadInt(std::int32_t& value)
{
    std::uint32_t bits;
    const bool ok = ReadU32(bits);
    value = static_cast<std::int32_t>(bits);
    return ok;
}

bool zCBinChunkFile::ReadFloat(float& value)
{
    std::uint32_t bits;
    const bool ok = ReadU32(bits);
    value = zBitsFloat(bits);
    return ok;
}

bool zCBinChunkFile::ReadLine(zSTRING& line)
{
    line.clear();
    if (!file || !file->IsOpened() || damaged)
        return false;
    const long position = file->Pos();
    const long size = file->Size();
    // A line without its "\n" ends with its chunk rather than swallowing the next one.
    const long limit = (nextChunk >= position && nextChunk <= size) ? nextChunk : size;
    if (position >= limit) {
        ReportDamage(LoadResString(IDS_DATA_ENDS_EARLY));
        return false;
    }
    std::string text;
    long at = position;
    char piece[kLinePiece];
    bool ended = false;
    while (!ended && at < limit) {
        const long want = std::min(kLinePiece, limit - at);
        const long got = file->Read(piece, want);
        if (got <= 0)
            break;
        long used = got;
        const void* feed = std::memchr(piece, '\n', static_cast<std::size_t>(got));
        if (feed) {
            used = static_cast<const char*>(feed) - piece + 1;
            ended = true;
        }
        text.append(piece, static_cast<std::size_t>(used));
        at += used;
    }
    file->Seek(at);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    line = text;
    return true;
}

int CompareFileDates(const zTFileDate& a, const zTFileDate& b)
{
    const bool equal = a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
                       a.minute == b.minute && a.second == b.second;
    return equal ? 0 : 1;
}

void WriteFileDate(zCBinChunkFile& file, const zTFileDate& date)
{
    file.WriteU32(date.year);
    file.WriteU16(date.month);
    file.WriteU16(date.day);
    file.WriteU16(date.hour);
    file.WriteU16(date.minute);
    file.WriteU16(date.second);
    file.WriteU16(date.unused);
}

bool ReadFileDate(zCBinChunkFile& file, zTFileDate& date)
{
    date = zTFileDate();
    return file.ReadU32(date.year) && file.ReadU16(date.month) && file.ReadU16(date.day) &&
           file.ReadU16(date.hour) && file.ReadU16(date.minute) && file.ReadU16(date.second) &&
           file.ReadU16(date.unused);
}

namespace {

// The date of the source, looked for below DIR_ANIMS; source then names the path found.
zTFileDate SourceDate(zFILE& source)
{
    zTFileStats stats;
    const zSTRING name = source.GetFile();
    if (name.empty())
        return stats.modifyDate;
    if (g_options)
        source.SearchFile(name, g_options->GetDirString(DIR_ANIMS), true);
    source.GetStats(stats);
    return stats.modifyDate;
}

} // namespace

void WriteSourceStamp(zCBinChunkFile& file, const zSTRING& sourcePath, int useSourceDate)
{
    std::unique_ptr<zFILE> source = zMakeFile(sourcePath);

    zTFileDate date;
    if (g_jobMode == zJOB_COMPILE_MODELS || useSourceDate) {
        date = SourceDate(*source);
    } else if (g_recordedStampDates.GetNum() > 0) {
        date = g_recordedStampDates[0];
        g_recordedStampDates.RemoveOrderIndex(0);
    }
    WriteFileDate(file, date);

    zSTRING line;
    // A converted static model keeps its lines as well: its hierarchy knows no source
    // to make a line from, and the file must convert back to what it was.
    const bool keepsRecordedLine =
        g_modelKind == zMODEL_MORPH_MESH || (g_modelKind == zMODEL_STATIC && g_jobMode == zJOB_CONVERT_MODELS);
    if (g_jobMode == zJOB_COMPILE_MODELS || !keepsRecordedLine) {
        line = zSTRING(kStampPathPrefix) + source->GetPath();
    } else if (g_recordedStampPaths.GetNum() > 0) {
        line = g_recordedStampPaths[0];
        g_recordedStampPaths.RemoveOrderIndex(0);
    }
    file.WriteLine(line);
}

int ReadSourceStamp(zCBinChunkFile& file)
{
    zTFileDate date;
    zSTRING line;
    if (!ReadFileDate(file, date) || !file.ReadLine(line))
        return 0;
    if (g_jobMode == zJOB_CONVERT_MODELS || g_jobMode == zJOB_DECOMPILE_MODELS) {
        g_recordedStampDates.InsertEnd(date);
        g_recordedStampPaths.InsertEnd(line);
    }
    return 1;
}

void ClearRecordedStampDates()
{
    g_recordedStampDates.DeleteList();
}

void ClearRecordedSourceStamps()
{
    g_recordedStampDates.DeleteList();
    g_recordedStampPaths.DeleteList();
}
