#pragma once
// The status window: during a gesture it shows what a release would launch,
// centred on the pad just below it, or just above it near the bottom of the
// work area of the pad's monitor, always wholly inside that work area and
// never over the pad.

#include <windows.h>

#include <optional>
#include <string>

#include "base/win_handles.h"
#include "pad/popup_design.h"

class cPopupStatus : public PadPopup {
public:
    // pad: the window the status window is placed by.
    explicit cPopupStatus(Form& pad);

    // Shows the window with this text, or moves it and changes its text.
    void ShowStatus(const std::wstring& text);
    // Unloads the window; the next ShowStatus loads it again.
    void HideStatus();
    // The label lblInfo (loads the form).
    HWND lblInfo();

protected:
    void Form_Load() override;
    std::optional<LRESULT> Form_Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HFONT LabelFont();

    Form& pad_;
    UniqueGdiObject<HFONT> font_;
    int fontDpi_ = 0;  // the resolution font_ was made for
};
