// Model prototypes: sharing by name and counting, the global list, the node tree,
// the sorted animation list and what the prototype releases.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "ReporterCapture.h"
#include "zCCrc.h"
#include "zCMesh.h"
#include "zCMeshSoftSkin.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"

namespace {

class ModelPrototypeTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        ASSERT_EQ(g_modelProtoList, nullptr);
    }
    void TearDown() override
    {
        EXPECT_EQ(g_modelProtoList, nullptr);
        ReporterCapture::TearDown();
    }

    static zCModelPrototype* Named(const char* name, int isStatic)
    {
        auto* proto = new zCModelPrototype();
        proto->isStaticModel = isStatic;
        proto->SetModelProtoName(name);
        return proto;
    }

    // The file names of the global list, head first.
    static std::vector<std::string> ListedFiles()
    {
        std::vector<std::string> files;
        for (zCModelPrototype* p = g_modelProtoList; p; p = p->next) {
            if (p->next) {
                EXPECT_EQ(p->next->prev, p);
            }
            files.push_back(p->fileName);
        }
        return files;
    }

    static zCModelAni* Ani(const std::string& name)
    {
        auto* ani = new zCModelAni();
        ani->aniName = name;
        return ani;
    }

    static std::vector<std::string> AniNames(const zCModelPrototype& proto)
    {
        std::vector<std::string> names;
        for (int i = 0; i < proto.aniList.GetNum(); ++i)
            names.push_back(proto.aniList[i]->GetAniName());
        return names;
    }

    // A node below the named parent's entry (the root for an empty name), as the
    // hierarchy readers add them.
    static zCModelNodeRec* AddNode(zCModelPrototype& proto, const char* name, const char* parentName = "")
    {
        zCNodeTreeEntry* parent = *parentName ? proto.FindNodeListEntry(parentName, nullptr) : &proto.nodeTree;
        EXPECT_NE(parent, nullptr) << parentName;
        auto* node = new zCModelNodeRec();
        node->nodeName = name;
        node->parent = parent->data;
        parent->AddChild(node);
        proto.nodeList.InsertEnd(node);
        return node;
    }
};

} // namespace

TEST_F(ModelPrototypeTest, LoadSharesAPrototypeByItsFileName)
{
    zCModelPrototype* humans = Named("Humans", 0);
    zCModelPrototype* chest = Named("chest", 1);
    EXPECT_EQ(humans->modelProtoName, "HUMANS");
    EXPECT_EQ(humans->fileName, "HUMANS.MDS");
    EXPECT_EQ(chest->fileName, "CHEST.ASC");

    const struct {
        const char* name;
        zCModelPrototype* shared;
    } cases[] = {
        {"Humans.mds", humans},
        {"C:\\Game\\_work\\data\\Anims\\HUMANS.MDS", humans},
        {"Chest.asc", chest},
    };
    int humansRefs = 1;
    for (const auto& c : cases) {
        zSTRING name = c.name;
        EXPECT_EQ(zCModelPrototype::Load(name, nullptr), c.shared) << c.name;
        if (c.shared == humans)
            ++humansRefs;
    }
    EXPECT_EQ(humans->refCtr, humansRefs);
    EXPECT_EQ(chest->refCtr, 2);
    EXPECT_TRUE(host.GetLines().empty());

    // Each holder releases its own reference; the last one ends the prototype.
    for (int expected = humansRefs - 1; expected > 0; --expected)
        EXPECT_EQ(humans->Release(), expected);
    EXPECT_EQ(ListedFiles(), (std::vector<std::string>{"CHEST.ASC", "HUMANS.MDS"}));
    EXPECT_EQ(humans->Release(), 0);
    EXPECT_EQ(chest->Release(), 1);
    EXPECT_EQ(chest->Release(), 0);
}

TEST_F(ModelPrototypeTest, AFailedLoadLeavesNothingBehind)
{
    zCModelPrototype* other = Named("Other", 0);
    zCModelPrototype building;  // not yet named, as while a tool fills it
    const struct {
        const char* name;
        const char* loader;
    } cases[] = {
        // Neither a compiled model nor its source.
        {"Hero.ASC", "zCModelProto: ASC not found: HERO.ASC"},
        // Only the upper-case extension names a static model.
        {"hero.asc", "File 'hero.MDS' not found."},
        // The list is searched with the file name as given: no extension, no match.
        {"Other", "File 'Other.MDS' not found."},
        // An empty name does not share the unnamed prototype.
        {"", "File '.MDS' not found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        zSTRING name = c.name;
        EXPECT_EQ(zCModelPrototype::Load(name, nullptr), nullptr);
        EXPECT_EQ(ListedFiles(), (std::vector<std::string>{"", "OTHER.MDS"}));
        EXPECT_EQ(other->refCtr, 1);
        EXPECT_EQ(building.refCtr, 1);
        EXPECT_TRUE(HasLine(c.loader));
    }
    other->Release();
}

TEST_F(ModelPrototypeTest, ReleasedPrototypesLeaveTheList)
{
    zCModelPrototype* a = Named("A", 0);
    zCModelPrototype* b = Named("B", 0);
    zCModelPrototype* c = Named("C", 0);
    zCModelPrototype* d = Named("D", 0);
    EXPECT_EQ(ListedFiles(), (std::vector<std::string>{"D.MDS", "C.MDS", "B.MDS", "A.MDS"}));
    d->Release();  // the head
    EXPECT_EQ(g_modelProtoList, c);
    EXPECT_EQ(c->prev, nullptr);
    b->Release();  // from the middle
    a->Release();  // the tail
    EXPECT_EQ(ListedFiles(), std::vector<std::string>{"C.MDS"});
    EXPECT_EQ(c->next, nullptr);
    EXPECT_EQ(zCModelPrototype::SearchName("c.mds"), c);
    c->Release();
    EXPECT_EQ(zCModelPrototype::SearchName("C.MDS"), nullptr);
}

TEST_F(ModelPrototypeTest, DestroyingAPrototypeStillHeldIsFatal)
{
    zCModelPrototype* proto = Named("Held", 0);
    AddNode(*proto, "BIP01");
    proto->refCtr = 2;
    // Freed and unlinked all the same, so the list keeps no dangling entry.
    EXPECT_THROW(delete proto, zTFatalAbort);
    EXPECT_EQ(g_modelProtoList, nullptr);
    EXPECT_TRUE(HasLine("Error: zCModelProto: Reference-Ctr not zero!"));
}

TEST_F(ModelPrototypeTest, AnimationsAreKeptInByteOrderOfTheirNames)
{
    zCModelPrototype proto;
    EXPECT_EQ(proto.SearchAniIndex("S_RUN"), -1);
    EXPECT_EQ(proto.aniList.GetArray(), nullptr);
    EXPECT_EQ(proto.aniList.GetNumAlloc(), 0);

    for (const char* name : {"T_WALK", "S_RUN", "S_RUNL", "\xC4RGER", "S_RUN_A"})
        proto.AddAni(Ani(name));
    // A prefix first; bytes above 0x7F after the letters.
    const std::vector<std::string> expected{"S_RUN", "S_RUNL", "S_RUN_A", "T_WALK", "\xC4RGER"};
    EXPECT_EQ(AniNames(proto), expected);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(proto.SearchAniIndex(expected[i]), static_cast<int>(i)) << expected[i];
        EXPECT_EQ(proto.SearchAni(expected[i]), proto.aniList[static_cast<int>(i)]);
    }
    for (const char* absent : {"", "S_RU", "S_RUNX", "s_run", "ZZZ", "\xFF"})
        EXPECT_EQ(proto.SearchAni(absent), nullptr) << absent;
}

TEST_F(ModelPrototypeTest, ManyAnimationsInAnyOrderEndSortedAndFound)
{
    std::vector<std::string> names;
    for (int i = 0; i < 100; ++i)
        names.push_back((i % 3 ? "T_" : "S_") + std::to_string(i * 7919 % 1000));
    std::shuffle(names.begin(), names.end(), std::mt19937(16));
    zCModelPrototype proto;
    for (const std::string& name : names)
        proto.AddAni(Ani(name));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(AniNames(proto), names);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(proto.SearchAniIndex(names[i]), static_cast<int>(i));
}

TEST_F(ModelPrototypeTest, ADuplicateAnimationIsFatalAndNotListed)
{
    zCModelPrototype proto;
    zCModelAni* first = Ani("S_RUN");
    proto.AddAni(first);
    proto.AddAni(Ani("T_WALK"));

    zCModelAni* duplicate = Ani("S_RUN");
    duplicate->AddRef();  // the test's own, to see the list's being dropped
    EXPECT_THROW(proto.AddAni(duplicate), zTFatalAbort);
    EXPECT_TRUE(HasLine("Error: zCModelPrototype: ani already defined: S_RUN"));
    EXPECT_EQ(duplicate->GetRefCtr(), 1);
    EXPECT_EQ(AniNames(proto), (std::vector<std::string>{"S_RUN", "T_WALK"}));
    EXPECT_EQ(proto.SearchAni("S_RUN"), first);
    duplicate->Release();
}

TEST_F(ModelPrototypeTest, NodesAreFoundByExactNameDepthFirst)
{
    zCModelPrototype proto;
    EXPECT_EQ(proto.CalcNodeListChecksum(), 0u);

    zCModelNodeRec* bip = AddNode(proto, "BIP01");
    zCModelNodeRec* pelvis = AddNode(proto, "BIP01 PELVIS", "BIP01");
    AddNode(proto, "BIP01 SPINE", "BIP01 PELVIS");
    zCModelNodeRec* thigh = AddNode(proto, "BIP01 L THIGH", "BIP01 PELVIS");
    zCModelNodeRec* dupUnderBip = AddNode(proto, "DUP", "BIP01 L THIGH");
    zCModelNodeRec* pos = AddNode(proto, "ZS_POS");
    zCModelNodeRec* dupUnderPos = AddNode(proto, "DUP", "ZS_POS");
    EXPECT_EQ(pelvis->parent, bip);
    EXPECT_EQ(thigh->parent, pelvis);

    EXPECT_EQ(proto.SearchNode("BIP01 L THIGH"), thigh);
    EXPECT_EQ(proto.SearchNodeIndex("ZS_POS"), 5);
    EXPECT_EQ(proto.SearchNodeIndex("DUP"), 4);  // list order
    for (const char* absent : {"bip01", "BIP01 ", "BIP0", ""})
        EXPECT_EQ(proto.SearchNodeIndex(absent), -1) << absent;

    // New children go in front: ZS_POS's subtree comes before BIP01's.
    EXPECT_EQ(proto.FindNodeListEntry("DUP", nullptr)->data, dupUnderPos);
    zCNodeTreeEntry* bipEntry = proto.FindNodeListEntry("BIP01", nullptr);
    ASSERT_NE(bipEntry, nullptr);
    EXPECT_EQ(bipEntry->data, bip);
    EXPECT_EQ(proto.FindNodeListEntry("DUP", bipEntry)->data, dupUnderBip);
    // Only the start entry's own subtree is searched.
    zCNodeTreeEntry* pelvisEntry = proto.FindNodeListEntry("BIP01 PELVIS", bipEntry);
    EXPECT_EQ(proto.FindNodeListEntry("BIP01", pelvisEntry), nullptr);
    EXPECT_EQ(proto.FindNodeListEntry("ZS_POS", bipEntry), nullptr);
    EXPECT_EQ(proto.FindNodeListEntry("ZS_POS", nullptr)->data, pos);
    EXPECT_EQ(proto.FindNodeListEntry("bip01 spine", nullptr), nullptr);

    const std::string names = "BIP01BIP01 PELVISBIP01 SPINEBIP01 L THIGHDUPZS_POSDUP";
    EXPECT_EQ(proto.CalcNodeListChecksum(), Crc32Buffer(names.data(), names.size(), 0));
    EXPECT_EQ(proto.nodeChecksum, Crc32Buffer(names.data(), names.size(), 0));
}

TEST_F(ModelPrototypeTest, NewNodesHaveIdentityMatrices)
{
    zCModelNodeRec node;
    const zMAT4 identity = MakeIdentityMatrix();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(node.localMatrix.m[r][c], identity.m[r][c]);
            EXPECT_EQ(node.worldMatrix.m[r][c], identity.m[r][c]);
        }
    }
    EXPECT_EQ(node.visual, nullptr);
    EXPECT_EQ(node.keyFrames, nullptr);
}

TEST_F(ModelPrototypeTest, ReleasingThePrototypeReleasesWhatItHolds)
{
    // Each held object gets one reference of the test's, so that what the
    // prototype drops can be counted.
    auto* meshA = new zCMesh();
    auto* meshB = new zCMesh();
    auto* skin = new zCMeshSoftSkin();
    auto* source = new zCMesh();
    zCModelAni* ani = Ani("S_RUN");
    for (zCObject* o : std::initializer_list<zCObject*>{skin, source, ani})
        o->AddRef();

    zCModelPrototype* proto = Named("Hero", 0);
    zCModelNodeRec* bip = AddNode(*proto, "BIP01");
    zCModelNodeRec* head = AddNode(*proto, "BIP01 HEAD", "BIP01");
    bip->SetNodeVisual(meshA);
    bip->SetNodeVisual(meshA);  // the same visual takes no second reference
    EXPECT_EQ(meshA->GetRefCtr(), 2);
    head->SetNodeVisual(meshB);
    head->SetNodeVisual(meshA);  // the old one is released
    EXPECT_EQ(meshB->GetRefCtr(), 1);
    EXPECT_EQ(meshA->GetRefCtr(), 3);
    proto->softSkinList.InsertEnd(skin);
    proto->auxObjectList.InsertEnd(source);
    proto->auxObjectList.InsertEnd(nullptr);
    proto->auxIndexList.InsertEnd(meshB);
    proto->AddAni(ani);
    proto->modelTagList.InsertEnd(new zTAniEventRec());
    proto->meshAndTreeFile = "HUM_BODY.ASC";
    proto->rootTranslation = zVEC3(1, 2, 3);

    proto->ReleaseMeshes();
    EXPECT_EQ(bip->visual, nullptr);
    EXPECT_EQ(head->visual, nullptr);
    EXPECT_EQ(meshA->GetRefCtr(), 1);
    EXPECT_EQ(skin->GetRefCtr(), 1);
    EXPECT_EQ(proto->softSkinList.GetNum(), 0);

    proto->softSkinList.InsertEnd(skin);
    skin->AddRef();
    bip->SetNodeVisual(meshA);
    proto->Clear();
    EXPECT_EQ(meshA->GetRefCtr(), 1);
    EXPECT_EQ(skin->GetRefCtr(), 1);
    EXPECT_EQ(source->GetRefCtr(), 1);
    EXPECT_EQ(ani->GetRefCtr(), 1);
    EXPECT_EQ(proto->nodeList.GetNum(), 0);
    EXPECT_EQ(proto->nodeTree.firstChild, nullptr);
    EXPECT_EQ(proto->aniList.GetNum(), 0);
    EXPECT_EQ(proto->auxIndexList.GetNum(), 0);
    EXPECT_EQ(proto->meshAndTreeFile, "");
    EXPECT_EQ(proto->modelProtoName, "");
    EXPECT_EQ(proto->rootTranslation, zVEC3(0, 0, 0));
    // A cleared prototype takes new nodes and animations.
    AddNode(*proto, "ZS_POS");
    proto->AddAni(Ani("T_WALK"));
    EXPECT_EQ(proto->Release(), 0);
    EXPECT_EQ(g_modelProtoList, nullptr);

    for (zCObject* o : std::initializer_list<zCObject*>{meshA, meshB, skin, source, ani})
        EXPECT_EQ(o->Release(), 0);
}
