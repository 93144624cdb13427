#pragma once
// cMain, the launcher pad: the program's one permanent window, a 32 × 32
// picture in a one-pixel border that stays where the user left it.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "commands/compiled_menu.h"
#include "dialogs/settings_host.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "pad/drag_animation.h"
#include "pad/pad_actions.h"
#include "pad/pad_input.h"
#include "pad/popup_status.h"
#include "pad/popup_tip.h"
#include "settings/settings.h"

class cMain : public Form, public SettingsHost, private PadActions {
public:
    // The pad runs on these settings for its whole life.
    explicit cMain(cSettings& settings);
    ~cMain() override;

    // The settings dialog's host.
    HWND HostWindow() override;
    std::int32_t SuspendTopmostAndHotKey() override;
    void ResumeTopmostAndHotKey() override;
    void SettingsApplied() override;
    void SettingsReplaced() override;

    // Outer width of the window in pixels (34 at 96 DPI, 50 at 144).
    std::int32_t PadWidth = 0;
    // The menu entries as the command menu shows them (owned by the Menus list).
    const CompiledMenu* MenuTable = nullptr;
    // The input method's open state when the pad was activated.
    bool SavedImeOpen = false;

    // The pointer and key input: moves, gestures, the command menu, the tip's rest.
    PadInput& Input() { return input_; }
    // Start-up work the pad does not need to show itself (reading the
    // command lists); it runs once the pad has been painted.
    std::function<void()> DeferredStartUp;

    cPopupStatus StatusWindow;
    cPopupTip TipWindow;
    // Every 55 ms while the pad is active and the pointer is on it; drives
    // the key-list tip.
    Timer tmrTip;
    // With the "ActiveStyle" option on, what a gesture or move would do is
    // drawn on the display; with it off the status window shows it.
    DragAnimation Animation;

    void RunPadAction(PadAction action);
    // Shows the key-list tip once the pointer has rested on the active pad
    // for more than a second, and hides it when the pointer moves or leaves.
    void tmrTip_Timer();

protected:
    void Form_Load() override;
    void Form_AfterFirstPaint() override;
    void Form_Unload(bool& cancel) override;
    std::optional<LRESULT> Form_Message(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Form_MouseUp(int button, int shift, float x, float y) override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_DblClick() override;
    void Form_DpiChanged(const RECT& suggested) override;

private:
    // The place the stored settings give the pad, at that monitor's
    // resolution and size.
    void TakeStoredPlace();
    // What the settings say the pad's window is: its hot key and topmost
    // state (unless the settings dialog holds them) and its picture. The
    // load and the dialog's OK and Apply come here.
    void ApplySettings();
    // Opaque and input method closed while active; half transparent and the
    // input method as the user had it otherwise.
    void ActivateChanged(bool active);
    // The custom image when it is chosen and loads, the pad's own icon
    // otherwise, at the pad's size for its resolution.
    void ApplyPadPicture();
    // DeferredStartUp, then the menu table; once per load. Runs from a
    // message the first paint posts, or earlier at the first input, timer
    // tick or unload, which all need the command lists.
    void FinishStartUp();
    // The window's size for a client area of the pad's size at its resolution.
    SIZE PadOuterSize() const;
    // A slot's caption as the pad shows it, from whichever list.
    static std::wstring CaptionOf(const ShellCommands& list, std::int32_t slot);

    // What the input asks of the pad.
    bool SwapButtons() const override;
    bool ActiveStyle() const override;
    bool TipWanted() const override;
    std::int32_t ClientSize() const override;
    Point Corner() override;
    ScreenMetrics Screen() const override;
    void MoveCornerTo(Point twips, const ScreenMetrics& screen) override;
    void BeginAnimation(Point corner) override;
    void EndAnimation() override;
    bool AnimationActive() const override;
    void ShiftMoveFrame(Point to) override;
    void SetAnimationDirection(std::int32_t direction) override;
    void ShowStatus(std::int32_t direction) override;
    void HideStatusWindow() override;
    void UnloadStatus() override;
    void PrepareLaunch() override;
    void LaunchDrag(std::int32_t direction) override;
    void LaunchKey(std::int32_t slot) override;
    void Beep() override;
    void ShowCommandMenu(bool& menuOpen) override;
    bool PadActive() const override;
    std::optional<Point> PointerOnPad() const override;
    bool TipVisible() const override;
    void ShowTip(Point pointer) override;
    void HideTip() override;
    void StartTipTimer() override;
    void StopTipTimer(bool endWatch) override;

    cSettings& settings_;
    PadInput input_;
    bool hooked_ = false;
    bool active_ = false;
    bool startUpFinished_ = false;
    bool sessionEnding_ = false;
    // While the settings dialog is open the pad is not topmost and has no hot key.
    bool dialogHoldsState_ = false;
    // Asked to close while the settings dialog was open: it ends once the
    // dialog has gone.
    bool closeAfterDialog_ = false;
};

// The one launcher pad of the process, made by start-up.
extern std::unique_ptr<cMain> MainWindow;
