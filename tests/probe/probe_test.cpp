#include <gtest/gtest.h>

#include "base/win_handles.h"
#include "tests/support/probe_log.h"
#include "tests/support/sandbox.h"

namespace {

// Starts the probe directly, with a chosen folder and show command.
bool StartProbe(const std::wstring& arguments, const std::wstring& folder, WORD showWindow)
{
    std::wstring commandLine = L"\"" + ProbeProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace

TEST(Probe, RecordsItsCommandLineFolderAndShowCommandOnePerStart)
{
    TempFolder folder;
    TempFolder work;
    ProbeLogScope log(folder.Path());
    ASSERT_TRUE(StartProbe(L"a \"b c\" 日本語\t%x%", work.Path(), SW_SHOWMINNOACTIVE));
    ASSERT_EQ(log.WaitFor(1).size(), 1u);
    ASSERT_TRUE(StartProbe(L"second", folder.Path(), SW_SHOWMAXIMIZED));
    const std::vector<ProbeRecord> records = log.WaitFor(2);
    ASSERT_EQ(records.size(), 2u);

    EXPECT_EQ(records[0].commandLine, L"\"" + ProbeProgramPath() + L"\" a \"b c\" 日本語\t%x%");
    // The folder as the process saw it: CreateProcess drops the trailing separator.
    EXPECT_EQ(records[0].currentFolder + L"\\", work.Path());
    EXPECT_TRUE(records[0].showWindowGiven);
    EXPECT_EQ(records[0].showWindow, SW_SHOWMINNOACTIVE);
    EXPECT_EQ(records[1].commandLine, L"\"" + ProbeProgramPath() + L"\" second");
    EXPECT_EQ(records[1].showWindow, SW_SHOWMAXIMIZED);
}

TEST(Probe, WaitingForRecordsThatNeverComeEndsInTime)
{
    TempFolder folder;
    ProbeLogScope log(folder.Path());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(log.WaitFor(1, 300).empty());
    EXPECT_LT(GetTickCount() - start, 3000u);
}
