// Where a form is and how big, in its own scale and at its monitor's resolution.

#include "forms/form.h"

#include <cmath>

#include "base/dpi_scale.h"
#include "forms/display_dpi.h"
#include "forms/screen.h"

namespace {

int PixelsOfTwips(float twips, float twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

// Where the window is; for a minimised window, where it shows when restored.
// The place of a minimised window is the system's, not the form's, and
// nothing stored from it would bring the window back.
RECT WindowRectOf(HWND window)
{
    RECT rect{};
    if (!IsIconic(window)) {
        GetWindowRect(window, &rect);
        return rect;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    rect = placement.rcNormalPosition;
    // The normal position of a window that is no tool window counts from
    // its monitor's work area, not from the screen's corner.
    if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        const MONITORINFO monitor =
            MonitorInfoOf(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

}  // namespace

bool Form::Visible() const { return window_ && IsWindowVisible(window_); }

HWND Form::LoadedWindow()
{
    Load();
    return window_;
}

float Form::Left() { return static_cast<float>(WindowRectOf(LoadedWindow()).left) * TwipsPerPixelX(); }
float Form::Top() { return static_cast<float>(WindowRectOf(LoadedWindow()).top) * TwipsPerPixelY(); }

float Form::Width()
{
    const RECT rect = WindowRectOf(LoadedWindow());
    return static_cast<float>(rect.right - rect.left) * TwipsPerPixelX();
}

float Form::Height()
{
    const RECT rect = WindowRectOf(LoadedWindow());
    return static_cast<float>(rect.bottom - rect.top) * TwipsPerPixelY();
}

void Form::Move(float left, float top)
{
    SetWindowPos(LoadedWindow(), nullptr, PixelsOfTwips(left, TwipsPerPixelX()),
                 PixelsOfTwips(top, TwipsPerPixelY()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(float left, float top, float width, float height)
{
    SetWindowPos(LoadedWindow(), nullptr, PixelsOfTwips(left, TwipsPerPixelX()),
                 PixelsOfTwips(top, TwipsPerPixelY()), PixelsOfTwips(width, TwipsPerPixelX()),
                 PixelsOfTwips(height, TwipsPerPixelY()), SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::DesignedSize(int dpi) const
{
    return OuterSizeFor(ScaledToDpi(design_.clientWidth, dpi),
                        ScaledToDpi(design_.clientHeight, dpi), design_.style & ~WS_VISIBLE,
                        design_.exStyle, dpi);
}

// Twice: on the monitor it goes to the window takes that monitor's
// resolution, and a new size with it (the system tells it as it moves
// there, or else it asks).
void Form::MoveCentredOver(const RECT& area)
{
    CentreOver(area);
    const HWND window = LoadedWindow();
    if (const int dpi = WindowDpi(window); dpi != dpi_) {
        const RECT now = WindowRectOf(window);
        const SIZE size = DesignedSize(dpi);
        ChangeDpi(dpi, RECT{now.left, now.top, now.left + size.cx, now.top + size.cy});
    }
    CentreOver(area);
}

void Form::CentreOver(const RECT& area)
{
    const HWND window = LoadedWindow();
    const RECT outer = WindowRectOf(window);
    const auto box = [](const RECT& rect) {
        return Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    };
    const Box placed = CentredWithin(box(area), outer.right - outer.left, outer.bottom - outer.top,
                                     box(WorkAreaNear(area)));
    SetWindowPos(window, nullptr, placed.x, placed.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Form::ScaleWidth()
{
    RECT client{};
    GetClientRect(LoadedWindow(), &client);
    return ToScale(client.right, TwipsPerPixelX());
}

float Form::ScaleHeight()
{
    RECT client{};
    GetClientRect(LoadedWindow(), &client);
    return ToScale(client.bottom, TwipsPerPixelY());
}

void Form::SetPicture(Picture picture)
{
    picture_ = std::move(picture);
    InvalidateRect(LoadedWindow(), nullptr, TRUE);
}

Picture Form::OwnIcon(int width, int height) const
{
    if (design_.iconResource == 0)
        return {};
    return LoadIconPicture(design_.iconResource, width, height);
}

int Form::Scaled(int designPixels) const { return ScaledToDpi(designPixels, dpi_); }

RECT Form::Scaled(const RECT& design) const
{
    return {Scaled(design.left), Scaled(design.top), Scaled(design.right), Scaled(design.bottom)};
}

int Form::DesignPixels(int pixels) const { return DesignPixelsOf(pixels, dpi_); }

float Form::ToScale(int pixels, float twipsPerPixel) const
{
    const auto value = static_cast<float>(pixels);
    return design_.scaleMode == ScaleMode::Pixels ? value : value * twipsPerPixel;
}
