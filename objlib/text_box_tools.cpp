#include "objlib/text_box_tools.h"

namespace TextBoxTools {

void EnableTextBox(HWND box, bool enabled)
{
    EnableWindow(box, enabled);
    InvalidateRect(box, nullptr, TRUE);
}

void OnTextBoxFocus(HWND box)
{
    SendMessageW(box, EM_SETSEL, 0, -1);
}

}  // namespace TextBoxTools
