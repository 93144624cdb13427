#pragma once
// Slot numbering of the three command lists: how many slots, where a free
// one is found, and the registry key name of each slot. No Windows dependency.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/slot_names.h"

// 9 for drags, 36 for keys, 0 (a fresh list) for menus.
std::int32_t SlotCountOf(CommandListKind kind);

// The nearest free slot next to index, or -1. Drags search the ring 1..8
// (slot 0 never), always wrapping; keys search a line and wrap forward only
// when asked; menus have no free slots. An index outside the list raises
// NumberedError 5.
std::int32_t FindEmptySlotIn(CommandListKind kind, const std::vector<bool>& emptySlots,
                             std::int32_t index, bool backward, bool wrap);

// The first slot a list stores: drag slot 0 is never stored.
std::int32_t FirstStoredSlot(CommandListKind kind);

// "Upward" .. "UpperLeftward" for drag slots 1..8, "A".."Z" and "0".."9" for
// keys, the decimal number for menus.
std::wstring SlotKeyName(CommandListKind kind, std::int32_t slot);

// The menu slot a key name stands for: plain decimal, as SlotKeyName writes it.
std::optional<std::int32_t> MenuSlotOfKeyName(const std::wstring& name);
