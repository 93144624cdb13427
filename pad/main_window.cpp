#include "pad/main_window.h"

#include <imm.h>

#include "base/attempt.h"
#include "base/desktop_toggle_file.h"
#include "base/program_values.h"
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

// No title bar; the system menu lets the taskbar close the pad.
constexpr DWORD kPadStyle = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kPadExStyle = 0;

FormDesign Design()
{
    FormDesign design;
    design.caption = L"Korvane";
    design.style = kPadStyle;
    design.exStyle = kPadExStyle;
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

}  // namespace

cMain::cMain()
    : Form(L"cMain", Design()),
      TickCount([] { return static_cast<std::uint32_t>(GetTickCount()); }),
      StatusWindow(*this),
      TipWindow(*this),
      tmrTip(*this, kTipInterval),
      Animation(DragAnimationSource{
          .activeStyle = [this] { return ActiveStyleOn(); },
          .moving = [this] { return Mode == kModeMoving; },
          .padWidth = [this] { return PadWidth; },
          .dpi = [this] { return Dpi(); },
          .caption = [](std::int32_t d) {
              return AppSettings ? AppSettings->Drags().Item(d)->DisplayCaption() : std::wstring();
          },
          .openDisplay = {},
      })
{
    tmrTip.OnTimer = [this] { tmrTip_Timer(); };
}

cMain::~cMain()
{
    if (hooked_)
        Win32CallBack::UnhookPad();
}

void cMain::Form_Load()
{
    WaitPointer wait;
    const float tppX = TwipsPerPixelX();
    const float tppY = TwipsPerPixelY();

    // The stored centre picks the monitor, and the monitor the pad's size.
    const RegistryKey position = PositionKey();
    const std::vector<MonitorArea> monitors = DisplayMonitors();
    const PadPlace place = PlacePadCentre(PadFraction(position.ReadValue(L"x", 0.5f)),
                                          PadFraction(position.ReadValue(L"y", 0.5f)), monitors);
    AdoptDpi(monitors[place.monitor].dpi);
    const SIZE outer = PadOuterSize();
    PadWidth = outer.cx;
    Move(PadEdgeTwips(place.x, ScreenWidthTwips(), tppX, outer.cx / 2),
         PadEdgeTwips(place.y, ScreenHeightTwips(), tppY, outer.cy / 2),
         static_cast<float>(outer.cx) * tppX, static_cast<float>(outer.cy) * tppY);

    StatusWindow.Load();
    TipWindow.Load();
    ApplyPadPicture();

    // From here on a step that fails is skipped and the load goes on.
    Attempt([&] {
        if (AppSettings)
            MenuTable = &AppSettings->Menus().Compile();
    });
    Attempt([&] {
        if (AppSettings)
            SetHotKey(Handle(), AppSettings->HotKey);
    });
    Attempt([&] {
        if (!LayeredWindowsAvailable)
            return;
        const HWND window = Handle();
        SetWindowLongPtrW(window, GWL_EXSTYLE,
                          GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        // A layered window without attributes is not drawn at all: until the
        // first activation it is half transparent, as when inactive.
        SetAlpha(window, kInactiveAlpha);
    });
    Attempt([&] {
        Win32CallBack::HookPad(Handle(), [this](bool active) { ActivateChanged(active); });
        hooked_ = true;
    });
    Attempt([&] { Show(); });
    Attempt([&] {
        if (AppSettings && AppSettings->AlwaysOnTop)
            SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    });
}

void cMain::Form_Unload(bool& /*cancel*/)
{
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
    if (!failure.empty())
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
        picture = LoadIconPicture(IDI_KORVANE, size, size);
    SetPicture(std::move(picture));
}

SIZE cMain::PadOuterSize() const
{
    const int client = PadClientSize(Dpi());
    return OuterSizeFor(client, client, kPadStyle, kPadExStyle, Dpi());
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
    if (HandleHotKeyMessage(Handle(), message, wParam))
        return 0;
    return {};
}
