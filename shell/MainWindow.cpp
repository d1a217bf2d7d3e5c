#include "shell/MainWindow.h"

#include "codecs/CodecConnectPage.h"
#include "codecs/CodecUpdatePage.h"
#include "finder/FSIntro.h"
#include "finder/FinderWindow.h"
#include "pages/PageTable.h"
#include "pages/SliderPage.h"
#include "preferred/PreferredPage.h"
#include "platform/win/Notices.h"
#include "resources/resource.h"
#include "shell/AboutBox.h"
#include "shell/InstallCheck.h"
#include "shell/MenuMemory.h"
#include "shell/SettingsFiles.h"

#include <algorithm>
#include <new>

namespace zelora {
namespace {

constexpr int kWindowX = 400, kWindowY = 250;
constexpr int kWindowWidth = skin::kMainBackground.width;
constexpr int kWindowHeight = skin::kMainBackground.height;
constexpr Rect kContent = SkinRect(skin::kMainContent);
constexpr int kDragStripHeight = skin::kMainDragStrip.height;
constexpr int kLeftStripWidth = skin::kMainMenuPanel.width;

// The hot areas, in the order they are painted and released.
enum HotAreaIndex { kMinimize, kClose, kCancel, kDefaults, kOk, kFinder, kExport, kImport };
// The keyboard's order of them around the page: the menu panel's, then the foot's from the
// left, then the title strip's.
constexpr int kAreasBeforePage[] = {kExport, kImport};
constexpr int kAreasAfterPage[] = {kFinder, kDefaults, kOk, kCancel, kMinimize, kClose};

std::vector<HotArea> MainHotAreas()
{
    HotArea finder = SkinHotArea(skin::kMainFinder);
    finder.pressIgnoredByOthers = true;  // a press on the finder never blocks hover elsewhere
    finder.ignoresPressOf = kOk;
    finder.normalAfterAction = true;
    return {
        SkinHotArea(skin::kMainMinimize), SkinHotArea(skin::kMainClose),
        SkinHotArea(skin::kMainCancel),   SkinHotArea(skin::kMainDefaults),
        SkinHotArea(skin::kMainOk),       finder,
        SkinHotArea(skin::kMainExport),   SkinHotArea(skin::kMainImport),
    };
}

// Pages are made without throwing: an allocation failure is reported by the caller.
template <class P, class... Args>
std::unique_ptr<Page> Make(Args&... args)
{
    return std::unique_ptr<Page>(new (std::nothrow) P(args...));
}

std::unique_ptr<Page> MakePage(const PageRow& row, RegistryBackend& registry,
                               const RegistryViews& views)
{
    switch (row.kind) {
    case PageKind::CodecConnect: return Make<CodecConnectPage>(registry);
    case PageKind::CodecUpdate: return Make<CodecUpdatePage>(registry);
    case PageKind::Intro: return Make<FSIntro>();
    case PageKind::Preferred: return Make<PreferredPage>(views);
    case PageKind::Decoder:
        if (row.decoder->sliders.empty()) return Make<SettingsPage>(*row.decoder, registry);
        return Make<SliderPage>(*row.decoder, registry);
    }
    return nullptr;
}

// " <name> 다이얼로그 생성에 실패 하였습니다.", made without allocating: it tells of a
// failed allocation.
void ShowCreationFailure(HWND owner, const PageRow& row)
{
    constexpr std::wstring_view kFailed = L" 다이얼로그 생성에 실패 하였습니다.";
    std::array<wchar_t, 96> text{};
    const std::wstring_view name(row.name);
    auto end = text.begin();
    *end++ = L' ';
    end = std::copy_n(name.begin(), std::min(name.size(), text.size() - kFailed.size() - 2), end);
    std::copy(kFailed.begin(), kFailed.end(), end);
    win::Tell(owner, text.data(), win::Notice::Warning);
}

int& LastPage(MenuMemory& memory, MenuGroup group)
{
    switch (group) {
    case MenuGroup::Sound: return memory.lastSoundPage;
    case MenuGroup::Caption: return memory.lastCaptionPage;
    default: return memory.lastVideoPage;
    }
}

// The menu buttons by what they are.
constexpr int ButtonOfPage(std::size_t page) { return MenuButtonIndex(kPages[page].button.command); }
constexpr int kUpdateButton = ButtonOfPage(PageOfKind(PageKind::CodecUpdate));
constexpr int kIntroButton = ButtonOfPage(PageOfKind(PageKind::Intro));

int HeaderOf(MenuGroup group)
{
    for (int i = 0; i < kMenuButtonCount; ++i)
        if (kMenuButtons[i].kind == ButtonKind::Group && kMenuButtons[i].group == group) return i;
    return -1;
}

bool IsKind(int button, ButtonKind kind) { return kMenuButtons[button].kind == kind; }

}  // namespace

MainWindow::MainWindow(RegistryBackend& registry, RegistryBackend* registry64)
    : win::AppWindow(IDD_MAIN, IDS_ABOUTBOX, IDM_ABOUTBOX),
      m_store(registry),
      m_views{&registry, registry64},
      m_hotAreas(MainHotAreas())
{
    for (int i = 0; i < kMenuButtonCount; ++i) {
        if (kMenuButtons[i].kind == ButtonKind::Group)
            m_buttons[i] = std::make_unique<GroupSkinButton>();
        else
            m_buttons[i] = std::make_unique<SkinButton>();
    }
}

MainWindow::~MainWindow() = default;

BOOL MainWindow::OnInit()
{
    ::SetWindowTextW(Hwnd(), kProgramName);
    // The style first: a window without a system menu style has no menu to extend.
    ::SetWindowLongPtrW(Hwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(Hwnd(), GWL_STYLE) | WS_SYSMENU | WS_MINIMIZEBOX);
    SetUpAppWindow(::LoadIconW(win::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME)));

    m_hotAreas.Attach(Hwnd());
    m_hotAreas.Describe([this](std::size_t area) { RunHotAreaAction(area); });
    SetAccessibleSource(m_hotAreas);
    SetFocusParts(m_hotAreas);
    PlaceSkin();

    for (int i = 0; i < kMenuButtonCount; ++i) Button(i).Attach(Hwnd(), kMenuButtons[i]);
    LayOutMenu();

    // A start shows the Update page; what it prepares out of sight waits for FinishStart,
    // and the other pages are made when first needed.
    if (!EnsurePage(PageOfKind(PageKind::CodecUpdate))) return FALSE;

    ::SetWindowPos(Hwnd(), nullptr, kWindowX, kWindowY, WindowDpi()(kWindowWidth), WindowDpi()(kWindowHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    ChooseTopLevelPage(kUpdateButton);
    InstallCheck();
    // No focus yet: the window's activation when it is shown gives it to the first tab stop.
    // Taking it here would activate the still hidden window, and with it the input method
    // (under Wine, COM too), before the first paint.
    return FALSE;
}

void MainWindow::OnFirstIdle() { FinishStart(); }

void MainWindow::FinishStart()
{
    if (m_startFinished) return;
    m_startFinished = true;
    // Hidden windows made now must not take the keyboard from the window the user sees.
    const HWND active = ::GetActiveWindow();
    const HWND focus = ::GetFocus();
    // The finder opens the product's front page in its view, so that page is ready when the
    // user opens the finder; the Connect page's lists are filled from their scan.
    ShowFinder(false);
    if (Page* connect = EnsurePage(PageOfKind(PageKind::CodecConnect))) connect->Shown();
    if (active && ::GetActiveWindow() != active) ::SetActiveWindow(active);
    if (focus && ::GetFocus() != focus && ::IsWindow(focus)) ::SetFocus(focus);
}

Page* MainWindow::EnsurePage(std::size_t index)
{
    auto& slot = m_pages[index];
    if (slot) return slot.get();
    const PageRow& row = kPages[index];
    // Only the Update page comes before the start's hidden work: the settings pages enable
    // their controls by the installed decoders that the Connect page's scan marks.
    if (row.kind != PageKind::CodecUpdate) FinishStart();
    slot = MakePage(row, m_store.Backend(), m_views);
    if (!slot) {
        ShowCreationFailure(Hwnd(), row);
        ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
        return nullptr;
    }
    slot->Create(Hwnd());  // created hidden: the templates have no visible style
    return slot.get();
}

void MainWindow::ShowFinder(bool show)
{
    if (!m_finder) {
        m_finder = std::make_unique<FinderWindow>(m_store.Backend());
        m_finder->Create(Hwnd());  // hidden until its image is released
    }
    if (show && m_finder->Hwnd()) ::ShowWindow(m_finder->Hwnd(), SW_SHOW);
}

void MainWindow::LayOutMenu()
{
    // At most one group is open; the headers are asked in menu order.
    MenuGroup expanded = MenuGroup::None;
    for (int i = 0; i < kMenuButtonCount && expanded == MenuGroup::None; ++i)
        if (IsKind(i, ButtonKind::Group) && Header(i).Expanded()) expanded = kMenuButtons[i].group;

    auto layout = AccordionLayout(expanded);
    // Tab order follows the table, as in a template.
    HWND previous = HWND_TOP;
    for (int i = 0; i < kMenuButtonCount; ++i) {
        layout[i].rect = WindowDpi()(layout[i].rect);
        Button(i).Place(layout[i], previous);
        if (Button(i).Hwnd()) previous = Button(i).Hwnd();
    }
}

void MainWindow::HideOtherPages(std::size_t index)
{
    for (std::size_t i = 0; i < kPageCount; ++i)
        if (i != index && m_pages[i]) ::ShowWindow(m_pages[i]->Hwnd(), SW_HIDE);
}

void MainWindow::ShowPage(std::size_t index)
{
    HideOtherPages(index);
    Page* page = EnsurePage(index);
    if (!page) return;
    PlacePage(*page);
    ::ShowWindow(page->Hwnd(), SW_SHOW);
    ::InvalidateRect(page->Hwnd(), nullptr, TRUE);
}

void MainWindow::ChooseTopLevelPage(int buttonIndex)
{
    const int last = TheMenuMemory().lastTopButton;
    if (buttonIndex != kIntroButton && last == buttonIndex) return;

    for (int i = 0; i < kMenuButtonCount; ++i) {
        if (IsKind(i, ButtonKind::Group)) Header(i).SetExpanded(false);
        if (IsKind(i, ButtonKind::TopLevel)) Button(i).SetSelected(i == buttonIndex);
    }

    LayOutMenu();
    if (const int index = PageOfCommand(kMenuButtons[buttonIndex].command); index >= 0) {
        ShowPage(static_cast<std::size_t>(index));
        if (Page* page = PageAt(static_cast<std::size_t>(index))) page->Shown();
    }

    RepaintTopButtons();
    if (buttonIndex == kIntroButton) RepaintLeftStrip();
    m_hasCurrentSettingsPage = false;
}

void MainWindow::OpenGroup(MenuGroup group)
{
    const int header = HeaderOf(group);
    if (TheMenuMemory().lastTopButton == header) return;

    if (!Header(header).Expanded()) {
        for (int i = 0; i < kMenuButtonCount; ++i) {
            if (IsKind(i, ButtonKind::Group)) Header(i).SetExpanded(i == header);
            if (IsKind(i, ButtonKind::TopLevel)) Button(i).SetSelected(false);
        }
    }
    LayOutMenu();

    // Opening a group reopens the page last used in it, at first its first one.
    if (const int page = PageAtPlace(group, LastPage(TheMenuMemory(), group)); page >= 0)
        ChooseSettingsPage(static_cast<std::size_t>(page));

    if (group == MenuGroup::Caption) RepaintTopButtons();
    RepaintLeftStrip();
}

void MainWindow::ChooseSettingsPage(std::size_t index)
{
    HideOtherPages(index);
    Page* page = EnsurePage(index);
    if (!page) return;
    page->Load();
    if (!m_hasCurrentSettingsPage || m_currentSettingsPage != index) {
        page->Layout();
        PlacePage(*page);
        ::ShowWindow(page->Hwnd(), SW_SHOW);
        m_currentSettingsPage = index;
        m_hasCurrentSettingsPage = true;
    }
    // Also when it was in view already: the reloaded values must show.
    page->Shown();

    // Select this page's button, deselect the others of its group, remember the page.
    const int self = ButtonOfPage(index);
    const MenuGroup group = kMenuButtons[self].group;
    for (int i = 0; i < kMenuButtonCount; ++i) {
        if (kMenuButtons[i].kind != ButtonKind::Item || kMenuButtons[i].group != group) continue;
        Button(i).SetSelected(i == self);
        Button(i).Repaint();
    }
    LastPage(TheMenuMemory(), group) = kPages[index].place;
}

void MainWindow::PlacePage(Page& page) const
{
    const Rect content = WindowDpi()(kContent);
    ::MoveWindow(page.Hwnd(), content.left, content.top, content.Width(), content.Height(), TRUE);
}

void MainWindow::PlaceSkin()
{
    m_background = win::LoadSkinBitmap(skin::kMainBackground.id, WindowDpi().Value());
    m_dragStrip = win::ToRect(WindowDpi()(Rect{0, 0, kWindowWidth, kDragStripHeight}));
    m_leftStrip = win::ToRect(WindowDpi()(Rect{0, 0, kLeftStripWidth, kWindowHeight}));
}

bool MainWindow::OnDpiChanged(Dpi from, Dpi dpi, const RECT& suggested)
{
    // The suggested place keeps the window under the pointer; its size is the skin's.
    ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, dpi(kWindowWidth),
                   dpi(kWindowHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceSkin();
    m_hotAreas.ScaleTo(dpi);
    LayOutMenu();
    for (std::size_t i = 0; i < kPageCount; ++i) {
        if (!m_pages[i]) continue;
        m_pages[i]->DpiChanged(from, dpi);
        PlacePage(*m_pages[i]);
    }
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}

void MainWindow::InstallCheck()
{
    // The pages to reset are made before the claim: one that cannot be made ends the
    // program with the first run still pending, as when every page was made at start.
    if (FirstRunPending(m_store))
        for (std::size_t i = 0; i < kPageCount; ++i)
            if (kPages[i].kind == PageKind::Decoder && !EnsurePage(i)) return;
    switch (ClaimFirstRun(m_store)) {
    case FirstRun::Claimed:
        // The decoder pages in table order.
        for (std::size_t i = 0; i < kPageCount; ++i)
            if (kPages[i].kind == PageKind::Decoder) PageAt(i)->ResetDefaults();
        return;
    case FirstRun::Refused:
        // Unmarked (a standard user): no reset of every page, or each start would reset
        // them all again. As after any first run, the current-defaults image still resets
        // the page in view; at start-up none is.
    case FirstRun::No:
        break;
    }
    if (!m_hasCurrentSettingsPage) return;
    if (Page* page = PageAt(m_currentSettingsPage)) {
        page->ResetDefaults();
        ::InvalidateRect(page->Hwnd(), nullptr, TRUE);
    }
}

void MainWindow::ReloadSettingsPage()
{
    // The other pages read the registry again whenever they are next shown.
    if (!m_hasCurrentSettingsPage) return;
    if (Page* page = PageAt(m_currentSettingsPage)) {
        page->Load();
        page->Shown();
        ::InvalidateRect(page->Hwnd(), nullptr, TRUE);
    }
}

void MainWindow::RepaintTopButtons()
{
    // The buttons that are not items: the top-level pages' and the group headers.
    for (int i = 0; i < kMenuButtonCount; ++i)
        if (!IsKind(i, ButtonKind::Item)) Button(i).Repaint();
}

void MainWindow::RepaintLeftStrip() { ::InvalidateRect(Hwnd(), &m_leftStrip, TRUE); }

bool MainWindow::OnCommand(int id, int, HWND)
{
    const int index = MenuButtonIndex(id);
    if (index < 0) return false;
    const MenuButton& button = kMenuButtons[index];
    switch (button.kind) {
    case ButtonKind::TopLevel: ChooseTopLevelPage(index); break;
    case ButtonKind::Group: OpenGroup(button.group); break;
    case ButtonKind::Item:
        if (const int page = PageOfCommand(button.command); page >= 0)
            ChooseSettingsPage(static_cast<std::size_t>(page));
        break;
    }
    return true;
}

bool MainWindow::OnDrawItem(DRAWITEMSTRUCT& item)
{
    const int index = MenuButtonIndex(static_cast<int>(item.CtlID));
    if (index < 0) return false;
    Button(index).Draw(item);
    return true;
}

bool MainWindow::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Draw(m_background.Get(), 0, 0, buffer.Width(), buffer.Height());
    m_hotAreas.Paint(buffer);
    PaintVersion(buffer.Dc());
    return true;
}

void MainWindow::PaintVersion(HDC dc)
{
    win::UniqueFont font(::CreateFontW(WindowDpi()(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, 0, 0, 0, 48, L"tahoma"));
    win::SelectGuard select(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    static constexpr wchar_t kVersion[] = L" Ver. 20051013";
    const int length = static_cast<int>(std::size(kVersion)) - 1;
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutW(dc, WindowDpi()(120), WindowDpi()(14), kVersion, length);
    ::SetTextColor(dc, RGB(139, 134, 103));
    ::TextOutW(dc, WindowDpi()(121), WindowDpi()(13), kVersion, length);
}

void MainWindow::RunHotAreaAction(std::size_t area)
{
    switch (area) {
    case kMinimize: ::ShowWindow(Hwnd(), SW_MINIMIZE); break;
    case kClose:
    case kCancel: ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0); break;
    case kDefaults: InstallCheck(); break;
    case kOk: ::SendMessageW(Hwnd(), WM_COMMAND, IDOK, 0); break;
    case kFinder:
        ShowFinder(true);
        break;
    case kExport: ExportSettingsFile(Hwnd(), m_store.Backend()); break;
    case kImport:
        if (ImportSettingsFile(Hwnd(), m_store.Backend())) ReloadSettingsPage();
        break;
    default: break;
    }
}

bool MainWindow::OnMouse(UINT msg, WPARAM keys, POINT p)
{
    switch (msg) {
    case WM_LBUTTONDOWN: {
        m_hotAreas.ButtonDown(p);
        if (m_hotAreas.Areas().AnyPressed())
            ::SetCapture(Hwnd());
        else if (::PtInRect(&m_dragStrip, p))  // the drag starts with the press itself
            ::PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
        break;
    }
    case WM_LBUTTONUP: {
        const HotAreaSet::Mask actions = m_hotAreas.ButtonUp(p);
        if (::GetCapture() == Hwnd()) ::ReleaseCapture();
        for (std::size_t i = 0; i < m_hotAreas.Areas().Count(); ++i)
            if (actions & (HotAreaSet::Mask{1} << i)) RunHotAreaAction(i);
        break;
    }
    case WM_MOUSEMOVE: {
        m_hotAreas.Move(p, keys);
        const HotAreaSet& areas = m_hotAreas.Areas();
        if (::PtInRect(&m_dragStrip, p) && win::LeftButtonOnly(keys) && !areas.Pressed(kMinimize) &&
            !areas.Pressed(kClose))
            ::PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
        break;
    }
    default: break;
    }
    return false;
}

void MainWindow::OnDestroy()
{
    // Pages go in table order, with the window that owns them.
    for (auto& page : m_pages) page.reset();
    m_finder.reset();
}

void MainWindow::RunAboutBox() { AboutBox().RunModal(Hwnd()); }

bool MainWindow::PreTranslate(MSG& msg) { return MenuArrow(msg) || m_keyboard.PreTranslate(msg); }

void MainWindow::TabStops(win::FocusStops& stops) const
{
    // The menu by place: an open group shows its items in their places' order.
    std::vector<std::pair<LONG, HWND>> menu;
    for (const auto& button : m_buttons) {
        RECT r{};
        if (button->Hwnd() && ::IsWindowVisible(button->Hwnd()) && ::GetWindowRect(button->Hwnd(), &r))
            menu.emplace_back(r.top, button->Hwnd());
    }
    std::stable_sort(menu.begin(), menu.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [top, hwnd] : menu) stops.push_back({hwnd, -1});
    for (int area : kAreasBeforePage) stops.push_back({Hwnd(), area});
    for (const auto& page : m_pages)
        if (page && ::IsWindowVisible(page->Hwnd())) win::AppendTabStops(stops, page->Hwnd());
    for (int area : kAreasAfterPage) stops.push_back({Hwnd(), area});
}

bool MainWindow::MenuArrow(const MSG& msg)
{
    static constexpr std::pair<WPARAM, MenuKey> kKeys[] = {
        {VK_UP, MenuKey::Up}, {VK_DOWN, MenuKey::Down}, {VK_LEFT, MenuKey::Left}, {VK_RIGHT, MenuKey::Right}};
    if (msg.message != WM_KEYDOWN) return false;
    const auto key = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const auto& k) { return k.first == msg.wParam; });
    const auto button = std::find_if(m_buttons.begin(), m_buttons.end(),
                                     [&](const auto& b) { return b->Hwnd() && b->Hwnd() == msg.hwnd; });
    if (key == std::end(kKeys) || button == m_buttons.end()) return false;
    MenuGroup expanded = MenuGroup::None;
    for (int i = 0; i < kMenuButtonCount; ++i)
        if (IsKind(i, ButtonKind::Group) && Button(i).Selected()) expanded = kMenuButtons[i].group;
    const MenuKeyMove move = MoveInMenu(static_cast<int>(button - m_buttons.begin()), key->second, expanded);
    if (move.focus < 0) return true;
    const HWND target = Button(move.focus).Hwnd();
    if (!target) return true;
    ::SetFocus(target);
    if (move.press) ::SendMessageW(target, BM_CLICK, 0, 0);
    return true;
}

}  // namespace zelora
