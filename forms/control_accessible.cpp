// What a control tells screen readers: its name, and for a control the
// program draws itself, what its view says.

#include "forms/control.h"

#include "forms/form.h"

void Control::SetAccessibleName(std::wstring name)
{
    accessibleName_ = std::move(name);
    nameSettled_ = false;
}

void Control::SetAccessibleView(const AccessibleView* view)
{
    view_ = view;
    if (window_)
        ::SetAccessibleView(window_, view_);
}

void Control::NotifyAccessible(DWORD event, long part) const
{
    if (window_)
        NotifyWinEvent(event, window_, OBJID_CLIENT, part);
}

std::wstring Control::AccessibleName() const
{
    if (!accessibleName_.empty())
        return accessibleName_;
    const Control* label = form_.LabelBefore(*this);
    return label ? WithoutAccessKeys(label->Text()) : std::wstring{};
}

AccessiblePart Control::Whole() const
{
    AccessiblePart whole;
    whole.name = AccessibleName();
    return whole;
}

// The system names a field by the label before it in window order; Wine does
// so for text boxes only. Where its account gives another name or none, the
// annotation service gives the field its name, and where there is no such
// service the field answers with an object of its own.
std::optional<LRESULT> Control::AccessibleRequest(HWND window, bool& nameSettled, WPARAM wParam,
                                                  LPARAM lParam)
{
    if (!view_ && !nameSettled && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        nameSettled = true;
        const std::wstring name = AccessibleName();
        if (!name.empty() && StandardAccessibleName(window) != name &&
            !AnnotateAccessibleName(window, name))
            ::SetAccessibleView(window, this);
    }
    return AccessibleAnswer(window, wParam, lParam);
}
