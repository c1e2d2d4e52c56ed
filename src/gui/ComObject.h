#pragma once
// IUnknown for a COM object of our own that offers one interface. It is made
// with a reference count of one: `new`, then Release when done with it.
#include <windows.h>
#include <unknwn.h>

template <class Interface, const IID& InterfaceId>
class TComObject : public Interface {
public:
    TComObject() = default;
    virtual ~TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == InterfaceId) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&References)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&References);
        if (left == 0) delete this;
        return ULONG(left);
    }

private:
    LONG References = 1;
};
