#include "dialogs/drag_page.h"

#include <oleacc.h>

#include <algorithm>
#include <array>

#include "base/dpi_scale.h"
#include "base/interface_text.h"
#include "base/slot_names.h"
#include "commands/shell_commands.h"
#include "dialogs/drag_figure.h"
#include "forms/form.h"
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

}  // namespace

DragPage::DragPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& drags)
    : ListPage(frame, page, tools, drags),
      fraDrag(frame.Dialog(), L"fraDrag", ControlDesign(ControlKind::Frame, 8, 8, 369, 176, UiText(IDS_DRAG_FRAME)),
              &page),
      picDrag(frame.Dialog(), L"picDrag", ControlDesign(ControlKind::PictureBox, 139, 42, 93, 93),
              &fraDrag),
      lblName(frame.Dialog(), L"lblName", 1, 8, NameLabelDesign, [this](int) { return &fraDrag; })
{
    picDrag.OnPaint = [this](HDC dc) { DragImage.Paint(dc); };
    picDrag.OnMouseDown = [this](int, int, int x, int y) { picDrag_MouseDown(x, y); };
    picDrag.OnMouseUp = [this](int, int, int x, int y) { picDrag_MouseUp(x, y); };
    picDrag.OnKeyDown = [this](int keyCode, int) { picDrag_KeyDown(keyCode); };
    picDrag.OnGotFocus = [this] {
        picDrag.Refresh();
        picDrag.NotifyAccessible(EVENT_OBJECT_FOCUS, SelectedDirection);
    };
    picDrag.SetAccessibleView(this);
    picDrag.OnLostFocus = [this] { picDrag.Refresh(); };
    for (int d = lblName.LBound(); d <= lblName.UBound(); ++d)
        lblName(d).OnClick = [this, d] { lblName_Click(d); };
}

ControlDesign DragPage::NameLabelDesign(int direction)
{
    const NameAnchor& anchor = AnchorOf(direction);
    return ControlDesign(ControlKind::Label, anchor.x, anchor.top, 0, kNameHeight)
        .Aligned(anchor.alignment)
        .Style(SS_NOPREFIX);
}

// Direction 1 is selected and drawn pressed; the detail fields show its
// command when the page is shown.
void DragPage::Fill()
{
    SelectedDirection = 1;
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        SetNameLabel(d, commands_.Item(d)->DisplayCaption());
    DrawDirection(0, false);
    DrawDirection(SelectedDirection, true);
}

void DragPage::Unload()
{
    DragImage.Clear();
}

std::wstring DragPage::ItemTitle() const
{
    return UiText(IDS_DRAG_ITEM_TITLE, {SlotDisplayName(CommandListKind::Drags, SelectedDirection)});
}

void DragPage::ShowSlotCaption(std::int32_t slot)
{
    SetNameLabel(slot, commands_.Item(slot)->DisplayCaption());
    picDrag.NotifyAccessible(EVENT_OBJECT_NAMECHANGE, slot);
}

AccessiblePart DragPage::Whole() const
{
    AccessiblePart figure;
    figure.name = WithoutAccessKeys(fraDrag.Text());
    figure.role = ROLE_SYSTEM_LIST;
    return figure;
}

std::vector<AccessiblePart> DragPage::Parts() const
{
    const bool focused = picDrag.HasFocus();
    std::vector<AccessiblePart> directions;
    for (std::int32_t d = 1; d <= kArrowCount; ++d) {
        AccessiblePart direction;
        // The "---" of a direction without a program reads as dashes; the
        // reader is told in words instead.
        const std::shared_ptr<ShellCommand> command = commands_.Item(d);
        const std::wstring name = SlotDisplayName(CommandListKind::Drags, d);
        direction.name = command->StoredProgram().empty()
                             ? UiText(IDS_DIRECTION_UNSET, {name})
                             : UiText(IDS_DIRECTION_CHOICE, {name, command->DisplayCaption()});
        direction.role = ROLE_SYSTEM_LISTITEM;
        direction.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (d == SelectedDirection)
            direction.state |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
        direction.bounds = DragImage.ArrowBounds(d);
        directions.push_back(std::move(direction));
    }
    return directions;
}

// The directions wrap round: a command finds no room only when all are taken.
UINT DragPage::NoRoomToMove(bool) const { return IDS_NO_ROOM_TO_MOVE; }

MoveLabels DragPage::MoveButtonLabels() const
{
    return {UiText(IDS_TURN_LEFT), UiText(IDS_TURN_RIGHT), UiText(IDS_TURN_LEFT_TIP),
            UiText(IDS_TURN_RIGHT_TIP)};
}

void DragPage::ResolutionChanged()
{
    if (!page_.ContentsCreated())
        return;
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        SetNameLabel(d, lblName(d).Text());
    DragImage.Clear();
    DrawDirection(0, false);
    DrawDirection(SelectedDirection, true);
}

void DragPage::SetNameLabel(std::int32_t direction, const std::wstring& caption)
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
    const int width = std::min<int>(DesignPixelsCovering(measured, frame_.Dialog().Dpi()), room);
    const int left = anchor.alignment == Alignment::Left    ? anchor.x
                     : anchor.alignment == Alignment::Right ? anchor.x - width
                                                            : anchor.x - width / 2;
    label.Move(left, anchor.top, width, kNameHeight);
}

// The pointer's designed pixels back in the box's pixels, where the figure
// is drawn for the box's size.
std::int32_t DragPage::HitTestDirection(int x, int y) const
{
    return DragImage.DirectionAt(frame_.Dialog().Scaled(x), frame_.Dialog().Scaled(y));
}

void DragPage::DrawDirection(std::int32_t direction, bool pressed)
{
    DragImage.Draw(picDrag.hWnd(), direction, pressed);
    picDrag.Refresh();
}

void DragPage::picDrag_MouseDown(int x, int y)
{
    PressedDirection = HitTestDirection(x, y);
}

// Pressing on one arrow and releasing on another, or off the arrows,
// selects nothing.
void DragPage::picDrag_MouseUp(int x, int y)
{
    const std::int32_t direction = HitTestDirection(x, y);
    if (direction != 0 && direction == PressedDirection)
        SelectDirection(direction);
}

void DragPage::picDrag_KeyDown(int keyCode)
{
    const std::int32_t direction = DirectionAfterKey(SelectedDirection, keyCode);
    if (direction != 0)
        SelectDirection(direction);
}

// A label takes no focus, so the field being edited is asked to accept its
// text here; otherwise the next direction's text would replace it unsaved.
void DragPage::lblName_Click(std::int32_t direction)
{
    if (frame_.Dialog().ValidateActiveControl())
        SelectDirection(direction);
}

void DragPage::SelectDirection(std::int32_t direction)
{
    if (direction == SelectedDirection)
        return;
    DrawDirection(SelectedDirection, false);
    DrawDirection(direction, true);
    SelectedDirection = direction;
    ShowSelectedItem();
    picDrag.NotifyAccessible(EVENT_OBJECT_SELECTION, direction);
    if (picDrag.HasFocus())
        picDrag.NotifyAccessible(EVENT_OBJECT_FOCUS, direction);
}
