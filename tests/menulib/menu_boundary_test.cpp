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

// The runtime's own delete gives the block back to free().
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

TEST(MenuBoundary, AFailureOfAnyTypeInsideAnExportAnswersNothingChosen)
{
    MenuDriver driver;
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe");
    for (int ordinal : {1, 2}) {
        for (const ForeignFailure& failure : ForeignFailures()) {
            AnswerBuffers buffers;
            DialogWatcher watcher;
            raisedFailures = 0;
            armedFailure = failure.raise;
            const int answer =
                ordinal == 1 ? PopupCommandMenu(driver.Owner(), table.Data(), table.Count(), buffers.File(),
                                                buffers.Parameters(), 50, 50, 1)
                             : PopupItemMenu(driver.Owner(), table.Data(), buffers.File(),
                                             buffers.Parameters(), 50, 50);
            armedFailure = nullptr;
            const std::string where = "ordinal " + std::to_string(ordinal) + ", " + failure.name;
            ASSERT_EQ(raisedFailures, 1) << where;
            EXPECT_EQ(answer, 0) << where;
            EXPECT_TRUE(buffers.Untouched()) << where;
            EXPECT_TRUE(watcher.Boxes().empty()) << where;
        }
    }
}
