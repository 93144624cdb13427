#include "base/window_boundary.h"

#include <exception>
#include <new>

#include "base/numbered_error.h"
#include "base/system.h"

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
    try {
        MsgBox(text.empty() ? std::wstring(kUnexpectedFailure) : text, MB_OK | MB_ICONEXCLAMATION,
               owner);
    } catch (...) {
        // No memory left even for the text: the failure goes unshown.
    }
}
