// Running CRC-16 and CRC-32 checksums (class-version checksums, name hashes).
#include "zCCrc.h"

#include <array>

namespace {

template <typename T>
constexpr std::array<T, 256> MakeReflectedTable(T polynomial)
{
    std::array<T, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        T value = static_cast<T>(i);
        for (int bit = 0; bit < 8; ++bit)
            value = static_cast<T>((value & 1) ? (value >> 1) ^ polynomial : value >> 1);
        table[i] = value;
    }
    return table;
}

constexpr auto kCrc16Table = MakeReflectedTable<std::uint16_t>(0xA001);
constexpr auto kCrc32Table = MakeReflectedTable<std::uint32_t>(0xEDB88320u);

} // namespace

std::uint16_t Crc16Buffer(const void* data, std::size_t length, std::uint16_t start)
{
    if (!data)
        return start;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::uint16_t crc = start;
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrc16Table[(crc ^ bytes[i]) & 0xFF]);
    return crc;
}

std::uint32_t Crc32Buffer(const void* data, std::size_t length, std::uint32_t start)
{
    if (!data)
        return start;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::uint32_t crc = ~start;
    for (std::size_t i = 0; i < length; ++i)
        crc = (crc >> 8) ^ kCrc32Table[(crc ^ bytes[i]) & 0xFF];
    return ~crc;
}
