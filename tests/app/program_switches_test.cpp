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

// /quiet belongs after the file; a line that holds it anywhere shows no box.
TEST(ProgramSwitches, ExportAndImportTakeAFileAndQuiet)
{
    const struct {
        const wchar_t* line;
        ProgramAction action;
        SwitchProblem problem;
        const wchar_t* valueOrArgument;
        bool quiet;
    } rows[] = {
        {L"/export \"C:\\My Files\\k.korvane.json\"", ProgramAction::Export, SwitchProblem::None,
         L"C:\\My Files\\k.korvane.json", false},
        {L"-IMPORT k.korvane.json /Quiet", ProgramAction::Import, SwitchProblem::None,
         L"k.korvane.json", true},
        {L"/import", ProgramAction::Run, SwitchProblem::ValueMissing, L"/import", false},
        {L"/import /quiet", ProgramAction::Run, SwitchProblem::ValueMissing, L"/import", true},
        {L"/export a b", ProgramAction::Run, SwitchProblem::Extra, L"b", false},
        {L"/export a /quiet b", ProgramAction::Run, SwitchProblem::Extra, L"/quiet", true},
        {L"/exit /quiet", ProgramAction::Run, SwitchProblem::Extra, L"/quiet", true},
        {L"/quiet", ProgramAction::Run, SwitchProblem::Unknown, L"/quiet", true},
    };
    for (const auto& row : rows) {
        const ProgramRequest request = ParseProgramSwitches(row.line);
        EXPECT_EQ(request.action, row.action) << row.line;
        EXPECT_EQ(request.problem, row.problem) << row.line;
        EXPECT_EQ(row.problem == SwitchProblem::None ? request.value : request.argument,
                  row.valueOrArgument)
            << row.line;
        EXPECT_EQ(request.quiet, row.quiet) << row.line;
    }
}
