#pragma once
// What the pad's two popups share: a thin border, no title bar, no taskbar
// button, the system's tooltip colours and a bold "ＭＳ Ｐゴシック".

#include "base/win_handles.h"
#include "forms/form.h"

inline FormDesign PopupDesign(int clientWidth, int clientHeight, ScaleMode scale)
{
    FormDesign design;
    design.style = WS_POPUP | WS_BORDER;
    design.exStyle = WS_EX_TOOLWINDOW;
    design.clientWidth = clientWidth;
    design.clientHeight = clientHeight;
    design.backColor = COLOR_INFOBK;
    design.scaleMode = scale;
    return design;
}

// The popups' font at the given point size, for a resolution in dots per inch.
UniqueGdiObject<HFONT> PopupFont(int points, int dpi);
