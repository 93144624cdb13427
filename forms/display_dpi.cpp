#include "forms/display_dpi.h"

#include <string>

#include "base/dpi_scale.h"
#include "base/win_handles.h"

namespace {

// The calls of newer systems, looked up by name: the program also runs where
// they do not exist.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Call>
Call User32Call(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

// shcore.dll (Windows 8.1 and later) holds the monitor's resolution; it is
// loaded once, from the system folder, and kept for the life of the process.
class ShellCore {
public:
    ShellCore()
    {
        wchar_t folder[MAX_PATH]{};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        module_ = LoadLibraryW((std::wstring(folder, length) + L"\\shcore.dll").c_str());
        if (module_)
            getDpiForMonitor_ = reinterpret_cast<GetDpiForMonitorCall>(
                reinterpret_cast<void*>(GetProcAddress(module_, "GetDpiForMonitor")));
    }
    ~ShellCore()
    {
        if (module_)
            FreeLibrary(module_);
    }
    ShellCore(const ShellCore&) = delete;
    ShellCore& operator=(const ShellCore&) = delete;

    GetDpiForMonitorCall GetDpiForMonitor() const { return getDpiForMonitor_; }

private:
    HMODULE module_ = nullptr;
    GetDpiForMonitorCall getDpiForMonitor_ = nullptr;
};

const ShellCore& Shcore()
{
    static const ShellCore shcore;
    return shcore;
}

// The primary screen, where the system cannot tell more.
MonitorArea PrimaryScreen()
{
    return {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, SystemDpi()};
}

MonitorArea AreaOf(HMONITOR monitor, bool* primary = nullptr)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info))
        return PrimaryScreen();
    if (primary)
        *primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    const RECT& r = info.rcMonitor;
    return {{r.left, r.top, r.right - r.left, r.bottom - r.top}, MonitorDpi(monitor)};
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM param)
{
    auto& found = *reinterpret_cast<std::vector<MonitorArea>*>(param);
    bool primary = false;
    const MonitorArea area = AreaOf(monitor, &primary);
    if (primary)
        found.insert(found.begin(), area);
    else
        found.push_back(area);
    return TRUE;
}

}  // namespace

int SystemDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int MonitorDpi(HMONITOR monitor)
{
    UINT x = 0;
    UINT y = 0;
    if (const auto call = Shcore().GetDpiForMonitor();
        monitor && call && SUCCEEDED(call(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

int DpiAt(POINT point) { return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

int WindowDpi(HWND window)
{
    static const auto call = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (call && window) {
        if (const UINT dpi = call(window); dpi > 0)
            return static_cast<int>(dpi);
    }
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi)
{
    static const auto call = User32Call<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!call || !call(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int SystemMetricAt(int index, int dpi)
{
    static const auto call = User32Call<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    if (call)
        return call(index, static_cast<UINT>(dpi));
    // Older systems size their metrics for the system's resolution.
    return ScaledToDpi(DesignPixelsOf(GetSystemMetrics(index), SystemDpi()), dpi);
}

std::vector<MonitorArea> DisplayMonitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back(PrimaryScreen());
    return monitors;
}

MonitorArea MonitorOf(HWND window)
{
    return AreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

MonitorArea MonitorAt(POINT point)
{
    return AreaOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}
