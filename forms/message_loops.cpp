// The forms' message loops: the modal loop of a form shown modal, and the
// program's loop that runs while any form is loaded; and what both do with a
// message for a form before it is dispatched.

#include "forms/form.h"

#include <vector>

#include "base/scope_exit.h"
#include "base/window_boundary.h"
#include "forms/control.h"

namespace {

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

}  // namespace

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
    const ScopeExit enableAgain([&] {
        for (auto it = others.windows.rbegin(); it != others.windows.rend(); ++it) {
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
        }
        if (previousActive && previousActive != window && IsWindow(previousActive))
            SetActiveWindow(previousActive);
    });

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    if (!controls_.empty() && !IsChild(window, GetFocus())) {
        if (Control* first = NextTabStop(nullptr, false))
            first->SetFocus();
    }

    inModalLoop_ = true;
    const ScopeExit loopEnded([this] { inModalLoop_ = false; });
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
}

// The loop looks at its form only between messages. A form that ends in a
// message the system hands over inside GetMessage (sent from another thread
// or process, or from a modal loop of the system's) posts nothing itself:
// without this the loop, and the windows it keeps disabled, would wait for
// whatever message comes next, maybe for a long time.
void Form::WakeModalLoop(UINT message, LPARAM lParam) const
{
    if (!inModalLoop_)
        return;
    const bool hidden = message == WM_WINDOWPOSCHANGED &&
                        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW);
    if (hidden || message == WM_DESTROY)
        PostMessageW(nullptr, WM_NULL, 0, 0);
}

bool TranslateFormMessage(MSG& message)
{
    if (!message.hwnd || Form::formClass_ == 0)
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || GetClassLongPtrW(root, GCW_ATOM) != Form::formClass_)
        return false;
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
    if (!form || form->controls_.empty())
        return false;
    // The keys a form takes itself run handlers (a button pressed by Enter,
    // a field's validation) outside any window procedure: they meet the same
    // boundary, and a key whose handling failed is taken.
    return AtWindowBoundary(root, true, [&] { return form->PreTranslate(message); });
}

int RunMessageLoop()
{
    if (Form::loadedForms_ == 0)
        return 0;
    Form::loopRunning_ = true;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateFormMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Form::loopRunning_ = false;
    return static_cast<int>(message.wParam);
}

int LoadedFormCount() { return Form::loadedForms_; }
