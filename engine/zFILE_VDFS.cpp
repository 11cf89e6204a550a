// The file class the program makes all its files of.
#include "zFILE_VDFS.h"

zFILE_VDFS::zFILE_VDFS() = default;

zFILE_VDFS::zFILE_VDFS(const zSTRING& path) : zFILE_FILE(path)
{
}

zFILE_VDFS::~zFILE_VDFS() = default;
