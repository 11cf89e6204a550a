// The archiver factory: writes and reads the text header every archive opens
// with, and creates and opens the archiver it names.
#pragma once

#include <ctime>

#include "zSTRING.h"

class zCArchiver;
class zCBuffer;
class zFILE;

// The mode names of the header, by mode: "BINARY", "ASCII", "ASCII_PROPS", "BIN_SAFE".
extern const zSTRING zARC_MODE_NAMES[4];
// The header's first line.
extern const zSTRING zARC_HEADER_MAGIC;

// Where the header's date and user lines come from. Process-wide, so that tests
// can write archives byte for byte.
class zCArchiveStampSource {
public:
    virtual ~zCArchiveStampSource() = default;
    // The local time now (tm_mday, tm_mon from 0, tm_year from 1900, tm_hour, tm_min, tm_sec).
    virtual std::tm LocalTime() const;
    // False when the system gives no user name: USERNAME on Windows, USER elsewhere.
    virtual bool UserName(zSTRING& name) const;
};

// Installs a source (null restores the default) and returns the one before.
// The source must outlive its use.
zCArchiveStampSource* zSetArchiveStampSource(zCArchiveStampSource* source);

class zCArchiverFactory {
public:
    // Null when the header names no archiver class that exists (after a fatal report).
    virtual zCArchiver* CreateArchiverRead(zFILE* file, int flags);
    virtual zCArchiver* CreateArchiverWrite(zFILE* file, int mode, int saveGame, int flags);
    // Null when the file cannot be created; the archiver then owns the file.
    virtual zCArchiver* CreateArchiverWriteByName(const zSTRING& fileName, int mode, int saveGame, int flags);

    // Mode 3 gives a zCArchiverBinSafe, any other a zCArchiverGeneric, made through
    // their class definitions.
    static zCArchiver* CreateArchiverByMode(int mode);

    // The header helpers work on the buffer when one is given, else on the file.
    static void WriteHeader(zCArchiver* archiver, int mode, int saveGame, int flags, zCBuffer* buffer,
                            zFILE* file);
    // archiver, mode and saveGame are set to 0 first.
    static void ReadHeader(int flags, zCBuffer* buffer, zFILE* file, zCArchiver*& archiver, int& mode,
                           int& saveGame);
    static void ReadHeaderLine(zSTRING& line, zCBuffer* buffer, zFILE* file);
    // The first and the second blank-separated word of the next line.
    static void ReadHeaderKeyLine(zSTRING& key, zSTRING& value, zCBuffer* buffer, zFILE* file);
    static void WriteHeaderLine(const char* text, zCBuffer* buffer, zFILE* file);
    static void WriteHeaderLine(const zSTRING& text, zCBuffer* buffer, zFILE* file);
};

extern zCArchiverFactory g_archiverFactory;
