#pragma once
// The updater's one window. Hidden for its start delay, then it fetches the manifest and
// hands it to the update's flow, which decides; the window shows itself only when there is
// something to offer. After the user confirms, the worker thread downloads and runs the
// installers while this window, on its own thread, shows the progress.

#include "platform/win/AppWindow.h"
#include "platform/win/WideText.h"
#include "platform/registry/RegistryStore.h"
#include "updater/BitmapProgressBar.h"
#include "updater/HttpDownload.h"
#include "updater/ImageButton.h"
#include "updater/ManifestFetch.h"
#include "updater/RunFolder.h"
#include "updater/UpdateFlow.h"
#include "updater/UpdaterSettings.h"
#include "updater/UpdateWorker.h"

#include <memory>
#include <string>
#include <vector>

namespace zelora::updater {

// The caption of the updater's failure boxes.
inline constexpr wchar_t kUpdaterName[] = L"ZeloraUpdate";

class UpdaterDialog : public win::AppWindow, private UpdateView {
public:
    UpdaterDialog(RegistryStore& store, UpdaterSettings settings);
    ~UpdaterDialog() override;

    // Button 1000: starts the worker.
    void StartDownloads() { m_flow.StartPressed(); }

    const std::vector<CodecUpdate>& Offered() const { return m_flow.Offered(); }
    FailureCause Failure() const { return m_flow.Failure(); }
    bool Downloading() const { return m_worker != nullptr; }
    const RunFolder* Folder() const { return m_folder.get(); }
    int ProgressPercent() const { return m_progress.Pos(); }
    const std::wstring& ShownName() const { return m_name; }
    const std::wstring& ShownSize() const { return m_size; }
    int Background() const { return m_backgroundId; }

protected:
    // Seams for the tests: the boxes the user answers and the programs started.
    virtual bool AnnounceBox(const std::wstring& text);
    virtual void FailureBox(const std::wstring& text);
    virtual void OpenProgram(const std::wstring& file, const std::wstring& parameters);

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInit() override;
    bool OnDpiChanged(Dpi from, Dpi to, const RECT& suggested) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT client) override;
    void OnTimer(UINT_PTR id) override;
    void RunAboutBox() override;

private:
    // The progress bar and the image buttons at their places and with their pictures for
    // the window's DPI; false when a button or picture is missing.
    bool PlaceSkin();
    RECT Pixels(const RECT& r) const;  // a 96-DPI place at the window's DPI
    // What the flow asks.
    bool Announce(const std::string& text) override { return AnnounceBox(win::Wide(text)); }
    void TellFailure(const std::string& text) override { FailureBox(win::Wide(text)); }
    void DebugLine(const std::string& line) override;
    void OpenPage(const std::string& url) override { OpenProgram(L"iexplore.exe", win::Wide(url)); }
    void StartProgram(const std::string& path) override;
    bool PrepareFolder() override;
    bool ShowStage(UpdateStage stage, const std::vector<CodecUpdate>& listOrder) override;
    bool StartWorker(const std::vector<CodecUpdate>& rows) override;
    void Finish(bool installed) override { End(installed ? IDOK : IDCANCEL); }

    void StartManifestFetch();
    void OnManifestFetched();
    bool SetBackground(int bitmapId);
    void ShowOffer(const std::vector<CodecUpdate>& listOrder);
    void ShowDone();
    void OnWorkerMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Cancel();
    void InvalidateTexts() const;
    void DrawOffer(HDC dc) const;

    UpdaterSettings m_settings;
    UpdateFlow m_flow;
    ManifestFetch m_fetch;
    std::shared_ptr<RunFolder> m_folder;     // shared with the worker
    std::unique_ptr<UpdateWorker> m_worker;  // declared after the folder: ends first

    win::UniqueIcon m_icon;
    win::UniqueBitmap m_background;
    int m_backgroundId = 0;
    ImageButton m_startButton, m_cancelButton, m_okButton;
    BitmapProgressBar m_progress;
    std::wstring m_name;  // codec being fetched
    std::wstring m_size;  // received so far
    POINT m_dragStart{};
};

}  // namespace zelora::updater
