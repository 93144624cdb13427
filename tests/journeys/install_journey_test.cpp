// The installer as a user meets it: an older Korvane installed to start at
// sign-in, the current one installed over it, Korvane started from where the
// installer put it, and an uninstall that takes the program away and leaves
// the user's settings. The packages are built beside the tests (see
// tests/CMakeLists.txt); msiexec is the system's own.

#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win_handles.h"
#include "objlib/registry.h"
#include "objlib/shortcut_link.h"
#include "settings/registry_paths.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"

namespace {

constexpr DWORD kInstallTimeoutMs = 60000;
constexpr DWORD kStepTimeoutMs = 20000;
constexpr wchar_t kUpgradeCode[] = L"{" KORVANE_UPGRADE_CODE L"}";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return std::wstring(full, length);
}

// The release package of `make dist`, and the same files packaged as an older
// version; both named relative to the test programs' folder.
std::wstring CurrentPackage() { return FullPath(BuildFolder() + L"" KORVANE_PACKAGE); }
std::wstring OlderPackage() { return FullPath(BuildFolder() + L"" KORVANE_OLDER_PACKAGE); }

// A folder the system names, with a trailing separator.
std::wstring SystemFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\";
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int Msiexec(const std::wstring& arguments)
{
    return RunProgram(L"msiexec.exe " + arguments, kInstallTimeoutMs);
}

// The product codes installed under Korvane's upgrade code.
std::vector<std::wstring> InstalledProducts()
{
    std::vector<std::wstring> products;
    wchar_t product[39];
    for (DWORD i = 0; MsiEnumRelatedProductsW(kUpgradeCode, 0, i, product) == ERROR_SUCCESS; ++i)
        products.emplace_back(product);
    return products;
}

std::wstring ProductVersion(const std::wstring& product)
{
    wchar_t version[64];
    DWORD length = 64;
    if (MsiGetProductInfoW(product.c_str(), INSTALLPROPERTY_VERSIONSTRING, version, &length) !=
        ERROR_SUCCESS)
        return {};
    return std::wstring(version, length);
}

// The machine's entry that starts Korvane at sign-in; "<none>" when there is none.
std::wstring SignInEntry()
{
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return L"<none>";
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), L"Korvane", nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS)
        return L"<none>";
    return data;
}

// The target of the Start-menu entry; "<none>" when there is no entry. The
// installer's ProgramMenuFolder is the machine's Start menu on Windows and,
// in Wine 8's installer, the user's; the entry must not be in both.
std::wstring StartMenuTarget()
{
    std::wstring target = L"<none>";
    for (int folder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
        ShortcutLink link;
        if (link.Load(SystemFolder(folder) + L"Korvane.lnk"))
            target = target == L"<none>" ? link.TargetPath : L"<twice>";
    }
    return target;
}

// A text of a file's version resource.
std::wstring VersionText(const std::wstring& file, const std::wstring& name)
{
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()),
                                              block.data()))
        return L"<none>";
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904B0\\" + name).c_str(), &text,
                        &length) ||
        length == 0)
        return L"<none>";
    return static_cast<const wchar_t*>(text);
}

// Whatever an interrupted run left installed goes first, and again at the end.
void UninstallEveryKorvane()
{
    for (const std::wstring& product : InstalledProducts())
        Msiexec(L"/x " + product + L" /qn");
}

class InstallJourney : public ::testing::Test {
protected:
    void SetUp() override { UninstallEveryKorvane(); }
    void TearDown() override { UninstallEveryKorvane(); }

    RegistrySandbox sandbox;
    const std::wstring programFolder = SystemFolder(CSIDL_PROGRAM_FILES) + L"Korvane\\";
    const std::wstring program = programFolder + L"korvane.exe";
};

}  // namespace

TEST_F(InstallJourney, InstallUpgradeRunAndUninstall)
{
    ASSERT_TRUE(InstalledProducts().empty());
    EXPECT_FALSE(Exists(programFolder));
    EXPECT_EQ(StartMenuTarget(), L"<none>");
    EXPECT_EQ(SignInEntry(), L"<none>");

    // An older version, asked to start at sign-in.
    ASSERT_EQ(Msiexec(L"/i \"" + OlderPackage() + L"\" /qn AUTOSTART=1"), 0);
    ASSERT_EQ(InstalledProducts().size(), 1u);
    const std::wstring older = InstalledProducts()[0];
    EXPECT_EQ(ProductVersion(older), L"" KORVANE_OLDER_VERSION);
    EXPECT_TRUE(Exists(program));
    EXPECT_EQ(StartMenuTarget(), program);
    EXPECT_EQ(SignInEntry(), L"\"" + program + L"\"");

    // The current version over it: the older one goes, its choice stays.
    ASSERT_EQ(Msiexec(L"/i \"" + CurrentPackage() + L"\" /qn"), 0);
    const std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_NE(products[0], older);
    EXPECT_EQ(ProductVersion(products[0]), L"" KORVANE_VERSION);
    EXPECT_EQ(StartMenuTarget(), program);
    EXPECT_EQ(SignInEntry(), L"\"" + program + L"\"");
    // Both files carry the installer's version and the maker of the registry key.
    for (const wchar_t* file : {L"korvane.exe", L"korvane.dll"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(VersionText(programFolder + file, L"ProductName"), L"Korvane");
        EXPECT_EQ(VersionText(programFolder + file, L"ProductVersion"), L"" KORVANE_VERSION);
        EXPECT_EQ(VersionText(programFolder + file, L"FileVersion"), L"" KORVANE_VERSION);
        EXPECT_EQ(L"Software\\" + VersionText(programFolder + file, L"CompanyName"), kMakerKeyPath);
        EXPECT_EQ(VersionText(programFolder + file, L"OriginalFilename"), file);
    }

    // Korvane runs from where it was installed, and keeps its settings.
    {
        RunningProgram running(program);
        ASSERT_TRUE(running.Started());
        ASSERT_NE(running.WaitForPad(kStepTimeoutMs), nullptr);
        EXPECT_EQ(running.Close(kStepTimeoutMs), 0);
        EXPECT_TRUE(running.Boxes().empty());
    }
    const RegistryKey settings = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    EXPECT_EQ(RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath).ReadValue(L"Korvane", L""),
              programFolder + L"korvane.EXE");

    // Uninstalling takes the program, its entries and its folder, not the settings.
    ASSERT_EQ(Msiexec(L"/x \"" + CurrentPackage() + L"\" /qn"), 0);
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_FALSE(Exists(programFolder));
    EXPECT_EQ(StartMenuTarget(), L"<none>");
    EXPECT_EQ(SignInEntry(), L"<none>");
    EXPECT_EQ(settings.ReadValue(L"Version", std::int32_t{0}), 500);
    EXPECT_TRUE(settings.SubKey(L"Position").Exists());
}
