// Captured reporter lines plus a sandbox as the file layer's root, for tests that write
// and read symbol records.
#pragma once

#include <cstdint>
#include <string>

#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

class SymbolFileFixture : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        savedRoot = g_rootDirectory;
        savedCurrent = g_currentDirectory;
        g_rootDirectory = box.Root();
        g_currentDirectory = "\\";
    }
    void TearDown() override
    {
        g_rootDirectory = savedRoot;
        g_currentDirectory = savedCurrent;
        ReporterCapture::TearDown();
    }

    static std::string Int(std::int32_t value)
    {
        const auto word = static_cast<std::uint32_t>(value);
        return {static_cast<char>(word & 0xFF), static_cast<char>((word >> 8) & 0xFF),
                static_cast<char>((word >> 16) & 0xFF), static_cast<char>((word >> 24) & 0xFF)};
    }

    FileSandbox box;

private:
    zSTRING savedRoot;
    zSTRING savedCurrent;
};
