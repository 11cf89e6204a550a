// The ASC writer: header, scene, material groups, objects, node matrices, meshes,
// soft skins and animation tracks.
#include "zCAscWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "JobGlobals.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCMaterial.h"
#include "zCMeshSoftSkin.h"
#include "zCModelPrototype.h"
#include "zCObjectFactory.h"
#include "zCProgMeshProto.h"
#include "zCTexture.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"
#include "zQUAT.h"

namespace {

const float kColourScale = 0.003921569f;

bool Contains(const zSTRING& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

std::string Int(int n)
{
    return zSTRING(n);
}

std::string Num(float f)
{
    return zSTRING(f, 6);
}

zVEC3 Colour(const zCMaterial& m)
{
    return zVEC3(m.color.r * kColourScale, m.color.g * kColourScale, m.color.b * kColourScale);
}

// Equal coordinates give equal keys; 0.0 and -0.0 are equal.
std::uint64_t TexCoordKey(const zVEC2& uv)
{
    const float x = uv.x + 0.0f;
    const float y = uv.y + 0.0f;
    std::uint32_t bx = 0, by = 0;
    std::memcpy(&bx, &x, sizeof bx);
    std::memcpy(&by, &y, sizeof by);
    return static_cast<std::uint64_t>(bx) << 32 | by;
}

zSTRING MixedCase(const zSTRING& name)
{
    zSTRING copy = name;
    copy.ToMixedCase();
    return copy;
}

}  // namespace

void AscVecToMax(zVEC3& v)
{
    v = zVEC3(-v.x, -v.z, v.y);
}

void AscMatToMax(zMAT4& m)
{
    zMAT4 a = m;
    const int column[3] = {0, 2, 1};
    for (int r = 0; r < 3; ++r) {
        m.m[r][0] = -a.m[0][column[r]];
        m.m[r][1] = -a.m[2][column[r]];
        m.m[r][2] = a.m[1][column[r]];
        m.m[r][3] = 0.0f;
    }
    m.m[3][0] = -a.m[0][3];
    m.m[3][1] = -a.m[2][3];
    m.m[3][2] = a.m[1][3];
    m.m[3][3] = a.m[3][3];
}

zCAscWriter::zCAscWriter() = default;

zCAscWriter::~zCAscWriter()
{
    Clear();
}

void zCAscWriter::SetProgramText(const zSTRING& newVersion, const zSTRING& newReleaseDate)
{
    version = newVersion;
    releaseDate = newReleaseDate;
}

void zCAscWriter::Line(const std::string& text)
{
    out.append(static_cast<std::size_t>(indent), '\t');
    out += text;
    out += "\r\n";
}

void zCAscWriter::Open(const std::string& text)
{
    Line(text);
    ++indent;
}

void zCAscWriter::Close()
{
    --indent;
    Line("}");
}

void zCAscWriter::KeyInt(const char* key, int n)
{
    Line(std::string(key) + " " + Int(n));
}

void zCAscWriter::KeyFloat(const char* key, float f)
{
    Line(std::string(key) + " " + Num(f));
}

void zCAscWriter::KeyVec3(const char* key, const zVEC3& v)
{
    Line(std::string(key) + " " + Num(v.x) + "\t" + Num(v.y) + "\t" + Num(v.z));
}

void zCAscWriter::KeyIndexVec3(const char* key, int i, const zVEC3& v)
{
    Line(std::string(key) + " " + Int(i) + "\t" + Num(v.x) + "\t" + Num(v.y) + "\t" + Num(v.z));
}

void zCAscWriter::KeyString(const char* key, const std::string& s)
{
    Line(std::string(key) + " \"" + s + "\"");
}

bool zCAscWriter::WriteFile(zCModelPrototype& proto, const zTAscExportInfo& info)
{
    const zSTRING path = g_jobDestDir + info.fileName;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(path));
    if (file->Exists() && file->Open(false) == 0) {
        // Only a value the old file states is compared.
        bool haveFirst = false, haveLast = false;
        int oldFirst = 0, oldLast = 0;
        zSTRING line;
        while (!(haveFirst && haveLast) && !file->Eof() && file->ReadLine(line) == 0) {
            line.Upper();
            const zSTRING word = line.PickWord(3, " \t");
            if (Contains(line, "*SCENE_FIRSTFRAME")) {
                oldFirst = std::atoi(word.c_str());
                haveFirst = true;
            } else if (Contains(line, "*SCENE_LASTFRAME")) {
                oldLast = std::atoi(word.c_str());
                haveLast = true;
            }
        }
        file->Close();
        if (haveFirst && oldFirst != info.firstFrame)
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MODEL_FILE_OTHER_FIRST_FRAME, info.fileName));
        else if (haveLast && oldLast != info.lastFrame)
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MODEL_FILE_OTHER_LAST_FRAME, info.fileName));
    }
    const std::string text = WriteText(proto, info);
    // The file layer reports its own create and write failures.
    if (file->Create() != 0)
        return false;
    const bool written = file->Write(static_cast<const void*>(text.data()), static_cast<long>(text.size())) == 0;
    file->Close();
    if (!written)
        return false;
    g_errorReporter.Report(zERR_MESSAGE, info.fileName);
    return true;
}

bool zCAscWriter::WritePrototype(zCModelPrototype& proto, const zSTRING& fileName)
{
    zTAscExportInfo info;
    info.fileName = fileName;
    return WriteFile(proto, info);
}

std::string zCAscWriter::WriteText(zCModelPrototype& proto, const zTAscExportInfo& info)
{
    out.clear();
    indent = 0;
    sceneName = zPATH(info.fileName).GetFilename();
    Line("*3DSMAX_ASCIIEXPORT\t110");
    Line("*COMMENT \"[ Tavrelin v" + version + " ] - " + releaseDate + "\"");
    firstFrame = info.firstFrame;
    lastFrame = info.lastFrame;
    numFrames = lastFrame - firstFrame + 1;
    ticksPerFrame = info.fps != 0 ? 4800 / info.fps : 1;
    WriteScene(static_cast<float>(info.fps));
    const bool meshExport = info.frames.empty();
    if (meshExport) {
        CollectMaterials(proto);
        WriteMaterialList();
    }
    for (int i = 0; i < proto.nodeList.GetNum(); ++i)
        CalcWorldMatrix(proto, *proto.nodeList[i]);
    if (meshExport) {
        for (int i = 0; i < proto.nodeList.GetNum(); ++i)
            AddDummyNode(proto, *proto.nodeList[i]);
        for (int i = 0; i < proto.nodeList.GetNum(); ++i)
            AddFrillNode(proto, *proto.nodeList[i]);
        for (int i = 0; i < proto.softSkinList.GetNum(); ++i)
            AddSkinNode(proto, *proto.softSkinList[i]);
    }
    CalcAniMatrices(proto, info.frames);
    for (int i = 0; i < proto.nodeList.GetNum(); ++i)
        WriteObject(proto, *proto.nodeList[i], false);
    for (zCModelNodeRec* node : frillNodes)
        WriteObject(proto, *node, false);
    for (zCModelNodeRec* node : dummyNodes)
        WriteObject(proto, *node, false);
    for (zCModelNodeRec* node : skinNodes)
        WriteObject(proto, *node, true);
    if (meshExport)
        for (int i = 0; i < proto.softSkinList.GetNum(); ++i)
            WriteSoftSkinVerts(proto, *proto.softSkinList[i]);
    Clear();
    return std::move(out);
}

void zCAscWriter::Clear()
{
    for (zCModelNodeRec* node : frillNodes)
        delete node;
    for (zCModelNodeRec* node : dummyNodes)
        delete node;
    for (zCModelNodeRec* node : skinNodes)
        delete node;
    frillNodes.clear();
    dummyNodes.clear();
    skinNodes.clear();
    aniMatrices.clear();
    materialGroups.clear();
}

void zCAscWriter::WriteScene(float fps)
{
    Open("*SCENE {");
    KeyString("*SCENE_FILENAME", sceneName + ".MAX");
    KeyInt("*SCENE_FIRSTFRAME", firstFrame);
    KeyInt("*SCENE_LASTFRAME", lastFrame < firstFrame ? firstFrame + 101 : lastFrame);
    KeyFloat("*SCENE_FRAMESPEED", fps);
    KeyInt("*SCENE_TICKSPERFRAME", ticksPerFrame);
    KeyVec3("*SCENE_BACKGROUND_STATIC", zVEC3(0, 0, 0));
    KeyVec3("*SCENE_AMBIENT_STATIC", zVEC3(0.2f, 0.2f, 0.2f));
    Close();
}

void zCAscWriter::CollectMaterials(zCModelPrototype& proto)
{
    std::vector<const zCProgMeshProto*> meshes;
    for (int i = 0; i < proto.nodeList.GetNum(); ++i)
        if (auto* mesh = dynamic_cast<const zCProgMeshProto*>(proto.nodeList[i]->visual))
            meshes.push_back(mesh);
    for (int i = 0; i < proto.softSkinList.GetNum(); ++i)
        meshes.push_back(proto.softSkinList[i]);
    materialGroups.clear();
    for (const zCProgMeshProto* mesh : meshes) {
        materialGroups.emplace_back();
        std::size_t current = materialGroups.size() - 1;
        for (int s = 0; s < mesh->GetNumSubMeshes(); ++s) {
            zCMaterial* m = mesh->GetSubMesh(s).material;
            if (!m || !m->GetTexture())
                continue;
            auto& group = materialGroups[current];
            if (std::find(group.begin(), group.end(), m) != group.end())
                continue;
            std::size_t other = 0;
            while (other < materialGroups.size() &&
                   std::find(materialGroups[other].begin(), materialGroups[other].end(), m) == materialGroups[other].end())
                ++other;
            if (other == materialGroups.size()) {
                group.push_back(m);
                continue;
            }
            // Both groups' materials meet in one mesh: they become one group.
            auto& target = materialGroups[other];
            target.insert(target.end(), group.begin(), group.end());
            materialGroups.erase(materialGroups.begin() + static_cast<long>(current));
            current = other < current ? other : other - 1;
        }
    }
}

void zCAscWriter::WriteMaterialList()
{
    if (materialGroups.empty())
        return;
    Open("*MATERIAL_LIST {");
    KeyInt("*MATERIAL_COUNT", static_cast<int>(materialGroups.size()));
    for (std::size_t i = 0; i < materialGroups.size(); ++i) {
        const int group = static_cast<int>(i);
        const std::size_t n = materialGroups[i].size();
        if (n == 1) {
            WriteStandardMaterial("*MATERIAL " + Int(group) + " {", group, 0, false);
        } else if (n >= 2) {
            Open("*MATERIAL " + Int(group) + " {");
            KeyString("*MATERIAL_NAME", "Compound Material #" + Int(group + 1));
            KeyString("*MATERIAL_CLASS", "Multi/Sub-Object");
            KeyInt("*NUMSUBMTLS", static_cast<int>(n));
            for (std::size_t k = 0; k < n; ++k)
                WriteStandardMaterial("*SUBMATERIAL " + Int(static_cast<int>(k)) + " {", group,
                                      static_cast<int>(k), true);
            Close();
        }
    }
    Close();
}

void zCAscWriter::WriteStandardMaterial(const std::string& header, int group, int k, bool multi)
{
    const zCMaterial& m = *materialGroups[static_cast<std::size_t>(group)][static_cast<std::size_t>(k)];
    std::string name = m.GetObjectName();
    const std::string prefix = sceneName + "-";
    if (name.compare(0, prefix.size(), prefix) == 0)
        name.erase(0, prefix.size());
    const zVEC3 c = Colour(m);
    Open(header);
    KeyString("*MATERIAL_NAME", name);
    KeyString("*MATERIAL_CLASS", "Standard");
    KeyVec3("*MATERIAL_AMBIENT", c);
    KeyVec3("*MATERIAL_DIFFUSE", c);
    KeyVec3("*MATERIAL_SPECULAR", zVEC3(0.9f, 0.9f, 0.9f));
    KeyFloat("*MATERIAL_SHINE", 0.1f);
    KeyFloat("*MATERIAL_SHINESTRENGTH", 0.0f);
    KeyFloat("*MATERIAL_TRANSPARENCY", 0.0f);
    KeyFloat("*MATERIAL_WIRESIZE", 1.0f);
    Line("*MATERIAL_SHADING Blinn");
    KeyFloat("*MATERIAL_XP_FALLOFF", 0.0f);
    KeyFloat("*MATERIAL_SELFILLUM", 0.0f);
    Line("*MATERIAL_FALLOFF In");
    Line("*MATERIAL_XP_TYPE Filter");
    Open("*MAP_DIFFUSE {");
    std::string mapName = "Map #" + Int(group + 1);
    if (multi)
        mapName += "-" + Int(k + 1);
    KeyString("*MAP_NAME", mapName);
    KeyString("*MAP_CLASS", "Bitmap");
    KeyInt("*MAP_SUBNO", 1);
    KeyFloat("*MAP_AMOUNT", 1.0f);
    KeyString("*BITMAP", m.GetTexture() ? std::string(m.GetTexture()->GetObjectName()) : std::string());
    Line("*MAP_TYPE Screen");
    KeyFloat("*UVW_U_OFFSET", 0.0f);
    KeyFloat("*UVW_V_OFFSET", 0.0f);
    KeyFloat("*UVW_U_TILING", 1.0f);
    KeyFloat("*UVW_V_TILING", 1.0f);
    KeyFloat("*UVW_ANGLE", 0.0f);
    KeyFloat("*UVW_BLUR", 1.0f);
    KeyFloat("*UVW_BLUR_OFFSET", 0.0f);
    KeyFloat("*UVW_NOUSE_AMT", 1.0f);
    KeyFloat("*UVW_NOISE_SIZE", 1.0f);
    KeyInt("*UVW_NOISE_LEVEL", 1);
    KeyFloat("*UVW_NOISE_PHASE", 0.0f);
    Line("*BITMAP_FILTER Pyramidal");
    Close();
    Close();
}

zSTRING zCAscWriter::MakeUniqueHelperNodeName(zCModelPrototype& proto, const char* base) const
{
    for (int n = 0;; ++n) {
        const zSTRING candidate = n == 0 ? zSTRING(base) : zSTRING(std::string(base) + Int(n));
        bool taken = false;
        for (int i = 0; i < proto.nodeList.GetNum() && !taken; ++i)
            taken = proto.nodeList[i]->nodeName == candidate;
        for (const auto* list : {&skinNodes, &dummyNodes, &frillNodes})
            for (const zCModelNodeRec* node : *list)
                taken = taken || node->nodeName == candidate;
        if (!taken)
            return candidate;
    }
}

void zCAscWriter::CalcWorldMatrix(zCModelPrototype& proto, zCModelNodeRec& node)
{
    zMAT4 local = node.localMatrix;
    if (node.parent) {
        node.translation = zVEC3(local.m[0][3], local.m[1][3], local.m[2][3]);
        node.worldMatrix = node.parent->worldMatrix * local;
    } else {
        node.translation = proto.rootTranslation;
        local.m[0][3] = node.translation.x;
        local.m[1][3] = node.translation.y;
        local.m[2][3] = node.translation.z;
        node.worldMatrix = local;
    }
}

void zCAscWriter::AddDummyNode(zCModelPrototype& proto, zCModelNodeRec& node)
{
    if (!node.parent || !Contains(node.nodeName, "BIP01"))
        return;
    for (int i = 0; i < proto.nodeList.GetNum(); ++i)
        if (proto.nodeList[i]->parent == &node)
            return;
    auto* dummy = new zCModelNodeRec();
    dummy->nodeName = MakeUniqueHelperNodeName(proto, "DUMMY");
    dummy->parent = &node;
    const zMAT4& w = node.worldMatrix;
    const zMAT4& pw = node.parent->worldMatrix;
    dummy->worldMatrix = MakeIdentityMatrix();
    for (int r = 0; r < 3; ++r)
        dummy->worldMatrix.m[r][3] = w.m[r][3] + 0.5f * (w.m[r][3] - pw.m[r][3]);
    dummyNodes.push_back(dummy);
}

void zCAscWriter::AddFrillNode(zCModelPrototype& proto, zCModelNodeRec& node)
{
    if (!node.visual || Contains(node.nodeName, "ZM_"))
        return;
    auto* frill = new zCModelNodeRec();
    frill->parent = &node;
    frill->SetNodeVisual(node.visual);
    frill->nodeName = MakeUniqueHelperNodeName(proto, "ZM_FRILL");
    frill->localMatrix = MakeIdentityMatrix();
    CalcWorldMatrix(proto, *frill);
    frillNodes.push_back(frill);
}

void zCAscWriter::AddSkinNode(zCModelPrototype& proto, zCMeshSoftSkin& skin)
{
    auto* node = new zCModelNodeRec();
    node->nodeName = MakeUniqueHelperNodeName(proto, "ZM_SKIN");
    node->parent = proto.SearchNode("BIP01");
    node->SetNodeVisual(&skin);
    node->localMatrix = MakeIdentityMatrix();
    node->worldMatrix = MakeIdentityMatrix();
    node->rotAxis = zVEC3(0, 0, 1);
    skinNodes.push_back(node);
}

void zCAscWriter::CalcRotAxisAngle(zCModelNodeRec& node)
{
    zMAT4 w = node.worldMatrix;
    for (int r = 0; r < 3; ++r)
        w.m[r][3] = 0.0f;
    const zVEC3 patterns[2] = {zVEC3(-1, 1, -1), zVEC3(-1, -1, -1)};
    float error[2];
    zQUAT q[2];
    for (int s = 0; s < 2; ++s) {
        const zMAT4 m = w * MakeScalingMatrix(patterns[s]);
        q[s].FromMatrix4(m);
        q[s].Normalize();
        zMAT4 rotation = MakeIdentityMatrix();
        q[s].ToMatrix4(rotation);
        error[s] = 0.0f;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                error[s] += std::fabs(m.m[r][c] - rotation.m[r][c]);
    }
    const int chosen = error[0] >= error[1] ? 1 : 0;
    scale = patterns[chosen];
    q[chosen].ToAxisAngle(node.rotAxis, node.rotAngle);
}

void zCAscWriter::WriteNodeTM(zCModelNodeRec& node)
{
    zMAT4 b = node.worldMatrix;
    AscMatToMax(b);
    zVEC3 pos(node.worldMatrix.m[0][3], node.worldMatrix.m[1][3], node.worldMatrix.m[2][3]);
    AscVecToMax(pos);
    zVEC3 axis = node.rotAxis;
    AscVecToMax(axis);
    if (node.rotAngle == 0.0f)
        axis = zVEC3(0, 0, 0);
    zVEC3 s = scale;
    AscVecToMax(s);
    Open("*NODE_TM {");
    KeyString("*NODE_NAME", MixedCase(node.nodeName));
    const char* rows[4] = {"*TM_ROW0", "*TM_ROW1", "*TM_ROW2", "*TM_ROW3"};
    for (int r = 0; r < 4; ++r)
        KeyVec3(rows[r], zVEC3(b.m[r][0], b.m[r][1], b.m[r][2]));
    KeyVec3("*TM_POS", pos);
    KeyVec3("*TM_ROTAXIS", axis);
    KeyFloat("*TM_ROTANGLE", node.rotAngle);
    KeyVec3("*TM_SCALE", s);
    KeyVec3("*TM_SCALEAXIS", zVEC3(0, 0, 0));
    KeyVec3("*TM_SCALEAXISANG", zVEC3(0, 0, 0));
    Close();
}

int zCAscWriter::WriteMaterialRef(zCModelNodeRec& node)
{
    auto* mesh = dynamic_cast<const zCProgMeshProto*>(node.visual);
    if (!mesh || mesh->GetNumSubMeshes() == 0 || !mesh->GetSubMesh(0).material)
        return -1;
    // Any textured sub-mesh decides the group: going by the first one alone would
    // write a mesh that starts untextured with a plain colour and lose its textures.
    for (int s = 0; s < mesh->GetNumSubMeshes(); ++s) {
        const zCMaterial* m = mesh->GetSubMesh(s).material;
        if (!m || !m->GetTexture())
            continue;
        for (std::size_t g = 0; g < materialGroups.size(); ++g)
            if (std::find(materialGroups[g].begin(), materialGroups[g].end(), m) != materialGroups[g].end()) {
                KeyInt("*MATERIAL_REF", static_cast<int>(g));
                return static_cast<int>(g);
            }
    }
    KeyVec3("*WIREFRAME_COLOR", Colour(*mesh->GetSubMesh(0).material));
    return -1;
}

void zCAscWriter::WriteObject(zCModelPrototype& proto, zCModelNodeRec& node, bool softSkin)
{
    const bool geometry = Contains(node.nodeName, "ZM_");
    Open(geometry ? "*GEOMOBJECT {" : "*HELPEROBJECT {");
    KeyString("*NODE_NAME", MixedCase(node.nodeName));
    if (node.parent)
        KeyString("*NODE_PARENT", MixedCase(node.parent->nodeName));
    CalcRotAxisAngle(node);
    WriteNodeTM(node);
    if (geometry && node.visual) {
        const int group = WriteMaterialRef(node);
        std::vector<const zCProgMeshProto*> chain;
        for (const zCVisual* v = node.visual; v; v = v->GetNextVisual())
            if (auto* mesh = dynamic_cast<const zCProgMeshProto*>(v))
                chain.push_back(mesh);
        std::vector<std::vector<zVEC3>> positions(chain.size());
        for (std::size_t k = 0; k < chain.size(); ++k) {
            for (int i = 0; i < chain[k]->GetNumPositions(); ++i)
                positions[k].push_back(node.worldMatrix * chain[k]->GetPosition(i));
            if (auto* skin = softSkin ? dynamic_cast<const zCMeshSoftSkin*>(chain[k]) : nullptr)
                ApplySoftSkin(proto, *skin, positions[k]);
        }
        if (chain.size() == 1) {
            WriteMesh(*chain[0], positions[0], group, firstFrame, true, softSkin);
        } else if (chain.size() > 1) {
            Line("*MESH_ANIMATION {");
            for (std::size_t k = 0; k < chain.size(); ++k)
                WriteMesh(*chain[k], positions[k], group, firstFrame + static_cast<int>(k) * ticksPerFrame, false,
                          false);
            Line("}");
        }
    }
    WriteTmAnimation(node);
    Close();
}

void zCAscWriter::WriteMesh(const zCProgMeshProto& mesh, const std::vector<zVEC3>& positions, int group, int time,
                            bool withTexVerts, bool softSkin)
{
    struct Face {
        int corner[3];
        zVEC2 uv[3];
        const zCMaterial* material;
    };
    std::vector<Face> faces;
    for (int s = 0; s < mesh.GetNumSubMeshes(); ++s) {
        for (int t = 0; t < mesh.GetCount(s, zPM_TRIANGLES); ++t) {
            Face face{};
            face.material = mesh.GetSubMesh(s).material;
            for (int c = 0; c < 3; ++c) {
                const zTProgMeshWedge wedge = mesh.GetWedge(s, mesh.GetIndex(s, zPM_TRIANGLES, t, c));
                // A corner whose position is not in the list has no vertex.
                face.corner[c] = wedge.position < mesh.GetNumPositions() ? wedge.position : -1;
                face.uv[c] = wedge.texCoord;
            }
            faces.push_back(face);
        }
    }
    const int numVert = static_cast<int>(positions.size());
    const int numFaces = static_cast<int>(faces.size());
    Open(softSkin ? "*MESH_SOFTSKIN {" : "*MESH {");
    KeyInt("*TIMEVALUE", time);
    KeyInt("*MESH_NUMVERTEX", numVert);
    KeyInt("*MESH_NUMFACES", numFaces);
    Open("*MESH_VERTEX_LIST {");
    for (int i = 0; i < numVert; ++i) {
        zVEC3 p = positions[static_cast<std::size_t>(i)];
        AscVecToMax(p);
        KeyIndexVec3("*MESH_VERTEX", i, p);
    }
    Close();
    const std::vector<zCMaterial*>* materials =
        group >= 0 ? &materialGroups[static_cast<std::size_t>(group)] : nullptr;
    Open("*MESH_FACE_LIST {");
    for (int i = 0; i < numFaces; ++i) {
        const Face& f = faces[static_cast<std::size_t>(i)];
        int id = 0;
        if (materials) {
            auto it = std::find(materials->begin(), materials->end(), f.material);
            id = it == materials->end() ? -1 : static_cast<int>(it - materials->begin());
        }
        Line("*MESH_FACE    " + Int(i) + ":    A:    " + Int(f.corner[0]) + " B:    " + Int(f.corner[1]) +
             " C:    " + Int(f.corner[2]) + " AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t*MESH_MTLID " +
             Int(id));
    }
    Close();
    if (withTexVerts) {
        std::vector<zVEC2> tverts;
        std::vector<int> tfaces;
        // Equal coordinates share one entry, found by value: a search through the list
        // would make a large textured mesh take quadratic time.
        std::unordered_map<std::uint64_t, int> known;
        for (const Face& f : faces)
            for (const zVEC2& uv : f.uv) {
                const auto [at, added] = known.emplace(TexCoordKey(uv), static_cast<int>(tverts.size()));
                if (added)
                    tverts.push_back(uv);
                tfaces.push_back(at->second);
            }
        KeyInt("*MESH_NUMTVERTEX", static_cast<int>(tverts.size()));
        Open("*MESH_TVERTLIST {");
        for (std::size_t j = 0; j < tverts.size(); ++j)
            KeyIndexVec3("*MESH_TVERT", static_cast<int>(j), zVEC3(tverts[j].x, 1.0f - tverts[j].y, 0.0f));
        Close();
        KeyInt("*MESH_NUMTVFACES", numFaces);
        Open("*MESH_TFACELIST {");
        for (int i = 0; i < numFaces; ++i)
            Line("*MESH_TFACE " + Int(i) + "\t" + Int(tfaces[3 * i]) + "\t" + Int(tfaces[3 * i + 1]) + "\t" +
                 Int(tfaces[3 * i + 2]));
        Close();
    }
    Close();
}

void zCAscWriter::ApplySoftSkin(zCModelPrototype& proto, const zCMeshSoftSkin& skin, std::vector<zVEC3>& positions)
{
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    if (!skin.GetWeights(weights))
        return;  // a broken stream leaves the mesh where it stands
    for (std::size_t i = 0; i < positions.size() && i < weights.size(); ++i) {
        zVEC3 p(0, 0, 0);
        for (const zTSoftSkinWeightEntry& entry : weights[i]) {
            if (entry.node >= proto.nodeList.GetNum())
                continue;  // no such node: the entry cannot place the vertex
            const zVEC3 q = proto.nodeList[entry.node]->worldMatrix * entry.offset;
            p = zVEC3(p.x + entry.weight * q.x, p.y + entry.weight * q.y, p.z + entry.weight * q.z);
        }
        positions[i] = p;
    }
}

void zCAscWriter::WriteSoftSkinVerts(zCModelPrototype& proto, const zCMeshSoftSkin& skin)
{
    const zCModelNodeRec* skinNode = nullptr;
    for (const zCModelNodeRec* node : skinNodes)
        if (node->visual == &skin)
            skinNode = node;
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    if (!skin.GetWeights(weights))
        weights.clear();
    Line("*MESH_SOFTSKINVERTS {");
    Line(skinNode ? std::string(MixedCase(skinNode->nodeName)) : std::string());
    Line(Int(skin.GetNumPositions()));
    for (int i = 0; i < skin.GetNumPositions(); ++i) {
        std::string entries;
        int count = 0;
        if (static_cast<std::size_t>(i) < weights.size())
            for (const zTSoftSkinWeightEntry& entry : weights[static_cast<std::size_t>(i)]) {
                // An entry naming no node of the model would not read back; it is left out.
                if (entry.node >= proto.nodeList.GetNum())
                    continue;
                entries += "\t\"" + std::string(MixedCase(proto.nodeList[entry.node]->nodeName)) + "\"\t" + Num(entry.weight);
                ++count;
            }
        Line(Int(count) + entries);
    }
    Line("}");
}

void zCAscWriter::CalcAniMatrices(zCModelPrototype& proto, const std::vector<zTAscFrame>& frames)
{
    aniMatrices.clear();
    const int numNodes = proto.nodeList.GetNum();
    for (int i = 0; i < numNodes; ++i) {
        const auto at = static_cast<std::size_t>(i);
        bool animated = false;
        for (const zTAscFrame& frame : frames)
            animated = animated || (at < frame.animated.size() && frame.animated[at] != 0);
        if (!animated)
            continue;
        const zCModelNodeRec* node = proto.nodeList[i];
        auto parentFrames = node->parent ? aniMatrices.find(node->parent) : aniMatrices.end();
        std::vector<zMAT4>& world = aniMatrices[node];
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const zTAscFrame& frame = frames[f];
            // A pose without values for this node holds the bind pose.
            zMAT4 r = node->localMatrix;
            if (at < frame.rotations.size() && at < frame.positions.size()) {
                r = zMAT4();
                frame.rotations[at].ToMatrix4(r);
                r.m[0][3] = frame.positions[at].x;
                r.m[1][3] = frame.positions[at].y;
                r.m[2][3] = frame.positions[at].z;
                r.m[3][3] = 1.0f;
            }
            if (!node->parent)
                world.push_back(r);
            else if (parentFrames != aniMatrices.end())
                world.push_back(parentFrames->second[f] * r);
            else
                world.push_back(node->parent->worldMatrix * r);
        }
    }
}

void zCAscWriter::WriteTmAnimation(zCModelNodeRec& node)
{
    const auto found = aniMatrices.find(&node);
    if (found == aniMatrices.end())
        return;
    const std::vector<zMAT4>& world = found->second;
    Open("*TM_ANIMATION {");
    KeyString("*NODE_NAME ", MixedCase(node.nodeName));
    const int samples = std::min(numFrames, static_cast<int>(world.size()));
    Open("*CONTROL_POS_TRACK {");
    for (int f = 0; f < samples; ++f) {
        const zMAT4& m = world[static_cast<std::size_t>(f)];
        zVEC3 pos(m.m[0][3], m.m[1][3], m.m[2][3]);
        AscVecToMax(pos);
        KeyIndexVec3("*CONTROL_POS_SAMPLE", ticksPerFrame * f + firstFrame, pos);
    }
    Close();
    Open("*CONTROL_ROT_TRACK {");
    for (int f = 0; f < samples; ++f) {
        zQUAT q;
        q.FromMatrix4(world[static_cast<std::size_t>(f)] * MakeScalingMatrix(scale));
        q.Normalize();
        zVEC3 axis;
        float angle = 0.0f;
        q.ToAxisAngle(axis, angle);
        AscVecToMax(axis);
        Line("*CONTROL_ROT_SAMPLE " + Int(ticksPerFrame * f + firstFrame) + "\t" + Num(axis.x) + "\t" + Num(axis.y) +
             "\t" + Num(axis.z) + "\t" + Num(angle));
    }
    Close();
    Open("*CONTROL_SCALE_TRACK {");
    zVEC3 s = scale;
    AscVecToMax(s);
    Line("*CONTROL_SCALE_SAMPLE\t" + Int(firstFrame) + "\t" + Num(s.x) + "\t" + Num(s.y) + "\t" + Num(s.z) +
         "\t0\t0\t0\t0");
    Close();
    Close();
}
