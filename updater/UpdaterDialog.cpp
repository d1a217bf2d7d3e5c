#include "updater/UpdaterDialog.h"

#include "../resources/UpdaterResource.h"
#include "platform/win/LateImports.h"
#include "platform/win/Notices.h"
#include "platform/win/Painter.h"
#include "platform/win/WideText.h"
#include "updater/FileHash.h"
#include "updater/ManifestSignature.h"
#include "updater/UpdaterAboutBox.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <array>

namespace zelora::updater {
namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT_PTR kCleanUpTimer = 2;

constexpr int kOfferBackground = update_skin::kOfferBackground.id;
constexpr int kDownloadBackground = update_skin::kDownloadBackground.id;
constexpr int kDoneBackground = update_skin::kDoneBackground.id;
constexpr int kBarBitmap = update_skin::kProgressTile.id;

constexpr std::array<ImageButtonSkin, 3> kButtons = {{
    SkinnedButton(IDC_UPDATER_START, update_skin::kUpdaterStart),
    SkinnedButton(IDCANCEL, update_skin::kUpdaterCancel),
    SkinnedButton(IDOK, update_skin::kUpdaterOk),
}};

// Client pixels of the texts drawn while downloading: the codec's name and the size
// received so far (right-aligned); the band between them is cleared when all are done.
constexpr RECT kNameArea{15, 57, 100, 75};
constexpr RECT kSizeArea{190, 57, 250, 75};
constexpr RECT kTextBand{15, 57, 250, 75};

constexpr int kOfferWidth = 272;
// The free band of the offer's background, below its question and above the buttons.
constexpr RECT kOfferTextArea{16, 78, 258, 103};
constexpr DWORD kCancelWaitMs = 700;
constexpr int kOfferHeight = 162;
constexpr RECT kProgressPlace{16, 75, 16 + 239, 75 + 9};

constexpr wchar_t kNewVersionCaption[] = L"ZeloraUpdata";

}  // namespace

UpdaterDialog::UpdaterDialog(RegistryStore& store, UpdaterSettings settings)
    : win::AppWindow(IDD_UPDATER, IDS_UPDATER_ABOUT, IDM_UPDATER_ABOUT),
      m_settings(std::move(settings)),
      m_flow(store, *this, m_settings.site)
{
}

UpdaterDialog::~UpdaterDialog()
{
    if (m_worker) Cancel();
    if (m_folder) m_folder->CleanUp();
}

bool UpdaterDialog::AnnounceBox(const std::wstring& text)
{
    return win::Announce(text.c_str(), kNewVersionCaption) == IDOK;
}

void UpdaterDialog::FailureBox(const std::wstring& text) { win::Tell(Hwnd(), text.c_str(), win::Notice::Failure); }

void UpdaterDialog::DebugLine(const std::string& line) { win::DebugLine(win::Wide(line)); }

void UpdaterDialog::OpenProgram(const std::wstring& file, const std::wstring& parameters)
{
    win::late::ShellExecuteW(nullptr, L"open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                    nullptr, SW_SHOWNORMAL);
}

BOOL UpdaterDialog::OnInit()
{
    m_icon.Reset(static_cast<HICON>(::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(IDI_UPDATER),
                                                 IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    SetUpAppWindow(m_icon.Get());

    // No taskbar button, and no visible window until there is something to offer.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, -5, -5, 1, 1, SWP_SHOWWINDOW);

    m_progress.Attach(Item(IDC_UPDATER_PROGRESS));
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    ::ShowWindow(m_progress.Hwnd(), SW_HIDE);
    SetBackground(kOfferBackground);
    if (!PlaceSkin()) {
        ::PostMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    const HWND list = Item(IDC_UPDATER_LIST);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_WIDTH;
        info.cx = 100;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    ::MoveWindow(list, 0, 0, 0, 0, FALSE);
    // Of no size, it is never seen: Tab goes between the buttons alone.
    ::SetWindowLongPtrW(list, GWL_STYLE, ::GetWindowLongPtrW(list, GWL_STYLE) & ~WS_TABSTOP);

    // What earlier runs could not clean up (the process ended first) goes once it is old.
    RunFolder::RemoveStale(m_settings.tempParent);
    ::SetTimer(Hwnd(), kStartTimer, m_settings.startDelayMs, nullptr);
    ::ShowWindow(m_okButton.Hwnd(), SW_HIDE);
    return TRUE;
}

bool UpdaterDialog::PlaceSkin()
{
    const RECT bar = Pixels(kProgressPlace);
    ::MoveWindow(m_progress.Hwnd(), bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, FALSE);
    m_progress.SetBitmap(kBarBitmap, false);
    ImageButton* const buttons[] = {&m_startButton, &m_cancelButton, &m_okButton};
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        if (!buttons[i]->Attach(Hwnd(), kButtons[i], WindowDpi())) return false;
    return true;
}

RECT UpdaterDialog::Pixels(const RECT& r) const
{
    return win::ToRect(WindowDpi().Edges({r.left, r.top, r.right, r.bottom}));
}

bool UpdaterDialog::OnDpiChanged(Dpi from, Dpi dpi, const RECT& suggested)
{
    FollowDpi(from, dpi);
    PlaceSkin();
    if (m_backgroundId) SetBackground(m_backgroundId);
    // Hidden until an offer, the window keeps its one-pixel size until then.
    if (::IsWindowVisible(Hwnd()) && !Offered().empty())
        ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, dpi(kOfferWidth), dpi(kOfferHeight),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
    return true;
}

bool UpdaterDialog::SetBackground(int bitmapId)
{
    win::UniqueBitmap bitmap = win::LoadSkinBitmap(bitmapId, WindowDpi().Value());
    if (!bitmap) return false;
    m_background = std::move(bitmap);
    m_backgroundId = bitmapId;
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
    return true;
}

void UpdaterDialog::StartManifestFetch()
{
    DownloadOptions options = m_settings.download;
    options.deadlineMs = m_settings.manifestDeadlineMs;
    // Nothing to go on without the manifest: end unseen rather than linger hidden.
    if (!m_fetch.Start(Hwnd(), m_settings.site.manifestUrl, std::move(options))) End(IDCANCEL);
}

void UpdaterDialog::OnManifestFetched()
{
    FetchedManifest fetched = m_fetch.Take();
    ManifestArrival arrival;
    arrival.signedWhole = fetched.complete && IsSignedManifest(fetched.manifest, fetched.signature, m_settings.key);
    arrival.fetchFailure = fetched.cause;
    arrival.digest = Sha256Text(fetched.manifest);
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    arrival.today = now.wYear * 10000u + now.wMonth * 100u + now.wDay;
    arrival.manifest = std::move(fetched.manifest);
    m_flow.ManifestArrived(arrival);
}

bool UpdaterDialog::PrepareFolder()
{
    if (!m_folder) m_folder = RunFolder::Create(m_settings.tempParent);
    return m_folder != nullptr;
}

bool UpdaterDialog::ShowStage(UpdateStage stage, const std::vector<CodecUpdate>& listOrder)
{
    switch (stage) {
    case UpdateStage::Offering:
        ShowOffer(listOrder);
        return true;
    case UpdateStage::Downloading:
        ::EnableWindow(m_startButton.Hwnd(), FALSE);
        return SetBackground(kDownloadBackground);
    case UpdateStage::Done:
        ShowDone();
        if (!SetBackground(kDoneBackground)) return false;
        ::SetTimer(Hwnd(), kCleanUpTimer, m_settings.cleanUpDelayMs, nullptr);
        return true;
    default:
        return true;
    }
}

void UpdaterDialog::ShowOffer(const std::vector<CodecUpdate>& listOrder)
{
    const HWND list = Item(IDC_UPDATER_LIST);
    int row = 0;
    for (const CodecUpdate& update : listOrder) {
        std::wstring name = win::Wide(update.name);
        std::wstring url = win::Wide(update.url);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = name.data();
        const auto index = ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iItem = static_cast<int>(index);
        item.iSubItem = 1;
        item.pszText = url.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    m_progress.SetPos(0);
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - WindowDpi()(200);
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - WindowDpi()(130);
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, x, y, WindowDpi()(kOfferWidth), WindowDpi()(kOfferHeight), SWP_SHOWWINDOW);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool UpdaterDialog::StartWorker(const std::vector<CodecUpdate>& rows)
{
    m_worker = std::make_unique<UpdateWorker>(Hwnd(), rows, m_folder, m_settings.download);
    if (!m_worker->Start()) {
        m_worker.reset();
        return false;
    }
    ::ShowWindow(m_progress.Hwnd(), SW_SHOW);
    return true;
}

void UpdaterDialog::InvalidateTexts() const { ::InvalidateRect(Hwnd(), &kTextBand, TRUE); }

void UpdaterDialog::OnWorkerMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_worker) return;
    switch (msg) {
    case kWorkerRowStarted:
        m_flow.RowStarted(wParam);
        if (wParam < Offered().size()) m_name = win::Wide(Offered()[wParam].name);
        m_size.clear();
        m_progress.SetPos(0);
        InvalidateTexts();
        break;
    case kWorkerProgress: {
        m_worker->ProgressShown();
        const std::uint64_t received = m_worker->Received();
        wchar_t text[64] = L"";
        ::StrFormatByteSizeW(static_cast<LONGLONG>(received), text, 64);
        m_size = text;
        m_progress.SetPos(DownloadPercent(received, m_worker->Total()));
        ::InvalidateRect(Hwnd(), &kSizeArea, TRUE);
        break;
    }
    case kWorkerRowDone:
        m_name.clear();
        ::InvalidateRect(Hwnd(), &kNameArea, TRUE);
        break;
    case kWorkerFinished:
        m_worker.reset();  // the thread has ended or is about to: wait for it
        m_name.clear();
        m_size.clear();
        InvalidateTexts();
        m_flow.WorkerEnded({static_cast<WorkerOutcome>(wParam), static_cast<FailureCause>(lParam)});
        break;
    default:
        break;
    }
}

void UpdaterDialog::ShowDone()
{
    ::ShowWindow(m_startButton.Hwnd(), SW_HIDE);
    ::ShowWindow(m_cancelButton.Hwnd(), SW_HIDE);
    ::ShowWindow(m_okButton.Hwnd(), SW_SHOW);
    ::ShowWindow(m_progress.Hwnd(), SW_HIDE);
}

void UpdaterDialog::Cancel()
{
    if (m_worker) {
        // Out of sight at once; the worker stops its download (deleting the partial file).
        // A network call that does not wake at once is not waited for: the window answers
        // within a second, and the thread, which owns what it uses, ends with the process.
        if (Hwnd()) ::ShowWindow(Hwnd(), SW_HIDE);
        m_worker->Cancel();
        if (m_worker->Ended(kCancelWaitMs)) m_worker.reset();
        else static_cast<void>(m_worker.release());
    }
    m_flow.Cancelled();
    if (Hwnd()) End(IDCANCEL);
}

void UpdaterDialog::StartProgram(const std::string& program)
{
    const std::wstring path = win::Wide(program);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) OpenProgram(path, L"");
}

bool UpdaterDialog::OnCommand(int id, int code, HWND)
{
    if (id == IDC_UPDATER_START && code == BN_CLICKED) {
        m_flow.StartPressed();
        return true;
    }
    if (id == IDCANCEL) {
        Cancel();
        return true;
    }
    if (id == IDOK) {
        m_flow.OkPressed();
        return true;
    }
    return false;
}

bool UpdaterDialog::OnDrawItem(DRAWITEMSTRUCT& item)
{
    for (const ImageButton* button : {&m_startButton, &m_cancelButton, &m_okButton}) {
        if (item.hwndItem == button->Hwnd()) {
            button->Draw(item);
            return true;
        }
    }
    return false;
}

bool UpdaterDialog::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(RGB(248, 249, 251));
    buffer.Draw(m_background.Get(), 0, 0);
    const bool offering = m_backgroundId == kOfferBackground && !Offered().empty();
    if (!offering && m_name.empty() && m_size.empty()) return true;
    const HDC memory = buffer.Dc();
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
    win::SelectGuard select(memory, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(memory, TRANSPARENT);
    if (offering) {
        DrawOffer(memory);
        return true;
    }
    ::SetTextColor(memory, RGB(0, 0, 0));
    RECT name = Pixels({kNameArea.left, kNameArea.top, kSizeArea.left, kNameArea.bottom});
    ::DrawTextW(memory, m_name.c_str(), -1, &name, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    RECT size = Pixels(kSizeArea);
    ::DrawTextW(memory, m_size.c_str(), -1, &size, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return true;
}

// What will be installed, in the offer's free band: as many codecs as fit in it, the rest
// counted.
void UpdaterDialog::DrawOffer(HDC dc) const
{
    ::SetTextColor(dc, RGB(40, 60, 110));
    const UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
    const RECT band = Pixels(kOfferTextArea);
    const int height = band.bottom - band.top;
    for (std::size_t shown = Offered().size(); shown > 0; --shown) {
        const std::wstring text = win::Wide(OfferText(Offered(), shown));
        RECT measured = band;
        ::DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
        if (shown > 1 && measured.bottom - measured.top > height) continue;
        RECT area = band;
        ::DrawTextW(dc, text.c_str(), -1, &area, format | DT_END_ELLIPSIS);
        return;
    }
}

bool UpdaterDialog::OnMouse(UINT msg, WPARAM, POINT client)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        ::SetCapture(Hwnd());
        m_dragStart = client;
        return true;
    case WM_LBUTTONUP:
        if (::GetCapture() == Hwnd()) ::ReleaseCapture();
        return true;
    case WM_MOUSEMOVE:
        if (::GetCapture() == Hwnd()) {
            RECT window{};
            ::GetWindowRect(Hwnd(), &window);
            POINT pointer = client;
            ::ClientToScreen(Hwnd(), &pointer);
            POINT origin{0, 0};
            ::ClientToScreen(Hwnd(), &origin);
            // Keep the pressed client point under the pointer.
            const int left = pointer.x - m_dragStart.x - (origin.x - window.left);
            const int top = pointer.y - m_dragStart.y - (origin.y - window.top);
            ::SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    default:
        return false;
    }
}

void UpdaterDialog::OnTimer(UINT_PTR id)
{
    if (id == kStartTimer) {
        ::KillTimer(Hwnd(), kStartTimer);
        StartManifestFetch();
    } else if (id == kCleanUpTimer) {
        ::KillTimer(Hwnd(), kCleanUpTimer);
        if (m_folder) m_folder->CleanUp();
    }
}

void UpdaterDialog::RunAboutBox() { UpdaterAboutBox().RunModal(Hwnd()); }

INT_PTR UpdaterDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:  // the system menu's Close: the same as the cancel button
        Cancel();
        return TRUE;
    case kManifestFetched:
        OnManifestFetched();
        return TRUE;
    case kWorkerRowStarted:
    case kWorkerProgress:
    case kWorkerRowDone:
    case kWorkerFinished:
        OnWorkerMessage(msg, wParam, lParam);
        return TRUE;
    default:
        return AppWindow::OnMessage(msg, wParam, lParam);
    }
}

}  // namespace zelora::updater
