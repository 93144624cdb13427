#include "app/program_switches.h"

#include <gtest/gtest.h>

TEST(ProgramSwitches, NoSwitchRunsThePadAndExitIsTakenInAnySpelling)
{
    for (const wchar_t* line : {L"", L"   ", L"\t"}) {
        const ProgramRequest request = ParseProgramSwitches(line);
        EXPECT_EQ(request.action, ProgramAction::Run) << line;
        EXPECT_EQ(request.problem, SwitchProblem::None) << line;
    }
    for (const wchar_t* line : {L"/exit", L"-exit", L"/EXIT", L"  /Exit\t", L"\"/exit\""}) {
        const ProgramRequest request = ParseProgramSwitches(line);
        EXPECT_EQ(request.action, ProgramAction::Exit) << line;
        EXPECT_EQ(request.problem, SwitchProblem::None) << line;
    }
}

// A command line that cannot be followed starts nothing: a mistyped /exit
// must not start a pad, least of all while an installer is closing them.
TEST(ProgramSwitches, UnknownSwitchesAndExtraArgumentsAreRefusedByName)
{
    const struct {
        const wchar_t* line;
        SwitchProblem problem;
        const wchar_t* argument;
    } rows[] = {
        {L"/exti", SwitchProblem::Unknown, L"/exti"},
        {L"exit", SwitchProblem::Unknown, L"exit"},
        {L"/", SwitchProblem::Unknown, L"/"},
        {L"/exit/exit", SwitchProblem::Unknown, L"/exit/exit"},
        {L"/exit now", SwitchProblem::Extra, L"now"},
        {L"/exit \"C:\\a b\"", SwitchProblem::Extra, L"C:\\a b"},
    };
    for (const auto& row : rows) {
        const ProgramRequest request = ParseProgramSwitches(row.line);
        EXPECT_EQ(request.action, ProgramAction::Run) << row.line;
        EXPECT_EQ(request.problem, row.problem) << row.line;
        EXPECT_EQ(request.argument, row.argument) << row.line;
    }
}
