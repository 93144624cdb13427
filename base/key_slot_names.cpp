#include "base/slot_names.h"

#include "base/numbered_error.h"

namespace {

// The shifted characters of the digit keys 1..9 on the Japanese layout.
const wchar_t kShiftedDigits[] = L"!\"#$%&'()";

}  // namespace

std::wstring KeySlotName(std::int32_t index)
{
    if (index < 0 || index >= kKeyCount)
        throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
    if (index < 26)
        return {wchar_t(L'A' + index), L'[', wchar_t(L'a' + index), L']'};
    if (index == 26)
        return L"0";
    return {wchar_t(L'0' + index - 26), L'[', kShiftedDigits[index - 27], L']'};
}
