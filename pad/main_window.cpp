#include "pad/main_window.h"

#include <imm.h>

#include "base/attempt.h"
#include "base/desktop_toggle_file.h"
#include "base/program_values.h"
#include "dialogs/settings_dialog.h"
#include "forms/display_dpi.h"
#include "forms/hot_key.h"
#include "forms/screen.h"
#include "forms/win32_callback.h"
#include "objlib/persist.h"
#include "pad/pad_position.h"
#include "pad/pad_units.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

std::unique_ptr<cMain> MainWindow;

namespace {

constexpr UINT kTipInterval = 55;
constexpr BYTE kActiveAlpha = 255;
constexpr BYTE kInactiveAlpha = 128;

FormDesign Design()
{
    FormDesign design;
    design.caption = L"Korvane";
    // No title bar; the system menu lets the taskbar close the pad.
    design.style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
    // Layered and topmost as the window is made: restyling it afterwards is
    // more work for the window system before the first paint.
    design.exStyle = (LayeredWindowsAvailable ? WS_EX_LAYERED : 0) |
                     (AppSettings && AppSettings->AlwaysOnTop ? WS_EX_TOPMOST : 0);
    design.clientWidth = kPadClientSize;
    design.clientHeight = kPadClientSize;
    design.backColor = COLOR_BACKGROUND;
    design.scaleMode = ScaleMode::Pixels;
    design.iconResource = IDI_KORVANE;
    return design;
}

RegistryKey PositionKey()
{
    return Persistence().KeyOf(RegistryRoot().OpenKey(
        HKEY_CURRENT_USER, std::wstring(kProductKeyPath) + L"\\Position"));
}

void SetAlpha(HWND window, BYTE alpha)
{
    if (LayeredWindowsAvailable)
        SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

// Messages that act on the settings: what the user does, and the tip's timer.
bool NeedsTheCommands(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) || message == WM_TIMER ||
           message == WM_HOTKEY || message == WM_SYSCOMMAND || message == WM_CONTEXTMENU;
}

}  // namespace

cMain::cMain()
    : Form(L"cMain", Design()),
      StatusWindow(*this),
      TipWindow(*this),
      tmrTip(*this, kTipInterval),
      Animation(DragAnimationSource{
          .activeStyle = [] { return DragAnimationOn(); },
          .moving = [this] { return input_.Mode() == kModeMoving; },
          .padWidth = [this] { return PadWidth; },
          .dpi = [this] { return Dpi(); },
          .caption = [](std::int32_t d) {
              return AppSettings ? AppSettings->Drags().Item(d)->DisplayCaption() : std::wstring();
          },
          .openDisplay = {},
      }),
      input_(*this)
{
    tmrTip.OnTimer = [this] { tmrTip_Timer(); };
}

void cMain::tmrTip_Timer() { input_.TipTimer(); }

cMain::~cMain()
{
    if (hooked_)
        Win32CallBack::UnhookPad();
}

// Only what the pad needs to draw itself comes before its first paint; the
// popups are made when first used.
void cMain::Form_Load()
{
    startUpFinished_ = false;
    const float tppX = TwipsPerPixelX();
    const float tppY = TwipsPerPixelY();

    // The stored centre picks the monitor. There the pad takes that
    // monitor's resolution (the system tells it as it moves there, or else
    // it asks), and with it its size, around the same centre.
    const RegistryKey position = PositionKey();
    const PadPlace place = PlacePadCentre(PadFraction(position.ReadValue(L"x", 0.5f)),
                                          PadFraction(position.ReadValue(L"y", 0.5f)),
                                          DisplayMonitors());
    const auto centreAt = [&](SIZE outer) {
        Move(PadEdgeTwips(place.x, ScreenWidthTwips(), tppX, outer.cx / 2),
             PadEdgeTwips(place.y, ScreenHeightTwips(), tppY, outer.cy / 2),
             static_cast<float>(outer.cx) * tppX, static_cast<float>(outer.cy) * tppY);
    };
    centreAt(PadOuterSize());
    AdoptDpi(WindowDpi(Handle()));
    const SIZE outer = PadOuterSize();
    centreAt(outer);
    PadWidth = outer.cx;

    ApplyPadPicture();

    // From here on a step that fails is skipped and the load goes on.
    Attempt([&] {
        if (AppSettings)
            SetHotKey(Handle(), AppSettings->HotKey);
    });
    // A layered window without attributes is not drawn at all: until the
    // first activation it is half transparent, as when inactive.
    Attempt([&] { SetAlpha(Handle(), kInactiveAlpha); });
    Attempt([&] {
        Win32CallBack::HookPad(Handle(), [this](bool active) { ActivateChanged(active); });
        hooked_ = true;
    });
    Attempt([&] { Show(); });
}

void cMain::Form_AfterFirstPaint() { FinishStartUp(); }

void cMain::FinishStartUp()
{
    if (startUpFinished_)
        return;
    startUpFinished_ = true;
    if (DeferredStartUp)
        Attempt(DeferredStartUp);
    Attempt([&] {
        if (AppSettings)
            MenuTable = &AppSettings->Menus().Compile();
    });
}

void cMain::Form_Unload(bool& /*cancel*/)
{
    // The lists are saved below: they must have been read first.
    FinishStartUp();
    if (hooked_) {
        Win32CallBack::UnhookPad();
        hooked_ = false;
    }
    StatusWindow.Unload();
    TipWindow.Unload();

    // Each step on its own: settings that cannot be saved must not keep the
    // position from being saved or the command file from being removed. The
    // user learns of the first failure once the rest is done.
    std::wstring failure;
    RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Attempt(
        [&] {
            if (AppSettings)
                Persistence().PersistOf(*AppSettings).Save(product);
        },
        failure);
    Attempt(
        [&] {
            const float tppX = TwipsPerPixelX();
            const float tppY = TwipsPerPixelY();
            RegistryKey position = product.SubKey(L"Position");
            position.WriteValue(L"x", PadCentreFraction(Left(), ScreenWidthTwips(), tppX,
                                                        NearestInt(Width() / tppX) / 2));
            position.WriteValue(L"y", PadCentreFraction(Top(), ScreenHeightTwips(), tppY,
                                                        NearestInt(Height() / tppY) / 2));
        },
        failure);
    RemoveDesktopToggleFile();
    if (!failure.empty() && !sessionEnding_)
        ShowFailure(Handle(), failure);
}

void cMain::ActivateChanged(bool active)
{
    const HWND window = Handle();
    if (!window)
        return;
    SetAlpha(window, active ? kActiveAlpha : kInactiveAlpha);
    // Only a change of state moves the input method: a repeated activation
    // must not take the closed state for the user's own.
    if (active == active_)
        return;
    active_ = active;
    const HIMC context = ImmGetContext(window);
    if (!context)
        return;
    if (active) {
        SavedImeOpen = ImmGetOpenStatus(context) != FALSE;
        ImmSetOpenStatus(context, FALSE);
    } else {
        ImmSetOpenStatus(context, SavedImeOpen);
    }
    ImmReleaseContext(window, context);
}

HWND cMain::HostWindow() { return hWnd(); }

void cMain::SettingsApplied() { ApplyPadPicture(); }

void cMain::ApplyPadPicture()
{
    // Loaded at the client's size for the pad's resolution: an icon takes
    // its image drawn for that size, nothing is stretched.
    const int size = PadClientSize(Dpi());
    Picture picture;
    if (AppSettings && AppSettings->UseCustomIcon)
        picture = LoadPicture(AppSettings->CustomIcon, size, size);
    if (!picture)
        picture = OwnIcon(size, size);
    SetPicture(std::move(picture));
}

SIZE cMain::PadOuterSize() const
{
    const int client = PadClientSize(Dpi());
    const HWND window = Handle();
    return OuterSizeFor(client, client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                        static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), Dpi());
}

// On a monitor of another resolution the pad takes that monitor's size
// around the centre it has; its position stays the user's.
void cMain::Form_DpiChanged(const RECT& /*suggested*/)
{
    const HWND window = Handle();
    RECT now{};
    GetWindowRect(window, &now);
    const SIZE outer = PadOuterSize();
    SetWindowPos(window, nullptr, (now.left + now.right) / 2 - outer.cx / 2,
                 (now.top + now.bottom) / 2 - outer.cy / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PadWidth = outer.cx;
    ApplyPadPicture();
}

std::optional<LRESULT> cMain::Form_Message(UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    // Sign-out, and an installer's Restart Manager (ENDSESSION_CLOSEAPP),
    // close the pad as the taskbar does: the pad agrees at once (the system's
    // answer to WM_QUERYENDSESSION) and saves everything as the form unloads
    // at WM_ENDSESSION. No one is there to answer a box about a failed save,
    // and it would hold up the sign-out or the installer.
    if (message == WM_ENDSESSION && wParam)
        sessionEnding_ = true;
    if (!startUpFinished_ && NeedsTheCommands(message))
        FinishStartUp();
    if (HandleHotKeyMessage(Handle(), message, wParam))
        return 0;
    return {};
}

void cMain::Form_MouseDown(int button, int /*shift*/, float x, float y)
{
    input_.MouseDown(button, x, y);
}

void cMain::Form_MouseMove(int button, int /*shift*/, float x, float y)
{
    input_.MouseMove(button, x, y);
}

void cMain::Form_MouseUp(int /*button*/, int /*shift*/, float x, float y) { input_.MouseUp(x, y); }

void cMain::Form_KeyDown(int keyCode, int /*shift*/) { input_.KeyDown(keyCode); }

void cMain::Form_KeyUp(int keyCode, int shift) { input_.KeyUp(keyCode, shift); }

// The double-click is the left button's whatever the button swap says.
void cMain::Form_DblClick()
{
    if (AppSettings)
        RunPadAction(AppSettings->DblClickCommand);
}

void cMain::RunPadAction(std::int32_t action)
{
    if (!AppSettings)
        return;
    switch (action) {
    case 1:
        AppSettings->Drags().Item(0)->Execute(Handle(), 0, 0);
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        break;
    case 2:
        TipWindow.Unload();
        StatusWindow.Unload();
        cDlgSettings::ShowSettings(*this);
        MenuTable = &AppSettings->Menus().Compile();
        break;
    case 3:
        // Later, not now: the handler that asked (a menu, a double-click)
        // is still running on this window.
        UnloadLater();
        break;
    default:
        break;
    }
}
