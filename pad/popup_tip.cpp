#include "pad/popup_tip.h"

#include "pad/popup_design.h"

// The tip measures in pixels.
cPopupTip::cPopupTip() : Form(L"cPopupTip", PopupDesign(200, 100, ScaleMode::Pixels)) {}
