// The engine's abstract file: a path in parts, an open/create/close life, byte and
// line input and output, positions, statistics, and file and directory operations.
// Operations return the error codes of zFileSystem.h or flags.
#pragma once

#include <cstdint>

#include "zSTRING.h"

// The date of file statistics and of source stamps (16 bytes on disk).
struct zTFileDate {
    std::uint32_t year = 0;
    std::uint16_t month = 0;  // 1..12
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t unused = 0;
};

struct zTFileStats {
    long size = 0;
    zTFileDate modifyDate;  // local time
};

class zFILE {
public:
    zFILE() = default;
    virtual ~zFILE() = default;
    zFILE(const zFILE&) = delete;
    zFILE& operator=(const zFILE&) = delete;

    // Path parts. The setters refuse (5110) while the file is open.
    virtual void SetMode(long mode) = 0;
    virtual int SetPath(const zSTRING& path) = 0;
    virtual int SetDrive(const zSTRING& drive) = 0;
    virtual int SetDir(const zSTRING& dir) = 0;
    virtual int SetFile(const zSTRING& file) = 0;
    virtual int SetFilename(const zSTRING& name) = 0;
    virtual int SetExt(const zSTRING& ext) = 0;
    virtual zSTRING GetFullPath() const = 0;
    virtual zSTRING GetPath() const = 0;
    virtual zSTRING GetDirPath() const = 0;
    virtual zSTRING GetDrive() const = 0;
    virtual zSTRING GetDir() const = 0;
    virtual zSTRING GetFile() const = 0;
    virtual zSTRING GetFilename() const = 0;
    virtual zSTRING GetExt() const = 0;
    virtual void SetCurrentDir() = 0;

    // Directory and file operations.
    virtual int SearchFile(const zSTRING& name, const zSTRING& directory, bool recursive) = 0;
    virtual bool DirCreate() = 0;
    virtual bool DirRemove() = 0;
    virtual bool ChangeDir() = 0;
    virtual bool FileMove(const zSTRING& destination) = 0;
    virtual bool FileRename(zFILE* target) = 0;
    virtual bool FileCopy(zFILE* target) = 0;
    virtual bool FileDelete() = 0;

    // Life.
    virtual bool IsOpened() const = 0;
    virtual int Create() = 0;
    virtual int Create(const zSTRING& path) = 0;
    virtual int Open(bool write) = 0;
    virtual int Open(const zSTRING& path, bool write) = 0;
    virtual bool Exists() = 0;
    virtual int Close() = 0;

    // Positions and statistics.
    virtual int Reset() = 0;
    virtual long Size() = 0;
    virtual long Pos() = 0;
    virtual int Seek(long position) = 0;
    virtual bool Eof() = 0;
    virtual int GetStats(zTFileStats& stats) = 0;

    // Input and output.
    virtual int Write(const char* text) = 0;
    virtual int Write(const zSTRING& text) = 0;
    virtual int Write(const void* data, long count) = 0;
    virtual long Read(void* data, long count) = 0;
    virtual int ReadLine(zSTRING& line) = 0;
    virtual zSTRING ReadLineContaining(const zSTRING& text) = 0;
    virtual long ReadBlock(zSTRING& block, long count) = 0;
    virtual int UpdateThroughBackup(long position, const zSTRING& text, long replacedLength) = 0;
    virtual int Flush() = 0;
};
