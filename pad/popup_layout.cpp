#include "pad/popup_layout.h"

#include "base/slot_names.h"

Box StatusWindowBox(Point padTwips, std::int32_t labelWidthTwips, std::int32_t labelHeightTwips,
                    const ScreenMetrics& screen)
{
    const std::int32_t tppX = screen.twipsPerPixelX;
    const std::int32_t tppY = screen.twipsPerPixelY;
    const std::int32_t padLeft = PixelsOf(padTwips.x, tppX);
    const std::int32_t padTop = PixelsOf(padTwips.y, tppY);
    Box box;
    const bool roomBelow = std::int64_t(screen.heightTwips) - 100 * std::int64_t(tppY) >= padTwips.y;
    box.y = roomBelow ? padTop + 38 : padTop - 23;
    box.x = padLeft + 16 - PixelsOf(labelWidthTwips / 2 + 30, tppX);
    box.width = PixelsOf(labelWidthTwips + 60, tppX);
    box.height = PixelsOf(labelHeightTwips + 60, tppY);
    return box;
}

TipLayout LayOutTip(std::int32_t column1Width, std::int32_t column2Width,
                    std::int32_t columnHeight)
{
    TipLayout layout;
    layout.width = column1Width + column2Width + 19;
    layout.height = columnHeight + 10;
    layout.column1 = {4, 4};
    layout.column2 = {column1Width + 13, 4};
    layout.separatorFrom = {column1Width + 9, 2};
    layout.separatorTo = {column1Width + 9, columnHeight + 8};
    return layout;
}

Point TipPosition(Point pointer, std::int32_t width, std::int32_t height, const ScreenMetrics& screen)
{
    const bool rightHalf =
        std::int64_t(pointer.x) * screen.twipsPerPixelX >= screen.widthTwips / 2;
    const bool lowerHalf =
        std::int64_t(pointer.y) * screen.twipsPerPixelY >= screen.heightTwips / 2;
    return {rightHalf ? pointer.x - width : pointer.x,
            lowerHalf ? pointer.y - height - 1 : pointer.y + 20};
}

std::wstring TipColumnText(std::int32_t column,
                           const std::function<std::wstring(std::int32_t)>& captionOf)
{
    const std::int32_t first = column == 0 ? 0 : kTipColumnLength;
    const std::int32_t last = column == 0 ? kTipColumnLength : kKeyCount;
    std::wstring text;
    for (std::int32_t slot = first; slot < last; ++slot) {
        if (slot != first)
            text += L"\r\n";
        text += SlotDisplayName(1, slot);
        text += L'\t';
        text += captionOf(slot);
    }
    return text;
}
