#include "base/language_choice.h"
#include "settings/settings_file.h"
#include "settings/settings_file_fields.h"

void CheckField(const FieldLimits& limits, std::int32_t value, const std::wstring& path)
{
    if (value < limits.least || value > limits.greatest)
        throw SettingsFileError(SettingsFileProblem::OutOfRange,
                                {path, std::to_wstring(value), std::to_wstring(limits.least),
                                 std::to_wstring(limits.greatest)});
}

void CheckField(const FieldLimits& limits, const std::wstring& text, const std::wstring& path)
{
    if (limits.language && !text.empty() && !StoredLanguage(text))
        throw SettingsFileError(SettingsFileProblem::NotALanguage, {path, text});
}
