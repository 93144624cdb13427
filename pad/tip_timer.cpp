// The key-list tip's rest delay on the pad.

#include "pad/main_window.h"
#include "pad/pad_input.h"
#include "settings/settings.h"

namespace {

constexpr std::uint32_t kRestMs = 1000;

}  // namespace

void PadInput::TipTimer()
{
    const std::uint32_t now = clock_();
    // No tip while the pad is busy or a menu is open; the rest starts again
    // afterwards.
    if (mode_ != kModeIdle || menuOpen_) {
        tipTick_ = now;
        return;
    }
    if (GetActiveWindow() != pad_.Handle())
        return;
    POINT pointer{};
    GetCursorPos(&pointer);
    if (WindowFromPoint(pointer) != pad_.Handle()) {
        if (pad_.TipWindow.Visible())
            pad_.TipWindow.HideTip();
        tipTick_ = now;
        return;
    }
    if (pointer.x == lastPointer_.x && pointer.y == lastPointer_.y) {
        // Elapsed time in unsigned arithmetic, so that the tick count's wrap
        // after 49.7 days neither hides the tip nor overflows.
        // The "PopupStatus" option says whether the tip is wanted at all.
        const bool wanted = AppSettings && AppSettings->PopupStatus;
        if (wanted && now - tipTick_ > kRestMs && !pad_.TipWindow.Visible())
            pad_.TipWindow.PopupStatus(pointer.x, pointer.y);
    } else {
        lastPointer_ = pointer;
        if (pad_.TipWindow.Visible())
            pad_.TipWindow.HideTip();
        tipTick_ = now;
    }
}
