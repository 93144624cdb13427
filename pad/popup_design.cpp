#include "pad/popup_design.h"

#include "base/interface_text.h"

UniqueGdiObject<HFONT> PopupFont(int points, int dpi)
{
    return UniqueGdiObject<HFONT>(CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_BOLD, FALSE,
                                              FALSE, FALSE, InterfaceCharset(), OUT_DEFAULT_PRECIS,
                                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                              InterfaceFontFace().c_str()));
}
