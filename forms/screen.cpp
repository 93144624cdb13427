#include "forms/screen.h"

#include "base/win_handles.h"
#include "forms/display_dpi.h"

namespace {

constexpr float kTwipsPerInch = 1440.0f;
int waitDepth = 0;

// The screen's dots per inch across and down; 0 until read.
struct Resolution {
    int x = 0;
    int y = 0;
};
Resolution resolution;

const Resolution& CurrentResolution()
{
    if (resolution.x <= 0 || resolution.y <= 0) {
        const WindowDc screen(nullptr);
        if (screen.get())
            resolution = {GetDeviceCaps(screen.get(), LOGPIXELSX),
                          GetDeviceCaps(screen.get(), LOGPIXELSY)};
    }
    return resolution;
}

float TwipsPerPixel(int dpi) { return dpi > 0 ? kTwipsPerInch / static_cast<float>(dpi) : 15.0f; }

SIZE MeasureLine(HWND window, HFONT font, const std::wstring& text, UINT prefixFormat)
{
    const WindowDc dc(window);
    if (!dc.get())
        return {};
    const ScopedSelection selected(dc.get(), font);
    RECT rect{};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_SINGLELINE | prefixFormat);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

int ScreenDpiX() { return CurrentResolution().x; }
int ScreenDpiY() { return CurrentResolution().y; }
void ScreenResolutionChanged() { resolution = {}; }

RECT WorkAreaNear(HWND window)
{
    return MonitorInfoOf(
               MonitorFromWindow(window, window ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY))
        .rcWork;
}

RECT WorkAreaNear(const RECT& area)
{
    return MonitorInfoOf(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST)).rcWork;
}

SIZE MeasureText(HWND window, HFONT font, const std::wstring& text)
{
    return MeasureLine(window, font, text, DT_NOPREFIX);
}

SIZE MeasureCaption(HWND window, HFONT font, const std::wstring& caption)
{
    return MeasureLine(window, font, caption, 0);
}

float TwipsPerPixelX() { return TwipsPerPixel(ScreenDpiX()); }
float TwipsPerPixelY() { return TwipsPerPixel(ScreenDpiY()); }

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
