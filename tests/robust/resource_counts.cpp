#include "tests/robust/resource_counts.h"

#include <psapi.h>

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

BOOL CALLBACK CountWindow(HWND window, LPARAM param)
{
    ++*reinterpret_cast<long*>(param);
    EnumChildWindows(window, CountWindow, param);
    return TRUE;
}

long ThreadWindows()
{
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
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
    counts.windows = ThreadWindows();
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
           std::to_string(counts.privateBytes / 1024);
}
