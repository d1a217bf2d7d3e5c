#include "codecs/CodecConnectPage.h"

#include "pages/PageFrame.h"
#include "platform/win/Notices.h"
#include "platform/win/WideText.h"
#include "resources/resource.h"

#include <array>
#include <utility>

namespace zelora {
namespace {

// Page title, upper and lower headings.
constexpr std::array<SkinBitmap, 3> kSkin = {{
    {skin::kConnectBanner, 0, 0},
    {skin::kConnectUpperHeading, 10, 30},
    {skin::kConnectLowerHeading, 10, 240},
}};

constexpr Place kUpperPlace{IDC_INSTALLED_LIST_AT};
constexpr Place kLowerPlace{IDC_REMOVED_LIST_AT};

// The image buttons, in the order a release handles them.
enum ButtonIndex : std::size_t { kUnregister, kRegister, kUninstall };

std::vector<HotArea> ButtonAreas()
{
    return {SkinHotArea(skin::kConnectUnregister), SkinHotArea(skin::kConnectRegister),
            SkinHotArea(skin::kConnectUninstall)};
}

}  // namespace

CodecConnectPage::CodecConnectPage(RegistryBackend& registry)
    : CodecConnectPage(registry, nullptr, nullptr)
{
}

CodecConnectPage::CodecConnectPage(RegistryBackend& registry, ProcessLauncher& launcher)
    : CodecConnectPage(registry, &launcher, nullptr)
{
}

CodecConnectPage::CodecConnectPage(RegistryBackend& registry, ProcessLauncher& launcher,
                                   const FileProbe& files)
    : CodecConnectPage(registry, &launcher, &files)
{
}

CodecConnectPage::CodecConnectPage(RegistryBackend& registry, ProcessLauncher* launcher,
                                   const FileProbe* files)
    : Page(IDD_CODEC_CONNECT),
      m_store(registry),
      m_inventory(m_store, launcher ? *launcher : m_systemLauncher, win::SystemRegsvr32Path(),
                  files ? *files : m_systemFiles),
      m_buttons(ButtonAreas())
{
}

BOOL CodecConnectPage::OnInit()
{
    m_images = CreateCheckImages(WindowDpi());
    m_staticBrush.Reset(::CreateSolidBrush(kPageBackgroundColor));
    if (!m_upper.Attach(Item(IDC_INSTALLED_LIST)) || !m_lower.Attach(Item(IDC_REMOVED_LIST))) {
        ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
        return FALSE;
    }
    m_buttons.Attach(Hwnd());
    m_buttons.Describe([this](std::size_t button) { RunButton(button); });
    SetAccessibleSource(m_buttons);
    SetFocusParts(m_buttons);
    // Screen readers call the lists by their headings' words.
    win::SetAccessibleName(m_upper.Hwnd(), skin::kConnectUpperHeading.words);
    win::SetAccessibleName(m_lower.Hwnd(), skin::kConnectLowerHeading.words);
    return TRUE;
}

void CodecConnectPage::PrepareOnce()
{
    if (m_prepared) return;
    m_prepared = true;
    PrepareInstalledList();
    PrepareRemovedList();
    Layout();
}

void CodecConnectPage::OnShown()
{
    // The lists are filled once; afterwards only the buttons move rows, so a show leaves
    // the selection and the scroll position where the user left them.
    PrepareOnce();
}

void CodecConnectPage::PrepareInstalledList()
{
    m_upper.SetUp(m_images.Get());
    InstalledScan scan = m_inventory.PrepareInstalled();
    if (scan.access == CategoryAccess::Refused) {
        win::Tell(Hwnd(), L"Error", win::Notice::Failure);
        return;
    }
    m_installed = std::move(scan.rows);
    m_unregistered = std::move(scan.notRegistered);
    m_upper.Fill(m_installed);
}

void CodecConnectPage::PrepareRemovedList()
{
    m_lower.SetUp(m_images.Get());
    // Installed but not registered first: "register" repairs them like any unregistered row.
    m_removed = std::move(m_unregistered);
    m_unregistered.clear();
    for (InventoryRow& row : m_inventory.ScanRemoved()) m_removed.push_back(std::move(row));
    m_lower.Fill(m_removed);
}

void CodecConnectPage::Layout()
{
    if (m_laidOut) return;
    m_laidOut = true;
    PlaceLists();
}

void CodecConnectPage::PlaceLists()
{
    const Rect upper = Pixels(kUpperPlace), lower = Pixels(kLowerPlace);
    m_upper.MoveTo(upper.left, upper.top, upper.Width(), upper.Height());
    m_lower.MoveTo(lower.left, lower.top, lower.Width(), lower.Height());
    m_upper.FitColumns(m_installed);
    m_lower.FitColumns(m_removed);
}

void CodecConnectPage::DpiChanged(Dpi from, Dpi to)
{
    Page::DpiChanged(from, to);
    m_buttons.ScaleTo(to);
    // The lists take the new images before the old ones they share go.
    UniqueImageList images = CreateCheckImages(to);
    ListView_SetImageList(m_upper.Hwnd(), images.Get(), LVSIL_SMALL);
    ListView_SetImageList(m_lower.Hwnd(), images.Get(), LVSIL_SMALL);
    m_images = std::move(images);
    if (m_laidOut) PlaceLists();
}

void CodecConnectPage::RefreshControls()
{
    m_upper.ShowRows(m_installed);
    m_lower.ShowRows(m_removed);
}

void CodecConnectPage::Toggle(const InventoryListView& list, std::vector<InventoryRow>& rows,
                              int item)
{
    const auto row = list.RowOf(item, rows.size());
    if (!row) return;
    ToggleCheck(rows[*row]);
    list.ShowCheck(item, rows[*row]);
}

bool CodecConnectPage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.code != static_cast<UINT>(NM_CLICK)) return false;
    const int item = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
    if (header.hwndFrom == m_upper.Hwnd() && header.idFrom == IDC_INSTALLED_LIST)
        Toggle(m_upper, m_installed, item);
    else if (header.hwndFrom == m_lower.Hwnd() && header.idFrom == IDC_REMOVED_LIST)
        Toggle(m_lower, m_removed, item);
    else
        return false;
    result = 0;
    return true;
}

template <class Action>
void CodecConnectPage::Act(const InventoryListView& fromView, InventoryListView* toView,
                           std::vector<InventoryRow>* to, Action action)
{
    // Only the rows the action took leave the view; one it could not handle stays ticked.
    const std::size_t arrivedFrom = to ? to->size() : 0;
    const RowsTaken taken = action();
    if (taken.Count() != 0) {
        fromView.Remove(taken.taken);
        if (toView && to) toView->Append(*to, arrivedFrom);
    }
    // Both lists show the states found at the press, before the user reads why.
    RefreshControls();
    if (taken.refused.empty()) return;
    win::Tell(Hwnd(), win::Wide(RefusalMessage(taken.refused)).c_str(), win::Notice::Warning);
}

void CodecConnectPage::RunButton(std::size_t button)
{
    switch (button) {
    case kUnregister:
        Act(m_upper, &m_lower, &m_removed,
            [this] { return m_inventory.UnregisterChosen(m_installed, m_removed); });
        break;
    case kRegister:
        Act(m_lower, &m_upper, &m_installed,
            [this] { return m_inventory.RegisterChosen(m_removed, m_installed); });
        break;
    case kUninstall:
        Act(m_lower, nullptr, nullptr,
            [this] { return m_inventory.UninstallChosen(m_removed); });
        break;
    default:
        break;
    }
}

bool CodecConnectPage::OnMouse(UINT msg, WPARAM keys, POINT p)
{
    // No capture: after a release outside the page the pressed button keeps its pressed
    // image until the next release on the page, which performs nothing outside a button.
    switch (msg) {
    case WM_LBUTTONDOWN:
        m_buttons.ButtonDown(p);
        break;
    case WM_LBUTTONUP: {
        const HotAreaSet::Mask actions = m_buttons.ButtonUp(p);
        for (std::size_t i = 0; i < m_buttons.Areas().Count(); ++i)
            if (actions & (HotAreaSet::Mask{1} << i)) RunButton(i);
        break;
    }
    case WM_MOUSEMOVE:
        m_buttons.Move(p, keys);
        break;
    default:
        break;
    }
    return false;  // default handling too
}

bool CodecConnectPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    DrawSkin(buffer, kSkin, m_skin);
    m_buttons.Paint(buffer);
    return true;
}

HBRUSH CodecConnectPage::OnControlColor(HDC dc, HWND, UINT msg)
{
    if (msg != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, kPageBackgroundColor);
    return m_staticBrush.Get();
}

}  // namespace zelora
