// The binary model script (.MSB): its chunk ids, the fields of its chunks in one list
// that the compiler, the reader and the writer share, and the event records that
// event chunks make.
#pragma once

#include <cstdint>

#include "zSTRING.h"

class zCBinChunkFile;

enum : std::uint16_t {
    zMSB_HEADER = 0xF000,
    zMSB_SOURCE = 0xF100,
    zMSB_MODEL = 0xF200,
    zMSB_MODEL_END = 0xF2FF,
    zMSB_MESH_AND_TREE = 0xF300,
    zMSB_REGISTER_MESH = 0xF400,
    zMSB_ANI_ENUM = 0xF500,
    zMSB_ANI_MAX_FPS = 0xF510,
    zMSB_ANI = 0xF520,
    zMSB_ANI_ALIAS = 0xF530,
    zMSB_ANI_BLEND = 0xF540,
    zMSB_ANI_SYNC = 0xF550,
    zMSB_ANI_GROUP = 0xF560,  // never written; read through, not skipped
    zMSB_ANI_COMB = 0xF570,
    zMSB_ANI_DISABLE = 0xF580,
    zMSB_MODEL_TAG = 0xF590,
    zMSB_EVENTS = 0xF5A0,
    zMSB_EVENT_SFX = 0xF5A1,
    zMSB_EVENT_SFX_GRND = 0xF5A2,
    zMSB_EVENT_TAG = 0xF5A3,
    zMSB_EVENT_PFX = 0xF5A4,
    zMSB_EVENT_PFX_STOP = 0xF5A5,
    zMSB_EVENT_PFX_GRND = 0xF5A6,
    zMSB_EVENT_SET_MESH = 0xF5A7,
    zMSB_EVENT_SWAP_MESH = 0xF5A8,
    zMSB_EVENT_MM_START_ANI = 0xF5A9,
    zMSB_EVENT_CAM_TREMOR = 0xF5AA,
    zMSB_EVENTS_END = 0xF5AF,
    zMSB_ANI_ENUM_END = 0xF5FF,
    zMSB_END = 0xFFFF,
};

constexpr std::uint32_t zMSB_VERSION = 1;

// A chunk of the file head or the model body: the header (F000), meshAndTree (F300)
// or registerMesh (F400, which has the text alone).
struct zTMsbModelChunk {
    std::uint32_t number = 0;  // header: the format version; meshAndTree: non-zero for DONT_USE_MESH
    zSTRING text;  // header: the source's folder; meshAndTree: the hierarchy; registerMesh: the mesh
};

// One entry of the animation enumeration (F510 to F590), or the opening of an event
// group (F5A0). Each chunk kind stores the fields its statement has; the others stay
// as they are.
struct zTMsbEntry {
    zSTRING name;  // modelTag: the tag
    int layer = 0;
    zSTRING next;
    float blendIn = 0.0f;
    float blendOut = 0.0f;
    zSTRING flags;
    zSTRING source;  // ani: ASC file; aniAlias: the repeated ani; aniComb: the base name
    zSTRING direction;
    int firstFrame = 0;
    int lastFrame = 0;
    float fps = 25.0f;  // aniMaxFPS: the cap
    float speed = 0.0f;
    float cvs = 1.0f;
    std::uint32_t count = 0;  // aniComb; event group: the events announced
    zSTRING args[4];  // modelTag
};

// One event chunk (F5A1 to F5AA). texts and values in the order the chunk stores them;
// an eventTag has the most texts: the tag and its four arguments.
struct zTMsbEvent {
    int frame = 0;
    zSTRING texts[5];
    float values[4] = {};
};

struct zTAniEventRec;

// The event record kind of an event chunk; -1 for any other id.
int MsbEventKind(std::uint16_t id);
// Sets the record's kind and the fields that the event chunk holds; the frame is left
// to the caller, who knows the animation.
void FillMsbEventRecord(std::uint16_t id, const zTMsbEvent& event, zTAniEventRec& rec);
// Effects and mesh swaps take frame -1 for the animation's last frame.
bool MsbEventAtLastFrame(std::uint16_t id);

// Start the chunk and write its fields (ids F000, F300 and F400; F510 to F5A0; F5A1
// to F5AA).
void WriteMsbModelChunk(zCBinChunkFile& file, std::uint16_t id, const zTMsbModelChunk& chunk);
void WriteMsbEntry(zCBinChunkFile& file, std::uint16_t id, const zTMsbEntry& entry);
void WriteMsbEvent(zCBinChunkFile& file, std::uint16_t id, const zTMsbEvent& event);
// The fields behind a chunk header already read; false when the file ended first.
bool ReadMsbModelChunk(zCBinChunkFile& file, std::uint16_t id, zTMsbModelChunk& chunk);
bool ReadMsbEntry(zCBinChunkFile& file, std::uint16_t id, zTMsbEntry& entry);
bool ReadMsbEvent(zCBinChunkFile& file, std::uint16_t id, zTMsbEvent& event);
