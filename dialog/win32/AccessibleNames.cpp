#include "AccessibleNames.h"

#include "DialogWindow.h"
#include "dialog/ControlNames.h"

#include <oleacc.h>

#include <string>

namespace {

// A control's standard accessible object with another name. It holds its
// own copy of the name and a reference to the standard object, never the
// window, so a client may keep it past the window's end: the standard object
// then answers for a window that is gone.
class NamedAccessible final : public IAccessible, public IOleWindow {
public:
    NamedAccessible(IAccessible* standard, const CString& name)
        : m_standard(standard), m_name(SysAllocStringLen(Wide(name), static_cast<UINT>(name.size()))) {
        m_standard->AddRef();
    }
    ~NamedAccessible() {
        SysFreeString(m_name);
        m_standard->Release();
    }
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IAccessible: the name is ours, the rest the standard object's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_INVALIDARG;
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return m_standard->get_accName(child, name);
        *name = SysAllocStringLen(m_name, SysStringLen(m_name));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return m_standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return m_standard->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return m_standard->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return m_standard->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return m_standard->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return m_standard->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

    // IDispatch, for late-bound clients: the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
        return m_standard->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
    }

    // IOleWindow: which window the object stands for (WindowFromAccessibleObject).
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        IOleWindow* standard = nullptr;
        if (FAILED(m_standard->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&standard)))) return E_FAIL;
        const HRESULT result = standard->GetWindow(window);
        standard->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    LONG m_references = 1;
    IAccessible* m_standard;
    BSTR m_name;
};

// A field inside a combo box (its edit part) belongs to the combo box's dialog.
HWND DialogOf(HWND control) {
    HWND parent = GetParent(control);
    return parent != nullptr && IsClass(parent, WC_COMBOBOXW) ? GetParent(parent) : parent;
}

// The client object of the control, renamed; 0 to leave the answer to the system.
LRESULT Answer(HWND control, WPARAM flags, const dlg::DialogTemplate& tpl, size_t index) {
    // Handing an object to another process goes through COM, in this thread's apartment.
    static const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(apartment) && apartment != RPC_E_CHANGED_MODE) return 0;
    const CString name = dlg::ControlNames(tpl, WindowText(DialogOf(control))).at(index);
    if (name.empty()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    auto* named = new NamedAccessible(standard, name);
    standard->Release();
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, static_cast<IAccessible*>(named));
    named->Release();
    return result > 0 ? result : 0;
}

// Subclass of a named control; its id is the control's place in the template.
LRESULT CALLBACK NamedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                  DWORD_PTR tpl) {
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = Answer(hwnd, wParam, *reinterpret_cast<const dlg::DialogTemplate*>(tpl), index))
            return answer;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, NamedControlProc, index);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool NeedsName(const dlg::ControlTemplate& c) {
    return c.kind() == dlg::ControlKind::Edit || c.kind() == dlg::ControlKind::ComboBox ||
           c.kind() == dlg::ControlKind::Picture;
}

}  // namespace

void NameControls(HWND dialog, const dlg::DialogTemplate& tpl) {
    // The dialog manager creates the controls in template order, each below the last.
    const std::vector<HWND> children = ChildWindows(dialog);
    for (size_t index = 0; index < children.size() && index < tpl.controls.size(); ++index) {
        HWND child = children[index];
        const dlg::ControlTemplate& c = tpl.controls[index];
        if (static_cast<WORD>(GetDlgCtrlID(child)) != static_cast<WORD>(c.id)) return;  // not built from tpl
        if (!NeedsName(c)) continue;
        const auto data = reinterpret_cast<DWORD_PTR>(&tpl);
        SetWindowSubclass(child, NamedControlProc, index, data);
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        if (c.kind() == dlg::ControlKind::ComboBox && GetComboBoxInfo(child, &combo) && combo.hwndItem != nullptr)
            SetWindowSubclass(combo.hwndItem, NamedControlProc, index, data);
    }
}
