#pragma once
// The key-list tip: all key commands, shown while the pointer rests on the pad.

#include "forms/form.h"

class cPopupTip : public Form {
public:
    cPopupTip();
};
