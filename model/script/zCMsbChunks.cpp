// The fields of the binary model script's chunks and the event records of its events.
#include "zCMsbChunks.h"

#include "zCBinChunkFile.h"
#include "zCModelAni.h"

namespace {

// Both directions walk the same field list: a text, an int or a float each.
struct Writer {
    zCBinChunkFile& file;
    void Text(const zSTRING& text) { file.WriteLine(text); }
    void Int(const int& value) { file.WriteInt(value); }
    void Float(const float& value) { file.WriteFloat(value); }
    void U32(const std::uint32_t& value) { file.WriteU32(value); }
};

struct Reader {
    zCBinChunkFile& file;
    bool ok = true;
    void Text(zSTRING& text) { ok = file.ReadLine(text) && ok; }
    void Int(int& value)
    {
        std::int32_t v = 0;
        ok = file.ReadInt(v) && ok;
        value = v;
    }
    void Float(float& value) { ok = file.ReadFloat(value) && ok; }
    void U32(std::uint32_t& value) { ok = file.ReadU32(value) && ok; }
};

template <class IO, class Chunk>
void ModelFields(IO& io, std::uint16_t id, Chunk& c)
{
    switch (id) {
    case zMSB_HEADER:
    case zMSB_MESH_AND_TREE:
        io.U32(c.number), io.Text(c.text);
        break;
    case zMSB_REGISTER_MESH:
        io.Text(c.text);
        break;
    default:
        break;
    }
}

template <class IO, class Entry>
void EntryFields(IO& io, std::uint16_t id, Entry& e)
{
    switch (id) {
    case zMSB_ANI_MAX_FPS:
        io.Float(e.fps);
        break;
    case zMSB_ANI:
        io.Text(e.name), io.Int(e.layer), io.Text(e.next), io.Float(e.blendIn), io.Float(e.blendOut);
        io.Text(e.flags), io.Text(e.source), io.Text(e.direction), io.Int(e.firstFrame), io.Int(e.lastFrame);
        io.Float(e.fps), io.Float(e.speed), io.Float(e.cvs);
        break;
    case zMSB_ANI_ALIAS:
        io.Text(e.name), io.Int(e.layer), io.Text(e.next), io.Float(e.blendIn), io.Float(e.blendOut);
        io.Text(e.flags), io.Text(e.source), io.Text(e.direction);
        break;
    case zMSB_ANI_BLEND:
        io.Text(e.name), io.Text(e.next), io.Float(e.blendIn), io.Float(e.blendOut);
        break;
    case zMSB_ANI_SYNC:
        io.Text(e.name), io.Text(e.next);
        break;
    case zMSB_ANI_COMB:
        io.Text(e.name), io.Int(e.layer), io.Text(e.next), io.Float(e.blendIn), io.Float(e.blendOut);
        io.Text(e.flags), io.Text(e.source), io.U32(e.count);
        break;
    case zMSB_ANI_DISABLE:
        io.Text(e.name);
        break;
    case zMSB_MODEL_TAG:
        io.Text(e.name);
        for (auto& arg : e.args)
            io.Text(arg);
        break;
    case zMSB_EVENTS:
        io.U32(e.count);
        break;
    default:
        break;
    }
}

template <class IO, class Event>
void EventFields(IO& io, std::uint16_t id, Event& e)
{
    io.Int(e.frame);
    switch (id) {
    case zMSB_EVENT_SFX:
    case zMSB_EVENT_SFX_GRND:
        io.Text(e.texts[0]), io.Float(e.values[0]), io.Float(e.values[1]);
        break;
    case zMSB_EVENT_TAG:
        for (auto& text : e.texts)
            io.Text(text);
        break;
    case zMSB_EVENT_PFX:
        io.Float(e.values[0]), io.Text(e.texts[0]), io.Text(e.texts[1]), io.Float(e.values[1]);
        break;
    case zMSB_EVENT_PFX_STOP:
        io.Float(e.values[0]);
        break;
    case zMSB_EVENT_SET_MESH:
        io.Text(e.texts[0]);
        break;
    case zMSB_EVENT_SWAP_MESH:
        io.Text(e.texts[0]), io.Text(e.texts[1]);
        break;
    case zMSB_EVENT_MM_START_ANI:
        io.Text(e.texts[0]), io.Text(e.texts[1]), io.Float(e.values[0]), io.Float(e.values[1]);
        break;
    case zMSB_EVENT_CAM_TREMOR:
        for (auto& value : e.values)
            io.Float(value);
        break;
    default:  // the ground effect has the frame alone
        break;
    }
}

} // namespace

int MsbEventKind(std::uint16_t id)
{
    static const int kinds[] = {1, 2, 0, 6, 8, 7, 9, 4, 10, 11};
    if (id < zMSB_EVENT_SFX || id > zMSB_EVENT_CAM_TREMOR)
        return -1;
    return kinds[id - zMSB_EVENT_SFX];
}

void FillMsbEventRecord(std::uint16_t id, const zTMsbEvent& e, zTAniEventRec& rec)
{
    rec.eventKind = MsbEventKind(id);
    switch (id) {
    case zMSB_EVENT_SFX:
    case zMSB_EVENT_SFX_GRND:
        rec.values[0] = e.texts[0];
        rec.floatValues[0] = e.values[0];
        rec.floatValues[1] = e.values[1];
        break;
    case zMSB_EVENT_TAG:
        rec.tagString = e.texts[0];
        for (int i = 0; i < 4; ++i)
            rec.values[i] = e.texts[i + 1];
        break;
    case zMSB_EVENT_PFX:
        rec.floatValues[0] = e.values[0];
        rec.values[0] = e.texts[1];  // the node; the effect's name is not kept
        rec.floatValues[1] = e.values[1];
        break;
    case zMSB_EVENT_PFX_STOP:
        rec.floatValues[0] = e.values[0];
        break;
    case zMSB_EVENT_SET_MESH:
        rec.values[0] = e.texts[0];
        break;
    case zMSB_EVENT_SWAP_MESH:
    case zMSB_EVENT_MM_START_ANI:
        rec.values[0] = e.texts[0];
        rec.values[1] = e.texts[1];
        rec.floatValues[0] = e.values[0];
        rec.floatValues[1] = e.values[1];
        break;
    case zMSB_EVENT_CAM_TREMOR:
        for (int i = 0; i < 4; ++i)
            rec.floatValues[i] = e.values[i];
        break;
    default:
        break;
    }
}

bool MsbEventAtLastFrame(std::uint16_t id)
{
    return id == zMSB_EVENT_PFX || id == zMSB_EVENT_PFX_STOP || id == zMSB_EVENT_PFX_GRND ||
           id == zMSB_EVENT_SWAP_MESH;
}

void WriteMsbModelChunk(zCBinChunkFile& file, std::uint16_t id, const zTMsbModelChunk& chunk)
{
    file.StartChunk(id);
    Writer writer{file};
    ModelFields(writer, id, chunk);
}

void WriteMsbEntry(zCBinChunkFile& file, std::uint16_t id, const zTMsbEntry& entry)
{
    file.StartChunk(id);
    Writer writer{file};
    EntryFields(writer, id, entry);
}

void WriteMsbEvent(zCBinChunkFile& file, std::uint16_t id, const zTMsbEvent& event)
{
    file.StartChunk(id);
    Writer writer{file};
    EventFields(writer, id, event);
}

bool ReadMsbModelChunk(zCBinChunkFile& file, std::uint16_t id, zTMsbModelChunk& chunk)
{
    Reader reader{file};
    ModelFields(reader, id, chunk);
    return reader.ok;
}

bool ReadMsbEntry(zCBinChunkFile& file, std::uint16_t id, zTMsbEntry& entry)
{
    Reader reader{file};
    EntryFields(reader, id, entry);
    return reader.ok;
}

bool ReadMsbEvent(zCBinChunkFile& file, std::uint16_t id, zTMsbEvent& event)
{
    Reader reader{file};
    EventFields(reader, id, event);
    return reader.ok;
}
