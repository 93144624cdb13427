#include "forms/screen.h"

#include "base/win_handles.h"

namespace {

constexpr float kTwipsPerInch = 1440.0f;
int waitDepth = 0;

float TwipsPerPixel(int axis)
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), axis) : 0;
    return dpi > 0 ? kTwipsPerInch / static_cast<float>(dpi) : 15.0f;
}

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

RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return info.rcWork;
}

}  // namespace

RECT WorkAreaNear(HWND window)
{
    return WorkAreaOf(
        MonitorFromWindow(window, window ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY));
}

RECT WorkAreaNear(const RECT& area)
{
    return WorkAreaOf(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

SIZE MeasureText(HWND window, HFONT font, const std::wstring& text)
{
    return MeasureLine(window, font, text, DT_NOPREFIX);
}

SIZE MeasureCaption(HWND window, HFONT font, const std::wstring& caption)
{
    return MeasureLine(window, font, caption, 0);
}

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
