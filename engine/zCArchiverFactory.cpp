// The archiver factory and the archive header.
#include "zCArchiverFactory.h"

#include <atomic>
#include <cstdlib>
#include <memory>
#include <utility>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCArchiver.h"
#include "zCArchiverBinSafe.h"
#include "zCBuffer.h"
#include "zCClassDef.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

const char* const kGenericClassName = "zCArchiverGeneric";
const int kNumModes = 4;
// A header line read from a buffer holds at most this many characters.
const int kMaxBufferLine = 1023;
// The user-name buffer of the system call the header is modelled on, terminator included.
const std::size_t kUserNameBuffer = 200;

zCArchiveStampSource s_defaultStampSource;
std::atomic<zCArchiveStampSource*> s_stampSource{&s_defaultStampSource};

// Releases an archiver unless handed on (fatal reports unwind through the factory).
class ArchiverHold {
public:
    explicit ArchiverHold(zCArchiver* held) : archiver(held) {}
    ~ArchiverHold()
    {
        if (archiver)
            archiver->Release();
    }
    ArchiverHold(const ArchiverHold&) = delete;
    ArchiverHold& operator=(const ArchiverHold&) = delete;
    zCArchiver* Get() const { return archiver; }
    zCArchiver* Hand() { return std::exchange(archiver, nullptr); }
    void Drop()
    {
        if (archiver)
            std::exchange(archiver, nullptr)->Release();
    }

private:
    zCArchiver* archiver;
};

// The first and second blank-separated words.
void SplitKeyValue(const zSTRING& line, zSTRING& key, zSTRING& value)
{
    key.clear();
    value.clear();
    std::size_t pos = line.find_first_not_of(' ');
    if (pos == std::string::npos)
        return;
    std::size_t end = line.find(' ', pos);
    key = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (end == std::string::npos)
        return;
    pos = line.find_first_not_of(' ', end);
    if (pos == std::string::npos)
        return;
    end = line.find(' ', pos);
    value = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

bool IsArchiverClass(const zCClassDef* classDef)
{
    // Bounded: the registry cuts chains that loop, but a definition may not be sorted in yet.
    int steps = zCClassDef::GetNum() + 1;
    for (const zCClassDef* def = classDef; def && steps > 0; def = def->GetBaseClassDef(), --steps) {
        if (def == &zCArchiver::classDef)
            return true;
    }
    return false;
}

// A new archiver of the class, or null when the class is none or makes no archiver.
zCArchiver* CreateArchiverOfClass(zCClassDef* classDef)
{
    if (!classDef || classDef->IsAbstractClass() || !IsArchiverClass(classDef))
        return nullptr;
    zCObject* object = classDef->CreateNewInstance();
    if (!object)
        return nullptr;
    zCArchiver* archiver = dynamic_cast<zCArchiver*>(object);
    if (!archiver)
        object->Release();
    return archiver;
}

bool AtHeaderEnd(zCBuffer* buffer, zFILE* file)
{
    if (buffer)
        return buffer->GetPos() > buffer->GetSize();
    return file->Eof() || file->Pos() + 3 > file->Size();
}

long HeaderPos(zCBuffer* buffer, zFILE* file)
{
    return buffer ? static_cast<long>(buffer->GetPos()) : file->Pos();
}

void SetHeaderPos(zCBuffer* buffer, zFILE* file, long position)
{
    if (buffer)
        buffer->SetPos(static_cast<std::uint32_t>(position));
    else
        file->Seek(position);
}

zCArchiver* CreateArchiverWriteOwning(zFILE* file, int mode, int saveGame, int flags, int ownsFile)
{
    if (mode < 0 || mode >= kNumModes) {
        // The header has no name for it.
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_UNKNOWN_MODE));
        return nullptr;
    }
    ArchiverHold archiver(zCArchiverFactory::CreateArchiverByMode(mode));
    if (!archiver.Get())
        return nullptr;
    zCArchiverFactory::WriteHeader(archiver.Get(), mode, saveGame, flags, nullptr, file);
    // The file changes hands only once nothing can fail: until then its caller deletes it.
    archiver.Get()->OpenWrite(file, mode, saveGame, flags, 0);
    if (ownsFile)
        archiver.Get()->TakeFileOwnership();
    return archiver.Hand();
}

} // namespace

const zSTRING zARC_MODE_NAMES[4] = {"BINARY", "ASCII", "ASCII_PROPS", "BIN_SAFE"};
const zSTRING zARC_HEADER_MAGIC = "Tolvan Archive";

zCArchiverFactory g_archiverFactory;

std::tm zCArchiveStampSource::LocalTime() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The re-entrant forms: localtime's own result is shared by every caller in the process.
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0)
        return std::tm{};
#else
    if (!localtime_r(&now, &local))
        return std::tm{};
#endif
    return local;
}

bool zCArchiveStampSource::UserName(zSTRING& name) const
{
#ifdef _WIN32
    const char* user = std::getenv("USERNAME");
#else
    const char* user = std::getenv("USER");
#endif
    if (!user || !*user)
        return false;
    name = user;
    return true;
}

zCArchiveStampSource* zSetArchiveStampSource(zCArchiveStampSource* source)
{
    return s_stampSource.exchange(source ? source : &s_defaultStampSource);
}

zCArchiver* zCArchiverFactory::CreateArchiverRead(zFILE* file, int flags)
{
    if (!file)
        return nullptr;
    zCArchiver* read = nullptr;
    int mode = 0;
    int saveGame = 0;
    ReadHeader(flags, nullptr, file, read, mode, saveGame);
    if (!read)
        return nullptr;
    ArchiverHold archiver(read);
    archiver.Get()->OpenRead(file, mode, saveGame, flags, 0);
    return archiver.Hand();
}

zCArchiver* zCArchiverFactory::CreateArchiverWrite(zFILE* file, int mode, int saveGame, int flags)
{
    if (!file)
        return nullptr;
    return CreateArchiverWriteOwning(file, mode, saveGame, flags, 0);
}

zCArchiver* zCArchiverFactory::CreateArchiverWriteByName(const zSTRING& fileName, int mode, int saveGame,
                                                         int flags)
{
    if (!g_objectFactory)
        return nullptr;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(fileName));
    if (!file || file->Create() != 0)
        return nullptr;
    zCArchiver* archiver = CreateArchiverWriteOwning(file.get(), mode, saveGame, flags, 1);
    if (archiver)
        file.release();  // the archiver deletes it at Close
    return archiver;
}

zCArchiver* zCArchiverFactory::CreateArchiverByMode(int mode)
{
    zCClassDef* classDef = mode == zARC_MODE_BIN_SAFE ? &zCArchiverBinSafe::classDef
                                                      : zCClassDef::GetClassDef(kGenericClassName);
    zCArchiver* archiver = CreateArchiverOfClass(classDef);
    if (!archiver)
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_CANNOT_CREATE_ARCHIVER));
    return archiver;
}

void zCArchiverFactory::WriteHeader(zCArchiver* archiver, int mode, int saveGame, int flags, zCBuffer* buffer,
                                    zFILE* file)
{
    if (!buffer && !file)
        return;
    if (mode < 0 || mode >= kNumModes) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_UNKNOWN_MODE));
        return;
    }
    WriteHeaderLine(zARC_HEADER_MAGIC, buffer, file);
    WriteHeaderLine("ver 1", buffer, file);
    const zCClassDef* classDef = archiver ? archiver->GetClassDef() : nullptr;
    WriteHeaderLine(classDef ? classDef->GetClassName() : zSTRING(), buffer, file);
    WriteHeaderLine(zARC_MODE_NAMES[mode], buffer, file);
    WriteHeaderLine(saveGame ? "saveGame 1" : "saveGame 0", buffer, file);
    if (!(flags & zARC_FLAG_NO_DATE)) {
        const zCArchiveStampSource* source = s_stampSource.load();
        const std::tm now = source->LocalTime();
        zSTRING date = "date ";
        date += zSTRING(now.tm_mday) + "." + zSTRING(now.tm_mon + 1) + "." + zSTRING(now.tm_year + 1900);
        date += " " + zSTRING(now.tm_hour) + ":" + zSTRING(now.tm_min) + ":" + zSTRING(now.tm_sec);
        WriteHeaderLine(date, buffer, file);
        zSTRING user;
        // A name that would not fit the system's buffer is not given; one with a
        // line break would end the header line early.
        if (source->UserName(user) && !user.empty() && user.size() < kUserNameBuffer &&
            user.find_first_of("\r\n") == std::string::npos)
            WriteHeaderLine("user " + user, buffer, file);
    }
    WriteHeaderLine("END", buffer, file);
}

void zCArchiverFactory::ReadHeader(int, zCBuffer* buffer, zFILE* file, zCArchiver*& archiver, int& mode,
                                   int& saveGame)
{
    archiver = nullptr;
    mode = 0;
    saveGame = 0;
    if (!buffer && !file)
        return;

    zSTRING line;
    ReadHeaderLine(line, buffer, file);
    if (line != zARC_HEADER_MAGIC) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_NOT_AN_ARCHIVE));
        return;
    }

    zSTRING key;
    zSTRING value;
    ReadHeaderKeyLine(key, value, buffer, file);
    const int version = zArchiveDecimal(value);

    zCClassDef* classDef = nullptr;
    if (version > 0) {
        ReadHeaderLine(line, buffer, file);
        classDef = zCClassDef::GetClassDef(line);
    } else {
        classDef = zCClassDef::GetClassDef(kGenericClassName);
    }
    ArchiverHold created(CreateArchiverOfClass(classDef));
    if (!created.Get()) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_CANNOT_CREATE_ARCHIVER));
        return;
    }

    ReadHeaderLine(line, buffer, file);
    int found = kNumModes;
    for (int i = 0; i < kNumModes; ++i) {
        if (line == zARC_MODE_NAMES[i]) {
            found = i;
            break;
        }
    }
    if (found == kNumModes) {
        created.Drop();
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_UNKNOWN_MODE));
        return;
    }

    int readSaveGame = 0;
    for (;;) {
        const long lineStart = HeaderPos(buffer, file);
        ReadHeaderKeyLine(key, value, buffer, file);
        if (key == "END")
            break;
        if (key == "saveGame") {
            readSaveGame = zArchiveDecimal(value);
        } else if (key == "objects" && version <= 0) {
            SetHeaderPos(buffer, file, lineStart);
            break;
        }
        if (AtHeaderEnd(buffer, file))
            break;
    }

    mode = found;
    saveGame = readSaveGame;
    archiver = created.Hand();
}

void zCArchiverFactory::ReadHeaderLine(zSTRING& line, zCBuffer* buffer, zFILE* file)
{
    line.clear();
    if (!buffer) {
        if (file)
            file->ReadLine(line);
        return;
    }
    for (int count = 0;; ++count) {
        if (count == kMaxBufferLine) {
            g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_HEADER_LINE_TOO_LONG));
            return;
        }
        char c = 0;
        buffer->Read(&c, 1);
        if (c == '\n')
            return;
        line += c;
    }
}

void zCArchiverFactory::ReadHeaderKeyLine(zSTRING& key, zSTRING& value, zCBuffer* buffer, zFILE* file)
{
    zSTRING line;
    ReadHeaderLine(line, buffer, file);
    SplitKeyValue(line, key, value);
}

void zCArchiverFactory::WriteHeaderLine(const char* text, zCBuffer* buffer, zFILE* file)
{
    WriteHeaderLine(zSTRING(text), buffer, file);
}

void zCArchiverFactory::WriteHeaderLine(const zSTRING& text, zCBuffer* buffer, zFILE* file)
{
    const zSTRING line = text + "\n";
    if (buffer)
        buffer->Write(line.data(), static_cast<std::uint32_t>(line.size()));
    else if (file)
        file->Write(line);
}
