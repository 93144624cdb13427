#include "base/slot_names.h"

#include "base/numbered_error.h"

namespace {

const wchar_t* const kDirectionNames[kDirectionCount] = {
    L"(なし)", L"上", L"右上", L"右", L"右下", L"下", L"左下", L"左", L"左上",
};

// The shifted characters of the digit keys 1..9 on the Japanese layout.
const wchar_t kShiftedDigits[] = L"!\"#$%&'()";

}  // namespace

std::wstring SlotDisplayName(CommandListKind kind, std::int32_t index)
{
    if (kind == CommandListKind::Drags) {
        if (index < 0 || index >= kDirectionCount)
            throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
        return kDirectionNames[index];
    }
    if (kind == CommandListKind::Keys) {
        if (index < 0 || index >= kKeyCount)
            throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
        if (index < 26)
            return {wchar_t(L'A' + index), L'[', wchar_t(L'a' + index), L']'};
        if (index == 26)
            return L"0";
        return {wchar_t(L'0' + index - 26), L'[', kShiftedDigits[index - 27], L']'};
    }
    return {};
}
