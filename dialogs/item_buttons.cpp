#include "dialogs/item_buttons.h"

#include "base/interface_text.h"
#include "base/system.h"
#include "dialogs/list_actions.h"
#include "dialogs/settings_frame.h"
#include "forms/form.h"
#include "objlib/file_dialog.h"

namespace {

ControlDesign Button(int top, std::wstring caption, std::wstring toolTip)
{
    return ControlDesign(ControlKind::CommandButton, 0, top, 81, 19, std::move(caption), std::move(toolTip))
        .Disabled();
}

std::wstring ShortcutFilter()
{
    return FilterList({{UiText(IDS_SHORTCUT_FILTER), L"*.lnk"}, {UiText(IDS_ALL_FILES), L"*.*"}});
}

}  // namespace

ItemButtons::ItemButtons(SettingsFrame& frame)
    : frame_(frame),
      fraCommands(frame.Dialog(), L"fraCommands",
                  ControlDesign(ControlKind::Frame, 396, 56, 81, 155).Borderless()),
      cmdAdd(frame.Dialog(), L"cmdAdd", Button(0, UiText(IDS_ADD), UiText(IDS_ADD_TIP)), &fraCommands),
      cmdRemove(frame.Dialog(), L"cmdRemove", Button(24, UiText(IDS_REMOVE), UiText(IDS_REMOVE_TIP)),
                &fraCommands),
      cmdCopy(frame.Dialog(), L"cmdCopy", Button(48, UiText(IDS_COPY), UiText(IDS_COPY_TIP)),
              &fraCommands),
      // Until a page is chosen the move buttons read "to" where the pages
      // say "in"; the tool-tips are those of the drag page.
      cmdLeftUp(frame.Dialog(), L"cmdLeftUp",
                Button(72, UiText(IDS_TURN_LEFT_BUTTON), UiText(IDS_TURN_LEFT_TIP)),
                &fraCommands),
      cmdRightDown(frame.Dialog(), L"cmdRightDown",
                   Button(96, UiText(IDS_TURN_RIGHT_BUTTON),
                          UiText(IDS_TURN_RIGHT_TIP)),
                   &fraCommands),
      // Its menu's load entry is always there to use.
      cmdOther(frame.Dialog(), L"cmdOther",
               ControlDesign(ControlKind::CommandButton, 0, 136, 81, 19, UiText(IDS_OTHER),
                             UiText(IDS_OTHER_TIP)),
               &fraCommands),
      mnuOther(L"mnuOther", {UiText(IDS_TEST_RUN), L"-", UiText(IDS_IMPORT_SHORTCUT),
                             UiText(IDS_EXPORT_SHORTCUT)})
{
    cmdAdd.OnClick = [this] { list_->AddItem(); };
    cmdRemove.OnClick = [this] { list_->RemoveItem(); };
    cmdCopy.OnClick = [this] { list_->CopyItem(); };
    cmdLeftUp.OnClick = [this] { list_->MoveItem(true); };
    cmdRightDown.OnClick = [this] { list_->MoveItem(false); };
    cmdOther.OnClick = [this] { frame_.PopupMenuBeside(cmdOther, mnuOther); };
    mnuOther.OnClick = [this](int index) { mnuOtherCmd_Click(index); };
}

void ItemButtons::Load() { fraCommands.BringToFront(); }

void ItemButtons::Serve(ListActions& list)
{
    list_ = &list;
    fraCommands.SetVisible(true);
}

void ItemButtons::Hide() { fraCommands.SetVisible(false); }

void ItemButtons::Label(const MoveLabels& labels)
{
    cmdLeftUp.SetText(labels.leftUp);
    cmdRightDown.SetText(labels.rightDown);
    cmdLeftUp.SetToolTipText(labels.leftUpTip);
    cmdRightDown.SetToolTipText(labels.rightDownTip);
}

void ItemButtons::Enable(const ItemButtonStates& states, bool filled)
{
    filled_ = filled;
    mnuOther.SetEnabled(kTestRunEntry, filled);
    mnuOther.SetEnabled(kSaveShortcutEntry, filled);
    cmdAdd.SetEnabled(states.add);
    cmdRemove.SetEnabled(states.remove);
    cmdCopy.SetEnabled(states.copy);
    cmdLeftUp.SetEnabled(states.leftUp);
    cmdRightDown.SetEnabled(states.rightDown);
}

void ItemButtons::mnuOtherCmd_Click(int index)
{
    if (!filled_ && index != kLoadShortcutEntry)
        return;
    switch (index) {
    case kTestRunEntry: {
        // From just under the button's lower-left corner, as unsaved as it is.
        RECT bounds{};
        GetWindowRect(cmdOther.hWnd(), &bounds);
        list_->TestRunItem(bounds.left, bounds.bottom);
        break;
    }
    case kLoadShortcutEntry:
        LoadShortcut();
        break;
    case kSaveShortcutEntry:
        SaveShortcut();
        break;
    default:
        break;
    }
}

void ItemButtons::LoadShortcut()
{
    FileDialog dialog = frame_.BrowseFileDialog();
    dialog.DefaultExt = L".lnk";
    dialog.Filter = ShortcutFilter();
    dialog.Flags = kOpenShortcutFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (!chosen.empty())
        list_->LoadShortcut(chosen.front());
}

void ItemButtons::SaveShortcut()
{
    FileDialog dialog = frame_.BrowseFileDialog();
    dialog.DefaultExt = L".lnk";
    dialog.Filter = ShortcutFilter();
    dialog.Flags = kSaveShortcutFlags;
    std::wstring path;
    if (!dialog.ShowSave(path))
        return;
    if (!list_->SaveShortcut(path))
        MsgBox(UiText(IDS_NOT_SAVED), MB_OK | MB_ICONEXCLAMATION, frame_.Dialog().hWnd());
}
