#include "forms/display_dpi.h"

#include "base/deferred_library.h"
#include "base/dpi_scale.h"
#include "forms/screen.h"

namespace {

// The calls of newer systems, looked up at their first use: the program also
// runs where they do not exist. user32 has them from Windows 10 (1607) on;
// on Windows 8.1 shcore has the monitor's resolution, loaded only there.
namespace user32 {
inline constinit DeferredLibrary library{L"user32.dll"};
inline constinit DeferredFunction<UINT(WINAPI*)(HWND)> GetDpiForWindow{library, "GetDpiForWindow",
                                                                      0};
inline constinit DeferredFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>
    AdjustWindowRectExForDpi{library, "AdjustWindowRectExForDpi", FALSE};
}  // namespace user32

namespace shcore {
inline constinit DeferredLibrary library{L"shcore.dll"};
inline constinit DeferredFunction<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)> GetDpiForMonitor{
    library, "GetDpiForMonitor", E_NOTIMPL};
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
}  // namespace shcore

Box BoundsOf(HMONITOR monitor, bool* primary = nullptr)
{
    const MONITORINFO info = MonitorInfoOf(monitor);
    if (primary)
        *primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    const RECT& r = info.rcMonitor;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM param)
{
    auto& found = *reinterpret_cast<std::vector<Box>*>(param);
    bool primary = false;
    const Box bounds = BoundsOf(monitor, &primary);
    if (primary)
        found.insert(found.begin(), bounds);
    else
        found.push_back(bounds);
    return TRUE;
}

}  // namespace

MONITORINFO MonitorInfoOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) {
        const RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        info.rcMonitor = primary;
        info.rcWork = primary;
        info.dwFlags = 0;
    }
    return info;
}

int SystemDpi() { return ScreenDpiY() > 0 ? ScreenDpiY() : kDesignDpi; }

int WindowDpi(HWND window)
{
    if (const UINT dpi = user32::GetDpiForWindow(window); dpi > 0)
        return static_cast<int>(dpi);
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (user32::GetDpiForWindow.Get() == nullptr && monitor &&
        SUCCEEDED(shcore::GetDpiForMonitor(monitor, shcore::kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi)
{
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!user32::AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<Box> DisplayMonitors()
{
    std::vector<Box> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    // None told: the primary screen, as for a monitor the system cannot tell.
    if (monitors.empty())
        monitors.push_back(BoundsOf(nullptr));
    return monitors;
}

Box MonitorOf(HWND window) { return BoundsOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

Box MonitorAt(POINT point) { return BoundsOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }
