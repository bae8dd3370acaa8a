// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "area_accessible.h"

#include "layout.h"
#include "wide.h"

namespace {

// What a user does to the area, as screen readers announce it.
constexpr char kDefaultAction[] = "Fes clic";

HRESULT string(const char* utf8, BSTR* out)
{
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    const std::wstring text = widen(utf8);
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// Through __uuidof: mingw's oleacc import library also names IID_IAccessible,
// as an import of oleacc.dll's, which is not the id.
AreaAccessible* AreaAccessible::create(HWND area, UINT clickMessage)
{
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(area, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    return new AreaAccessible(area, clickMessage, standard);
}

AreaAccessible::AreaAccessible(HWND area, UINT clickMessage, IAccessible* standard)
    : area_(area), clickMessage_(clickMessage), standard_(standard)
{
}

AreaAccessible::~AreaAccessible()
{
    disconnect();
}

void AreaAccessible::disconnect()
{
    area_ = nullptr;
    if (standard_ != nullptr) {
        standard_->Release();
        standard_ = nullptr;
    }
}

bool AreaAccessible::isSelf(const VARIANT& child) const
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

STDMETHODIMP AreaAccessible::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) AreaAccessible::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) AreaAccessible::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP AreaAccessible::GetTypeInfoCount(UINT* count)
{
    return standard_ != nullptr ? standard_->GetTypeInfoCount(count) : E_FAIL;
}

STDMETHODIMP AreaAccessible::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info)
{
    return standard_ != nullptr ? standard_->GetTypeInfo(index, lcid, info) : E_FAIL;
}

STDMETHODIMP AreaAccessible::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    return standard_ != nullptr ? standard_->GetIDsOfNames(riid, names, count, lcid, ids) : E_FAIL;
}

STDMETHODIMP AreaAccessible::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO* exception, UINT* argument)
{
    return standard_ != nullptr ? standard_->Invoke(id, riid, lcid, flags, params, result, exception, argument)
                                : E_FAIL;
}

STDMETHODIMP AreaAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (area_ == nullptr) {
        return E_FAIL;
    }
    return isSelf(child) ? string(layout::kPictureAccessibleName, name) : E_INVALIDARG;
}

STDMETHODIMP AreaAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    if (area_ == nullptr) {
        return E_FAIL;
    }
    return isSelf(child) ? string(layout::kPictureAccessibleDescription, description) : E_INVALIDARG;
}

STDMETHODIMP AreaAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (area_ == nullptr) {
        return E_FAIL;
    }
    if (!isSelf(child) || role == nullptr) {
        return E_INVALIDARG;
    }
    // A picture, which is what the area holds.
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_GRAPHIC;
    return S_OK;
}

STDMETHODIMP AreaAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (area_ == nullptr) {
        return E_FAIL;
    }
    return isSelf(child) ? string(kDefaultAction, action) : E_INVALIDARG;
}

STDMETHODIMP AreaAccessible::accDoDefaultAction(VARIANT child)
{
    if (area_ == nullptr) {
        return E_FAIL;
    }
    if (!isSelf(child)) {
        return E_INVALIDARG;
    }
    // Delivered as the area's own event, in turn with all the others.
    return PostMessageW(area_, clickMessage_, 0, 0) ? S_OK : E_FAIL;
}

// The rest is the system's.
#define TACOLINA_FORWARD(call)                                                                                         \
    if (standard_ == nullptr) {                                                                                        \
        return E_FAIL;                                                                                                 \
    }                                                                                                                  \
    return standard_->call

STDMETHODIMP AreaAccessible::get_accParent(IDispatch** parent)
{
    TACOLINA_FORWARD(get_accParent(parent));
}
STDMETHODIMP AreaAccessible::get_accChildCount(LONG* count)
{
    TACOLINA_FORWARD(get_accChildCount(count));
}
STDMETHODIMP AreaAccessible::get_accChild(VARIANT child, IDispatch** dispatch)
{
    TACOLINA_FORWARD(get_accChild(child, dispatch));
}
STDMETHODIMP AreaAccessible::get_accValue(VARIANT child, BSTR* value)
{
    TACOLINA_FORWARD(get_accValue(child, value));
}
STDMETHODIMP AreaAccessible::get_accState(VARIANT child, VARIANT* state)
{
    TACOLINA_FORWARD(get_accState(child, state));
}
STDMETHODIMP AreaAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    TACOLINA_FORWARD(get_accHelp(child, help));
}
STDMETHODIMP AreaAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    TACOLINA_FORWARD(get_accHelpTopic(file, child, topic));
}
STDMETHODIMP AreaAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    TACOLINA_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
STDMETHODIMP AreaAccessible::get_accFocus(VARIANT* child)
{
    TACOLINA_FORWARD(get_accFocus(child));
}
STDMETHODIMP AreaAccessible::get_accSelection(VARIANT* children)
{
    TACOLINA_FORWARD(get_accSelection(children));
}
STDMETHODIMP AreaAccessible::accSelect(LONG flags, VARIANT child)
{
    TACOLINA_FORWARD(accSelect(flags, child));
}
STDMETHODIMP AreaAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    TACOLINA_FORWARD(accLocation(left, top, width, height, child));
}
STDMETHODIMP AreaAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    TACOLINA_FORWARD(accNavigate(direction, start, end));
}
STDMETHODIMP AreaAccessible::accHitTest(LONG left, LONG top, VARIANT* child)
{
    TACOLINA_FORWARD(accHitTest(left, top, child));
}
STDMETHODIMP AreaAccessible::put_accName(VARIANT child, BSTR name)
{
    TACOLINA_FORWARD(put_accName(child, name));
}
STDMETHODIMP AreaAccessible::put_accValue(VARIANT child, BSTR value)
{
    TACOLINA_FORWARD(put_accValue(child, value));
}
