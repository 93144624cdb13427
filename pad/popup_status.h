#pragma once
// The status window: during a gesture it shows what a release would launch.

#include "forms/form.h"

class cPopupStatus : public Form {
public:
    cPopupStatus();
};
