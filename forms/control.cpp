#include "forms/control.h"

#include <commctrl.h>

#include <algorithm>

#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/win_handles.h"
#include "base/window_boundary.h"
#include "forms/form.h"
#include "forms/window_class.h"
#include "forms/window_name.h"

namespace {

constexpr wchar_t kControlProperty[] = L"KorvaneControl";
constexpr wchar_t kContainerClass[] = L"KorvaneContainer";
// A drop-down list opens below its box this far.
constexpr int kDropDownHeight = 160;

wchar_t UpperCase(wchar_t c)
{
    CharUpperBuffW(&c, 1);
    return c;
}

void EnsureCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init{sizeof init, classes};
    comctl32::InitCommonControlsEx(&init);
}

}  // namespace

Control::Control(Form& form, std::wstring name, ControlDesign design, Control* container)
    : form_(form), name_(std::move(name)), design_(std::move(design)), container_(container)
{
    bold_ = design_.bold;
    if (container_)
        container_->hasChildren_ = true;
    form_.controls_.push_back(this);
    form_.tabOrder_.push_back(this);
}

Control::~Control()
{
    // The window goes first, quietly: the handlers belong to an object that
    // is being destroyed.
    OnClick = nullptr;
    OnChange = nullptr;
    OnDblClick = nullptr;
    OnValidate = nullptr;
    OnGotFocus = nullptr;
    OnLostFocus = nullptr;
    OnKeyDown = nullptr;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    OnPaint = nullptr;
    if (window_)
        DestroyWindow(window_);
    std::erase(form_.controls_, this);
    std::erase(form_.tabOrder_, this);
}

Control* Control::FromWindow(HWND window)
{
    return window ? static_cast<Control*>(GetPropW(window, kControlProperty)) : nullptr;
}

bool Control::IsContainer() const
{
    return design_.kind == ControlKind::Frame || design_.kind == ControlKind::PictureBox ||
           design_.kind == ControlKind::Image;
}

bool Control::Due() const
{
    if (!container_)
        return true;
    return container_->window_ &&
           (!container_->design_.contentsLater || container_->contentsCreated_);
}

void Control::CreateContents()
{
    if (!window_ || contentsCreated_)
        return;
    contentsCreated_ = true;
    form_.CreateDueControls();
}

bool Control::TakesFocus() const
{
    switch (design_.kind) {
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::Image:
        return false;
    case ControlKind::PictureBox:
        return !HoldsFocusableControl();
    default:
        return true;
    }
}

// A picture box with only images and labels in it, such as a tab, is a
// control of its own that takes the focus.
bool Control::HoldsFocusableControl() const
{
    if (!hasChildren_)
        return false;
    return std::any_of(form_.controls_.begin(), form_.controls_.end(), [this](const Control* held) {
        return held->container_ == this && held->TakesFocus();
    });
}

void Control::Create(HWND parent, HFONT font, HFONT boldFont, int id, bool startsGroup)
{
    font_ = font;
    boldFont_ = boldFont;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | design_.extraStyle;
    DWORD exStyle = 0;
    const wchar_t* windowClass = L"BUTTON";
    if (design_.visible)
        style |= WS_VISIBLE;
    if (!design_.enabled)
        style |= WS_DISABLED;
    // Arrow keys move among the option buttons of one group only.
    if (startsGroup)
        style |= WS_GROUP;
    switch (design_.kind) {
    case ControlKind::CommandButton:
        style |= WS_TABSTOP | (design_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::CheckBox:
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    case ControlKind::OptionButton:
        // Only the group's selected option is a tab stop; the first until
        // one is selected.
        style |= BS_RADIOBUTTON | (startsGroup ? WS_TABSTOP : 0);
        break;
    case ControlKind::TextBox:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ListBox:
        windowClass = L"LISTBOX";
        style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ComboBox:
        windowClass = L"COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL |
                 (design_.editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
        break;
    case ControlKind::Label:
        windowClass = L"STATIC";
        style |= SS_NOTIFY | (design_.alignment == Alignment::Centre  ? SS_CENTER
                              : design_.alignment == Alignment::Right ? SS_RIGHT
                                                                      : SS_LEFT);
        break;
    case ControlKind::HotKey:
        EnsureCommonControls(ICC_HOTKEY_CLASS);
        windowClass = HOTKEY_CLASSW;
        style |= WS_TABSTOP | WS_CLIPCHILDREN;
        break;
    case ControlKind::Frame:
    case ControlKind::PictureBox:
    case ControlKind::Image:
        RegisterFormsClass(kContainerClass, ContainerProc, LoadCursorW(nullptr, IDC_ARROW));
        windowClass = kContainerClass;
        style |= WS_CLIPCHILDREN;
        if (design_.kind == ControlKind::PictureBox && design_.tabStop && TakesFocus())
            style |= WS_TABSTOP;
        if (design_.border && design_.kind == ControlKind::PictureBox)
            exStyle |= WS_EX_CLIENTEDGE;
        // The tab key walks into the controls a container holds.
        if (hasChildren_)
            exStyle |= WS_EX_CONTROLPARENT;
        break;
    }
    const RECT at = PlaceOnForm();
    const HWND window = CreateWindowExW(
        exStyle, windowClass, design_.caption.c_str(), style, at.left, at.top, at.right - at.left,
        at.bottom - at.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr), this);
    if (!window)
        throw NumberedError(static_cast<std::int32_t>(GetLastError()), UiText(IDS_CONTROL_NOT_CREATED, {name_}));
    window_ = window;
    id_ = id;
    SetPropW(window, kControlProperty, this);
    AttachWindowName(window, name_);
    if (view_)
        ::SetAccessibleView(window, view_);
    if (!IsContainer())
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (design_.kind == ControlKind::ComboBox && design_.editable)
        SubclassInnerEdit();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bold_ ? boldFont_ : font_), FALSE);
    FitToFont();
    if (!design_.toolTip.empty())
        form_.UpdateToolTip(*this);
}

// The size is scaled on its own, not as the distance between two scaled
// edges: a control sized to hold its text keeps room for all of it.
RECT Control::PlaceOnForm() const
{
    // A drop-down list's window reaches down over its open list.
    const int height =
        design_.height + (design_.kind == ControlKind::ComboBox ? kDropDownHeight : 0);
    const int left = form_.Scaled(design_.left);
    const int top = form_.Scaled(design_.top);
    return {left, top, left + form_.Scaled(design_.width), top + form_.Scaled(height)};
}

void Control::LayOut(HFONT font, HFONT boldFont)
{
    font_ = font;
    boldFont_ = boldFont;
    if (!window_)
        return;
    const RECT at = PlaceOnForm();
    SetWindowPos(window_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(bold_ ? boldFont_ : font_), TRUE);
    FitToFont();
}

void Control::FitToFont()
{
    FitWholeRows();
    FitLabelHeight();
}

// The designed height holds a line of the Japanese type; the descenders of a
// Latin type (g, p, y) and the access key's underline reach further down. The
// label grows downwards, its top staying where it was designed.
void Control::FitLabelHeight()
{
    if (design_.kind != ControlKind::Label)
        return;
    TEXTMETRICW type{};
    {
        const WindowDc dc(window_);
        const ScopedSelection selected(dc.get(), bold_ ? boldFont_ : font_);
        if (!GetTextMetricsW(dc.get(), &type))
            return;
    }
    const RECT at = PlaceOnForm();
    const int height = std::max(static_cast<int>(at.bottom - at.top), static_cast<int>(type.tmHeight));
    SetWindowPos(window_, nullptr, 0, 0, at.right - at.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::FitWholeRows()
{
    if (!design_.wholeRows || design_.kind != ControlKind::ListBox)
        return;
    const auto row = static_cast<int>(SendMessageW(window_, LB_GETITEMHEIGHT, 0, 0));
    if (row <= 0)
        return;
    const RECT at = PlaceOnForm();
    RECT outer{};
    RECT client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    const int edges = static_cast<int>((outer.bottom - outer.top) - client.bottom);
    const int rows = std::max(1, static_cast<int>(at.bottom - at.top - edges) / row);
    SetWindowPos(window_, nullptr, 0, 0, at.right - at.left, edges + rows * row,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::Destroyed()
{
    if (!window_)
        return;
    RemovePropW(window_, kControlProperty);
    DetachWindowName(window_);
    ::SetAccessibleView(window_, nullptr);
    window_ = nullptr;
    nameSettled_ = false;
    previous_ = nullptr;
    contentsCreated_ = false;
}

std::wstring Control::Text() const
{
    return window_ ? WindowText(window_) : design_.caption;
}

void Control::SetText(const std::wstring& text)
{
    if (!window_) {
        design_.caption = text;
        return;
    }
    if (WindowText(window_) == text)
        return;
    SetWindowTextW(window_, text.c_str());
    if (IsContainer())
        InvalidateRect(window_, nullptr, TRUE);
}

int Control::Value() const
{
    return window_ && SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Control::SetValue(int value)
{
    if (!window_ || (value != 0) == (Value() != 0))
        return;
    if (design_.kind == ControlKind::OptionButton && value != 0)
        SelectOption();
    else
        SendMessageW(window_, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    // An option button cleared by code reports nothing; every other change clicks.
    if ((design_.kind == ControlKind::CheckBox || value != 0) && OnClick)
        OnClick();
}

void Control::SelectOption()
{
    for (Control* other : form_.controls_) {
        if (other->design_.kind != ControlKind::OptionButton || other->container_ != container_ ||
            !other->window_)
            continue;
        const bool selected = other == this;
        SendMessageW(other->window_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
        const LONG_PTR style = GetWindowLongPtrW(other->window_, GWL_STYLE);
        SetWindowLongPtrW(other->window_, GWL_STYLE,
                          selected ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

bool Control::Enabled() const { return window_ ? IsWindowEnabled(window_) != 0 : design_.enabled; }

void Control::SetEnabled(bool enabled)
{
    design_.enabled = enabled;
    if (!window_)
        return;
    // A control that loses its focus this way hands it on in the tab order.
    if (!enabled && HasFocus()) {
        if (Control* next = form_.NextTabStop(this, false); next && next != this)
            next->SetFocus();
    }
    EnableWindow(window_, enabled);
}

bool Control::Visible() const { return design_.visible; }

void Control::SetVisible(bool visible)
{
    design_.visible = visible;
    if (window_)
        ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::TabStop() const
{
    return window_ ? (GetWindowLongPtrW(window_, GWL_STYLE) & WS_TABSTOP) != 0 : design_.tabStop;
}

void Control::SetTabStop(bool tabStop)
{
    design_.tabStop = tabStop;
    if (!window_)
        return;
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void Control::SetFocus()
{
    if (window_)
        ::SetFocus(window_);
}

bool Control::CanTakeTab() const
{
    return window_ && TakesFocus() && (GetWindowLongPtrW(window_, GWL_STYLE) & WS_TABSTOP) &&
           Usable();
}

bool Control::Usable() const
{
    if (!window_ || !IsWindowVisible(window_))
        return false;
    // A disabled container disables what it holds.
    for (HWND at = window_; at && at != form_.Handle(); at = GetParent(at)) {
        if (!IsWindowEnabled(at))
            return false;
    }
    return true;
}

bool Control::MarksAccessKey(wchar_t key) const
{
    switch (design_.kind) {
    case ControlKind::Label:
        if (design_.extraStyle & SS_NOPREFIX)
            return false;
        break;
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        break;
    default:
        return false;
    }
    const std::wstring caption = Text();
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return UpperCase(caption[i + 1]) == UpperCase(key);
        ++i;  // "&&" shows one ampersand
    }
    return false;
}

bool Control::HasFocus() const
{
    const HWND focus = GetFocus();
    return window_ && focus && (focus == window_ || IsChild(window_, focus));
}

RECT Control::Bounds() const
{
    return {design_.left, design_.top, design_.left + design_.width, design_.top + design_.height};
}

void Control::Move(int left, int top, int width, int height)
{
    design_.left = left;
    design_.top = top;
    design_.width = width;
    design_.height = height;
    if (!window_)
        return;
    const RECT at = PlaceOnForm();
    SetWindowPos(window_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitToFont();
}

void Control::BringToFront()
{
    if (window_)
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::Refresh()
{
    if (!window_)
        return;
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void Control::SetBold(bool bold)
{
    bold_ = bold;
    design_.bold = bold;
    if (!window_)
        return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(bold ? boldFont_ : font_), TRUE);
    FitToFont();
}

void Control::SetToolTipText(const std::wstring& text)
{
    design_.toolTip = text;
    if (window_)
        form_.UpdateToolTip(*this);
}

void Control::SetPicture(Picture picture)
{
    picture_ = std::move(picture);
    if (window_)
        InvalidateRect(window_, nullptr, TRUE);
}

// Standard controls keep their own behaviour; the control only reports
// keys before, and focus and pointer changes after, the class has seen them.
LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AtWindowBoundary(window, LRESULT{0}, [&] {
        Control* control = FromWindow(window);
        if (control && window == control->innerEdit_)
            return control->InnerEditMessage(message, wParam, lParam);
        if (!control || !control->previous_)
            return DefWindowProcW(window, message, wParam, lParam);
        const WNDPROC previous = control->previous_;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            control->Destroyed();
            return CallWindowProcW(previous, window, message, wParam, lParam);
        }
        if (message == WM_GETOBJECT) {
            if (const std::optional<LRESULT> answer =
                    control->AccessibleRequest(window, control->nameSettled_, wParam, lParam))
                return *answer;
        }
        if (message == WM_KEYDOWN && control->OnKeyDown)
            control->OnKeyDown(static_cast<int>(wParam), ShiftKeysDown());
        const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
        switch (message) {
        case WM_SETFOCUS:
            if (control->OnGotFocus)
                control->OnGotFocus();
            break;
        case WM_KILLFOCUS:
            if (control->OnLostFocus)
                control->OnLostFocus();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            control->MouseEvent(message, wParam, lParam);
            break;
        default:
            break;
        }
        return result;
    });
}

void Control::SubclassInnerEdit()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(window_, &info) || !info.hwndItem)
        return;
    innerEdit_ = info.hwndItem;
    SetPropW(innerEdit_, kControlProperty, this);
    innerPrevious_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(innerEdit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

// The edit box is destroyed before its combo box: it gives back what it took
// on its own last message.
LRESULT Control::InnerEditMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND edit = innerEdit_;
    const WNDPROC previous = innerPrevious_;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(edit, kControlProperty);
        ::SetAccessibleView(edit, nullptr);
        innerEdit_ = nullptr;
        innerPrevious_ = nullptr;
        innerNameSettled_ = false;
    } else if (message == WM_GETOBJECT) {
        if (const std::optional<LRESULT> answer =
                AccessibleRequest(edit, innerNameSettled_, wParam, lParam))
            return *answer;
    }
    return CallWindowProcW(previous, edit, message, wParam, lParam);
}

LRESULT CALLBACK Control::ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AtWindowBoundary(window, LRESULT{0}, [&] {
        if (message == WM_NCCREATE) {
            auto* control =
                static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            control->window_ = window;
            SetPropW(window, kControlProperty, control);
        }
        Control* control = FromWindow(window);
        if (!control)
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            control->Destroyed();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return control->ContainerMessage(message, wParam, lParam);
    });
}
