// The morph script as read: the reference mesh, the morph anis and the frames they
// are computed from, loaded from ASC files.
#include <cfloat>
#include <cmath>
#include <memory>
#include <string>

#include "IdeServices.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCAscFile.h"
#include "zCAscModelReader.h"
#include "zCMesh.h"
#include "zCModelPrototype.h"
#include "zCMorphMeshProto.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCProgMeshBuilder.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

namespace {

constexpr int kFullProgress = 100000;
// Plain meshes, the hierarchy and the morph frames.
constexpr int kMorphReadFlags = zASC_READ_MESH | zASC_READ_TREE | zASC_READ_MORPH;
constexpr int kRefBuildFlags = zPM_BUILD_NO_PLANES | zPM_BUILD_AVERAGE_NORMALS | zPM_BUILD_KEEP_DEGENERATE | zPM_BUILD_EDGES;
constexpr float kMoveEpsilon = 0.001f;

bool Contains(const zSTRING& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

zVEC3 VertexPosition(const zCMesh& mesh, int index)
{
    const zCVertex* vertex = mesh.vertList ? mesh.vertList[index] : mesh.ContiguousVertex(index);
    return vertex ? vertex->position : zVEC3();
}

// The words of a statement's argument text, double quotes removed.
std::vector<std::string> ArgumentWords(const std::string& args)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : args + " ") {
        if (c == ' ' || c == '\t' || c == '\r') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else if (c != '"') {
            word += c;
        }
    }
    return words;
}

// The scene's frame rate; 25 when the file states none.
float SceneFps(zCAscFile file)
{
    while (file.ReadUpperLine()) {
        if (file.Has("*SCENE_FRAMESPEED"))
            return AscFloat(AscPickWord(file.Line(), 3, zTAscWords::Tabs));
        if (file.Has("*GEOMOBJECT"))
            break;
    }
    return 25.0f;
}

// Releases the frame meshes however the work on them ends.
struct FramesHold {
    zCMesh* first;
    ~FramesHold() { ReleaseMorphFrames(first); }
};

// Releases a prototype however a read ends.
struct PrototypeHold {
    zCModelPrototype* proto = new zCModelPrototype();
    ~PrototypeHold() noexcept(false) { proto->Release(); }
};

} // namespace

void ReleaseMorphFrames(zCMesh* first)
{
    std::vector<zCVisual*> frames;
    for (zCVisual* v = first; v; v = v->GetNextVisual())
        frames.push_back(v);
    for (zCVisual* v : frames)
        v->Release();
}

zCMesh* LoadMorphSource(const zSTRING& ascName, const zSTRING& folder, float& fps, int firstFrame, int lastFrame)
{
    zPATH given(ascName);
    const zSTRING part = given.GetFile();
    std::unique_ptr<zFILE> input;
    // A bare name is looked for beside the script first.
    if (!folder.empty() && part == static_cast<const std::string&>(ascName)) {
        input = zMakeFile(folder + ascName);
        if (!input->Exists())
            input.reset();
    }
    if (!input) {
        input = zMakeFile(ascName);
        if (!input->Exists()) {
            const zSTRING anims = g_options ? g_options->GetDirString(DIR_ANIMS) : zSTRING();
            if (part.empty() || anims.empty() || input->SearchFile(part, anims, true) != 0) {
                g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_SOURCE_NOT_FOUND, ascName));
                return nullptr;
            }
        }
    }
    zCAscFile ascFile;
    if (input->Open(false) != 0 || !ascFile.Load(*input, input->GetFullPath())) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_SOURCE_NOT_FOUND, ascName));
        return nullptr;
    }
    input->Close();
    fps = SceneFps(ascFile);

    PrototypeHold temp;
    {
        zCAscModelReader reader(*temp.proto, ascFile, kMorphReadFlags, firstFrame, lastFrame);
        reader.Read(zSTRING());
    }
    g_errorReporter.Report(zERR_MESSAGE, part);
    // Before the frames take their own references: a stop releases them with the prototype.
    FinishFileStep();
    zCMesh* first = nullptr;
    for (int i = 0; i < temp.proto->nodeList.GetNum() && !first; ++i)
        first = dynamic_cast<zCMesh*>(temp.proto->nodeList[i]->visual);
    // The prototype holds the frames; they outlive it with a reference each.
    for (zCVisual* v = first; v; v = v->GetNextVisual())
        v->AddRef();
    if (!first)
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_SOURCE_NO_MESH, ascName));
    return first;
}

int zCMorphMeshProto::LoadMMS(const zSTRING& fileName)
{
    zPATH path(fileName);
    morphProtoName = path.GetFilename();
    morphProtoName.Upper();
    scriptName = path.GetFile();
    const std::size_t cut = fileName.find_last_of("\\/");
    scriptFolder = cut == std::string::npos ? zSTRING() : zSTRING(fileName.substr(0, cut + 1));
    g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MORPH_LOADING_SCRIPT, morphProtoName + ".MMS"));

    std::unique_ptr<zFILE> file = zMakeFile(fileName);
    if (!file->Exists() || file->Open(false) != 0) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_SCRIPT_NOT_FOUND, fileName));
        return 0;
    }
    zSTRING line;
    int count = 0;
    while (file->ReadLine(line) == 0) {
        line.Upper();
        if (!Contains(line, "//") && Contains(line, ".ASC"))
            ++count;
    }
    if (zCIdeServices* ide = zGetIdeServices()) {
        if (count > 0)
            ide->SetProgressStep(kFullProgress / count);
        else
            ide->SetProgressPos(kFullProgress);
    }
    file->Seek(0);

    std::vector<std::uint32_t> vertexMap;
    scriptLine = 0;
    while (file->ReadLine(line) == 0) {
        ++scriptLine;
        line.Upper();
        if (Contains(line, "//") || Contains(line, "MORPHMESH"))
            continue;
        if (Contains(line, "MORPHREF"))
            ReadMorphRef(line, vertexMap);
        else if (Contains(line, "MORPHANI"))
            ReadMorphAni(line, vertexMap);
    }
    file->Close();
    if (!refMesh) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_SCRIPT_NO_REF, scriptName));
        return 0;
    }
    return 1;
}

void zCMorphMeshProto::ReadMorphRef(const zSTRING& line, std::vector<std::uint32_t>& vertexMap)
{
    const zSTRING name(std::string(AscQuoted(line)));
    float fps = 0.0f;
    const FramesHold source{LoadMorphSource(name, scriptFolder, fps, 0, 0)};
    if (!source.first)
        return;
    auto* mesh = new zCProgMeshProto();
    zCArray<std::uint32_t> order;
    if (!zCProgMeshProto::BuildFromMesh(source.first, mesh, &order, kRefBuildFlags)) {
        mesh->Release();
        return;
    }
    mesh->lodParams[0] = 0.35f;
    mesh->lodParams[2] = 0.03f;
    SetRefMesh(mesh);
    vertexMap.assign(static_cast<std::size_t>(order.GetNum()), 0);
    for (int i = 0; i < order.GetNum(); ++i)
        vertexMap[static_cast<std::size_t>(i)] = order[i];
}

void zCMorphMeshProto::ReadMorphAni(const zSTRING& line, const std::vector<std::uint32_t>& vertexMap)
{
    if (!refMesh) {
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_MORPH_ANI_BEFORE_REF), scriptName.c_str(), scriptLine);
        return;
    }
    const std::size_t open = line.find('(');
    const std::size_t close = open == std::string::npos ? std::string::npos : line.find(')', open);
    const std::string args = open == std::string::npos ? std::string()
                                                        : line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    std::vector<std::string> words = ArgumentWords(args);
    words.resize(std::max<std::size_t>(words.size(), 9));

    const bool refShape = words[5].find('R') != std::string::npos;
    float fps = 0.0f;
    const FramesHold frames{LoadMorphSource(words[6], scriptFolder, fps, AscInt(words[7]), AscInt(words[8]))};
    if (!frames.first)
        return;
    std::unique_ptr<zCMorphMeshAni> ani = BuildMorphAni(frames.first, vertexMap, refShape);
    if (!ani)
        return;

    ani->morphAniName = words[0];
    ani->ascFileName = words[6];
    ani->layer = AscInt(words[1]);
    const float blendIn = AscFloat(words[2]);
    const float hold = AscFloat(words[3]);
    const float blendOut = AscFloat(words[4]);
    ani->blendInPerMs = blendIn == 0.0f ? 0.001f * FLT_MAX : 0.001f / blendIn;
    ani->holdTimeMs = hold * 1000.0f;
    ani->blendOutPerMs = blendOut == 0.0f ? -0.001f * FLT_MAX : -0.001f / blendOut;
    ani->morphFlags = MorphFlagsFromLetters(words[5]);
    const std::size_t speed = args.find("SPD:");
    if (speed != std::string::npos) {
        std::size_t at = speed + 4;
        while (at < args.size() && (args[at] == ' ' || args[at] == '\t'))
            ++at;
        ani->speedPerMs = AscFloat(std::string_view(args).substr(at)) * 0.001f;
    } else {
        ani->speedPerMs = fps * 0.001f;
    }
    if (ani->morphFlags & zMORPH_FLAG_SHAPE)
        ani->layer = 999;
    // The hold time decides the loop flag, whatever the letters said.
    if (ani->holdTimeMs < 0.0f)
        ani->morphFlags = static_cast<std::uint8_t>(ani->morphFlags | zMORPH_FLAG_LOOP);
    else
        ani->morphFlags = static_cast<std::uint8_t>(ani->morphFlags & ~zMORPH_FLAG_LOOP);
    aniList.push_back(std::move(ani));
}

std::unique_ptr<zCMorphMeshAni> zCMorphMeshProto::BuildMorphAni(zCMesh* firstFrame,
                                                                const std::vector<std::uint32_t>& vertexMap,
                                                                bool refShape)
{
    const int refVerts = static_cast<int>(refPositions.size());
    const int refPolys = refMesh ? refMesh->GetNumTriangles() : 0;
    auto fatal = [this](int id) {
        g_errorReporter.Report(zERR_FATAL, LoadResString(id), scriptName.c_str(), scriptLine);
        return nullptr;
    };
    std::vector<zCMesh*> frames;
    for (zCVisual* v = firstFrame; v; v = v->GetNextVisual()) {
        auto* mesh = dynamic_cast<zCMesh*>(v);
        if (!mesh)
            break;
        frames.push_back(mesh);
    }
    std::vector<std::uint32_t> animated;
    std::vector<bool> listed(static_cast<std::size_t>(refVerts), false);
    for (zCMesh* m : frames) {
        if (refShape ? (m->numVert != refVerts || m->numPoly != refPolys)
                     : (m->numVert > refVerts || m->numPoly > refPolys))
            return fatal(refShape ? IDS_MORPH_REF_SHAPE_DIFFERS : IDS_MORPH_MORE_THAN_REF);
        for (int k = 0; k < m->numVert; ++k) {
            if (static_cast<std::size_t>(k) >= vertexMap.size())
                return fatal(IDS_MORPH_MESH_MISMATCH);
            const std::uint32_t source = vertexMap[static_cast<std::size_t>(k)];
            if (source >= static_cast<std::uint32_t>(m->numVert))
                return fatal(IDS_MORPH_MESH_MISMATCH);
            if (refShape || listed[static_cast<std::size_t>(k)])
                continue;
            const zVEC3 d = VertexPosition(*m, static_cast<int>(source)) - refPositions[static_cast<std::size_t>(k)];
            if (std::fabs(d.x) >= kMoveEpsilon || std::fabs(d.y) >= kMoveEpsilon || std::fabs(d.z) >= kMoveEpsilon) {
                listed[static_cast<std::size_t>(k)] = true;
                animated.push_back(static_cast<std::uint32_t>(k));
            }
        }
    }
    if (animated.empty()) {
        if (frames.size() != 1)
            return nullptr;
        for (int k = 0; k < frames[0]->numVert; ++k)
            animated.push_back(static_cast<std::uint32_t>(k));
    }
    auto ani = std::make_unique<zCMorphMeshAni>();
    ani->numVerts = static_cast<std::uint32_t>(animated.size());
    ani->numMorphFrames = static_cast<std::uint32_t>(frames.size());
    ani->vertIndexList = animated;
    ani->morphPositions.reserve(animated.size() * frames.size());
    for (zCMesh* m : frames) {
        for (std::uint32_t k : animated) {
            // A later frame with fewer vertices than the first has none for this one.
            const std::uint32_t source = vertexMap[k];
            zVEC3 position = static_cast<int>(source) < m->numVert ? VertexPosition(*m, static_cast<int>(source))
                                                                   : refPositions[k];
            if (!refShape)
                position = position - refPositions[k];
            ani->morphPositions.push_back(position);
        }
    }
    return ani;
}
