// The keyboard interface of a form: the tab order, access keys, and the keys
// a form takes before its controls see them.

#include "forms/form.h"

#include <algorithm>
#include <cstddef>

#include "forms/control.h"

namespace {

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

}  // namespace

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

Control* Form::LabelBefore(const Control& field) const
{
    switch (field.Kind()) {
    case ControlKind::TextBox:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::HotKey:
        break;
    default:
        return nullptr;
    }
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), &field);
    if (at == tabOrder_.begin() || at == tabOrder_.end())
        return nullptr;
    Control* before = *(at - 1);
    return before->Kind() == ControlKind::Label && before->container_ == field.container_ ? before
                                                                                          : nullptr;
}

void Form::PlaceLabels()
{
    for (const Control* field : controls_) {
        const Control* label = LabelBefore(*field);
        if (!label || !label->window_ || !field->window_)
            continue;
        const HWND before = GetWindow(field->window_, GW_HWNDPREV);
        if (before == label->window_)
            continue;
        SetWindowPos(label->window_, before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
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
