#include "forms/message_box.h"

int MsgBox(const std::wstring& text, UINT style, HWND owner)
{
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    return MessageBoxW(owner, text.c_str(), L"Korvane", style);
}
