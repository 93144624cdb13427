#pragma once
// The reference count and interface query every COM object of the forms
// layer needs: the object starts with one reference, its creator's, and
// deletes itself when the last one goes.

#include <windows.h>
#include <unknwn.h>

#include <initializer_list>

template <class Interface>
class ComObject : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

    // QueryInterface answering IUnknown and the interfaces given.
    HRESULT Offer(REFIID iid, void** object, std::initializer_list<const IID*> offered)
    {
        if (!object)
            return E_POINTER;
        bool known = IsEqualIID(iid, IID_IUnknown);
        for (const IID* each : offered)
            known = known || IsEqualIID(iid, *each);
        if (!known) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

private:
    ULONG references_ = 1;
};
