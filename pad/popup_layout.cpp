#include "pad/popup_layout.h"

#include "base/slot_names.h"

Box StatusWindowBox(Point padTwips, std::int32_t labelWidthTwips, std::int32_t labelHeightTwips,
                    const ScreenMetrics& screen, const Box& workArea, std::int32_t dpi)
{
    const std::int32_t tppX = screen.twipsPerPixelX;
    const std::int32_t tppY = screen.twipsPerPixelY;
    const std::int32_t padLeft = PixelsOf(padTwips.x, tppX);
    const std::int32_t padTop = PixelsOf(padTwips.y, tppY);
    Box box;
    const bool roomBelow = std::int64_t(screen.topTwips) + screen.heightTwips -
                               ScaledToDpi(100, dpi) * std::int64_t(tppY) >=
                           padTwips.y;
    box.y = roomBelow ? padTop + ScaledToDpi(38, dpi) : padTop - ScaledToDpi(23, dpi);
    box.x = padLeft + ScaledToDpi(16, dpi) - PixelsOf(labelWidthTwips / 2 + 30, tppX);
    box.width = PixelsOf(labelWidthTwips + 60, tppX);
    box.height = PixelsOf(labelHeightTwips + 60, tppY);
    return MovedWithin(box, workArea);
}

TipLayout LayOutTip(std::int32_t column1Width, std::int32_t column2Width,
                    std::int32_t columnHeight, std::int32_t dpi)
{
    const auto at = [dpi](std::int32_t designed) { return ScaledToDpi(designed, dpi); };
    TipLayout layout;
    layout.width = column1Width + column2Width + at(19);
    layout.height = columnHeight + at(10);
    layout.column1 = {at(4), at(4)};
    layout.column2 = {column1Width + at(13), at(4)};
    layout.separatorFrom = {column1Width + at(9), at(2)};
    layout.separatorTo = {column1Width + at(9), columnHeight + at(8)};
    return layout;
}

Point TipPosition(Point pointer, std::int32_t width, std::int32_t height,
                  const ScreenMetrics& screen, std::int32_t dpi)
{
    const bool rightHalf = std::int64_t(pointer.x) * screen.twipsPerPixelX - screen.leftTwips >=
                           screen.widthTwips / 2;
    const bool lowerHalf = std::int64_t(pointer.y) * screen.twipsPerPixelY - screen.topTwips >=
                           screen.heightTwips / 2;
    return {rightHalf ? pointer.x - width : pointer.x,
            lowerHalf ? pointer.y - height - 1 : pointer.y + ScaledToDpi(20, dpi)};
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
        text += KeySlotName(slot);
        text += L'\t';
        text += captionOf(slot);
    }
    return text;
}
