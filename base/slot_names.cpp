#include "base/slot_names.h"

#include "base/interface_text.h"
#include "base/numbered_error.h"

std::wstring SlotDisplayName(std::int32_t kind, std::int32_t index)
{
    if (kind == 0) {
        if (index < 0 || index >= kDirectionCount)
            throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
        return UiText(IDS_DIRECTION_NONE + index);
    }
    if (kind == 1)
        return KeySlotName(index);
    return {};
}
