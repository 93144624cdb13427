#pragma once
// The drag page of the settings dialog: the eight-arrow figure, whose
// selected arrow's command the detail fields show, and each direction's
// name beside its arrow.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "dialogs/drag_picture.h"
#include "dialogs/list_page.h"
#include "forms/control_array.h"

class DragPage : public ListPage, private AccessibleView {
public:
    DragPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& drags);

    void Unload() override;
    // The names and the figure drawn anew for the dialog's new resolution;
    // nothing before the page has been made.
    void ResolutionChanged();

protected:
    void Fill() override;
    std::int32_t SelectedSlot() const override { return SelectedDirection; }
    void SelectSlot(std::int32_t slot) override { SelectDirection(slot); }
    std::wstring ItemTitle() const override;
    void ShowSlotCaption(std::int32_t slot) override;
    UINT NoRoomToMove(bool toUp) const override;
    MoveLabels MoveButtonLabels() const override;

private:
    // The figure as screen readers see it: a list of the eight directions,
    // each named by its command, the selected one selected.
    AccessiblePart Whole() const override;
    std::vector<AccessiblePart> Parts() const override;
    // The arrow at a point of the box in designed pixels; 0 for none.
    std::int32_t HitTestDirection(int x, int y) const;
    // Direction 0 draws the whole figure raised.
    void DrawDirection(std::int32_t direction, bool pressed);
    void SelectDirection(std::int32_t direction);
    // A direction's name beside its arrow, sized to its text.
    static ControlDesign NameLabelDesign(int direction);
    void SetNameLabel(std::int32_t direction, const std::wstring& caption);
    void picDrag_MouseDown(int x, int y);
    void picDrag_MouseUp(int x, int y);
    void picDrag_KeyDown(int keyCode);
    void lblName_Click(std::int32_t direction);

    std::int32_t SelectedDirection = 1;
    std::int32_t PressedDirection = 0;
    // The figure as drawn in its box, and its hit region.
    DragPicture DragImage;

    Control fraDrag;
    Control picDrag;
    ControlArray lblName;
};
