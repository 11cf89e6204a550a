// Fuzz target of the engine archives: the input is an archive's body behind the
// header of one mode (BINARY, ASCII or BIN_SAFE, chosen when the target is built),
// read through the factory as any caller reads an archive.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSession.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCClassDef.h"
#include "zCObject.h"
#include "zFILE_VDFS.h"

#ifndef FUZZ_ARCHIVE_MODE
#error "FUZZ_ARCHIVE_MODE names the archive mode (0 BINARY, 1 ASCII, 3 BIN_SAFE)"
#endif

namespace {

// Reads a value of every kind, two child objects, and the values again under other
// names. It keeps no child, so a damaged archive cannot tie objects into a cycle here.
class zCFuzzArcItem : public zCObject {
    zCLASS_DECLARATION(zCFuzzArcItem)

public:
    void Unarchive(zCArchiver& arc) override
    {
        arc.ReadByte("byte", byteValue);
        arc.ReadFloat("ratio", ratio);
        arc.ReadBool("flag", flag);
        arc.ReadString("text", text);
        arc.ReadColor("color", color);
        arc.ReadEnum("kind", kind);
        arc.ReadRawFloat("raw", raw, sizeof raw);
        if (FUZZ_ARCHIVE_MODE != zARC_MODE_BINARY)
            arc.ReadInt("number", number);  // BINARY archives hold no ints
        for (const char* name : {"child", "second"}) {
            if (zCObject* object = arc.ReadObject(name, nullptr))
                object->Release();
        }
    }

    std::uint8_t byteValue = 0;
    float ratio = 0.0f;
    int flag = 0;
    zSTRING text;
    zCOLOR color;
    int kind = 0;
    float raw[2] = {0.0f, 0.0f};
    int number = 0;
};

class zCFuzzArcLeaf : public zCObject {
    zCLASS_DECLARATION(zCFuzzArcLeaf)

public:
    void Unarchive(zCArchiver& arc) override { arc.ReadString("text", text); }

    zSTRING text;
};

zCLASS_DEFINITION(zCFuzzArcItem, zCObject, 0, 2);
zCLASS_DEFINITION(zCFuzzArcLeaf, zCObject, 0, 1);

std::string Header()
{
    const char* const names[] = {"zCArchiverGeneric\nBINARY", "zCArchiverGeneric\nASCII", "",
                                 "zCArchiverBinSafe\nBIN_SAFE"};
    return std::string("Tolvan Archive\nver 1\n") + names[FUZZ_ARCHIVE_MODE] + "\nsaveGame 0\nEND\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();

    session.Run([&] {
        session.Write("in.arc", Header() + std::string(reinterpret_cast<const char*>(data), size));
        zFILE_VDFS file("\\in.arc");
        if (file.Open(false) != 0)
            return;
        zCArchiver* arc = g_archiverFactory.CreateArchiverRead(&file, 0);
        if (!arc)
            return;
        // Closed and released however the reading ends.
        std::unique_ptr<zCArchiver, void (*)(zCArchiver*)> hold(arc, [](zCArchiver* held) {
            held->Close();
            held->Release();
        });
        for (int i = 0; i < 8; ++i) {
            zCObject* object = arc->ReadObject(nullptr);
            if (!object && arc->EndOfArchive())
                break;
            if (object)
                object->Release();
        }
    });
    return 0;
}
