#pragma once
// The screen as the forms measure it: twips (1/1440 inch) per pixel from the
// screen's resolution, its size in twips, and the wait pointer.

#include <windows.h>

#include <string>

// The screen's resolution is read once, and again after it has changed.
float TwipsPerPixelX();
float TwipsPerPixelY();
// Dots per inch; 0 when the screen cannot be asked.
int ScreenDpiX();
int ScreenDpiY();
// The forms call this when the system says the display or its settings
// changed; the next question reads the resolution again.
void ScreenResolutionChanged();
// The primary screen's size in twips.
float ScreenWidthTwips();
float ScreenHeightTwips();

// The work area (the screen less the taskbar) of the monitor nearest to a
// window (the primary one for none), or to a rectangle of the screen.
RECT WorkAreaNear(HWND window);
RECT WorkAreaNear(const RECT& area);

// The size in pixels of one line of text as a window draws it in font,
// ampersands included as they are.
SIZE MeasureText(HWND window, HFONT font, const std::wstring& text);
// The same for a caption, whose ampersand before an access key takes no room.
SIZE MeasureCaption(HWND window, HFONT font, const std::wstring& caption);

// Shows the wait (hourglass) pointer over every form of the program while it
// lives; nested instances keep it until the outermost one ends.
class WaitPointer {
public:
    WaitPointer();
    ~WaitPointer();
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

// True while a WaitPointer lives; the forms answer WM_SETCURSOR with it.
bool WaitPointerShown();
// The pointer a form shows now: the wait pointer or the standard arrow.
HCURSOR CurrentFormPointer();
