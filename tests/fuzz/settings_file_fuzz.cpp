// Feeds arbitrary bytes to the settings file's reader: each is refused with a
// problem or read, and what is read writes out as a file that reads back
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SettingsRecord settings;
    try {
        settings = ReadSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const SettingsFileError&) {
        return 0;
    }
    if (!(ReadSettingsFile(WriteSettingsFile(settings)) == settings))
        std::abort();
    return 0;
}
