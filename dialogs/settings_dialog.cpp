#include "dialogs/settings_dialog.h"

#include <oleacc.h>

#include <array>

#include "base/interface_text.h"
#include "base/scope_exit.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "dialogs/drag_figure.h"
#include "forms/high_contrast.h"
#include "forms/screen.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

using Kind = ControlKind;

constexpr std::array<UINT, cDlgSettings::kPageCount> kTabCaptions = {
    IDS_TAB_DRAG, IDS_TAB_KEYS, IDS_TAB_MENU, IDS_TAB_GENERAL};
constexpr std::array<int, cDlgSettings::kPageCount> kTabIcons = {IDI_TAB_DRAG, IDI_TAB_KEYS,
                                                                 IDI_TAB_MENU, IDI_TAB_GENERAL};
constexpr int kTabIconSize = 16;  // designed pixels

// Tabs and pages as designed; the selected tab is 4 pixels wider and 3
// higher, moved 2 up and 2 to the left, over its neighbours and the page.
constexpr int kTabLeft = 10;
constexpr int kTabTop = 10;
constexpr int kTabWidth = 120;
constexpr int kTabHeight = 25;
constexpr RECT kPage{9, 36, 9 + 481, 36 + 368};

FormDesign Design()
{
    FormDesign design = DialogDesign(UiText(IDS_SETTINGS_CAPTION), 504, 444);
    design.style |= WS_CLIPCHILDREN;
    design.keyPreview = true;
    return design;
}

ControlDesign TabDesign(int index)
{
    const int left = kTabLeft + kTabWidth * index;
    if (index == 0)
        return ControlDesign(Kind::PictureBox, left - 2, kTabTop - 2, kTabWidth + 4, kTabHeight + 3);
    return ControlDesign(Kind::PictureBox, left, kTabTop, kTabWidth, kTabHeight).NoTabStop();
}

FileDialog BrowseDialog(HWND owner, std::wstring title)
{
    FileDialog dialog;
    dialog.Title = std::move(title);
    dialog.FilterIndex = 1;
    dialog.MaxFileSize = MAX_PATH;
    dialog.OwnerWindow = owner;
    return dialog;
}

// A line through the points, in one system colour.
void DrawLine(HDC dc, int colour, std::initializer_list<POINT> points)
{
    UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(colour)));
    const ScopedSelection penSelected(dc, pen.get());
    const POINT* first = points.begin();
    MoveToEx(dc, first->x, first->y, nullptr);
    for (const POINT* at = first + 1; at != points.end(); ++at)
        LineTo(dc, at->x, at->y);
}

// The dialog ShowSettings has open; one at a time.
cDlgSettings* openDialog = nullptr;

}  // namespace

cDlgSettings::cDlgSettings(SettingsHost& host)
    : Form(L"cDlgSettings", Design()), Host(host), OwnerWnd(host.HostWindow()),
      picTab(*this, L"picTab", 0, 3, TabDesign),
      imgTab(*this, L"imgTab", 0, 3,
             [](int) { return ControlDesign(Kind::Image, 8, 5, 16, 16); },
             [this](int i) { return &picTab(i); }),
      lblTab(*this, L"lblTab", 0, 3,
             [](int i) {
                 ControlDesign label(Kind::Label, 30, 7, 84, 14, UiText(kTabCaptions[i]));
                 return i == 0 ? label.Bolded() : label;
             },
             [this](int i) { return &picTab(i); }),
      // A page's windows are made when it is first shown.
      fraTab(*this, L"fraTab", 0, 3,
             [](int i) {
                 ControlDesign page(Kind::Frame, kPage.left, kPage.top, kPage.right - kPage.left,
                                    kPage.bottom - kPage.top);
                 page.Borderless().ContentsLater();
                 return i == 0 ? page : page.Hidden();
             }),
      dragPage_(*this, fraTab(0), {fields_, buttons_}, WorkSettings.Drags()),
      keyPage_(*this, fraTab(1), {fields_, buttons_}, WorkSettings.Keys()),
      menuPage_(*this, fraTab(2), {fields_, buttons_}, WorkSettings.Menus()),
      generalPage_(*this, fraTab(3), WorkSettings, {fields_, buttons_}), fields_(*this),
      buttons_(*this),
      cmdOk(*this, L"cmdOk",
            ControlDesign(Kind::CommandButton, 240, 416, 81, 21, UiText(IDS_OK),
                          UiText(IDS_OK_TIP))
                .Default()),
      cmdCancel(*this, L"cmdCancel",
                ControlDesign(Kind::CommandButton, 328, 416, 81, 21, UiText(IDS_CANCEL),
                              UiText(IDS_CANCEL_TIP))
                    .Cancel()),
      // Nothing to apply until something is edited.
      cmdApply(*this, L"cmdApply",
               ControlDesign(Kind::CommandButton, 416, 416, 81, 21, UiText(IDS_APPLY), UiText(IDS_APPLY_TIP))
                   .Disabled()),
      pages_{&dragPage_, &keyPage_, &menuPage_, &generalPage_},
      tabAccounts_{{{*this, 0}, {*this, 1}, {*this, 2}, {*this, 3}}}
{
    // The selected tab comes round after the bottom buttons, just before the
    // page, which has the focus when the dialog opens.
    SetTabOrder({&cmdApply, &picTab(0), &picTab(1), &picTab(2), &picTab(3)});
    for (int i = 0; i < kPageCount; ++i) {
        picTab(i).SetAccessibleView(&tabAccounts_.at(static_cast<size_t>(i)));
        picTab(i).OnPaint = [this, i](HDC dc) { picTab_Paint(i, dc); };
        picTab(i).OnMouseDown = [this, i](int, int, int, int) { picTab_MouseDown(i); };
        lblTab(i).OnMouseDown = [this, i](int, int, int, int) { picTab_MouseDown(i); };
        picTab(i).OnKeyDown = [this](int keyCode, int) { picTab_KeyDown(keyCode); };
        picTab(i).OnGotFocus = [this, i] { picTab(i).Refresh(); };
        picTab(i).OnLostFocus = [this, i] { picTab(i).Refresh(); };
    }
    cmdOk.OnClick = [this] { cmdOk_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
    cmdApply.OnClick = [this] { cmdApply_Click(); };
}

void cDlgSettings::ShowSettings(SettingsHost& host)
{
    cDlgSettings dialog(host);
    openDialog = &dialog;
    const ScopeExit closed([] { openDialog = nullptr; });
    // The dialog starts from what is stored, not from the live settings: it
    // opens on the drag page, and reads the other lists after its first paint.
    LoadKept(dialog.WorkSettings, true, {&dialog.WorkSettings.Drags()});
    {
        // Before the dialog's window is made, which would otherwise be topmost too.
        dialog.padHotKey_ = host.SuspendTopmostAndHotKey();
        // Cancel brings back what the pad had, OK and Apply what they saved;
        // on every way out of the dialog.
        const ScopeExit resume([&host] {
            try {
                host.ResumeTopmostAndHotKey();
            } catch (...) {
                // The host tells its own failures; none may leave a guard.
            }
        });
        dialog.Load();
        // Centred on the screen the pad is on.
        dialog.MoveCentredOver(WorkAreaNear(dialog.OwnerWnd));

        dialog.ShowModal();
    }
    dialog.Unload();
}

void cDlgSettings::CancelOpenDialog()
{
    if (openDialog)
        openDialog->cmdCancel_Click();
}

void cDlgSettings::Form_Load()
{
    ShowTabIcons();
    // The detail fields and the item buttons lie over the pages.
    fields_.Load();
    buttons_.Load();
    CurrentPage = 0;
    generalPage_.KeepPadHotKey(padHotKey_);
    // Only the page on show is made now.
    dragPage_.Create();
    dragPage_.Open();
}

void cDlgSettings::Form_AfterFirstPaint() { ReadOtherLists(); }

// Marked read only once read: a save must never write a list that was not.
void cDlgSettings::ReadOtherLists()
{
    if (otherListsRead_)
        return;
    LoadKept(WorkSettings, false, {&WorkSettings.Keys(), &WorkSettings.Menus()});
    otherListsRead_ = true;
}

void cDlgSettings::Form_Unload(bool& /*cancel*/)
{
    for (SettingsPage* page : pages_)
        page->Unload();
    fields_.Unload();
}

void cDlgSettings::EnableApply() { cmdApply.SetEnabled(true); }

// Each icon holds an image for the usual scalings; the one of the tab's size
// is taken. Its own colours may vanish on a high-contrast theme's background
// (navy on black): there it is drawn in the theme's text on its background.
void cDlgSettings::ShowTabIcons()
{
    const int size = Scaled(kTabIconSize);
    const bool contrast = HighContrastOn();
    for (int i = 0; i < kPageCount; ++i)
        imgTab(i).SetPicture(contrast ? LoadIconPictureInColours(kTabIcons[i], size, size,
                                                                 GetSysColor(COLOR_BTNTEXT),
                                                                 GetSysColor(COLOR_BTNFACE))
                                      : LoadIconPicture(kTabIcons[i], size, size));
}

// The controls are laid out anew; what the dialog sized or drew itself for
// the old resolution follows them.
void cDlgSettings::Form_DpiChanged(const RECT& suggested)
{
    ShowTabIcons();
    dragPage_.ResolutionChanged();
    Form::Form_DpiChanged(suggested);
}

void cDlgSettings::SelectPage(int index)
{
    if (!ValidateActiveControl())
        return;
    if (index == CurrentPage)
        return;

    Control& newTab = picTab(index);
    RECT at = newTab.Bounds();
    newTab.Move(at.left - 2, at.top - 2, at.right - at.left + 4, at.bottom - at.top + 3);
    newTab.SetTabStop(true);
    newTab.Refresh();
    newTab.BringToFront();
    newTab.SetFocus();
    lblTab(index).SetBold(true);
    ReadOtherLists();
    SettingsPage& page = *pages_.at(static_cast<size_t>(index));
    page.Create();
    fraTab(index).SetVisible(true);

    Control& oldTab = picTab(CurrentPage);
    at = oldTab.Bounds();
    oldTab.Move(at.left + 2, at.top + 2, at.right - at.left - 4, at.bottom - at.top - 3);
    oldTab.SetTabStop(false);
    oldTab.Refresh();
    lblTab(CurrentPage).SetBold(false);
    fraTab(CurrentPage).SetVisible(false);

    CurrentPage = static_cast<std::uint8_t>(index);
    page.Shown();
    // The new tab took the focus above, which the system announces; its
    // selection is the dialog's to tell.
    newTab.NotifyAccessible(EVENT_OBJECT_SELECTION);
}

AccessiblePart cDlgSettings::TabAccount::Whole() const
{
    AccessiblePart tab;
    tab.name = WithoutAccessKeys(dialog_.lblTab(index_).Text());
    tab.role = ROLE_SYSTEM_PAGETAB;
    tab.state = STATE_SYSTEM_SELECTABLE;
    if (index_ == dialog_.CurrentPage)
        tab.state |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSABLE;
    return tab;
}

// A click on the selected tab, or on its caption, gives it the focus too, so
// that the arrow keys then switch pages.
void cDlgSettings::picTab_MouseDown(int index)
{
    if (index != CurrentPage)
        SelectPage(index);
    else if (ValidateActiveControl())
        picTab(index).SetFocus();
}

void cDlgSettings::picTab_KeyDown(int keyCode)
{
    if (keyCode == VK_LEFT)
        SelectPage((CurrentPage + kPageCount - 1) % kPageCount);
    else if (keyCode == VK_RIGHT)
        SelectPage((CurrentPage + 1) % kPageCount);
}

bool cDlgSettings::Form_KeyPreview(int keyCode, int shift)
{
    if (keyCode != VK_TAB || !(shift & kCtrlMask))
        return false;
    const int step = (shift & kShiftMask) ? kPageCount - 1 : 1;
    SelectPage((CurrentPage + step) % kPageCount);
    return true;
}

// The tab's top-left corner is cut off; it has no bottom line, so the
// selected tab merges with the page below it.
void cDlgSettings::picTab_Paint(int index, HDC dc)
{
    RECT client{};
    GetClientRect(picTab(index).hWnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    DrawLine(dc, COLOR_3DHILIGHT, {{0, h - 1}, {0, 2}, {2, 0}, {w - 2, 0}});
    DrawLine(dc, COLOR_BTNSHADOW, {{w - 2, 1}, {w - 2, h}});
    DrawLine(dc, COLOR_3DDKSHADOW, {{w - 1, 2}, {w - 1, h}});
    if (!picTab(index).HasFocus())
        return;
    // The dotted focus mark, one pixel in two, 3 pixels inside the edges.
    InflateRect(&client, -3, -3);
    const LONG l = client.left;
    const LONG t = client.top;
    const LONG r = client.right;
    const LONG b = client.bottom;
    const COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    for (LONG x = l + 1; x <= r - 1; x += 2)
        SetPixelV(dc, x, t, colour);
    for (LONG x = ((b - t) % 2 != 0) ? l : l + 1; x <= r - 1; x += 2)
        SetPixelV(dc, x, b - 1, colour);
    for (LONG y = t + 1; y <= b - 1; y += 2)
        SetPixelV(dc, l, y, colour);
    for (LONG y = ((r - l) % 2 != 0) ? t : t + 1; y <= b - 1; y += 2)
        SetPixelV(dc, r - 1, y, colour);
}

// All pages share one raised edge, 2 pixels outside the page.
void cDlgSettings::Form_Paint(HDC dc)
{
    RECT edge = fraTab(0).Bounds();
    InflateRect(&edge, 2, 2);
    edge = Scaled(edge);
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
}

std::optional<LRESULT> cDlgSettings::Form_Message(UINT message, WPARAM, LPARAM)
{
    // The close box is Cancel.
    if (message == WM_CLOSE) {
        cmdCancel_Click();
        return 0;
    }
    // New system colours, a high-contrast theme switched on or off with
    // them: the pictures drawn in colours of their own follow.
    if (message == WM_SYSCOLORCHANGE) {
        ShowTabIcons();
        dragPage_.ResolutionChanged();
    }
    return {};
}

void cDlgSettings::cmdOk_Click()
{
    if (!ValidateActiveControl() || !ApplySettings())
        return;
    Hide();
}

void cDlgSettings::cmdApply_Click()
{
    if (!ValidateActiveControl() || !ApplySettings())
        return;
    cmdApply.SetEnabled(false);
}

void cDlgSettings::cmdCancel_Click() { Hide(); }

void cDlgSettings::PopupMenuBeside(Control& button, PopupMenu& menu)
{
    RECT bounds{};
    GetWindowRect(button.hWnd(), &bounds);
    POINT topLeft{bounds.left, bounds.top};
    POINT bottomRight{bounds.right, bounds.bottom};
    ScreenToClient(hWnd(), &topLeft);
    ScreenToClient(hWnd(), &bottomRight);
    menu.Popup(*this, bottomRight.x, topLeft.y);
}

FileDialog cDlgSettings::BrowseFileDialog() { return BrowseDialog(hWnd(), UiText(IDS_BROWSE_FILE_TITLE)); }

FileDialog cDlgSettings::BrowseFolderDialog() { return BrowseDialog(hWnd(), UiText(IDS_BROWSE_FOLDER_TITLE)); }

void cDlgSettings::StorePages()
{
    // OK, Apply and the export write the working copy whole.
    ReadOtherLists();
    for (SettingsPage* page : pages_)
        page->Store();
}

bool cDlgSettings::ApplySettings()
{
    StorePages();
    if (!SaveKeptSettings(WorkSettings, [this](const std::wstring& problem) {
            return MayReplaceUnreadable(problem);
        }))
        return false;
    for (SettingsPage* page : pages_)
        page->Apply();
    Host.SettingsApplied();
    return true;
}

bool cDlgSettings::MayReplaceUnreadable(const std::wstring& problem)
{
    return MsgBox(problem + L"\r\n\r\n" + UiText(IDS_REPLACE_UNREADABLE_FILE),
                  MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, hWnd()) == IDYES;
}

// The working copy is read again from what the import stored; its hot key
// is the one the pad takes when the dialog closes.
void cDlgSettings::SettingsReplaced()
{
    LoadKeptSettings(WorkSettings);
    otherListsRead_ = true;
    generalPage_.KeepPadHotKey(WorkSettings.HotKey);
    for (SettingsPage* page : pages_)
        page->Reload();
    cmdApply.SetEnabled(false);
    Host.SettingsReplaced();
}
