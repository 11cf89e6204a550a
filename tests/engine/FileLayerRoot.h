// Makes a folder the file layer's root, with "\" as the current directory, for as
// long as the object lives; the previous root and directory come back after.
#pragma once

#include <string>

#include "zFileSystem.h"

class FileLayerRoot {
public:
    explicit FileLayerRoot(const std::string& root)
        : savedRoot(g_rootDirectory), savedCurrent(g_currentDirectory)
    {
        g_rootDirectory = root.c_str();
        g_currentDirectory = "\\";
    }
    ~FileLayerRoot()
    {
        g_rootDirectory = savedRoot;
        g_currentDirectory = savedCurrent;
    }
    FileLayerRoot(const FileLayerRoot&) = delete;
    FileLayerRoot& operator=(const FileLayerRoot&) = delete;

private:
    zSTRING savedRoot;
    zSTRING savedCurrent;
};
