// The items of a list box or combo box control.

#include "forms/control.h"

namespace {

struct ListMessages {
    UINT add, insert, remove, reset, count, textLength, text, current, select;
};
constexpr ListMessages kListBox{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL, LB_SETCURSEL};
constexpr ListMessages kComboBox{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                 CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                 CB_GETCURSEL, CB_SETCURSEL};

const ListMessages& ListMessagesOf(ControlKind kind)
{
    return kind == ControlKind::ComboBox ? kComboBox : kListBox;
}

}  // namespace

void Control::AddItem(const std::wstring& text, int index)
{
    if (!window_)
        return;
    const auto& list = ListMessagesOf(design_.kind);
    const auto item = reinterpret_cast<LPARAM>(text.c_str());
    if (index < 0)
        SendMessageW(window_, list.add, 0, item);
    else
        SendMessageW(window_, list.insert, static_cast<WPARAM>(index), item);
}

void Control::RemoveItem(int index)
{
    if (window_)
        SendMessageW(window_, ListMessagesOf(design_.kind).remove, static_cast<WPARAM>(index), 0);
}

void Control::ClearItems()
{
    if (window_)
        SendMessageW(window_, ListMessagesOf(design_.kind).reset, 0, 0);
}

int Control::ListCount() const
{
    return window_ ? static_cast<int>(SendMessageW(window_, ListMessagesOf(design_.kind).count, 0, 0)) : 0;
}

std::wstring Control::List(int index) const
{
    if (!window_)
        return {};
    const auto& list = ListMessagesOf(design_.kind);
    const LRESULT length = SendMessageW(window_, list.textLength, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window_, list.text, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

int Control::ListIndex() const
{
    return window_ ? static_cast<int>(SendMessageW(window_, ListMessagesOf(design_.kind).current, 0, 0)) : -1;
}

void Control::SetListIndex(int index)
{
    if (!window_)
        return;
    SendMessageW(window_, ListMessagesOf(design_.kind).select, static_cast<WPARAM>(index), 0);
    if (OnClick)
        OnClick();
}
