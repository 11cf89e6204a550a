// The ASC reader's file, scene, material, object and mesh parts, and LoadAsc.
#include "zCAscModelReader.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCMaterial.h"
#include "zCMesh.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCPolygon.h"
#include "zCProgMeshProto.h"
#include "zFILE.h"
#include "zPATH.h"

zVEC3 g_ascScale(1.0f, 1.0f, 1.0f);

namespace {

// Deeper *SUBMATERIAL nesting than any exporter writes is refused, not recursed into.
constexpr int kMaxMaterialDepth = 32;
// The build flags of an ordinary node mesh's progressive mesh.
constexpr int kNodeMeshBuildFlags = 4;

// Holds a new object's one reference until it is handed on.
template <class T>
struct zTRefHold {
    T* object;
    explicit zTRefHold(T* held) : object(held) {}
    ~zTRefHold()
    {
        if (object)
            object->Release();
    }
    zTRefHold(const zTRefHold&) = delete;
    zTRefHold& operator=(const zTRefHold&) = delete;
    T* Take()
    {
        T* taken = object;
        object = nullptr;
        return taken;
    }
};

zVEC3 PickVector(std::string_view line, int first, int stride, zTAscWords mode)
{
    std::string_view words[3];
    AscPickWords(line, first, stride, 3, mode, words);
    return zVEC3(AscFloat(words[0]), AscFloat(words[1]), AscFloat(words[2]));
}

std::uint8_t ColorByte(float value)
{
    // Values outside 0..1 are clamped rather than wrapped round the byte.
    const float scaled = value * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    return scaled >= 255.0f ? 255 : static_cast<std::uint8_t>(static_cast<int>(scaled));
}

zSTRING TrimmedRight(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return zSTRING(std::string(text));
}

// Every mesh of a node's chain (morph frames follow the first).
// The first mesh's vertex normals are left alone when a progressive mesh is built
// from it: the build sets its own.
void TransformMeshChain(zCVisual* first, const zMAT4& matrix, bool firstNormals)
{
    for (zCVisual* v = first; v; v = v->GetNextVisual()) {
        auto* mesh = dynamic_cast<zCMesh*>(v);
        if (!mesh)
            continue;
        mesh->TransformVertices(matrix, 1);
        if (v != first || firstNormals)
            mesh->CalcVertexNormals(zMESH_VERTNORMAL_AVERAGE, 0);
    }
}

} // namespace

zCAscModelReader::zCAscModelReader(zCModelPrototype& prototype, zCAscFile& ascFile, int flags, int first, int last)
    : proto(prototype),
      file(ascFile),
      readAni((flags & zASC_READ_ANI) != 0),
      readMesh((flags & zASC_READ_MESH) != 0),
      readTree((flags & zASC_READ_TREE) != 0),
      morph((flags & zASC_READ_MORPH) != 0),
      firstFrame(first),
      lastFrame(last == -1 ? 999999 : last),
      // In 64 bits: a script may name any int as its frames (the scene's range is checked later).
      numFrames(static_cast<int>(std::clamp(static_cast<long long>(last) - first + 1,
                                            static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX))))
{
    zPATH path(file.Name());
    sceneName = path.GetFilename();
    sceneName.Upper();
}

zCAscModelReader::~zCAscModelReader()
{
    for (zCNodeTreeEntry* entry : objectEntries) {
        if (entry && entry->data)
            entry->data->keyFrames = nullptr;
    }
    // Skin meshes still waiting for their weights belong to this read alone.
    const int count = proto.auxIndexList.GetNum();
    for (int i = count - waitingSkins; i < count; ++i)
        proto.auxIndexList[i]->Release();
    for (int i = 0; i < waitingSkins; ++i)
        proto.auxIndexList.RemoveIndex(proto.auxIndexList.GetNum() - 1);
    if (wireMaterial)
        wireMaterial->Release();
    ReleaseMaterialGroups();
}

void zCAscModelReader::ReleaseMaterialGroups()
{
    for (const std::vector<zCMaterial*>& group : materialGroups) {
        for (zCMaterial* material : group)
            material->Release();
    }
    materialGroups.clear();
}

int zCAscModelReader::ReadCount(const char* keyword, zTAscWords mode, int max)
{
    const int count = AscInt(AscPickWord(file.Line(), 2, mode));
    if (count < 0 || count > max)
        file.Fail(IDS_ASC_COUNT_OUT_OF_RANGE, keyword, count, max);
    return count;
}

zCModelAni* zCAscModelReader::Read(const zSTRING& aniName)
{
    if (readMesh) {
        proto.ReleaseSoftSkinList();
        proto.bbox3D.mins = zVEC3(FLT_MAX);
        proto.bbox3D.maxs = zVEC3(-FLT_MAX);
    }
    while (file.ReadUpperLine()) {
        if (file.Has("*3DSMAX_ASCIIEXPORT")) {
            int version = AscInt(AscPickWord(file.Line(), 2, zTAscWords::White));
            if (version == 200)
                version = 0;
            if (version < 104)
                file.Report(zERR_WARNING, FormatResString(IDS_ASC_FILE_EXPORT_ENGINE, version));
        } else if (file.Has("*COMMENT")) {
            continue;
        }
        if (file.Has("*SCENE")) {
            if (sceneRead)
                file.Fail(IDS_ASC_REPEATED_KEYWORD, "*SCENE");
            ReadScene();
        } else if (file.Has("*MATERIAL_LIST")) {
            ReadMaterialList();
        } else if (file.Has("*MESH_SOFTSKINVERTS")) {
            ReadSoftSkinVerts();
        } else if (file.Has("*GEOMOBJECT") || file.Has("*HELPEROBJECT")) {
            if (!sceneRead)
                file.Fail(IDS_ASC_NO_SCENE);
            std::unique_ptr<zTKeys> keys;
            zCNodeTreeEntry* entry = nullptr;
            ReadObject(keys, entry);
            if (!keys || !entry)
                continue;
            if (static_cast<int>(keyBuffers.size()) == zASC_MAX_ANI_OBJECTS)
                file.Fail(IDS_ASC_TOO_MANY_ANI_OBJECTS, zASC_MAX_ANI_OBJECTS);
            for (const zCNodeTreeEntry* earlier : objectEntries) {
                if (earlier->data->nodeName == entry->data->nodeName)
                    file.Fail(IDS_SAME_NODE_NAME_USED, entry->data->nodeName);
            }
            entry->data->keyFrames = keys->data();
            keyBuffers.push_back(std::move(keys));
            objectEntries.push_back(entry);
        }
    }
    if (!sceneRead)
        file.Fail(IDS_ASC_NO_SCENE);
    // A skin mesh whose weights never came cannot become a soft skin.
    while (waitingSkins > 0) {
        zCMesh* mesh = proto.auxIndexList[proto.auxIndexList.GetNum() - 1];
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ASC_SKIN_WITHOUT_WEIGHTS, mesh->meshName),
                               file.Name().c_str(), file.LineNumber());
        proto.auxIndexList.RemoveIndex(proto.auxIndexList.GetNum() - 1);
        --waitingSkins;
        mesh->Release();
    }
    ReleaseMaterialGroups();

    MakeKeysParentRelative(&proto.nodeTree, nullptr);
    zCModelAni* ani = readAni ? BuildAni(aniName, sceneFps) : nullptr;
    objectEntries.clear();
    keyBuffers.clear();

    if (readMesh && proto.bbox3D.mins.x == FLT_MAX)
        proto.bbox3D.SetZero();
    if (readTree) {
        proto.CalcNodeListChecksum();
        proto.bbox3D.mins -= proto.rootTranslation;
        proto.bbox3D.maxs -= proto.rootTranslation;
        proto.collisionBox = proto.bbox3D;
        proto.collisionBox.mins.x *= 0.5f;
        proto.collisionBox.maxs.x *= 0.5f;
        proto.collisionBox.mins.z *= 0.5f;
        proto.collisionBox.maxs.z *= 0.5f;
        proto.collisionBox.mins.y *= 0.7f;
        proto.collisionBox.maxs.y *= 0.8f;
    }
    return ani;
}

void zCAscModelReader::ReadScene()
{
    sceneRead = true;
    int first = -1;
    int last = -1;
    while (file.ReadUpperLine()) {
        const std::string& line = file.Line();
        if (file.Has("*SCENE_FIRSTFRAME"))
            first = AscInt(AscPickWord(line, 3, zTAscWords::Tabs));
        else if (file.Has("*SCENE_LASTFRAME"))
            last = AscInt(AscPickWord(line, 3, zTAscWords::Tabs));
        else if (file.Has("*SCENE_FRAMESPEED"))
            sceneFps = AscFloat(AscPickWord(line, 3, zTAscWords::Tabs));
        else if (file.Has("*SCENE_TICKSPERFRAME"))
            continue;
        else if (file.Has("*SCENE_ENVMAP"))
            file.SkipBlock();
        else if (file.Has("}"))
            break;
    }
    if (lastFrame == 999999)
        lastFrame = last;
    // In 64 bits: frame numbers near the int limits must not wrap into a valid range.
    const long long rebasedLast = static_cast<long long>(lastFrame) - first;
    const long long rebasedFirst = static_cast<long long>(firstFrame) - first;
    if (rebasedFirst < 0 || rebasedLast < 0 || rebasedLast < rebasedFirst || rebasedLast > 999999)
        file.Fail(IDS_ILLEGAL_FRAME_RANGE_MDS);
    lastFrame = static_cast<int>(rebasedLast);
    firstFrame = static_cast<int>(rebasedFirst);
    numFrames = lastFrame - firstFrame + 1;
    // An animation counts its frames in 16 bits.
    if (readAni && numFrames > 32767)
        file.Fail(IDS_ASC_FRAME_RANGE_TOO_LONG, numFrames);
}

void zCAscModelReader::ReadMaterialList()
{
    ReleaseMaterialGroups();
    while (file.ReadUpperLine()) {
        if (file.Has("*MATERIAL_COUNT")) {
            materialGroups.reserve(static_cast<std::size_t>(ReadCount("*MATERIAL_COUNT", zTAscWords::White, file.LinesLeft())));
        } else if (file.Has("*MATERIAL")) {
            // The group is in the list before it fills, so a broken-off read releases it.
            materialGroups.emplace_back();
            ReadMaterial(materialGroups.back(), 0);
        } else if (file.Has("}")) {
            break;
        }
    }
}

zCMaterial* zCAscModelReader::ReadMaterial(std::vector<zCMaterial*>& collected, int depth)
{
    if (depth > kMaxMaterialDepth)
        file.Fail(IDS_ASC_NESTED_TOO_DEEP);
    zTRefHold<zCMaterial> mat(nullptr);
    bool found = false;
    bool hasColor = false;
    zVEC3 color;
    while (!found && file.ReadUpperLine()) {
        const std::string& line = file.Line();
        if (file.Has("*MATERIAL_NAME")) {
            if (mat.object)
                file.Fail(IDS_ASC_REPEATED_KEYWORD, "*MATERIAL_NAME");
            zSTRING fullName = sceneName + "-" + zSTRING(std::string(AscQuoted(line)));
            if (zCMaterial* shared = zCMaterial::FindByName(fullName)) {
                shared->AddRef();
                mat.object = shared;
                found = true;
                file.SkipBlock();
            } else {
                mat.object = new zCMaterial(fullName);
            }
        } else if (file.Has("*MATERIAL_DIFFUSE")) {
            color = PickVector(line, 2, 1, zTAscWords::Vector);
            hasColor = true;
        } else if (file.Has("*MAP_DIFFUSE")) {
            if (!mat.object)
                file.Fail(IDS_ASC_MAP_BEFORE_NAME);
            ReadMapDiffuse(mat.object);
        } else if (file.Has("*MAP_")) {
            file.SkipBlock();
        } else if (file.Has("*NUMSUBMTLS")) {
            // A multi-material gives only its sub-materials.
            if (mat.object)
                mat.Take()->Release();
        } else if (file.Has("*SUBMATERIAL")) {
            ReadMaterial(collected, depth + 1);
        } else if (file.Has("{")) {
            file.SkipBlock();
        } else if (file.Has("}")) {
            break;
        }
    }
    if (!mat.object)
        return nullptr;
    if (!found && hasColor) {
        mat.object->color.r = ColorByte(color.x);
        mat.object->color.g = ColorByte(color.y);
        mat.object->color.b = ColorByte(color.z);
    }
    if (mat.object->GetObjectName().empty())
        file.Fail(IDS_MATERIAL_WITHOUT_NAME);
    mat.object->SetFlag(zMAT_FLAG_SMOOTH, true);
    collected.push_back(mat.Take());
    return collected.back();
}

void zCAscModelReader::ReadMapDiffuse(zCMaterial* material)
{
    while (file.ReadUpperLine()) {
        if (file.Has("*BITMAP_FILTER"))
            continue;
        if (file.Has("*BITMAP")) {
            std::string_view path = AscQuoted(file.Line());
            const std::size_t cut = path.find_last_of("\\/");
            if (cut != std::string_view::npos)
                path.remove_prefix(cut + 1);
            zSTRING textureName{std::string(path)};
            material->BindTexture(textureName);
        } else if (file.Has("}")) {
            break;
        }
    }
}

void zCAscModelReader::ReadObject(std::unique_ptr<zTKeys>& outKeys, zCNodeTreeEntry*& outEntry)
{
    zCModelNodeRec* node = nullptr;
    std::unique_ptr<zCModelNodeRec> ownNode;  // a node this object made
    zCNodeTreeEntry* foundEntry = nullptr;
    zCNodeTreeEntry* parentEntry = nullptr;
    zSTRING parentName;
    int materialRef = -1;
    bool skip = false;
    bool skipMesh = !readMesh;
    bool noAni = !readAni;
    bool isSoftSkin = false;
    outKeys.reset();
    outEntry = nullptr;
    if (wireMaterial) {
        wireMaterial->Release();
        wireMaterial = nullptr;
    }
    auto needNode = [&](const char* keyword) -> zCModelNodeRec& {
        if (!node)
            file.Fail(IDS_ASC_BEFORE_NODE_NAME, keyword);
        return *node;
    };

    while (!skip && file.ReadUpperLine()) {
        const std::string& line = file.Line();
        if (file.Has("*NODE_NAME")) {
            if (node)
                file.Fail(IDS_ASC_REPEATED_KEYWORD, "*NODE_NAME");
            std::string_view quoted = AscQuoted(line);
            const std::size_t quote = quoted.find('\'');
            if (quote != std::string_view::npos) {
                quoted.remove_prefix(quote + 1);
                quoted = quoted.substr(0, quoted.find('\''));
            }
            const zSTRING name = TrimmedRight(quoted);
            foundEntry = proto.FindNodeListEntry(name, nullptr);
            if (foundEntry) {
                if (readTree)
                    file.Fail(IDS_SAME_NODE_NAME_USED, name);
                node = foundEntry->data;
                if (foundEntry->parent && foundEntry->parent->data) {
                    parentEntry = foundEntry->parent;
                    parentName = parentEntry->data->nodeName;
                }
            } else {
                ownNode = std::make_unique<zCModelNodeRec>();
                ownNode->nodeName = name;
                node = ownNode.get();
            }
            const bool bip = name.find("BIP01") != std::string::npos;
            const bool mesh = name.find("ZM_") != std::string::npos;
            if (bip) {
                skipMesh = true;
                if (name.find(" FOOTSTEPS") != std::string::npos || name.find("SCHRITTE") != std::string::npos)
                    skip = true;
            }
            if (mesh) {
                noAni = true;
                if (name[0] == '1' || skipMesh)
                    skip = true;
            }
            if (name.find("ZS_") != std::string::npos) {
                skipMesh = true;
            } else if (!bip && !mesh) {
                skip = true;
                if (g_errorReporter.GetFilterLevel() > 8)
                    file.Report(zERR_WARNING, FormatResString(IDS_SKIPPING_NODE_ILLEGAL_NODE, name));
            }
            if (!skip && !foundEntry && !readTree && !readMesh) {
                file.Report(zERR_WARNING, FormatResString(IDS_SKIPPING_NODE_NODE_CONTAINED, name));
                skip = true;
            }
            if (skip)
                file.SkipBlock();
        } else if (file.Has("*NODE_PARENT")) {
            std::string_view quoted = AscQuoted(line);
            quoted = quoted.substr(0, quoted.find('\''));
            parentName = TrimmedRight(quoted);
            parentEntry = parentName.empty() ? nullptr : proto.FindNodeListEntry(parentName, nullptr);
        } else if (file.Has("*NODE_TM")) {
            if (!node)
                file.Fail(IDS_NO_MODEL_NODE);
            const zMAT4 world = ReadNodeTM(*node);
            zMAT4 local = parentEntry ? parentEntry->data->worldMatrix.Inverse() * world : world;
            if (!parentEntry) {
                proto.rootTranslation = zVEC3(world.m[0][3], world.m[1][3], world.m[2][3]);
                local.m[0][3] = local.m[1][3] = local.m[2][3] = 0.0f;
            }
            node->localMatrix = local;
            node->translation = zVEC3(local.m[0][3], local.m[1][3], local.m[2][3]);
        } else if (file.Has("*MESH_ANIMATION")) {
            if (skipMesh)
                file.SkipBlock();
            else
                ReadMeshAnimation(needNode("*MESH_ANIMATION"), materialRef);
        } else if (file.Has("*MESH_SOFTSKIN") || file.Has("*MESH")) {
            isSoftSkin = isSoftSkin || file.Has("*MESH_SOFTSKIN");
            if (skipMesh) {
                file.SkipBlock();
                continue;
            }
            zCModelNodeRec& target = needNode("*MESH");
            zTRefHold<zCMesh> mesh(ReadMesh(target, materialRef));
            target.SetNodeVisual(mesh.object);
        } else if (file.Has("*WIREFRAME_COLOR")) {
            if (!wireMaterial) {
                wireMaterial = new zCMaterial();
                const zVEC3 color = PickVector(line, 3, 2, zTAscWords::Tabs);
                wireMaterial->color.r = ColorByte(color.x);
                wireMaterial->color.g = ColorByte(color.y);
                wireMaterial->color.b = ColorByte(color.z);
            }
        } else if (file.Has("*TM_ANIMATION")) {
            if (noAni)
                file.SkipBlock();
            else
                outKeys = ReadTmAnimation(node);
        } else if (file.Has("*MATERIAL_REF")) {
            materialRef = AscInt(AscPickWord(line, 2, zTAscWords::White));
        } else if (file.Has("*IK_JOINT") || file.Has("{")) {
            file.SkipBlock();
        } else if (file.Has("}")) {
            break;
        }
    }
    if (!node)
        file.Fail(IDS_ASC_OBJECT_WITHOUT_NAME);

    if (!skip && !skipMesh)
        skip = FinishMesh(*node, parentEntry, isSoftSkin, outKeys != nullptr);
    if (!skip && !readTree && ownNode) {
        // Without the hierarchy a node the prototype lacks has nowhere to go.
        skip = true;
    }
    if (skip) {
        outKeys.reset();
        outEntry = nullptr;
    } else if (readTree) {
        if (skipMesh && node->visual)
            node->SetNodeVisual(nullptr);
        if (parentEntry) {
            outEntry = parentEntry->AddChild(node);
            node->parent = parentEntry->data;
        } else if (!parentName.empty()) {
            file.Report(zERR_ERROR, FormatResString(IDS_SKIPPING_NODE_NO_PARENT, node->nodeName));
            outKeys.reset();
        } else {
            outEntry = proto.nodeTree.AddChild(node);
        }
        if (outEntry) {
            proto.nodeList.InsertEnd(ownNode.release());
        }
    } else {
        outEntry = foundEntry;
    }
    if (wireMaterial) {
        wireMaterial->Release();
        wireMaterial = nullptr;
    }
}

zMAT4 zCAscModelReader::ReadNodeTM(zCModelNodeRec& node)
{
    zVEC3 t(0.0f, 0.0f, 0.0f);
    zVEC3 axis(0.0f, 0.0f, 0.0f);
    float angle = 0.0f;
    while (file.ReadUpperLine()) {
        const std::string& line = file.Line();
        if (file.Has("*TM_ROW0") || file.Has("*TM_ROW1") || file.Has("*TM_ROW2")) {
            continue;
        } else if (file.Has("*TM_ROW3")) {
            t = PickVector(line, 2, 1, zTAscWords::Vector);
        } else if (file.Has("*TM_SCALEAXIS")) {
            continue;
        } else if (file.Has("*TM_SCALE")) {
            const zVEC3 scale = PickVector(line, 2, 1, zTAscWords::Vector);
            // A zero factor has no sign and flattens the node: nothing sensible to build.
            if (scale.x == 0.0f || scale.y == 0.0f || scale.z == 0.0f)
                file.Fail(IDS_ASC_ZERO_SCALE);
            g_ascScale = zVEC3(std::copysign(1.0f, scale.x), std::copysign(1.0f, scale.y), std::copysign(1.0f, scale.z));
        } else if (file.Has("*TM_ROTAXIS")) {
            axis = PickVector(line, 2, 1, zTAscWords::Vector);
        } else if (file.Has("*TM_ROTANGLE")) {
            angle = AscFloat(AscPickWord(line, 2, zTAscWords::Angle));
        } else if (file.Has("}")) {
            break;
        }
    }
    if (axis.x == 0.0f && axis.y == 0.0f && axis.z == 0.0f) {
        axis = zVEC3(1.0f, 0.0f, 0.0f);
        angle = 0.0f;
    }
    axis = AscVecFromMax(axis);
    g_ascScale = AscVecFromMax(g_ascScale);
    t = AscVecFromMax(t);
    zMAT4 world = MakeRotationMatrix(axis, angle) * MakeScalingMatrix(g_ascScale);
    world.m[0][3] = t.x;
    world.m[1][3] = t.y;
    world.m[2][3] = t.z;
    node.rotAxis = axis;
    node.rotAngle = angle;
    node.worldMatrix = world;
    return world;
}

zCMesh* zCAscModelReader::ReadMesh(zCModelNodeRec& node, int materialRef)
{
    zTRefHold<zCMesh> mesh(new zCMesh());
    mesh.object->meshName = sceneName + node.nodeName;
    int numVertex = 0;
    int numFaces = 0;
    int numTVertex = 0;
    int numTVFaces = 0;
    std::vector<zTFace> faces;
    std::vector<zVEC2> texVerts;
    while (file.ReadUpperLine()) {
        if (file.Has("*MESH_NUMVERTEX")) {
            numVertex = ReadCount("*MESH_NUMVERTEX", zTAscWords::Blank, file.LinesLeft());
        } else if (file.Has("*MESH_NUMFACES")) {
            numFaces = ReadCount("*MESH_NUMFACES", zTAscWords::Blank, file.LinesLeft());
        } else if (file.Has("*MESH_VERTEX_LIST")) {
            zCMesh& m = *mesh.object;
            m.GrowVertList(numVertex);
            for (int i = 0; i < numVertex && file.ReadLine(); ++i)
                m.AddVertex(AscVecFromMax(PickVector(file.Line(), 7, 2, zTAscWords::Tabs)));
            file.SkipToBlockEnd();
        } else if (file.Has("*MESH_FACE_LIST")) {
            zCMesh& m = *mesh.object;
            m.GrowPolyList(numFaces);
            faces.reserve(faces.size() + static_cast<std::size_t>(numFaces));
            for (int i = 0; i < numFaces && file.ReadLine(); ++i) {
                const std::string& line = file.Line();
                std::string_view words[3];
                AscPickWords(line, 6, 3, 3, zTAscWords::Corners, words);
                int corner[3];
                for (int k = 0; k < 3; ++k) {
                    corner[k] = AscInt(words[k]);
                    if (corner[k] < 0 || corner[k] >= m.numVert)
                        file.Fail(IDS_ASC_INDEX_OUT_OF_RANGE, "*MESH_FACE", corner[k], m.numVert);
                }
                zCPolygon* poly = m.AddPoly(m.vertList[corner[0]], m.vertList[corner[1]], m.vertList[corner[2]]);
                faces.push_back({poly, AscInt(AscPickWord(line, 18, zTAscWords::FaceMaterial))});
            }
            file.SkipToBlockEnd();
        } else if (file.Has("*MESH_NUMTVERTEX")) {
            numTVertex = ReadCount("*MESH_NUMTVERTEX", zTAscWords::Blank, file.LinesLeft());
        } else if (file.Has("*MESH_NUMTVFACES")) {
            numTVFaces = ReadCount("*MESH_NUMTVFACES", zTAscWords::Blank, file.LinesLeft());
        } else if (file.Has("*MESH_TVERTLIST")) {
            texVerts.reserve(texVerts.size() + static_cast<std::size_t>(numTVertex));
            for (int i = 0; i < numTVertex && file.ReadLine(); ++i) {
                const zVEC3 uvw = PickVector(file.Line(), 7, 2, zTAscWords::Tabs);
                texVerts.emplace_back(uvw.x, 1.0f - uvw.y);
            }
            file.SkipToBlockEnd();
        } else if (file.Has("*MESH_TFACELIST")) {
            // Texture faces belong to the faces read before them, one each.
            if (numTVFaces > static_cast<int>(faces.size()))
                file.Fail(IDS_ASC_COUNT_OUT_OF_RANGE, "*MESH_NUMTVFACES", numTVFaces, static_cast<int>(faces.size()));
            const int numTex = static_cast<int>(texVerts.size());
            for (int i = 0; i < numTVFaces && file.ReadLine(); ++i) {
                std::string_view words[3];
                AscPickWords(file.Line(), 7, 2, 3, zTAscWords::Tabs, words);
                int corner[3];
                for (int k = 0; k < 3; ++k) {
                    corner[k] = AscInt(words[k]);
                    if (corner[k] < 0 || corner[k] >= numTex)
                        file.Fail(IDS_ASC_INDEX_OUT_OF_RANGE, "*MESH_TFACE", corner[k], numTex);
                }
                faces[static_cast<std::size_t>(i)].poly->SetTexCoords(texVerts[static_cast<std::size_t>(corner[0])],
                                                                      texVerts[static_cast<std::size_t>(corner[1])],
                                                                      texVerts[static_cast<std::size_t>(corner[2])]);
            }
            file.SkipToBlockEnd();
        } else if (file.Has("}")) {
            break;
        }
    }
    AssignMaterials(faces, materialRef);
    mesh.object->ResetLightColors();
    return mesh.Take();
}

void zCAscModelReader::AssignMaterials(std::vector<zTFace>& faces, int materialRef)
{
    const std::vector<zCMaterial*>* group = nullptr;
    if (!wireMaterial && materialRef != -1 && !materialGroups.empty()) {
        if (materialRef < 0 || materialRef >= static_cast<int>(materialGroups.size()))
            file.Fail(IDS_ASC_MATERIAL_REF_PAST_GROUPS, materialRef, static_cast<int>(materialGroups.size()));
        group = &materialGroups[static_cast<std::size_t>(materialRef)];
    }
    for (zTFace& face : faces) {
        zCMaterial* material = wireMaterial;
        if (group && !group->empty()) {
            const int size = static_cast<int>(group->size());
            material = (*group)[static_cast<std::size_t>(face.materialId >= 0 && face.materialId < size ? face.materialId : 0)];
        }
        if (material && face.poly->GetMaterial() != material)
            face.poly->SetMaterial(material);
    }
}

bool zCAscModelReader::FinishMesh(zCModelNodeRec& node, zCNodeTreeEntry* parentEntry, bool isSoftSkin, bool hasKeys)
{
    auto* mesh = dynamic_cast<zCMesh*>(node.visual);
    if (!mesh)
        return false;
    if (mesh->numPoly > 0 && mesh->numVert > 0) {
        if (isSoftSkin) {
            // The skin keeps its world-space tree.
            mesh->CalcBBox3D(0);
            proto.bbox3D.Merge(mesh->bbox3D);
        } else {
            // Only the outer box counts here: the tree is built once the mesh is moved
            // into its node's space below.
            zTOrientedBox3D outer;
            outer.BuildTree(*mesh, 1);
            proto.bbox3D.Merge(outer.GetBBox3D());
        }
    }
    mesh->CheckPolyMaterials();
    if (isSoftSkin) {
        if (hasKeys)
            return false;
        // Waits, in world space, for its *MESH_SOFTSKINVERTS block; the node's
        // reference goes with it.
        mesh->AddRef();
        node.SetNodeVisual(nullptr);
        proto.auxIndexList.InsertEnd(mesh);
        ++waitingSkins;
        return true;
    }
    TransformMeshChain(mesh, node.worldMatrix.Inverse(), morph);
    zCModelNodeRec* parent = parentEntry ? parentEntry->data : nullptr;
    bool consumed = false;
    zCModelNodeRec* owner = &node;
    if (parent && !parent->visual && !hasKeys && node.nodeName.find("ZM_") != std::string::npos &&
        node.nodeName.find("ZS_") == std::string::npos && parent->nodeName.find("BIP01") != std::string::npos) {
        // A mesh hung on a bone becomes the bone's own visual.
        TransformMeshChain(mesh, node.localMatrix, morph);
        owner = parent;
        consumed = true;
    }
    mesh->AddRef();
    proto.auxObjectList.InsertEnd(mesh);
    if (morph) {
        owner->SetNodeVisual(mesh);
    } else {
        zTRefHold<zCProgMeshProto> pm(new zCProgMeshProto());
        zCProgMeshProto::BuildFromMesh(mesh, pm.object, nullptr, kNodeMeshBuildFlags);
        owner->SetNodeVisual(pm.object);
        if (!consumed)
            return false;
    }
    if (consumed)
        node.SetNodeVisual(nullptr);
    return consumed;
}

void zCAscModelReader::ReadMeshAnimation(zCModelNodeRec& node, int materialRef)
{
    node.SetNodeVisual(nullptr);
    int frame = -1;
    while (file.ReadUpperLine()) {
        if (file.Has("*MESH")) {
            ++frame;
            if (frame < firstFrame || frame > lastFrame) {
                file.SkipBlock();
                continue;
            }
            zTRefHold<zCMesh> mesh(ReadMesh(node, materialRef));
            if (!node.visual) {
                node.SetNodeVisual(mesh.object);
            } else {
                // The chain only links its frames; the prototype keeps them alive.
                node.visual->AppendChainedVisual(mesh.object);
                proto.auxObjectList.InsertEnd(mesh.Take());
            }
        } else if (file.Has("}")) {
            break;
        }
    }
}

void zCModelPrototype::LoadAsc(zCModelAni** outAni, const zSTRING& fileName, const zSTRING& aniName, int firstFrame,
                               int lastFrame, int flags, float aniMaxFps)
{
    if (outAni)
        *outAni = nullptr;
    std::unique_ptr<zFILE> input = zMakeFile(fileName);
    if (!input->Exists()) {
        zPATH path(fileName);
        const zSTRING part = path.GetFile();
        const zSTRING anims = g_options ? g_options->GetDirString(DIR_ANIMS) : zSTRING();
        if (anims.empty() || input->SearchFile(part, anims, true) != 0)
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ASC_NOT_FOUND, part));
    }
    zCAscFile ascFile;
    if (input->Open(false) != 0 || !ascFile.Load(*input, input->GetFullPath())) {
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ASC_NOT_FOUND, fileName));
        return;
    }
    input->Close();
    input.reset();
    g_aniMaxFps = aniMaxFps;
    zCAscModelReader reader(*this, ascFile, flags, firstFrame, lastFrame);
    zCModelAni* ani = reader.Read(aniName);
    if (outAni)
        *outAni = ani;
    // The prototype holds the ani: a stop here leaves nothing to release.
    FinishFileStep();
}
