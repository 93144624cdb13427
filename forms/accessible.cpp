#include "forms/accessible.h"

#include "forms/com_object.h"

#include <oleacc.h>

#include <new>

#include "base/com_ptr.h"
#include "base/deferred_imports.h"

namespace {

constexpr wchar_t kViewProperty[] = L"KorvaneAccessibleView";

const AccessibleView* ViewOf(HWND window)
{
    return static_cast<const AccessibleView*>(GetPropW(window, kViewProperty));
}

ComPtr<IAccessible> StandardObject(HWND window)
{
    ComPtr<IAccessible> standard;
    if (FAILED(oleacc::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                 standard.put_void())))
        standard.reset();
    return standard;
}

HRESULT AnswerText(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = oleaut32::SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerChild(long child, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    out->vt = VT_I4;
    out->lVal = child;
    return S_OK;
}

HRESULT AnswerNone(VARIANT* out)
{
    if (!out)
        return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// No exception crosses the interface: the caller is another program.
template <typename Body>
HRESULT Guarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// The object a window with a view hands out. It holds the window, not the
// view: it may outlive both, and then the standard account answers alone.
class AccessibleObject final : public ComObject<IAccessible> {
public:
    AccessibleObject(HWND window, ComPtr<IAccessible> standard)
        : window_(window), standard_(std::move(standard))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        return Offer(iid, object, {&IID_IDispatch, &__uuidof(IAccessible)});
    }

    // Assistive programs call the interface directly, never by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return Guarded([&] {
            const std::vector<AccessiblePart> parts = Parts();
            if (parts.empty())
                return standard_->get_accChildCount(count);
            if (!count)
                return E_POINTER;
            *count = static_cast<LONG>(parts.size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || target.whole)
                return standard_->get_accChild(child, object);
            if (!object)
                return E_POINTER;
            // A part is no object of its own: its parent answers for it.
            *object = nullptr;
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || (target.whole && target.part.name.empty()))
                return standard_->get_accName(child, name);
            return AnswerText(target.part.name, name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || (target.whole && target.part.description.empty()))
                return standard_->get_accDescription(child, description);
            return AnswerText(target.part.description, description);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || (target.whole && target.part.role == 0))
                return standard_->get_accRole(child, role);
            return AnswerChild(target.part.role, role);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (!target.standard && !target.whole)
                return AnswerChild(target.part.state, state);
            const HRESULT standard = standard_->get_accState(child, state);
            if (SUCCEEDED(standard) && target.whole && state->vt == VT_I4)
                state->lVal |= target.part.state;
            return standard;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return OfWindowOnly(child, value, [&] { return standard_->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return OfWindowOnly(child, help, [&] { return standard_->get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return OfWindowOnly(child, file,
                            [&] { return standard_->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return OfWindowOnly(child, shortcut,
                            [&] { return standard_->get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return OfWindowOnly(child, action,
                            [&] { return standard_->get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        BSTR unused = nullptr;
        const HRESULT result =
            OfWindowOnly(child, &unused, [&] { return standard_->accDoDefaultAction(child); });
        return result == S_FALSE ? DISP_E_MEMBERNOTFOUND : result;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        BSTR unused = nullptr;
        const HRESULT result =
            OfWindowOnly(child, &unused, [&] { return standard_->accSelect(flags, child); });
        return result == S_FALSE ? DISP_E_MEMBERNOTFOUND : result;
    }

    // The part that has the focus or is selected; the standard answer
    // without parts.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return Guarded([&] {
            const std::vector<AccessiblePart> parts = Parts();
            if (parts.empty())
                return standard_->get_accFocus(focus);
            if (GetFocus() != window_)
                return AnswerNone(focus);
            return AnswerChild(PartWith(parts, STATE_SYSTEM_FOCUSED), focus);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return Guarded([&] {
            const std::vector<AccessiblePart> parts = Parts();
            if (parts.empty())
                return standard_->get_accSelection(selection);
            const long selected = PartWith(parts, STATE_SYSTEM_SELECTED);
            return selected == CHILDID_SELF ? AnswerNone(selection)
                                            : AnswerChild(selected, selection);
        });
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || target.whole)
                return standard_->accLocation(left, top, width, height, child);
            if (!left || !top || !width || !height)
                return E_POINTER;
            POINT corner{target.part.bounds.left, target.part.bounds.top};
            ClientToScreen(window_, &corner);
            *left = corner.x;
            *top = corner.y;
            *width = target.part.bounds.right - target.part.bounds.left;
            *height = target.part.bounds.bottom - target.part.bounds.top;
            return S_OK;
        });
    }
    // Among the parts: first and last from the window, next and previous
    // from a part.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return Guarded([&] {
            const std::vector<AccessiblePart> parts = Parts();
            if (parts.empty() || start.vt != VT_I4)
                return standard_->accNavigate(direction, start, end);
            const auto count = static_cast<long>(parts.size());
            const long from = start.lVal;
            long to = 0;
            if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD)
                to = 1;
            else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD)
                to = count;
            else if (from == CHILDID_SELF)
                return standard_->accNavigate(direction, start, end);
            else if (from < 1 || from > count)
                return E_INVALIDARG;
            else if (direction == NAVDIR_NEXT)
                to = from + 1;
            else if (direction == NAVDIR_PREVIOUS)
                to = from - 1;
            return to >= 1 && to <= count ? AnswerChild(to, end) : AnswerNone(end);
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override
    {
        return Guarded([&] {
            const std::vector<AccessiblePart> parts = Parts();
            POINT at{x, y};
            ScreenToClient(window_, &at);
            for (size_t i = 0; i < parts.size(); ++i) {
                if (PtInRect(&parts[i].bounds, at))
                    return AnswerChild(static_cast<long>(i + 1), found);
            }
            return standard_->accHitTest(x, y, found);
        });
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // What a child identifier names: the window itself, one of the parts,
    // or something of the standard account.
    struct Target {
        HRESULT failure = S_OK;
        bool standard = false;
        bool whole = false;
        AccessiblePart part;
    };

    const AccessibleView* View() const { return IsWindow(window_) ? ViewOf(window_) : nullptr; }

    std::vector<AccessiblePart> Parts() const
    {
        const AccessibleView* view = View();
        return view ? view->Parts() : std::vector<AccessiblePart>{};
    }

    Target Resolve(const VARIANT& child) const
    {
        const AccessibleView* view = View();
        if (!view)
            return {S_OK, true, false, {}};
        if (child.vt != VT_I4)
            return {E_INVALIDARG, false, false, {}};
        if (child.lVal == CHILDID_SELF)
            return {S_OK, false, true, view->Whole()};
        std::vector<AccessiblePart> parts = view->Parts();
        if (parts.empty())
            return {S_OK, true, false, {}};
        if (child.lVal < 1 || static_cast<size_t>(child.lVal) > parts.size())
            return {E_INVALIDARG, false, false, {}};
        return {S_OK, false, false, std::move(parts[static_cast<size_t>(child.lVal - 1)])};
    }

    // The first part in the state, or CHILDID_SELF.
    static long PartWith(const std::vector<AccessiblePart>& parts, long state)
    {
        for (size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].state & state)
                return static_cast<long>(i + 1);
        }
        return CHILDID_SELF;
    }

    // A property the view does not tell: the standard one for the window,
    // none for a part.
    template <typename Standard>
    HRESULT OfWindowOnly(const VARIANT& child, BSTR* text, Standard&& standard)
    {
        return Guarded([&] {
            const Target target = Resolve(child);
            if (FAILED(target.failure))
                return target.failure;
            if (target.standard || target.whole)
                return standard();
            return AnswerText({}, text);
        });
    }

    HWND window_;
    ComPtr<IAccessible> standard_;
};

bool AsksForClient(LPARAM objectId)
{
    return static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT);
}

}  // namespace

void SetAccessibleView(HWND window, const AccessibleView* view)
{
    if (view)
        SetPropW(window, kViewProperty, const_cast<AccessibleView*>(view));
    else
        RemovePropW(window, kViewProperty);
}

std::optional<LRESULT> AccessibleAnswer(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!AsksForClient(lParam) || !ViewOf(window))
        return {};
    ComPtr<IAccessible> standard = StandardObject(window);
    if (!standard)
        return {};
    auto* object = new AccessibleObject(window, std::move(standard));
    const LRESULT answer = oleacc::LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}

std::wstring StandardAccessibleName(HWND window)
{
    const ComPtr<IAccessible> standard = StandardObject(window);
    if (!standard)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(standard->get_accName(self, &name)) || !name)
        return {};
    std::wstring text(name);
    oleaut32::SysFreeString(name);
    return text;
}

bool AnnotateAccessibleName(HWND window, const std::wstring& name)
{
    const bool uninitialize = SUCCEEDED(ole32::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool annotated = false;
    {
        ComPtr<IAccPropServices> services;
        if (SUCCEEDED(ole32::CoCreateInstance(CLSID_AccPropServices, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                              services.put_void())))
            annotated = SUCCEEDED(services->SetHwndPropStr(
                window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                name.c_str()));
    }
    if (uninitialize)
        ole32::CoUninitialize();
    return annotated;
}

std::wstring WithoutAccessKeys(const std::wstring& caption)
{
    std::wstring text;
    text.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size())
            ++i;
        text.push_back(caption[i]);
    }
    return text;
}
