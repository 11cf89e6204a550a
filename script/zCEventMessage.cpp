// The engine's event message.
#include "zCEventMessage.h"

#include "zCArchiver.h"

zCLASS_DEFINITION(zCEventMessage, zCObject, 0, 1);

zCEventMessage::zCEventMessage(std::uint16_t subType) : subType(subType)
{
}

zCEventMessage::~zCEventMessage() = default;

void zCEventMessage::Archive(zCArchiver& archiver)
{
    // Only properties archives store the names beside the value.
    const zSTRING names = archiver.GetIsProperties() ? SubTypeNameList() : zSTRING();
    archiver.WriteEnum("subType", names.c_str(), subType);
}

void zCEventMessage::Unarchive(zCArchiver& archiver)
{
    int value = subType;
    archiver.ReadEnum("subType", value);
    subType = static_cast<std::uint16_t>(value);
}

int zCEventMessage::GetNumSubTypeNames()
{
    return 0;
}

zSTRING zCEventMessage::GetSubTypeName(int)
{
    return zSTRING();
}

zSTRING zCEventMessage::GetInfoText()
{
    return zSTRING();
}

void zCEventMessage::SetByScriptLine(const zSTRING&)
{
}

zSTRING zCEventMessage::SubTypeNameList()
{
    zSTRING names;
    const int count = GetNumSubTypeNames();
    for (int i = 0; i < count; ++i)
        names += ";" + GetSubTypeName(i);
    return names;
}
