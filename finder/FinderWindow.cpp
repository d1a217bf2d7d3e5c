#include "finder/FinderWindow.h"

#include "ProductHosts.h"
#include "finder/BrowserView.h"
#include "platform/win/Controls.h"
#include "resources/finder/FinderIds.h"
#include "resources/resource.h"
#include "finder/HomePageBox.h"

#include <windowsx.h>

namespace zelora {
namespace {

constexpr int kBrowserId = 0xE900;
constexpr int kBandHeight = skin::kFinderHeaderLeft.height;  // toolbar, lists, links
constexpr int kBorder = skin::kFinderLeftBorder.width;
constexpr int kMinWidth = 693, kMinHeight = 550;
constexpr int kDragIcon = skin::kAppIcon;

// The twelve images in painting and release order. Right-anchored ones count their left
// edges back from the client width.
enum Button { kBack, kForward, kStop, kRefresh, kHome, kBoard1, kBoard2, kInfo, kSearch,
              kCinema, kMaximize, kClose };
constexpr skin::Area kButtonAreas[] = {
    skin::kFinderBack,   skin::kFinderForward, skin::kFinderStop,   skin::kFinderRefresh,
    skin::kFinderHome,   skin::kFinderBoard1,  skin::kFinderBoard2, skin::kFinderInfo,
    skin::kFinderSearch, skin::kFinderCinema,  skin::kFinderMaximize, skin::kFinderClose,
};

std::vector<HotArea> FinderButtons()
{
    std::vector<HotArea> areas;
    for (const skin::Area& area : kButtonAreas) areas.push_back(SkinHotArea(area));
    return areas;
}

enum Frame { kHeaderLeft = skin::kFinderHeaderLeft.id, kHeaderMiddle = skin::kFinderHeaderMiddle.id,
             kHeaderRight = skin::kFinderHeaderRight.id, kLogo = skin::kFinderToolbarCaptions.id,
             kLinks = skin::kFinderInfoCaption.id, kLeftBorder = skin::kFinderLeftBorder.id,
             kRightBorder = skin::kFinderRightBorder.id, kBottomBorder = skin::kFinderBottomBorder.id,
             kBottomLeft = skin::kFinderBottomLeft.id, kBottomRight = skin::kFinderBottomRight.id };
constexpr int kFrameBitmaps[] = {kHeaderLeft, kHeaderMiddle, kHeaderRight, kLogo, kLinks,
                                 kLeftBorder, kRightBorder, kBottomBorder, kBottomLeft, kBottomRight};

struct ControlPlace {
    int id, x, y, width, height;
};
// What screen readers call the controls no label names.
struct ControlName {
    int id;
    const wchar_t* name;
};
constexpr ControlName kControlNames[] = {
    {IDC_FIND_CATEGORY, L"검색 분류"}, {IDC_FIND_SITE, L"검색 사이트"}, {IDC_FIND_TITLE, L"영화 제목"}};

constexpr ControlPlace kControlPlaces[] = {
    {IDC_FIND_CATEGORY, IDC_FIND_CATEGORY_AT},
    {IDC_FIND_SITE, IDC_FIND_SITE_AT},
    {IDC_FIND_TITLE, IDC_FIND_TITLE_AT},
    {IDC_FIND_QUICK, IDC_FIND_QUICK_AT},
};

std::string Http(std::string_view host, std::string_view path)
{
    return "http://" + std::string(host) + std::string(path);
}

RECT ClientRect(HWND hwnd)
{
    RECT rect{};
    ::GetClientRect(hwnd, &rect);
    return rect;
}

// Copies a 1-pixel strip of the skin along a whole edge in one call.
void Stretch(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    if (!bitmap || width <= 0 || height <= 0) return;
    const SIZE size = win::BitmapSize(bitmap);
    win::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    win::SelectGuard select(source.Get(), bitmap);
    ::StretchBlt(dc, x, y, width, height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

}  // namespace

FinderWindow::FinderWindow(RegistryBackend& registry)
    : FinderWindow(registry, &BrowserView::Create,
                   [](HWND finder) { HomePageBox().RunModal(finder); })
{
}

FinderWindow::FinderWindow(RegistryBackend& registry, BrowserFactory makeBrowser,
                           HomeBoxRunner runHomeBox)
    : win::ModelessDialog(IDD_FINDER),
      m_store(registry),
      m_makeBrowser(std::move(makeBrowser)),
      m_runHomeBox(std::move(runHomeBox)),
      m_buttons(FinderButtons()),
      m_dragIcon(::LoadIconW(win::ModuleInstance(), MAKEINTRESOURCEW(kDragIcon))),
      m_currentAddress(Http(hosts::kProductWeb, "/"))
{
}

FinderWindow::~FinderWindow()
{
    // Destroyed here, while this is still a finder, so its destroy handling runs.
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

BOOL FinderWindow::OnInit()
{
    ::SetWindowTextW(Hwnd(), L"영화찾기");  // no caption shows it; it names the window
    LoadFrame();
    m_buttons.Attach(Hwnd());
    m_buttons.Describe([this](std::size_t button) { RunAction(button); });
    SetAccessibleSource(m_buttons);
    SetFocusParts(m_buttons);
    for (const ControlName& control : kControlNames) win::SetAccessibleName(Item(control.id), control.name);


    // The stored category is selected and its own sites listed, so a search never mixes
    // one category with another's site index; a stored number outside 0..2 selects none.
    const win::ComboBox categories(Hwnd(), IDC_FIND_CATEGORY);
    for (std::string_view text : CategoryTexts()) categories.AddString(text);
    const int category = m_settings.LoadCategory();
    categories.SetCurSel(category);
    FillSites(category);

    if (m_makeBrowser) m_browser = m_makeBrowser(Hwnd(), kBrowserId);
    Relayout();
    if (m_browser) {
        ::ShowWindow(m_browser->Hwnd(), SW_SHOW);
        m_browser->Navigate(m_currentAddress);
    }

    PlaceControls();

    m_quickSearch = m_settings.LoadQuickSearch();
    win::CheckBox(Hwnd(), IDC_FIND_QUICK).SetCheck(m_quickSearch);
    return TRUE;
}

void FinderWindow::LoadFrame()
{
    for (int id : kFrameBitmaps) m_frame[id] = win::LoadSkinBitmap(id, WindowDpi().Value());
    // The check box sits on the header's middle column: paint its background to match.
    m_checkColor = ::GetSysColor(COLOR_BTNFACE);
    if (HBITMAP middle = m_frame[kHeaderMiddle].Get()) {
        win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        win::SelectGuard select(dc.Get(), middle);
        m_checkColor = ::GetPixel(dc.Get(), 0, WindowDpi()(115));
    }
    m_checkBrush.Reset(::CreateSolidBrush(m_checkColor));
}

void FinderWindow::PlaceControls()
{
    for (const ControlPlace& place : kControlPlaces) {
        const Rect at = WindowDpi().Edges({place.x, place.y, place.x + place.width, place.y + place.height});
        win::Control(Hwnd(), place.id).MoveTo(at.left, at.top, at.Width(), at.Height());
    }
}

bool FinderWindow::OnDpiChanged(Dpi from, Dpi dpi, const RECT& suggested)
{
    FollowDpi(from, dpi);
    LoadFrame();
    m_buttons.ScaleTo(dpi);
    PlaceControls();
    // The new size comes with a WM_SIZE, which lays the buttons and the browser out.
    ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
    return true;
}

void FinderWindow::FillSites(int category)
{
    const win::ComboBox sites(Hwnd(), IDC_FIND_SITE);
    sites.ResetContent();
    const FinderSettings::SiteList list = m_settings.LoadSiteList(category);
    for (std::string_view name : list.names) sites.AddString(name);
    sites.SetCurSel(list.selection);
}

void FinderWindow::Search()
{
    const std::string title = TitleToCp949(win::Control(Hwnd(), IDC_FIND_TITLE).Text(), m_encoder);
    m_currentAddress = BuildSearchAddress(win::ComboBox(Hwnd(), IDC_FIND_CATEGORY).GetCurSel(),
                                          win::ComboBox(Hwnd(), IDC_FIND_SITE).GetCurSel(), title,
                                          m_currentAddress);
    Navigate(m_currentAddress);
}

void FinderWindow::Navigate(const std::string& address)
{
    if (m_browser) m_browser->Navigate(address);
}

bool FinderWindow::PreTranslate(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    // Keys typed inside the page are the page's: Enter submits the site's own form there.
    if (m_browser) {
        HWND view = m_browser->Hwnd();
        if (msg.hwnd == view || ::IsChild(view, msg.hwnd)) {
            if (m_browser->TranslatePageKey(msg)) return true;
            // A Tab the page does not take leaves it.
            return msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && m_keyboard.PreTranslate(msg);
        }
    }
    if (m_keyboard.PreTranslate(msg)) return true;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        Search();
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;  // never closes
    return ::IsDialogMessageW(Hwnd(), &msg) != FALSE;  // Tab between the finder's controls
}

void FinderWindow::TabStops(win::FocusStops& stops) const
{
    // The toolbar, the search row from the left, the page, then the corner's two images.
    for (Button button : {kBack, kForward, kStop, kRefresh, kHome, kBoard1, kBoard2, kInfo})
        stops.push_back({Hwnd(), button});
    for (int id : {IDC_FIND_CATEGORY, IDC_FIND_SITE, IDC_FIND_TITLE}) stops.push_back({Item(id), -1});
    stops.push_back({Hwnd(), kSearch});
    stops.push_back({Item(IDC_FIND_QUICK), -1});
    stops.push_back({Hwnd(), kCinema});
    if (m_browser) stops.push_back({m_browser->Hwnd(), -1});
    stops.push_back({Hwnd(), kMaximize});
    stops.push_back({Hwnd(), kClose});
}

bool FinderWindow::OnCommand(int id, int code, HWND)
{
    switch (id) {
    case IDCANCEL:
        ::ShowWindow(Hwnd(), SW_HIDE);
        return true;
    case IDOK:
        return true;
    case IDC_FIND_QUICK:
        if (code == BN_CLICKED) m_quickSearch = m_quickSearch ? 0 : 1;
        return true;
    case IDC_FIND_CATEGORY:
        if (code == CBN_SELCHANGE) FillSites(win::ComboBox(Hwnd(), IDC_FIND_CATEGORY).GetCurSel());
        return true;
    case IDC_FIND_SITE:
        if (code == CBN_SELCHANGE && m_quickSearch) Search();
        return true;
    default:
        return false;
    }
}

void FinderWindow::RunAction(std::size_t button)
{
    switch (button) {
    case kBack: if (m_browser) m_browser->GoBack(); break;
    case kForward: if (m_browser) m_browser->GoForward(); break;
    case kStop: if (m_browser) m_browser->Stop(); break;
    case kRefresh: if (m_browser) m_browser->Refresh(); break;
    case kHome: Navigate(hosts::kProductHomePage); break;
    case kBoard1: Navigate(Http(hosts::kProductWeb, "/common_php/bbs/zboard.php?id=love")); break;
    case kBoard2: Navigate(Http(hosts::kProductWeb, "/common_php/bbs/zboard.php?id=talk")); break;
    case kInfo: if (m_runHomeBox) m_runHomeBox(Hwnd()); break;
    case kSearch: Search(); break;
    case kCinema: Navigate(Http(hosts::kCinemaList, "/theater_list.asp")); break;
    case kMaximize: ToggleMaximize(); break;
    case kClose: ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0); break;
    default: break;
    }
}

bool FinderWindow::HitsButton(POINT p) const
{
    for (std::size_t i = 0; i < m_buttons.Areas().Count(); ++i)
        if (m_buttons.Areas().Area(i).rect.Contains({p.x, p.y})) return true;
    return false;
}

bool FinderWindow::OnMouse(UINT msg, WPARAM keys, POINT p)
{
    if (msg == WM_MOUSEMOVE) {
        m_buttons.Move(p, keys);
    } else if (msg == WM_LBUTTONUP) {
        m_buttons.Release(p, [this](std::size_t button) { RunAction(button); });
    } else if (msg == WM_LBUTTONDOWN) {
        m_buttons.ButtonDown(p);
        const RECT client = ClientRect(Hwnd());
        if (m_buttons.Areas().AnyPressed())
            ::SetCapture(Hwnd());
        else if (!m_maximized && ::PtInRect(&client, p))  // any free spot of the skin drags
            ::PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    }
    return false;  // default handling too
}

void FinderWindow::Relayout()
{
    const RECT client = ClientRect(Hwnd());
    for (std::size_t i = 0; i < std::size(kButtonAreas); ++i)
        m_buttons.SetRect(i, SkinRect(kButtonAreas[i].box, client.right, WindowDpi()));
    const int border = WindowDpi()(kBorder), band = WindowDpi()(kBandHeight);
    if (m_browser)
        ::MoveWindow(m_browser->Hwnd(), border, band, client.right - 2 * border,
                     client.bottom - band - border, TRUE);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

void FinderWindow::ToggleMaximize()
{
    if (m_maximized) {
        // The window's own size comes back, frame included.
        ::MoveWindow(Hwnd(), m_restore.left, m_restore.top, m_restore.right - m_restore.left,
                     m_restore.bottom - m_restore.top, TRUE);
        m_maximized = false;
        return;
    }
    ::GetWindowRect(Hwnd(), &m_restore);
    // Fill the work area of the monitor the window is on, exactly: sized from the system's
    // maximized metrics the window would hang past the bottom edge, its border unseen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    ::MoveWindow(Hwnd(), work.left, work.top, work.right - work.left, work.bottom - work.top, TRUE);
    m_maximized = true;
}

LRESULT FinderWindow::HitTest(LPARAM point) const
{
    // While maximized the frame does not resize the window.
    const unsigned x = LOWORD(point), y = HIWORD(point);
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    const auto beyond = [](unsigned value, LONG edge) { return static_cast<LONG>(value) > edge; };
    const auto before = [](unsigned value, LONG edge) { return static_cast<LONG>(value) < edge; };
    const int grip = WindowDpi()(3);
    if (beyond(x, window.left + grip) || beyond(y, window.top + grip) || before(x, window.right - grip) ||
        before(y, window.bottom - grip))
        return HTCLIENT;
    return ::DefWindowProcW(Hwnd(), WM_NCHITTEST, 0, point);
}

bool FinderWindow::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    const int w = buffer.Width(), h = buffer.Height();
    const auto frame = [this](int id) { return m_frame[id].Get(); };
    HDC target = buffer.Dc();

    const int right = w - WindowDpi()(skin::kFinderHeaderRight.width);
    const int middle = WindowDpi()(skin::kFinderHeaderLeft.width);
    const int border = WindowDpi()(kBorder), band = WindowDpi()(kBandHeight);
    buffer.Draw(frame(kHeaderLeft), 0, 0);
    buffer.Draw(frame(kHeaderRight), right, 0);
    Stretch(target, frame(kHeaderMiddle), middle, 0, right - middle, band);
    const Rect logo = SkinRect(skin::kFinderCaptionsPlace, w, WindowDpi());
    const Rect links = SkinRect(skin::kFinderInfoPlace, w, WindowDpi());
    buffer.Draw(frame(kLogo), logo.left, logo.top);
    buffer.Draw(frame(kLinks), links.left, links.top);
    m_buttons.Paint(buffer);

    Stretch(target, frame(kLeftBorder), 0, band, border, h - border - band);
    Stretch(target, frame(kRightBorder), w - border, band, border, h - border - band);
    Stretch(target, frame(kBottomBorder), border, h - border, w - 2 * border, border);
    buffer.Draw(frame(kBottomLeft), 0, h - border);
    buffer.Draw(frame(kBottomRight), w - border, h - border);
    return true;
}

HBRUSH FinderWindow::OnControlColor(HDC dc, HWND control, UINT msg)
{
    if (msg != WM_CTLCOLORSTATIC || ::GetDlgCtrlID(control) != IDC_FIND_QUICK) return nullptr;
    ::SetBkColor(dc, m_checkColor);
    return m_checkBrush.Get();
}

INT_PTR FinderWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        Relayout();
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMinTrackSize = {WindowDpi()(kMinWidth), WindowDpi()(kMinHeight)};
        info.ptMaxTrackSize = {10000, 10000};
        return TRUE;
    }
    case WM_NCHITTEST:
        if (!m_maximized) return FALSE;
        SetResult(HitTest(lParam));
        return TRUE;
    case WM_LBUTTONDBLCLK: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (p.y >= 0 && p.y < WindowDpi()(kBandHeight) && !HitsButton(p)) ToggleMaximize();
        return TRUE;
    }
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_dragIcon);
    default:
        return ModelessDialog::OnMessage(msg, wParam, lParam);
    }
}

void FinderWindow::OnDestroy()
{
    // The control goes while its window and OLE are still there.
    m_browser.reset();
    m_settings.SaveQuickSearch(m_quickSearch);
}

}  // namespace zelora
