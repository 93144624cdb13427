#include "packaging/desktop_start.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/com_ptr.h"

namespace {

// A VARIANT holding a BSTR, or nothing; freed when it goes.
class TextVariant {
public:
    explicit TextVariant(const wchar_t* text = nullptr)
    {
        VariantInit(&value_);
        if (text) {
            value_.vt = VT_BSTR;
            value_.bstrVal = SysAllocString(text);
        }
    }
    ~TextVariant() { VariantClear(&value_); }
    TextVariant(const TextVariant&) = delete;
    TextVariant& operator=(const TextVariant&) = delete;
    const VARIANT& get() const { return value_; }
    VARIANT* put() { return &value_; }

private:
    VARIANT value_;
};

// The shell's automation object of the desktop's folder view: its
// Application is the Shell object of the process that owns the desktop.
ComPtr<IShellDispatch2> DesktopShell()
{
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.put_void())))
        return {};
    TextVariant location, root;
    location.put()->vt = VT_I4;
    location.put()->lVal = CSIDL_DESKTOP;
    long window = 0;
    ComPtr<IDispatch> desktop;
    if (windows->FindWindowSW(location.put(), root.put(), SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(desktop.put_void())) != S_OK ||
        !desktop)
        return {};
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> viewObject;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.put_void())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.put_void()))) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, viewObject.put_void())) ||
        FAILED(viewObject->QueryInterface(IID_IShellFolderViewDual, folderView.put_void())) ||
        FAILED(folderView->get_Application(reinterpret_cast<IDispatch**>(application.put_void()))) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.put_void())))
        return {};
    return shell;
}

}  // namespace

DesktopStart StartFromDesktop(const wchar_t* program, const wchar_t* folder)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DesktopStart result = DesktopStart::NoShell;
    {
        const ComPtr<IShellDispatch2> shell = DesktopShell();
        if (shell) {
            BSTR file = SysAllocString(program);
            TextVariant arguments(L""), directory(folder), operation(L"open");
            TextVariant show;
            show.put()->vt = VT_I4;
            show.put()->lVal = SW_SHOWNORMAL;
            result = file && SUCCEEDED(shell->ShellExecute(file, arguments.get(), directory.get(),
                                                           operation.get(), show.get()))
                         ? DesktopStart::Started
                         : DesktopStart::Failed;
            SysFreeString(file);
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
