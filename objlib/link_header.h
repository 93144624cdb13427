#pragma once
// The fixed header at the start of a Windows shortcut (.lnk) file. No
// Windows dependency.

#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr std::size_t kLinkHeaderSize = 0x4C;

// The show command the header records (offset 0x3C), or nothing when the
// bytes do not start with a shell-link header (size 0x4C, the link class id).
std::optional<std::int32_t> ShowCommandOfLinkHeader(std::string_view bytes);
