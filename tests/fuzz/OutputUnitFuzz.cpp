// Fuzz target of the output-unit library: the input is "ou.bin" (BIN_SAFE) or
// "ou.csl" (ASCII), chosen when the target is built, loaded by the manager as a
// build loads it, then every unit's text looked up by name.
#include <cstddef>
#include <cstdint>

#include "FuzzSession.h"
#include "zCCSBlock.h"
#include "zCCSLib.h"
#include "zCCSManager.h"

#ifndef FUZZ_OU_BINARY
#error "FUZZ_OU_BINARY is 1 for ou.bin, 0 for ou.csl"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();

    zCCSManager* manager = static_cast<zCCSManager*>(zCCSManager::classDef.CreateNewInstance());
    session.Run([&] {
        session.Write(FUZZ_OU_BINARY ? "ou.bin" : "ou.csl", data, size);
        manager->LibLoad(FUZZ_OU_BINARY ? zCCSManager::zLIB_BINARY : zCCSManager::zLIB_ASCII);
        zCCSLib& library = *manager->GetLibrary();
        for (int i = 0; i < library.GetNum(); ++i) {
            if (zCCSBlock* unit = library.GetItem(i))
                manager->FindOutputUnit(unit->GetName());
        }
    });
    manager->Release();
    return 0;
}
