#include "pad/popup_design.h"

#include "forms/screen.h"

UniqueGdiObject<HFONT> PopupFont(int points)
{
    const int dpi = ScreenDpiY() > 0 ? ScreenDpiY() : 96;
    return UniqueGdiObject<HFONT>(CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_BOLD, FALSE,
                                              FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                              L"ＭＳ Ｐゴシック"));
}
