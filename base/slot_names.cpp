#include "base/slot_names.h"

#include <windows.h>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"

namespace {

// What the key types in the keyboard state, or L'\0' for no character of
// its own (none, a control character, several).
wchar_t TypedBy(UINT key, const BYTE (&state)[256], HKL layout)
{
    // Flag 4: leave the keyboard's state as it is, where Windows knows the flag.
    constexpr UINT kKeepKeyboardState = 4;
    const UINT scan = MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
    wchar_t typed[8] = {};
    int count = ToUnicodeEx(key, scan, state, typed, 8, kKeepKeyboardState, layout);
    if (count < 0) {
        // A dead key gives its own character and waits for the next key;
        // giving it again ends the wait, so that what the user types next
        // is not changed by it.
        wchar_t again[8] = {};
        ToUnicodeEx(key, scan, state, again, 8, kKeepKeyboardState, layout);
        count = 1;
    }
    return count == 1 && typed[0] > L' ' && typed[0] != 0x7F ? typed[0] : L'\0';
}

}  // namespace

DigitMarks KeyboardDigitMarks()
{
    if (JapaneseKeyboard())
        return kJapaneseDigitMarks;
    const HKL layout = GetKeyboardLayout(0);
    BYTE alone[256] = {};
    BYTE shifted[256] = {};
    shifted[VK_SHIFT] = 0x80;
    DigitMarks marks{};
    for (std::size_t digit = 0; digit < marks.size(); ++digit) {
        const UINT key = static_cast<UINT>('0' + digit);
        const wchar_t name = static_cast<wchar_t>(key);
        wchar_t mark = TypedBy(key, shifted, layout);
        if (mark == name)
            mark = TypedBy(key, alone, layout);
        marks[digit] = mark == name ? L'\0' : mark;
    }
    return marks;
}

std::wstring SlotDisplayName(CommandListKind kind, std::int32_t index)
{
    if (kind == CommandListKind::Drags) {
        if (index < 0 || index >= kDirectionCount)
            throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
        return UiText(IDS_DIRECTION_NONE + index);
    }
    if (kind == CommandListKind::Keys)
        return KeySlotName(index, KeyboardDigitMarks());
    return {};
}
