#pragma once
// What korvane.exe is asked to do by the switches on its command line. No
// Windows dependency: also built natively and checked with sanitizers.
//
// A switch is a word after "/" or "-", in any case; a switch that takes a
// value (a file) is followed by it as the next argument. Arguments are
// separated by blanks or tabs; double quotes group an argument that holds
// blanks and are not part of it. Nothing, or only blanks, starts the pad.
// "/quiet" after the file of /export or /import turns the message boxes off,
// for scripts; a command line that holds it shows none, even when refused.

#include <string>

enum class ProgramAction {
    Run,    // the pad (the only action without a switch)
    Exit,   // /exit: every running pad of this desktop closes as at sign-out
    Export, // /export FILE: the settings written to a settings file
    Import, // /import FILE: the settings read from a settings file
};

// Why a command line cannot be followed.
enum class SwitchProblem {
    None,
    Unknown,       // the first argument is no switch this program knows
    ValueMissing,  // the switch needs a value and has none
    Extra,         // something follows the switch (and its value)
};

struct ProgramRequest {
    ProgramAction action = ProgramAction::Run;
    std::wstring value;  // the switch's value, for switches that take one
    SwitchProblem problem = SwitchProblem::None;
    std::wstring argument;  // the argument the problem is about
    bool quiet = false;     // no message box
};

ProgramRequest ParseProgramSwitches(const std::wstring& arguments);
