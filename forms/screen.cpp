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

}  // namespace

SIZE MeasureText(HWND window, HFONT font, const std::wstring& text)
{
    const WindowDc dc(window);
    if (!dc.get())
        return {};
    const ScopedSelection selected(dc.get(), font);
    RECT rect{};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return {rect.right - rect.left, rect.bottom - rect.top};
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
