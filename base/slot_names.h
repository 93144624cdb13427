#pragma once
// The kinds of command list, and the short display names of the drag
// directions and key slots.

#include <cstdint>
#include <string>

// The numbers are those the lists have always had; keep them.
enum class CommandListKind : std::int32_t { Drags = 0, Keys = 1, Menus = 2 };

inline constexpr std::int32_t kDirectionCount = 9;  // 0 (none) and 1..8 clockwise from up
inline constexpr std::int32_t kKeyCount = 36;       // A..Z, then 0..9

// Drags: directions, in the interface's language; Keys: keys; any other
// kind: empty text. An index outside the kind's table raises NumberedError 5.
std::wstring SlotDisplayName(CommandListKind kind, std::int32_t index);

// The name of a key slot, the same in every language: "A[a]" ... "9[)]".
std::wstring KeySlotName(std::int32_t index);
