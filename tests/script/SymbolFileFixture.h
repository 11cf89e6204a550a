// Captured reporter lines plus a sandbox as the file layer's root, for tests that write
// and read symbol records.
#pragma once

#include <cstdint>
#include <string>

#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

template <class Host>
class SymbolFileFixtureOn : public ReporterCaptureOn<Host> {
protected:
    static std::string Int(std::int32_t value)
    {
        const auto word = static_cast<std::uint32_t>(value);
        return {static_cast<char>(word & 0xFF), static_cast<char>((word >> 8) & 0xFF),
                static_cast<char>((word >> 16) & 0xFF), static_cast<char>((word >> 24) & 0xFF)};
    }

    FileSandbox box;
    FileLayerRoot layerRoot{box.Root()};
};

using SymbolFileFixture = SymbolFileFixtureOn<zCHeadlessIde>;
