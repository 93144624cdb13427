#include "base/slot_names.h"

#include "base/interface_text.h"
#include "base/numbered_error.h"

std::wstring SlotDisplayName(CommandListKind kind, std::int32_t index)
{
    if (kind == CommandListKind::Drags) {
        if (index < 0 || index >= kDirectionCount)
            throw NumberedError(kErrInvalidArgument, L"SlotDisplayName");
        return UiText(IDS_DIRECTION_NONE + index);
    }
    if (kind == CommandListKind::Keys)
        return KeySlotName(index);
    return {};
}
