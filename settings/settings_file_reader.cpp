#include <algorithm>
#include <cmath>
#include <utility>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/utf8_text.h"
#include "commands/slot_rules.h"
#include "objlib/value_text.h"
#include "settings/settings_file.h"
#include "settings/settings_file_fields.h"

namespace {

using Json = nlohmann::json;

using Problem = SettingsFileProblem;

[[noreturn]] void Refuse(Problem problem, std::vector<std::wstring> values = {})
{
    throw SettingsFileError(problem, std::move(values));
}

std::wstring Wide(std::string_view utf8) { return WideFromUtf8(utf8).value_or(L"?"); }

// The line and the column of a byte offset into the text, counted from 1.
std::vector<std::wstring> Where(std::string_view text, std::size_t offset)
{
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < std::min(offset, text.size()); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {std::to_wstring(line), std::to_wstring(column)};
}

[[noreturn]] void CutShort(std::string_view text)
{
    Refuse(Problem::CutShort, Where(text, text.size()));
}

// A character whose last bytes are missing at the end of the text.
bool EndsPartWay(std::string_view text, std::size_t at)
{
    const std::string_view tail = text.substr(at);
    const auto lead = static_cast<unsigned char>(tail[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return lead >= 0xC2 && lead <= 0xF4 && tail.size() < length &&
           std::all_of(tail.begin() + 1, tail.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

// What the bytes must be before they are read as JSON at all.
void CheckBytes(std::string_view text)
{
    CheckSettingsFileSize(text.size());
    std::string_view body = text;
    if (body.substr(0, 3) == "\xEF\xBB\xBF")
        body.remove_prefix(3);
    if (body.find_first_not_of(" \t\r\n") == std::string_view::npos)
        Refuse(Problem::Empty);
    if (const auto bad = FindInvalidUtf8(text)) {
        if (EndsPartWay(text, *bad))
            CutShort(text);
        Refuse(Problem::BadUtf8, Where(text, *bad));
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        Refuse(Problem::NulByte, Where(text, nul));
}

// One pass over the text; the first error ends it with its message.
class Pass : public nlohmann::json_sax<Json> {
public:
    explicit Pass(std::string_view text) : text_(text) {}
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    void Run()
    {
        if (!Json::sax_parse(text_, this))
            Refuse(Problem::NotJson, Where(text_, 0));
    }

    bool binary(binary_t&) override { Refuse(Problem::NotJson, Where(text_, 0)); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception&) override
    {
        // The position counts the characters read, the failing one included.
        const std::size_t at = position == 0 ? 0 : position - 1;
        if (at >= text_.size())
            CutShort(text_);
        Refuse(Problem::NotJson, Where(text_, at));
    }

private:
    std::string_view text_;
};

// The first pass: the whole text is JSON, and it is a settings file of the
// version this program reads. Only then are its fields looked at, so that a
// file of a later version is refused for its version, not for a new field.
class Envelope : public Pass {
public:
    using Pass::Pass;

    void Check()
    {
        Run();
        if (!formatSeen_)
            NotOurs();
        if (!versionSeen_)
            Refuse(Problem::NoVersion);
    }

    bool null() override { return Other(); }
    bool boolean(bool) override { return Other(); }
    bool number_integer(number_integer_t value) override
    {
        return Version(std::to_wstring(value), value == kSettingsFileVersion);
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        return Version(std::to_wstring(value), value == kSettingsFileVersion);
    }
    bool number_float(number_float_t, const string_t& text) override { return Version(Wide(text), false); }
    bool string(string_t& text) override
    {
        if (!AtRoot("format"))
            return Other();
        if (text != kSettingsFileFormat)
            NotOurs();
        formatSeen_ = true;
        return true;
    }
    bool start_object(std::size_t) override
    {
        if (depth_ > 0)
            Other();
        ++depth_;
        return true;
    }
    bool start_array(std::size_t) override
    {
        Other();
        ++depth_;
        return true;
    }
    bool key(string_t& name) override
    {
        if (depth_ == 1)
            member_ = name;
        return true;
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

private:
    [[noreturn]] static void NotOurs()
    {
        Refuse(Problem::NotSettings, {Wide(kSettingsFileFormat)});
    }

    bool AtRoot(const char* member) const { return depth_ == 1 && member_ == member; }

    // Any value that is not the format text or the version number.
    bool Other()
    {
        if (depth_ == 0 || AtRoot("format"))
            NotOurs();
        if (AtRoot("version"))
            Refuse(Problem::VersionNotInteger);
        return true;
    }
    bool Version(const std::wstring& shown, bool known)
    {
        if (!AtRoot("version"))
            return Other();
        if (!known)
            Refuse(Problem::UnknownVersion, {shown, std::to_wstring(kSettingsFileVersion)});
        versionSeen_ = true;
        return true;
    }
    bool Close()
    {
        --depth_;
        return true;
    }

    int depth_ = 0;
    std::string member_;
    bool formatSeen_ = false;
    bool versionSeen_ = false;
};

// The second pass: every field is one the format has, once, with a value of
// its type and within its limits.
class Fields : public Pass {
public:
    using Pass::Pass;

    SettingsRecord Read()
    {
        Run();
        return std::move(settings_);
    }

    bool null() override { return Mismatch(Next()); }
    bool boolean(bool value) override
    {
        Pending next = Next();
        if (auto* target = std::get_if<bool*>(&next.target)) {
            **target = value;
            return true;
        }
        return Mismatch(next);
    }
    bool number_integer(number_integer_t value) override
    {
        return Integer(static_cast<long double>(value), std::to_wstring(value));
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        return Integer(static_cast<long double>(value), std::to_wstring(value));
    }
    bool number_float(number_float_t, const string_t& text) override
    {
        Pending next = Next();
        if (auto* target = std::get_if<float*>(&next.target)) {
            const auto value = ParseFloatText(Wide(text));
            if (!value || !std::isfinite(*value))
                Refuse(Problem::TooLargeNumber, {next.path, Wide(text)});
            **target = *value;
            return true;
        }
        return Mismatch(next);
    }
    bool string(string_t& text) override
    {
        Pending next = Next();
        auto* target = std::get_if<std::wstring*>(&next.target);
        if (!target)
            return Mismatch(next);
        std::wstring value = Wide(text);
        if (value.find(L'\0') != std::wstring::npos)
            Refuse(Problem::NulInText, {next.path});
        if (Utf16Length(value) > kSettingsFileMaxText)
            Refuse(Problem::TextTooLong, {next.path, std::to_wstring(kSettingsFileMaxText)});
        CheckField(next.limits, value, next.path);
        **target = std::move(value);
        return true;
    }
    bool start_object(std::size_t) override
    {
        Pending next = Next();
        auto* frame = std::get_if<Frame>(&next.target);
        if (!frame || frame->kind == Kind::Menus)
            return Mismatch(next);
        if (frame->kind == Kind::Command && !frame->command) {
            if (settings_.menus.size() >= kSettingsFileMaxMenus)
                Refuse(Problem::TooManyMenus, {std::to_wstring(kSettingsFileMaxMenus)});
            frame->command = &settings_.menus.emplace_back();
        }
        frames_.push_back(std::move(*frame));
        return true;
    }
    bool start_array(std::size_t) override
    {
        Pending next = Next();
        auto* frame = std::get_if<Frame>(&next.target);
        if (!frame || frame->kind != Kind::Menus)
            return Mismatch(next);
        frames_.push_back(std::move(*frame));
        return true;
    }
    bool key(string_t& name) override
    {
        Frame& frame = frames_.back();
        const std::wstring path = frame.path.empty() ? Wide(name) : frame.path + L"." + Wide(name);
        if (std::find(frame.seen.begin(), frame.seen.end(), name) != frame.seen.end())
            Refuse(Problem::Twice, {path});
        frame.seen.push_back(name);
        FieldLimits limits;
        Target target = Resolve(frame, name, limits);
        pending_ = {std::move(target), path, limits};
        if (std::holds_alternative<std::monostate>(pending_.target))
            Refuse(Problem::UnknownField, {path});
        return true;
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

private:
    enum class Kind { Root, Options, Position, Drags, Keys, Menus, Command };
    struct Frame {
        Frame(Kind k, std::wstring p, CommandRecord* c = nullptr) : kind(k), path(std::move(p)), command(c) {}
        Kind kind;
        std::wstring path;
        CommandRecord* command = nullptr;  // a menu entry's is made when its object opens
        std::vector<std::string> seen;     // the members read so far
    };
    using Target = std::variant<std::monostate, bool*, std::int32_t*, float*, std::wstring*, Frame>;
    // Where the next value goes, and its name in messages.
    struct Pending {
        Target target;
        std::wstring path;
        FieldLimits limits = kAnyValue;
    };

    Pending Next()
    {
        if (!frames_.empty() && frames_.back().kind == Kind::Menus) {
            const std::wstring path = L"menus[" + std::to_wstring(settings_.menus.size()) + L"]";
            return {Frame{Kind::Command, path}, path};
        }
        return std::exchange(pending_, Pending{});
    }

    Target Resolve(const Frame& frame, const std::string& name, FieldLimits& limits)
    {
        SettingsRecord& s = settings_;
        const std::wstring path = frame.path.empty() ? Wide(name) : frame.path + L"." + Wide(name);
        switch (frame.kind) {
        case Kind::Root:
            if (name == "format")
                return &ignored_;
            if (name == "version")
                return &ignoredNumber_;
            if (name == "options")
                return Frame{Kind::Options, path};
            if (name == "position")
                return Frame{Kind::Position, path};
            if (name == "drags")
                return Frame{Kind::Drags, path};
            if (name == "keys")
                return Frame{Kind::Keys, path};
            if (name == "menus")
                return Frame{Kind::Menus, path};
            break;
        case Kind::Options:
            return Field(s, kOptionFields, name, limits);
        case Kind::Position:
            return Field(s, kPositionFields, name, limits);
        case Kind::Drags:
            return Slot(CommandListKind::Drags, s.drags.data(), s.drags.size(), name, path);
        case Kind::Keys:
            return Slot(CommandListKind::Keys, s.keys.data(), s.keys.size(), name, path);
        case Kind::Command:
            return Field(*frame.command, kCommandFields, name, limits);
        case Kind::Menus:
            break;
        }
        return {};
    }

    // The record's member of that name in a table of fields, and its limits.
    template <typename Record, std::size_t N>
    static Target Field(Record& record, const NamedField<Record> (&fields)[N], const std::string& name,
                        FieldLimits& limits)
    {
        for (const NamedField<Record>& field : fields) {
            if (name == field.name) {
                limits = field.limits;
                return std::visit([&](auto member) { return Target(&(record.*member)); }, field.member);
            }
        }
        return {};
    }

    static Target Slot(CommandListKind kind, CommandRecord* slots, std::size_t count,
                       const std::string& name, const std::wstring& path)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const std::int32_t slot = FirstStoredSlot(kind) + static_cast<std::int32_t>(i);
            if (Wide(name) == SlotKeyName(kind, slot))
                return Frame{Kind::Command, path, &slots[i]};
        }
        return {};
    }

    bool Integer(long double value, const std::wstring& shown)
    {
        Pending next = Next();
        if (auto* target = std::get_if<float*>(&next.target)) {
            **target = static_cast<float>(value);
            return true;
        }
        auto* target = std::get_if<std::int32_t*>(&next.target);
        if (!target)
            return Mismatch(next);
        if (value < next.limits.least || value > next.limits.greatest)
            Refuse(Problem::OutOfRange, {next.path, shown, std::to_wstring(next.limits.least),
                                         std::to_wstring(next.limits.greatest)});
        **target = static_cast<std::int32_t>(value);
        return true;
    }

    // A value of another type than the field's.
    [[noreturn]] static bool Mismatch(const Pending& next)
    {
        Problem problem = Problem::NotObject;
        if (std::holds_alternative<bool*>(next.target))
            problem = Problem::NotBoolean;
        else if (std::holds_alternative<std::int32_t*>(next.target))
            problem = Problem::NotInteger;
        else if (std::holds_alternative<float*>(next.target))
            problem = Problem::NotNumber;
        else if (std::holds_alternative<std::wstring*>(next.target))
            problem = Problem::NotText;
        else if (auto* frame = std::get_if<Frame>(&next.target); frame && frame->kind == Kind::Menus)
            problem = Problem::NotArray;
        Refuse(problem, {next.path});
    }

    bool Close()
    {
        frames_.pop_back();
        return true;
    }

    SettingsRecord settings_;
    std::vector<Frame> frames_;
    Pending pending_{Frame{Kind::Root, L""}, L""};
    std::wstring ignored_;             // "format", checked by the first pass
    std::int32_t ignoredNumber_ = 0;   // "version", likewise
};

}  // namespace

void CheckSettingsFileSize(std::uint64_t bytes)
{
    if (bytes > kSettingsFileMaxBytes)
        Refuse(Problem::TooLarge, {std::to_wstring(kSettingsFileMaxBytes >> 20)});
}

SettingsRecord ReadSettingsFile(std::string_view text)
{
    CheckBytes(text);
    Envelope(text).Check();
    return Fields(text).Read();
}
