// The drag, key and menu pages of the settings dialog and the item buttons
// beside them: which command is current, and adding, removing, copying and
// moving commands within their list.
#include "dialogs/settings_dialog.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/dpi_scale.h"
#include "base/slot_names.h"
#include "base/system.h"
#include "commands/command_kind.h"
#include "dialogs/drag_figure.h"
#include "forms/screen.h"

namespace {

// The point each direction's name hangs from, in the drag frame: the left
// edge, the centre or the right edge of the label stays there whatever its
// text, so that the label keeps beside its arrow and outside the figure.
struct NameAnchor {
    int x;
    int top;
    Alignment alignment;
};
constexpr std::array<NameAnchor, kArrowCount> kNameAnchors = {{
    {185, 26, Alignment::Centre},
    {235, 56, Alignment::Left},
    {243, 82, Alignment::Left},
    {235, 112, Alignment::Left},
    {185, 138, Alignment::Centre},
    {136, 112, Alignment::Right},
    {120, 84, Alignment::Right},
    {136, 56, Alignment::Right},
}};
constexpr int kNameHeight = 12;
// A long name is cut this far inside the frame's edges.
constexpr int kFrameMargin = 4;

const NameAnchor& AnchorOf(int direction) { return kNameAnchors.at(static_cast<size_t>(direction - 1)); }

// The key list lines its captions up at this many dialog template units.
constexpr int kKeyTabStop = 20;

constexpr wchar_t kNoRoomToCopy[] = L"コピーする空きがありません。";
constexpr wchar_t kNoRoomToMove[] = L"移動する空きがありません。";
constexpr wchar_t kNoRoomAbove[] = L"移動できません。これより上に空きがありません。";
constexpr wchar_t kNoRoomBelow[] = L"移動できません。これより下に空きがありません。";

std::wstring KeyLine(std::int32_t key, const ShellCommand& command)
{
    return SlotDisplayName(kKeyList, key) + L"\t" + command.DisplayCaption();
}

// Line i takes a new text and stays selected; the current item is the same
// command, so the list's click is not run again.
void ReplaceLine(Control& list, int line, const std::wstring& text)
{
    list.RemoveItem(line);
    list.AddItem(text, line);
    SendMessageW(list.hWnd(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    list.Refresh();
}

}  // namespace

ControlDesign cDlgSettings::NameLabelDesign(int direction)
{
    const NameAnchor& anchor = AnchorOf(direction);
    return ControlDesign(ControlKind::Label, anchor.x, anchor.top, 0, kNameHeight)
        .Aligned(anchor.alignment)
        .Style(SS_NOPREFIX);
}

void cDlgSettings::WireItemPages()
{
    picDrag.OnPaint = [this](HDC dc) { DragImage.Paint(dc); };
    picDrag.OnMouseDown = [this](int, int, int x, int y) { picDrag_MouseDown(x, y); };
    picDrag.OnMouseUp = [this](int, int, int x, int y) { picDrag_MouseUp(x, y); };
    picDrag.OnKeyDown = [this](int keyCode, int) { picDrag_KeyDown(keyCode); };
    picDrag.OnGotFocus = [this] { picDrag.Refresh(); };
    picDrag.OnLostFocus = [this] { picDrag.Refresh(); };
    for (int d = lblName.LBound(); d <= lblName.UBound(); ++d)
        lblName(d).OnClick = [this, d] { lblName_Click(d); };
    lstAccessKey.OnClick = [this] { lstAccessKey_Click(); };
    lstMenuItem.OnClick = [this] { lstMenuItem_Click(); };
    cmdAdd.OnClick = [this] { cmdAdd_Click(); };
    cmdRemove.OnClick = [this] { cmdRemove_Click(); };
    cmdCopy.OnClick = [this] { cmdCopy_Click(); };
    cmdLeftUp.OnClick = [this] { cmdLeftUp_Click(); };
    cmdRightDown.OnClick = [this] { cmdRightDown_Click(); };
}

void cDlgSettings::FillItemPages()
{
    ShellCommands& drags = WorkSettings.Drags();
    ShellCommands& keys = WorkSettings.Keys();
    ShellCommands& menus = WorkSettings.Menus();
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        SetNameLabel(d, drags.Item(d)->DisplayCaption());
    for (std::int32_t i = 0; i < keys.Count(); ++i)
        lstAccessKey.AddItem(KeyLine(i, *keys.Item(i)));
    for (std::int32_t i = 0; i < menus.Count(); ++i)
        lstMenuItem.AddItem(menus.Item(i)->DisplayCaption());
    LoadDirectionItem();
    DrawDirection(0, false);
    DrawDirection(SelectedDirection, true);
    int tabStop = kKeyTabStop;
    SendMessageW(lstAccessKey.hWnd(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    lstAccessKey.SetListIndex(0);
    if (lstMenuItem.ListCount() > 0)
        lstMenuItem.SetListIndex(0);
}

void cDlgSettings::SetNameLabel(std::int32_t direction, const std::wstring& caption)
{
    Control& label = lblName(direction);
    label.SetText(caption);
    const NameAnchor& anchor = AnchorOf(direction);
    const int frameWidth = fraDrag.Bounds().right - fraDrag.Bounds().left;
    int room = 0;
    switch (anchor.alignment) {
    case Alignment::Left:
        room = frameWidth - kFrameMargin - anchor.x;
        break;
    case Alignment::Right:
        room = anchor.x - kFrameMargin;
        break;
    case Alignment::Centre:
        room = 2 * std::min(anchor.x - kFrameMargin, frameWidth - kFrameMargin - anchor.x);
        break;
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(label.hWnd(), WM_GETFONT, 0, 0));
    const int measured = MeasureText(label.hWnd(), font, caption).cx;
    const int width = std::min<int>(DesignPixelsCovering(measured, Dpi()), room);
    const int left = anchor.alignment == Alignment::Left    ? anchor.x
                     : anchor.alignment == Alignment::Right ? anchor.x - width
                                                            : anchor.x - width / 2;
    label.Move(left, anchor.top, width, kNameHeight);
}

void cDlgSettings::BuildDragRegion()
{
    std::vector<POINT> points;
    for (const Point& p : DragRegionPoints())
        points.push_back({p.x, p.y});
    std::array<INT, kArrowCount> counts{};
    counts.fill(kArrowPointCount);
    DragRegion.reset(CreatePolyPolygonRgn(points.data(), counts.data(), kArrowCount, WINDING));
}

std::int32_t cDlgSettings::HitTestDirection(std::int32_t dx, std::int32_t dy) const
{
    const bool inRegion =
        DragRegion && PtInRegion(DragRegion.get(), dx + kFigureCentre, dy + kFigureCentre);
    return ArrowHitDirection(inRegion, dx, dy);
}

void cDlgSettings::DrawDirection(std::int32_t direction, bool pressed)
{
    DragImage.Draw(picDrag.hWnd(), direction, pressed);
    picDrag.Refresh();
}

void cDlgSettings::picDrag_MouseDown(int x, int y)
{
    PressedDirection = HitTestDirection(x - kFigureCentre, y - kFigureCentre);
}

// Pressing on one arrow and releasing on another, or off the arrows,
// selects nothing.
void cDlgSettings::picDrag_MouseUp(int x, int y)
{
    const std::int32_t direction = HitTestDirection(x - kFigureCentre, y - kFigureCentre);
    if (direction != 0 && direction == PressedDirection)
        SelectDirection(direction);
}

void cDlgSettings::picDrag_KeyDown(int keyCode)
{
    const std::int32_t direction = DirectionAfterKey(SelectedDirection, keyCode);
    if (direction != 0)
        SelectDirection(direction);
}

// A label takes no focus, so the field being edited is asked to accept its
// text here; otherwise the next direction's text would replace it unsaved.
void cDlgSettings::lblName_Click(std::int32_t direction)
{
    if (ValidateActiveControl())
        SelectDirection(direction);
}

void cDlgSettings::SelectDirection(std::int32_t direction)
{
    if (direction == SelectedDirection)
        return;
    DrawDirection(SelectedDirection, false);
    DrawDirection(direction, true);
    SelectedDirection = direction;
    LoadDirectionItem();
}

// On the other pages the selection moves but the current item stays.
void cDlgSettings::LoadDirectionItem()
{
    if (CurrentPage != 0)
        return;
    CurrentItem = WorkSettings.Drags().Item(SelectedDirection);
    ShowCurrentItem();
}

void cDlgSettings::ShowPageItem()
{
    switch (CurrentPage) {
    case 0:
        LoadDirectionItem();
        break;
    case 1:
        lstAccessKey_Click();
        break;
    case 2:
        lstMenuItem_Click();
        break;
    default:
        break;
    }
}

void cDlgSettings::lstAccessKey_Click()
{
    const int line = lstAccessKey.ListIndex();
    if (CurrentPage != 1 || line < 0)
        return;
    CurrentItem = WorkSettings.Keys().Item(line);
    ShowCurrentItem();
}

void cDlgSettings::lstMenuItem_Click()
{
    if (CurrentPage != 2)
        return;
    const int line = lstMenuItem.ListIndex();
    CurrentItem = line < 0 ? nullptr : WorkSettings.Menus().Item(line);
    ShowCurrentItem();
}

void cDlgSettings::RefreshItemCaption()
{
    if (!CurrentItem)
        return;
    switch (CurrentPage) {
    case 0:
        SetNameLabel(SelectedDirection, CurrentItem->DisplayCaption());
        break;
    case 1:
        if (const int line = lstAccessKey.ListIndex(); line >= 0)
            ReplaceLine(lstAccessKey, line, KeyLine(line, *CurrentItem));
        break;
    case 2:
        if (const int line = lstMenuItem.ListIndex(); line >= 0)
            ReplaceLine(lstMenuItem, line, CurrentItem->DisplayCaption());
        break;
    default:
        break;
    }
}

void cDlgSettings::UpdateItemButtons()
{
    if (CurrentPage == kGeneralPage)
        return;
    const bool filled = CurrentItem && !CurrentItem->IsEmpty();
    mnuOther.SetEnabled(kTestRunEntry, filled);
    mnuOther.SetEnabled(kSaveShortcutEntry, filled);
    if (CurrentPage != 2) {
        cmdAdd.SetEnabled(false);
        for (Control* button : {&cmdRemove, &cmdCopy, &cmdLeftUp, &cmdRightDown})
            button->SetEnabled(filled);
        return;
    }
    // Menu entries move one line at a time and never past the ends.
    const int line = lstMenuItem.ListIndex();
    const int count = lstMenuItem.ListCount();
    cmdAdd.SetEnabled(true);
    cmdRemove.SetEnabled(line >= 0);
    cmdCopy.SetEnabled(line >= 0);
    cmdLeftUp.SetEnabled(line > 0);
    cmdRightDown.SetEnabled(line >= 0 && line < count - 1);
}

// A new empty entry below the selected one (at the top when none is).
void cDlgSettings::cmdAdd_Click()
{
    if (CurrentPage != 2)
        return;
    const int at = lstMenuItem.ListIndex() + 1;
    const auto added = WorkSettings.Menus().Add(at);
    lstMenuItem.AddItem(added->DisplayCaption(), at);
    lstMenuItem.SetListIndex(at);
    EnableItemFields(true);
    EnableApply();
}

void cDlgSettings::cmdRemove_Click()
{
    switch (CurrentPage) {
    case 0:
    case 1:
        // A drag or key slot stays; its command becomes empty.
        if (!CurrentItem)
            return;
        CurrentItem->Clear();
        RefreshItemCaption();
        ShowCurrentItem();
        break;
    case 2: {
        const int line = lstMenuItem.ListIndex();
        const int count = lstMenuItem.ListCount();
        if (line < 0)
            return;
        const int next = count == 1 ? -1 : line == count - 1 ? line - 1 : line;
        WorkSettings.Menus().Remove(line);
        lstMenuItem.RemoveItem(line);
        // With nothing left to select the list's click empties the fields.
        lstMenuItem.SetListIndex(next);
        break;
    }
    default:
        return;
    }
}

void cDlgSettings::cmdCopy_Click()
{
    switch (CurrentPage) {
    case 0: {
        const std::int32_t copy = WorkSettings.Drags().Copy(SelectedDirection);
        if (copy == -1) {
            MsgBox(kNoRoomToCopy, MB_OK | MB_ICONERROR, hWnd());
            return;
        }
        SelectDirection(copy);
        RefreshItemCaption();
        break;
    }
    case 1: {
        const int line = lstAccessKey.ListIndex();
        if (line < 0)
            return;
        const std::int32_t copy = WorkSettings.Keys().Copy(line);
        if (copy == -1) {
            MsgBox(kNoRoomToCopy, MB_OK | MB_ICONERROR, hWnd());
            return;
        }
        lstAccessKey.SetListIndex(copy);
        RefreshItemCaption();
        break;
    }
    case 2: {
        const int line = lstMenuItem.ListIndex();
        if (line < 0)
            return;
        ShellCommands& menus = WorkSettings.Menus();
        const std::int32_t copy = menus.Copy(line);
        lstMenuItem.AddItem(menus.Item(copy)->DisplayCaption(), copy);
        lstMenuItem.SetListIndex(copy);
        RefreshItemCaption();
        break;
    }
    default:
        return;
    }
}

void cDlgSettings::cmdLeftUp_Click() { MoveItem(true); }

void cDlgSettings::cmdRightDown_Click() { MoveItem(false); }

// The command goes to the nearest free slot counter-clockwise or above
// (toUp), else clockwise or below; a menu entry changes places with its
// neighbour. The old place shows what it holds now, and the moved command
// stays current at its new place.
void cDlgSettings::MoveItem(bool toUp)
{
    switch (CurrentPage) {
    case 0: {
        ShellCommands& drags = WorkSettings.Drags();
        const std::int32_t to = drags.Move(SelectedDirection, toUp);
        if (to == -1) {
            MsgBox(kNoRoomToMove, MB_OK | MB_ICONERROR, hWnd());
            return;
        }
        CurrentItem = drags.Item(SelectedDirection);
        RefreshItemCaption();
        SelectDirection(to);
        RefreshItemCaption();
        break;
    }
    case 1:
    case 2: {
        const bool keys = CurrentPage == 1;
        Control& list = keys ? lstAccessKey : lstMenuItem;
        ShellCommands& commands = keys ? WorkSettings.Keys() : WorkSettings.Menus();
        const int line = list.ListIndex();
        // The buttons are disabled at the menu's ends; a key that finds no
        // free slot says so.
        if (line < 0 || (!keys && (toUp ? line == 0 : line >= commands.Count() - 1)))
            return;
        const std::int32_t to = commands.Move(line, toUp);
        if (to == -1) {
            MsgBox(toUp ? kNoRoomAbove : kNoRoomBelow, MB_OK | MB_ICONERROR, hWnd());
            return;
        }
        CurrentItem = commands.Item(line);
        RefreshItemCaption();
        list.SetListIndex(to);
        RefreshItemCaption();
        break;
    }
    default:
        return;
    }
    // Only a move left or up enables Apply; one right or down leaves it as it was.
    if (toUp)
        EnableApply();
}
