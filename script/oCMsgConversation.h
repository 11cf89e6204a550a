// One step of a conversation; for the output-unit library a spoken line: the
// sound file name and the text.
#pragma once

#include <cstdint>

#include "oCNpcMessage.h"

class oCMsgConversation : public oCNpcMessage {
    zCLASS_DECLARATION(oCMsgConversation)

public:
    // The sub type of a dialogue line of the output-unit library.
    static constexpr std::uint16_t zSUBTYPE_OUTPUT_UNIT = 0;

    oCMsgConversation() = default;
    explicit oCMsgConversation(std::uint16_t subType);
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~oCMsgConversation() override;

    zSTRING GetInfoText() override;
    // Sub type 0: "name#text" gives the sound file name + ".WAV" and the text
    // (a text holding "#" keeps its part before it).
    void SetByScriptLine(const zSTRING& line) override;

    const zSTRING& GetText() const { return text; }
    const zSTRING& GetName() const { return name; }
    const zSTRING& GetTargetVobName() const { return targetVobName; }
    int GetNumber() const { return number; }
    void SetText(const zSTRING& value) { text = value; }
    void SetName(const zSTRING& value) { name = value; }
    void SetTargetVobName(const zSTRING& value) { targetVobName = targetVobNameCopy = value; }
    void SetNumber(int value) { number = value; }

private:
    zSTRING text;
    zSTRING name;
    zSTRING targetVobName;
    zSTRING targetVobNameCopy;
    std::int32_t number = 0;
};
