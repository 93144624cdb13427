#pragma once
// The drag page's figure as its box keeps it: an image of the figure's size
// into which arrows are drawn from the program's eight-arrow bitmap, raised
// or pressed, and from which the box repaints itself.

#include <windows.h>

#include <cstdint>

#include "base/win_handles.h"

class DragPicture {
public:
    // Direction 0 draws the whole figure; 1 to 8 the head and the shaft of
    // one arrow. The bitmap is loaded anew each time so that its greys take
    // the current 3D colours. When it cannot be loaded nothing changes.
    void Draw(HWND box, std::int32_t direction, bool pressed);
    // Copies the image to the box; nothing before the first drawing.
    void Paint(HDC dc) const;
    void Clear() { image_.reset(); }

private:
    UniqueGdiObject<HBITMAP> image_;
};
