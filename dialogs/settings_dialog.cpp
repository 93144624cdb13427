#include "dialogs/settings_dialog.h"

#include <array>

#include "base/win_handles.h"
#include "dialogs/drag_figure.h"
#include "forms/hot_key.h"
#include "forms/screen.h"
#include "forms/win32_callback.h"
#include "objlib/persist.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

namespace {

using Kind = ControlKind;

constexpr std::array<const wchar_t*, cDlgSettings::kPageCount> kTabCaptions = {
    L"ドラッグ", L"キー", L"メニュー", L"その他"};
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
    FormDesign design = DialogDesign(L"Korvane 設定", 504, 444);
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

ControlDesign Button(int left, int top, const wchar_t* caption, const wchar_t* toolTip)
{
    return ControlDesign(Kind::CommandButton, left, top, 81, 19, caption, toolTip).Disabled();
}

ControlDesign FieldLabel(int left, int top, int width, const wchar_t* caption, const wchar_t* toolTip)
{
    return ControlDesign(Kind::Label, left, top, width, 12, caption, toolTip);
}

void SetTopmost(HWND window, bool topmost)
{
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

}  // namespace

cDlgSettings::cDlgSettings(SettingsHost& host)
    : Form(L"cDlgSettings", Design()), Host(host), OwnerWnd(host.HostWindow()),
      picTab(*this, L"picTab", 0, 3, TabDesign),
      imgTab(*this, L"imgTab", 0, 3,
             [](int) { return ControlDesign(Kind::Image, 8, 5, 16, 16); },
             [this](int i) { return &picTab(i); }),
      lblTab(*this, L"lblTab", 0, 3,
             [](int i) {
                 ControlDesign label(Kind::Label, 30, 7, 84, 14, kTabCaptions[i]);
                 return i == 0 ? label.Bolded() : label;
             },
             [this](int i) { return &picTab(i); }),
      fraTab(*this, L"fraTab", 0, 3,
             [](int i) {
                 ControlDesign page(Kind::Frame, kPage.left, kPage.top, kPage.right - kPage.left,
                                    kPage.bottom - kPage.top);
                 page.Borderless();
                 return i == 0 ? page : page.Hidden();
             }),
      fraDrag(*this, L"fraDrag", ControlDesign(Kind::Frame, 8, 8, 369, 176, L"方向"), &fraTab(0)),
      picDrag(*this, L"picDrag", ControlDesign(Kind::PictureBox, 139, 42, 93, 93), &fraDrag),
      lblName(*this, L"lblName", 1, 8, NameLabelDesign, [this](int) { return &fraDrag; }),
      lstAccessKey(*this, L"lstAccessKey",
                   ControlDesign(Kind::ListBox, 8, 18, 369, 160, {},
                                 L"各キーに割り当てられたタスクの名前一覧が表示されます")
                       .Style(LBS_USETABSTOPS),
                   &fraTab(1)),
      lstMenuItem(*this, L"lstMenuItem",
                  ControlDesign(Kind::ListBox, 8, 18, 369, 160, {},
                                L"メニューに割り当てられたタスクの名前一覧が表示されます"),
                  &fraTab(2)),

      fraHotKey(*this, L"fraHotKey", ControlDesign(Kind::Frame, 8, 8, 465, 80, L"ホットキー"),
                &fraTab(3)),
      lblHotKey(*this, L"lblHotKey", ControlDesign(Kind::Label, 16, 26, 96, 12, L"ホットキー(&H):"),
                &fraHotKey),
      picHotKey(*this, L"picHotKey",
                ControlDesign(Kind::PictureBox, 112, 22, 225, 18, {}, L"ホットキーを入力します"),
                &fraHotKey),
      HotKeyWnd(*this, L"HotKeyWnd",
                ControlDesign(Kind::HotKey, 0, 0, 225, 18, {}, L"ホットキーを入力します"),
                &picHotKey),
      lblHotKeyNote(*this, L"lblHotKeyNote",
                    ControlDesign(Kind::Label, 16, 54, 440, 12,
                                  L"※ このキーの組み合わせを押すことによってランチャーがアクティブになります"),
                    &fraHotKey),
      fraIcon(*this, L"fraIcon", ControlDesign(Kind::Frame, 8, 98, 465, 80, L"ランチャーのアイコン"),
              &fraTab(3)),
      optIcon(*this, L"optIcon", 0, 1,
              [](int i) {
                  return i == 0 ? ControlDesign(Kind::OptionButton, 16, 22, 200, 18,
                                                L"オリジナル(&G)", L"元の画像を表示します")
                                : ControlDesign(Kind::OptionButton, 16, 48, 88, 18, L"カスタム(&C)",
                                                L"指定した画像を表示します");
              },
              [this](int) { return &fraIcon; }),
      txtIcon(*this, L"txtIcon",
              ControlDesign(Kind::TextBox, 106, 47, 264, 20, {}, L"画像のファイル名を入力します")
                  .Disabled(),
              &fraIcon),
      cmdRefIcon(*this, L"cmdRefIcon",
                 ControlDesign(Kind::CommandButton, 378, 46, 79, 21, L"参照(&R)...",
                               L"画像参照ダイアログを表示します")
                     .Disabled(),
                 &fraIcon),
      fraGeneral(*this, L"fraGeneral", ControlDesign(Kind::Frame, 8, 188, 276, 116, L"設定"),
                 &fraTab(3)),
      chkAlwaysOnTop(*this, L"chkAlwaysOnTop",
                     ControlDesign(Kind::CheckBox, 16, 22, 252, 18, L"常に手前に表示する(&N)"),
                     &fraGeneral),
      chkPopupStatus(*this, L"chkPopupStatus",
                     ControlDesign(Kind::CheckBox, 16, 44, 252, 18,
                                   L"キーコマンド一覧をポップアップ表示する(&I)"),
                     &fraGeneral),
      chkSwapButtons(*this, L"chkSwapButtons",
                     ControlDesign(Kind::CheckBox, 16, 66, 252, 18,
                                   L"左右のマウスボタンの動作を入れ替える(&S)"),
                     &fraGeneral),
      chkActiveStyle(*this, L"chkActiveStyle",
                     ControlDesign(Kind::CheckBox, 16, 88, 252, 18, L"ドラッグアニメーション(&X)"),
                     &fraGeneral),
      fraDblClick(*this, L"fraDblClick",
                  ControlDesign(Kind::Frame, 292, 188, 181, 116, L"ランチャーのダブルクリック時"),
                  &fraTab(3)),
      optDblClick(*this, L"optDblClick", 1, 3,
                  [](int i) {
                      static constexpr std::array<const wchar_t*, 3> kCaptions = {
                          L"最小化／最小化を戻す(&T)", L"設定(&O)", L"終了(&U)"};
                      return ControlDesign(Kind::OptionButton, 16, 22 * i, 160, 18, kCaptions[i - 1]);
                  },
                  [this](int) { return &fraDblClick; }),

      fraContents(*this, L"fraContents",
                  ControlDesign(Kind::Frame, 16, 224, 467, 169, {},
                                L"上で選択されているタスクの詳細です")
                      .Borderless()),
      // A key's name may hold an ampersand ("6[&]"), shown as it is.
      lblTitle(*this, L"lblTitle",
               ControlDesign(Kind::Label, 9, 1, 300, 12).Bolded().Style(SS_NOPREFIX), &fraContents),
      lblAccess(*this, L"lblAccess", 0, 3,
                [](int i) {
                    switch (i) {
                    case 0:
                        return FieldLabel(16, 24, 360,
                                          L"実行するプログラムファイルや関連付けされたファイル名(&T) :",
                                          L"プログラム起動時に使用されるフォルダのパスを設定します");
                    case 1:
                        return FieldLabel(16, 68, 360, L"作業（カレント）フォルダ(&W) :",
                                          L"プログラム起動時に使用されるフォルダのパスをプログラム起動時に使用されるフォルダのパスを入力します");
                    case 2:
                        return FieldLabel(16, 112, 180, L"表示名(&N) :", L"この項目の名前を入力します");
                    default:
                        return FieldLabel(216, 112, 130, L"ウインドウの状態(&S) :",
                                          L"プログラム起動時のウィンドウの状態を選択します");
                    }
                },
                [this](int) { return &fraContents; }),
      txtCommand(*this, L"txtCommand",
                 ControlDesign(Kind::TextBox, 24, 40, 361, 18, {},
                               L"プログラムやファイルのパス名や、コマンドラインパラメータなどを入力します"),
                 &fraContents),
      cmdReference(*this, L"cmdReference", 0, 1,
                   [](int i) {
                       return i == 0 ? ControlDesign(Kind::CommandButton, 392, 38, 65, 21,
                                                     L"参照(&F)...",
                                                     L"ファイルやフォルダを参照するメニューを表示します")
                                     : ControlDesign(Kind::CommandButton, 392, 82, 65, 21,
                                                     L"参照(&E)...",
                                                     L"フォルダ参照ダイアログを表示します");
                   },
                   [this](int) { return &fraContents; }),
      txtWorkDir(*this, L"txtWorkDir",
                 ControlDesign(Kind::TextBox, 24, 84, 361, 18, {},
                               L"プログラム起動時に使用されるフォルダのパスをプログラム起動時に使用されるフォルダのパスを入力します"),
                 &fraContents),
      txtCaption(*this, L"txtCaption",
                 ControlDesign(Kind::TextBox, 24, 128, 177, 18, {}, L"この項目の名前を入力します"),
                 &fraContents),
      cboWindowState(*this, L"cboWindowState",
                     ControlDesign(Kind::ComboBox, 224, 128, 121, 20, {},
                                   L"プログラム起動時のウィンドウの状態を選択します"),
                     &fraContents),
      chkSetFocus(*this, L"chkSetFocus",
                  ControlDesign(Kind::CheckBox, 360, 132, 100, 16, L"フォーカス(&V)",
                                L"チェックを入れると、プログラム起動後に、そのウィンドウをアクティブにします"),
                  &fraContents),

      fraCommands(*this, L"fraCommands",
                  ControlDesign(Kind::Frame, 396, 56, 81, 155).Borderless()),
      cmdAdd(*this, L"cmdAdd", Button(0, 0, L"追加(&D)", L"新しい項目を追加します"), &fraCommands),
      cmdRemove(*this, L"cmdRemove", Button(0, 24, L"削除(&R)", L"現在の項目を削除します"),
                &fraCommands),
      cmdCopy(*this, L"cmdCopy",
              Button(0, 48, L"コピー(&C)", L"現在の項目のコピーを作成します"), &fraCommands),
      // Until a page is chosen the move buttons read "to" where the pages
      // say "in"; the tool-tips are those of the drag page.
      cmdLeftUp(*this, L"cmdLeftUp",
                Button(0, 72, L"左へ移動(&M)",
                       L"現在の項目を左回り方向で空いている位置に移動します"),
                &fraCommands),
      cmdRightDown(*this, L"cmdRightDown",
                   Button(0, 96, L"右へ移動(&N)",
                          L"現在の項目を右回り方向で空いている位置に移動します"),
                   &fraCommands),
      // Its menu's load entry is always there to use.
      cmdOther(*this, L"cmdOther",
               ControlDesign(Kind::CommandButton, 0, 136, 81, 19, L"その他(&O)",
                             L"動作テストやショートカットファイルの読み込み／保存のメニューを表示します"),
               &fraCommands),

      cmdOk(*this, L"cmdOk",
            ControlDesign(Kind::CommandButton, 240, 416, 81, 21, L"決定",
                          L"変更を保存してダイアログを閉じます")
                .Default()),
      cmdCancel(*this, L"cmdCancel",
                ControlDesign(Kind::CommandButton, 328, 416, 81, 21, L"キャンセル",
                              L"変更を保存せずにダイアログを閉じます")
                    .Cancel()),
      cmdApply(*this, L"cmdApply",
               ControlDesign(Kind::CommandButton, 416, 416, 81, 21, L"適用(&A)", L"変更を保存します")),
      mnuReference(L"mnuReference",
                   {L"ファイル(&F) ...", L"フォルダ(&D) ...", L"関連付けから検索(&A) ..."}),
      mnuOther(L"mnuOther", {L"テスト実行(&T)", L"-", L"ショートカットから読み込む(&I) ...",
                             L"シュートカットとして保存(&E) ..."})
{
    // The detail fields in the order they are on the screen, each label just
    // before its field so that its access key lands there.
    SetTabOrder({&lblAccess(0), &txtCommand, &cmdReference(0), &lblAccess(1), &txtWorkDir,
                 &cmdReference(1), &lblAccess(2), &txtCaption, &lblAccess(3), &cboWindowState,
                 &chkSetFocus});
    // The selected tab comes round after the bottom buttons, just before the
    // page, which has the focus when the dialog opens.
    SetTabOrder({&cmdApply, &picTab(0), &picTab(1), &picTab(2), &picTab(3)});
    WireFrame();
    WireGeneralPage();
    WireCommandFields();
    WireItemPages();
}

void cDlgSettings::ShowSettings(SettingsHost& host)
{
    cDlgSettings dialog(host);
    // The dialog starts from what is stored, not from the live settings.
    RegistryKey key = ProductKey();
    Persistence().PersistOf(dialog.WorkSettings).Load(key);
    SetTopmost(dialog.OwnerWnd, false);
    dialog.Load();
    // Centred on the screen the pad is on.
    dialog.MoveCentredOver(WorkAreaNear(dialog.OwnerWnd));
    dialog.ShowGeneralSettings();
    dialog.cmdApply.SetEnabled(false);
    SetHotKey(dialog.OwnerWnd, 0);

    dialog.ShowModal();

    // Cancel brings back what the pad had; OK and Apply what they saved.
    if (AppSettings) {
        SetHotKey(dialog.OwnerWnd, AppSettings->HotKey);
        SetTopmost(dialog.OwnerWnd, AppSettings->AlwaysOnTop);
    }
    dialog.Unload();
}

void cDlgSettings::WireFrame()
{
    for (int i = 0; i < kPageCount; ++i) {
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

void cDlgSettings::Form_Load()
{
    ShowTabIcons();
    // The detail frame and the item buttons lie over the pages.
    fraContents.BringToFront();
    fraCommands.BringToFront();
    Filling = false;
    CurrentPage = 0;
    BuildDragRegion();
    LoadHotKeyControl();
    LoadCommandFields();
    SelectedDirection = 1;
    FillItemPages();
}

void cDlgSettings::Form_Unload(bool& /*cancel*/)
{
    Win32CallBack::UnhookHotKeyControl();
    UnloadCommandFields();
    DragRegion.reset();
    DragImage.Clear();
}

void cDlgSettings::EnableApply() { cmdApply.SetEnabled(true); }

// Each icon holds an image for the usual scalings; the one of the tab's size is taken.
void cDlgSettings::ShowTabIcons()
{
    const int size = Scaled(kTabIconSize);
    for (int i = 0; i < kPageCount; ++i)
        imgTab(i).SetPicture(LoadIconPicture(kTabIcons[i], size, size));
}

// The controls are laid out anew; what the dialog sized or drew itself for
// the old resolution follows them.
void cDlgSettings::Form_DpiChanged(const RECT& suggested)
{
    ShowTabIcons();
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        SetNameLabel(d, lblName(d).Text());
    DragImage.Clear();
    DrawDirection(0, false);
    DrawDirection(SelectedDirection, true);
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
    fraTab(index).SetVisible(true);

    Control& oldTab = picTab(CurrentPage);
    at = oldTab.Bounds();
    oldTab.Move(at.left + 2, at.top + 2, at.right - at.left - 4, at.bottom - at.top - 3);
    oldTab.SetTabStop(false);
    oldTab.Refresh();
    lblTab(CurrentPage).SetBold(false);
    fraTab(CurrentPage).SetVisible(false);

    CurrentPage = static_cast<std::uint8_t>(index);
    fraCommands.SetVisible(index != kGeneralPage);
    fraContents.SetVisible(index != kGeneralPage);
    if (index == kGeneralPage)
        return;
    LabelMoveButtons(index);
    // The working folder, the window state and the focus flag belong to
    // the drag and key commands only.
    const bool fullCommand = index <= 1;
    for (Control* field : {&lblAccess(1), &txtWorkDir, &cmdReference(1), &lblAccess(3),
                           &cboWindowState, &chkSetFocus})
        field->SetVisible(fullCommand);
    ShowPageItem();
}

void cDlgSettings::LabelMoveButtons(int page)
{
    struct MoveLabels {
        const wchar_t* leftUp;
        const wchar_t* rightDown;
        const wchar_t* leftUpTip;
        const wchar_t* rightDownTip;
    };
    static constexpr std::array<MoveLabels, 3> kLabels = {{
        {L"左に移動(&M)", L"右に移動(&N)", L"現在の項目を左回り方向で空いている位置に移動します",
         L"現在の項目を右回り方向で空いている位置に移動します"},
        {L"上に移動(&M)", L"下に移動(&N)", L"現在の項目を上の空いている位置に移動します",
         L"現在の項目を下の空いている位置に移動します"},
        {L"上に移動(&M)", L"下に移動(&N)", L"現在の項目を上に移動します",
         L"現在の項目を下に移動します"},
    }};
    const MoveLabels& labels = kLabels.at(static_cast<size_t>(page));
    cmdLeftUp.SetText(labels.leftUp);
    cmdRightDown.SetText(labels.rightDown);
    cmdLeftUp.SetToolTipText(labels.leftUpTip);
    cmdRightDown.SetToolTipText(labels.rightDownTip);
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
    return {};
}

void cDlgSettings::cmdOk_Click()
{
    if (!ValidateActiveControl())
        return;
    ApplySettings();
    Hide();
}

void cDlgSettings::cmdApply_Click()
{
    if (!ValidateActiveControl())
        return;
    ApplySettings();
    cmdApply.SetEnabled(false);
}

void cDlgSettings::cmdCancel_Click() { Hide(); }

void cDlgSettings::ApplySettings()
{
    StoreGeneralSettings();
    RegistryKey key = ProductKey();
    Persistence().PersistOf(WorkSettings).Save(key);
    if (AppSettings) {
        RegistryKey again = ProductKey();
        Persistence().PersistOf(*AppSettings).Load(again);
    }
    Host.SettingsApplied();
}
