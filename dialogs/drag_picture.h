#pragma once
// The drag page's figure as its box keeps it: the figure drawn for the box's
// size in the current 3D colours, an image into which arrows are copied from
// it raised or pressed and from which the box repaints itself, and the
// arrows' region in the same pixels, so that a press selects the arrow drawn
// under the pointer at any display scaling.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/win_handles.h"
#include "dialogs/drag_figure.h"

class DragPicture {
public:
    // Direction 0 draws the whole figure; 1 to 8 the head and the shaft of
    // one arrow. The greys take the current 3D colours at each drawing (in
    // a high-contrast theme, its text on its background, and a pressed arrow
    // filled in its highlight colour). A box of another size starts a new
    // figure.
    void Draw(HWND box, std::int32_t direction, bool pressed);
    // Copies the image to the box; nothing before the first drawing.
    void Paint(HDC dc) const;
    void Clear();
    // The arrow at pixel (x, y) of the box; 0 for none or before the first
    // drawing.
    std::int32_t DirectionAt(std::int32_t x, std::int32_t y) const;
    // Where one arrow, head and shaft, is drawn in the box; empty before
    // the first drawing.
    RECT ArrowBounds(std::int32_t direction) const;

private:
    // The figure raised in the current system colours; with `filled` 1 to 8,
    // that arrow's face in the highlight colour.
    UniqueGdiObject<HBITMAP> FigureImage(HDC screen, std::int32_t filled) const;

    FigureScale figure_{0};
    std::vector<FigureShade> shades_;
    UniqueGdiObject<HRGN> region_;
    UniqueGdiObject<HBITMAP> image_;
};
