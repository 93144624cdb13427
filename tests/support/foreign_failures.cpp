#include "tests/support/foreign_failures.h"

#include <windows.h>

#include <exception>
#include <new>
#include <system_error>

namespace {

struct NotAStandardException {
    int code = 7;
};

}  // namespace

const std::vector<ForeignFailure>& ForeignFailures()
{
    static const std::vector<ForeignFailure> failures = {
        {"std::bad_alloc", [] { throw std::bad_alloc(); }},
        {"std::system_error",
         [] { throw std::system_error(ERROR_ACCESS_DENIED, std::system_category(), "open"); }},
        {"std::exception", [] { throw std::exception(); }},
        {"a type of its own", [] { throw NotAStandardException{}; }},
    };
    return failures;
}
