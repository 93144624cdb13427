#pragma once
// Failures of types that are not the program's own error, as the runtime,
// the standard library or other code may raise them inside a handler:
// std::bad_alloc, std::system_error, a plain std::exception and a type
// outside the standard's hierarchy.

#include <windows.h>

#include <exception>
#include <new>
#include <string>
#include <system_error>
#include <vector>

struct ForeignFailure {
    std::string name;
    void (*raise)();
};

inline const std::vector<ForeignFailure>& ForeignFailures()
{
    struct NotAStandardException {};
    static const std::vector<ForeignFailure> failures = {
        {"std::bad_alloc", [] { throw std::bad_alloc(); }},
        {"std::system_error",
         [] { throw std::system_error(ERROR_ACCESS_DENIED, std::system_category(), "open"); }},
        {"std::exception", [] { throw std::exception(); }},
        {"a type of its own", [] { throw NotAStandardException{}; }},
    };
    return failures;
}
