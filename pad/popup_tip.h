#pragma once
// The key-list tip: all key commands, shown while the pointer rests on the pad.

#include <cstdint>
#include <functional>
#include <string>

#include "pad/popup_design.h"

class cPopupTip : public PadPopup {
public:
    // pad: the tip's owner, which keeps the keyboard focus; keyCaption: the
    // caption of key slot 0..35 as the pad shows it.
    cPopupTip(Form& pad, std::function<std::wstring(std::int32_t slot)> keyCaption);

    // Fills the tip with the 36 key commands in two columns, places it by
    // the pointer at screen pixel (x, y) and shows it.
    void PopupStatus(int x, int y);
    void HideTip();

private:
    Form& pad_;
    std::function<std::wstring(std::int32_t)> keyCaption_;
};
