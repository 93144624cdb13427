#include <cmath>
#include <cstring>
#include <vector>

#include "base/utf8_text.h"
#include "commands/slot_rules.h"
#include "objlib/value_text.h"
#include "settings/settings_file.h"
#include "settings/settings_file_fields.h"

namespace {

[[noreturn]] void Refuse(SettingsFileProblem problem, std::vector<std::wstring> values)
{
    throw SettingsFileError(problem, std::move(values));
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// JSON text with indentation: one member or element a line.
class JsonEmitter {
public:
    void Begin(std::string_view name, char open)
    {
        Item(name);
        text_ += open;
        empty_.push_back(true);
    }
    void End(char close)
    {
        const bool empty = empty_.back();
        empty_.pop_back();
        if (!empty)
            NewLine();
        text_ += close;
    }
    void Member(std::string_view name, std::string_view json)
    {
        Item(name);
        text_ += json;
    }
    std::string Finish() { return std::move(text_) + "\r\n"; }

private:
    void NewLine()
    {
        text_ += "\r\n";
        text_.append(2 * empty_.size(), ' ');
    }
    void Item(std::string_view name)
    {
        if (!empty_.empty()) {
            if (!empty_.back())
                text_ += ',';
            empty_.back() = false;
            NewLine();
        }
        if (!name.empty()) {
            text_ += '"';
            text_ += name;
            text_ += "\": ";
        }
    }

    std::string text_;
    std::vector<bool> empty_;  // per open object or array: nothing in it yet
};

std::string Quoted(const std::wstring& text, const std::wstring& path)
{
    if (Utf16Length(text) > kSettingsFileMaxText)
        Refuse(SettingsFileProblem::TextTooLong, {path, std::to_wstring(kSettingsFileMaxText)});
    const auto bytes = Utf8FromWide(text);
    if (!bytes)
        Refuse(SettingsFileProblem::BadUtf16, {path});
    std::string json = "\"";
    for (const char c : *bytes) {
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                json += "\\u00";
                json += kHex[(c >> 4) & 0xF];
                json += kHex[c & 0xF];
            } else {
                json += c;
            }
        }
    }
    return json + '"';
}

std::string Json(bool value, const std::wstring&) { return value ? "true" : "false"; }
std::string Json(std::int32_t value, const std::wstring&) { return std::to_string(value); }
// A place that cannot be read is the centre, as the pad takes it.
std::string Json(float value, const std::wstring&)
{
    return Ascii(FormatFloatText(std::isfinite(value) ? value : 0.5f));
}
std::string Json(const std::wstring& text, const std::wstring& path) { return Quoted(text, path); }

// An object of the fields of a table.
template <typename Record, std::size_t N>
void WriteFields(JsonEmitter& out, std::string_view name, const Record& record,
                 const NamedField<Record> (&fields)[N], const std::wstring& path)
{
    out.Begin(name, '{');
    for (const NamedField<Record>& field : fields) {
        const std::wstring fieldPath = path + L"." + std::wstring(field.name, field.name + std::strlen(field.name));
        out.Member(field.name, std::visit(
                                   [&](auto member) {
                                       CheckField(field.limits, record.*member, fieldPath);
                                       return Json(record.*member, fieldPath);
                                   },
                                   field.member));
    }
    out.End('}');
}

template <std::size_t N>
void WriteSlots(JsonEmitter& out, std::string_view name, CommandListKind kind,
                const std::array<CommandRecord, N>& slots)
{
    out.Begin(name, '{');
    for (std::size_t i = 0; i < N; ++i) {
        if (slots[i] == CommandRecord{})
            continue;
        const std::wstring key = SlotKeyName(kind, FirstStoredSlot(kind) + static_cast<std::int32_t>(i));
        WriteFields(out, Ascii(key), slots[i], kCommandFields,
                    std::wstring(name.begin(), name.end()) + L"." + key);
    }
    out.End('}');
}

}  // namespace

std::string WriteSettingsFile(const SettingsRecord& settings)
{
    if (settings.menus.size() > kSettingsFileMaxMenus)
        Refuse(SettingsFileProblem::TooManyMenus, {std::to_wstring(kSettingsFileMaxMenus)});
    JsonEmitter out;
    out.Begin("", '{');
    out.Member("format", std::string("\"") + kSettingsFileFormat + '"');
    out.Member("version", std::to_string(kSettingsFileVersion));
    WriteFields(out, "options", settings, kOptionFields, L"options");
    WriteFields(out, "position", settings, kPositionFields, L"position");

    WriteSlots(out, "drags", CommandListKind::Drags, settings.drags);
    WriteSlots(out, "keys", CommandListKind::Keys, settings.keys);

    out.Begin("menus", '[');
    for (std::size_t i = 0; i < settings.menus.size(); ++i)
        WriteFields(out, "", settings.menus[i], kCommandFields, L"menus[" + std::to_wstring(i) + L"]");
    out.End(']');
    out.End('}');
    std::string text = out.Finish();
    CheckSettingsFileSize(text.size());
    return text;
}
