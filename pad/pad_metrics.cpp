#include "pad/pad_metrics.h"

#include "forms/screen.h"

ScreenMetrics CurrentScreenMetrics()
{
    ScreenMetrics screen;
    screen.widthTwips = NearestInt(ScreenWidthTwips());
    screen.heightTwips = NearestInt(ScreenHeightTwips());
    screen.twipsPerPixelX = NearestInt(TwipsPerPixelX());
    screen.twipsPerPixelY = NearestInt(TwipsPerPixelY());
    return screen;
}

Point CornerTwips(Form& form) { return {NearestInt(form.Left()), NearestInt(form.Top())}; }

Point CornerPixels(Form& form)
{
    const ScreenMetrics screen = CurrentScreenMetrics();
    const Point twips = CornerTwips(form);
    return {PixelsOf(twips.x, screen.twipsPerPixelX), PixelsOf(twips.y, screen.twipsPerPixelY)};
}
