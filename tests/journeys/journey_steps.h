#pragma once
// What the journeys add to a user's steps: commands for the probe, and the
// settings as the program stored them.

#include <string>

#include "settings/settings.h"
#include "tests/support/user_steps.h"

// A command line for the probe with one argument that tells launches apart.
std::wstring ProbeCommand(const std::wstring& argument);

// The settings as the program stored them.
void LoadStoredSettings(cSettings& settings);
void SaveSettings(cSettings& settings);
