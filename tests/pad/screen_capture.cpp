#include "tests/pad/screen_capture.h"

#include <algorithm>

#include "base/win_handles.h"
#include "tests/support/message_pump.h"

ScreenImage CaptureScreen()
{
    ScreenImage image;
    image.width = GetSystemMetrics(SM_CXSCREEN);
    image.height = GetSystemMetrics(SM_CYSCREEN);
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const HDC screen = GetDC(nullptr);
    if (!screen)
        return image;
    {
        UniqueDc memory(CreateCompatibleDC(screen));
        void* bits = nullptr;
        UniqueGdiObject<HBITMAP> bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (memory && bitmap && bits) {
            ScopedSelection selected(memory.get(), bitmap.get());
            if (selected && BitBlt(memory.get(), 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY)) {
                GdiFlush();
                const auto* source = static_cast<const std::uint32_t*>(bits);
                std::transform(source, source + image.pixels.size(), image.pixels.begin(),
                               [](std::uint32_t p) { return p & 0xFFFFFFu; });
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return image;
}

bool Inverted(const ScreenImage& before, const ScreenImage& after, std::int32_t x, std::int32_t y)
{
    return after.At(x, y) == (~before.At(x, y) & 0xFFFFFFu);
}

ScreenChange ChangeBetween(const ScreenImage& before, const ScreenImage& after)
{
    ScreenChange change;
    std::int32_t left = before.width, top = before.height, right = -1, bottom = -1;
    for (std::int32_t y = 0; y < before.height; ++y) {
        for (std::int32_t x = 0; x < before.width; ++x) {
            if (before.At(x, y) == after.At(x, y))
                continue;
            ++change.pixels;
            change.allInverted = change.allInverted && Inverted(before, after, x, y);
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    if (change.pixels > 0)
        change.bounds = {left, top, right - left + 1, bottom - top + 1};
    return change;
}

namespace {

constexpr wchar_t kStripedClass[] = L"KorvaneTestStripes";
constexpr std::size_t kHandleTableCeiling = 200000;

LRESULT CALLBACK StripedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    const PaintDc paint(window);
    const HDC dc = paint.get();
    RECT client;
    GetClientRect(window, &client);
    const COLORREF colours[] = {RGB(200, 30, 30), RGB(30, 160, 60), RGB(40, 60, 210), RGB(230, 210, 40),
                                RGB(120, 120, 120)};
    for (LONG x = 0; x < client.right; x += 23) {
        UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(colours[(x / 23) % 5]));
        const RECT stripe{x, 0, std::min<LONG>(x + 23, client.right), client.bottom};
        FillRect(dc, &stripe, brush.get());
    }
    return 0;
}

}  // namespace

StripedWindow::StripedWindow(const Box& place)
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = StripedProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kStripedClass;
    RegisterClassW(&cls);  // fails harmlessly when already registered
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kStripedClass, L"", WS_POPUP, place.x,
                              place.y, place.width, place.height, nullptr, nullptr, cls.hInstance, nullptr);
    if (!window_)
        return;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    SettleScreen();
}

StripedWindow::~StripedWindow()
{
    if (window_)
        DestroyWindow(window_);
    SettleScreen();
}

void SettleScreen()
{
    // Two equal captures in a row: every repaint has reached the display.
    ScreenImage last = CaptureScreen();
    PumpUntil(
        [&] {
            PumpFor(60);
            ScreenImage now = CaptureScreen();
            const bool same = now == last;
            last = std::move(now);
            return same;
        },
        3000);
}

std::int64_t GdiObjectsInUse()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported > 0)
        return reported;
    std::vector<UniqueGdiObject<HRGN>> taken;
    while (taken.size() < kHandleTableCeiling) {
        UniqueGdiObject<HRGN> region(CreateRectRgn(0, 0, 1, 1));
        if (!region)
            break;
        taken.push_back(std::move(region));
    }
    if (taken.size() == kHandleTableCeiling)
        return -1;  // no limit found: nothing to count against
    const auto free = static_cast<std::int64_t>(taken.size());
    return static_cast<std::int64_t>(kHandleTableCeiling) - free;
}
