// Textures: loading by name, the compiled file, data size and cache settings.
#include "zCTexture.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>

#include "ErrorBox.h"
#include "ModelServices.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCTextureFileFormat.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

zCLASS_DEFINITION_ABSTRACT(zCTexture, zCResource, zCLASS_FLAG_SHARED_OBJECTS | zCLASS_FLAG_RESOURCE, 0);

const char* const zCTexture::kDefaultTexture = "DEFAULT.TGA";
std::uint8_t zCTexture::s_loadCounter = 0;

namespace {

// "Texture not found '%s', using default-texture"
// "Default Texture '%s' not found!"
// "No texture format found!"

const int kMaxTextureSizeLoaded = 2048;
// Words of a name read for channels.
const std::size_t kMaxNameWords = 5;
// Beyond any real texture animation: a grid of more frames is not counted further.
const int kMaxAniFrames = 1024;

// A channel word: a first character that is not a digit, a digit second (A0, V12).
bool IsChannelWord(const std::string& word)
{
    return word.size() >= 2 && !std::isdigit(static_cast<unsigned char>(word[0])) &&
           std::isdigit(static_cast<unsigned char>(word[1]));
}

// The base name and the channel letters of a name (upper case, no extension); false
// for an ordinary name: no channel word, more than five words, or a plain word after
// a channel word.
bool SplitAniName(const zSTRING& name, zSTRING& base, std::vector<char>& channels)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t cut; (cut = name.find('_', start)) != std::string::npos; start = cut + 1)
        words.push_back(name.substr(start, cut - start));
    words.push_back(name.substr(start));
    if (words.size() > kMaxNameWords)
        return false;
    std::size_t first = 0;
    while (first < words.size() && !IsChannelWord(words[first]))
        ++first;
    if (first == words.size())
        return false;
    for (std::size_t i = 0; i < first; ++i)
        base += (i ? "_" : "") + words[i];
    for (std::size_t i = first; i < words.size(); ++i) {
        if (!IsChannelWord(words[i]))
            return false;
        channels.push_back(words[i][0]);
    }
    if (channels.size() > static_cast<std::size_t>(zCTexture::kNumAniChannels)) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_TOO_MANY_TEXTURE_CHANNELS, name.c_str()));
        channels.resize(zCTexture::kNumAniChannels);
    }
    return true;
}

// The name of one frame: the base, then per channel "_", its letter and its frame.
zSTRING FrameName(const zSTRING& base, const std::vector<char>& channels, const int (&frame)[zCTexture::kNumAniChannels])
{
    zSTRING name = base;
    for (std::size_t c = 0; c < channels.size(); ++c)
        name += zSTRING("_") + zSTRING(channels[c]) + zSTRING(frame[c]);
    return name;
}

// A frame exists as a compiled file or as a source texture below the textures folder.
bool FrameExists(const zSTRING& frameName)
{
    if (zMakeFile(zCTexture::GetCompiledName(frameName))->Exists())
        return true;
    const zSTRING sources = g_options ? g_options->GetDirString(DIR_TEX) : zSTRING();
    return !sources.empty() && zMakeFile(zSTRING())->SearchFile(frameName + ".TGA", sources, true) == 0;
}

} // namespace

zCTexture::~zCTexture()
{
    // The links end with the first frame, which holds every frame they point to.
    for (zCTexture* frame : heldFrames) {
        std::fill(std::begin(frame->aniNext), std::end(frame->aniNext), nullptr);
        std::fill(std::begin(frame->aniPrev), std::end(frame->aniPrev), nullptr);
    }
    for (zCTexture* frame : heldFrames)
        frame->Release();
}

zSTRING zCTexture::GetObjectNameOf(const zSTRING& name)
{
    zPATH path(name);
    zSTRING objectName = path.GetFilename() + ".TGA";
    objectName.Upper();
    return objectName;
}

zSTRING zCTexture::GetCompiledName(const zSTRING& name)
{
    zPATH path(name);
    zSTRING base = path.GetFilename();
    base.Upper();
    const zSTRING folder = g_options ? g_options->GetDirString(DIR_COMPILED_TEXTURES) : zSTRING();
    return folder + base + "-C.TEX";
}

zCTexture* zCTexture::Load(const zSTRING& name, int flag)
{
    if (name.empty() || !g_renderer)
        return nullptr;
    const zSTRING objectName = GetObjectNameOf(name);
    if (zCObject* found = zCTexture::classDef.SearchHashTable(objectName)) {
        // A frame of an animated texture stands for the animation: its first frame.
        auto* texture = static_cast<zCTexture*>(found);
        for (int c = 0; c < kNumAniChannels; ++c) {
            while (texture->aniPrev[c])
                texture = texture->aniPrev[c];
        }
        texture->AddRef();
        return texture;
    }
    if (zCTexture* first = LoadAnimated(name, flag))
        return first;
    return Create(objectName, flag);
}

zCTexture* zCTexture::Create(const zSTRING& objectName, int flag)
{
    zCTexture* texture = g_renderer->CreateTexture();
    if (!texture)
        return nullptr;
    texture->texFlags = (texture->texFlags & ~zTEX_FLAG_LOAD_FLAG) | ((flag & 1) ? std::uint32_t{zTEX_FLAG_LOAD_FLAG} : 0u);
    texture->SetObjectName(objectName);
    return texture;
}

zCTexture* zCTexture::LoadAnimated(const zSTRING& name, int flag)
{
    zSTRING plain = zPATH(name).GetFilename();
    plain.Upper();
    zSTRING base;
    std::vector<char> channels;
    if (!SplitAniName(plain, base, channels))
        return nullptr;

    const int first[kNumAniChannels] = {};
    if (zCObject* living = classDef.SearchHashTable(FrameName(base, channels, first) + ".TGA")) {
        living->AddRef();
        return static_cast<zCTexture*>(living);
    }

    // Each channel's frames count up from 0 with the other channels at frame 0.
    const int numChannels = static_cast<int>(channels.size());
    int counts[kNumAniChannels] = {1, 1, 1};
    int total = 1;
    for (int c = 0; c < numChannels; ++c) {
        int frame[kNumAniChannels] = {};
        int n = 0;
        while (total / counts[c] * (n + 1) <= kMaxAniFrames) {
            frame[c] = n;
            if (!FrameExists(FrameName(base, channels, frame)))
                break;
            ++n;
        }
        if (n == 0)
            return nullptr;  // not even the first frame
        total = total / counts[c] * n;
        counts[c] = n;
    }

    // Every combination of the channels' frames, the first channel counting fastest. A
    // combination without a file of its own takes the default texture when it is loaded.
    std::vector<zCTexture*> grid(static_cast<std::size_t>(total));
    for (int k = 0; k < total; ++k) {
        const int frame[kNumAniChannels] = {k % counts[0], k / counts[0] % counts[1], k / (counts[0] * counts[1])};
        const zSTRING frameName = FrameName(base, channels, frame) + ".TGA";
        zCTexture* texture = static_cast<zCTexture*>(classDef.SearchHashTable(frameName));
        if (texture)
            texture->AddRef();
        else
            texture = Create(frameName, flag);
        if (!texture) {
            for (int i = 0; i < k; ++i)
                grid[static_cast<std::size_t>(i)]->Release();
            return nullptr;
        }
        grid[static_cast<std::size_t>(k)] = texture;
    }
    const int strides[kNumAniChannels] = {1, counts[0], counts[0] * counts[1]};
    for (int k = 0; k < total; ++k) {
        zCTexture* texture = grid[static_cast<std::size_t>(k)];
        for (int c = 0; c < numChannels; ++c) {
            const int at = k / strides[c] % counts[c];
            texture->aniNext[c] = at + 1 < counts[c] ? grid[static_cast<std::size_t>(k + strides[c])] : nullptr;
            texture->aniPrev[c] = at > 0 ? grid[static_cast<std::size_t>(k - strides[c])] : nullptr;
        }
    }
    zCTexture* head = grid.front();
    head->texFlags |= zTEX_FLAG_ANI_FIRST;
    for (int c = 0; c < numChannels; ++c)
        head->aniFrames[c] = counts[c];
    head->heldFrames.assign(grid.begin() + 1, grid.end());
    return head;
}

int zCTexture::LoadCompiled(const zSTRING& name)
{
    zCTextureFileFormatInternal reader;
    reader.maxSize = kMaxTextureSizeLoaded;
    reader.detailShift = s_loadCounter++ == 0 ? 1 : 0;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(GetCompiledName(name)));
    if (!file || file->Open(false) != 0)
        return 0;
    const int read = reader.ReadFromFile(file.get(), this);
    file->Close();
    if (!read)
        return 0;
    const zTTextureInfo& info = reader.GetTexInfo();
    if (info.width == 0 || info.height == 0)
        return 0;

    // The renderer must take the format, or one of its fall-backs.
    const int start = info.format;
    int format = start;
    while (!g_renderer->SupportsTextureFormat(format)) {
        format = zTexFormatFallback[format];
        if (format < 0 || format == start) {
            g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_NO_TEXTURE_FORMAT));
            return 0;
        }
    }
    if (zTexFormatTable[info.format].bitsA > 0)
        texFlags |= zTEX_FLAG_ALPHA;
    else
        texFlags &= ~zTEX_FLAG_ALPHA;
    return 1;
}

int zCTexture::LoadData()
{
    const zSTRING& name = GetObjectName();
    if (name.size() < 4 || name[static_cast<unsigned>(name.size() - 4)] != '.')
        return 1;
    if (!g_objectFactory || !g_renderer)
        return 0;
    std::unique_ptr<zFILE> probe(g_objectFactory->CreateZFile(GetCompiledName(name)));
    if (probe && probe->Exists())
        return LoadCompiled(name);

    // Source textures are not converted here: a missing compiled file means the default.
    if (name == kDefaultTexture) {
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_DEFAULT_TEXTURE_MISSING, name.c_str()));
        return 0;
    }
    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_TEXTURE_USING_DEFAULT, name.c_str()));
    std::unique_ptr<zFILE> fallback(g_objectFactory->CreateZFile(GetCompiledName(kDefaultTexture)));
    if (!fallback || !fallback->Exists()) {
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_DEFAULT_TEXTURE_MISSING, kDefaultTexture));
        return 0;
    }
    return LoadCompiled(kDefaultTexture);
}

int zCTexture::ReleaseData()
{
    ReleaseTexData();
    return 1;
}

int zCTexture::GetDataSize()
{
    if (!g_renderer)
        return 0;
    const zTTextureInfo info = static_cast<zCTextureExchange*>(this)->GetInfo();
    if (info.format < 0 || info.format >= zTEX_NUM_FORMATS)
        return 0;
    const double bytes = zTexFormatTable[info.format].bytesPerPixel;
    double total = 0.0;
    std::int64_t width = std::max(info.width, 1);
    std::int64_t height = std::max(info.height, 1);
    for (int level = 0; level < info.mipCount; ++level) {
        total += static_cast<double>(width) * static_cast<double>(height) * bytes;
        width = std::max<std::int64_t>(width / 2, 1);
        height = std::max<std::int64_t>(height / 2, 1);
    }
    return total > 2147483647.0 ? 2147483647 : static_cast<int>(total);
}

void zCTexture::GetCacheSettings(int& cacheOutTimeMSec, int& cacheSizeMaxBytes)
{
    cacheOutTimeMSec = g_options ? g_options->ReadInt("ENGINE", "zTexCacheOutTimeMSec", 240000) : 240000;
    cacheSizeMaxBytes = g_options ? g_options->ReadInt("ENGINE", "zTexCacheSizeMaxBytes", 22000000) : 22000000;
    // Without hardware block compression (always, with this renderer) the cache is doubled.
    if (!g_renderer || !g_renderer->SupportsTextureFormatHardware(zTEX_FORMAT_DXT1))
        cacheSizeMaxBytes *= 2;
}

int zCTexture::HasAlpha()
{
    zNotFound("zCTexture::HasAlpha");
}

void zCTexture::CreateTextureTile()
{
    zNotFound("zCTexture::CreateTextureTile");
}
