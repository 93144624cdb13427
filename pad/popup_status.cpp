#include "pad/popup_status.h"

#include "pad/popup_design.h"

// The status window measures in twips.
cPopupStatus::cPopupStatus() : Form(L"cPopupStatus", PopupDesign(120, 20, ScaleMode::Twips)) {}
