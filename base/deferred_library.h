#pragma once
// A system DLL that the program does not need to show its window, loaded the
// first time one of its functions is called rather than when the program
// starts, and each such function's address, looked up once and kept.
//
// A DeferredFunction is called like the function it stands for. When the DLL
// or the function cannot be had, the call does nothing and answers the
// failure value given with the declaration, with the last error saying why.
// (With MSVC, /DELAYLOAD does the same for imports; the delay-import
// libraries of mingw-w64's dlltool for i686 link each call to address 0, so
// the program does it itself, the same way for both compilers.)

#include <windows.h>

#include <type_traits>

class DeferredLibrary {
public:
    // fileName: the DLL's file name in the system folder.
    explicit constexpr DeferredLibrary(const wchar_t* fileName) : fileName_(fileName) {}
    DeferredLibrary(const DeferredLibrary&) = delete;
    DeferredLibrary& operator=(const DeferredLibrary&) = delete;

    // Loads the DLL from the system folder unless it is loaded; null when it
    // cannot be. Once loaded it stays for the life of the process, as an
    // imported DLL does.
    HMODULE Module();
    // The address of an exported function, loading the DLL first; null when
    // there is none.
    FARPROC Address(const char* function);

private:
    const wchar_t* fileName_;
    HMODULE module_ = nullptr;
};

template <typename Function>
class DeferredFunction;

template <typename Result, typename... Args>
class DeferredFunction<Result(WINAPI*)(Args...)> {
    using Pointer = Result(WINAPI*)(Args...);
    // What a call answers when the function cannot be had (unused for void).
    using Failure = std::conditional_t<std::is_void_v<Result>, int, Result>;

public:
    constexpr DeferredFunction(DeferredLibrary& library, const char* name, Failure failure = {})
        : library_(&library), name_(name), failure_(failure)
    {
    }
    DeferredFunction(const DeferredFunction&) = delete;
    DeferredFunction& operator=(const DeferredFunction&) = delete;

    Result operator()(Args... args)
    {
        const Pointer function = Get();
        if constexpr (std::is_void_v<Result>) {
            if (function)
                function(args...);
        } else {
            return function ? function(args...) : failure_;
        }
    }

    // The function's address, looked up on the first call; null when the
    // DLL or the function is missing.
    Pointer Get()
    {
        if (!address_)
            address_ = reinterpret_cast<Pointer>(reinterpret_cast<void*>(library_->Address(name_)));
        return address_;
    }

private:
    DeferredLibrary* library_;
    const char* name_;
    Failure failure_;
    Pointer address_ = nullptr;
};
