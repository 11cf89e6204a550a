// The animation exports of a model, built from the packed samples of its animations.
#include "zCAscAniExports.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zERROR.h"

namespace {

// More frames than this in one export is a broken frame range, not an animation.
constexpr long kMaxExportFrames = 100000;

zTAscFrame BindPose(const zCModelPrototype& proto, int frame)
{
    zTAscFrame pose;
    pose.frame = frame;
    const int numNodes = proto.nodeList.GetNum();
    pose.animated.assign(static_cast<std::size_t>(numNodes), 0);
    for (int i = 0; i < numNodes; ++i) {
        const zCModelNodeRec* node = proto.nodeList[i];
        const zMAT4& local = node->localMatrix;
        pose.positions.push_back(node->parent ? zVEC3(local.m[0][3], local.m[1][3], local.m[2][3])
                                              : proto.rootTranslation);
        zQUAT q;
        q.FromMatrix4(local);
        q.Normalize();
        pose.rotations.push_back(q);
    }
    return pose;
}

zTAscFrame Interpolate(const zTAscFrame& a, const zTAscFrame& b, int frame)
{
    const float w = static_cast<float>(frame - a.frame) / static_cast<float>(b.frame - a.frame);
    zTAscFrame pose;
    pose.frame = frame;
    pose.interpolated = 1;
    for (std::size_t i = 0; i < a.positions.size(); ++i) {
        zQUAT q = zQUAT::Slerp(a.rotations[i], b.rotations[i], w);
        q.Normalize();
        pose.rotations.push_back(q);
        const zVEC3& p = a.positions[i];
        const zVEC3& r = b.positions[i];
        pose.positions.push_back(zVEC3(p.x * (1 - w) + r.x * w, p.y * (1 - w) + r.y * w, p.z * (1 - w) + r.z * w));
        pose.animated.push_back(a.animated[i] || b.animated[i] ? 1 : 0);
    }
    return pose;
}

}  // namespace

std::vector<zTAscExportInfo> BuildAscAniExports(zCModelPrototype& proto)
{
    std::vector<zSTRING> names;
    for (int i = 0; i < proto.aniList.GetNum(); ++i) {
        const zSTRING name = proto.aniList[i]->GetAscName();
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    const int numNodes = proto.nodeList.GetNum();
    std::vector<zTAscExportInfo> exports;
    for (const zSTRING& name : names) {
        int first = 0, last = 100, fps = 25;
        std::vector<zTAscFrame> poses;
        int j = 0;
        for (int a = 0; a < proto.aniList.GetNum(); ++a) {
            const zCModelAni& ani = *proto.aniList[a];
            if (ani.GetAscName() != name)
                continue;
            zCModelAni::SetPosConfig(ani.posRangeMin, ani.posStep);
            const int fa = ani.GetFirstFrame();
            int la = ani.GetLastFrame();
            const float ratio = ani.fps != 0.0f ? ani.sourceFps / ani.fps : 1.0f;
            const int n = ani.numFrames;
            const float end = static_cast<float>(n - 1) * ratio + static_cast<float>(fa);
            if (la == -1)
                la = static_cast<int>(std::floor(end));
            if (j == 0 || fa < first)
                first = fa;
            if (j == 0 || la > last)
                last = la;
            if (j == 0)
                fps = static_cast<int>(ani.sourceFps);
            const int m = std::max(0, static_cast<float>(la) < end ? n - 1 : n);
            const std::vector<zTAniSample>* samples = ani.samples.get();
            for (int k = 0; k < m; ++k) {
                zTAscFrame pose = BindPose(proto, static_cast<int>(std::floor(static_cast<float>(k) * ratio + fa)));
                for (int node = 0; node < ani.numNodes && node < ani.nodeIndexList.GetNum(); ++node) {
                    const int i = ani.nodeIndexList[node];
                    const std::size_t at = static_cast<std::size_t>(k) * static_cast<std::size_t>(ani.numNodes) +
                                           static_cast<std::size_t>(node);
                    // A node or sample the model does not have leaves the bind pose.
                    if (i < 0 || i >= numNodes || !samples || at >= samples->size())
                        continue;
                    zCModelAni::UnpackSample((*samples)[at], pose.rotations[static_cast<std::size_t>(i)],
                                             pose.positions[static_cast<std::size_t>(i)]);
                    pose.animated[static_cast<std::size_t>(i)] = 1;
                }
                poses.push_back(std::move(pose));
            }
            ++j;
        }
        // The first pose of a frame wins.
        for (std::size_t r = poses.size(); r-- > 1;) {
            bool earlier = false;
            for (std::size_t e = 0; e < r && !earlier; ++e)
                earlier = poses[e].frame == poses[r].frame;
            if (earlier)
                poses.erase(poses.begin() + static_cast<long>(r));
        }
        if (poses.empty())
            last = first - 1;
        if (static_cast<long>(last) - first + 1 > kMaxExportFrames) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ASC_EXPORT_TOO_MANY_FRAMES, name, first, last));
            continue;
        }
        zTAscExportInfo info;
        info.fileName = name;
        info.firstFrame = first;
        info.lastFrame = last;
        info.fps = fps;
        for (int t = first; t <= last; ++t) {
            const zTAscFrame* r1 = nullptr;
            const zTAscFrame* r2 = nullptr;
            for (const zTAscFrame& pose : poses) {
                const int d = std::abs(pose.frame - t);
                if (!r1 || d < std::abs(r1->frame - t)) {
                    r2 = r1;
                    r1 = &pose;
                } else if (!r2 || d < std::abs(r2->frame - t)) {
                    r2 = &pose;
                }
            }
            if (r1->frame == t) {
                info.frames.push_back(*r1);
            } else if (!r2) {
                // A single pose has no second neighbour: it is held.
                zTAscFrame held = *r1;
                held.frame = t;
                held.interpolated = 1;
                info.frames.push_back(std::move(held));
            } else {
                info.frames.push_back(Interpolate(*r1, *r2, t));
            }
        }
        exports.push_back(std::move(info));
    }
    return exports;
}
