#pragma once
// A form: one top-level window whose messages become the events the form
// handles. The form object outlives its window: after Unload it can be
// loaded again, and using its window loads it on the way.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "forms/accessible.h"
#include "forms/picture.h"

class Control;
class Timer;

// The unit of a form's own coordinates (pointer positions, ScaleWidth).
enum class ScaleMode { Twips, Pixels };

// Mouse buttons and shift keys as the events report them, as bit masks.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
// The shift mask of the keys held now, and of a mouse message's key flags.
int ShiftKeysDown();
int ShiftOfMouse(WPARAM keys);

// What a form's window looks like when it is created. Sizes in pixels are
// designed pixels: pixels at 96 DPI (15 twips per pixel), which the form lays
// out at the resolution of the monitor it is on.
struct FormDesign {
    std::wstring caption;
    DWORD style = WS_POPUP | WS_BORDER;
    DWORD exStyle = 0;
    int clientWidth = 0;  // designed pixels
    int clientHeight = 0;
    int backColor = COLOR_BTNFACE;  // system colour index
    ScaleMode scaleMode = ScaleMode::Twips;
    int iconResource = 0;  // the form's own icon; 0 for none
    // The controls' font; the system's dialog font when empty.
    std::wstring fontName;
    int fontPoints = 9;
    // The form sees the keys of its controls first (Form_KeyPreview).
    bool keyPreview = false;
    // The controls get their tool-tips once the form's first paint has been
    // handled rather than while it loads: for forms shown as they load.
    bool toolTipsAfterFirstPaint = false;
};

// A fixed-size dialog window measured in pixels, with the program's dialog font.
FormDesign DialogDesign(std::wstring caption, int clientWidth, int clientHeight);

class Form {
public:
    Form(std::wstring name, FormDesign design);
    // Destroys a window that is still loaded, without the unload event.
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::wstring& Name() const { return name_; }

    // Creates the window hidden, then runs Form_Load; nothing when loaded.
    void Load();
    // Loads when needed and shows the window modeless; a non-null owner
    // becomes the window's owner. Without activate the active window stays.
    void Show(HWND owner = nullptr, bool activate = true);
    void Hide();
    // Loads when needed, shows the window and returns when it has been
    // hidden or unloaded. Meanwhile every other window of the thread is
    // disabled, and messages are dispatched in a loop of the form's own. A
    // non-null owner becomes the window's owner.
    void ShowModal(HWND owner = nullptr);
    // Runs Form_Unload and, unless it cancels, destroys the window. True when
    // the form is unloaded afterwards.
    bool Unload();
    // Unloads once the message being handled now, and every handler it runs,
    // has returned: for handlers that end their own form.
    void UnloadLater();

    bool IsLoaded() const { return window_ != nullptr; }
    bool Visible() const;
    // The window, loading the form first when it is not loaded.
    HWND LoadedWindow();
    // The window by the name forms have always given it, which loads too.
    HWND hWnd() { return LoadedWindow(); }
    // The window if the form is loaded, else null; never loads.
    HWND Handle() const { return window_; }

    // The whole window's position and size, in twips; for a minimised
    // window, those it has when restored. These and the other members that
    // need the window load the form first.
    float Left();
    float Top();
    float Width();
    float Height();
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);
    // Centres the window over a rectangle of the screen (pixels), then moves
    // it as little as needed to lie wholly in the work area of its monitor;
    // one larger than that area keeps its top-left corner inside. The form
    // is laid out for that monitor's resolution first.
    void MoveCentredOver(const RECT& area);
    // The client area in the form's scale.
    float ScaleWidth();
    float ScaleHeight();
    ScaleMode Scale() const { return design_.scaleMode; }

    // Dots per inch of the monitor the form is laid out for: that of its
    // window, taken when it loads and again when the system says it moved to
    // a monitor of another resolution.
    int Dpi() const { return dpi_; }
    // A designed size in pixels at the form's resolution, and back.
    int Scaled(int designPixels) const;
    RECT Scaled(const RECT& design) const;
    int DesignPixels(int pixels) const;

    // The image shown at the client area's top-left corner.
    const Picture& GetPicture() const { return picture_; }
    void SetPicture(Picture picture);
    // The form's own icon as a picture of width × height pixels, the icon's
    // image of that size where it holds one (empty without an icon).
    Picture OwnIcon(int width, int height) const;

    // What screen readers read after the form's name: how to use it.
    void SetAccessibleDescription(std::wstring description);

    // The control that has the keyboard focus, or null.
    Control* ActiveControl() const;
    // Runs the Validate event of the control that has the focus; false when
    // it cancelled, and the focus is then back in that control.
    bool ValidateActiveControl();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(bool& /*cancel*/) {}
    // After the background and the picture have been drawn.
    virtual void Form_Paint(HDC /*dc*/) {}
    // Once per load, in a message the first paint posts: it runs before any
    // input that waits in the queue. The form's icons are set after it.
    virtual void Form_AfterFirstPaint() {}
    // button: the one button pressed or released; for moves, those held.
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyUp(int /*keyCode*/, int /*shift*/) {}
    // A double-click of the left button, in place of its second press.
    virtual void Form_DblClick() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    // Any message no event stands for, before the default handling; an
    // answer replaces the default handling.
    virtual std::optional<LRESULT> Form_Message(UINT /*message*/, WPARAM, LPARAM) { return {}; }
    // With keyPreview: a key pressed in one of the form's controls, before
    // the control sees it; true swallows the key.
    virtual bool Form_KeyPreview(int /*keyCode*/, int /*shift*/) { return false; }
    // The window has moved to a monitor of another resolution and the
    // controls and their fonts are laid out for it (Dpi()); suggested is
    // where the system proposes the window to be, at its new size. By
    // default the window takes it.
    virtual void Form_DpiChanged(const RECT& suggested);

    // Lays the form's controls and fonts out for another resolution; the
    // window's own size is the caller's.
    void AdoptDpi(int dpi);
    // Lays the form out for another resolution, then lets it take its place
    // and size (Form_DpiChanged).
    void ChangeDpi(int dpi, const RECT& suggested);

    // The controls follow one another in the tab order in this sequence,
    // from the place of the first of them; the others keep their places.
    // The declared order, and so the z-order, stays as it is.
    void SetTabOrder(std::initializer_list<Control*> sequence);

private:
    friend class Control;
    friend class Timer;
    friend bool TranslateFormMessage(MSG& message);
    friend int RunMessageLoop();
    friend int LoadedFormCount();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchKey(UINT message, WPARAM wParam);
    void Paint();
    void AfterFirstPaint();
    void SetIcons();
    void Attach(HWND window);
    void Detached();
    float ToScale(int pixels, float twipsPerPixel) const;
    // The window's size for the designed client area at a resolution.
    SIZE DesignedSize(int dpi) const;
    void CentreOver(const RECT& area);
    void MakeFonts();
    void CreateControls();
    // Creates the windows of the controls that have none and are due, in the
    // order declared.
    void CreateDueControls();
    std::optional<LRESULT> DispatchControls(UINT message, WPARAM wParam, LPARAM lParam);
    bool PreTranslate(MSG& message);
    bool MovesFocus(const MSG& message) const;
    void UpdateToolTip(const Control& control);
    // The controls' tool-tips, given once per load.
    void ShowToolTips();
    // The tips' width for the form's resolution.
    void ScaleToolTips();
    // Wakes the modal loop of this form when the message ends it.
    void WakeModalLoop(UINT message, LPARAM lParam) const;
    // The control the tab key moves to from a control (or from none): the
    // tab order, whatever the windows' z-order is.
    Control* NextTabStop(const Control* from, bool backwards) const;
    void FocusNext(bool backwards);
    void FocusTabStop(Control& next);
    // A typed access key; false when no control marks it.
    bool PressAccessKey(wchar_t key);
    // The label a field follows in the tab order, in the same container;
    // null for other controls.
    Control* LabelBefore(const Control& field) const;
    // Puts each label right before its field in window order too, where
    // screen readers look for it. Nothing drawn changes: a label does not
    // overlap its field.
    void PlaceLabels();

    // The form's window as screen readers see it: the standard account
    // with the form's description.
    class DescribedForm : public AccessibleView {
    public:
        std::wstring description;
        AccessiblePart Whole() const override
        {
            AccessiblePart whole;
            whole.description = description;
            return whole;
        }
    };

    // Forms loaded now in the process, whether the program's loop runs, and
    // the forms' window class once registered.
    static inline int loadedForms_ = 0;
    static inline bool loopRunning_ = false;
    static inline ATOM formClass_ = 0;

    std::wstring name_;
    FormDesign design_;
    HWND window_ = nullptr;
    bool unloading_ = false;
    bool inModalLoop_ = false;
    int dpi_ = 96;
    Picture picture_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::vector<Timer*> timers_;
    std::vector<Control*> controls_;  // as declared
    std::vector<Control*> tabOrder_;
    UniqueGdiObject<HFONT> font_;
    UniqueGdiObject<HFONT> boldFont_;
    HWND toolTip_ = nullptr;  // owned by the form's window
    bool painted_ = false;       // the first paint of this load has been handled
    bool toolTipsShown_ = false;  // the controls' tool-tips are given
    HWND lastFocus_ = nullptr;
    bool validating_ = false;
    DescribedForm described_;
};

// What a message loop does with a message for a form that has controls
// before translating and dispatching it: keyboard navigation, default and
// cancel buttons, validation, the form's key preview. True when the message
// has been handled.
bool TranslateFormMessage(MSG& message);

// Runs the message loop while any form is loaded; returns when the last one
// has been unloaded (at once when none is).
int RunMessageLoop();
// How many forms are loaded now.
int LoadedFormCount();
