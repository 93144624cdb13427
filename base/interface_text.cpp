#include "base/interface_text.h"

#include <optional>

#include "base/product_key.h"
#include "base/win_handles.h"

// The start of the module this code is linked into: korvane.exe, korvane.dll
// or a test program, each with its own copy of the string tables.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr wchar_t kJapaneseFace[] = L"ＭＳ Ｐゴシック";

// The choice start-up took from elsewhere than the registry, if it did.
std::optional<std::optional<std::wstring>> handedOverChoice;

std::optional<std::wstring> StoredChoice()
{
    if (handedOverChoice)
        return *handedOverChoice;
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    wchar_t text[16] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof text - sizeof text[0];
    if (RegQueryValueExW(key.get(), kLanguageValueName, nullptr, &type,
                         reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::wstring(text, size / sizeof text[0]).c_str();
}

LANGID TableLanguage(InterfaceLanguage language)
{
    return language == InterfaceLanguage::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                   : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

}  // namespace

InterfaceLanguage ReadLanguageChoice()
{
    return ChooseLanguage(StoredChoice(), PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE);
}

void TakeLanguageChoice(std::optional<std::wstring> stored) { handedOverChoice = std::move(stored); }

InterfaceLanguage CurrentLanguage()
{
    static const InterfaceLanguage language = ReadLanguageChoice();
    return language;
}

// A string table resource holds sixteen counted texts; block n holds the
// numbers 16 (n - 1) to 16 n - 1.
std::wstring UiText(UINT id)
{
    const HMODULE module = reinterpret_cast<HMODULE>(&__ImageBase);
    const HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                                        TableLanguage(CurrentLanguage()));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* entry = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!entry)
        return {};
    const WCHAR* const end = entry + SizeofResource(module, found) / sizeof(WCHAR);
    for (UINT i = 0; i < id % 16 && entry < end; ++i)
        entry += 1 + *entry;
    if (entry >= end || entry + 1 + *entry > end)
        return {};
    return std::wstring(entry + 1, *entry);
}

std::wstring UiText(UINT id, std::initializer_list<std::wstring_view> values)
{
    return FillIn(UiText(id), values);
}

std::wstring InterfaceFontFace()
{
    if (CurrentLanguage() == InterfaceLanguage::Japanese)
        return kJapaneseFace;
    // Built for XP, the structure has no field of later systems, which XP would refuse.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return L"MS Shell Dlg 2";
    return metrics.lfMessageFont.lfFaceName;
}

BYTE InterfaceCharset()
{
    return CurrentLanguage() == InterfaceLanguage::Japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
}
