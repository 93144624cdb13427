#pragma once
// Steps that may fail on their own: a failure abandons the rest of that step
// only, and the caller goes on with the next one.

#include <string>

#include "base/window_boundary.h"

template <typename Step>
void Attempt(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

// The same, keeping the text of the first failure for the user: failure
// takes it while it is still empty.
template <typename Step>
void Attempt(Step step, std::wstring& failure)
{
    try {
        step();
    } catch (...) {
        if (failure.empty())
            failure = CurrentFailureText();
    }
}
