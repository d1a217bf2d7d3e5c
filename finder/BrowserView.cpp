#include "finder/BrowserView.h"

#include "platform/win/Accessible.h"

#include "platform/win/Dialog.h"
#include "platform/win/LateImports.h"
#include "platform/win/WideText.h"

#include <docobj.h>

namespace zelora {
namespace {

constexpr wchar_t kClassName[] = L"ZeloraBrowserView";
// The group of the document host's commands (script errors and the like).
constexpr GUID kDocHostCommandHandler = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

}  // namespace

// The container side of the control. Holds only the view's window handle, so a reference
// the control keeps past the teardown can never reach a destroyed view.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IOleCommandTarget {
public:
    explicit BrowserSite(HWND window) : m_window(window) {}
    void Detach() { m_window = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IOleCommandTarget)
            *out = static_cast<IOleCommandTarget*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override
    {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* window) override
    {
        if (!window) return E_POINTER;
        *window = m_window;
        return m_window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_window ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        if (!frame || !document || !position || !clip || !info) return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        ::GetClientRect(m_window, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(m_window, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, toolbars or status bar to share.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IOleCommandTarget: a script error is reported as handled (no box), and the page's
    // scripts keep running.
    STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override
    {
        return OLECMDERR_E_UNKNOWNGROUP;
    }
    STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD, VARIANT*, VARIANT* out) override
    {
        if (!group || *group != kDocHostCommandHandler) return OLECMDERR_E_UNKNOWNGROUP;
        if (id != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_NOTSUPPORTED;
        if (out) {
            win::late::VariantClear(out);
            out->vt = VT_BOOL;
            out->boolVal = VARIANT_TRUE;
        }
        return S_OK;
    }

private:
    ~BrowserSite() = default;

    ULONG m_refs = 1;
    HWND m_window;
};

std::unique_ptr<Browser> BrowserView::Create(HWND parent, int id)
{
    // A plain class: no cursor, brush or icon of its own; the control inside sets the cursor.
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(win::ModuleInstance(), kClassName, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WindowProc;
        wc.hInstance = win::ModuleInstance();
        wc.lpszClassName = kClassName;
        ::RegisterClassExW(&wc);
    }
    std::unique_ptr<BrowserView> view(new BrowserView);
    ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      win::ModuleInstance(), view.get());
    if (!view->m_hwnd) return nullptr;
    win::SetAccessibleName(view->m_hwnd, L"검색 결과");
    win::DescribeStandardControl(view->m_hwnd);
    view->Embed();
    return view;
}

BrowserView::~BrowserView()
{
    TearDown();
    if (m_hwnd && ::IsWindow(m_hwnd)) {
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hwnd);
    }
}

void BrowserView::Embed()
{
    win::ComPtr<IOleObject> object;
    if (FAILED(win::late::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  object.PutVoid())))
        return;  // no control: the view stays an empty window
    m_site = win::ComPtr<BrowserSite>::Adopt(new BrowserSite(m_hwnd));
    m_object = std::move(object);
    m_object->SetClientSite(m_site.Get());
    win::late::OleSetContainedObject(m_object.Get(), TRUE);

    RECT rect{};
    ::GetClientRect(m_hwnd, &rect);
    if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.Get(), 0, m_hwnd, &rect))) {
        TearDown();
        return;
    }
    m_inPlace = m_object.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    m_web = m_object.As<IWebBrowser2>(IID_IWebBrowser2);
    if (m_web) m_web->put_Silent(VARIANT_TRUE);  // no dialog boxes from pages
}

void BrowserView::Resize()
{
    if (!m_inPlace) return;
    RECT rect{};
    ::GetClientRect(m_hwnd, &rect);
    m_inPlace->SetObjectRects(&rect, &rect);
}

void BrowserView::TearDown()
{
    // Everything the control holds is let go here, while OLE is still initialised.
    if (m_web) {
        m_web->Stop();
        m_web.Reset();
    }
    if (m_inPlace) {
        m_inPlace->InPlaceDeactivate();
        m_inPlace.Reset();
    }
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object.Reset();
    }
    if (m_site) {
        m_site->Detach();
        m_site.Reset();
    }
}

void BrowserView::Navigate(const std::string& address)
{
    if (!m_web) return;
    BSTR url = win::late::SysAllocString(win::Wide(address).c_str());
    if (!url) return;
    VARIANT empty;
    win::late::VariantInit(&empty);
    m_web->Navigate(url, &empty, &empty, &empty, &empty);
    win::late::SysFreeString(url);
}

void BrowserView::GoBack()
{
    if (m_web) m_web->GoBack();
}

void BrowserView::GoForward()
{
    if (m_web) m_web->GoForward();
}

void BrowserView::Stop()
{
    if (m_web) m_web->Stop();
}

void BrowserView::Refresh()
{
    if (m_web) m_web->Refresh();
}

bool BrowserView::TranslatePageKey(MSG& msg)
{
    const auto active = m_object.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

LRESULT CALLBACK BrowserView::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<BrowserView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* view = reinterpret_cast<BrowserView*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (view) {
        switch (msg) {
        case WM_SIZE: view->Resize(); break;
        case WM_DESTROY: view->TearDown(); break;  // the parent went first
        case WM_NCDESTROY: view->m_hwnd = nullptr; break;
        default: break;
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace zelora
