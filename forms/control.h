#pragma once
// A control: a named child window of a form, of one of the standard classes
// (buttons, text boxes, lists, labels, the hot-key control) or of the forms'
// own container class (frames and picture boxes). The control object belongs
// to the form object and lives as long as it; its window is created each
// time the form loads, in the order the controls were declared, which is also
// the tab order unless the form sets another.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "forms/accessible.h"
#include "forms/picture.h"

class Form;

enum class ControlKind {
    CommandButton,
    CheckBox,
    OptionButton,  // one choice among the option buttons of its container
    TextBox,
    ListBox,
    ComboBox,      // a drop-down list
    Label,
    Frame,         // a captioned group around other controls
    PictureBox,    // draws its picture and what its Paint event draws
    Image,         // a small icon; the pointer passes through it
    HotKey,        // the common hot-key control
};

enum class Alignment { Left, Centre, Right };

// How a control looks when its form loads. Positions are designed pixels
// within the container (the form, a frame or a picture box), laid out at the
// form's resolution (see FormDesign). The setters refine a design in place:
// At(...).Disabled().Bold().
struct ControlDesign {
    ControlDesign(ControlKind kind, int left, int top, int width, int height,
                  std::wstring caption = {}, std::wstring toolTip = {})
        : kind(kind), left(left), top(top), width(width), height(height),
          caption(std::move(caption)), toolTip(std::move(toolTip)),
          border(kind == ControlKind::Frame)
    {
    }

    ControlDesign& Aligned(Alignment value) { alignment = value; return *this; }
    ControlDesign& Disabled() { enabled = false; return *this; }
    ControlDesign& Hidden() { visible = false; return *this; }
    ControlDesign& NoTabStop() { tabStop = false; return *this; }
    ControlDesign& Bordered() { border = true; return *this; }
    ControlDesign& Borderless() { border = false; return *this; }
    ControlDesign& Bolded() { bold = true; return *this; }
    ControlDesign& Default() { isDefault = true; return *this; }
    ControlDesign& Cancel() { isCancel = true; return *this; }
    ControlDesign& Style(DWORD extra) { extraStyle |= extra; return *this; }
    ControlDesign& Editable() { editable = true; return *this; }
    ControlDesign& ContentsLater() { contentsLater = true; return *this; }
    ControlDesign& WholeRows() { wholeRows = true; return *this; }

    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    std::wstring caption;  // the text of a text box
    std::wstring toolTip;
    Alignment alignment = Alignment::Left;
    bool enabled = true;
    bool visible = true;
    // Picture boxes: a stop of the tab order. The other kinds that take the
    // focus are always tab stops.
    bool tabStop = true;
    // Frames: the etched group box (the default); picture boxes: a sunken border.
    bool border;
    bool bold = false;
    bool isDefault = false;  // Enter presses it
    bool isCancel = false;   // Esc presses it
    DWORD extraStyle = 0;    // class styles beyond the kind's (LBS_USETABSTOPS ...)
    bool editable = false;   // combo boxes: the user may type a text of their own
    // Containers: what they hold is created by CreateContents, not when the
    // form loads (a page of a tabbed form, made when it is first shown).
    bool contentsLater = false;
    // List boxes: as many whole rows as the designed height holds at the
    // form's resolution, the list shortened below them; its top stays.
    bool wholeRows = false;
};

class Control : private AccessibleView {
public:
    // container: the frame or picture box that holds the control; null for
    // the form itself. It must have been declared before the control.
    Control(Form& form, std::wstring name, ControlDesign design, Control* container = nullptr);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::wstring& Name() const { return name_; }
    ControlKind Kind() const { return design_.kind; }
    Form& Owner() const { return form_; }
    Control* Container() const { return container_; }
    // The window while the form is loaded, else null.
    HWND hWnd() const { return window_; }
    // The control of a window of the program, or null.
    static Control* FromWindow(HWND window);

    // Caption or text.
    std::wstring Text() const;
    // Change fires only when the text differs from what the box holds.
    void SetText(const std::wstring& text);
    // Check boxes and option buttons: 1 checked, 0 not. Setting a new value
    // fires Click; selecting an option clears the others of its container.
    int Value() const;
    void SetValue(int value);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    // Whether the caption marks this key, in either case, with an ampersand
    // before it ("&&" is a plain one). The text of boxes and lists, and of
    // labels drawn without that marking, marks none.
    bool MarksAccessKey(wchar_t key) const;
    void SetFocus();
    bool HasFocus() const;

    // Position and size in designed pixels within the container.
    RECT Bounds() const;
    void Move(int left, int top, int width, int height);
    // Brings the window in front of its siblings.
    void BringToFront();
    // Repaints at once.
    void Refresh();

    void SetBold(bool bold);
    bool Bold() const { return bold_; }
    void SetToolTipText(const std::wstring& text);
    const std::wstring& ToolTipText() const { return design_.toolTip; }

    // Lists (list and combo boxes). Setting ListIndex fires Click.
    void AddItem(const std::wstring& text, int index = -1);
    void RemoveItem(int index);
    void ClearItems();
    int ListCount() const;
    std::wstring List(int index) const;
    int ListIndex() const;
    void SetListIndex(int index);

    // Containers designed ContentsLater: creates the windows of what the
    // container holds, as the form's load does for the others; once a load.
    void CreateContents();
    bool ContentsCreated() const { return contentsCreated_; }

    // Screen readers read a field by the label right before it in the tab
    // order (Form keeps that label right before it in window order too).
    // A field without such a label of its own is read by this name.
    void SetAccessibleName(std::wstring name);
    // A control the program draws itself (a picture box) is told to screen
    // readers by the view, which outlives the control's window.
    void SetAccessibleView(const AccessibleView* view);
    // Tells screen readers of a change (EVENT_OBJECT_FOCUS, _SELECTION,
    // _NAMECHANGE ...) of the control or of one of its view's parts.
    void NotifyAccessible(DWORD event, long part = CHILDID_SELF) const;

    // Picture boxes and images.
    void SetPicture(Picture picture);
    const Picture& GetPicture() const { return picture_; }

    // Events. Handlers may be left empty.
    std::function<void()> OnClick;
    // Text boxes, and the text of editable combo boxes as the user types.
    std::function<void()> OnChange;
    // List boxes: a double-click of the left button.
    std::function<void()> OnDblClick;
    // Before the focus leaves the control for another one that checks;
    // cancel keeps the focus here.
    std::function<void(bool& cancel)> OnValidate;
    std::function<void()> OnGotFocus;
    std::function<void()> OnLostFocus;
    std::function<void(int keyCode, int shift)> OnKeyDown;
    // button and shift as the form's mouse events; x, y in designed pixels.
    std::function<void(int button, int shift, int x, int y)> OnMouseDown;
    std::function<void(int button, int shift, int x, int y)> OnMouseUp;
    // Picture boxes, after the background and the picture.
    std::function<void(HDC dc)> OnPaint;

private:
    friend class Form;
    // Called by the form while it loads; parent is the form's or the
    // container's window.
    void Create(HWND parent, HFONT font, HFONT boldFont, int id, bool startsGroup);
    // Where the window goes at the form's resolution, within its container.
    RECT PlaceOnForm() const;
    // Places the window again and gives it the fonts, after the form's
    // resolution changed.
    void LayOut(HFONT font, HFONT boldFont);
    // The sizes that follow the font: a list designed WholeRows shortened to
    // whole rows, a label made as tall as a line of its type.
    void FitToFont();
    void FitWholeRows();
    void FitLabelHeight();
    void Destroyed();
    bool TakesFocus() const;
    // Picture boxes: whether a control they hold takes the focus, which
    // they then pass on instead of taking it.
    bool HoldsFocusableControl() const;
    // Shown and enabled, and so are its containers.
    bool Usable() const;
    // The cancel button never asks the focused control to accept its value:
    // leaving without saving must work whatever was typed.
    bool CausesValidation() const { return !design_.isCancel; }
    // Whether the tab key may bring the focus here now.
    bool CanTakeTab() const;
    bool IsContainer() const;
    // Whether the form creates this control's window now: its container's
    // window is there, and so are the container's contents.
    bool Due() const;
    // What the parent's WM_COMMAND reports for this control.
    void Command(WORD code);
    void SelectOption();
    void MouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ContainerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintContainer();
    // The name a field is read by: its own, or its label's; empty for none.
    std::wstring AccessibleName() const;
    // WM_GETOBJECT to the control's window or to the edit box of an editable
    // combo box: a field the system's account leaves unnamed, or names
    // otherwise, is named once per window, the first time a screen reader asks.
    std::optional<LRESULT> AccessibleRequest(HWND window, bool& nameSettled, WPARAM wParam,
                                             LPARAM lParam);
    // An editable combo box's edit box holds the focus, so it is read by the
    // combo box's name; it goes through SubclassProc for that alone.
    void SubclassInnerEdit();
    LRESULT InnerEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A field's name where the annotation service is missing.
    AccessiblePart Whole() const override;
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Form& form_;
    std::wstring name_;
    ControlDesign design_;
    Control* container_;
    bool hasChildren_ = false;
    HWND window_ = nullptr;
    int id_ = 0;
    WNDPROC previous_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    bool bold_ = false;
    bool contentsCreated_ = false;
    Picture picture_;
    std::wstring accessibleName_;
    const AccessibleView* view_ = nullptr;
    bool nameSettled_ = false;  // for this window
    HWND innerEdit_ = nullptr;
    WNDPROC innerPrevious_ = nullptr;
    bool innerNameSettled_ = false;  // for this edit box
};
