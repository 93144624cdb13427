#include "objlib/link_header.h"

#include <array>

namespace {

constexpr std::size_t kShowCommandOffset = 0x3C;
// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored: the first
// three fields little-endian.
constexpr std::array<unsigned char, 16> kLinkClassId = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

}  // namespace

std::optional<std::int32_t> ShowCommandOfLinkHeader(std::string_view bytes)
{
    if (bytes.size() < kLinkHeaderSize || LittleEndian32(bytes, 0) != kLinkHeaderSize)
        return std::nullopt;
    for (std::size_t i = 0; i < kLinkClassId.size(); ++i)
        if (static_cast<unsigned char>(bytes[4 + i]) != kLinkClassId[i])
            return std::nullopt;
    return static_cast<std::int32_t>(LittleEndian32(bytes, kShowCommandOffset));
}
