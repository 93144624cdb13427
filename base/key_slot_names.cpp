#include "base/slot_names.h"

#include "base/numbered_error.h"

std::wstring KeySlotName(std::int32_t index, const DigitMarks& marks)
{
    if (index < 0 || index >= kKeyCount)
        throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
    if (index < 26)
        return {wchar_t(L'A' + index), L'[', wchar_t(L'a' + index), L']'};
    const std::size_t digit = static_cast<std::size_t>(index - 26);
    const wchar_t name = wchar_t(L'0' + digit);
    if (marks[digit] == L'\0')
        return {name};
    return {name, L'[', marks[digit], L']'};
}
