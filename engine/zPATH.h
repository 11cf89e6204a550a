// A path in parts, held by a file object of its own.
#pragma once

#include <memory>

#include "zSTRING.h"

class zFILE;

class zPATH {
public:
    zPATH();
    explicit zPATH(const zSTRING& path);
    virtual ~zPATH();
    zPATH(const zPATH&) = delete;
    zPATH& operator=(const zPATH&) = delete;

    zSTRING GetDir() const;
    zSTRING GetDrive() const;
    zSTRING GetFilename() const;  // without extension
    zSTRING GetFile() const;      // with extension
    zSTRING GetPath() const;
    zSTRING GetExt() const;
    zSTRING GetDirPath() const;
    // The path the disk operations use (root and current directory applied).
    zSTRING GetFullPath() const;

private:
    std::unique_ptr<zFILE> file;
};
