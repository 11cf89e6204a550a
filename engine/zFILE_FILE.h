// A file on the runtime library's buffered streams.
#pragma once

#include <cstdio>

#include "zFILE.h"

class zCBuffer;

class zFILE_FILE : public zFILE {
public:
    zFILE_FILE();
    explicit zFILE_FILE(const zSTRING& path);
    // Closes an open stream.
    ~zFILE_FILE() override;

    void SetMode(long newMode) override;
    // '/' becomes '\'; the drive is the text before ':'.
    int SetPath(const zSTRING& path) override;
    // Not available: ends the process through the "not found" box.
    int SetDrive(const zSTRING& drive) override;
    int SetDir(const zSTRING& newDir) override;
    // "name.ext"; the extension starts after the last dot.
    int SetFile(const zSTRING& newFile) override;
    int SetFilename(const zSTRING& name) override;
    int SetExt(const zSTRING& newExt) override;
    zSTRING GetFullPath() const override;
    // drive ":" directory name "." extension
    zSTRING GetPath() const override;
    // drive ":" directory, the directory ending in '\'
    zSTRING GetDirPath() const override;
    zSTRING GetDrive() const override;
    zSTRING GetDir() const override;
    zSTRING GetFile() const override;
    zSTRING GetFilename() const override;
    zSTRING GetExt() const override;
    // The file's directory becomes the layer's current directory ('\'-paths lie
    // below the root, relative ones below the current directory); the process's
    // own directory stays.
    void SetCurrentDir() override;

    // Looks for name (its file part, any letter case) in the directory and, when
    // recursive, below it: the folder's files first, then its subfolders in order,
    // never through links. Found: 0, and this file names the path found.
    int SearchFile(const zSTRING& name, const zSTRING& directory, bool recursive) override;
    bool DirCreate() override;
    bool DirRemove() override;
    // Changes the process's directory to the file's directory.
    bool ChangeDir() override;
    // Renames the file to the destination, under its own name and extension when the
    // destination names only a folder; this object then names the new path.
    bool FileMove(const zSTRING& destination) override;
    // Closes both; never replaces an existing target.
    bool FileRename(zFILE* target) override;
    // In blocks of 100000 bytes; closes both files at the end.
    bool FileCopy(zFILE* target) override;
    bool FileDelete() override;

    bool IsOpened() const override { return stream != nullptr; }
    // "w+b"; a failure is fatal (level 4).
    int Create() override;
    int Create(const zSTRING& path) override;
    // "rb" or "r+b"; a failure is fatal (level 4).
    int Open(bool write) override;
    int Open(const zSTRING& path, bool write) override;
    // Open, or present on disk.
    bool Exists() override;
    int Close() override;

    int Reset() override;
    long Size() override;
    long Pos() override;
    int Seek(long position) override;
    // True once a read met the end; always without a stream.
    bool Eof() override;
    int GetStats(zTFileStats& stats) override;

    // Text as it stands, no line end added; an empty text writes nothing.
    int Write(const char* text) override;
    int Write(const zSTRING& text) override;
    // 0 bytes: a warning and nothing written.
    int Write(const void* data, long count) override;
    long Read(void* data, long count) override;
    // The next line without its line end, NUL bytes dropped, any length. 1 when
    // nothing was left to read, else 0.
    int ReadLine(zSTRING& line) override;
    // Reads lines up to the first that contains the text and returns it; empty at the end.
    zSTRING ReadLineContaining(const zSTRING& text) override;
    // Up to count bytes into block; the count read.
    long ReadBlock(zSTRING& block, long count) override;
    // Replaces replacedLength bytes at position by the text, going through a copy
    // of the file with the extension "bak", which stays on disk.
    int UpdateThroughBackup(long position, const zSTRING& text, long replacedLength) override;
    // Writes the write buffer out and flushes the stream.
    int Flush() override;

    // The next line, or an empty text at the end.
    virtual zSTRING ReadNextLine();
    // Rebuilds the complete path from the parts; "." and ".." folders are folded away.
    virtual void RebuildPath();

    // Buffered writers collect their writes in one of the six shared write buffers.
    void SetUseBuffer(int on) { useBuffer = on; }

private:
    enum zTLastAccess { zACCESS_NONE, zACCESS_READ, zACCESS_WRITE };

    int RefuseWhileOpen();
    int ReportNotOpen();
    void SplitFile(const zSTRING& text);
    void FlushPending();
    void BeforeRead();
    void BeforeWrite();
    int WriteToStream(const void* data, long count);

    bool writeMode = false;
    int useBuffer = 0;
    zCBuffer* buffer = nullptr;
    long mode = 0;
    zSTRING completePath;
    zSTRING drive;
    zSTRING dir;       // ends in '\' unless empty
    zSTRING file;      // name and extension
    zSTRING filename;  // name without extension
    zSTRING ext;
    std::FILE* stream = nullptr;
    zTLastAccess lastAccess = zACCESS_NONE;
};
