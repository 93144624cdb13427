#pragma once
// What korvane.exe is asked to do by the switches on its command line. No
// Windows dependency: also built natively and checked with sanitizers.
//
// A switch is a word after "/" or "-", in any case; a switch that takes a
// value (a file) is followed by it as the next argument. Arguments are
// separated by blanks or tabs; double quotes group an argument that holds
// blanks and are not part of it. Nothing, or only blanks, starts the pad.

#include <string>

enum class ProgramAction {
    Run,    // the pad (the only action without a switch)
    Exit,   // /exit: every running pad of this desktop closes as at sign-out
};

struct ProgramRequest {
    ProgramAction action = ProgramAction::Run;
    std::wstring value;  // the switch's value, for switches that take one
    std::wstring error;  // why the command line cannot be followed; empty when it can
};

ProgramRequest ParseProgramSwitches(const std::wstring& arguments);
