#include "dialogs/file_type_verbs.h"

#include <windows.h>

#include "dialogs/verb_text.h"
#include "objlib/persist.h"
#include "objlib/registry.h"

namespace {

// Verb names compare without regard to letter case, in the user's locale.
std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The key whose "shell" key holds the verbs, or empty when there is none.
std::wstring ClassKeyOf(const std::wstring& extensionKey)
{
    RegistryRoot root;
    if (root.KeyExists(HKEY_CLASSES_ROOT, extensionKey + L"\\shell"))
        return extensionKey;
    RegistryKey key = Persistence().KeyOf(root.OpenKey(HKEY_CLASSES_ROOT, extensionKey));
    const std::wstring className = key.ReadValue(L"", L"");
    if (className.empty() || !root.KeyExists(HKEY_CLASSES_ROOT, className + L"\\shell"))
        return std::wstring();
    return className;
}

}  // namespace

std::vector<std::wstring> RegisteredExtensions()
{
    RegistryKey classes = Persistence().KeyOf(RegistryRoot().OpenKey(HKEY_CLASSES_ROOT, L""));
    std::vector<std::wstring> extensions;
    std::wstring name;
    while (classes.NextSubKey(name)) {
        if (auto extension = ExtensionOfKeyName(name))
            extensions.push_back(std::move(*extension));
    }
    return extensions;
}

FileTypeVerbs ReadFileTypeVerbs(const std::wstring& extension)
{
    FileTypeVerbs result;
    const std::wstring extensionKey = L"." + extension;
    RegistryRoot root;
    if (!root.KeyExists(HKEY_CLASSES_ROOT, extensionKey))
        return result;
    const std::wstring classKey = ClassKeyOf(extensionKey);
    if (classKey.empty())
        return result;

    RegistryKey shell = root.OpenKey(HKEY_CLASSES_ROOT, classKey + L"\\shell");
    std::wstring defaultVerb = shell.ReadValue(L"", L"open");
    if (defaultVerb.empty())
        defaultVerb = L"open";
    defaultVerb = Lower(defaultVerb);

    std::wstring verb;
    while (shell.NextSubKey(verb)) {
        const std::wstring label = VerbLabel(shell.SubKey(verb).ReadValue(L"", L""), verb);
        result.labels.push_back(label);
        const std::wstring program =
            ProgramPart(shell.SubKey(verb + L"\\command").ReadValue(L"", L""));
        if (program.empty())
            continue;
        if (Lower(verb) == defaultVerb)
            result.defaultLine = static_cast<int>(result.lines.size());
        result.lines.push_back({label, program});
    }
    return result;
}
