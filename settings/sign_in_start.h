#pragma once
// Whether Korvane starts when the user signs in to Windows: the value
// "Korvane" of a Run key, the user's own or, made by the installer for all
// users, the machine's. The installers write and remove the same values, so
// each sees what the other did.

#include <string>

enum class SignInStart {
    Off,
    ThisUser,  // the user's own entry, which the user may change
    AllUsers,  // the machine's, which only the installer changes
};

SignInStart ReadSignInStart();

// Adds the user's own entry, starting program, or removes it. Raises
// NumberedError when the registry refuses.
void WriteSignInStart(bool on, const std::wstring& program);
