#include "base/window_boundary.h"

#include <exception>
#include <new>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/scope_exit.h"
#include "base/system.h"

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
            return UiText(IDS_UNEXPECTED_FAILURE) + L" (" + FromAnsi(error.what()) + L")";
        } catch (...) {
        }
    } catch (...) {
    }
    return {};
}

void ShowFailure(HWND window, const std::wstring& text) noexcept
{
    // The box's own loop brings the failing handler more messages (its
    // window's activation, a timer's tick), and each failure would open a
    // box over the last one without end: the first box speaks for them all.
    thread_local bool showing = false;
    if (showing)
        return;
    showing = true;
    const ScopeExit shown([] { showing = false; });
    const HWND owner = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    try {
        MsgBox(text.empty() ? UiText(IDS_UNEXPECTED_FAILURE) : text, MB_OK | MB_ICONEXCLAMATION,
               owner);
    } catch (...) {
        // No memory left even for the text: the failure goes unshown.
    }
}
