#include "pad/pad_metrics.h"

#include "forms/display_dpi.h"
#include "forms/screen.h"

// Whole twips per pixel throughout, so that every pixel converts to twips
// and back unchanged, also where a pixel is not a whole number of twips
// (7.5 at 192 DPI).
ScreenMetrics ScreenMetricsOf(const Box& monitor)
{
    ScreenMetrics screen;
    screen.twipsPerPixelX = NearestInt(TwipsPerPixelX());
    screen.twipsPerPixelY = NearestInt(TwipsPerPixelY());
    screen.widthTwips = monitor.width * screen.twipsPerPixelX;
    screen.heightTwips = monitor.height * screen.twipsPerPixelY;
    screen.leftTwips = monitor.x * screen.twipsPerPixelX;
    screen.topTwips = monitor.y * screen.twipsPerPixelY;
    return screen;
}

ScreenMetrics CurrentScreenMetrics(HWND window) { return ScreenMetricsOf(MonitorOf(window)); }

Box WorkAreaOf(HWND window)
{
    const RECT work = WorkAreaNear(window);
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

Point CornerPixels(Form& form)
{
    return {NearestInt(form.Left() / TwipsPerPixelX()), NearestInt(form.Top() / TwipsPerPixelY())};
}

Point CornerTwips(Form& form, const ScreenMetrics& screen)
{
    const Point corner = CornerPixels(form);
    return {corner.x * screen.twipsPerPixelX, corner.y * screen.twipsPerPixelY};
}

void MoveCornerTo(Form& form, Point twips, const ScreenMetrics& screen)
{
    SetWindowPos(form.hWnd(), nullptr, PixelsOf(twips.x, screen.twipsPerPixelX),
                 PixelsOf(twips.y, screen.twipsPerPixelY), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
