// Mesh libraries: what a prototype gives them, their chunks on both platforms and
// while converting, reading onto prototypes of the right and of the wrong hierarchy,
// and damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "ResString.h"
#include "StaticModelFixture.h"

namespace {

class MeshLibTest : public StaticModelFixture {
protected:
    // The library's chunks alone, as an .MDM holds them.
    std::string WriteMdm(zCModelMeshLib* lib, zCModelPrototype* proto)
    {
        {
            zCBinChunkFile file;
            EXPECT_EQ(file.Create("\\out.mdm"), 0);
            lib->WriteMdmChunks(file, proto);
        }
        return box.Read("out.mdm");
    }
    std::string WriteMdm(zCModelPrototype* proto)
    {
        zCModelMeshLib* lib = zCModelMeshLib::Create();
        lib->BuildFromPrototype(proto);
        const std::string bytes = WriteMdm(lib, proto);
        lib->Release();
        return bytes;
    }

    // Reads the bytes as HERO.MDM onto the prototype (or into a library).
    int ReadMdm(const std::string& bytes, zCModelPrototype* proto, zCModelMeshLib** out = nullptr)
    {
        box.Write("HERO.MDM", bytes);
        zCBinChunkFile file;
        EXPECT_EQ(file.Open("\\HERO.MDM"), 0);
        return zCModelMeshLib::ReadMdmChunks(file, proto, nullptr, out);
    }

    // The model without its meshes: what a hierarchy file gives.
    zCModelPrototype* MakeBare(const char* name)
    {
        zCModelPrototype* proto = MakeModel(name);
        proto->ReleaseMeshes();
        return proto;
    }

    // Positions of the chunk ids in the order they come, following the lengths.
    static std::vector<std::uint32_t> ChunkIds(const std::string& bytes)
    {
        std::vector<std::uint32_t> ids;
        for (std::size_t at = 0; at + 6 <= bytes.size(); at += 6 + Field(bytes, at + 2))
            ids.push_back(Field(bytes, at) & 0xFFFF);
        return ids;
    }
};

} // namespace

TEST_F(MeshLibTest, ThePrototypeGivesItsMeshesButNotItsSlots)
{
    zCModelPrototype* proto = MakeModel("HERO");
    // A two-letter name is no slot prefix.
    Dress(AddNode(proto, "ZS", "BIP01", 5.0f), MakeMesh({plain}));
    zCModelMeshLib* lib = zCModelMeshLib::Create();
    lib->BuildFromPrototype(proto);
    EXPECT_EQ(lib->GetObjectName(), "HERO");
    ASSERT_EQ(lib->nodeMeshList.GetNum(), 3);
    const int expected[] = {2, 4, 5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lib->nodeMeshList[i].nodeIndex, expected[i]);
        EXPECT_EQ(lib->nodeMeshList[i].mesh, proto->nodeList[expected[i]]->visual);
        EXPECT_EQ(lib->nodeMeshList[i].mesh->GetRefCtr(), 2);
    }
    ASSERT_EQ(lib->softSkinList.GetNum(), 1);
    EXPECT_EQ(lib->softSkinList[0], proto->softSkinList[0]);

    // Applied to a bare prototype of the same tree: the same meshes, one more reference each.
    zCModelPrototype* bare = MakeBare("OTHER");
    lib->ApplyToPrototype(bare);
    EXPECT_EQ(bare->nodeList[2]->visual, proto->nodeList[2]->visual);
    EXPECT_EQ(bare->nodeList[3]->visual, nullptr);
    ASSERT_EQ(bare->softSkinList.GetNum(), 1);
    EXPECT_EQ(proto->softSkinList[0]->GetRefCtr(), 3);
    bare->Release();
    lib->Release();
    EXPECT_EQ(proto->softSkinList[0]->GetRefCtr(), 1);
    EXPECT_EQ(proto->nodeList[2]->visual->GetRefCtr(), 1);
    proto->Release();
}

TEST_F(MeshLibTest, ChunksReadBackOntoTheHierarchyAndWriteTheSameBytesOnBothPlatforms)
{
    for (const auto& [platform, version] :
         {std::pair{zPLATFORM_FIRST_GAME, 0x04030506u}, std::pair{zPLATFORM_SECOND_GAME, 0x04090506u}}) {
        SCOPED_TRACE(platform);
        SetPlatform(platform);
        EXPECT_EQ(zCModelMeshLib::GetMdmFileVersion(), version);
        zCModelPrototype* proto = MakeModel("HERO");
        const std::string written = WriteMdm(proto);
        proto->Release();
        EXPECT_EQ(written.substr(0, 10), U16(0xD000) + U32(4) + U32(version));
        // Header, source, names, two meshes, soft skins, one skin, end.
        EXPECT_EQ(ChunkIds(written), (std::vector<std::uint32_t>{0xD000, 0xD010, 0xD020, 0xB100, 0xB1FF, 0xB100,
                                                                 0xB1FF, 0xD030, 0xE100, 0xB100, 0xB1FF, 0xE110,
                                                                 0xD040}));
        const std::size_t names = written.find(U16(0xD020));
        EXPECT_EQ(written.substr(names + 6, 2 + 11 + 9), U16(2) + "BIP01 HEAD\nZM_ARMOR\n");

        zCModelPrototype* bare = MakeBare("HERO");
        ASSERT_EQ(ReadMdm(written, bare), 1);
        for (const auto& line : host.GetLines())
            ADD_FAILURE() << line.text;
        ASSERT_NE(bare->nodeList[2]->visual, nullptr);
        ASSERT_NE(bare->nodeList[4]->visual, nullptr);
        EXPECT_EQ(bare->nodeList[3]->visual, nullptr);
        EXPECT_EQ(bare->nodeList[4]->visual->GetRefCtr(), 1);
        ASSERT_EQ(bare->softSkinList.GetNum(), 1);
        EXPECT_EQ(bare->softSkinList[0]->GetObjectName(), "HERO");
        EXPECT_EQ(WriteMdm(bare), written);
        bare->Release();
    }
}

TEST_F(MeshLibTest, EmptyListsWriteNoChunk)
{
    zCModelPrototype* proto = MakeModel("HERO");
    struct Case {
        const char* what;
        bool meshes;
        bool skins;
        std::vector<std::uint32_t> ids;
    };
    const Case cases[] = {
        {"no soft skins", true, false, {0xD000, 0xD010, 0xD020, 0xB100, 0xB1FF, 0xB100, 0xB1FF, 0xD040}},
        {"no node meshes", false, true, {0xD000, 0xD010, 0xD030, 0xE100, 0xB100, 0xB1FF, 0xE110, 0xD040}},
        {"nothing", false, false, {0xD000, 0xD010, 0xD040}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zCModelMeshLib* lib = zCModelMeshLib::Create();
        lib->BuildFromPrototype(proto);
        if (!c.meshes) {
            for (int i = 0; i < lib->nodeMeshList.GetNum(); ++i)
                lib->nodeMeshList[i].mesh->Release();
            lib->nodeMeshList.EmptyList();
        }
        if (!c.skins) {
            lib->softSkinList[0]->Release();
            lib->softSkinList.EmptyList();
        }
        EXPECT_EQ(ChunkIds(WriteMdm(lib, proto)), c.ids);
        lib->Release();
    }
    proto->Release();
}

TEST_F(MeshLibTest, ConvertingWritesTheOtherPlatformAndRestoresThePlatform)
{
    zCModelPrototype* proto = MakeModel("HERO");
    g_jobMode = zJOB_CONVERT_MODELS;
    const std::string converted = WriteMdm(proto);
    EXPECT_EQ(g_platform, zPLATFORM_FIRST_GAME);
    EXPECT_EQ(g_meshFileVersion, 3);
    EXPECT_EQ(Field(converted, 6), 0x04090506u);
    EXPECT_EQ(Field(converted, converted.find(U16(0xB100)) + 6) & 0xFFFF, 0x0905u);
    // Decompiling writes nothing for the other game.
    g_jobMode = zJOB_DECOMPILE_MODELS;
    EXPECT_EQ(Field(WriteMdm(proto), 6), 0x04030506u);
    g_jobMode = zJOB_CONVERT_MODELS;

    // That file is the second game's: this platform refuses it, the other reads it.
    zCModelPrototype* bare = MakeBare("HERO");
    EXPECT_EQ(ReadMdm(converted, bare), 0);
    EXPECT_EQ(bare->nodeList[2]->visual, nullptr);
    SetPlatform(zPLATFORM_SECOND_GAME);
    EXPECT_EQ(ReadMdm(converted, bare), 1);
    EXPECT_NE(bare->nodeList[2]->visual, nullptr);
    bare->Release();
    proto->Release();
}

TEST_F(MeshLibTest, NodeNamesTheHierarchyLacks)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdm(proto);
    proto->Release();

    // The first name unknown: the library belongs to another model.
    zCModelPrototype* other = new zCModelPrototype();
    AddNode(other, "BIP01", nullptr, 0);
    AddNode(other, "ZM_ARMOR", "BIP01", 0);
    other->nodeChecksum = 0;
    EXPECT_EQ(ReadMdm(written, other), 0);
    EXPECT_TRUE(HasLine("Mesh-ASC applied to wrong model: HERO, node in mesh but not in model: BIP01 HEAD"));
    EXPECT_EQ(other->nodeList[1]->visual, nullptr);
    other->Release();

    // A later name unknown: its mesh is dropped, the others are read.
    host.Clear();
    zCModelPrototype* partial = new zCModelPrototype();
    AddNode(partial, "BIP01 HEAD", nullptr, 0);
    EXPECT_EQ(ReadMdm(written, partial), 1);
    EXPECT_NE(partial->nodeList[0]->visual, nullptr);
    // Its skins were made for another hierarchy.
    EXPECT_EQ(partial->softSkinList.GetNum(), 0);
    partial->Release();
}

TEST_F(MeshLibTest, SkinsForAnotherHierarchyAreRefusedAlsoWithoutAModel)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdm(proto);
    proto->Release();

    // The same names, but one more node: the checksum differs.
    zCModelPrototype* grown = MakeBare("HERO");
    AddNode(grown, "BIP01 TAIL", "BIP01", 0);
    grown->CalcNodeListChecksum();
    EXPECT_EQ(ReadMdm(written, grown), 1);
    EXPECT_TRUE(HasLine(LoadResString(IDS_FILE_NODE_HIERARCHY_INCOMPATIBLE)));
    EXPECT_EQ(grown->softSkinList.GetNum(), 0);
    // The node meshes are still read, the chunks after the skins too.
    EXPECT_NE(grown->nodeList[4]->visual, nullptr);
    grown->Release();

    // A matching checksum with a skin naming a node past the list is damage.
    host.Clear();
    zCModelPrototype* lying = MakeModel("HERO");
    zCMeshSoftSkin* far = MakeSkin(9);
    lying->softSkinList.InsertEnd(far);
    const std::string damaged = WriteMdm(lying);
    lying->Release();
    zCModelPrototype* bare = MakeBare("HERO");
    EXPECT_EQ(ReadMdm(damaged, bare), 0);
    EXPECT_TRUE(HasLine("names node 9, but the hierarchy has 5 nodes"));
    EXPECT_EQ(bare->softSkinList.GetNum(), 1);  // the first skin was fine
    bare->Release();
}

TEST_F(MeshLibTest, ReadIntoALibraryNamedAfterTheFile)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdm(proto);
    zCModelMeshLib* lib = nullptr;
    ASSERT_EQ(ReadMdm(written, proto, &lib), 1);
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->GetObjectName(), "HERO");
    EXPECT_EQ(zCModelMeshLib::classDef.SearchHashTable("HERO"), lib);
    EXPECT_EQ(lib->nodeMeshList.GetNum(), 2);
    EXPECT_EQ(lib->softSkinList.GetNum(), 1);
    // The prototype's own meshes stay: the library holds the read ones.
    EXPECT_NE(lib->nodeMeshList[0].mesh, proto->nodeList[2]->visual);

    // A living library of the name is handed over without the disk.
    std::filesystem::remove(box.Path("HERO.MDM"));
    zCModelMeshLib* again = nullptr;
    EXPECT_EQ(zCModelMeshLib::LoadMeshLib("\\ANYWHERE\\hero.MDM", proto, nullptr, &again), 1);
    EXPECT_EQ(again, lib);
    EXPECT_EQ(lib->GetRefCtr(), 2);
    again->Release();
    lib->Release();
    EXPECT_EQ(zCModelMeshLib::classDef.SearchHashTable("HERO"), nullptr);

    // A failed read leaves no library behind.
    zCModelMeshLib* failed = nullptr;
    EXPECT_EQ(ReadMdm(written.substr(0, 6) + U32(1), proto, &failed), 0);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(zCModelMeshLib::classDef.SearchHashTable("HERO"), nullptr);
    proto->Release();
}

TEST_F(MeshLibTest, DamagedFilesGiveAnErrorNeverACrash)
{
    zCModelPrototype* proto = MakeModel("HERO");
    const std::string written = WriteMdm(proto);
    proto->Release();
    // Every cut of the file: a clean failure or a partial read, nothing else.
    for (std::size_t cut = 0; cut < written.size(); cut += 7) {
        zCModelPrototype* bare = MakeBare("HERO");
        ReadMdm(written.substr(0, cut), bare);
        bare->Release();
    }
    host.Clear();

    // The file ends where its last soft skin should begin.
    const std::size_t skins = written.find(U16(0xD030));
    zCModelPrototype* cut = MakeBare("HERO");
    EXPECT_EQ(ReadMdm(written.substr(0, skins + 6 + 6), cut), 0);
    EXPECT_TRUE(HasLine("the data ends too early"));
    EXPECT_EQ(cut->softSkinList.GetNum(), 0);
    cut->Release();
    host.Clear();

    // A name count past the chunk's bytes.
    const std::size_t names = written.find(U16(0xD020));
    zCModelPrototype* bare = MakeBare("HERO");
    EXPECT_EQ(ReadMdm(Patched(written, names + 6, 60000, 2), bare), 0);
    EXPECT_TRUE(HasLine("the mesh library names 60000 node meshes, more than its chunk holds"));
    EXPECT_TRUE(HasLine("HERO.MDM"));
    bare->Release();
}
