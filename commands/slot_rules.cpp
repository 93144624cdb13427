#include "commands/slot_rules.h"

#include <limits>

#include "base/numbered_error.h"
#include "base/slot_names.h"

namespace {

const wchar_t* const kDirectionKeyNames[kDirectionCount] = {
    L"", L"Upward", L"UpperRightward", L"Rightward", L"LowerRightward",
    L"Downward", L"LowerLeftward", L"Leftward", L"UpperLeftward",
};

}  // namespace

std::int32_t SlotCountOf(CommandListKind kind)
{
    switch (kind) {
    case CommandListKind::Drags: return kDirectionCount;
    case CommandListKind::Keys: return kKeyCount;
    default: return 0;
    }
}

std::int32_t FindEmptySlotIn(CommandListKind kind, const std::vector<bool>& emptySlots,
                             std::int32_t index, bool backward, bool wrap)
{
    const std::int32_t count = static_cast<std::int32_t>(emptySlots.size());
    if (index < 0 || index >= count)
        throw NumberedError(kErrInvalidArgument, L"FindEmptySlot");
    // The first free slot from `from` towards `to`, both included.
    const auto scan = [&](std::int32_t from, std::int32_t to, std::int32_t step) {
        for (std::int32_t slot = from; step > 0 ? slot <= to : slot >= to; slot += step)
            if (emptySlots[slot])
                return slot;
        return std::int32_t{-1};
    };
    std::int32_t found = -1;
    if (kind == CommandListKind::Drags) {
        // The ring of directions; its wrap-around is not optional.
        found = backward ? scan(index - 1, 1, -1) : scan(index + 1, count - 1, 1);
        if (found == -1)
            found = backward ? scan(count - 1, index + 1, -1) : scan(1, index - 1, 1);
    } else if (kind == CommandListKind::Keys) {
        found = backward ? scan(index - 1, 0, -1) : scan(index + 1, count - 1, 1);
        if (found == -1 && !backward && wrap)
            found = scan(0, index - 1, 1);
    }
    return found;
}

std::int32_t FirstStoredSlot(CommandListKind kind) { return kind == CommandListKind::Drags ? 1 : 0; }

std::wstring SlotKeyName(CommandListKind kind, std::int32_t slot)
{
    if (kind == CommandListKind::Drags)
        return kDirectionKeyNames[slot];
    if (kind == CommandListKind::Keys)
        return std::wstring(1, slot < 26 ? wchar_t(L'A' + slot) : wchar_t(L'0' + slot - 26));
    return std::to_wstring(slot);
}

std::optional<std::int32_t> MenuSlotOfKeyName(const std::wstring& name)
{
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name.front() == L'0'))
        return std::nullopt;
    long long value = 0;
    for (wchar_t c : name) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}
