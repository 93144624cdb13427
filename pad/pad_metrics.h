#pragma once
// The monitor and a form's place as the pad's rules take them: whole twips of
// whole twips per pixel, and whole pixels by integer division of those.

#include <windows.h>

#include "base/plane.h"
#include "forms/form.h"
#include "pad/pad_units.h"

// A monitor in whole twips and twips per pixel.
ScreenMetrics ScreenMetricsOf(const Box& monitor);
// The monitor the window is on.
ScreenMetrics CurrentScreenMetrics(HWND window);
// The work area of that monitor, in screen pixels.
Box WorkAreaOf(HWND window);

// The form's top-left corner in screen pixels.
Point CornerPixels(Form& form);
// The form's top-left corner in the twips of the screen metrics.
Point CornerTwips(Form& form, const ScreenMetrics& screen);
// Moves the form's top-left corner to a place in the twips of the screen metrics.
void MoveCornerTo(Form& form, Point twips, const ScreenMetrics& screen);
