#include "platform/win/Accessible.h"

#include "platform/win/ComPtr.h"
#include "platform/win/Controls.h"
#include "platform/win/LateImports.h"

#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace zelora::win {
namespace {

// Posted to the window when a screen reader asks for a default action: wParam is the part
// (or -1), run from the window's own queue rather than inside the reader's call.
const UINT kActionMessage = ::RegisterWindowMessageW(L"Zelora.AccessibleAction");

// The property that marks a window with a description of its own, and the one that holds
// a control's given name.
constexpr wchar_t kSelfDescribed[] = L"Zelora.SelfDescribed";
constexpr wchar_t kGivenName[] = L"Zelora.AccessibleName";

BSTR Bstr(const std::wstring& text) { return late::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

// Answers a text property from the source, or from the system's object when the source
// has nothing.
template <typename SystemCall>
HRESULT TextAnswer(const std::wstring& ours, BSTR* out, SystemCall system)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!ours.empty()) {
        *out = Bstr(ours);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    return system();
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

}  // namespace

// One window's object: the system's own for the window, with the source's facts over it
// and the source's parts after the system's children.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND hwnd, AccessibleSource* source, ComPtr<IAccessible> system)
        : m_hwnd(hwnd), m_source(source), m_system(std::move(system))
    {
    }

    void Disconnect() { m_source = nullptr; }
    long PartChildId(int part) const { return SystemChildCount() + part + 1; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;  // no IEnumVARIANT: callers walk the children by number
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&m_refs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers use the vtable; no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count) *count = 0;
        return count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!Live()) return Gone(parent);
        return m_system->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        *count = SystemChildCount() + m_source->PartCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (PartOf(child) >= 0) return S_FALSE;  // a simple child: ask this object about it
        return m_system->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::name, [&] { return m_system->get_accName(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::value, [&] { return m_system->get_accValue(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        if (!Live()) return Gone(out);
        if (PartOf(child) >= 0) return NoText(out);
        return m_system->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override
    {
        if (!out) return E_POINTER;
        late::VariantInit(out);
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (!Owns(child)) return m_system->get_accRole(child, out);
        const long ours = FactsOf(child).role;
        if (ours == 0) return m_system->get_accRole(child, out);
        out->vt = VT_I4;
        out->lVal = ours;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override
    {
        if (!out) return E_POINTER;
        late::VariantInit(out);
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (!Owns(child)) return m_system->get_accState(child, out);
        long state = FactsOf(child).state;
        if (IsSelf(child)) {
            VARIANT system;
            late::VariantInit(&system);
            if (SUCCEEDED(m_system->get_accState(child, &system)) && system.vt == VT_I4) state |= system.lVal;
        } else if (!::IsWindowEnabled(m_hwnd)) {
            state |= STATE_SYSTEM_UNAVAILABLE;
        }
        out->vt = VT_I4;
        out->lVal = state;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override
    {
        if (!Live()) return Gone(out);
        if (PartOf(child) >= 0) return NoText(out);
        return m_system->get_accHelp(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        if (!Live()) return Gone(file);
        return m_system->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::shortcut,
                    [&] { return m_system->get_accKeyboardShortcut(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override
    {
        if (!Live()) return Gone(out);
        return m_system->get_accFocus(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override
    {
        if (!Live()) return Gone(out);
        return m_system->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::defaultAction,
                    [&] { return m_system->get_accDefaultAction(child, out); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (PartOf(child) >= 0) return S_FALSE;
        return m_system->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (!left || !top || !width || !height) return E_POINTER;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const int part = PartOf(child);
        if (part < 0) return m_system->accLocation(left, top, width, height, child);
        RECT r = m_source->PartRect(part);
        ::MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override
    {
        if (!Live()) return Gone(out);
        if (PartOf(start) >= 0) {
            late::VariantInit(out);
            return S_FALSE;
        }
        return m_system->accNavigate(direction, start, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        if (!out) return E_POINTER;
        if (!Live()) return Gone(out);
        POINT p{x, y};
        ::ScreenToClient(m_hwnd, &p);
        for (int i = 0; i < m_source->PartCount(); ++i) {
            const RECT r = m_source->PartRect(i);
            if (::PtInRect(&r, p)) {
                out->vt = VT_I4;
                out->lVal = SystemChildCount() + i + 1;
                return S_OK;
            }
        }
        return m_system->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (!Owns(child)) return m_system->accDoDefaultAction(child);
        if (FactsOf(child).defaultAction.empty()) {
            return IsSelf(child) ? m_system->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
        }
        ::PostMessageW(m_hwnd, kActionMessage, static_cast<WPARAM>(PartOf(child)), 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    bool Live() const { return m_source && ::IsWindow(m_hwnd); }
    template <typename T>
    static HRESULT Gone(T* out)
    {
        if (!out) return E_POINTER;
        if constexpr (std::is_same_v<T, VARIANT>) late::VariantInit(out); else *out = nullptr;
        return CO_E_OBJNOTCONNECTED;
    }
    static HRESULT NoText(BSTR* out)
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_FALSE;
    }

    long SystemChildCount() const
    {
        long count = 0;
        return SUCCEEDED(m_system->get_accChildCount(&count)) ? count : 0;
    }
    // The part a child id names, or -1 (the window itself or one of the system's children).
    int PartOf(const VARIANT& child) const
    {
        if (child.vt != VT_I4 || child.lVal <= CHILDID_SELF) return -1;
        const long part = child.lVal - SystemChildCount() - 1;
        return part >= 0 && part < m_source->PartCount() ? static_cast<int>(part) : -1;
    }
    bool Owns(const VARIANT& child) const { return IsSelf(child) || PartOf(child) >= 0; }
    AccessibleFacts FactsOf(const VARIANT& child) const
    {
        const int part = PartOf(child);
        return part >= 0 ? m_source->Part(part) : m_source->Self();
    }
    template <typename SystemCall>
    HRESULT Text(const VARIANT& child, BSTR* out, std::wstring AccessibleFacts::*field, SystemCall system)
    {
        if (!Live()) return Gone(out);
        if (!Owns(child)) return system();
        const std::wstring ours = FactsOf(child).*field;
        if (ours.empty() && PartOf(child) >= 0) return NoText(out);
        return TextAnswer(ours, out, system);
    }

    LONG m_refs = 1;
    HWND m_hwnd;
    AccessibleSource* m_source;  // null once the window is gone
    ComPtr<IAccessible> m_system;
};

AccessibleBridge::~AccessibleBridge() { Disconnect(); }

void AccessibleBridge::Disconnect()
{
    if (!m_object) return;
    m_object->Disconnect();
    m_object->Release();
    m_object = nullptr;
}

AccessibleObject* AccessibleBridge::Object(HWND hwnd)
{
    if (!m_object) {
        ComPtr<IAccessible> system;
        if (FAILED(late::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible, system.PutVoid()))) return nullptr;
        m_object = new AccessibleObject(hwnd, &m_source, std::move(system));
    }
    return m_object;
}

bool AccessibleBridge::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == kActionMessage) {
        const int part = static_cast<int>(wParam);
        if (!m_source.DoDefaultAction(part) && part < 0) {
            // The window's own action, where the source has none of its own: a click.
            ::SendMessageW(hwnd, BM_CLICK, 0, 0);
        }
        result = 0;
        return true;
    }
    if (msg == WM_DESTROY) {
        Disconnect();
        ::RemovePropW(hwnd, kSelfDescribed);
        return false;  // the window's own handling goes on
    }
    if (msg != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
    AccessibleObject* object = Object(hwnd);
    if (!object) return false;
    result = late::LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object));
    return true;
}

void AccessibleBridge::Notify(HWND hwnd, DWORD event, int partIndex)
{
    AccessibleObject* object = partIndex < 0 ? nullptr : Object(hwnd);
    if (partIndex >= 0 && !object) return;
    ::NotifyWinEvent(event, hwnd, OBJID_CLIENT, partIndex < 0 ? CHILDID_SELF : object->PartChildId(partIndex));
}

// --- Standard controls ---------------------------------------------------------------

namespace {

// A label as a name: its mnemonic mark dropped ("&&" kept as one "&"), its trailing colon
// and blanks trimmed.
std::wstring LabelName(const std::wstring& label, wchar_t* mnemonic)
{
    std::wstring name;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size()) {
            ++i;
            if (label[i] != L'&' && mnemonic && !*mnemonic) *mnemonic = label[i];
        }
        name += label[i];
    }
    while (!name.empty() && (name.back() == L':' || name.back() == L' ')) name.pop_back();
    return name;
}

bool IsClass(const wchar_t* cls, const wchar_t* name) { return ::lstrcmpiW(cls, name) == 0; }

bool IsLabel(HWND w)
{
    wchar_t cls[16]{};
    ::GetClassNameW(w, cls, 16);
    return IsClass(cls, L"Static") && ::GetWindowTextLengthW(w) > 0;
}

// The static text just before `control` in the tab order (the label the dialog manager also
// takes a mnemonic from) or, for a number followed by its unit ("% 만큼 자르기"), just after.
HWND LabelOf(HWND control)
{
    for (HWND w = ::GetWindow(control, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
        if (IsLabel(w)) return w;
        if (::GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) break;  // another control's
    }
    const HWND next = ::GetWindow(control, GW_HWNDNEXT);
    return next && IsLabel(next) ? next : nullptr;
}

enum class NameFrom {
    OwnText,
    Label,           // its own text is its content (an edit's number)
    LabelOrOwnText,  // a list titled by a picture carries the title as its window text
};

struct ClassRole {
    const wchar_t* className;
    long role;
    NameFrom nameFrom;
    const wchar_t* action;
};

constexpr ClassRole kClassRoles[] = {
    {L"Edit", ROLE_SYSTEM_TEXT, NameFrom::Label, nullptr},
    {L"ComboBox", ROLE_SYSTEM_COMBOBOX, NameFrom::Label, L"열기"},
    {L"msctls_trackbar32", ROLE_SYSTEM_SLIDER, NameFrom::LabelOrOwnText, nullptr},
    {L"SysListView32", ROLE_SYSTEM_LIST, NameFrom::LabelOrOwnText, nullptr},
    {L"ListBox", ROLE_SYSTEM_LIST, NameFrom::LabelOrOwnText, nullptr},
    {L"msctls_progress32", ROLE_SYSTEM_PROGRESSBAR, NameFrom::LabelOrOwnText, nullptr},
    {L"Static", ROLE_SYSTEM_STATICTEXT, NameFrom::OwnText, nullptr},
    {L"SysLink", ROLE_SYSTEM_LINK, NameFrom::OwnText, L"열기"},
    {L"ZeloraBrowserView", ROLE_SYSTEM_PANE, NameFrom::OwnText, nullptr},
    {L"msctls_updown32", ROLE_SYSTEM_SPINBUTTON, NameFrom::Label, nullptr},
    {L"SysHeader32", ROLE_SYSTEM_LIST, NameFrom::OwnText, nullptr},
};

// Parts of a control that stand for it: a spin button's edit, an editable list's edit, a
// list view's column header.
HWND PartnerOf(HWND control, const wchar_t* cls)
{
    if (IsClass(cls, L"msctls_updown32")) return reinterpret_cast<HWND>(::SendMessageW(control, UDM_GETBUDDY, 0, 0));
    const HWND parent = ::GetParent(control);
    wchar_t parentClass[32]{};
    if (parent) ::GetClassNameW(parent, parentClass, 32);
    const bool inside = IsClass(parentClass, L"ComboBox") || IsClass(parentClass, L"SysListView32");
    return inside && (IsClass(cls, L"Edit") || IsClass(cls, L"SysHeader32")) ? parent : nullptr;
}

void ButtonFacts(HWND button, AccessibleFacts& facts)
{
    switch (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        const LRESULT check = ::SendMessageW(button, BM_GETCHECK, 0, 0);
        facts.role = ROLE_SYSTEM_CHECKBUTTON;
        facts.state = check == BST_CHECKED ? STATE_SYSTEM_CHECKED : check == BST_INDETERMINATE ? STATE_SYSTEM_MIXED : 0;
        facts.defaultAction = check == BST_CHECKED ? L"선택 해제" : L"선택";
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        facts.role = ROLE_SYSTEM_RADIOBUTTON;
        facts.state = ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? STATE_SYSTEM_CHECKED : 0;
        facts.defaultAction = L"선택";
        break;
    case BS_GROUPBOX:
        facts.role = ROLE_SYSTEM_GROUPING;
        break;
    default:
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.defaultAction = L"누르기";
    }
}

}  // namespace

AccessibleFacts StandardControlFacts(HWND control)
{
    AccessibleFacts facts;
    wchar_t cls[32]{};
    ::GetClassNameW(control, cls, 32);
    wchar_t mnemonic = 0;
    NameFrom nameFrom = NameFrom::OwnText;
    if (IsClass(cls, L"Button")) {
        ButtonFacts(control, facts);
    } else {
        for (const ClassRole& row : kClassRoles) {
            if (!IsClass(cls, row.className)) continue;
            facts.role = row.role;
            nameFrom = row.nameFrom;
            if (row.action) facts.defaultAction = row.action;
        }
    }
    const HWND label = nameFrom == NameFrom::OwnText ? nullptr : LabelOf(control);
    const HWND partner = PartnerOf(control, cls);
    if (partner && !label) {
        facts.name = StandardControlFacts(partner).name;
    } else if (const auto* given = static_cast<const wchar_t*>(::GetPropW(control, kGivenName))) {
        facts.name = given;
    } else if (label || nameFrom != NameFrom::Label) {
        facts.name = LabelName(WindowText(label ? label : control), &mnemonic);
    }
    if (mnemonic) facts.shortcut = std::wstring(L"Alt+") + mnemonic;
    return facts;
}

namespace {

// A standard control's source and bridge, living as long as its window.
class StandardControl final : public AccessibleSource {
public:
    explicit StandardControl(HWND hwnd) : m_hwnd(hwnd) {}
    AccessibleFacts Self() const override { return StandardControlFacts(m_hwnd); }

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data)
    {
        auto* self = reinterpret_cast<StandardControl*>(data);
        LRESULT result = 0;
        if (self->m_bridge.Handle(hwnd, msg, wParam, lParam, result)) return result;
        if (msg == WM_NCDESTROY) {
            ::RemovePropW(hwnd, kGivenName);
            ::RemoveWindowSubclass(hwnd, &SubclassProc, id);
            delete self;
        }
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }

private:
    HWND m_hwnd;
    AccessibleBridge m_bridge{*this};
};

constexpr UINT_PTR kStandardControlSubclass = 0x5A41;  // "ZA"

}  // namespace

void DescribeStandardControl(HWND child)
{
    // Described once: by itself (a skinned button) or by an earlier call.
    if (::GetPropW(child, kSelfDescribed)) return;
    auto* control = new StandardControl(child);
    if (!::SetWindowSubclass(child, &StandardControl::SubclassProc, kStandardControlSubclass,
                             reinterpret_cast<DWORD_PTR>(control))) {
        delete control;
        return;
    }
    MarkSelfDescribed(child);
}

void SetAccessibleName(HWND control, const wchar_t* name)
{
    if (control) ::SetPropW(control, kGivenName, const_cast<wchar_t*>(name));
}

void MarkSelfDescribed(HWND window) { ::SetPropW(window, kSelfDescribed, reinterpret_cast<HANDLE>(1)); }

void DescribeStandardControls(HWND parent)
{
    // The controls and the parts inside them, but not a page inside the window: each page
    // describes its own.
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32]{};
        ::GetClassNameW(child, cls, 32);
        if (IsClass(cls, L"#32770")) continue;
        DescribeStandardControl(child);
        DescribeStandardControls(child);
    }
}

}  // namespace zelora::win
