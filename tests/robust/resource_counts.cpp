#include "tests/robust/resource_counts.h"

#include <psapi.h>

#include <utility>

#include "forms/window_name.h"

namespace {

// Where the system keeps no count of its own (Wine answers 0 to the count
// queries), the live objects are asked for one by one. Handles of a process
// are small multiples of four; Wine takes the low word of a GDI or USER
// handle for the handle itself.
constexpr UINT_PTR kKernelHandleRange = 0x4000;
constexpr UINT_PTR kLowWordRange = 0x10000;

long KernelHandles()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0)
        return static_cast<long>(count);
    long live = 0;
    for (UINT_PTR h = 4; h < kKernelHandleRange; h += 4) {
        DWORD flags = 0;
        live += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) != FALSE;
    }
    return live;
}

long GdiObjects()
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(count);
    long live = 0;
    for (UINT_PTR h = 1; h < kLowWordRange; ++h)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0;
    return live;
}

struct WindowTally {
    long count = 0;
    std::string names;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++reinterpret_cast<WindowTally*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param)
{
    auto& tally = *reinterpret_cast<WindowTally*>(param);
    ++tally.count;
    wchar_t cls[64] = L"";
    GetClassNameW(window, cls, 64);
    const std::wstring name = WindowNameOf(window);
    const std::wstring shown = name.empty() ? std::wstring(cls) : name;
    // Names are ASCII; enough to tell the windows apart in a message.
    tally.names += std::string(shown.begin(), shown.end()) + (IsWindowVisible(window) ? "+ " : "- ");
    EnumChildWindows(window, CountChild, param);
    return TRUE;
}

long UserObjects(long windows)
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return static_cast<long>(count);
    long live = windows;
    for (UINT_PTR h = 1; h < kLowWordRange; ++h) {
        if (IsMenu(reinterpret_cast<HMENU>(h))) {
            ++live;
            continue;
        }
        ICONINFO info{};
        if (GetIconInfo(reinterpret_cast<HICON>(h), &info)) {
            ++live;
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
        }
    }
    return live;
}

}  // namespace

ResourceCounts CountResources()
{
    ResourceCounts counts;
    counts.kernelHandles = KernelHandles();
    counts.gdiObjects = GdiObjects();
    WindowTally tally;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    counts.windows = tally.count;
    counts.topLevelWindows = std::move(tally.names);
    counts.userObjects = UserObjects(counts.windows);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        counts.privateBytes = memory.PagefileUsage;
    return counts;
}

std::string Describe(const ResourceCounts& counts)
{
    return "handles " + std::to_string(counts.kernelHandles) + ", GDI " +
           std::to_string(counts.gdiObjects) + ", USER " + std::to_string(counts.userObjects) +
           ", windows " + std::to_string(counts.windows) + ", private KB " +
           std::to_string(counts.privateBytes / 1024) + " (" + counts.topLevelWindows + ")";
}
