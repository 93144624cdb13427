#pragma once
// The key-list tip: all key commands, shown while the pointer rests on the pad.

#include "pad/popup_design.h"

class cPopupTip : public PadPopup {
public:
    // pad: the tip's owner, which keeps the keyboard focus.
    explicit cPopupTip(Form& pad);

    // Fills the tip with the 36 key commands in two columns, places it by
    // the pointer at screen pixel (x, y) and shows it.
    void PopupStatus(int x, int y);
    void HideTip();

private:
    Form& pad_;
};
