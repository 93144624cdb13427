#pragma once
// Short display names of the drag directions and key slots.

#include <cstdint>
#include <string>

inline constexpr std::int32_t kDirectionCount = 9;  // 0 (none) and 1..8 clockwise from up
inline constexpr std::int32_t kKeyCount = 36;       // A..Z, then 0..9

// kind 0: directions, in the interface's language; kind 1: keys; any other
// kind: empty text. An index outside the kind's table raises NumberedError 5.
std::wstring SlotDisplayName(std::int32_t kind, std::int32_t index);

// The name of a key slot, the same in every language: "A[a]" ... "9[)]".
std::wstring KeySlotName(std::int32_t index);
