#include "pad/popup_tip.h"

#include "base/win_handles.h"
#include "pad/pad_metrics.h"
#include "pad/popup_design.h"
#include "pad/popup_layout.h"

namespace {

constexpr int kFontPoints = 9;
constexpr UINT kTextFormat = DT_NOPREFIX | DT_EXPANDTABS;

// Width of the widest line and height of all lines, tabs expanded as drawn.
SIZE MeasureColumn(HDC dc, const std::wstring& text)
{
    RECT rect{};
    DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | kTextFormat);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void DrawColumn(HDC dc, const std::wstring& text, Point at)
{
    RECT rect{at.x, at.y, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &rect, DT_NOCLIP | kTextFormat);
}

// The tip's client area drawn into a bitmap the window keeps showing.
UniqueGdiObject<HBITMAP> DrawTip(const std::wstring& column1, const std::wstring& column2,
                                 int dpi, TipLayout& layout)
{
    const WindowDc screen(nullptr);
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    UniqueGdiObject<HFONT> font = PopupFont(kFontPoints, dpi);
    UniqueGdiObject<HBITMAP> image;
    if (dc && font) {
        ScopedSelection fontSelected(dc.get(), font.get());
        const SIZE size1 = MeasureColumn(dc.get(), column1);
        const SIZE size2 = MeasureColumn(dc.get(), column2);
        layout = LayOutTip(size1.cx, size2.cx, size1.cy, dpi);
        // The client area: the window less its one-pixel border.
        image.reset(CreateCompatibleBitmap(screen.get(), layout.width - 2, layout.height - 2));
        if (image) {
            ScopedSelection imageSelected(dc.get(), image.get());
            const RECT all{0, 0, layout.width - 2, layout.height - 2};
            FillRect(dc.get(), &all, GetSysColorBrush(COLOR_INFOBK));
            SetTextColor(dc.get(), GetSysColor(COLOR_INFOTEXT));
            SetBkMode(dc.get(), TRANSPARENT);
            DrawColumn(dc.get(), column1, layout.column1);
            DrawColumn(dc.get(), column2, layout.column2);
            UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT)));
            ScopedSelection penSelected(dc.get(), pen.get());
            MoveToEx(dc.get(), layout.separatorFrom.x, layout.separatorFrom.y, nullptr);
            LineTo(dc.get(), layout.separatorTo.x, layout.separatorTo.y);
        }
    }
    return image;
}

}  // namespace

// The tip measures in pixels.
cPopupTip::cPopupTip(Form& pad, std::function<std::wstring(std::int32_t)> keyCaption)
    : PadPopup(L"cPopupTip", PopupDesign(200, 100, ScaleMode::Pixels)), pad_(pad),
      keyCaption_(std::move(keyCaption))
{
}

void cPopupTip::PopupStatus(int x, int y)
{
    // A fresh image each time: what was drawn before goes with the old one.
    TipLayout layout;
    // In the pad's type and at its scale: the tip shows beside the pad.
    const int dpi = pad_.Dpi();
    // The digits as the keyboard in use marks them, which may have changed.
    const DigitMarks marks = KeyboardDigitMarks();
    UniqueGdiObject<HBITMAP> image = DrawTip(TipColumnText(0, marks, keyCaption_),
                                             TipColumnText(1, marks, keyCaption_), dpi, layout);
    if (!image)
        return;
    SetPicture(Picture::FromBitmap(std::move(image)));

    const Point at = TipPosition({x, y}, layout.width, layout.height,
                                 CurrentScreenMetrics(pad_.hWnd()), WorkAreaOf(pad_.hWnd()), dpi);
    SetWindowPos(hWnd(), HWND_TOPMOST, at.x, at.y, layout.width, layout.height, SWP_NOACTIVATE);
    // Shown without taking the activation, and the keys stay with the pad.
    Show(pad_.hWnd(), false);
    SetFocus(pad_.Handle());
}

void cPopupTip::HideTip() { Hide(); }
