// Base fixture of the archiver tests: a sandbox as the file layer's root, a fixed
// clock and user for the header, a sorted class registry and an object factory.
#pragma once

#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCClassDef.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

// Golden bytes: little-endian fields.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

inline std::string U16(std::uint32_t value)
{
    return Bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF)});
}

inline std::string U32(std::uint32_t value)
{
    return U16(value & 0xFFFF) + U16(value >> 16);
}

inline std::string F32(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return U32(bits);
}

// 3 February 2006, 09:07:05, user "tester".
class FixedStamp : public zCArchiveStampSource {
public:
    std::tm LocalTime() const override
    {
        std::tm time{};
        time.tm_mday = 3;
        time.tm_mon = 1;
        time.tm_year = 106;
        time.tm_hour = 9;
        time.tm_min = 7;
        time.tm_sec = 5;
        return time;
    }
    bool UserName(zSTRING& name) const override
    {
        if (!hasUser)
            return false;
        name = user;
        return true;
    }

    std::string user = "tester";
    bool hasUser = true;
};

// Releases the archiver (which closes it) at the end of the scope.
class ArchiverHold {
public:
    explicit ArchiverHold(zCArchiver* held = nullptr) : archiver(held) {}
    ~ArchiverHold()
    {
        if (archiver)
            archiver->Release();
    }
    ArchiverHold(const ArchiverHold&) = delete;
    ArchiverHold& operator=(const ArchiverHold&) = delete;
    zCArchiver* operator->() const { return archiver; }
    zCArchiver* get() const { return archiver; }

private:
    zCArchiver* archiver;
};

class ArchiverFixture : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        zCClassDef::SortRegistry();
        previousStamp = zSetArchiveStampSource(&stamp);
        savedFactory = g_objectFactory;
        if (!g_objectFactory)
            g_objectFactory = &objectFactory;
    }
    void TearDown() override
    {
        g_objectFactory = savedFactory;
        zSetArchiveStampSource(previousStamp);
        g_errorReporter.SetFatalHandler(&zERROR::DefaultFatalHandler);
        ReporterCapture::TearDown();
    }

    // Runs the code as a build job does: a fatal message ends it. True when it ran to its end.
    static bool RunJob(const std::function<void()>& job)
    {
        return zRunJobGuarded([&job] {
                   job();
                   return 0;
               }) == 0;
    }

    // A file of the sandbox ("name" lies at "\name" for the engine), opened for reading.
    static std::unique_ptr<zFILE_VDFS> OpenForReading(const std::string& name)
    {
        auto file = std::make_unique<zFILE_VDFS>(zSTRING("\\" + name));
        if (file->Open(false) != 0)
            return nullptr;
        return file;
    }

    FileSandbox box;
    FileLayerRoot layerRoot{box.Root()};
    FixedStamp stamp;

private:
    zCArchiveStampSource* previousStamp = nullptr;
    zCObjectFactory* savedFactory = nullptr;
    zCObjectFactory objectFactory;
};
