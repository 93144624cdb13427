#pragma once
// A Windows shortcut (.lnk) file, read and written through the platform's
// shell-link object: target path, arguments, show command and description.

#include <cstdint>
#include <string>

class ShortcutLink {
public:
    // Initializes COM on this thread for the object's life when the thread
    // has not done so; a thread already in another apartment keeps it.
    ShortcutLink();
    ~ShortcutLink();
    ShortcutLink(const ShortcutLink&) = delete;
    ShortcutLink& operator=(const ShortcutLink&) = delete;

    // Fills the four properties from the file; false (properties unchanged)
    // when the file is missing or is no shortcut file.
    bool Load(const std::wstring& fileName);
    // Writes a new shortcut file with the four properties; false, and the
    // file left as it was, when it cannot be written or would not give the
    // target, the arguments and the description back as they are.
    bool Save(const std::wstring& fileName);

    std::wstring TargetPath;
    std::wstring Arguments;
    std::int32_t ShowCommand = 1;  // SW_SHOWNORMAL
    std::wstring Description;

private:
    bool WriteTo(const std::wstring& fileName) const;
    bool ReadsBackFrom(const std::wstring& fileName) const;

    bool uninitializeCom_ = false;
};
