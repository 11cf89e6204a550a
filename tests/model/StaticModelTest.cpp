// Node hierarchies and static models: the hierarchy chunks written and read, parent
// links of odd files, .MDH files, the static-model loader and the convert entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IdeServices.h"
#include "ModelServices.h"
#include "StaticModelFixture.h"
#include "zCModel.h"

namespace {

class StaticModelTest : public StaticModelFixture {
protected:
    std::string WriteMdh(zCModelPrototype* proto)
    {
        {
            zCBinChunkFile file;
            EXPECT_EQ(file.Create("\\HERO.MDH"), 0);
            proto->WriteHierarchy(file);
        }
        return box.Read("HERO.MDH");
    }

    // Reads the bytes as a hierarchy file into a new prototype; null when that fails.
    zCModelPrototype* ReadMdh(const std::string& bytes)
    {
        box.Write("HERO.MDH", bytes);
        zCBinChunkFile file;
        EXPECT_EQ(file.Open("\\HERO.MDH"), 0);
        auto* proto = new zCModelPrototype();
        if (proto->ReadHierarchy(file))
            return proto;
        proto->Release();
        return nullptr;
    }

    static std::string NodeRecord(const std::string& name, std::uint16_t parent)
    {
        std::string record = name + "\n" + U16(parent);
        for (int i = 0; i < 16; ++i)
            record += F32(i % 5 == 0 ? 1.0f : 0.0f);
        return record;
    }

    // A hierarchy chunk of the records with zero boxes, root and checksum 7, and an end chunk.
    static std::string Hierarchy(const std::vector<std::string>& records, std::uint32_t version = 3)
    {
        std::string body = U32(version) + U16(static_cast<std::uint32_t>(records.size()));
        for (const std::string& r : records)
            body += r;
        body += std::string(60, '\0') + U32(7);
        return U16(0xD100) + U32(static_cast<std::uint32_t>(body.size())) + body;
    }

};

} // namespace

TEST_F(StaticModelTest, HierarchyReadsBackWithItsNamesParentsMatricesAndBoxes)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdh(proto);
    const std::uint32_t checksum = proto->nodeChecksum;
    proto->Release();

    // The first record: name line, no parent, the matrix row by row.
    EXPECT_EQ(written.substr(0, 2), U16(0xD100));
    EXPECT_EQ(written.substr(6, 6 + 6 + 2), U32(3) + U16(5) + "BIP01\n" + U16(0xFFFF));
    EXPECT_NE(written.find("BIP01 HEAD\n" + U16(1)), std::string::npos);

    zCModelPrototype* read = ReadMdh(written);
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(host.GetLines().empty());
    EXPECT_EQ(read->modelProtoName, "HERO");
    EXPECT_EQ(Parents(read), (std::vector<std::string>{"BIP01 < -", "BIP01 PELVIS < BIP01",
                                                       "BIP01 HEAD < BIP01 PELVIS", "ZS_RIGHTHAND < BIP01",
                                                       "ZM_ARMOR < BIP01"}));
    EXPECT_EQ(read->nodeList[4]->nodeName, "ZM_ARMOR");
    EXPECT_FLOAT_EQ(read->nodeList[4]->localMatrix.m[1][3], 8.0f);
    EXPECT_EQ(read->nodeChecksum, checksum);
    EXPECT_EQ(read->CalcNodeListChecksum(), checksum);
    EXPECT_FLOAT_EQ(read->bbox3D.mins.z, -3.0f);
    EXPECT_FLOAT_EQ(read->collisionBox.maxs.y, 1.0f);
    EXPECT_FLOAT_EQ(read->rootTranslation.y, 0.75f);
    // The tree follows the parents.
    zCNodeTreeEntry* head = read->FindNodeListEntry("BIP01 HEAD", nullptr);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->parent->data->nodeName, "BIP01 PELVIS");
    EXPECT_EQ(read->nodeTree.firstChild->data->nodeName, "BIP01");
    EXPECT_EQ(read->nodeTree.firstChild->next, nullptr);
    read->Release();
}

TEST_F(StaticModelTest, ParentsThatCannotBeLinkedMakeTopLevelNodes)
{
    const std::string bytes = Hierarchy({NodeRecord("A", 0xFFFF), NodeRecord("SELF", 1), NodeRecord("LATER", 3),
                                         NodeRecord("B", 0), NodeRecord("FAR", 900)}) +
                              U16(0xD120) + U32(0);
    zCModelPrototype* read = ReadMdh(bytes);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Parents(read), (std::vector<std::string>{"A < -", "SELF < -", "LATER < -", "B < A", "FAR < -"}));
    int topLevel = 0;
    for (zCNodeTreeEntry* e = read->nodeTree.firstChild; e; e = e->next)
        ++topLevel;
    EXPECT_EQ(topLevel, 4);
    EXPECT_EQ(read->nodeChecksum, 7u);
    read->Release();

    // Of two nodes of one name, the writer names the first as parent.
    auto* twins = new zCModelPrototype();
    AddNode(twins, "X", nullptr, 0);
    zCModelNodeRec* second = AddNode(twins, "X", nullptr, 0);
    AddNode(twins, "CHILD", nullptr, 0)->parent = second;
    const std::string written = WriteMdh(twins);
    twins->Release();
    EXPECT_NE(written.find("CHILD\n" + U16(0)), std::string::npos);
}

TEST_F(StaticModelTest, OddAndDamagedHierarchies)
{
    const std::string good = Hierarchy({NodeRecord("A", 0xFFFF), NodeRecord("B", 0)});
    struct Case {
        const char* what;
        std::string bytes;
        bool reads;
        const char* message;
    };
    const Case cases[] = {
        {"no end chunk: the end of the file ends it", good, true, nullptr},
        {"an unknown chunk is skipped", U16(0x1234) + U32(2) + "xx" + good + U16(0xD120) + U32(0), true, nullptr},
        {"another version", Hierarchy({NodeRecord("A", 0xFFFF)}, 2), false, nullptr},
        {"more nodes than the chunk holds", Patched(good, 10, 1000, 2), false,
         "the hierarchy names 1000 nodes, more than its chunk holds"},
        {"cut inside a node", good.substr(0, 40), false, "claims"},
        {"a stamp cut short", good + U16(0xD110) + U32(3) + "abc", false, "ends too early"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        zCModelPrototype* read = ReadMdh(c.bytes);
        EXPECT_EQ(read != nullptr, c.reads);
        if (read) {
            EXPECT_EQ(read->nodeList.GetNum(), 2);
            read->Release();
        }
        if (c.message) {
            EXPECT_TRUE(HasLine(c.message));
        }
    }
    // Every cut of a real file: a clean failure or a partial read.
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdh(proto);
    proto->Release();
    for (std::size_t cut = 0; cut < written.size(); cut += 5) {
        if (zCModelPrototype* read = ReadMdh(written.substr(0, cut)))
            read->Release();
    }
}

TEST_F(StaticModelTest, MdhIsSavedUnderTheModelsNameAndCopiedAsItIsWhenConverting)
{
    zCModelPrototype* proto = MakeModel("humans");
    host.GetSettings().InsertInGame = 1;
    proto->SaveMdh();
    proto->Release();
    ASSERT_TRUE(box.Exists("OUT/_compiled/HUMANS.MDH"));
    EXPECT_TRUE(HasLine("HUMANS.MDH"));
    const std::string saved = box.Read("OUT/_compiled/HUMANS.MDH");

    // Converting reads it from the compiled folder and copies it byte for byte.
    box.Write("DATA/ANIMS/_compiled/HUMANS.MDH", saved);
    g_jobMode = zJOB_CONVERT_MODELS;
    g_jobDestDir = "\\CONVERTED\\";
    host.GetInsertFileList().clear();
    auto* loaded = new zCModelPrototype();
    EXPECT_EQ(loaded->LoadMdh("HUMANS.MDH"), 1);
    EXPECT_EQ(loaded->nodeList.GetNum(), 5);
    loaded->Release();
    EXPECT_EQ(box.Read("CONVERTED/_compiled/HUMANS.MDH"), saved);
    ASSERT_EQ(host.GetInsertFileList().size(), 1u);
    EXPECT_NE(host.GetInsertFileList()[0].find("HUMANS.MDH"), std::string::npos);

    // A missing file: 0 and no message.
    host.Clear();
    auto* missing = new zCModelPrototype();
    EXPECT_EQ(missing->LoadMdh("NONE.MDH"), 0);
    missing->Release();
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(StaticModelTest, ConvertingToTheOtherGameAndBackGivesTheOriginalBytes)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string original = WriteMdl(proto);
    proto->Release();
    box.Write("DATA/ANIMS/_compiled/HERO.MDL", original);
    host.GetSettings().InsertInGame = 1;

    g_jobMode = zJOB_CONVERT_MODELS;
    zSTRING input = "\\DATA\\ANIMS\\_compiled\\HERO.MDL";
    ConvertMdl(input);
    EXPECT_TRUE(HasLine("Converting Model 'HERO.MDL'..."));
    EXPECT_TRUE(HasLine("Converting Model 'HERO.MDL' OK"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    const std::string second = box.Read("OUT/_compiled/HERO.MDL");
    EXPECT_NE(second, original);
    EXPECT_NE(second.find(U32(0x04090506)), std::string::npos);
    EXPECT_EQ(g_platform, zPLATFORM_FIRST_GAME);
    EXPECT_EQ(g_modelProtoList, nullptr);

    // The second game's file on the first game's platform is of another version.
    host.Clear();
    zSTRING secondPath = "\\OUT\\_compiled\\HERO.MDL";
    ConvertMdl(secondPath);
    EXPECT_TRUE(HasLine("File 'HERO.MDL' not compatible version."));
    EXPECT_EQ(g_modelProtoList, nullptr);

    host.Clear();
    g_platform = zPLATFORM_SECOND_GAME;
    g_jobDestDir = "\\BACK\\";
    ConvertMdl(secondPath);
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(box.Read("BACK/_compiled/HERO.MDL"), original);
    EXPECT_EQ(g_platform, zPLATFORM_SECOND_GAME);

    host.Clear();
    zSTRING missing = "\\DATA\\ANIMS\\_compiled\\NONE.mdl";
    ConvertMdl(missing);
    EXPECT_TRUE(HasLine("File 'NONE.MDL' not found."));
    EXPECT_FALSE(box.Exists("BACK/_compiled/NONE.MDL"));
}

TEST_F(StaticModelTest, LoadingByNamePrefersTheCompiledModel)
{
    zCModelPrototype* proto = MakeModel("CHEST");
    box.Write("DATA/ANIMS/_compiled/Chest.MDL", WriteMdl(proto));
    proto->Release();

    zSTRING name = "Chest.ASC";
    zCModelPrototype* loaded = zCModelPrototype::Load(name, nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->fileName, "CHEST.ASC");
    EXPECT_EQ(loaded->isStaticModel, 1);
    ASSERT_EQ(loaded->nodeList.GetNum(), 5);
    EXPECT_NE(loaded->nodeList[2]->visual, nullptr);
    EXPECT_EQ(loaded->softSkinList.GetNum(), 1);
    // Shared by name from now on, also by the model visuals made of it.
    EXPECT_EQ(zCModelPrototype::Load(name, nullptr), loaded);
    zCModel loader;
    auto* model = dynamic_cast<zCModel*>(loader.LoadVisual("Chest.ASC"));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->modelProtoList[0], loaded);
    EXPECT_EQ(model->nodeList.GetNum(), 5);
    EXPECT_EQ(loaded->refCtr, 3);
    EXPECT_EQ(model->Release(), 0);
    EXPECT_EQ(loaded->Release(), 1);
    EXPECT_EQ(loaded->Release(), 0);
    EXPECT_EQ(loader.LoadVisual("NOWHERE.ASC"), nullptr);

    // A damaged compiled model falls back to the source, which is missing here.
    box.Write("DATA/ANIMS/_compiled/Chest.MDL", "damaged");
    host.Clear();
    EXPECT_EQ(zCModelPrototype::Load(name, nullptr), nullptr);
    EXPECT_TRUE(HasLine("zCModelProto: ASC not found: CHEST.ASC"));
    EXPECT_EQ(g_modelProtoList, nullptr);
}
