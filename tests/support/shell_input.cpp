#include "tests/support/shell_input.h"

#include <commctrl.h>
#include <dlgs.h>
#include <ole2.h>
#include <shlobj.h>

#include "base/com_ptr.h"

namespace {

// Ends a drag over whatever window lies under the pointer.
class DropAtPointer final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // One look at the target first, then the drop.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override
    {
        return ++asked_ > 1 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int asked_ = 0;
};

}  // namespace

bool DragFileOnto(HWND target, const std::wstring& file)
{
    OleInitialize(nullptr);
    DWORD effect = DROPEFFECT_NONE;
    PIDLIST_ABSOLUTE item = ILCreateFromPathW(file.c_str());
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    ComPtr<IDataObject> data;
    if (item && SUCCEEDED(SHBindToParent(item, IID_IShellFolder, parent.put_void(), &child)) &&
        SUCCEEDED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr,
                                        data.put_void()))) {
        RECT bounds{};
        GetWindowRect(target, &bounds);
        SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
        DropAtPointer source;
        DoDragDrop(data.get(), &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    }
    ILFree(item);
    OleUninitialize();
    return effect == DROPEFFECT_COPY;
}

bool ConfirmFolderBrowser(const std::wstring& title, const std::wstring& folder)
{
    // Until it is on show the browser may still set its own selection.
    const HWND browser = FindWindowW(L"#32770", title.c_str());
    if (!browser || !IsWindowVisible(browser))
        return false;
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    // The first browser of a process may still be filling its tree; the
    // selection then stays where it was, on the tree's root.
    const HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    const LRESULT selected = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (!selected || selected == SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0))
        return false;
    PostMessageW(browser, WM_COMMAND, IDOK, 0);
    return true;
}

bool ConfirmFileDialog(const std::wstring& title, const std::wstring& path)
{
    const HWND dialog = FindWindowW(L"#32770", title.c_str());
    if (!dialog || !IsWindowVisible(dialog))
        return false;
    // The explorer-style dialog names its file box cmb13, the old one edt1.
    HWND name = GetDlgItem(dialog, cmb13);
    if (!name)
        name = GetDlgItem(dialog, edt1);
    SetWindowTextW(name, path.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
}
