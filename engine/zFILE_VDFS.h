// The file class the program makes all its files of: a zFILE_FILE, as there are no
// packed volumes.
#pragma once

#include "zFILE_FILE.h"

class zFILE_VDFS : public zFILE_FILE {
public:
    zFILE_VDFS();
    explicit zFILE_VDFS(const zSTRING& path);
    ~zFILE_VDFS() override;
};
