// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/accessible.h"

#include "windows/wide_text.h"

#include <new>
#include <utility>

namespace trezolin::windows {

namespace {

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* out, LONG id)
{
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

// The standard object with the description's name and description. Every
// other question goes to the standard object; a list box's entries (children
// 1 to n) are answered here, from the list itself.
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(HWND control, IAccessible* standard, AccessibleText text)
        : control_(control), standard_(standard), text_(std::move(text))
    {
    }

    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window behind the object (WindowFromAccessibleObject) is the standard object's.
        if (iid == IID_IOleWindow)
            return standard_->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, argument);
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!text_.list)
            return standard_->get_accChildCount(count);
        if (!count)
            return E_POINTER;
        *count = EntryCount();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!IsEntry(child))
            return standard_->get_accChild(child, out);
        if (!out)
            return E_POINTER;
        *out = nullptr;  // an entry is a simple element, answered by its parent
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (IsSelf(child))
            return ReturnText(text_.name, name);
        if (IsEntry(child))
            return ReturnText(ListEntry(control_, static_cast<int>(child.lVal - 1)), name);
        return standard_->get_accName(child, name);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (IsSelf(child) && !text_.description.empty())
            return ReturnText(text_.description, description);
        return standard_->get_accDescription(child, description);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_POINTER;
        if (IsEntry(child)) {
            SetChildId(role, ROLE_SYSTEM_LISTITEM);
            return S_OK;
        }
        const HRESULT result = standard_->get_accRole(child, role);
        if (IsSelf(child) && text_.role && (FAILED(result) || (role->vt == VT_I4 && role->lVal == ROLE_SYSTEM_CLIENT))) {
            SetChildId(role, text_.role);
            return S_OK;
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!IsEntry(child))
            return standard_->get_accState(child, state);
        if (!state)
            return E_POINTER;
        LONG flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (child.lVal - 1 == SelectedEntry()) {
            flags |= STATE_SYSTEM_SELECTED;
            if (GetFocus() == control_)
                flags |= STATE_SYSTEM_FOCUSED;
        }
        SetChildId(state, flags);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!text_.list || GetFocus() != control_ || SelectedEntry() < 0)
            return standard_->get_accFocus(focus);
        SetChildId(focus, SelectedEntry() + 1);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (!text_.list)
            return standard_->get_accSelection(selection);
        if (!selection)
            return E_POINTER;
        if (SelectedEntry() < 0) {
            VariantInit(selection);
            return S_FALSE;
        }
        SetChildId(selection, SelectedEntry() + 1);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }

    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        if (!IsEntry(child))
            return standard_->accSelect(flags, child);
        if (flags & SELFLAG_TAKEFOCUS)
            SetFocus(control_);
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION))
            SendMessageW(control_, LB_SETCURSEL, static_cast<WPARAM>(child.lVal - 1), 0);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!IsEntry(child))
            return standard_->accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height)
            return E_POINTER;
        RECT r{};
        if (SendMessageW(control_, LB_GETITEMRECT, static_cast<WPARAM>(child.lVal - 1), reinterpret_cast<LPARAM>(&r)) ==
            LB_ERR)
            return E_FAIL;
        MapWindowPoints(control_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        if (!text_.list)
            return standard_->accHitTest(x, y, child);
        POINT p{x, y};
        ScreenToClient(control_, &p);
        const LRESULT hit = SendMessageW(control_, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
        // The high word is set when the point lies outside every entry.
        if (HIWORD(hit) != 0)
            return standard_->accHitTest(x, y, child);
        SetChildId(child, static_cast<LONG>(LOWORD(hit)) + 1);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    ~ControlAccessible() { standard_->Release(); }

    LONG EntryCount() const
    {
        const LRESULT count = SendMessageW(control_, LB_GETCOUNT, 0, 0);
        return count == LB_ERR ? 0 : static_cast<LONG>(count);
    }
    bool IsEntry(const VARIANT& child) const
    {
        return text_.list && child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= EntryCount();
    }
    int SelectedEntry() const { return static_cast<int>(SendMessageW(control_, LB_GETCURSEL, 0, 0)); }

    LONG references_ = 1;
    HWND control_;
    IAccessible* standard_;
    AccessibleText text_;
};

} // namespace

IAccessible* NewControlAccessible(HWND control, AccessibleText text)
{
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))) ||
        !standard)
        return nullptr;
    // Called from a window procedure: no exception may leave it.
    auto* accessible = new (std::nothrow) ControlAccessible(control, standard, std::move(text));
    if (!accessible)
        standard->Release();
    return accessible;
}

} // namespace trezolin::windows
