// The output-unit library: units in name order, found by name, created or updated by
// name, and loaded from and stored to "ou.bin" / "ou.csl" in the current folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "ArchiverFixture.h"
#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "oCMsgConversation.h"
#include "zCArchiverFactory.h"
#include "zCCSBlock.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

using Strings = std::vector<std::string>;

// The header's date and user, fixed.

// BIN_SAFE entries written out by hand from the stored format.
std::string U16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}
std::string U32(std::uint32_t value)
{
    return U16(value & 0xFFFF) + U16(value >> 16);
}
std::string Str(const std::string& text)
{
    return "\x01" + U16(static_cast<unsigned>(text.size())) + text;
}
std::string Key(int index)
{
    return "\x12" + U32(index);
}
std::string Int(int value)
{
    return "\x02" + U32(static_cast<std::uint32_t>(value));
}
std::string Enum(int value)
{
    return "\x11" + U32(static_cast<std::uint32_t>(value));
}
std::string FloatZero()
{
    return "\x03" + U32(0);
}
std::string TableName(const std::string& name, int index, int bucket)
{
    return U16(static_cast<unsigned>(name.size())) + U16(index) + U32(bucket) + name;
}

// One unit as the library writes it; its three objects get the indexes first, first+1, first+2.
// Key indexes: 1 blockName, 2 numOfBlocks, 3 subBlock0, 4 subType, 5 text, 6 name.
std::string UnitEntries(const std::string& name, const std::string& text, int first)
{
    return Str("[% zCCSBlock 0 " + std::to_string(first) + "]") + Key(1) + Str(name) + Key(2) + Int(1) + Key(3) +
           FloatZero() + Str("[% zCCSAtomicBlock 0 " + std::to_string(first + 1) + "]") +
           Str("[% oCMsgConversation:oCNpcMessage:zCEventMessage 0 " + std::to_string(first + 2) + "]") + Key(4) +
           Enum(0) + Key(5) + Str(text) + Key(6) + Str(name + ".WAV") + Str("[]") + Str("[]") + Str("[]");
}

// "ou.bin" of the units DIA_A, DIA_AB and DIA_B as the library stores it.
std::string GoldenLibrary()
{
    const std::string header =
        "Tolvan Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 0\ndate 3.2.2006 9:7:5\nuser tester\nEND\n";
    const std::string entries = Str("[% zCCSLib 0 0]") + Key(0) + Int(3) + UnitEntries("DIA_A", "Hello.", 1) +
                                UnitEntries("DIA_AB", "Who are you?", 4) + UnitEntries("DIA_B", "Bye.", 7) +
                                Str("[]");
    // Names by bucket (h * 33 + c over the characters, modulo 97), indexes in order of first use.
    const std::string table = U32(7) + TableName("text", 5, 13) + TableName("numOfBlocks", 2, 39) +
                              TableName("name", 6, 41) + TableName("subBlock0", 3, 50) +
                              TableName("blockName", 1, 68) + TableName("subType", 4, 74) +
                              TableName("NumOfItems", 0, 93);
    const std::uint32_t tablePos = static_cast<std::uint32_t>(header.size() + 12 + entries.size());
    return header + U32(2) + U32(10) + U32(tablePos) + entries + table;
}

// "ou.csl" with one unit, as an older tool wrote it.
const char kAsciiLibrary[] =
    "Tolvan Archive\nver 1\nzCArchiverGeneric\nASCII\nsaveGame 0\nEND\nobjects 4        \nEND\n\n"
    "[% zCCSLib 0 0]\n"
    "\tNumOfItems=int:1\n"
    "\t[% zCCSBlock 0 1]\n"
    "\t\tblockName=string:DIA_CSL\n"
    "\t\tnumOfBlocks=int:1\n"
    "\t\tsubBlock0=float:0\n"
    "\t\t[% zCCSAtomicBlock 0 2]\n"
    "\t\t\t[% oCMsgConversation:oCNpcMessage:zCEventMessage 0 3]\n"
    "\t\t\t\tsubType=enum:0\n"
    "\t\t\t\ttext=string:From the text library.\n"
    "\t\t\t\tname=string:dia_csl.wav\n"
    "\t\t\t[]\n"
    "\t\t[]\n"
    "\t[]\n"
    "[]\n";

template <class T>
T* New()
{
    return static_cast<T*>(T::CreateClassInstance());
}

class OutputUnitLibraryTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        zCClassDef::SortRegistry();
        savedFactory = g_objectFactory;
        factory = New<zCObjectFactory>();
        g_objectFactory = factory;
        savedStamp = zSetArchiveStampSource(&stamp);
        for (zCClassDef* def : Counted())
            livingBefore.push_back(def->GetNumLivingObjects());
        manager = New<zCCSManager>();
    }
    void TearDown() override
    {
        if (manager)
            manager->Release();
        // Every object made for the library has gone with it.
        for (std::size_t i = 0; i < Counted().size(); ++i)
            EXPECT_EQ(Counted()[i]->GetNumLivingObjects(), livingBefore[i]) << Counted()[i]->GetClassName();
        zSetArchiveStampSource(savedStamp);
        g_objectFactory = savedFactory;
        factory->Release();
        ReporterCapture::TearDown();
    }

    static std::vector<zCClassDef*> Counted()
    {
        return {&zCCSManager::classDef, &zCCSLib::classDef, &zCCSBlock::classDef, &zCCSAtomicBlock::classDef,
                &oCMsgConversation::classDef};
    }

    zCCSLib& Lib() { return *manager->GetLibrary(); }

    Strings Names()
    {
        Strings names;
        for (int i = 0; i < Lib().GetNum(); ++i)
            names.push_back(Lib().GetItem(i)->GetName());
        return names;
    }

    // The three units of the golden library, added out of order.
    void AddGoldenUnits(zCCSManager& target)
    {
        target.AddOutputUnit("DIA_B", "Bye.");
        target.AddOutputUnit("DIA_A", "Hello.");
        target.AddOutputUnit("DIA_AB", "Who are you?");
    }

    // A fresh manager, as a later build has it.
    void Renew()
    {
        manager->Release();
        manager = New<zCCSManager>();
    }

    // Runs the load as a job: a fatal report ends it with -1.
    int GuardedLoad(int flags)
    {
        return zRunJobGuarded([&] {
            manager->LibLoad(flags);
            return 0;
        });
    }

    FileSandbox box;
    FileLayerRoot layerRoot{box.Root()};
    FixedStamp stamp;
    zCCSManager* manager = nullptr;

private:
    zCObjectFactory* savedFactory = nullptr;
    zCObjectFactory* factory = nullptr;
    zCArchiveStampSource* savedStamp = nullptr;
    std::vector<int> livingBefore;
};

TEST_F(OutputUnitLibraryTest, ClassesAreRegisteredWithTheirBasesAndVersions)
{
    const struct {
        const char* name;
        const char* base;
        int version;
        bool abstract;
    } cases[] = {
        {"zCEventMessage", "zCObject", 1, false},    {"oCNpcMessage", "zCEventMessage", 0, false},
        {"oCMsgConversation", "oCNpcMessage", 0, false}, {"zCCSBlockBase", "zCObject", 0, true},
        {"zCCSAtomicBlock", "zCCSBlockBase", 0, false}, {"zCCSBlock", "zCCSBlockBase", 0, false},
        {"zCCSLib", "zCObject", 0, false},           {"zCCSManager", "zCObject", 0, false},
    };
    for (const auto& c : cases) {
        const zCClassDef* def = zCClassDef::GetClassDef(c.name);
        ASSERT_NE(def, nullptr) << c.name;
        EXPECT_EQ(def->GetBaseClassName(), c.base) << c.name;
        EXPECT_EQ(def->GetArchiveVersion(), c.version) << c.name;
        EXPECT_EQ(def->GetClassFlags(), 0u) << c.name;
        EXPECT_EQ(def->IsAbstractClass(), c.abstract) << c.name;
    }
}

TEST_F(OutputUnitLibraryTest, UnitsCompareByteWiseWithNullLast)
{
    zCCSBlock* a = New<zCCSBlock>();
    zCCSBlock* ab = New<zCCSBlock>();
    zCCSBlock* b = New<zCCSBlock>();
    zCCSBlock* lower = New<zCCSBlock>();
    a->SetName("DIA_A");
    ab->SetName("DIA_AB");
    b->SetName("DIA_B");
    lower->SetName("dia_a");
    zCCSBlock* none = nullptr;
    const struct {
        zCCSBlock* left;
        zCCSBlock* right;
        int order;
    } cases[] = {{a, ab, -1}, {ab, b, -1}, {b, a, 1},     {a, a, 0},        {a, lower, -1},
                 {none, a, 1}, {a, none, -1}, {none, none, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CompareOutputUnits(&c.left, &c.right), c.order)
            << (c.left ? c.left->GetName() : "null") << " " << (c.right ? c.right->GetName() : "null");
    for (zCCSBlock* unit : {a, ab, b, lower})
        unit->Release();
}

TEST_F(OutputUnitLibraryTest, OnlyTypeEightCreatesAMessage)
{
    for (int type : {0, 7, 9, -1})
        EXPECT_EQ(manager->CreateMessage(type), nullptr) << type;
    for (zCEventMessage* message : {manager->CreateMessage(8), manager->CreateOuMessage()}) {
        auto* conversation = dynamic_cast<oCMsgConversation*>(message);
        ASSERT_NE(conversation, nullptr);
        EXPECT_EQ(conversation->GetSubType(), 0);
        EXPECT_EQ(conversation->GetRefCtr(), 1);
        message->Release();
    }
}

TEST_F(OutputUnitLibraryTest, AddedUnitHoldsOneLineAtPositionZero)
{
    manager->AddOutputUnit("DIA_HELLO_01", "Hello.");
    ASSERT_EQ(Lib().GetNum(), 1);
    zCCSBlock* unit = Lib().GetItem(0);
    EXPECT_EQ(unit->GetName(), "DIA_HELLO_01");
    ASSERT_EQ(unit->GetNumChildren(), 1);
    EXPECT_EQ(unit->GetChildPosition(0), 0.0f);
    EXPECT_EQ(unit->GetChild(1), nullptr);
    auto* atomic = dynamic_cast<zCCSAtomicBlock*>(unit->GetChild(0));
    ASSERT_NE(atomic, nullptr);
    EXPECT_EQ(atomic->GetChild(5), atomic);
    EXPECT_EQ(atomic->GetName(), "");
    auto* message = dynamic_cast<oCMsgConversation*>(atomic->GetMessage());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->GetName(), "DIA_HELLO_01.WAV");
    EXPECT_EQ(message->GetText(), "Hello.");
    EXPECT_TRUE(Lib().NeedsStore());
}

TEST_F(OutputUnitLibraryTest, UnitsAreKeptInNameOrderAndFoundByName)
{
    AddGoldenUnits(*manager);
    EXPECT_EQ(Names(), (Strings{"DIA_A", "DIA_AB", "DIA_B"}));
    const struct {
        const char* name;
        int index;
    } cases[] = {{"DIA_A", 0}, {"DIA_AB", 1}, {"DIA_B", 2}, {"DIA_C", -1}, {"dia_a", -1}, {"", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(Lib().Find(c.name), c.index) << c.name;
    EXPECT_EQ(manager->FindOutputUnit("DIA_AB"), "Who are you?");
    EXPECT_TRUE(Texts().empty());
}

TEST_F(OutputUnitLibraryTest, AbsentUnitGivesAnEmptyTextAndAWarning)
{
    AddGoldenUnits(*manager);
    EXPECT_EQ(manager->FindOutputUnit("DIA_C"), "");
    EXPECT_EQ(Texts(), (Strings{"Warning: In Cutscene-Library (OutputUnits) not found module - DIA_C"}));
}

TEST_F(OutputUnitLibraryTest, UnitWithoutALineGivesAnEmptyText)
{
    zCCSBlock* empty = New<zCCSBlock>();
    empty->SetName("DIA_EMPTY");
    zCCSBlock* nested = New<zCCSBlock>();
    nested->SetName("DIA_NESTED");
    zCCSBlock* inner = New<zCCSBlock>();
    nested->InsertBlock(inner, 0.0f);
    for (zCCSBlock* unit : {empty, nested, inner}) {
        if (unit != inner)
            Lib().Insert(unit);
        unit->Release();
    }
    EXPECT_EQ(manager->FindOutputUnit("DIA_EMPTY"), "");
    EXPECT_EQ(manager->FindOutputUnit("DIA_NESTED"), "");
    EXPECT_TRUE(Texts().empty());
}

TEST_F(OutputUnitLibraryTest, AddingANameAgainUpdatesItsUnit)
{
    AddGoldenUnits(*manager);
    manager->AddOutputUnit("DIA_AB", "Who are you, stranger?");
    manager->AddOutputUnit("DIA_A", "Hello.");
    EXPECT_EQ(Names(), (Strings{"DIA_A", "DIA_AB", "DIA_B"}));
    EXPECT_EQ(manager->FindOutputUnit("DIA_AB"), "Who are you, stranger?");
}

TEST_F(OutputUnitLibraryTest, AddToLibAppendsAndCounts)
{
    zCCSBlock* unit = New<zCCSBlock>();
    unit->SetName("DIA_Z");
    manager->AddOutputUnit("DIA_Y", "Last.");
    EXPECT_EQ(manager->AddToLib(unit), 2);
    EXPECT_EQ(manager->AddToLib(nullptr), 2);
    EXPECT_EQ(Lib().GetItem(1), unit);
    EXPECT_EQ(Lib().GetItem(2), nullptr);
    EXPECT_EQ(unit->GetRefCtr(), 2);
    unit->Release();
}

TEST_F(OutputUnitLibraryTest, DeleteAllEmptiesAndClearsTheChange)
{
    AddGoldenUnits(*manager);
    Lib().DeleteAll();
    EXPECT_EQ(Lib().GetNum(), 0);
    EXPECT_FALSE(Lib().NeedsStore());
    manager->LibStore(zCCSManager::zLIB_BINARY);
    EXPECT_FALSE(box.Exists("ou.bin"));
}

TEST_F(OutputUnitLibraryTest, StoreWritesTheGoldenLibrary)
{
    AddGoldenUnits(*manager);
    manager->LibStore(zCCSManager::zLIB_BINARY);
    EXPECT_EQ(box.Read("ou.bin"), GoldenLibrary());
    EXPECT_EQ(Texts(), (Strings{"Creating binary version of Cutscene-Library (OutputUnits)...", "ou.bin"}));
    EXPECT_EQ(Lib().GetRefCtr(), 1);
}

TEST_F(OutputUnitLibraryTest, GoldenLibraryLoadsInAFreshManager)
{
    box.Write("ou.bin", GoldenLibrary());
    manager->LibLoad(3);
    EXPECT_EQ(Names(), (Strings{"DIA_A", "DIA_AB", "DIA_B"}));
    EXPECT_EQ(manager->FindOutputUnit("DIA_A"), "Hello.");
    EXPECT_EQ(manager->FindOutputUnit("DIA_AB"), "Who are you?");
    EXPECT_EQ(manager->FindOutputUnit("DIA_B"), "Bye.");
    EXPECT_EQ(Lib().GetRefCtr(), 1);
    EXPECT_FALSE(Lib().NeedsStore());
    const Strings texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("Loading binary output-library '", 0), 0u) << texts[0];
    EXPECT_NE(texts[0].find("ou.bin' ..."), std::string::npos) << texts[0];
    EXPECT_EQ(texts[1], "zCSLIB: Number of items: 3");
}

TEST_F(OutputUnitLibraryTest, LoadedUnitsAreSortedByName)
{
    // Units stored out of name order, as an older library may hold them.
    std::string unsorted = GoldenLibrary();
    const std::string firstName = Str("DIA_A") + Key(2);
    unsorted.replace(unsorted.find(firstName), firstName.size(), Str("DIA_Q") + Key(2));
    box.Write("ou.bin", unsorted);
    manager->LibLoad(zCCSManager::zLIB_BINARY);
    EXPECT_EQ(Names(), (Strings{"DIA_AB", "DIA_B", "DIA_Q"}));
    EXPECT_EQ(manager->FindOutputUnit("DIA_Q"), "Hello.");
}

TEST_F(OutputUnitLibraryTest, LoadPrefersTheBinaryLibrary)
{
    const struct {
        int flags;
        bool withBinary;
        Strings names;
    } cases[] = {
        {3, true, {"DIA_A", "DIA_AB", "DIA_B"}},
        {2, true, {"DIA_A", "DIA_AB", "DIA_B"}},
        {1, true, {"DIA_CSL"}},
        {3, false, {"DIA_CSL"}},
    };
    for (const auto& c : cases) {
        FileSandbox folder;
        g_rootDirectory = folder.Root();
        if (c.withBinary)
            folder.Write("ou.bin", GoldenLibrary());
        folder.Write("ou.csl", kAsciiLibrary);
        manager->AddOutputUnit("DIA_OLD", "Gone after loading.");
        manager->LibLoad(c.flags);
        EXPECT_EQ(Names(), c.names) << c.flags << " " << c.withBinary;
    }
    EXPECT_EQ(manager->FindOutputUnit("DIA_CSL"), "From the text library.");
    auto* atomic = dynamic_cast<zCCSAtomicBlock*>(Lib().GetItem(0)->GetChild(0));
    ASSERT_NE(atomic, nullptr);
    EXPECT_EQ(static_cast<oCMsgConversation*>(atomic->GetMessage())->GetName(), "DIA_CSL.WAV");
    EXPECT_EQ(host.GetWarningCount() + host.GetErrorCount(), 0);
}

TEST_F(OutputUnitLibraryTest, MissingFilesLeaveTheLibraryEmpty)
{
    box.Write("ou.csl", kAsciiLibrary);
    manager->AddOutputUnit("DIA_OLD", "Gone after loading.");
    manager->LibLoad(zCCSManager::zLIB_BINARY);
    EXPECT_EQ(Lib().GetNum(), 0);
    EXPECT_EQ(Texts(), (Strings{"Error: File for output-units not found: 'ou.bin' or 'ou.csl'"}));

    // A compile that is to make the library finds none without a fault.
    host.Clear();
    manager->AddOutputUnit("DIA_OLD", "Gone after loading.");
    manager->LibLoad(zCCSManager::zLIB_BINARY | zCCSManager::zLIB_NEW);
    EXPECT_EQ(Lib().GetNum(), 0);
    EXPECT_TRUE(Texts().empty());
    // ... and stores it, though empty, so that the next load finds one.
    manager->LibStore(zCCSManager::zLIB_BINARY);
    EXPECT_TRUE(box.Exists("ou.bin"));
}

TEST_F(OutputUnitLibraryTest, StoreAfterAnUnchangedBuildWritesNothing)
{
    // Reading upper-cases the sound file name: a mixed-case unit name must still count as unchanged.
    for (int build = 0; build < 2; ++build) {
        Renew();
        manager->LibLoad(3);
        AddGoldenUnits(*manager);
        manager->AddOutputUnit("DIA_Mixed_01", "Case kept.");
        if (build == 1)
            box.Write("ou.bin", "placeholder");
        manager->LibStore(zCCSManager::zLIB_BINARY);
    }
    EXPECT_EQ(box.Read("ou.bin"), "placeholder");
}

TEST_F(OutputUnitLibraryTest, RebuildingUpdatesUnitsInsteadOfAppending)
{
    box.Write("ou.bin", GoldenLibrary());
    for (int build = 0; build < 2; ++build) {
        Renew();
        manager->LibLoad(3);
        AddGoldenUnits(*manager);
        manager->AddOutputUnit("DIA_AB", "Who are you, stranger?");
        manager->AddOutputUnit("DIA_C", "New.");
        manager->LibStore(zCCSManager::zLIB_BINARY);
    }
    Renew();
    manager->LibLoad(3);
    EXPECT_EQ(Names(), (Strings{"DIA_A", "DIA_AB", "DIA_B", "DIA_C"}));
    EXPECT_EQ(manager->FindOutputUnit("DIA_AB"), "Who are you, stranger?");
    EXPECT_EQ(manager->FindOutputUnit("DIA_C"), "New.");
}

TEST_F(OutputUnitLibraryTest, TextLibraryIsNeverWritten)
{
    box.Write("ou.csl", kAsciiLibrary);
    AddGoldenUnits(*manager);
    manager->LibStore(zCCSManager::zLIB_ASCII);
    EXPECT_EQ(box.Read("ou.csl"), kAsciiLibrary);
    EXPECT_FALSE(box.Exists("ou.bin"));
    EXPECT_EQ(host.GetWarningCount() + host.GetErrorCount(), 0);
}

TEST_F(OutputUnitLibraryTest, BlocksKeepTheirSubBlocksInOrder)
{
    zCCSBlock* unit = New<zCCSBlock>();
    unit->SetName("DIA_TWO");
    zCCSAtomicBlock* first = New<zCCSAtomicBlock>();
    zCCSBlock* second = New<zCCSBlock>();
    second->SetName("INNER");
    unit->InsertBlock(first, 0.0f);
    unit->InsertBlock(second, 2.5f);
    unit->InsertBlock(nullptr, 3.0f);
    Lib().Insert(unit);
    for (zCObject* object : {static_cast<zCObject*>(unit), static_cast<zCObject*>(first), static_cast<zCObject*>(second)})
        object->Release();
    manager->LibStore(zCCSManager::zLIB_BINARY);

    Renew();
    manager->LibLoad(zCCSManager::zLIB_BINARY);
    ASSERT_EQ(Lib().GetNum(), 1);
    zCCSBlock* read = Lib().GetItem(0);
    ASSERT_EQ(read->GetNumChildren(), 2);
    EXPECT_NE(dynamic_cast<zCCSAtomicBlock*>(read->GetChild(0)), nullptr);
    EXPECT_EQ(read->GetChild(1)->GetName(), "INNER");
    EXPECT_EQ(read->GetChildPosition(1), 2.5f);
    EXPECT_EQ(manager->FindOutputUnit("DIA_TWO"), "");
}

TEST_F(OutputUnitLibraryTest, CountThatDisagreesWithTheUnitsIsReported)
{
    const struct {
        std::string count;  // the "NumOfItems" entry
        int units;
    } cases[] = {{Int(5), 3}, {Int(-1), 0}, {Int(0x7FFFFFFF), 3}, {Enum(3), 0}};
    for (const auto& c : cases) {
        std::string damaged = GoldenLibrary();
        damaged.replace(damaged.find(Key(0) + Int(3)) + Key(0).size(), Int(3).size(), c.count);
        box.Write("ou.bin", damaged);
        host.Clear();
        manager->LibLoad(zCCSManager::zLIB_BINARY);
        EXPECT_EQ(Lib().GetNum(), c.units);
        const Strings texts = Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back().rfind("Error: File '", 0), 0u) << texts.back();
        EXPECT_NE(texts.back().find("ou.bin' not found or corrupted"), std::string::npos) << texts.back();
    }
}

// Storing after a damaged load would replace the file by the units that could be read.
TEST_F(OutputUnitLibraryTest, DamagedLibraryIsNeverOverwritten)
{
    std::string damaged = GoldenLibrary();
    damaged.replace(damaged.find(Key(0) + Int(3)) + Key(0).size(), Int(3).size(), Int(5));
    box.Write("ou.bin", damaged);
    manager->LibLoad(zCCSManager::zLIB_BINARY);
    manager->AddOutputUnit("DIA_NEW", "NEW.WAV#New line.");
    host.Clear();
    manager->LibStore(zCCSManager::zLIB_BINARY);
    EXPECT_EQ(box.Read("ou.bin"), damaged);
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts().back().rfind("Error: The damaged output-unit library '", 0), 0u) << Texts().back();
}

TEST_F(OutputUnitLibraryTest, EveryTruncationIsReported)
{
    const std::string golden = GoldenLibrary();
    for (std::size_t size = 0; size < golden.size(); ++size) {
        host.Clear();
        box.Write("ou.bin", golden.substr(0, size));
        const int result = GuardedLoad(zCCSManager::zLIB_BINARY);
        EXPECT_TRUE(result == -1 || host.GetErrorCount() > 0) << "size " << size;
    }
}

TEST_F(OutputUnitLibraryTest, BitFlipsAreReportedOrHarmless)
{
    const std::string golden = GoldenLibrary();
    // The low byte of "NumOfItems": a lower count cannot be told from a shorter library.
    const std::size_t countPos = golden.find(Key(0) + Int(3)) + Key(0).size() + 1;
    for (std::size_t pos = 0; pos < golden.size(); ++pos) {
        for (unsigned char bit : {0x01, 0x80}) {
            std::string damaged = golden;
            damaged[pos] = static_cast<char>(damaged[pos] ^ bit);
            box.Write("ou.bin", damaged);
            host.Clear();
            const int result = GuardedLoad(zCCSManager::zLIB_BINARY);
            // Whatever was read is a library that can be searched.
            for (int i = 0; i < Lib().GetNum(); ++i)
                manager->FindOutputUnit(Lib().GetItem(i)->GetName());
            const bool reported = result == -1 || host.GetErrorCount() + host.GetWarningCount() > 0;
            const bool lowersCount = pos == countPos && (damaged[pos] & 0xFF) < (golden[pos] & 0xFF);
            EXPECT_TRUE(reported || lowersCount || Lib().GetNum() == 3) << "byte " << pos << " bit " << int(bit);
        }
    }
}

// A block count far above the blocks there are: one miss, and the load goes on.
TEST_F(OutputUnitLibraryTest, BlockCountAboveTheBlocksEndsAtTheFirstMiss)
{
    std::string library = kAsciiLibrary;
    const std::string count = "numOfBlocks=int:1";
    library.replace(library.find(count), count.size(), "numOfBlocks=int:50000");
    box.Write("ou.csl", library);
    manager->LibLoad(zCCSManager::zLIB_ASCII);
    ASSERT_EQ(Lib().GetNum(), 1);
    EXPECT_EQ(Lib().GetItem(0)->GetNumChildren(), 1);
    EXPECT_EQ(manager->FindOutputUnit("DIA_CSL"), "From the text library.");
    int misses = 0;
    for (const std::string& text : Texts())
        misses += text.find("Expected entry not found") != std::string::npos;
    EXPECT_EQ(misses, 1);
    EXPECT_TRUE(HasLine("Warning: zARC: Expected entry not found: subBlock1"));
}

// Blocks that hold each other, in any ring, would never be freed; the ring is cut.
TEST_F(OutputUnitLibraryTest, BlocksThatReferToEachOtherAreRefused)
{
    const auto asciiBlock = [](const std::string& tabs, const std::string& name, int index, const std::string& inner) {
        return tabs + "[% zCCSBlock 0 " + std::to_string(index) + "]\n" + tabs + "\tblockName=string:" + name +
               "\n" + tabs + "\tnumOfBlocks=int:1\n" + tabs + "\tsubBlock0=float:0\n" + inner + tabs + "[]\n";
    };
    const std::string asciiHead = "Tolvan Archive\nver 1\nzCArchiverGeneric\nASCII\nsaveGame 0\nEND\nobjects 4\nEND\n\n"
                                  "[% zCCSLib 0 0]\n\tNumOfItems=int:1\n";
    const std::string twoRing =
        asciiHead + asciiBlock("\t", "A", 1, asciiBlock("\t\t", "B", 2, "\t\t\t[% \xA7 0 1]\n\t\t\t[]\n")) + "[]\n";
    const std::string threeRing =
        asciiHead +
        asciiBlock("\t", "A", 1,
                   asciiBlock("\t\t", "B", 2, asciiBlock("\t\t\t", "C", 3, "\t\t\t\t[% \xA7 0 1]\n\t\t\t\t[]\n"))) +
        "[]\n";
    // A -> B -> A in a binary-safe library.
    const auto binBlock = [](const std::string& name, int index, const std::string& inner) {
        return Str("[% zCCSBlock 0 " + std::to_string(index) + "]") + Key(1) + Str(name) + Key(2) + Int(1) + Key(3) +
               FloatZero() + inner + Str("[]");
    };
    const std::string header =
        "Tolvan Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 0\ndate 3.2.2006 9:7:5\nuser tester\nEND\n";
    const std::string entries = Str("[% zCCSLib 0 0]") + Key(0) + Int(1) +
                                binBlock("A", 1, binBlock("B", 2, Str("[% \xA7 0 1]") + Str("[]"))) + Str("[]");
    const std::string table = U32(4) + TableName("numOfBlocks", 2, 39) + TableName("subBlock0", 3, 50) +
                              TableName("blockName", 1, 68) + TableName("NumOfItems", 0, 93);
    const std::string binaryRing =
        header + U32(2) + U32(3) + U32(static_cast<std::uint32_t>(header.size() + 12 + entries.size())) + entries + table;

    const struct {
        const char* what;
        const char* file;
        std::string bytes;
        int flags;
    } cases[] = {
        {"two, text", "ou.csl", twoRing, zCCSManager::zLIB_ASCII},
        {"three, text", "ou.csl", threeRing, zCCSManager::zLIB_ASCII},
        {"two, binary-safe", "ou.bin", binaryRing, zCCSManager::zLIB_BINARY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Renew();
        host.Clear();
        box.Write(c.file, c.bytes);
        manager->LibLoad(c.flags);
        EXPECT_EQ(Names(), (Strings{"A"}));
        EXPECT_EQ(host.GetErrorCount(), 0);
        Renew();  // the library goes, and every block with it (see TearDown)
        std::filesystem::remove(box.Path(c.file));
    }

    // Nor can a ring be made in memory.
    zCCSBlock* a = New<zCCSBlock>();
    zCCSBlock* b = New<zCCSBlock>();
    a->InsertBlock(b, 0.0f);
    b->InsertBlock(a, 0.0f);
    b->InsertBlock(b, 0.0f);
    EXPECT_EQ(a->GetNumChildren(), 1);
    EXPECT_EQ(b->GetNumChildren(), 0);
    a->Release();
    b->Release();
}

TEST(OutputUnitManagerTest, GlobalManagerIsMadeOnce)
{
    zCCSManager* first = g_csManager.Get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(g_csManager.operator->(), first);
    EXPECT_NE(first->GetLibrary(), nullptr);
}

} // namespace
