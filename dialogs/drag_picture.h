#pragma once
// The drag page's figure as its box keeps it: an image of the figure's size
// into which arrows are drawn from the program's eight-arrow bitmap, raised
// or pressed, and from which the box repaints itself. The figure is the
// largest drawn size that fits the box, so that at any display scaling it
// shows unstretched.

#include <windows.h>

#include <cstdint>

#include "base/win_handles.h"

class DragPicture {
public:
    // Direction 0 draws the whole figure; 1 to 8 the head and the shaft of
    // one arrow. The bitmap is loaded anew each time so that its greys take
    // the current 3D colours. When it cannot be loaded nothing changes. A
    // box of another size starts a new image.
    void Draw(HWND box, std::int32_t direction, bool pressed);
    // Copies the image to the box; nothing before the first drawing.
    void Paint(HDC dc) const;
    void Clear() { image_.reset(); }

private:
    UniqueGdiObject<HBITMAP> image_;
    std::int32_t size_ = 0;  // pixels across image_
};
