#pragma once
// Where the pad's two popups go and how the key-list tip is laid out.

#include <cstdint>
#include <functional>
#include <string>

#include "base/dpi_scale.h"
#include "base/plane.h"
#include "base/slot_names.h"
#include "pad/pad_units.h"

// The popups' rules are designed at 96 DPI; dpi is the resolution of the
// pad's monitor, by which every designed pixel distance is scaled.

// The status window (screen pixels) for a label of the given size in twips:
// centred on the pad, 38 pixels below its top, or 23 pixels above it (and
// ending above the pad, however tall the label) when the pad's top is less
// than 100 pixels above the bottom of the work area (screen pixels) of the
// pad's monitor; then moved as little as needed to lie wholly in that work
// area.
Box StatusWindowBox(Point padTwips, std::int32_t labelWidthTwips, std::int32_t labelHeightTwips,
                    const ScreenMetrics& screen, const Box& workArea,
                    std::int32_t dpi = kDesignDpi);

// The key-list tip: two columns of measured size side by side, with a line
// between them.
struct TipLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    Point column1;        // top-left corner of each column's text
    Point column2;
    Point separatorFrom;  // the vertical line between the columns
    Point separatorTo;
};
TipLayout LayOutTip(std::int32_t column1Width, std::int32_t column2Width,
                    std::int32_t columnHeight, std::int32_t dpi = kDesignDpi);

// The tip's top-left corner for the pointer at screen pixel `pointer`: it lies
// right of and below the pointer in the upper-left quarter of the screen, and
// ends at the pointer (one pixel above it) towards the right and bottom halves;
// on the other side where only that one has room in the work area (screen
// pixels), and wholly inside the work area, never over the pointer where
// there is room beside it.
Point TipPosition(Point pointer, std::int32_t width, std::int32_t height,
                  const ScreenMetrics& screen, const Box& workArea, std::int32_t dpi = kDesignDpi);

// Key slots in the first column (A..R); the rest (S..Z, 0..9) form the second.
inline constexpr std::int32_t kTipColumnLength = 18;

// The text of tip column 0 or 1: one line per key slot, its name with the
// digits marked by `marks`, a tab and `captionOf(slot)`, lines joined by
// CR LF with none after the last.
std::wstring TipColumnText(std::int32_t column, const DigitMarks& marks,
                           const std::function<std::wstring(std::int32_t)>& captionOf);
