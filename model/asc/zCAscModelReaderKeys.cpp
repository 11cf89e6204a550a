// The ASC reader's key tracks, parent-relative keys, soft-skin weights and the
// animation built from the keys.
#include "zCAscModelReader.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCMesh.h"
#include "zCMeshSoftSkin.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zPATH.h"

namespace {

// Weights a vertex keeps at most, and how many pairs of its line are read.
constexpr int kKeptWeights = 3;
constexpr int kReadWeights = 16;
// The build flags of a soft skin's progressive mesh.
constexpr int kSkinBuildFlags = 0x2A;

zVEC3 Translation(const zMAT4& m)
{
    return zVEC3(m.m[0][3], m.m[1][3], m.m[2][3]);
}

struct zTVertexWeights {
    zTSoftSkinWeightEntry entries[kReadWeights];
    int count = 0;
};

} // namespace

std::unique_ptr<zCAscModelReader::zTKeys> zCAscModelReader::ReadTmAnimation(zCModelNodeRec* node)
{
    auto keys = std::make_unique<zTKeys>(static_cast<std::size_t>(numFrames), MakeIdentityMatrix());
    bool posSeen = false;
    bool rotSeen = false;
    while (file.ReadUpperLine()) {
        if (file.Has("*CONTROL_POS_TRACK")) {
            ReadPosTrack(*keys);
            posSeen = true;
        } else if (file.Has("*CONTROL_ROT_TRACK")) {
            ReadRotTrack(*keys);
            rotSeen = true;
        } else if (file.Has("*CONTROL_") || file.Has("{")) {
            file.SkipBlock();
        } else if (file.Has("}")) {
            break;
        }
    }
    if ((!posSeen && !rotSeen) || !node)
        return nullptr;
    const zMAT4 scaling = MakeScalingMatrix(g_ascScale);
    const zMAT4 rest = MakeRotationMatrix(node->rotAxis, node->rotAngle);
    for (zMAT4& key : *keys) {
        const zVEC3 p = posSeen ? Translation(key) : Translation(node->worldMatrix);
        zMAT4 r = rotSeen ? key : rest;
        r.m[0][3] = r.m[1][3] = r.m[2][3] = 0.0f;
        key = MakeTranslationMatrix(p) * r * scaling;
    }
    return keys;
}

void zCAscModelReader::ReadPosTrack(zTKeys& keys)
{
    for (int k = 0; file.ReadLine() && !file.Has("}"); ++k) {
        if (k < firstFrame || k > lastFrame)
            continue;
        std::string_view words[3];
        AscPickWords(file.Line(), 7, 2, 3, zTAscWords::Tabs, words);
        const zVEC3 p = AscVecFromMax(zVEC3(AscFloat(words[0]), AscFloat(words[1]), AscFloat(words[2])));
        zMAT4& key = keys[static_cast<std::size_t>(k - firstFrame)];
        key.m[0][3] = p.x;
        key.m[1][3] = p.y;
        key.m[2][3] = p.z;
    }
}

void zCAscModelReader::ReadRotTrack(zTKeys& keys)
{
    for (int k = 0; file.ReadLine() && !file.Has("}"); ++k) {
        if (k < firstFrame || k > lastFrame)
            continue;
        std::string_view words[4];
        AscPickWords(file.Line(), 7, 2, 4, zTAscWords::Tabs, words);
        zVEC3 axis(AscFloat(words[0]), AscFloat(words[1]), AscFloat(words[2]));
        float angle = AscFloat(words[3]);
        if (axis.x == 0.0f && axis.y == 0.0f && axis.z == 0.0f) {
            axis = zVEC3(1.0f, 0.0f, 0.0f);
            angle = 0.0f;
        }
        zMAT4& key = keys[static_cast<std::size_t>(k - firstFrame)];
        const zVEC3 t = Translation(key);
        key = MakeRotationMatrix(AscVecFromMax(axis), angle);
        key.m[0][3] = t.x;
        key.m[1][3] = t.y;
        key.m[2][3] = t.z;
    }
}

void zCAscModelReader::MakeKeysParentRelative(zCNodeTreeEntry* top, zCNodeTreeEntry*)
{
    // Children before their parents: the reverse of a depth-first order, walked
    // without recursion so that a deep hierarchy cannot exhaust the stack.
    std::vector<zCNodeTreeEntry*> order;
    for (zCNodeTreeEntry* e = top->firstChild; e; e = e->NextInSubtree(top))
        order.push_back(e);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        zCModelNodeRec* node = (*it)->data;
        if (!node || !node->keyFrames)
            continue;
        const zCModelNodeRec* parent = (*it)->parent ? (*it)->parent->data : nullptr;
        if (parent) {
            const zMAT4 parentRest = parent->worldMatrix.Inverse();
            for (int f = 0; f < numFrames; ++f) {
                const zMAT4 inverse = parent->keyFrames ? parent->keyFrames[f].Inverse() : parentRest;
                node->keyFrames[f] = inverse * node->keyFrames[f];
            }
        }
        node->keyFrames = nullptr;
    }
}

void zCAscModelReader::ReadSoftSkinVerts()
{
    if (!file.ReadLine())
        return;
    zSTRING key = sceneName + zSTRING(file.Line());
    key.Upper();
    int found = -1;
    for (int i = 0; i < proto.auxIndexList.GetNum() && found < 0; ++i) {
        if (proto.auxIndexList[i]->meshName == key)
            found = i;
    }
    if (found < 0)
        file.Fail(IDS_ASC_SKIN_WITHOUT_MESH, file.Line());
    zCMesh* mesh = proto.auxIndexList[found];
    proto.auxIndexList.RemoveIndex(found);
    --waitingSkins;
    struct Releaser {
        zCMesh* mesh;
        ~Releaser() { mesh->Release(); }
    } releaser{mesh};

    if (!file.ReadLine())
        return;
    const int count = AscInt(file.Line());
    if (count != mesh->numVert)
        file.Fail(IDS_ASC_SKIN_VERTEX_COUNT, count, key, mesh->numVert);
    mesh->PrepareForEditing();

    std::unordered_map<int, zMAT4> inverses;
    auto inverseOf = [&](int index) -> const zMAT4& {
        auto it = inverses.find(index);
        if (it == inverses.end())
            it = inverses.emplace(index, proto.nodeList[index]->worldMatrix.Inverse()).first;
        return it->second;
    };
    std::vector<zTVertexWeights> weights(static_cast<std::size_t>(count));
    for (int v = 0; v < count && file.ReadUpperLine(); ++v) {
        std::string_view rest = file.Line();
        const int declared = AscInt(rest.substr(0, rest.find('\t')));
        if (declared < 0)
            file.Fail(IDS_ASC_COUNT_OUT_OF_RANGE, "weights", declared, kReadWeights);
        const int pairs = std::min(declared, kReadWeights);
        const std::size_t quote = rest.find('"');
        rest = quote == std::string_view::npos ? std::string_view() : rest.substr(quote + 1);
        zTVertexWeights& vertex = weights[static_cast<std::size_t>(v)];
        const zVEC3 position = mesh->vertList[v]->position;
        for (int j = 0; j < pairs && !rest.empty(); ++j) {
            const std::size_t nameEnd = rest.find('"');
            const zSTRING name{std::string(rest.substr(0, nameEnd))};
            const std::size_t tab = rest.find('\t');
            const std::string_view afterTab = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
            const float weight = AscFloat(afterTab.substr(0, afterTab.find('\t')));
            int index = proto.SearchNodeIndex(name);
            if (index < 0) {
                // Node 0 stands in; without any node there is nothing to stand in.
                const zSTRING text = FormatResString(IDS_VERTEX_LINKED_NON_EXISTANT, name);
                if (proto.nodeList.GetNum() == 0)
                    file.Fail(text);
                file.Report(zERR_WARNING, text);
                index = 0;
            }
            if (index > 255)
                file.Fail(IDS_MODEL_MORE_THAN_NODES);
            vertex.entries[vertex.count++] = {weight, inverseOf(index) * position, static_cast<std::uint8_t>(index)};
            // On to the next name: past the end of this one and the start of the next.
            std::size_t cut = nameEnd == std::string_view::npos ? rest.size() : nameEnd + 1;
            const std::size_t nextQuote = rest.find('"', cut);
            rest = nextQuote == std::string_view::npos ? std::string_view() : rest.substr(nextQuote + 1);
        }
        int kept = vertex.count;
        bool cut = false;
        for (int i = 1; i < vertex.count; ++i) {
            if (vertex.entries[i].weight < 0.01f) {
                kept = i + 1;
                cut = true;
                break;
            }
        }
        kept = std::min(kept, kKeptWeights);
        if (cut && kept > 0) {
            float sum = 0.0f;
            for (int i = 0; i < kept; ++i)
                sum += vertex.entries[i].weight;
            const float missing = 1.0f - sum;
            if (missing > 0.0f) {
                for (int i = 0; i < kept; ++i)
                    vertex.entries[i].weight += missing / static_cast<float>(kept);
            }
        }
        vertex.count = kept;
    }

    zCArray<std::uint32_t> order;
    auto* skin = new zCMeshSoftSkin();
    zCProgMeshProto::BuildFromMesh(mesh, skin, &order, kSkinBuildFlags);
    proto.softSkinList.InsertEnd(skin);
    skin->lodParams[2] = 0.03f;

    // Only the weights kept are stored, so the stream is sized by them.
    const zTVertexWeights none;
    auto weightsOf = [&](int position) -> const zTVertexWeights& {
        const std::uint32_t source = order[position];
        return source < weights.size() ? weights[source] : none;
    };
    long long stored = 0;
    for (int i = 0; i < order.GetNum(); ++i)
        stored += weightsOf(i).count;
    skin->AllocWeightStream(order.GetNum(), static_cast<int>(std::min<long long>(stored, INT_MAX / 32)));
    for (int i = 0; i < order.GetNum(); ++i) {
        const zTVertexWeights& vertex = weightsOf(i);
        skin->AddNumWeights(static_cast<std::uint32_t>(vertex.count));
        for (int j = 0; j < vertex.count; ++j)
            skin->AddWeightEntry(vertex.entries[j]);
    }
    skin->BuildNodeIndexList();
    skin->BuildNodeOBBs();
    for (int i = 0; i < order.GetNum(); ++i) {
        const zTVertexWeights& vertex = weightsOf(i);
        if (vertex.count == 0)
            continue;
        zMAT4 rotation = inverseOf(vertex.entries[0].node);
        rotation.m[0][3] = rotation.m[1][3] = rotation.m[2][3] = 0.0f;
        skin->SetNormal(i, rotation * skin->GetNormal(i));
    }
    const zCArray<int>& nodes = skin->GetNodeIndexList();
    for (int j = 0; j < nodes.GetNum() && j < skin->GetNumNodeBoxes(); ++j)
        skin->GetNodeBox(j).Transform(inverseOf(nodes[j]));
    file.SkipToBlockEnd();
}

zCModelAni* zCAscModelReader::BuildAni(const zSTRING& aniName, float aniFps)
{
    auto* ani = new zCModelAni();
    ani->numFrames = static_cast<std::int16_t>(numFrames);
    ani->fps = ani->sourceFps = aniFps;
    ani->numNodes = static_cast<std::int16_t>(keyBuffers.size());
    std::vector<const zMAT4*> matrices;
    for (const auto& keys : keyBuffers)
        matrices.push_back(keys->data());
    ani->SetSamples(matrices);
    ani->nodeList = std::make_shared<std::vector<zCModelNodeRec*>>();
    for (const zCNodeTreeEntry* entry : objectEntries)
        ani->nodeList->push_back(entry->data);
    zPATH path(file.Name());
    ani->aniDefinition = path.GetFile();
    ani->aniName = aniName;
    // AddAni takes the reference; a name already there ends the job (and the ani).
    proto.AddAni(ani);
    if (proto.SearchAni(aniName) != ani)
        return nullptr;
    ani->rootNodeIndex = ani->FindRootEntry();
    for (zCModelNodeRec* node : *ani->nodeList) {
        const int index = proto.SearchNodeIndex(node->nodeName);
        if (index < 0)
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_MODEL_DEBUG_VALUES, index, node->nodeName),
                                   file.Name().c_str(), file.LineNumber());
        ani->nodeIndexList.InsertEnd(index);
    }
    return ani;
}
