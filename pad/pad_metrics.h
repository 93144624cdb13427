#pragma once
// The screen and a form's place as the pad's rules take them: whole twips,
// and whole pixels by integer division of those.

#include "base/plane.h"
#include "forms/form.h"
#include "pad/pad_units.h"

// The primary screen now, in whole twips and twips per pixel.
ScreenMetrics CurrentScreenMetrics();

// The form's top-left corner in whole twips.
Point CornerTwips(Form& form);
// The form's top-left corner in screen pixels.
Point CornerPixels(Form& form);
