#pragma once
// An image a form shows: an icon or a bitmap, owned by the picture.

#include <windows.h>

#include <string>

#include "base/win_handles.h"

class Picture {
public:
    Picture() = default;
    static Picture FromIcon(UniqueIcon icon);
    static Picture FromBitmap(UniqueGdiObject<HBITMAP> bitmap);

    explicit operator bool() const { return icon_ || bitmap_; }
    bool IsIcon() const { return static_cast<bool>(icon_); }
    // Size in pixels; 0 × 0 for the empty picture.
    SIZE Size() const { return size_; }
    // Draws the picture with its top-left corner at (x, y), at its own size.
    void Draw(HDC dc, int x, int y) const;

private:
    UniqueIcon icon_;
    UniqueGdiObject<HBITMAP> bitmap_;
    SIZE size_{};
};

// An icon (.ico) or bitmap (.bmp) file, whatever its name says, as a picture
// of width × height pixels. The empty picture when the file is missing or
// holds no such image.
Picture LoadPicture(const std::wstring& path, int width, int height);

// A colour as a pixel of a 32-bit DIB: blue, green, red from the lowest byte.
DWORD DibPixel(COLORREF colour);

// An icon resource of the running program, as a picture of width × height.
Picture LoadIconPicture(int resourceId, int width, int height);
// The same in two colours, for a high-contrast theme: ink where the icon is
// drawn darker than near white, paper where it is white or transparent.
Picture LoadIconPictureInColours(int resourceId, int width, int height, COLORREF ink,
                                 COLORREF paper);
