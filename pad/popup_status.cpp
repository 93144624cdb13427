#include "pad/popup_status.h"

#include "forms/screen.h"
#include "forms/window_name.h"
#include "pad/pad_metrics.h"
#include "pad/popup_design.h"
#include "pad/popup_layout.h"

namespace {

constexpr int kLabelId = 1;
// The label's distance from the client area's corner.
constexpr int kLabelMarginTwips = 30;
constexpr int kFontPoints = 12;

}  // namespace

// The status window measures in twips.
cPopupStatus::cPopupStatus(Form& pad)
    : PadPopup(L"cPopupStatus", PopupDesign(120, 20, ScaleMode::Twips)), pad_(pad)
{
}

// The label's type at the pad's resolution: the window shows beside the pad,
// which may have moved to a monitor of another resolution since the last time.
HFONT cPopupStatus::LabelFont()
{
    if (!font_ || fontDpi_ != pad_.Dpi()) {
        fontDpi_ = pad_.Dpi();
        font_ = PopupFont(kFontPoints, fontDpi_);
    }
    return font_.get();
}

void cPopupStatus::Form_Load()
{
    // Captions are shown as they are written: "&" is no mnemonic here.
    const HWND label = CreateWindowExW(0, L"STATIC", L"",
                                       WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                                       0, 0, 0, Handle(), reinterpret_cast<HMENU>(kLabelId),
                                       GetModuleHandleW(nullptr), nullptr);
    if (!label)
        return;
    AttachWindowName(label, L"lblInfo");
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), FALSE);
}

HWND cPopupStatus::lblInfo() { return GetDlgItem(hWnd(), kLabelId); }

void cPopupStatus::ShowStatus(const std::wstring& text)
{
    const HWND window = hWnd();
    const HWND label = lblInfo();
    const ScreenMetrics screen = CurrentScreenMetrics(pad_.hWnd());
    const HFONT font = LabelFont();
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // A screen reader reads the new text out during a gesture; Wine sends
    // no event of its own for a label's new text.
    if (WindowText(label) != text) {
        SetWindowTextW(label, text.c_str());
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, label, OBJID_CLIENT, CHILDID_SELF);
    }
    const SIZE size = MeasureText(label, font, text);
    SetWindowPos(label, nullptr, PixelsOf(kLabelMarginTwips, screen.twipsPerPixelX),
                 PixelsOf(kLabelMarginTwips, screen.twipsPerPixelY), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    const Box box = StatusWindowBox(CornerTwips(pad_, screen), size.cx * screen.twipsPerPixelX,
                                    size.cy * screen.twipsPerPixelY, screen,
                                    WorkAreaOf(pad_.hWnd()), pad_.Dpi());
    // The pad keeps the activation: it holds the pointer and the keys of the
    // gesture, and stays opaque meanwhile.
    SetWindowPos(window, HWND_TOPMOST, box.x, box.y, box.width, box.height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void cPopupStatus::HideStatus() { Unload(); }

std::optional<LRESULT> cPopupStatus::Form_Message(UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message != WM_CTLCOLORSTATIC)
        return {};
    // The label paints no background of its own: the window's shows through.
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
}
