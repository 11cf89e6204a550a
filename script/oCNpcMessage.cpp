// A character's event message.
#include "oCNpcMessage.h"

#include "zCArchiver.h"

zCLASS_DEFINITION(oCNpcMessage, zCEventMessage, 0, 0);

namespace {

// The flag entries in their archived order.
struct FlagEntry {
    const char* name;
    std::uint32_t bit;
};
const FlagEntry kFlagEntries[] = {
    {"highPriority", oCNpcMessage::zFLAG_HIGH_PRIORITY},
    {"inUse", oCNpcMessage::zFLAG_IN_USE},
    {"deleted", oCNpcMessage::zFLAG_DELETED},
};

} // namespace

oCNpcMessage::oCNpcMessage(std::uint16_t subType) : zCEventMessage(subType)
{
}

oCNpcMessage::~oCNpcMessage() = default;

void oCNpcMessage::Archive(zCArchiver& archiver)
{
    zCEventMessage::Archive(archiver);
    if (!archiver.GetIsProperties())
        return;
    for (const FlagEntry& entry : kFlagEntries)
        archiver.WriteBool(entry.name, (flags & entry.bit) ? 1 : 0);
}

void oCNpcMessage::Unarchive(zCArchiver& archiver)
{
    zCEventMessage::Unarchive(archiver);
    if (!archiver.GetIsProperties())
        return;
    for (const FlagEntry& entry : kFlagEntries) {
        int value = (flags & entry.bit) ? 1 : 0;
        archiver.ReadBool(entry.name, value);
        flags = value ? (flags | entry.bit) : (flags & ~entry.bit);
    }
}
