#include "app/program_switches.h"

#include <gtest/gtest.h>

TEST(ProgramSwitches, NoSwitchRunsThePadAndExitIsTakenInAnySpelling)
{
    for (const wchar_t* line : {L"", L"   ", L"\t"}) {
        const ProgramRequest request = ParseProgramSwitches(line);
        EXPECT_EQ(request.action, ProgramAction::Run) << line;
        EXPECT_EQ(request.error, L"") << line;
    }
    for (const wchar_t* line : {L"/exit", L"-exit", L"/EXIT", L"  /Exit\t", L"\"/exit\""}) {
        const ProgramRequest request = ParseProgramSwitches(line);
        EXPECT_EQ(request.action, ProgramAction::Exit) << line;
        EXPECT_EQ(request.error, L"") << line;
    }
}

// A command line that cannot be followed starts nothing: a mistyped /exit
// must not start a pad, least of all while an installer is closing them.
TEST(ProgramSwitches, UnknownSwitchesAndExtraArgumentsAreRefusedByName)
{
    const struct {
        const wchar_t* line;
        const wchar_t* named;
    } rows[] = {
        {L"/exti", L"/exti"},
        {L"exit", L"exit"},
        {L"/", L"/"},
        {L"/exit now", L"now"},
        {L"/exit \"C:\\a b\"", L"C:\\a b"},
        {L"/exit/exit", L"/exit/exit"},
    };
    for (const auto& row : rows) {
        const ProgramRequest request = ParseProgramSwitches(row.line);
        EXPECT_EQ(request.action, ProgramAction::Run) << row.line;
        EXPECT_NE(request.error.find(row.named), std::wstring::npos) << row.line;
    }
}
