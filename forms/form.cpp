#include "forms/form.h"

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/scope_exit.h"
#include "base/window_boundary.h"
#include "forms/control.h"
#include "forms/display_dpi.h"
#include "forms/timer.h"
#include "forms/window_class.h"
#include "forms/window_name.h"

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
    design.fontName = InterfaceFontFace();
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
    formClass_ = RegisterFormsClass(kFormWindowClass, WindowProc);
    const DWORD style = design_.style & ~WS_VISIBLE;
    dpi_ = SystemDpi();
    const SIZE outer = DesignedSize(dpi_);
    const HWND window = CreateWindowExW(design_.exStyle, kFormWindowClass, design_.caption.c_str(), style,
                                        0, 0, outer.cx, outer.cy, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), this);
    if (!window)
        throw NumberedError(static_cast<std::int32_t>(GetLastError()), UiText(IDS_WINDOW_NOT_CREATED, {name_}));
    // It starts at the primary monitor's corner, at that monitor's
    // resolution, which is the system's unless the user changed it since
    // signing in.
    if (const int dpi = WindowDpi(window); dpi != dpi_) {
        dpi_ = dpi;
        const SIZE size = DesignedSize(dpi_);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    toolTipsShown_ = !design_.toolTipsAfterFirstPaint;
    CreateControls();
    for (Timer* timer : timers_)
        timer->Arm();
    Form_Load();
}

// The controls' fonts at the form's resolution.
void Form::MakeFonts()
{
    LOGFONTW font{};
    if (design_.fontName.empty()) {
        // The system's font is made for the system's resolution.
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        font.lfHeight = MulDiv(font.lfHeight, dpi_, SystemDpi());
    } else {
        font.lfHeight = -MulDiv(design_.fontPoints, dpi_, 72);
        font.lfCharSet = DEFAULT_CHARSET;
        design_.fontName.copy(font.lfFaceName, LF_FACESIZE - 1);
    }
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
}

void Form::CreateControls()
{
    if (controls_.empty())
        return;
    MakeFonts();
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
    PlaceLabels();
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
    ShowToolTips();
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
    {
        validating_ = true;
        const ScopeExit done([this] { validating_ = false; });
        active->OnValidate(cancel);
    }
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
    {
        unloading_ = true;
        const ScopeExit done([this] { unloading_ = false; });
        Form_Unload(cancel);
    }
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

void Form::AdoptDpi(int dpi)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    dpi_ = dpi;
    if (!window_ || controls_.empty())
        return;
    // The old fonts go once no control uses them any more.
    UniqueGdiObject<HFONT> oldFont = std::move(font_);
    UniqueGdiObject<HFONT> oldBold = std::move(boldFont_);
    MakeFonts();
    for (Control* control : controls_)
        control->LayOut(font_.get(), boldFont_.get());
    ScaleToolTips();
}

void Form::ChangeDpi(int dpi, const RECT& suggested)
{
    AdoptDpi(dpi);
    Form_DpiChanged(suggested);
}

void Form::Form_DpiChanged(const RECT& suggested)
{
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
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

void Form::SetAccessibleDescription(std::wstring description)
{
    described_.description = std::move(description);
    if (window_)
        SetAccessibleView(window_, &described_);
}

void Form::Attach(HWND window)
{
    window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    AttachWindowName(window, name_);
    if (!described_.description.empty())
        SetAccessibleView(window, &described_);
    ++loadedForms_;
}

void Form::Detached()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DetachWindowName(window_);
    SetAccessibleView(window_, nullptr);
    window_ = nullptr;
    bigIcon_.reset();
    smallIcon_.reset();
    font_.reset();
    boldFont_.reset();
    toolTip_ = nullptr;
    painted_ = false;
    lastFocus_ = nullptr;
    if (--loadedForms_ == 0 && loopRunning_)
        PostQuitMessage(0);
}

