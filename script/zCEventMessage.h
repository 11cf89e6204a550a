// The engine's event message: a registered object with a 16-bit sub type.
#pragma once

#include <cstdint>

#include "zCObject.h"

class zCEventMessage : public zCObject {
    zCLASS_DECLARATION(zCEventMessage)

public:
    zCEventMessage() = default;
    explicit zCEventMessage(std::uint16_t subType);
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCEventMessage() override;

    // The names of the sub types, for the enum entry of properties archives.
    virtual int GetNumSubTypeNames();
    virtual zSTRING GetSubTypeName(int subType);
    // What the message says, as a text; empty here.
    virtual zSTRING GetInfoText();
    // Fills the message from a text; nothing here.
    virtual void SetByScriptLine(const zSTRING& line);

    std::uint16_t GetSubType() const { return subType; }
    void SetSubType(std::uint16_t value) { subType = value; }

protected:
    // ";" followed by each sub type's name.
    zSTRING SubTypeNameList();

    std::uint16_t subType = 0;
};
