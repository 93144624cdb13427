// A control's notifications and mouse input turned into its events, and the
// messages of a container control (a frame or picture box holding others).

#include "forms/control.h"

#include <windowsx.h>

#include "base/win_handles.h"
#include "forms/form.h"
#include "forms/window_name.h"

void Control::Command(WORD code)
{
    switch (design_.kind) {
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::Label:
        if (code == BN_CLICKED && OnClick)
            OnClick();
        break;
    case ControlKind::OptionButton:
        if (code == BN_CLICKED) {
            SelectOption();
            if (OnClick)
                OnClick();
        }
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE && OnChange)
            OnChange();
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE && OnClick)
            OnClick();
        else if (code == LBN_DBLCLK && OnDblClick)
            OnDblClick();
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE && OnClick)
            OnClick();
        else if (code == CBN_EDITCHANGE && OnChange)
            OnChange();
        break;
    default:
        break;
    }
}

void Control::MouseEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = form_.DesignPixels(GET_X_LPARAM(lParam));
    const int y = form_.DesignPixels(GET_Y_LPARAM(lParam));
    const int shift = ShiftOfMouse(wParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnMouseDown)
            OnMouseDown(kLeftButton, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (OnMouseDown)
            OnMouseDown(kRightButton, shift, x, y);
        break;
    case WM_LBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(kLeftButton, shift, x, y);
        break;
    case WM_RBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(kRightButton, shift, x, y);
        break;
    default:
        break;
    }
}

LRESULT Control::ContainerMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = window_;
    switch (message) {
    // What the held controls tell their parent goes on to the form.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT:
        PaintContainer();
        return 0;
    case WM_NCHITTEST:
        // An image is part of what lies under it.
        if (design_.kind == ControlKind::Image)
            return HTTRANSPARENT;
        break;
    case WM_GETOBJECT:
        if (const std::optional<LRESULT> answer =
                AccessibleRequest(window_, nameSettled_, wParam, lParam))
            return *answer;
        break;
    case WM_GETDLGCODE:
        if (design_.kind == ControlKind::PictureBox)
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        break;
    case WM_SETFOCUS:
        if (OnGotFocus)
            OnGotFocus();
        return 0;
    case WM_KILLFOCUS:
        if (OnLostFocus)
            OnLostFocus();
        return 0;
    case WM_KEYDOWN:
        if (OnKeyDown)
            OnKeyDown(static_cast<int>(wParam), ShiftKeysDown());
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (TakesFocus() && GetFocus() != window)
            ::SetFocus(window);
        SetCapture(window);
        MouseEvent(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (GetCapture() == window && !(wParam & (MK_LBUTTON | MK_RBUTTON)))
            ReleaseCapture();
        MouseEvent(message, wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Control::PaintContainer()
{
    const HWND window = window_;
    const PaintDc paint(window);
    const HDC dc = paint.get();
    if (design_.kind == ControlKind::Frame && design_.border) {
        RECT client{};
        GetClientRect(window, &client);
        const ScopedSelection fontSelected(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        const std::wstring caption = WindowText(window);
        SIZE extent{};
        GetTextExtentPoint32W(dc, L"M", 1, &extent);
        RECT edge = client;
        edge.top = extent.cy / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        if (!caption.empty()) {
            RECT text{8, 0, client.right - 8, extent.cy};
            DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
            text.right += 4;
            FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            OffsetRect(&text, 2, 0);
            DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
        }
    } else if (design_.kind != ControlKind::Frame) {
        picture_.Draw(dc, 0, 0);
        if (OnPaint)
            OnPaint(dc);
    }
}
