#pragma once
// Failures of types that are not the program's own error: what the runtime,
// the standard library or other code may raise inside a handler.

#include <string>
#include <vector>

struct ForeignFailure {
    std::string name;
    void (*raise)();
};

// std::bad_alloc, std::system_error, a plain std::exception and a type
// outside the standard's hierarchy.
const std::vector<ForeignFailure>& ForeignFailures();
