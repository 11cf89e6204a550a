// Conversation messages: which entries each sub type archives, in which order, what
// reading restores, and the texts a message gives and takes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "oCMsgConversation.h"
#include "zCArchiver.h"

namespace {

using Strings = std::vector<std::string>;

// Records every named value written as "name:type=value" and serves reads from a
// table of value texts; objects, chunks and files are not needed for messages.
class RecordingArchiver : public zCArchiver {
public:
    using zCArchiver::ReadBool;
    using zCArchiver::ReadByte;
    using zCArchiver::ReadChunkStart;
    using zCArchiver::ReadColor;
    using zCArchiver::ReadEnum;
    using zCArchiver::ReadFloat;
    using zCArchiver::ReadInt;
    using zCArchiver::ReadObject;
    using zCArchiver::WriteObject;

    explicit RecordingArchiver(bool properties) { arcMode = properties ? zARC_MODE_ASCII_PROPS : zARC_MODE_BIN_SAFE; }

    Strings written;
    std::map<std::string, std::string> values;  // for reading, by name
    Strings asked;                              // names read, in order

    void WriteInt(const char* name, int value) override { Put(name, "int", std::to_string(value)); }
    void WriteByte(const char* name, std::uint8_t value) override { Put(name, "byte", std::to_string(value)); }
    void WriteFloat(const char* name, float value) override { Put(name, "float", std::to_string(value)); }
    void WriteBool(const char* name, int value) override { Put(name, "bool", std::to_string(value)); }
    void WriteString(const char* name, const zSTRING& value) override { Put(name, "string", value); }
    void WriteColor(const char* name, const zCOLOR&) override { Put(name, "color", ""); }
    void WriteRawFloat(const char* name, const float*, int) override { Put(name, "rawFloat", ""); }
    void WriteEnum(const char* name, const char* valueNames, int value) override
    {
        Put(name, std::string("enum") + valueNames, std::to_string(value));
    }
    void WriteObject(zCObject*) override { written.push_back("object"); }
    void WriteObject(const char*, zCObject*) override { written.push_back("object"); }
    void WriteObject(const char*, zCObject&) override { written.push_back("object"); }
    void WriteChunkStart(const char*, const char*, std::uint16_t, int) override {}
    void WriteChunkEnd() override {}
    void WriteGroupBegin(const char*) override {}
    void WriteGroupEnd(const char*) override {}

    void ReadInt(const char* name, int& value) override { Get(name, [&](const std::string& v) { value = std::stoi(v); }); }
    void ReadByte(const char* name, std::uint8_t& value) override
    {
        Get(name, [&](const std::string& v) { value = static_cast<std::uint8_t>(std::stoi(v)); });
    }
    void ReadFloat(const char* name, float& value) override { Get(name, [&](const std::string& v) { value = std::stof(v); }); }
    void ReadBool(const char* name, int& value) override { Get(name, [&](const std::string& v) { value = std::stoi(v); }); }
    void ReadString(const char* name, zSTRING& value) override { Get(name, [&](const std::string& v) { value = v; }); }
    zSTRING ReadString(const char* name) override
    {
        zSTRING value;
        ReadString(name, value);
        return value;
    }
    void ReadColor(const char*, zCOLOR&) override {}
    void ReadEnum(const char* name, int& value) override { Get(name, [&](const std::string& v) { value = std::stoi(v); }); }
    void ReadRawFloat(const char*, float*, int) override {}

    zCObject* ReadObject(const char*, zCObject* useThis) override { return useThis; }
    int ReadChunkStart(zSTRING&, std::uint16_t&) override { return 0; }
    int ReadChunkStart(const char*) override { return 0; }
    void Close() override {}
    int IsStringValid(const char*) override { return 1; }
    void OpenWrite(zFILE*, int, int, int, int) override {}
    void WriteHeader(int) override {}
    void PatchObjectCount() override {}
    void WriteASCIILine(const char*, const char*, const zSTRING&) override {}
    void WriteText(const zSTRING&) override {}
    void WriteLine(const zSTRING&) override {}
    void OpenRead(zFILE*, int, int, int, int) override {}
    zCClassDef* GetClassDefFromText(const zSTRING&) override { return nullptr; }
    void SkipChunk(int) override {}
    void PeekChunk(const char*, zSTRING& line) override { line = ""; }
    int FindEntry(const char*, zSTRING&) override { return 0; }
    void ReadHeader() override {}
    void ReadLine(zSTRING& line) override { line = ""; }

private:
    void Put(const char* name, const std::string& type, const std::string& value)
    {
        written.push_back(std::string(name) + ":" + type + "=" + value);
    }
    template <class Assign>
    void Get(const char* name, Assign assign)
    {
        asked.push_back(name);
        const auto it = values.find(name);
        if (it != values.end())
            assign(it->second);
    }
};

// A message with every field set, so that the entries show which ones a sub type carries.
oCMsgConversation* FilledMessage(std::uint16_t subType)
{
    auto* message = new oCMsgConversation(subType);
    message->SetText("Hello.");
    message->SetName("DIA_A.WAV");
    message->SetTargetVobName("PC_HERO");
    message->SetNumber(7);
    return message;
}

struct SubTypeCase {
    std::uint16_t subType;
    Strings entries;  // after "subType"
};

const SubTypeCase kSubTypeCases[] = {
    {0, {"text:string=Hello.", "name:string=DIA_A.WAV"}},
    {1, {"name:string=DIA_A.WAV"}},
    {2, {"text:string=Hello.", "name:string=DIA_A.WAV"}},
    {3, {"targetVobName:string=PC_HERO"}},
    {4, {"number:int=7"}},
    {5, {"name:string=DIA_A.WAV"}},
    {6, {"text:string=Hello.", "name:string=DIA_A.WAV"}},
    {7, {"targetVobName:string=PC_HERO"}},
    {8, {}},
    {11, {}},
    {12, {"targetVobName:string=PC_HERO"}},
    {13, {"targetVobName:string=PC_HERO"}},
    {14, {}},
    {15, {"name:string=DIA_A.WAV"}},
    {16, {}},
    {0xFFFF, {}},
};

TEST(ConversationMessageTest, ArchivesTheFieldsOfItsSubType)
{
    for (const SubTypeCase& c : kSubTypeCases) {
        oCMsgConversation* message = FilledMessage(c.subType);
        RecordingArchiver archiver(false);
        message->Archive(archiver);
        Strings expected = {"subType:enum=" + std::to_string(c.subType)};
        expected.insert(expected.end(), c.entries.begin(), c.entries.end());
        EXPECT_EQ(archiver.written, expected) << "sub type " << c.subType;
        EXPECT_EQ(message->Release(), 0);
    }
}

TEST(ConversationMessageTest, PropertiesArchivesAddTheFlagsAfterTheSubType)
{
    oCMsgConversation* message = FilledMessage(4);
    message->SetFlags(oCNpcMessage::zFLAG_HIGH_PRIORITY | oCNpcMessage::zFLAG_DELETED);
    RecordingArchiver archiver(true);
    message->Archive(archiver);
    // No class names its sub types: the enum's name list is empty.
    EXPECT_EQ(archiver.written, (Strings{"subType:enum=4", "highPriority:bool=1", "inUse:bool=0", "deleted:bool=1",
                                         "number:int=7"}));
    message->Release();
}

TEST(ConversationMessageTest, ReadingRestoresTheFieldsAndUpperCasesTheName)
{
    auto* message = new oCMsgConversation();
    RecordingArchiver archiver(false);
    archiver.values = {{"subType", "0"}, {"text", "Hello."}, {"name", "dia_a.wav"}, {"number", "9"}};
    message->Unarchive(archiver);
    EXPECT_EQ(archiver.asked, (Strings{"subType", "text", "name"}));
    EXPECT_EQ(message->GetSubType(), 0);
    EXPECT_EQ(message->GetText(), "Hello.");
    EXPECT_EQ(message->GetName(), "DIA_A.WAV");
    EXPECT_EQ(message->GetNumber(), 0);
    EXPECT_EQ(message->GetInfoText(), "Hello.");
    message->Release();
}

TEST(ConversationMessageTest, ReadingTakesTheSubTypeFirstAndTheFlagsOnlyFromProperties)
{
    struct Case {
        bool properties;
        Strings asked;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {false, {"subType", "targetVobName"}, 0},
        {true, {"subType", "highPriority", "inUse", "deleted", "targetVobName"},
         oCNpcMessage::zFLAG_IN_USE | oCNpcMessage::zFLAG_DELETED},
    };
    for (const Case& c : cases) {
        auto* message = new oCMsgConversation();
        RecordingArchiver archiver(c.properties);
        archiver.values = {{"subType", "3"}, {"highPriority", "0"}, {"inUse", "1"}, {"deleted", "1"},
                           {"targetVobName", "PC_Hero"}};
        message->Unarchive(archiver);
        EXPECT_EQ(archiver.asked, c.asked);
        EXPECT_EQ(message->GetFlags(), c.flags);
        EXPECT_EQ(message->GetTargetVobName(), "PC_Hero");  // not upper-cased
        EXPECT_EQ(message->GetInfoText(), "PC_Hero");
        message->Release();
    }
}

TEST(ConversationMessageTest, MissingEntriesKeepTheFields)
{
    oCMsgConversation* message = FilledMessage(0);
    RecordingArchiver archiver(false);
    message->Unarchive(archiver);
    EXPECT_EQ(message->GetSubType(), 0);
    EXPECT_EQ(message->GetText(), "Hello.");
    EXPECT_EQ(message->GetName(), "DIA_A.WAV");
    message->Release();
}

TEST(ConversationMessageTest, InfoTextDependsOnTheSubType)
{
    const struct {
        std::uint16_t subType;
        const char* info;
    } cases[] = {{0, "Hello."}, {1, "DIA_A.WAV"}, {2, "Hello."}, {3, "PC_HERO"}, {4, ""}, {6, ""}, {15, ""}};
    for (const auto& c : cases) {
        oCMsgConversation* message = FilledMessage(c.subType);
        EXPECT_EQ(message->GetInfoText(), c.info) << "sub type " << c.subType;
        message->Release();
    }
}

TEST(ConversationMessageTest, ScriptLineFillsTheFieldsOfTheSubType)
{
    struct Case {
        std::uint16_t subType;
        const char* line;
        const char* name;
        const char* text;
        const char* target;
    };
    const Case cases[] = {
        {0, "DIA_HELLO_01#Hello.", "DIA_HELLO_01.WAV", "Hello.", "old target"},
        {0, "DIA_X#Yes # no", "DIA_X.WAV", "Yes ", "old target"},  // a "#" in the text ends it
        {0, "DIA_X#", "DIA_X.WAV", "", "old target"},
        {0, "dia_x#Mixed Case", "dia_x.WAV", "Mixed Case", "old target"},
        {1, "A#B", "A#B", "old text", "old target"},
        {2, "A#B", "old name", "A#B", "old target"},
        {3, "A#B", "old name", "old text", "A#B"},
        {4, "A#B", "old name", "old text", "old target"},
    };
    for (const Case& c : cases) {
        oCMsgConversation message(c.subType);
        message.SetName("old name");
        message.SetText("old text");
        message.SetTargetVobName("old target");
        message.SetByScriptLine(c.line);
        EXPECT_EQ(message.GetName(), c.name) << c.subType << " " << c.line;
        EXPECT_EQ(message.GetText(), c.text) << c.subType << " " << c.line;
        EXPECT_EQ(message.GetTargetVobName(), c.target) << c.subType << " " << c.line;
    }
}

} // namespace
