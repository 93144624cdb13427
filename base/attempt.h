#pragma once
// Steps that may fail on their own: a failure abandons the rest of that step
// only, and the caller goes on with the next one.

#include <exception>

template <typename Step>
void Attempt(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}
