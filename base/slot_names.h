#pragma once
// The kinds of command list, and the short display names of the drag
// directions and key slots.

#include <array>
#include <cstdint>
#include <string>

// The numbers are those the lists have always had; keep them.
enum class CommandListKind : std::int32_t { Drags = 0, Keys = 1, Menus = 2 };

inline constexpr std::int32_t kDirectionCount = 9;  // 0 (none) and 1..8 clockwise from up
inline constexpr std::int32_t kKeyCount = 36;       // A..Z, then 0..9

// The character a key name shows beside each digit 0..9: what the digit's key
// types with Shift; L'\0' for none, and the digit is named alone.
using DigitMarks = std::array<wchar_t, 10>;
// The Japanese keyboard's: "0", "1[!]", "2[\"]" ... "9[)]".
inline constexpr DigitMarks kJapaneseDigitMarks = {L'\0', L'!', L'"', L'#', L'$',
                                                   L'%',  L'&', L'\'', L'(', L')'};

// Drags: directions, in the interface's language; Keys: keys, their digits
// marked as the user's keyboard types them; any other kind: empty text. An
// index outside the kind's table raises NumberedError 5.
std::wstring SlotDisplayName(CommandListKind kind, std::int32_t index);

// The name of a key slot, in every language: "A[a]" ... "Z[z]", then the
// digits with their marks ("0", "1[!]" ... on the Japanese keyboard).
std::wstring KeySlotName(std::int32_t index, const DigitMarks& marks);

// The marks of the keyboard in use: the Japanese keyboard's own, or what the
// thread's active layout types with Shift on each digit key (where that is
// the digit itself, as on French keyboards, what the key types alone).
DigitMarks KeyboardDigitMarks();
