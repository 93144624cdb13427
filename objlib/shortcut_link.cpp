#include "objlib/shortcut_link.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "base/com_ptr.h"
#include "base/deferred_imports.h"
#include "base/win_handles.h"
#include "objlib/link_header.h"

namespace {

// Large enough for any text a shortcut holds (the file counts each string's
// characters in 16 bits), so nothing is cut short.
constexpr int kTextCapacity = 65536;

ComPtr<IShellLinkW> CreateShellLink()
{
    ComPtr<IShellLinkW> link;
    if (FAILED(ole32::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        link.reset();
    return link;
}

ComPtr<IPersistFile> FileOf(const ComPtr<IShellLinkW>& link)
{
    ComPtr<IPersistFile> file;
    if (!link || FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())))
        file.reset();
    return file;
}

// The show command from the file's own header. The shell-link object of some
// platforms (Wine) does not report the stored value after loading, while the
// header field is documented and always there.
std::optional<std::int32_t> ShowCommandOfFile(const std::wstring& fileName)
{
    UniqueKernelHandle file(CreateFileW(fileName.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string header(kLinkHeaderSize, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), header.data(), static_cast<DWORD>(header.size()), &read, nullptr))
        return std::nullopt;
    header.resize(read);
    return ShowCommandOfLinkHeader(header);
}

// A new, empty file in the folder of fileName (the current folder when it
// names none), on the same volume, so that it can take the file's place.
std::optional<std::wstring> TemporaryFileBeside(const std::wstring& fileName)
{
    const size_t slash = fileName.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : fileName.substr(0, slash + 1);
    wchar_t name[MAX_PATH] = L"";
    if (GetTempFileNameW(folder.c_str(), L"lnk", 0, name) == 0)
        return std::nullopt;
    return std::wstring(name);
}

template <typename Getter>
std::optional<std::wstring> TextOf(Getter get)
{
    std::vector<wchar_t> buffer(kTextCapacity, L'\0');
    if (FAILED(get(buffer.data(), kTextCapacity)))
        return std::nullopt;
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

}  // namespace

ShortcutLink::ShortcutLink()
{
    // S_FALSE (already initialized here) must be balanced too.
    uninitializeCom_ = SUCCEEDED(ole32::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ShortcutLink::~ShortcutLink()
{
    if (uninitializeCom_)
        ole32::CoUninitialize();
}

bool ShortcutLink::Load(const std::wstring& fileName)
{
    ComPtr<IShellLinkW> link = CreateShellLink();
    ComPtr<IPersistFile> file = FileOf(link);
    if (!file || FAILED(file->Load(fileName.c_str(), STGM_READ)))
        return false;
    const std::optional<std::int32_t> show = ShowCommandOfFile(fileName);
    if (!show)
        return false;
    // A target that is no file system path (a control panel item, say) reads
    // as empty, like a shortcut without a target.
    std::optional<std::wstring> target = TextOf([&](wchar_t* text, int size) {
        const HRESULT hr = link->GetPath(text, size, nullptr, SLGP_RAWPATH);
        if (hr == S_FALSE)
            text[0] = L'\0';
        return hr;
    });
    std::optional<std::wstring> arguments =
        TextOf([&](wchar_t* text, int size) { return link->GetArguments(text, size); });
    std::optional<std::wstring> description =
        TextOf([&](wchar_t* text, int size) { return link->GetDescription(text, size); });
    if (!target || !arguments || !description)
        return false;
    TargetPath = std::move(*target);
    Arguments = std::move(*arguments);
    ShowCommand = *show;
    Description = std::move(*description);
    return true;
}

bool ShortcutLink::Save(const std::wstring& fileName)
{
    // Written beside the file first, and put in its place only once it gives
    // everything back: a save that fails leaves the file that was there.
    const std::optional<std::wstring> temporary = TemporaryFileBeside(fileName);
    if (!temporary)
        return false;
    if (WriteTo(*temporary) && ReadsBackFrom(*temporary) &&
        MoveFileExW(temporary->c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temporary->c_str());
    return false;
}

bool ShortcutLink::WriteTo(const std::wstring& fileName) const
{
    ComPtr<IShellLinkW> link = CreateShellLink();
    ComPtr<IPersistFile> file = FileOf(link);
    return file && SUCCEEDED(link->SetPath(TargetPath.c_str())) &&
           SUCCEEDED(link->SetArguments(Arguments.c_str())) &&
           SUCCEEDED(link->SetShowCmd(ShowCommand)) &&
           SUCCEEDED(link->SetDescription(Description.c_str())) &&
           SUCCEEDED(file->Save(fileName.c_str(), TRUE));
}

// A link object may shorten a long text, or take a target for a name of its
// own, without saying so; a file that does not give the texts back is no
// copy of the command. The target may come back in another letter case.
bool ShortcutLink::ReadsBackFrom(const std::wstring& fileName) const
{
    ShortcutLink written;
    return written.Load(fileName) && written.Arguments == Arguments &&
           written.Description == Description &&
           lstrcmpiW(written.TargetPath.c_str(), TargetPath.c_str()) == 0;
}
