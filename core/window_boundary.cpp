#include "core/window_boundary.h"

#include <exception>
#include <new>

#include "core/numbered_error.h"
#include "core/system.h"

namespace {

constexpr wchar_t kUnexpectedFailure[] = L"予期しないエラーが発生しました。";

}  // namespace

std::wstring CurrentFailureText() noexcept
{
    try {
        throw;
    } catch (const NumberedError& error) {
        try {
            return error.Description();
        } catch (...) {
        }
    } catch (const std::bad_alloc&) {
        // No memory for a text of its own: the general text will do.
    } catch (const std::exception& error) {
        try {
            return kUnexpectedFailure + (L" (" + FromAnsi(error.what()) + L")");
        } catch (...) {
        }
    } catch (...) {
    }
    return {};
}

void ShowFailure(HWND window, const std::wstring& text) noexcept
{
    const HWND owner = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    MessageBoxW(owner, text.empty() ? kUnexpectedFailure : text.c_str(), L"Korvane",
                MB_OK | MB_ICONEXCLAMATION);
}
