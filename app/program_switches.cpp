#include "app/program_switches.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

struct Switch {
    const wchar_t* name;  // in lower case
    ProgramAction action;
    bool takesValue;
    bool takesQuiet;  // "/quiet" may follow
};

// One row per switch: a new switch is a new row (and its action in WinMain).
constexpr Switch kSwitches[] = {
    {L"exit", ProgramAction::Exit, false, false},
    {L"export", ProgramAction::Export, true, true},
    {L"import", ProgramAction::Import, true, true},
};

constexpr wchar_t kQuiet[] = L"quiet";

std::vector<std::wstring> SplitArguments(const std::wstring& text)
{
    std::vector<std::wstring> arguments;
    std::wstring current;
    bool inArgument = false;
    bool quoted = false;
    for (const wchar_t c : text) {
        if (c == L'"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

// The switch's name in lower case; empty for an argument that is no switch.
std::wstring SwitchName(const std::wstring& argument)
{
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-'))
        return {};
    std::wstring name;
    for (size_t i = 1; i < argument.size(); ++i)
        name += static_cast<wchar_t>(std::towlower(argument[i]));
    return name;
}

const Switch* FindSwitch(const std::wstring& argument)
{
    const std::wstring name = SwitchName(argument);
    for (const Switch& candidate : kSwitches) {
        if (name == candidate.name)
            return &candidate;
    }
    return nullptr;
}

ProgramRequest Refused(SwitchProblem problem, const std::wstring& argument, bool quiet)
{
    ProgramRequest request;
    request.problem = problem;
    request.argument = argument;
    request.quiet = quiet;
    return request;
}

}  // namespace

ProgramRequest ParseProgramSwitches(const std::wstring& arguments)
{
    const std::vector<std::wstring> words = SplitArguments(arguments);
    if (words.empty())
        return {};
    const auto isQuiet = [](const std::wstring& word) { return SwitchName(word) == kQuiet; };
    const bool quiet = std::any_of(words.begin(), words.end(), isQuiet);
    const Switch* found = FindSwitch(words[0]);
    if (!found)
        return Refused(SwitchProblem::Unknown, words[0], quiet);
    size_t expected = found->takesValue ? 2 : 1;
    if (words.size() < expected || (found->takesValue && isQuiet(words[1])))
        return Refused(SwitchProblem::ValueMissing, words[0], quiet);
    if (found->takesQuiet && words.size() == expected + 1 && isQuiet(words[expected]))
        ++expected;
    if (words.size() > expected)
        return Refused(SwitchProblem::Extra, words[expected], quiet);
    ProgramRequest request;
    request.action = found->action;
    if (found->takesValue)
        request.value = words[1];
    request.quiet = quiet;
    return request;
}
