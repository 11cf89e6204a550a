// A character's event message: the event message with three state flags.
#pragma once

#include <cstdint>

#include "zCEventMessage.h"

class oCNpcMessage : public zCEventMessage {
    zCLASS_DECLARATION(oCNpcMessage)

public:
    enum : std::uint32_t {
        zFLAG_HIGH_PRIORITY = 1u << 0,
        zFLAG_DELETED = 1u << 1,
        zFLAG_IN_USE = 1u << 2,
    };

    oCNpcMessage() = default;
    explicit oCNpcMessage(std::uint16_t subType);
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~oCNpcMessage() override;

    std::uint32_t GetFlags() const { return flags; }
    void SetFlags(std::uint32_t value) { flags = value; }

protected:
    std::uint32_t flags = 0;
};
