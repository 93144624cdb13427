#include "commands/compiled_menu.h"

#include <optional>

#include "base/system.h"
#include "commands/launch.h"
#include "menulib/answer_text.h"

namespace {

// A stand-in starts with a character that no file name holds, so neither a
// file the library lists nor another entry can read as one.
constexpr char kStandInMark = '?';

std::string StandIn(size_t index) { return kStandInMark + std::to_string(index); }

}  // namespace

CompiledMenu::CompiledMenu(std::vector<MenuEntryText> entries) : entries_(std::move(entries))
{
    // All strings first: their addresses must not move once taken.
    text_.reserve(entries_.size() * 3);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const MenuEntryText& entry = entries_[i];
        text_.push_back(ToAnsi(entry.caption));
        std::optional<std::string> program = ExactAnsi(entry.program);
        std::optional<std::string> arguments = ExactAnsi(entry.arguments);
        // The library could answer neither a text too long for its buffers.
        const auto answerable = [](const std::optional<std::string>& text) {
            return text && FitsAnswer(*text);
        };
        // An entry without a program stays one: the library shows it disabled.
        const bool asIs = entry.program.empty() || (answerable(program) && answerable(arguments) &&
                                                    (*program)[0] != kStandInMark);
        text_.push_back(asIs ? std::move(program).value_or(std::string()) : StandIn(i));
        text_.push_back(asIs ? std::move(arguments).value_or(std::string()) : std::string());
    }
    table_.resize(entries_.size());
    for (size_t i = 0; i < table_.size(); ++i)
        table_[i] = {text_[3 * i].c_str(), text_[3 * i + 1].c_str(), text_[3 * i + 2].c_str()};
}

MenuChoice CompiledMenu::Choice(const char* file, const char* parameters) const
{
    MenuChoice answer{AnswerText(file), AnswerText(parameters)};
    if (answer.file.empty() || answer.file[0] != static_cast<wchar_t>(kStandInMark))
        return answer;
    // A stand-in opens its entry's own text; anything else in that form is
    // no file at all.
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (answer.file == FromAnsi(StandIn(i)))
            return {entries_[i].program, entries_[i].arguments};
    }
    return {};
}
