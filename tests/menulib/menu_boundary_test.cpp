// The library's exports built into this test program, whose allocations can
// be made to fail with any type of exception: the caller of an export knows
// no C++ exceptions, so whatever is thrown inside must end there.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <utility>

#include "tests/support/dialog_watcher.h"
#include "tests/support/foreign_failures.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"

extern "C" {
int WINAPI PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                            char* parameters, int x, int y, int dblClickAction);
int WINAPI PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file, char* parameters,
                         int x, int y);
}

namespace {

// The failure the next allocation raises, and how many were raised.
void (*armedFailure)() = nullptr;
int raisedFailures = 0;

}  // namespace

void* operator new(std::size_t size)
{
    if (void (*raise)() = std::exchange(armedFailure, nullptr)) {
        ++raisedFailures;
        raise();
    }
    if (void* block = std::malloc(size > 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

TEST(MenuBoundary, AFailureOfAnyTypeInsideAnExportAnswersNothingChosen)
{
    MenuDriver driver;
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe");
    using Popup = int (*)(HWND, const EntryTable&, AnswerBuffers&);
    const Popup exports[] = {
        [](HWND owner, const EntryTable& entries, AnswerBuffers& buffers) {
            return PopupCommandMenu(owner, entries.Data(), entries.Count(), buffers.File(),
                                    buffers.Parameters(), 50, 50, 1);
        },
        [](HWND owner, const EntryTable& entries, AnswerBuffers& buffers) {
            return PopupItemMenu(owner, entries.Data(), buffers.File(), buffers.Parameters(), 50, 50);
        },
    };
    int ordinal = 0;
    for (const Popup popup : exports) {
        ++ordinal;
        for (const ForeignFailure& failure : ForeignFailures()) {
            AnswerBuffers buffers;
            DialogWatcher watcher;
            raisedFailures = 0;
            armedFailure = failure.raise;
            const int answer = popup(driver.Owner(), table, buffers);
            armedFailure = nullptr;
            ASSERT_EQ(raisedFailures, 1) << "ordinal " << ordinal << ", " << failure.name;
            EXPECT_EQ(answer, 0) << "ordinal " << ordinal << ", " << failure.name;
            EXPECT_TRUE(buffers.Untouched()) << "ordinal " << ordinal << ", " << failure.name;
            EXPECT_TRUE(watcher.Boxes().empty()) << "ordinal " << ordinal << ", " << failure.name;
        }
    }
}
