// The ASC reader: word rules on the exporter's layout, a hierarchy with meshes,
// materials and a soft skin, a mesh re-read, and every input it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "AscFixture.h"
#include "ResourceIds.h"
#include "zCMaterial.h"
#include "zCMesh.h"
#include "zCMeshSoftSkin.h"
#include "zCProgMeshProto.h"
#include "zCTexture.h"

namespace {

using namespace asc;

TEST(AscWords, PickedAsTheExporterLaysThemOut)
{
    struct Case {
        const char* line;
        int word;
        zTAscWords mode;
        const char* expected;
    };
    const Case cases[] = {
        {"\t*SCENE_FIRSTFRAME 10", 3, zTAscWords::Tabs, "10"},
        {"\t*SCENE_FIRSTFRAME\t10", 3, zTAscWords::Tabs, ""},  // word 3 is the tab
        {"\t\t\t*MESH_VERTEX    5\t1.0\t2.0\t3.0", 7, zTAscWords::Tabs, "1.0"},
        {"\t\t\t*MESH_VERTEX    5\t1.0\t2.0\t3.0", 11, zTAscWords::Tabs, "3.0"},
        {"\t\t\t\t*MESH_VERTEX    5\t1.0\t2.0\t3.0", 7, zTAscWords::Tabs, ""},  // one tab too many
        {"\t\t\t*MESH_FACE    3:    A:    7 B:    8 C:    9 AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t*MESH_MTLID 2",
         6, zTAscWords::Corners, "7"},
        {"\t\t\t*MESH_FACE    3:    A:    7 B:    8 C:    9 AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t*MESH_MTLID 2",
         12, zTAscWords::Corners, "9"},
        {"\t\t\t*MESH_FACE    3:    A:    7 B:    8 C:    9 AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t*MESH_MTLID 2",
         18, zTAscWords::FaceMaterial, "2"},
        {"\t\t*MESH_NUMVERTEX 8", 2, zTAscWords::Blank, "8"},
        {"*3DSMAX_ASCIIEXPORT\t200", 2, zTAscWords::White, "200"},
        {"\t\t*TM_ROW3 1.5\t-2\t3", 3, zTAscWords::Vector, "-2"},
        {"\t\t*TM_ROTANGLE 1.5708", 2, zTAscWords::Angle, "1.5708"},
        {"\t*WIREFRAME_COLOR 0.5\t0.6\t0.7", 7, zTAscWords::Tabs, "0.7"},
        {"\t\t\t*CONTROL_ROT_SAMPLE 160\t0.0\t0.0\t1.0\t0.5", 13, zTAscWords::Tabs, "0.5"},
        {"\t*MATERIAL_REF 3", 4, zTAscWords::White, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(AscPickWord(c.line, c.word, c.mode)), c.expected) << c.line << " word " << c.word;
        std::string_view picked;
        AscPickWords(c.line, c.word, 1, 1, c.mode, &picked);
        EXPECT_EQ(std::string(picked), c.expected) << c.line << " word " << c.word;
    }
    std::string_view words[4];
    AscPickWords("\t\t\t*CONTROL_ROT_SAMPLE 160\t0.1\t0.2\t1.0\t0.5", 7, 2, 4, zTAscWords::Tabs, words);
    EXPECT_EQ(std::string(words[0]) + std::string(words[1]) + std::string(words[2]) + std::string(words[3]),
              "0.10.21.00.5");
}

TEST(AscWords, NumbersAreTheirLeadingDigits)
{
    EXPECT_EQ(AscInt("-12abc"), -12);
    EXPECT_EQ(AscInt("+7"), 7);
    EXPECT_EQ(AscInt("9B:"), 9);
    EXPECT_EQ(AscInt(""), 0);
    EXPECT_EQ(AscInt("99999999999"), 2147483647);
    EXPECT_EQ(AscInt("-99999999999"), -2147483647 - 1);
    EXPECT_FLOAT_EQ(AscFloat("-1.5e2x"), -150.0f);
    EXPECT_FLOAT_EQ(AscFloat(".25"), 0.25f);
    EXPECT_FLOAT_EQ(AscFloat("inf"), 0.0f);
    EXPECT_FLOAT_EQ(AscFloat("nan"), 0.0f);
    EXPECT_FLOAT_EQ(AscFloat("1e999"), 0.0f);  // beyond the float range
    EXPECT_EQ(std::string(AscQuoted("\t*NODE_NAME \"Bip01 Head\"")), "Bip01 Head");
    EXPECT_EQ(std::string(AscQuoted("\t*NODE_NAME \"open")), "");
}

class AscReaderTest : public AscFixture {
protected:
    // A bone tree, a helmet hung on the head, a right-hand slot, a body with a
    // material group, a colour-only object and the objects the name rules skip.
    std::string StaticModel() const
    {
        return Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 50, "", "*HELPEROBJECT") +
               Object("Bip01 Head", "Bip01", 0, 0, 80) +
               Object("ZM_Helmet", "Bip01 Head", 0, 0, 85, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 85)) +
               Object("ZS_RightHand", "Bip01", 10, 0, 60, BoxMesh(10, 0, 60)) +
               Object("Bip01 Footsteps", "Bip01", 0, 0, 0) + Object("Bip01 Schritte", "", 0, 0, 0) +
               Object("Box01", "", 0, 0, 0, BoxMesh(0, 0, 0)) + Object("1ZM_Head", "", 0, 0, 0, BoxMesh(0, 0, 0)) +
               Object("ZM_Body", "", 0, 0, 0, "\t*MATERIAL_REF 1\r\n" + BoxMesh(0, 0, 40, 2.0f)) +
               Object("ZM_Wire", "", 5, 0, 0,
                      "\t*WIREFRAME_COLOR 0.5000\t0.6000\t0.7000\r\n\t*MATERIAL_REF 0\r\n" + BoxMesh(5, 0, 0));
    }

    zCProgMeshProto* ProgMeshOf(const char* name) const
    {
        zCModelNodeRec* node = proto->SearchNode(name);
        return node ? dynamic_cast<zCProgMeshProto*>(node->visual) : nullptr;
    }
};

TEST_F(AscReaderTest, HierarchyMeshesAndMaterials)
{
    ASSERT_TRUE(Load("HERO.ASC", StaticModel(), 6));
    EXPECT_EQ(NodeNames(), (std::vector<std::string>{"BIP01", "BIP01 HEAD", "ZS_RIGHTHAND", "ZM_BODY", "ZM_WIRE"}));
    EXPECT_EQ(proto->SearchNode("BIP01 HEAD")->parent, proto->SearchNode("BIP01"));
    EXPECT_EQ(proto->SearchNode("ZS_RIGHTHAND")->parent, proto->SearchNode("BIP01"));
    EXPECT_EQ(proto->SearchNode("ZM_BODY")->parent, nullptr);
    const std::uint32_t checksum = proto->nodeChecksum;
    EXPECT_NE(checksum, 0u);
    EXPECT_EQ(proto->CalcNodeListChecksum(), checksum);

    // The helmet became the head's visual, in the head's space (5 above it).
    zCProgMeshProto* helmet = ProgMeshOf("BIP01 HEAD");
    ASSERT_NE(helmet, nullptr);
    EXPECT_EQ(helmet->GetNumTriangles(), 12);
    const zTBBox3D box = helmet->bbox3D;
    EXPECT_NEAR((box.mins.y + box.maxs.y) / 2, 5.0f, 1e-4f);
    EXPECT_NEAR((box.mins.x + box.maxs.x) / 2, 0.0f, 1e-4f);
    ASSERT_EQ(helmet->GetNumSubMeshes(), 1);
    const zCMaterial* skin = helmet->GetSubMesh(0).material;
    EXPECT_EQ(std::string(skin->GetObjectName()), "HERO-SKIN");
    EXPECT_EQ(std::string(skin->GetTextureName()), "SKIN.TGA");
    EXPECT_EQ(skin->color.r, 127);
    EXPECT_EQ(skin->color.g, 63);
    EXPECT_EQ(skin->color.b, 255);

    // Ids 0 and 1 of a one-entry group both take its entry 0.
    zCProgMeshProto* body = ProgMeshOf("ZM_BODY");
    ASSERT_NE(body, nullptr);
    ASSERT_EQ(body->GetNumSubMeshes(), 1);
    EXPECT_EQ(std::string(body->GetSubMesh(0).material->GetObjectName()), "HERO-PLAIN");
    EXPECT_TRUE(body->GetSubMesh(0).material->GetTextureName().empty());

    // A wireframe colour wins over the material reference.
    zCProgMeshProto* wire = ProgMeshOf("ZM_WIRE");
    ASSERT_NE(wire, nullptr);
    const zCMaterial* colour = wire->GetSubMesh(0).material;
    EXPECT_TRUE(colour->GetObjectName().empty());
    EXPECT_EQ(colour->color.r, 127);
    EXPECT_EQ(colour->color.g, 153);
    EXPECT_EQ(colour->color.b, 178);

    EXPECT_EQ(proto->SearchNode("BIP01")->visual, nullptr);
    EXPECT_EQ(proto->SearchNode("ZS_RIGHTHAND")->visual, nullptr);
    EXPECT_EQ(proto->auxObjectList.GetNum(), 3);
    EXPECT_LT(proto->bbox3D.mins.y, proto->bbox3D.maxs.y);
    EXPECT_FLOAT_EQ(proto->collisionBox.maxs.y, proto->bbox3D.maxs.y * 0.8f);
    EXPECT_FLOAT_EQ(proto->collisionBox.mins.x, proto->bbox3D.mins.x * 0.5f);
}

TEST_F(AscReaderTest, MeshReadReplacesMeshesOfKnownNodesOnly)
{
    ASSERT_TRUE(Load("HERO.ASC", StaticModel(), 6));
    // Held, so that the new mesh cannot take the old one's address.
    zCVisual* before = proto->SearchNode("ZM_BODY")->visual;
    before->AddRef();
    const std::string meshes = Header() + Scene() + Materials() +
                               Object("ZM_Body", "", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 40, 3.0f)) +
                               Object("ZM_New", "", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 0));
    ASSERT_TRUE(Load("HERO_BODY.ASC", meshes, 2)) << ::testing::PrintToString(Texts());
    EXPECT_EQ(NodeNames(), (std::vector<std::string>{"BIP01", "BIP01 HEAD", "ZS_RIGHTHAND", "ZM_BODY", "ZM_WIRE"}));
    zCProgMeshProto* body = ProgMeshOf("ZM_BODY");
    ASSERT_NE(body, nullptr);
    EXPECT_NE(static_cast<const zCVisual*>(body), before);
    EXPECT_EQ(std::string(body->GetSubMesh(0).material->GetObjectName()), "HERO_BODY-SKIN");
    EXPECT_EQ(before->Release(), 0);
}

TEST_F(AscReaderTest, MissingFileIsFatal)
{
    EXPECT_FALSE(RunJob([&] { proto->LoadAsc(nullptr, "\\ELSEWHERE\\NOBODY.ASC", "", 0, 0, 6, -1.0f); }));
    EXPECT_TRUE(HasLine("ASC not found: NOBODY.ASC"));
}

TEST_F(AscReaderTest, MorphFramesStayPlainMeshesInAChain)
{
    const std::string frames = "\t*MATERIAL_REF 0\r\n\t*MESH_ANIMATION {\r\n" + BoxMesh(0, 0, 0) + BoxMesh(0, 0, 1) +
                               BoxMesh(0, 0, 2) + "\t}\r\n";
    ASSERT_TRUE(Load("MORPH.ASC", Header() + Scene(0, 2) + Materials() + Object("ZM_Morph", "", 0, 0, 0, frames), 14, 1, 2));
    zCModelNodeRec* node = proto->SearchNode("ZM_MORPH");
    ASSERT_NE(node, nullptr);
    auto* first = dynamic_cast<zCMesh*>(node->visual);
    ASSERT_NE(first, nullptr);
    auto* second = dynamic_cast<zCMesh*>(first->GetNextVisual());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetNextVisual(), nullptr);
    // Frames 1 and 2, each moved into the node's space.
    first->CalcBBox3D(1);
    second->CalcBBox3D(1);
    EXPECT_NEAR(second->bbox3D.maxs.y - first->bbox3D.maxs.y, 1.0f, 1e-4f);
    EXPECT_NEAR(first->bbox3D.maxs.y, 2.0f, 1e-4f);
}

TEST_F(AscReaderTest, VersionWarning)
{
    struct Case {
        int version;
        bool warned;
        const char* shown;
    };
    for (const Case c : {Case{200, true, "export 0,"}, Case{103, true, "export 103,"}, Case{110, false, ""}}) {
        host.Clear();
        ASSERT_TRUE(Load("V.ASC", Header(c.version) + Scene() + Object("Bip01", "", 0, 0, 0), 6));
        EXPECT_EQ(HasLine(".asc file export"), c.warned) << c.version;
        if (c.warned) {
            EXPECT_TRUE(HasLine(c.shown)) << c.version;
        }
        proto->Clear();
    }
}

TEST_F(AscReaderTest, SoftSkinWeightsAreCutAndTopped)
{
    std::string weights = "*MESH_SOFTSKINVERTS {\r\nZM_Skin\r\n8\r\n"
                          "4\t\"Bip01\"\t0.6\t\"Bip01 Head\"\t0.005\t\"Bip01\"\t0.3\t\"Bip01 Head\"\t0.095\r\n"
                          "4\t\"Bip01\"\t0.5\t\"Bip01 Head\"\t0.3\t\"Bip01\"\t0.1\t\"Bip01 Head\"\t0.1\r\n";
    for (int v = 2; v < 8; ++v)
        weights += "1\t\"Bip01 Head\"\t1.0\r\n";
    weights += "}\r\n";
    const std::string text = Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 50) +
                             Object("Bip01 Head", "Bip01", 0, 0, 80) +
                             Object("ZM_Skin", "", 0, 0, 0,
                                    "\t*MATERIAL_REF 1\r\n" + BoxMesh(0, 0, 60, 2.0f, "*MESH_SOFTSKIN")) +
                             weights;
    ASSERT_TRUE(Load("SKIN.ASC", text, 6));
    EXPECT_EQ(NodeNames(), (std::vector<std::string>{"BIP01", "BIP01 HEAD"}));
    EXPECT_EQ(proto->auxIndexList.GetNum(), 0);
    ASSERT_EQ(proto->softSkinList.GetNum(), 1);
    zCMeshSoftSkin* skin = proto->softSkinList[0];
    EXPECT_FLOAT_EQ(skin->lodParams[2], 0.03f);
    std::vector<std::vector<zTSoftSkinWeightEntry>> entries;
    ASSERT_TRUE(skin->GetWeights(entries));
    std::vector<std::vector<float>> found;
    for (const auto& position : entries) {
        std::vector<float> w;
        for (const auto& e : position)
            w.push_back(e.weight);
        found.push_back(w);
    }
    auto has = [&found](std::vector<float> wanted) {
        return std::any_of(found.begin(), found.end(), [&](const std::vector<float>& w) {
            if (w.size() != wanted.size())
                return false;
            for (std::size_t i = 0; i < w.size(); ++i)
                if (std::fabs(w[i] - wanted[i]) > 1e-5f)
                    return false;
            return true;
        });
    };
    EXPECT_TRUE(has({0.7975f, 0.2025f}));
    EXPECT_TRUE(has({0.5f, 0.3f, 0.1f}));
    EXPECT_TRUE(has({1.0f}));
    // Offsets are in the weight's node space: the head lies at engine y 80.
    for (const auto& position : entries) {
        for (const auto& e : position) {
            if (e.node == 1) {
                EXPECT_NEAR(std::fabs(e.offset.y), 20.0f, 2.0f + 1e-3f);
            }
        }
    }
}

// Every refused input: a fatal report naming the file and the line marked "@".
TEST_F(AscReaderTest, RefusedInputsNameFileAndLine)
{
    const std::string start = Header() + Scene();
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::string box = BoxMesh(0, 0, 0);
    std::string manyAnimated = start;
    for (int i = 0; i < 257; ++i)
        manyAnimated += Object("Bip01 N" + std::to_string(i), "", 0, 0, 0, Tracks({0.0f, 1.0f}));
    manyAnimated.insert(manyAnimated.rfind("}\r\n"), "@");
    struct Case {
        const char* what;
        std::string text;
        int flags;
        int message;
    };
    const Case cases[] = {
        {"no scene", Header() + "@" + Object("Bip01", "", 0, 0, 0), 6, IDS_ASC_NO_SCENE},
        {"mesh before its node", start + "*GEOMOBJECT {\r\n@" + box + "}\r\n", 6, IDS_ASC_BEFORE_NODE_NAME},
        {"node matrix before its node", start + "*GEOMOBJECT {\r\n@" + NodeTM("ZM_A", 0, 0, 0) + "}\r\n", 6,
         IDS_NO_MODEL_NODE},
        {"object without a name", start + "*GEOMOBJECT {\r\n\t*MATERIAL_REF 0\r\n@}\r\n", 6,
         IDS_ASC_OBJECT_WITHOUT_NAME},
        {"map before its material name",
         start + "*MATERIAL_LIST {\r\n\t*MATERIAL 0 {\r\n@\t\t*MAP_DIFFUSE {\r\n\t\t\t*BITMAP \"a.tga\"\r\n\t\t}\r\n"
                 "\t\t*MATERIAL_NAME \"M\"\r\n\t}\r\n}\r\n",
         6, IDS_ASC_MAP_BEFORE_NAME},
        {"corner past the vertices",
         start + Object("ZM_A", "", 0, 0, 0,
                        replaced(box, "\t\t\t*MESH_FACE    0:    A:    0", "@\t\t\t*MESH_FACE    0:    A:    8")),
         6, IDS_ASC_INDEX_OUT_OF_RANGE},
        {"texture corner past the texture vertices",
         start + Object("ZM_A", "", 0, 0, 0, replaced(box, "\t\t\t*MESH_TFACE 0\t0\t1\t3", "\t\t\t*MESH_TFACE 0\t0\t1\t4@")),
         6, IDS_ASC_INDEX_OUT_OF_RANGE},
        {"more texture faces than faces",
         start + Object("ZM_A", "", 0, 0, 0,
                        replaced(replaced(box, "*MESH_NUMTVFACES 12", "*MESH_NUMTVFACES 13"), "\t\t*MESH_TFACELIST",
                                 "@\t\t*MESH_TFACELIST")),
         6, IDS_ASC_COUNT_OUT_OF_RANGE},
        {"negative count",
         start + Object("ZM_A", "", 0, 0, 0, replaced(box, "\t\t*MESH_NUMVERTEX 8", "@\t\t*MESH_NUMVERTEX -8")), 6,
         IDS_ASC_COUNT_OUT_OF_RANGE},
        {"huge count",
         start + Object("ZM_A", "", 0, 0, 0, replaced(box, "\t\t*MESH_NUMFACES 12", "@\t\t*MESH_NUMFACES 2000000000")),
         6, IDS_ASC_COUNT_OUT_OF_RANGE},
        {"material reference past the groups",
         start + Materials() +
             Object("ZM_A", "", 0, 0, 0, "\t*MATERIAL_REF 2\r\n" + replaced(box, "\t\t}\r\n\t}\r\n", "\t\t}\r\n@\t}\r\n")),
         6, IDS_ASC_MATERIAL_REF_PAST_GROUPS},
        {"zero scale",
         start + replaced(Object("Bip01", "", 0, 0, 0), "\t\t*TM_SCALE 1.0000\t1.0000\t1.0000",
                          "@\t\t*TM_SCALE 1.0000\t0.0000\t1.0000"),
         6, IDS_ASC_ZERO_SCALE},
        {"soft-skin weights without their mesh",
         start + Object("Bip01", "", 0, 0, 0) + "*MESH_SOFTSKINVERTS {\r\n@ZM_None\r\n1\r\n1\t\"Bip01\"\t1.0\r\n}\r\n", 6,
         IDS_ASC_SKIN_WITHOUT_MESH},
        {"soft-skin weights for another vertex count",
         start + Materials() + Object("Bip01", "", 0, 0, 0) +
             Object("ZM_S", "", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 0, 1.0f, "*MESH_SOFTSKIN")) +
             "*MESH_SOFTSKINVERTS {\r\nZM_S\r\n@9\r\n}\r\n",
         6, IDS_ASC_SKIN_VERTEX_COUNT},
        {"more than 256 animated objects", manyAnimated, 5, IDS_ASC_TOO_MANY_ANI_OBJECTS},
        {"a node name twice", start + Object("Bip01", "", 0, 0, 0) + "*GEOMOBJECT {\r\n@\t*NODE_NAME \"Bip01\"\r\n}\r\n", 6,
         IDS_SAME_NODE_NAME_USED},
        {"frames before the scene's first", Header() + replaced(Scene(10, 20), "}", "@}"), 6,
         IDS_ILLEGAL_FRAME_RANGE_MDS},
    };
    for (const Case& c : cases) {
        host.Clear();
        proto->Clear();
        const std::size_t marker = c.text.find('@');
        ASSERT_NE(marker, std::string::npos) << c.what;
        const int line = 1 + static_cast<int>(std::count(c.text.begin(), c.text.begin() + static_cast<long>(marker), '\n'));
        EXPECT_FALSE(Load("BAD.ASC", c.text, c.flags)) << c.what;
        const std::string text = LoadResString(c.message);
        const std::string reason = text.substr(0, text.find('%'));
        bool named = false;
        for (const std::string& shown : Texts()) {
            if (shown.find("BAD.ASC(" + std::to_string(line) + "):") != std::string::npos &&
                shown.find(reason) != std::string::npos)
                named = true;
        }
        EXPECT_TRUE(named) << c.what << ": expected line " << line << " and '" << reason << "' in\n"
                           << ::testing::PrintToString(Texts());
    }
}

} // namespace
