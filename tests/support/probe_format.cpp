#include "tests/support/probe_format.h"

#include <optional>

namespace {

constexpr wchar_t kEscaped[] = L"%\t\r\n";
constexpr const wchar_t* kEscapes[] = {L"%25", L"%09", L"%0D", L"%0A"};

std::wstring Escape(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        const std::wstring::size_type which = std::wstring(kEscaped).find(c);
        if (which == std::wstring::npos)
            out += c;
        else
            out += kEscapes[which];
    }
    return out;
}

std::optional<std::wstring> Unescape(const std::wstring& text)
{
    std::wstring out;
    for (std::wstring::size_type i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        const std::wstring code = text.substr(i, 3);
        bool known = false;
        for (int k = 0; k < 4; ++k) {
            if (code == kEscapes[k]) {
                out += kEscaped[k];
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
        i += 2;
    }
    return out;
}

std::vector<std::wstring> Split(const std::wstring& line, wchar_t separator)
{
    std::vector<std::wstring> fields(1);
    for (wchar_t c : line) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::optional<int> Number(const std::wstring& text)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::optional<ProbeRecord> DecodeLine(const std::wstring& line)
{
    const std::vector<std::wstring> fields = Split(line, L'\t');
    if (fields.size() != 4)
        return std::nullopt;
    const auto commandLine = Unescape(fields[0]);
    const auto folder = Unescape(fields[1]);
    const auto given = Number(fields[2]);
    const auto show = Number(fields[3]);
    if (!commandLine || !folder || !given || *given > 1 || !show)
        return std::nullopt;
    return ProbeRecord{*commandLine, *folder, *given == 1, *show};
}

}  // namespace

std::wstring EncodeProbeRecord(const ProbeRecord& record)
{
    return Escape(record.commandLine) + L'\t' + Escape(record.currentFolder) + L'\t' +
           (record.showWindowGiven ? L"1" : L"0") + L'\t' + std::to_wstring(record.showWindow) +
           L'\n';
}

std::vector<ProbeRecord> DecodeProbeLog(const std::wstring& text)
{
    std::vector<ProbeRecord> records;
    std::wstring::size_type start = 0;
    for (;;) {
        const std::wstring::size_type end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            break;  // a line still being written
        if (auto record = DecodeLine(text.substr(start, end - start)))
            records.push_back(std::move(*record));
        start = end + 1;
    }
    return records;
}
