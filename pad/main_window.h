#pragma once
// cMain, the launcher pad: the program's one permanent window, a 32 × 32
// picture in a one-pixel border that stays where the user left it.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "forms/form.h"
#include "forms/timer.h"
#include "menulib/menu_abi.h"
#include "pad/popup_status.h"
#include "pad/popup_tip.h"

class cMain : public Form {
public:
    cMain();
    ~cMain() override;

    // Outer width of the window in pixels.
    std::int32_t PadWidth = 0;
    // The menu entries' table for the command menu (owned by the Menus list).
    const CompiledMenuEntry* MenuTable = nullptr;
    // The input method's open state when the pad was activated.
    bool SavedImeOpen = false;

    cPopupStatus StatusWindow;
    cPopupTip TipWindow;
    // Every 55 ms while the pad is loaded; drives the key-list tip.
    Timer tmrTip;

    // Opaque and input method closed while active; half transparent and the
    // input method as the user had it otherwise.
    void ActivateChanged(bool active);
    // The custom image when it is chosen and loads, the pad's own icon otherwise.
    void ApplyPadPicture();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    std::optional<LRESULT> Form_Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool hooked_ = false;
    bool active_ = false;
};

// The one launcher pad of the process, made by start-up.
extern std::unique_ptr<cMain> MainWindow;
