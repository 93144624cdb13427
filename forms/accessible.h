#pragma once
// What a window tells screen readers and other assistive programs through
// the system's accessibility interface (AccessibleObjectFromWindow), where
// the system's standard account of it is not enough: a name where no label
// of its own stands before it, a description, and the parts of a control the
// program draws itself (tabs, a figure of choices). Such a window answers
// WM_GETOBJECT with an object of its own, which keeps the standard account
// for whatever its view leaves open. oleacc.dll is loaded only when an
// assistive program asks.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A window as a whole, or one part of what it draws.
struct AccessiblePart {
    // The whole window: empty for the standard name.
    std::wstring name;
    std::wstring description;
    // ROLE_SYSTEM_...; for the whole window 0 keeps the standard role.
    long role = 0;
    // STATE_SYSTEM_...; for the whole window, added to the standard state.
    long state = 0;
    // Parts: where the part is drawn, in the window's client pixels.
    RECT bounds{};
};

class AccessibleView {
public:
    virtual AccessiblePart Whole() const = 0;
    // The parts in order: children 1, 2, ... of the window's object. None:
    // the window's children are the standard ones.
    virtual std::vector<AccessiblePart> Parts() const { return {}; }

protected:
    ~AccessibleView() = default;
};

// From now on the window's client area is told from the view (null: the
// standard account again). The view must outlive the window or be taken
// back before it goes; objects handed out earlier then answer that the
// window is gone.
void SetAccessibleView(HWND window, const AccessibleView* view);
// What a window with a view answers to WM_GETOBJECT; nothing for the other
// windows and objects, which the default handling answers.
std::optional<LRESULT> AccessibleAnswer(HWND window, WPARAM wParam, LPARAM lParam);

// The name the system's standard account gives a window's client area.
std::wstring StandardAccessibleName(HWND window);
// Names a window's client area through the system's annotation service;
// false where the system has none (older systems, Wine).
bool AnnotateAccessibleName(HWND window, const std::wstring& name);

// A caption as it is read aloud: without its access-key marks ("&&" reads
// as one ampersand).
std::wstring WithoutAccessKeys(const std::wstring& caption);
