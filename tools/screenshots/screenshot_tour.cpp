// Takes korvane.exe through what a user sees, with a sample set of commands
// and real X input, and asks tools/screenshots.sh to capture each sight.
//
// Each capture is one line on standard output, "shot <name> <x> <y> <width>
// <height>" in screen pixels; the script answers "done" on standard input
// once the file is written. The tour ends with "end", or with "failed <what>"
// when a step did not come about.

#include <windows.h>

#include <iostream>
#include <stdexcept>
#include <string>

#include "base/interface_text.h"
#include "base/path_text.h"
#include "forms/window_name.h"
#include "objlib/persist.h"
#include "objlib/registry.h"
#include "settings/settings.h"
#include "tests/support/message_pump.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"
#include "tests/support/user_steps.h"
#include "tests/support/window_query.h"
#include "tests/support/x_input.h"

namespace {

// A command as a user of each language would name it.
struct Sample {
    const wchar_t* japanese;
    const wchar_t* english;
    const wchar_t* program;
    std::wstring Caption() const
    {
        return CurrentLanguage() == InterfaceLanguage::Japanese ? japanese : english;
    }
};

const Sample kNotepad{L"メモ帳", L"Notepad", L"C:\\windows\\notepad.exe"};
const Sample kWordPad{L"ワードパッド", L"WordPad",
                      L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"};
const Sample kExplorer{L"エクスプローラー", L"Explorer", L"C:\\windows\\explorer.exe"};
const Sample kCommandPrompt{L"コマンド プロンプト", L"Command Prompt",
                            L"C:\\windows\\system32\\cmd.exe"};
const Sample kMines{L"マインスイーパー", L"Minesweeper", L"C:\\windows\\system32\\winemine.exe"};
const Sample kRegistryEditor{L"レジストリ エディター", L"Registry Editor", L"C:\\windows\\regedit.exe"};
const Sample kControlPanel{L"コントロール パネル", L"Control Panel",
                           L"C:\\windows\\system32\\control.exe"};
const Sample kTaskManager{L"タスク マネージャー", L"Task Manager",
                          L"C:\\windows\\system32\\taskmgr.exe"};
const Sample kWindowsFolder{L"Windows フォルダ", L"Windows folder", L"C:\\windows"};

// The key that chooses a menu item or control of this text, as xdotool names it.
std::wstring AccessKey(UINT text)
{
    const std::wstring caption = UiText(text);
    const std::size_t marker = caption.find(L'&');
    return marker + 1 < caption.size() ? std::wstring(1, towlower(caption[marker + 1])) : L"";
}

void Require(bool done, const char* what)
{
    if (!done)
        throw std::runtime_error(what);
}

void Fill(ShellCommand& command, const Sample& sample)
{
    command.StoreCommandLine(QuoteIfSpaced(sample.program));
    command.Caption = sample.Caption();
}

// Commands a user might keep: seven of the eight directions (down stays
// free), some keys, and a menu with a folder.
void StoreSampleSettings(bool dragAnimation)
{
    cSettings settings;
    RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Persistence().PersistOf(settings).Load(product);
    settings.ActiveStyle = dragAnimation;
    const std::pair<int, const Sample*> drags[] = {
        {1, &kExplorer},       {2, &kWordPad}, {3, &kNotepad},        {4, &kCommandPrompt},
        {6, &kMines},          {7, &kRegistryEditor}, {8, &kControlPanel},
    };
    for (const auto& [direction, sample] : drags)
        Fill(*settings.Drags().Item(direction), *sample);
    const std::pair<wchar_t, const Sample*> keys[] = {
        {L'A', &kNotepad}, {L'C', &kCommandPrompt}, {L'E', &kExplorer},     {L'M', &kMines},
        {L'R', &kRegistryEditor}, {L'W', &kWordPad}, {L'1', &kTaskManager}, {L'2', &kControlPanel},
    };
    for (const auto& [key, sample] : keys)
        Fill(*settings.Keys().Item(key >= L'A' ? key - L'A' : 26 + key - L'0'), *sample);
    settings.Menus().Clear();
    for (const Sample* sample : {&kNotepad, &kWordPad, &kCommandPrompt, &kWindowsFolder})
        Fill(*settings.Menus().Add(-1), *sample);
    Persistence().PersistOf(settings).Save(product);
}

RECT RectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Both windows with a margin round them, kept on the screen.
RECT Around(RECT a, RECT b, int margin)
{
    RECT both{};
    UnionRect(&both, &a, &b);
    InflateRect(&both, margin, margin);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&both, &both, &screen);
    return both;
}

// Every window of the sight paints now; what Wine has drawn then reaches
// the X server a moment later.
void Settle(std::initializer_list<HWND> windows)
{
    for (HWND window : windows)
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(500);
}

void Shoot(const char* name, const RECT& rect)
{
    std::cout << "shot " << name << ' ' << rect.left << ' ' << rect.top << ' '
              << rect.right - rect.left << ' ' << rect.bottom - rect.top << std::endl;
    std::string answer;
    Require(std::getline(std::cin, answer) && answer == "done", "the capture");
}

void MovePointerAway() { Require(StartXdotool(L"mousemove 1000 740"), "xdotool"); }

HWND OpenCommandMenu(const RunningProgram& program, HWND pad)
{
    Require(RightClickOnPad(pad), "xdotool");
    const HWND menu = WaitForPopupMenu(program.Id());
    Require(menu, "the command menu");
    return menu;
}

void ExitThroughMenu(RunningProgram& program, HWND pad)
{
    OpenCommandMenu(program, pad);
    Require(PressKeys(AccessKey(IDS_ACTION_EXIT)), "xdotool");
    Require(program.WaitForExit(kStepTimeoutMs) == 0, "the exit");
}

HWND ShowPage(HWND dialog, int page, const wchar_t* content)
{
    Require(ClickOn(ChildNamed(dialog, L"picTab(" + std::to_wstring(page) + L")")), "xdotool");
    // A page's controls are made when it is first shown.
    HWND shown = nullptr;
    Require(Eventually([&] {
                shown = ChildNamed(dialog, content);
                return IsWindowVisible(shown) != FALSE;
            }),
            "a settings page");
    MovePointerAway();
    return shown;
}

// The settings dialog from the command menu, on its first page.
HWND ShootSettings(RunningProgram& program, HWND pad, const std::string& name)
{
    OpenCommandMenu(program, pad);
    Require(PressKeys(AccessKey(IDS_ACTION_SETTINGS)), "xdotool");
    const HWND dialog = WaitForNamedWindow(L"cDlgSettings");
    Require(dialog, "the settings dialog");
    MovePointerAway();
    Settle({dialog});
    Shoot(name.c_str(), RectOf(dialog));
    return dialog;
}

// The pointer resting on the active pad brings the key list.
void ShootKeyList(HWND pad, const std::string& name, int margin)
{
    Require(StartXdotool(L"mousemove " + CentreOf(pad) + L" click 1 mousemove_relative 1 0"), "xdotool");
    const HWND tip = WaitForNamedWindow(L"cPopupTip");
    Require(tip, "the key-list tip");
    Settle({pad, tip});
    Shoot(name.c_str(), Around(RectOf(pad), RectOf(tip), margin));
    MovePointerAway();
    Require(WaitUntilNoNamedWindow(L"cPopupTip"), "the tip to go");
}

void SettingsAndChooser(RunningProgram& program, HWND pad)
{
    const HWND dialog = ShootSettings(program, pad, "settings_drag");

    ShowPage(dialog, 1, L"lstAccessKey");
    Settle({dialog});
    Shoot("settings_keys", RectOf(dialog));
    ShowPage(dialog, 2, L"lstMenuItem");
    Settle({dialog});
    Shoot("settings_menu", RectOf(dialog));
    ShowPage(dialog, 3, L"chkAlwaysOnTop");
    Settle({dialog});
    Shoot("settings_general", RectOf(dialog));

    // The extension chooser, from the program box's browse menu.
    ShowPage(dialog, 0, L"picDrag");
    Require(ClickOn(ChildNamed(dialog, L"cmdReference(0)")), "xdotool");
    Require(WaitForPopupMenu(program.Id()), "the browse menu");
    Require(PressKeys(AccessKey(IDS_BROWSE_ASSOCIATION)), "xdotool");
    const HWND chooser = WaitForNamedWindow(L"cDlgExtension");
    Require(chooser, "the extension chooser");
    // A fresh Wine prefix registers no .txt, but .rtf with two verbs.
    const HWND extension = GetWindow(ChildNamed(chooser, L"cboExtension"), GW_CHILD);
    Require(TypeInto(extension, L"rtf"), "the extension typed");
    const HWND verbs = ChildNamed(chooser, L"lstCommands");
    Require(Eventually([&] { return SendMessageW(verbs, LB_GETCOUNT, 0, 0) > 0; }),
            "the verbs of .rtf");
    MovePointerAway();
    Settle({chooser});
    Shoot("extension_chooser", RectOf(chooser));
    Require(PressKeys(L"Escape"), "xdotool");
    Require(WaitUntilNoNamedWindow(L"cDlgExtension"), "the chooser to close");
    Require(ClickOn(ChildNamed(dialog, L"cmdCancel")), "xdotool");
    Require(WaitUntilNoNamedWindow(L"cDlgSettings"), "the settings dialog to close");
}

// The pad, a gesture's status window, the command menu, the key-list tip,
// the settings pages and the extension chooser.
void PlainTour()
{
    StoreSampleSettings(false);
    RunningProgram program(BuildFolder() + L"korvane.exe");
    const HWND pad = program.WaitForPad(kStepTimeoutMs);
    Require(pad, "the pad");
    MovePointerAway();
    Settle({pad});
    Shoot("pad", Around(RectOf(pad), RectOf(pad), 33));

    Require(RightPressAndMoveFromPad(pad, 80, 0), "xdotool");
    Require(WaitForStatus(kNotepad.Caption()), "the status window");
    const HWND status = FindNamedWindow(L"cPopupStatus");
    Settle({pad, status});
    Shoot("status_window", Around(RectOf(pad), RectOf(status), 24));

    // Back over the pad, the release opens the command menu instead.
    Require(StartXdotool(L"mousemove " + CentreOf(pad) + L" mouseup 3"), "xdotool");
    const HWND menu = WaitForPopupMenu(program.Id());
    Require(menu, "the command menu");
    Settle({pad, menu});
    Shoot("command_menu", Around(RectOf(pad), RectOf(menu), 24));
    Require(PressKeys(L"Escape"), "xdotool");
    Require(WaitUntilNoPopupMenu(program.Id()), "the command menu to close");

    ShootKeyList(pad, "key_list_tip", 24);

    SettingsAndChooser(program, pad);
    ExitThroughMenu(program, pad);
}

// A gesture to the right with the drag animation, over a Notepad that was
// there before the pad. (A window that opens later would cover the pad here:
// on an X server without a window manager Wine maps new windows over all
// others, where Windows keeps the topmost pad in front.)
void AnimationTour()
{
    StoreSampleSettings(true);
    RunningProgram notepadProgram(kNotepad.program);
    HWND notepad = nullptr;
    Require(Eventually([&] {
                notepad = FindWindowW(L"Notepad", nullptr);
                return notepad && IsWindowVisible(notepad);
            }),
            "Notepad");
    RunningProgram program(BuildFolder() + L"korvane.exe");
    const HWND pad = program.WaitForPad(kStepTimeoutMs);
    Require(pad, "the pad");
    // Notepad paints what the pad's arrival left to paint before the drawing
    // starts: painted later, it would cover the inverted sector and the name.
    Settle({notepad, pad});

    Require(RightPressAndMoveFromPad(pad, 300, -120), "xdotool");
    PumpFor(500);
    Shoot("drag-animation", RECT{0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN)});
    // Back over the pad the release opens the command menu, launching nothing.
    Require(StartXdotool(L"mousemove " + CentreOf(pad) + L" mouseup 3"), "xdotool");
    Require(WaitForPopupMenu(program.Id()), "the command menu");
    Require(PressKeys(L"Escape"), "xdotool");
    Require(WaitUntilNoPopupMenu(program.Id()), "the command menu to close");
    ExitThroughMenu(program, pad);
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    Require(notepadProgram.WaitForExit(kStepTimeoutMs) == 0, "Notepad to close");
}

// The pad with its key list and the settings dialog at a display scaling
// other than 100 %: korvane.exe finds the prefix's resolution when it starts.
void ScaledTour(DWORD dpi, const std::string& percent)
{
    const ScopedScreenResolution resolution(dpi);
    StoreSampleSettings(false);
    RunningProgram program(BuildFolder() + L"korvane.exe");
    const HWND pad = program.WaitForPad(kStepTimeoutMs);
    Require(pad, "the pad");
    ShootKeyList(pad, "key_list_tip_" + percent, MulDiv(24, static_cast<int>(dpi), 96));
    const HWND dialog = ShootSettings(program, pad, "settings_drag_" + percent);
    Require(ClickOn(ChildNamed(dialog, L"cmdCancel")), "xdotool");
    Require(WaitUntilNoNamedWindow(L"cDlgSettings"), "the settings dialog to close");
    ExitThroughMenu(program, pad);
}

}  // namespace

// "scaled": the tour at 150 and 200 %, for a screen large enough for them;
// otherwise the tours at 100 %, for a screen of 1024 x 768.
int wmain(int argc, wchar_t** argv)
{
    RegistrySandbox sandbox;
    try {
        if (argc > 1 && std::wstring(argv[1]) == L"scaled") {
            ScaledTour(144, "150");
            ScaledTour(192, "200");
        } else {
            PlainTour();
            AnimationTour();
        }
    } catch (const std::exception& failure) {
        std::cout << "failed " << failure.what() << std::endl;
        return 1;
    }
    std::cout << "end" << std::endl;
    return 0;
}
