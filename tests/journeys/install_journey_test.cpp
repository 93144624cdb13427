// The installers as users meet them: an older Korvane installed to start at
// sign-in, the current one installed over it while its pad runs, the start
// at sign-in changed afterwards, an uninstall with the pad running that takes
// the program away and leaves the user's settings; and the installer for one
// user, which stays out of the machine's folders and keys. Neither installs
// while the other is installed. The packages are built beside the tests (see
// tests/CMakeLists.txt); msiexec is the system's own.

#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/running_pads.h"
#include "base/win_handles.h"
#include "objlib/registry.h"
#include "objlib/shortcut_link.h"
#include "settings/registry_paths.h"
#include "tests/support/dialog_watcher.h"
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
std::wstring UserPackage() { return FullPath(BuildFolder() + L"" KORVANE_USER_PACKAGE); }
std::wstring OlderPackage() { return FullPath(BuildFolder() + L"" KORVANE_OLDER_PACKAGE); }
std::wstring OlderUserPackage()
{
    return FullPath(BuildFolder() + L"" KORVANE_OLDER_USER_PACKAGE);
}
// The current version built a second time, in another folder.
std::wstring RebuiltPackage() { return FullPath(BuildFolder() + L"" KORVANE_REBUILT_PACKAGE); }

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

// What the Apps list shows of an installed product.
std::wstring ProductInfo(const std::wstring& product, const wchar_t* property)
{
    wchar_t text[MAX_PATH];
    DWORD length = MAX_PATH;
    if (MsiGetProductInfoW(product.c_str(), property, text, &length) != ERROR_SUCCESS)
        return {};
    return std::wstring(text, length);
}

std::wstring ProductVersion(const std::wstring& product)
{
    return ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING);
}

// The first column of the first row a query of a package's database answers.
std::wstring PackageText(const std::wstring& package, const wchar_t* query)
{
    MSIHANDLE database = 0, view = 0, record = 0;
    std::wstring text = L"<none>";
    if (MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
        MsiDatabaseOpenViewW(database, query, &view) == ERROR_SUCCESS &&
        MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
        wchar_t value[512] = {};
        DWORD length = 512;
        if (MsiRecordGetStringW(record, 1, value, &length) == ERROR_SUCCESS)
            text.assign(value, length);
    }
    for (MSIHANDLE handle : {record, view, database})
        if (handle)
            MsiCloseHandle(handle);
    return text;
}

// The entry that starts Korvane at sign-in, the machine's (HKLM) or a
// user's (HKCU); "<none>" when there is none.
std::wstring SignInEntry(HKEY root = HKEY_LOCAL_MACHINE)
{
    UniqueHKey key;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return L"<none>";
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), L"Korvane", nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS)
        return L"<none>";
    return data;
}

// Whether a file of the program waits for a restart to be replaced or removed.
bool RestartPending()
{
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                      0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), L"PendingFileRenameOperations", nullptr, nullptr, nullptr,
                         &size) != ERROR_SUCCESS)
        return false;
    std::wstring names(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key.get(), L"PendingFileRenameOperations", nullptr, nullptr,
                     reinterpret_cast<BYTE*>(names.data()), &size);
    CharLowerW(names.data());
    return names.find(L"korvane") != std::wstring::npos;
}

// The one pad running after an installer started it, with its process.
struct StartedPad {
    HWND window = nullptr;
    UniqueKernelHandle process;
};

StartedPad WaitForStartedPad(DWORD timeoutMs)
{
    StartedPad pad;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        const std::vector<HWND> pads = VisiblePads();
        if (pads.size() == 1) {
            DWORD id = 0;
            GetWindowThreadProcessId(pads[0], &id);
            pad.window = pads[0];
            pad.process.reset(OpenProcess(SYNCHRONIZE, FALSE, id));
            return pad;
        }
        Sleep(100);
    }
    return pad;
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

// The program that started a window's process.
std::wstring ParentProgram(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    std::vector<PROCESSENTRY32W> processes;
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        processes.push_back(entry);
    for (const PROCESSENTRY32W& child : processes)
        for (const PROCESSENTRY32W& parent : processes)
            if (child.th32ProcessID == id && parent.th32ProcessID == child.th32ParentProcessID)
                return parent.szExeFile;
    return L"<none>";
}

// An installation, with the interface a double-click gives, of a package
// that must refuse, and the message boxes it shows.
struct Refusal {
    UINT result = 0;
    std::vector<std::wstring> messages;
};

Refusal RefusedInstall(const std::wstring& package)
{
    const INSTALLUILEVEL ui = MsiSetInternalUI(INSTALLUILEVEL_BASIC, nullptr);
    Refusal refusal;
    {
        const DialogWatcher watcher;
        refusal.result = MsiInstallProductW(package.c_str(), L"");
        for (const ShownBox& box : watcher.Boxes())
            refusal.messages.push_back(box.text);
    }
    MsiSetInternalUI(ui, nullptr);
    return refusal;
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
    void TearDown() override
    {
        CloseRunningPads();
        UninstallEveryKorvane();
    }

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

    // The current version over it while the older pad runs, as it does after
    // sign-in: the pad is closed with its settings saved, nothing waits for
    // a restart, and the new pad starts; the older version's choice stays.
    RunningProgram olderPad(program);
    ASSERT_NE(olderPad.WaitForPad(kStepTimeoutMs), nullptr);
    ASSERT_EQ(Msiexec(L"/i \"" + CurrentPackage() + L"\" /qn"), 0);
    EXPECT_EQ(olderPad.WaitForExit(0), 0);
    EXPECT_TRUE(olderPad.Boxes().empty());
    EXPECT_FALSE(RestartPending());
    const RegistryKey settings = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    EXPECT_TRUE(settings.SubKey(L"Position").Exists());
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
    const StartedPad restarted = WaitForStartedPad(kStepTimeoutMs);
    ASSERT_TRUE(restarted.window);
    // Started by the desktop's shell, with the user's own rights, not by the
    // installer, which may run elevated.
    EXPECT_EQ(ParentProgram(restarted.window), L"explorer.exe");
    EXPECT_EQ(RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath).ReadValue(L"Korvane", L""),
              programFolder + L"korvane.EXE");

    // An older installer refuses, in the language of this (Japanese)
    // Windows, and leaves it in place; so does the installer for one user.
    const Refusal downgrade = RefusedInstall(OlderPackage());
    EXPECT_EQ(downgrade.result, static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(downgrade.messages,
              std::vector<std::wstring>{L"新しいバージョンの Korvane がインストールされています。"});
    EXPECT_EQ(InstalledProducts(), products);
    const Refusal otherScope = RefusedInstall(UserPackage());
    EXPECT_EQ(otherScope.result, static_cast<UINT>(ERROR_INSTALL_FAILURE));
    ASSERT_EQ(otherScope.messages.size(), 1u);
    EXPECT_EQ(otherScope.messages[0].rfind(L"Korvane " KORVANE_VERSION
                                           L" はこの PC のすべてのユーザー用に " + programFolder +
                                               L" に",
                                           0),
              0u)
        << otherScope.messages[0];
    EXPECT_EQ(InstalledProducts(), products);
    EXPECT_EQ(WaitForSingleObject(restarted.process.get(), 0), WAIT_TIMEOUT);  // the pad runs on
    EXPECT_FALSE(Exists(SystemFolder(CSIDL_LOCAL_APPDATA) + L"Programs\\Korvane\\"));
    // The Apps list says where and what it is.
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_INSTALLLOCATION), programFolder);

    // The same version built again is the same product.
    const wchar_t* productCode = L"SELECT `Value` FROM `Property` WHERE `Property` = 'ProductCode'";
    EXPECT_EQ(PackageText(RebuiltPackage(), productCode), products[0]);

    // The start at sign-in changed by running the installed package again;
    // the files stay, and so does the pad.
    ASSERT_EQ(Msiexec(L"/i \"" + CurrentPackage() + L"\" /qn AUTOSTART=0"), 0);
    EXPECT_EQ(SignInEntry(), L"<none>");
    ASSERT_EQ(Msiexec(L"/i \"" + CurrentPackage() + L"\" /qn AUTOSTART=1"), 0);
    EXPECT_EQ(SignInEntry(), L"\"" + program + L"\"");
    EXPECT_TRUE(Exists(program));
    EXPECT_EQ(WaitForSingleObject(restarted.process.get(), 0), WAIT_TIMEOUT);

    // Uninstalling with the pad running takes the program, its entries, the
    // command file a killed pad left and the folder, not the settings.
    WriteFileBytes(programFolder + L"KORVANE.SCF", "[Shell]\r\nCommand=2\r\n");
    ASSERT_EQ(Msiexec(L"/x " + products[0] + L" /qn"), 0);
    EXPECT_EQ(WaitForSingleObject(restarted.process.get(), 0), WAIT_OBJECT_0);
    EXPECT_TRUE(VisiblePads().empty());
    EXPECT_FALSE(RestartPending());
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_FALSE(Exists(programFolder));
    EXPECT_EQ(StartMenuTarget(), L"<none>");
    EXPECT_EQ(SignInEntry(), L"<none>");
    EXPECT_EQ(settings.ReadValue(L"Version", std::int32_t{0}), 500);
    EXPECT_TRUE(settings.SubKey(L"Position").Exists());
}

// The installer for one user: the user's own programs folder and Run key,
// nothing of the machine's; started at the end of an installation with the
// full interface, closed by the uninstall; upgraded in the folder the user
// chose, and removed alike.
TEST_F(InstallJourney, InstallForOneUserUpgradeAndUninstall)
{
    const std::wstring userFolder = SystemFolder(CSIDL_LOCAL_APPDATA) + L"Programs\\Korvane\\";
    const std::wstring chosenFolder = SystemFolder(CSIDL_LOCAL_APPDATA) + L"Tools\\Korvane\\";
    // With the full interface, as by a double-click: Korvane starts at the
    // end, through the desktop's shell, and at each sign-in.
    ASSERT_EQ(Msiexec(L"/i \"" + UserPackage() + L"\""), 0);
    const StartedPad started = WaitForStartedPad(kStepTimeoutMs);
    ASSERT_TRUE(started.window);
    EXPECT_EQ(ParentProgram(started.window), L"explorer.exe");
    ASSERT_EQ(InstalledProducts().size(), 1u);
    EXPECT_TRUE(Exists(userFolder + L"korvane.exe"));
    EXPECT_TRUE(Exists(userFolder + L"korvane.dll"));
    EXPECT_FALSE(Exists(programFolder));
    EXPECT_EQ(SignInEntry(HKEY_CURRENT_USER), L"\"" + userFolder + L"korvane.exe\"");
    EXPECT_EQ(SignInEntry(), L"<none>");
    EXPECT_EQ(StartMenuTarget(), userFolder + L"korvane.exe");
    // The installer for the machine refuses while this one is installed.
    EXPECT_EQ(Msiexec(L"/i \"" + CurrentPackage() + L"\" /qn"), ERROR_INSTALL_FAILURE);
    EXPECT_EQ(InstalledProducts().size(), 1u);
    EXPECT_FALSE(Exists(programFolder));
    ASSERT_EQ(Msiexec(L"/x \"" + UserPackage() + L"\" /qn"), 0);
    EXPECT_EQ(WaitForSingleObject(started.process.get(), 0), WAIT_OBJECT_0);
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_FALSE(Exists(userFolder));
    EXPECT_EQ(SignInEntry(HKEY_CURRENT_USER), L"<none>");
    EXPECT_EQ(StartMenuTarget(), L"<none>");

    ASSERT_EQ(Msiexec(L"/i \"" + OlderUserPackage() + L"\" /qn \"INSTALLDIR=" + chosenFolder +
                      L"\""),
              0);
    ASSERT_EQ(Msiexec(L"/i \"" + UserPackage() + L"\" /qn"), 0);
    EXPECT_EQ(SignInEntry(HKEY_CURRENT_USER), L"<none>");  // silent: only on request
    const std::vector<std::wstring> products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductVersion(products[0]), L"" KORVANE_VERSION);
    EXPECT_EQ(VersionText(chosenFolder + L"korvane.exe", L"FileVersion"), L"" KORVANE_VERSION);
    EXPECT_FALSE(Exists(userFolder));
    EXPECT_EQ(StartMenuTarget(), chosenFolder + L"korvane.exe");
    // Started at sign-in through the settings' check box instead: the entry
    // goes with the program.
    RegistryKey(HKEY_CURRENT_USER, kRunKey)
        .WriteValue(L"Korvane", L"\"" + chosenFolder + L"korvane.exe\"");
    ASSERT_EQ(Msiexec(L"/x " + products[0] + L" /qn"), 0);
    EXPECT_EQ(SignInEntry(HKEY_CURRENT_USER), L"<none>");
    EXPECT_FALSE(Exists(chosenFolder));
    EXPECT_EQ(StartMenuTarget(), L"<none>");
}
