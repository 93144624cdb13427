#include "dialogs/dlg_extension.h"

#include <algorithm>
#include <exception>

#include "base/dpi_scale.h"
#include "base/interface_text.h"
#include "dialogs/file_type_verbs.h"
#include "dialogs/verb_text.h"
#include "forms/screen.h"

cDlgExtension::cDlgExtension()
    : Form(L"cDlgExtension", DialogDesign(UiText(IDS_EXTENSION_CAPTION), 400, 264)),
      Label1(*this, L"Label1",
             ControlDesign(ControlKind::Label, 8, 11, 57, 12, UiText(IDS_EXTENSION_LABEL))
                 .Style(SS_LEFTNOWORDWRAP)),
      cboExtension(*this, L"cboExtension",
                   ControlDesign(ControlKind::ComboBox, 72, 8, 193, 20, L"txt").Editable()),
      lstCommands(*this, L"lstCommands",
                  ControlDesign(ControlKind::ListBox, 8, 32, 385, 196)
                      .Style(LBS_USETABSTOPS | WS_HSCROLL)),
      cmdOk(*this, L"cmdOk", ControlDesign(ControlKind::CommandButton, 208, 236, 88, 21, L"OK").Default()),
      cmdCancel(*this, L"cmdCancel",
                ControlDesign(ControlKind::CommandButton, 304, 236, 88, 21, UiText(IDS_CANCEL)).Cancel())
{
    cboExtension.OnChange = [this] { cboExtension_Change(); };
    cboExtension.OnClick = [this] { cboExtension_Click(); };
    // The list has no label of its own.
    lstCommands.SetAccessibleName(UiText(IDS_VERB_LIST_NAME));
    lstCommands.OnClick = [this] { lstCommands_Click(); };
    lstCommands.OnDblClick = [this] { lstCommands_DblClick(); };
    cmdOk.OnClick = [this] { cmdOk_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
}

bool cDlgExtension::ShowChoose(std::wstring& fileName, HWND owner)
{
    Confirmed = false;
    Load();
    // Over the window the user works in, whether or not it owns the chooser.
    const HWND over = owner ? owner : GetActiveWindow();
    RECT area{};
    if (over)
        GetWindowRect(over, &area);
    else
        area = WorkAreaNear(nullptr);
    MoveCentredOver(area);
    ShowModal(owner);
    bool chosen = false;
    if (Confirmed && IsLoaded()) {
        const int selected = lstCommands.ListIndex();
        if (selected >= 0) {
            fileName = TextAfterFirstTab(lstCommands.List(selected));
            chosen = true;
        }
    }
    Unload();
    return chosen;
}

// The label keeps its caption on one line, whole, however wide the dialog's
// font draws it.
void cDlgExtension::FitLabel()
{
    const RECT label = Label1.Bounds();
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Label1.hWnd(), WM_GETFONT, 0, 0));
    const int width =
        DesignPixelsCovering(MeasureCaption(Label1.hWnd(), font, Label1.Text()).cx, Dpi());
    if (width > label.right - label.left)
        Label1.Move(label.left, label.top, width, label.bottom - label.top);
}

// What the chooser sized for its text follows the text's new size.
void cDlgExtension::Form_DpiChanged(const RECT& suggested)
{
    FitLabel();
    SendMessageW(lstCommands.hWnd(), LB_SETHORIZONTALEXTENT, Scaled(listExtent_), 0);
    Form::Form_DpiChanged(suggested);
}

void cDlgExtension::Form_Load()
{
    FitLabel();
    for (const std::wstring& extension : RegisteredExtensions())
        cboExtension.AddItem(extension);
    // A failure here leaves the dialog open with what could be filled.
    try {
        cboExtension.SetText(L"txt");
        FillVerbList(cboExtension.Text());
    } catch (const std::exception&) {
    }
}

int cDlgExtension::TextWidth(const std::wstring& text)
{
    const HWND list = lstCommands.hWnd();
    return MeasureText(list, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), text)
        .cx;
}

void cDlgExtension::FillVerbList(const std::wstring& extension)
{
    lstCommands.SetListIndex(-1);
    lstCommands.ClearItems();
    const FileTypeVerbs verbs = ReadFileTypeVerbs(extension);
    int maxLabel = 0;
    for (const std::wstring& label : verbs.labels)
        maxLabel = std::max(maxLabel, TextWidth(label));
    int maxProgram = 0;
    for (const VerbLine& line : verbs.lines) {
        maxProgram = std::max(maxProgram, TextWidth(line.program));
        lstCommands.AddItem(VerbListLine(line.label, line.program));
    }
    if (verbs.lines.empty())
        return;
    const HWND list = lstCommands.hWnd();
    // The list's dialog units grow with its font: the stop is worked out in
    // designed pixels, the extent is the list's own pixels.
    const INT tabStop = VerbTabStop(DesignPixelsCovering(maxLabel, Dpi()));
    SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    listExtent_ = VerbListExtent(DesignPixelsCovering(maxLabel, Dpi()),
                                 DesignPixelsCovering(maxProgram, Dpi()));
    SendMessageW(list, LB_SETHORIZONTALEXTENT, Scaled(listExtent_), 0);
    lstCommands.Refresh();
    lstCommands.SetListIndex(verbs.defaultLine);
}

void cDlgExtension::cboExtension_Change() { FillVerbList(cboExtension.Text()); }

void cDlgExtension::cboExtension_Click()
{
    // While the pick is reported the edit part still shows the old text.
    const int picked = cboExtension.ListIndex();
    FillVerbList(picked >= 0 ? cboExtension.List(picked) : cboExtension.Text());
}

void cDlgExtension::lstCommands_Click() { cmdOk.SetEnabled(lstCommands.ListIndex() >= 0); }

void cDlgExtension::lstCommands_DblClick()
{
    if (lstCommands.ListIndex() >= 0)
        cmdOk_Click();
}

void cDlgExtension::cmdOk_Click()
{
    Hide();
    Confirmed = true;
}

void cDlgExtension::cmdCancel_Click() { Hide(); }
