#include "bench/bare_release.h"

#include "bench/bench_clock.h"

namespace {

constexpr wchar_t kClassName[] = L"KorvaneBenchRelease";

}  // namespace

BareRelease::BareRelease()
{
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    if (!registered)
        return;
    // Found once, before the first release, as the program finds it at the
    // first press.
    shell_.reset(LoadLibraryW(L"shell32.dll"));
    if (shell_)
        shellExecute_ = reinterpret_cast<ShellExecuteExFn>(
            reinterpret_cast<void*>(GetProcAddress(shell_.get(), "ShellExecuteExW")));
    window_.reset(CreateWindowExW(0, kClassName, L"Bare release",
                                  WS_POPUP | WS_BORDER | WS_VISIBLE, 160, 100, 34, 34, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    popup_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"",
                                 WS_POPUP | WS_BORDER, 160, 140, 100, 24, nullptr, nullptr,
                                 nullptr, nullptr));
    label_ = CreateWindowExW(0, L"STATIC", L"right.exe", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP,
                             2, 2, 94, 18, popup_.get(), nullptr, nullptr, nullptr);
}

void BareRelease::Press()
{
    SetWindowTextW(label_, L"right.exe");
    SetWindowPos(popup_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    RedrawWindow(popup_.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageW(window_.get(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(16, 16));
    PumpPending();
}

void BareRelease::Release() { SendMessageW(window_.get(), WM_RBUTTONUP, 0, MAKELPARAM(40, 16)); }

void BareRelease::Launch()
{
    ReleaseCapture();
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowWindow(popup_.get(), SW_HIDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
    info.hwnd = window_.get();
    info.lpVerb = L"Open";
    info.lpFile = L"C:\\Bench\\right.exe";
    info.lpParameters = L"-r";
    info.nShow = SW_SHOWNORMAL;
    if (shellExecute_)
        shellExecute_(&info);
    SetCursor(previous);
}

LRESULT CALLBACK BareRelease::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<BareRelease*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_RBUTTONDOWN:
        SetCapture(window);
        return 0;
    case WM_RBUTTONUP:
        if (self)
            self->Launch();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
