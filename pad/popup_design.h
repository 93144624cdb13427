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

// A popup of the pad. It takes its type and size from the pad's resolution
// whatever monitor it shows on, so it leaves the size the system proposes
// when it comes onto a monitor of another resolution.
class PadPopup : public Form {
public:
    using Form::Form;

protected:
    void Form_DpiChanged(const RECT& /*suggested*/) override {}
};

// The popups' font at the given point size, for a resolution in dots per inch.
UniqueGdiObject<HFONT> PopupFont(int points, int dpi);
