// GNU's C++ runtime ends an uncaught exception through a handler that
// demangles the exception's type name and prints it to the standard error
// stream. A windowed program has no such stream, and the demangler alone is
// some 46 KB of each binary; no exception is meant to get that far (the
// window procedures catch them), so the program ends at once instead. Built
// into korvane.exe and korvane.dll as an object of their own: taken from an
// archive it would come too late to stand in for the runtime's handler.

#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
