// Fixture of the progressive-mesh and soft-skin file tests: meshes made of grids,
// the platform switched with its mesh format, objects written to bytes and read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCMaterial.h"
#include "zCMesh.h"
#include "zCPolygon.h"
#include "zCProgMeshProto.h"

class ProgMeshFixture : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        savedMeshFormat = g_meshFileVersion;
        SetPlatform(zPLATFORM_FIRST_GAME);
    }
    void TearDown() override
    {
        input.Close();
        g_meshFileVersion = savedMeshFormat;
        ModelFixture::TearDown();  // restores the platform
    }

    // The platform as the tool entries switch it: with its mesh format.
    static void SetPlatform(int platform)
    {
        g_platform = platform;
        SetMeshFormatVersion();
    }

    // A grid of columns x rows vertices in the plane y = height(x, z), two triangles
    // a cell; cell (x, z) takes materials[(x + z) % count].
    template <class Height>
    static void FillGrid(zCMesh& mesh, int columns, int rows, const std::vector<zCMaterial*>& materials, Height height)
    {
        std::vector<zCVertex*> v;
        for (int z = 0; z < rows; ++z)
            for (int x = 0; x < columns; ++x)
                v.push_back(mesh.AddVertex(zVEC3(static_cast<float>(x), height(x, z), static_cast<float>(z))));
        auto at = [&](int x, int z) { return v[static_cast<std::size_t>(z * columns + x)]; };
        for (int z = 0; z + 1 < rows; ++z) {
            for (int x = 0; x + 1 < columns; ++x) {
                zCMaterial* material = materials[static_cast<std::size_t>(x + z) % materials.size()];
                mesh.AddPoly(at(x, z), at(x, z + 1), at(x + 1, z))->SetMaterial(material);
                mesh.AddPoly(at(x + 1, z), at(x, z + 1), at(x + 1, z + 1))->SetMaterial(material);
            }
        }
        mesh.CalcBBox3D(1);
    }
    static void FillGrid(zCMesh& mesh, int columns, int rows, const std::vector<zCMaterial*>& materials)
    {
        FillGrid(mesh, columns, rows, materials, [](int x, int z) { return 0.25f * static_cast<float>((x * 7 + z * 3) % 4); });
    }

    // The chunks the object writes, as bytes.
    template <class Proto>
    std::string Write(Proto& proto)
    {
        {
            zCBinChunkFile file;
            EXPECT_EQ(file.Create("\\out.bin"), 0);
            proto.WriteToChunkFile(file);
        }
        return box.Read("out.bin");
    }

    // Reads the object from the bytes; the file is left where the reader stopped.
    template <class Proto>
    bool Read(Proto& proto, const std::string& bytes)
    {
        box.Write("in.bin", bytes);
        input.Close();
        if (input.Open("\\in.bin") != 0)
            return false;
        return proto.ReadFromChunkFile(input);
    }

    // The bytes with a little-endian field replaced.
    static std::string Patched(std::string bytes, std::size_t at, std::uint32_t value, int width)
    {
        for (int i = 0; i < width && at + static_cast<std::size_t>(i) < bytes.size(); ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return bytes;
    }
    static std::uint32_t Field(const std::string& bytes, std::size_t at)
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
        return value;
    }

    zCBinChunkFile input;

private:
    std::uint16_t savedMeshFormat = 0;
};
