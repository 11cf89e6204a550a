// A path in parts, held by a file object of its own.
#include "zPATH.h"

#include "zFILE_VDFS.h"

zPATH::zPATH() : file(new zFILE_VDFS())
{
}

zPATH::zPATH(const zSTRING& path) : file(new zFILE_VDFS(path))
{
}

zPATH::~zPATH() = default;

zSTRING zPATH::GetDir() const
{
    return file->GetDir();
}

zSTRING zPATH::GetDrive() const
{
    return file->GetDrive();
}

zSTRING zPATH::GetFilename() const
{
    return file->GetFilename();
}

zSTRING zPATH::GetFile() const
{
    return file->GetFile();
}

zSTRING zPATH::GetPath() const
{
    return file->GetPath();
}

zSTRING zPATH::GetExt() const
{
    return file->GetExt();
}

zSTRING zPATH::GetDirPath() const
{
    return file->GetDirPath();
}

zSTRING zPATH::GetFullPath() const
{
    return file->GetFullPath();
}
