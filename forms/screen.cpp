#include "forms/screen.h"

namespace {

constexpr float kTwipsPerInch = 1440.0f;
int waitDepth = 0;

float TwipsPerPixel(int axis)
{
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? kTwipsPerInch / static_cast<float>(dpi) : 15.0f;
}

}  // namespace

float TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
float TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }

float ScreenWidthTwips()
{
    return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX();
}

float ScreenHeightTwips()
{
    return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY();
}

WaitPointer::WaitPointer()
{
    ++waitDepth;
    SetCursor(CurrentFormPointer());
}

WaitPointer::~WaitPointer()
{
    --waitDepth;
    SetCursor(CurrentFormPointer());
}

bool WaitPointerShown() { return waitDepth > 0; }

HCURSOR CurrentFormPointer()
{
    return LoadCursorW(nullptr, WaitPointerShown() ? IDC_WAIT : IDC_ARROW);
}
