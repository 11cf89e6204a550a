// Fuzz target of chunk files: the input is a chunk file, read the way the model
// readers walk one: each chunk's header, then fields, lines, a counted block or a
// source stamp by the chunk id, until the next chunk lies beyond the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "zCBinChunkFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    const int savedJobMode = g_jobMode;
    g_jobMode = zJOB_CONVERT_MODELS;  // a convert job records the stamps it reads
    session.Run([&] {
        session.Write("in.bin", data, size);
        zCBinChunkFile file;
        if (file.Open("\\in.bin") != 0)
            return;
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        // A damaged file ends the walk itself; the count only keeps a fault from hanging the run.
        for (int chunks = 0; file.GetNextChunkPos() < static_cast<long>(size) && chunks < 10000; ++chunks) {
            if (file.ReadChunkHeader(id, length)) {
                switch (id & 3) {
                case 0: {
                    std::uint8_t u8;
                    std::uint16_t u16;
                    std::uint32_t u32;
                    std::int32_t i32;
                    float f;
                    (void)(file.ReadU8(u8) && file.ReadU16(u16) && file.ReadU32(u32) && file.ReadInt(i32) &&
                           file.ReadFloat(f));
                    break;
                }
                case 1: {
                    zSTRING line;
                    for (int lines = 0; lines < 64 && file.ReadLine(line); ++lines) {
                    }
                    break;
                }
                case 2: {
                    std::uint32_t count = 0;
                    if (file.ReadU32(count) && count <= static_cast<std::uint32_t>(file.GetBytesLeft())) {
                        std::vector<std::uint8_t> bytes(count);
                        file.ReadBytes(bytes.data(), static_cast<long>(count));
                    }
                    break;
                }
                default:
                    ReadSourceStamp(file);
                    break;
                }
            }
            file.SkipToNextChunk();
        }
    });
    ClearRecordedSourceStamps();
    g_jobMode = savedJobMode;
    return 0;
}
