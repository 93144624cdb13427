#include "menulib/menu_library.h"

#include <cstring>
#include <memory>

#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/program_values.h"
#include "base/system.h"

namespace {

// The version the program was built as; korvane.dll must carry the same.
constexpr wchar_t kProgramVersion[] = L"" KORVANE_PROGRAM_VERSION;

// "major.minor.patch" of a module's version resource; empty when it has none.
std::wstring ModuleVersion(HMODULE module)
{
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes)
        return {};
    // The fixed part follows the block's header and key at a 32-bit boundary.
    const DWORD size = SizeofResource(module, found);
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        VS_FIXEDFILEINFO info;
        memcpy(&info, bytes + offset, sizeof info);
        if (info.dwSignature == VS_FFI_SIGNATURE)
            return std::to_wstring(HIWORD(info.dwFileVersionMS)) + L'.' +
                   std::to_wstring(LOWORD(info.dwFileVersionMS)) + L'.' +
                   std::to_wstring(HIWORD(info.dwFileVersionLS));
    }
    return {};
}

}  // namespace

MenuLibrary::MenuLibrary(std::wstring folder) : folder_(std::move(folder)) {}

bool MenuLibrary::Load(HWND owner)
{
    if (module_)
        return true;
    const std::wstring path = Path();
    std::wstring reason;
    // A relative folder would send the loader along the search path.
    if (folder_.empty() || shlwapi::PathIsRelativeW(folder_.c_str())) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    } else {
        // No system box about a bad image: the warning below says it all.
        const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        UniqueModule module(LoadLibraryW(path.c_str()));
        SetErrorMode(oldMode);
        // A library left from another version (an interrupted update) is
        // not called: its menus may not read this program's table.
        const std::wstring version = module ? ModuleVersion(module.get()) : std::wstring();
        if (module && version != kProgramVersion) {
            MsgBox(UiText(IDS_MENU_LIBRARY_OTHER_VERSION,
                          {version.empty() ? UiText(IDS_VERSION_UNKNOWN) : version,
                           kProgramVersion}) +
                       L"\r\n" + path,
                   MB_OK | MB_ICONEXCLAMATION, owner);
            return false;
        }
        if (module) {
            auto commandMenu = reinterpret_cast<PopupCommandMenuFn>(reinterpret_cast<void*>(
                GetProcAddress(module.get(), MAKEINTRESOURCEA(kPopupCommandMenuOrdinal))));
            auto itemMenu = reinterpret_cast<PopupItemMenuFn>(reinterpret_cast<void*>(
                GetProcAddress(module.get(), MAKEINTRESOURCEA(kPopupItemMenuOrdinal))));
            if (commandMenu && itemMenu) {
                module_ = std::move(module);
                commandMenu_ = commandMenu;
                itemMenu_ = itemMenu;
                return true;
            }
        }
    }
    MsgBox(UiText(IDS_MENU_LIBRARY_NOT_LOADED) + L"\r\n" + path + L"\r\n" + LastErrorText(),
           MB_OK | MB_ICONEXCLAMATION, owner);
    return false;
}

int MenuLibrary::PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count,
                                  char* file, char* parameters, int x, int y, int dblClickAction)
{
    if (!Load(owner))
        return 0;
    return commandMenu_(owner, entries, count, file, parameters, x, y, dblClickAction);
}

int MenuLibrary::PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file,
                               char* parameters, int x, int y)
{
    if (!Load(owner))
        return 0;
    return itemMenu_(owner, entry, file, parameters, x, y);
}

namespace {

// Made for the folder AppFolder names when first needed; made again while
// loading fails, so that the folder start-up settles on is the one used.
MenuLibrary& ProgramMenuLibrary()
{
    static std::unique_ptr<MenuLibrary> library;
    if (!library || !library->Loaded())
        library = std::make_unique<MenuLibrary>(AppFolder);
    return *library;
}

}  // namespace

int PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                     char* parameters, int x, int y, int dblClickAction)
{
    return ProgramMenuLibrary().PopupCommandMenu(owner, entries, count, file, parameters, x, y,
                                                 dblClickAction);
}

int PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file, char* parameters, int x,
                  int y)
{
    return ProgramMenuLibrary().PopupItemMenu(owner, entry, file, parameters, x, y);
}

bool ProgramMenuLibraryLoaded() { return ProgramMenuLibrary().Loaded(); }
