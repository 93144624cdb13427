#include "forms/file_drop.h"

#include "forms/com_object.h"

#include "base/deferred_imports.h"

#include "base/window_boundary.h"

namespace {

// The paths of a file list, in order.
std::vector<std::wstring> DroppedFiles(HDROP drop)
{
    std::vector<std::wstring> files;
    const UINT count = shell32::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = shell32::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<size_t>(length) + 1, L'\0');
        path.resize(shell32::DragQueryFileW(drop, i, path.data(), length + 1));
        files.push_back(std::move(path));
    }
    return files;
}

FORMATETC FileListFormat()
{
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

}  // namespace

class FileDropTarget::Target final : public ComObject<IDropTarget> {
public:
    Target(HWND window, DropHandler onDrop) : window_(window), onDrop_(std::move(onDrop)) {}

    // The owner goes before the last reference may: no drop reaches it then.
    void Detach() { onDrop_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        return Offer(iid, object, {&IID_IDropTarget});
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC format = FileListFormat();
        offersFiles_ = data && data->QueryGetData(&format) == S_OK;
        return DragOver(0, {}, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        if (!effect)
            return E_INVALIDARG;
        *effect = Accepts(*effect) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        offersFiles_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        if (!effect)
            return E_INVALIDARG;
        FORMATETC format = FileListFormat();
        offersFiles_ = data && data->QueryGetData(&format) == S_OK;
        if (!Accepts(*effect)) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        STGMEDIUM medium{};
        if (FAILED(data->GetData(&format, &medium))) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        std::vector<std::wstring> files;
        if (const auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
            files = DroppedFiles(drop);
            GlobalUnlock(medium.hGlobal);
        }
        ole32::ReleaseStgMedium(&medium);
        *effect = files.empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
        // The handler may show boxes or end the form, and the owner with it:
        // this object and the handler itself stay alive until it returns.
        AddRef();
        if (!files.empty() && onDrop_) {
            const DropHandler handler = onDrop_;
            AtWindowBoundary(window_, 0, [&] {
                handler(files);
                return 0;
            });
        }
        Release();
        return S_OK;
    }

private:
    ~Target() override = default;

    bool Accepts(DWORD allowed) const
    {
        return offersFiles_ && (allowed & DROPEFFECT_COPY) && IsWindowEnabled(window_) && onDrop_;
    }

    HWND window_;
    DropHandler onDrop_;
    bool offersFiles_ = false;
};

FileDropTarget::FileDropTarget(HWND window, DropHandler onDrop) : window_(window)
{
    target_.reset(new Target(window, std::move(onDrop)));
    oleInitialized_ = SUCCEEDED(ole32::OleInitialize(nullptr));
    registered_ = oleInitialized_ && SUCCEEDED(ole32::RegisterDragDrop(window_, target_.get()));
}

void FileDropTarget::Releaser::operator()(Target* target) const { target->Release(); }

FileDropTarget::~FileDropTarget()
{
    target_->Detach();
    if (registered_)
        ole32::RevokeDragDrop(window_);
    target_.reset();
    if (oleInitialized_)
        ole32::OleUninitialize();
}
