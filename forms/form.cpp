#include "forms/form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/deferred_imports.h"
#include "base/numbered_error.h"
#include "base/plane.h"
#include "base/window_boundary.h"
#include "forms/control.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "forms/window_class.h"
#include "forms/window_name.h"

namespace {

constexpr wchar_t kFormClass[] = L"KorvaneForm";
// Posted by a form's first paint to the form itself.
constexpr UINT kAfterFirstPaint = WM_USER + 0x100;

int loadedForms = 0;
bool loopRunning = false;
ATOM formClass = 0;

int ButtonsHeld(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
           ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

int PixelsOfTwips(float twips, float twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

BOOL CALLBACK ForgetChildName(HWND child, LPARAM)
{
    DetachWindowName(child);
    return TRUE;
}

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

struct EnabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM param)
{
    auto& found = *reinterpret_cast<EnabledWindows*>(param);
    if (window != found.except && IsWindowVisible(window) && IsWindowEnabled(window))
        found.windows.push_back(window);
    return TRUE;
}

// Where the window is; for a minimised window, where it shows when restored.
// The place of a minimised window is the system's, not the form's, and
// nothing stored from it would bring the window back.
RECT WindowRectOf(HWND window)
{
    RECT rect{};
    if (!IsIconic(window)) {
        GetWindowRect(window, &rect);
        return rect;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    rect = placement.rcNormalPosition;
    // The normal position of a window that is no tool window counts from
    // its monitor's work area, not from the screen's corner.
    if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
            OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

}  // namespace

int ShiftOfMouse(WPARAM keys)
{
    return ((keys & MK_SHIFT) ? kShiftMask : 0) | ((keys & MK_CONTROL) ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

int ShiftKeysDown()
{
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

FormDesign DialogDesign(std::wstring caption, int clientWidth, int clientHeight)
{
    FormDesign design;
    design.caption = std::move(caption);
    design.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
    design.exStyle = WS_EX_DLGMODALFRAME;
    design.clientWidth = clientWidth;
    design.clientHeight = clientHeight;
    design.scaleMode = ScaleMode::Pixels;
    design.fontName = L"ＭＳ Ｐゴシック";
    design.fontPoints = 9;
    design.toolTipsAfterFirstPaint = true;
    return design;
}

Form::Form(std::wstring name, FormDesign design) : name_(std::move(name)), design_(std::move(design))
{
}

Form::~Form()
{
    if (window_)
        DestroyWindow(window_);
}

void Form::Load()
{
    if (window_)
        return;
    formClass = RegisterFormsClass(kFormClass, WindowProc);
    const DWORD style = design_.style & ~WS_VISIBLE;
    RECT outer{0, 0, design_.clientWidth, design_.clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, design_.exStyle);
    const HWND window = CreateWindowExW(design_.exStyle, kFormClass, design_.caption.c_str(), style,
                                        0, 0, outer.right - outer.left, outer.bottom - outer.top,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window)
        throw NumberedError(static_cast<std::int32_t>(GetLastError()), L"ウィンドウを作成できません: " + name_);
    toolTipsShown_ = !design_.toolTipsAfterFirstPaint;
    CreateControls();
    for (Timer* timer : timers_)
        timer->Arm();
    Form_Load();
}

void Form::CreateControls()
{
    if (controls_.empty())
        return;
    LOGFONTW font{};
    if (design_.fontName.empty()) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    } else {
        font.lfHeight = -MulDiv(design_.fontPoints, ScreenDpiY(), 72);
        font.lfCharSet = DEFAULT_CHARSET;
        design_.fontName.copy(font.lfFaceName, LF_FACESIZE - 1);
    }
    font.lfWeight = FW_NORMAL;
    font_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
    CreateDueControls();
}

void Form::CreateDueControls()
{
    // Identifiers follow the declared order whenever a control is created.
    int nextId = 1000;
    for (size_t i = 0; i < controls_.size(); ++i) {
        Control& control = *controls_[i];
        const int id = control.design_.isDefault ? IDOK
                       : control.design_.isCancel ? IDCANCEL
                                                  : nextId++;
        if (control.window_ || !control.Due())
            continue;
        // An option button opens a group unless the control before it in
        // its container is an option button too.
        bool startsGroup = true;
        if (control.Kind() == ControlKind::OptionButton) {
            for (size_t j = i; j-- > 0;) {
                if (controls_[j]->container_ == control.container_) {
                    startsGroup = controls_[j]->Kind() != ControlKind::OptionButton;
                    break;
                }
            }
        }
        const HWND parent = control.container_ ? control.container_->window_ : window_;
        control.Create(parent, font_.get(), boldFont_.get(), id, startsGroup);
    }
}

// The window's own icons, for the taskbar and the task switcher: nothing the
// form needs to draw, so they wait for its first paint.
void Form::SetIcons()
{
    if (design_.iconResource == 0)
        return;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const auto icon = [&](int metricX, int metricY) {
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(design_.iconResource), IMAGE_ICON,
                       GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0)));
    };
    bigIcon_ = icon(SM_CXICON, SM_CYICON);
    smallIcon_ = icon(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void Form::AfterFirstPaint()
{
    const HWND window = window_;
    Form_AfterFirstPaint();
    // The handler may have unloaded the form.
    if (window_ != window)
        return;
    SetIcons();
    if (!toolTipsShown_) {
        toolTipsShown_ = true;
        for (const Control* control : controls_) {
            if (!control->design_.toolTip.empty())
                UpdateToolTip(*control);
        }
    }
}

void Form::UpdateToolTip(const Control& control)
{
    if (!window_ || !control.window_ || !toolTipsShown_)
        return;
    if (!toolTip_) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
        comctl32::InitCommonControlsEx(&init);
        // Owned by the form, so it goes with the form's window.
        toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!toolTip_)
            return;
        SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring text = control.design_.toolTip;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control.window_);
    tool.uId = reinterpret_cast<UINT_PTR>(control.window_);
    tool.lpszText = text.data();
    if (SendMessageW(toolTip_, TTM_GETTOOLCOUNT, 0, 0) > 0) {
        TOOLINFOW known = tool;
        known.lpszText = nullptr;
        if (SendMessageW(toolTip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known))) {
            SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            return;
        }
    }
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::Show(HWND owner, bool activate)
{
    Load();
    if (!window_)
        return;
    if (owner)
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ShowWindow(window_, activate ? SW_SHOW : SW_SHOWNA);
}

void Form::Hide()
{
    if (window_)
        ShowWindow(window_, SW_HIDE);
}

void Form::ShowModal(HWND owner)
{
    Load();
    if (!window_)
        return;
    if (owner)
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    const HWND window = window_;
    const HWND previousActive = GetActiveWindow();
    EnabledWindows others{window, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&others));
    for (HWND other : others.windows)
        EnableWindow(other, FALSE);

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    if (!controls_.empty() && !IsChild(window, GetFocus())) {
        if (Control* first = NextTabStop(nullptr, false))
            first->SetFocus();
    }

    MSG message{};
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            // The outer loop must see the quit request too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!TranslateFormMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    for (auto it = others.windows.rbegin(); it != others.windows.rend(); ++it) {
        if (IsWindow(*it))
            EnableWindow(*it, TRUE);
    }
    if (previousActive && previousActive != window && IsWindow(previousActive))
        SetActiveWindow(previousActive);
}

Control* Form::ActiveControl() const
{
    for (HWND focus = GetFocus(); focus && focus != window_; focus = GetParent(focus)) {
        Control* control = Control::FromWindow(focus);
        if (control && &control->form_ == this)
            return control;
    }
    return nullptr;
}

bool Form::ValidateActiveControl()
{
    Control* active = ActiveControl();
    if (!active || !active->OnValidate || validating_)
        return true;
    bool cancel = false;
    validating_ = true;
    try {
        active->OnValidate(cancel);
    } catch (...) {
        validating_ = false;
        throw;
    }
    validating_ = false;
    if (cancel)
        active->SetFocus();
    return !cancel;
}

bool Form::Unload()
{
    if (!window_)
        return true;
    if (unloading_)
        return false;
    bool cancel = false;
    unloading_ = true;
    try {
        Form_Unload(cancel);
    } catch (...) {
        unloading_ = false;
        throw;
    }
    unloading_ = false;
    if (cancel)
        return false;
    if (window_)
        DestroyWindow(window_);
    return true;
}

void Form::UnloadLater()
{
    if (window_)
        PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool Form::Visible() const { return window_ && IsWindowVisible(window_); }

HWND Form::hWnd()
{
    Load();
    return window_;
}

float Form::Left() { return static_cast<float>(WindowRectOf(hWnd()).left) * TwipsPerPixelX(); }
float Form::Top() { return static_cast<float>(WindowRectOf(hWnd()).top) * TwipsPerPixelY(); }

float Form::Width()
{
    const RECT rect = WindowRectOf(hWnd());
    return static_cast<float>(rect.right - rect.left) * TwipsPerPixelX();
}

float Form::Height()
{
    const RECT rect = WindowRectOf(hWnd());
    return static_cast<float>(rect.bottom - rect.top) * TwipsPerPixelY();
}

void Form::Move(float left, float top)
{
    SetWindowPos(hWnd(), nullptr, PixelsOfTwips(left, TwipsPerPixelX()),
                 PixelsOfTwips(top, TwipsPerPixelY()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(float left, float top, float width, float height)
{
    SetWindowPos(hWnd(), nullptr, PixelsOfTwips(left, TwipsPerPixelX()),
                 PixelsOfTwips(top, TwipsPerPixelY()), PixelsOfTwips(width, TwipsPerPixelX()),
                 PixelsOfTwips(height, TwipsPerPixelY()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::MoveCentredOver(const RECT& area)
{
    const HWND window = hWnd();
    const RECT outer = WindowRectOf(window);
    const auto box = [](const RECT& rect) {
        return Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    };
    const Box placed = CentredWithin(box(area), outer.right - outer.left, outer.bottom - outer.top,
                                     box(WorkAreaNear(area)));
    SetWindowPos(window, nullptr, placed.x, placed.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Form::ScaleWidth()
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    return ToScale(client.right, TwipsPerPixelX());
}

float Form::ScaleHeight()
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    return ToScale(client.bottom, TwipsPerPixelY());
}

void Form::SetPicture(Picture picture)
{
    picture_ = std::move(picture);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

Picture Form::OwnIcon() const
{
    if (design_.iconResource == 0)
        return {};
    return LoadIconPicture(design_.iconResource, GetSystemMetrics(SM_CXICON),
                           GetSystemMetrics(SM_CYICON));
}

float Form::ToScale(int pixels, float twipsPerPixel) const
{
    const auto value = static_cast<float>(pixels);
    return design_.scaleMode == ScaleMode::Pixels ? value : value * twipsPerPixel;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AtWindowBoundary(window, LRESULT{0}, [&] {
        if (message == WM_NCCREATE) {
            auto* form =
                static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            form->Attach(window);
        }
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!form)
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            form->Detached();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return form->Dispatch(message, wParam, lParam);
    });
}

void Form::Attach(HWND window)
{
    window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    AttachWindowName(window, name_);
    ++loadedForms;
}

void Form::Detached()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DetachWindowName(window_);
    window_ = nullptr;
    bigIcon_.reset();
    smallIcon_.reset();
    font_.reset();
    boldFont_.reset();
    toolTip_ = nullptr;
    painted_ = false;
    lastFocus_ = nullptr;
    if (--loadedForms == 0 && loopRunning)
        PostQuitMessage(0);
}

// Every message of every form passes here. A handler may unload its own form,
// so nothing below touches the form after an event has run.
LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = window_;
    if (const std::optional<LRESULT> answer = Form_Message(message, wParam, lParam))
        return *answer;
    if (!controls_.empty()) {
        if (const std::optional<LRESULT> answer = DispatchControls(message, wParam, lParam))
            return *answer;
    }
    if (DispatchMouse(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(design_.backColor));
        return 1;
    }
    case WM_PAINT:
        Paint();
        if (!painted_) {
            painted_ = true;
            PostMessageW(window, kAfterFirstPaint, 0, 0);
        }
        return 0;
    case kAfterFirstPaint:
        AfterFirstPaint();
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        ScreenResolutionChanged();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (DispatchKey(message, wParam))
            return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Form_Deactivate();
        else
            Form_Activate();
        break;
    case WM_TIMER:
        for (Timer* timer : timers_) {
            if (timer->Id() == wParam) {
                timer->Tick();
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            Unload();
        return 0;
    case WM_SYSCOMMAND:
        // Without a title bar there is no menu to show: the Alt key alone
        // must not leave the window in an invisible menu mode.
        if ((wParam & 0xFFF0) == SC_KEYMENU && (design_.style & WS_CAPTION) != WS_CAPTION)
            return 0;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT || WaitPointerShown()) {
            SetCursor(CurrentFormPointer());
            return TRUE;
        }
        break;
    case WM_DESTROY:
        EnumChildWindows(window, ForgetChildName, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The messages of a form with controls: their notifications, the keyboard
// interface's requests, and the focus kept across deactivation.
std::optional<LRESULT> Form::DispatchControls(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam));
        if (control && &control->form_ == this && control->id_ == LOWORD(wParam)) {
            control->Command(HIWORD(wParam));
            return 0;
        }
        // Enter and Esc without a button of their own in reach.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            for (Control* button : controls_) {
                if (button->id_ == LOWORD(wParam) && button->window_ && IsWindowEnabled(button->window_)) {
                    button->Command(BN_CLICKED);
                    return 0;
                }
            }
        }
        return {};
    }
    case DM_GETDEFID:
        for (Control* button : controls_) {
            if (button->design_.isDefault)
                return MAKELRESULT(IDOK, DC_HASDEFID);
        }
        return 0;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam))
            SetFocus(reinterpret_cast<HWND>(wParam));
        else
            FocusNext(wParam != 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
            Form_Deactivate();
            return 0;
        }
        if (!HIWORD(wParam)) {
            HWND target = lastFocus_;
            if (!target || !IsWindow(target) || !IsChild(window_, target)) {
                const Control* first = NextTabStop(nullptr, false);
                target = first ? first->window_ : nullptr;
            }
            SetFocus(target ? target : window_);
            Form_Activate();
            return 0;
        }
        return {};
    default:
        return {};
    }
}

Control* Form::NextTabStop(const Control* from, bool backwards) const
{
    const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        if (tabOrder_[static_cast<size_t>(i)] == from)
            at = i;
    }
    if (at < 0)
        at = backwards ? 0 : count - 1;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((backwards ? at - step : at + step) % count + count) % count;
        Control* candidate = tabOrder_[static_cast<size_t>(i)];
        if (candidate->CanTakeTab())
            return candidate;
    }
    return nullptr;
}

void Form::SetTabOrder(std::initializer_list<Control*> sequence)
{
    if (sequence.size() == 0)
        return;
    const auto inSequence = [&](const Control* control) {
        return std::find(sequence.begin(), sequence.end(), control) != sequence.end();
    };
    std::vector<Control*> order;
    for (Control* control : tabOrder_) {
        if (control == *sequence.begin())
            order.insert(order.end(), sequence.begin(), sequence.end());
        else if (!inSequence(control))
            order.push_back(control);
    }
    tabOrder_ = std::move(order);
}

void Form::FocusNext(bool backwards)
{
    if (Control* next = NextTabStop(ActiveControl(), backwards))
        FocusTabStop(*next);
}

void Form::FocusTabStop(Control& next)
{
    if (SendMessageW(next.window_, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next.window_, EM_SETSEL, 0, -1);
    next.SetFocus();
}

// The controls are searched in tab order from the one after the focus, so
// that a label leads to the field that follows it there. A label hands the
// focus on to its field; a button is pressed. When more than one control
// marks the key, the focus only moves to the next of them, and the next
// press goes on to the one after: none of them is pressed by surprise.
bool Form::PressAccessKey(wchar_t key)
{
    const size_t count = tabOrder_.size();
    const Control* active = ActiveControl();
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        if (tabOrder_[i] == active)
            start = i + 1;
    }
    std::vector<Control*> marked;
    for (size_t step = 0; step < count; ++step) {
        Control* candidate = tabOrder_[(start + step) % count];
        if (candidate->MarksAccessKey(key) && candidate->Usable())
            marked.push_back(candidate);
    }
    if (marked.empty())
        return false;
    Control& target = *marked.front();
    if (target.Kind() == ControlKind::Label) {
        if (Control* field = NextTabStop(&target, false))
            FocusTabStop(*field);
    } else if (marked.size() > 1) {
        target.SetFocus();
    } else {
        SendMessageW(target.window_, BM_CLICK, 0, 0);
    }
    return true;
}

bool Form::MovesFocus(const MSG& message) const
{
    const HWND focus = GetFocus();
    if (!focus)
        return false;
    const auto code = SendMessageW(focus, WM_GETDLGCODE, message.wParam,
                                   reinterpret_cast<LPARAM>(&message));
    switch (message.message) {
    case WM_KEYDOWN:
        switch (message.wParam) {
        case VK_TAB:
            return !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) && GetKeyState(VK_CONTROL) >= 0;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return !(code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS));
        default:
            return false;
        }
    case WM_SYSCHAR:
        return true;  // a mnemonic
    case WM_CHAR:
        return !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS));
    default:
        return false;
    }
}

bool Form::PreTranslate(MSG& message)
{
    const UINT kind = message.message;
    if (design_.keyPreview && (kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN) &&
        message.hwnd != window_ &&
        Form_KeyPreview(static_cast<int>(message.wParam), ShiftKeysDown()))
        return true;
    if (!window_)
        return true;
    // The focus may leave a control only once it has accepted its value.
    if (IsButtonDown(kind)) {
        Control* target = nullptr;
        for (HWND at = message.hwnd; at && at != window_ && !target; at = GetParent(at)) {
            Control* found = Control::FromWindow(at);
            if (found && &found->form_ == this)
                target = found;
        }
        if (target && target->TakesFocus() && target->CausesValidation() && !target->HasFocus() &&
            !ValidateActiveControl())
            return true;
    } else {
        const Control* active = ActiveControl();
        if (active && active->OnValidate && MovesFocus(message) && !ValidateActiveControl())
            return true;
    }
    // Access keys: Alt with a key, or the key alone where the focused
    // control takes no characters. The hot-key control takes Alt with a key
    // as its value.
    if ((kind == WM_SYSCHAR || kind == WM_CHAR) && message.wParam > L' ') {
        const Control* active = ActiveControl();
        if (active && active->Kind() == ControlKind::HotKey)
            return kind == WM_SYSCHAR;
        const HWND focus = GetFocus();
        const LRESULT code =
            focus ? SendMessageW(focus, WM_GETDLGCODE, message.wParam,
                                 reinterpret_cast<LPARAM>(&message))
                  : 0;
        if (kind == WM_SYSCHAR || !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
            return PressAccessKey(static_cast<wchar_t>(message.wParam));
    }
    // The tab key follows the tab order; the z-order may differ from it
    // where controls overlap.
    if (kind == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
        const HWND focus = GetFocus();
        const LRESULT code =
            focus ? SendMessageW(focus, WM_GETDLGCODE, message.wParam,
                                 reinterpret_cast<LPARAM>(&message))
                  : 0;
        if (!(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            FocusNext(GetKeyState(VK_SHIFT) < 0);
            return true;
        }
    }
    // Enter presses the button that has the focus, else the default one.
    if (kind == WM_KEYDOWN && message.wParam == VK_RETURN) {
        Control* active = ActiveControl();
        if (active && active->Kind() == ControlKind::CommandButton) {
            active->Command(BN_CLICKED);
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != 0;
}

bool TranslateFormMessage(MSG& message)
{
    if (!message.hwnd || formClass == 0)
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || GetClassLongPtrW(root, GCW_ATOM) != formClass)
        return false;
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
    if (!form || form->controls_.empty())
        return false;
    return form->PreTranslate(message);
}

bool Form::DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    int pressed = 0;
    int released = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        break;
    case WM_LBUTTONDOWN:
        pressed = kLeftButton;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        pressed = kRightButton;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        pressed = kMiddleButton;
        break;
    case WM_LBUTTONUP:
        released = kLeftButton;
        break;
    case WM_RBUTTONUP:
        released = kRightButton;
        break;
    case WM_MBUTTONUP:
        released = kMiddleButton;
        break;
    case WM_LBUTTONDBLCLK:
        // The button is held until its release, like after any press.
        SetCapture(window_);
        Form_DblClick();
        return true;
    default:
        return false;
    }
    // The pointer stays with the form from a press until the last button is up.
    if (pressed)
        SetCapture(window_);
    if (released && ButtonsHeld(wParam) == 0 && GetCapture() == window_)
        ReleaseCapture();

    const int shift = ShiftOfMouse(wParam);
    const float x = ToScale(GET_X_LPARAM(lParam), TwipsPerPixelX());
    const float y = ToScale(GET_Y_LPARAM(lParam), TwipsPerPixelY());
    if (pressed)
        Form_MouseDown(pressed, shift, x, y);
    else if (released)
        Form_MouseUp(released, shift, x, y);
    else
        Form_MouseMove(ButtonsHeld(wParam), shift, x, y);
    return true;
}

// True when the key is the form's alone; system keys other than F10 then go
// on to the default handling (Alt+F4 closes the form).
bool Form::DispatchKey(UINT message, WPARAM wParam)
{
    const int keyCode = static_cast<int>(wParam);
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        Form_KeyDown(keyCode, ShiftKeysDown());
    else
        Form_KeyUp(keyCode, ShiftKeysDown());
    return message == WM_KEYDOWN || message == WM_KEYUP || keyCode == VK_F10;
}

void Form::Paint()
{
    const HWND window = window_;
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    picture_.Draw(dc, 0, 0);
    Form_Paint(dc);
    EndPaint(window, &paint);
}

int RunMessageLoop()
{
    if (loadedForms == 0)
        return 0;
    loopRunning = true;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateFormMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    loopRunning = false;
    return static_cast<int>(message.wParam);
}

int LoadedFormCount() { return loadedForms; }
