#include "pad/main_window.h"

#include <imm.h>

#include "base/attempt.h"
#include "base/desktop_toggle_file.h"
#include "base/interface_text.h"
#include "base/program_values.h"
#include "commands/command_menu.h"
#include "commands/launch.h"
#include "dialogs/settings_dialog.h"
#include "forms/display_dpi.h"
#include "forms/hot_key.h"
#include "forms/screen.h"
#include "forms/win32_callback.h"
#include "pad/pad_metrics.h"
#include "pad/pad_position.h"
#include "pad/pad_units.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"

std::unique_ptr<cMain> MainWindow;

namespace {

constexpr UINT kTipInterval = 55;
constexpr BYTE kActiveAlpha = 255;
constexpr BYTE kInactiveAlpha = 128;

FormDesign Design(const cSettings& settings)
{
    FormDesign design;
    design.caption = L"Korvane";
    // No title bar; the system menu lets the taskbar close the pad.
    design.style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
    // Layered and topmost as the window is made: restyling it afterwards is
    // more work for the window system before the first paint.
    design.exStyle = (LayeredWindowsAvailable ? WS_EX_LAYERED : 0) |
                     (settings.AlwaysOnTop ? WS_EX_TOPMOST : 0);
    design.clientWidth = kPadClientSize;
    design.clientHeight = kPadClientSize;
    design.backColor = COLOR_BACKGROUND;
    design.scaleMode = ScaleMode::Pixels;
    design.iconResource = IDI_KORVANE;
    return design;
}

bool IsTopmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void SetTopmost(HWND window, bool topmost)
{
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

cMain::cMain(cSettings& settings)
    : Form(L"cMain", Design(settings)),
      StatusWindow(*this),
      TipWindow(*this, [this](std::int32_t slot) { return CaptionOf(settings_.Keys(), slot); }),
      // Started by an activation or a move over the pad.
      tmrTip(*this, kTipInterval, false),
      Animation(DragAnimationSource{
          .activeStyle = [this] { return settings_.ActiveStyle; },
          .moving = [this] { return input_.Mode() == PadMode::Moving; },
          .padWidth = [this] { return PadWidth; },
          .dpi = [this] { return Dpi(); },
          .caption = [this](std::int32_t d) { return CaptionOf(settings_.Drags(), d); },
          .openDisplay = {},
      }),
      settings_(settings),
      input_(*this, [] { return static_cast<std::uint32_t>(GetTickCount()); })
{
    tmrTip.OnTimer = [this] { tmrTip_Timer(); };
    // A screen reader reads the pad's name, "Korvane", and then how to use it.
    SetAccessibleDescription(UiText(IDS_PAD_DESCRIPTION));
}

void cMain::tmrTip_Timer() { input_.TipTimer(); }

std::wstring cMain::CaptionOf(const ShellCommands& list, std::int32_t slot)
{
    return list.Item(slot)->DisplayCaption();
}

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
    TakeStoredPlace();

    // From here on a step that fails is skipped and the load goes on.
    ApplySettings();
    // A layered window without attributes is not drawn at all: until the
    // first activation it is half transparent, as when inactive.
    Attempt([&] { SetAlpha(Handle(), kInactiveAlpha); });
    Attempt([&] {
        Win32CallBack::HookPad(Handle(), [this](bool active) { ActivateChanged(active); });
        hooked_ = true;
    });
    Attempt([&] { Show(); });
}

void cMain::TakeStoredPlace()
{
    const float tppX = TwipsPerPixelX();
    const float tppY = TwipsPerPixelY();

    // The stored centre picks the monitor. There the pad takes that
    // monitor's resolution (the system tells it as it moves there, or else
    // it asks), and with it its size, around the same centre.
    const KeptPlace kept = KeptPadPlace();
    const PadPlace place = PlacePadCentre(PadFraction(kept.x), PadFraction(kept.y), DisplayMonitors());
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
}

void cMain::Form_AfterFirstPaint() { FinishStartUp(); }

void cMain::FinishStartUp()
{
    if (startUpFinished_)
        return;
    startUpFinished_ = true;
    if (DeferredStartUp)
        Attempt(DeferredStartUp);
    Attempt([&] { MenuTable = &settings_.Menus().Compile(); });
}

void cMain::Form_Unload(bool& /*cancel*/)
{
    // Off the screen before the save: a start meanwhile takes a hidden pad
    // for one on its way out, and waits for this process instead of calling
    // it forward.
    Hide();
    // The lists are saved below: they must have been read first.
    FinishStartUp();
    if (hooked_) {
        Win32CallBack::UnhookPad();
        hooked_ = false;
    }
    StatusWindow.Unload();
    TipWindow.Unload();

    // Each step on its own: settings that cannot be saved must not keep the
    // command file from being removed. The user learns of the first failure
    // once the rest is done.
    std::wstring failure;
    Attempt(
        [&] {
            const float tppX = TwipsPerPixelX();
            const float tppY = TwipsPerPixelY();
            const KeptPlace centre{
                PadCentreFraction(Left(), ScreenWidthTwips(), tppX, NearestInt(Width() / tppX) / 2),
                PadCentreFraction(Top(), ScreenHeightTwips(), tppY, NearestInt(Height() / tppY) / 2)};
            SaveKeptSettingsAtExit(settings_, centre, failure);
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
    input_.ActivateChanged(active);
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

std::int32_t cMain::SuspendTopmostAndHotKey()
{
    const std::int32_t held = HotKeyOf(Handle());
    dialogHoldsState_ = true;
    SetTopmost(Handle(), false);
    SetHotKey(Handle(), 0);
    return held;
}

void cMain::ResumeTopmostAndHotKey()
{
    dialogHoldsState_ = false;
    // A pad that ended while the dialog was open (the session ended) has no
    // window left to take them.
    if (IsLoaded())
        ApplySettings();
}

// The dialog has saved what the user chose: the pad runs on it from now on.
void cMain::SettingsApplied()
{
    LoadKeptSettings(settings_);
    ApplySettings();
}

// An import replaced every stored setting, the pad's place too: the pad
// goes there now, or it would store its old place over it when it ends.
void cMain::SettingsReplaced()
{
    TakeStoredPlace();
    SettingsApplied();
}

// Each part on its own: one that fails leaves the others applied.
void cMain::ApplySettings()
{
    const HWND window = Handle();
    if (!dialogHoldsState_) {
        Attempt([&] { SetHotKey(window, settings_.HotKey); });
        // Made topmost or not as it was created: only a change restyles it.
        Attempt([&] {
            if (IsTopmost(window) != settings_.AlwaysOnTop)
                SetTopmost(window, settings_.AlwaysOnTop);
        });
    }
    Attempt([&] { ApplyPadPicture(); });
}

void cMain::ApplyPadPicture()
{
    // Loaded at the client's size for the pad's resolution: an icon takes
    // its image drawn for that size, nothing is stretched.
    const int size = PadClientSize(Dpi());
    Picture picture;
    if (settings_.UseCustomIcon)
        picture = LoadPicture(settings_.CustomIcon, size, size);
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
    // Asked to end while the settings dialog is open (by /exit, an installer,
    // the end of the session): the dialog goes as Cancel would, and the pad
    // ends as usual, once the dialog's loop has returned; at the end of the
    // session at once, since the process may be ended as soon as it answers.
    if (dialogHoldsState_ && (message == WM_CLOSE || (message == WM_ENDSESSION && wParam))) {
        cDlgSettings::CancelOpenDialog();
        if (message == WM_CLOSE) {
            closeAfterDialog_ = true;
            return 0;
        }
    }
    if (!startUpFinished_ && NeedsTheCommands(message))
        FinishStartUp();
    if (HandleHotKeyMessage(Handle(), message, wParam))
        return 0;
    if (message == WM_MOUSELEAVE)
        input_.PointerLeft();
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
void cMain::Form_DblClick() { RunPadAction(static_cast<PadAction>(settings_.DblClickCommand)); }

void cMain::RunPadAction(PadAction action)
{
    switch (action) {
    case PadAction::DesktopToggle:
        settings_.Drags().Item(0)->Execute(Handle(), 0, 0);
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        break;
    case PadAction::Settings:
        TipWindow.Unload();
        StatusWindow.Unload();
        cDlgSettings::ShowSettings(*this);
        MenuTable = &settings_.Menus().Compile();
        if (closeAfterDialog_) {
            closeAfterDialog_ = false;
            UnloadLater();
        }
        break;
    case PadAction::Exit:
        // Later, not now: the handler that asked (a menu, a double-click)
        // is still running on this window.
        UnloadLater();
        break;
    case PadAction::None:
        break;
    }
}

bool cMain::SwapButtons() const { return settings_.SwapButtons; }

bool cMain::ActiveStyle() const { return settings_.ActiveStyle; }

bool cMain::TipWanted() const { return settings_.PopupStatus; }

std::int32_t cMain::ClientSize() const { return PadClientSize(Dpi()); }

Point cMain::Corner() { return CornerPixels(*this); }

ScreenMetrics cMain::Screen() const { return CurrentScreenMetrics(Handle()); }

void cMain::MoveCornerTo(Point twips, const ScreenMetrics& screen)
{
    ::MoveCornerTo(*this, twips, screen);
}

void cMain::BeginAnimation(Point corner) { Animation.BeginAnimation(corner.x, corner.y); }

void cMain::EndAnimation() { Animation.EndAnimation(); }

bool cMain::AnimationActive() const { return Animation.AnimationActive(); }

void cMain::ShiftMoveFrame(Point to) { Animation.ShiftMoveFrame(to.x, to.y); }

void cMain::SetAnimationDirection(std::int32_t direction)
{
    Animation.SetAnimationDirection(direction);
}

void cMain::ShowStatus(std::int32_t direction)
{
    StatusWindow.ShowStatus(CaptionOf(settings_.Drags(), direction));
}

void cMain::HideStatusWindow() { StatusWindow.Hide(); }

void cMain::UnloadStatus() { StatusWindow.HideStatus(); }

void cMain::PrepareLaunch() { ::PrepareLaunch(); }

void cMain::LaunchDrag(std::int32_t direction)
{
    settings_.Drags().Item(direction)->Execute(Handle(), 0, 0);
}

void cMain::LaunchKey(std::int32_t slot) { settings_.Keys().Item(slot)->Execute(Handle(), 0, 0); }

void cMain::Beep() { MessageBeep(MB_OK); }

void cMain::ShowCommandMenu(bool& menuOpen)
{
    // Without a compiled table (its step of the load failed) the built-in
    // actions are still there.
    static const CompiledMenu noEntries;
    ::ShowCommandMenu(Handle(), MenuTable ? *MenuTable : noEntries, settings_.DblClickCommand,
                      menuOpen,
                      [this](std::int32_t action) { RunPadAction(static_cast<PadAction>(action)); });
}

bool cMain::PadActive() const { return GetActiveWindow() == Handle(); }

std::optional<Point> cMain::PointerOnPad() const
{
    POINT pointer{};
    GetCursorPos(&pointer);
    if (WindowFromPoint(pointer) != Handle())
        return std::nullopt;
    return Point{pointer.x, pointer.y};
}

bool cMain::TipVisible() const { return TipWindow.Visible(); }

void cMain::ShowTip(Point pointer) { TipWindow.PopupStatus(pointer.x, pointer.y); }

void cMain::HideTip() { TipWindow.HideTip(); }

// Asleep while the pad is inactive or the pointer elsewhere: the system says
// when the pointer leaves the pad.
void cMain::StartTipTimer()
{
    if (tmrTip.Enabled())
        return;
    tmrTip.SetEnabled(true);
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&leave);
}

// Wine watches for the leave by asking where the pointer is every 400 ms for
// as long as the watch lasts, so a pointer resting on the inactive pad would
// keep waking it.
void cMain::StopTipTimer(bool endWatch)
{
    if (!tmrTip.Enabled())
        return;
    tmrTip.SetEnabled(false);
    if (endWatch) {
        TRACKMOUSEEVENT cancel{sizeof cancel, TME_LEAVE | TME_CANCEL, Handle(), 0};
        TrackMouseEvent(&cancel);
    }
}
