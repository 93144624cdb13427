#include "pad/popup_layout.h"

#include <algorithm>

namespace {

// The start of a span of `size` on the side the rule prefers, or on the other
// side when only that one has room between low and high.
std::int32_t OnSideWithRoom(std::int32_t preferred, std::int32_t other, std::int32_t size,
                            std::int32_t low, std::int32_t high)
{
    const auto fits = [&](std::int32_t start) { return start >= low && start + size <= high; };
    return !fits(preferred) && fits(other) ? other : preferred;
}

}  // namespace

Box StatusWindowBox(Point padTwips, std::int32_t labelWidthTwips, std::int32_t labelHeightTwips,
                    const ScreenMetrics& screen, const Box& workArea, std::int32_t dpi)
{
    const std::int32_t tppX = screen.twipsPerPixelX;
    const std::int32_t tppY = screen.twipsPerPixelY;
    const std::int32_t padLeft = PixelsOf(padTwips.x, tppX);
    const std::int32_t padTop = PixelsOf(padTwips.y, tppY);
    Box box;
    box.x = padLeft + ScaledToDpi(16, dpi) - PixelsOf(labelWidthTwips / 2 + 30, tppX);
    box.width = PixelsOf(labelWidthTwips + 60, tppX);
    box.height = PixelsOf(labelHeightTwips + 60, tppY);
    // Judged against the work area: a tall taskbar takes the room below.
    const bool roomBelow = (std::int64_t(workArea.y) + workArea.height) * tppY -
                               ScaledToDpi(100, dpi) * std::int64_t(tppY) >=
                           padTwips.y;
    const std::int32_t below = padTop + ScaledToDpi(38, dpi);
    // A label taller than designed still ends above the pad.
    const std::int32_t above = std::min(padTop - ScaledToDpi(23, dpi), padTop - box.height);
    box.y = roomBelow ? below : above;
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
                  const ScreenMetrics& screen, const Box& workArea, std::int32_t dpi)
{
    const bool rightHalf = std::int64_t(pointer.x) * screen.twipsPerPixelX - screen.leftTwips >=
                           screen.widthTwips / 2;
    const bool lowerHalf = std::int64_t(pointer.y) * screen.twipsPerPixelY - screen.topTwips >=
                           screen.heightTwips / 2;
    const std::int32_t before = pointer.x - width;
    const std::int32_t above = pointer.y - height - 1;
    const std::int32_t below = pointer.y + ScaledToDpi(20, dpi);
    const std::int32_t workRight = workArea.x + workArea.width;
    Box tip{OnSideWithRoom(rightHalf ? before : pointer.x, rightHalf ? pointer.x : before, width,
                           workArea.x, workRight),
            OnSideWithRoom(lowerHalf ? above : below, lowerHalf ? below : above, height,
                           workArea.y, workArea.y + workArea.height),
            width, height};
    tip = MovedWithin(tip, workArea);
    // Taller than the room above and below the pointer: beside it instead,
    // for over the pointer the tip would hide itself again at once.
    if (tip.Contains(pointer.x, pointer.y)) {
        tip.x = OnSideWithRoom(pointer.x + 1, before, width, workArea.x, workRight);
        tip = MovedWithin(tip, workArea);
    }
    return {tip.x, tip.y};
}

std::wstring TipColumnText(std::int32_t column, const DigitMarks& marks,
                           const std::function<std::wstring(std::int32_t)>& captionOf)
{
    const std::int32_t first = column == 0 ? 0 : kTipColumnLength;
    const std::int32_t last = column == 0 ? kTipColumnLength : kKeyCount;
    std::wstring text;
    for (std::int32_t slot = first; slot < last; ++slot) {
        if (slot != first)
            text += L"\r\n";
        text += KeySlotName(slot, marks);
        text += L'\t';
        text += captionOf(slot);
    }
    return text;
}
