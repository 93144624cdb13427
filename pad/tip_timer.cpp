// The key-list tip's timer on the pad.

#include "pad/main_window.h"
#include "settings/settings.h"

namespace {

constexpr std::uint32_t kRestMs = 1000;

}  // namespace

void cMain::tmrTip_Timer()
{
    const std::uint32_t now = TickCount();
    // No tip while the pad is busy or a menu is open; the rest starts again
    // afterwards.
    if (Mode != kModeIdle || MenuOpen) {
        TipTick = now;
        return;
    }
    if (GetActiveWindow() != Handle())
        return;
    POINT pointer{};
    GetCursorPos(&pointer);
    if (WindowFromPoint(pointer) != Handle()) {
        if (TipWindow.Visible())
            TipWindow.HideTip();
        TipTick = now;
        return;
    }
    if (pointer.x == LastPointer.x && pointer.y == LastPointer.y) {
        // Elapsed time in unsigned arithmetic, so that the tick count's wrap
        // after 49.7 days neither hides the tip nor overflows.
        // The "PopupStatus" option says whether the tip is wanted at all.
        const bool wanted = AppSettings && AppSettings->PopupStatus;
        if (wanted && now - TipTick > kRestMs && !TipWindow.Visible())
            TipWindow.PopupStatus(pointer.x, pointer.y);
    } else {
        LastPointer = pointer;
        if (TipWindow.Visible())
            TipWindow.HideTip();
        TipTick = now;
    }
}
