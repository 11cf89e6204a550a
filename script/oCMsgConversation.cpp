// One step of a conversation.
#include "oCMsgConversation.h"

#include "zCArchiver.h"

zCLASS_DEFINITION(oCMsgConversation, oCNpcMessage, 0, 0);

namespace {

// Which sub types (0 to 15) carry a field: bit n for sub type n.
constexpr std::uint32_t Bits(std::initializer_list<int> subTypes)
{
    std::uint32_t bits = 0;
    for (int subType : subTypes)
        bits |= 1u << subType;
    return bits;
}
constexpr std::uint32_t kWithText = Bits({0, 2, 6});
constexpr std::uint32_t kWithName = Bits({0, 1, 2, 5, 6, 15});
constexpr std::uint32_t kWithTargetVobName = Bits({3, 7, 12, 13});
constexpr std::uint32_t kWithNumber = Bits({4});

bool Carries(std::uint32_t bits, std::uint16_t subType)
{
    return subType < 32 && (bits & (1u << subType)) != 0;
}

} // namespace

oCMsgConversation::oCMsgConversation(std::uint16_t subType) : oCNpcMessage(subType)
{
}

oCMsgConversation::~oCMsgConversation() = default;

void oCMsgConversation::Archive(zCArchiver& archiver)
{
    oCNpcMessage::Archive(archiver);
    if (Carries(kWithText, subType))
        archiver.WriteString("text", text);
    if (Carries(kWithName, subType))
        archiver.WriteString("name", name);
    if (Carries(kWithTargetVobName, subType))
        archiver.WriteString("targetVobName", targetVobName);
    if (Carries(kWithNumber, subType))
        archiver.WriteInt("number", number);
}

void oCMsgConversation::Unarchive(zCArchiver& archiver)
{
    oCNpcMessage::Unarchive(archiver);
    if (Carries(kWithText, subType))
        archiver.ReadString("text", text);
    if (Carries(kWithName, subType)) {
        archiver.ReadString("name", name);
        name.Upper();
    }
    if (Carries(kWithTargetVobName, subType)) {
        archiver.ReadString("targetVobName", targetVobName);
        targetVobNameCopy = targetVobName;
    }
    if (Carries(kWithNumber, subType)) {
        int value = number;
        archiver.ReadInt("number", value);
        number = value;
    }
}

zSTRING oCMsgConversation::GetInfoText()
{
    switch (subType) {
    case 0:
    case 2: return text;
    case 1: return name;
    case 3: return targetVobName;
    default: return GetSubTypeName(0);
    }
}

void oCMsgConversation::SetByScriptLine(const zSTRING& line)
{
    switch (subType) {
    case zSUBTYPE_OUTPUT_UNIT:
        name = line.PickWord(1, "#", "#") + ".WAV";
        text = line.PickWord(2, "#", "#");
        break;
    case 1: name = line; break;
    case 2: text = line; break;
    case 3: targetVobName = line; break;
    default: break;
    }
}
