#pragma once
// The updater's one window. Hidden for its start delay, then it fetches the manifest,
// announces a newer settings centre, and offers the codec updates; it shows itself only
// when there is something to offer. After the user confirms, the worker thread downloads
// and runs the installers while this window, on its own thread, shows the progress.

#include "platform/win/AppWindow.h"
#include "platform/registry/RegistryStore.h"
#include "updater/BitmapProgressBar.h"
#include "updater/HttpDownload.h"
#include "updater/ImageButton.h"
#include "updater/ManifestFetch.h"
#include "updater/ManifestRules.h"
#include "updater/RunFolder.h"
#include "updater/UpdateDecisions.h"
#include "updater/UpdaterSettings.h"
#include "updater/UpdateWorker.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelora::updater {

class UpdaterDialog : public win::AppWindow {
public:
    UpdaterDialog(RegistryStore& store, UpdaterSettings settings);
    ~UpdaterDialog() override;

    // After the start delay: the manifest is fetched off this thread; once it has arrived
    // and proved signed and current, the two decisions run on it, in this order.
    void CheckMainProgramStep(const ManifestReader& manifest);
    void CollectCodecUpdatesStep(const ManifestReader& manifest);
    // Button 1000: starts the worker.
    void StartDownloads();

    const std::vector<CodecUpdate>& Offered() const { return m_offered; }
    bool Downloading() const { return m_worker != nullptr; }
    const RunFolder* Folder() const { return m_folder.get(); }
    int ProgressPercent() const { return m_progress.Pos(); }
    const std::wstring& ShownName() const { return m_name; }
    const std::wstring& ShownSize() const { return m_size; }
    int Background() const { return m_backgroundId; }

protected:
    // Seams for the tests: the boxes the user answers and the programs started.
    virtual int ShowBox(const std::wstring& text, const std::wstring& caption, UINT type);
    virtual void OpenProgram(const std::wstring& file, const std::wstring& parameters);

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT client) override;
    void OnTimer(UINT_PTR id) override;
    void RunAboutBox() override;

private:
    void StartManifestFetch();
    void OnManifestFetched();
    bool SetBackground(int bitmapId);
    void ShowOffer();
    void OnWorkerMessage(UINT msg, WPARAM wParam);
    void OnAllInstalled();
    void Cancel();
    void StartZelora();
    void InvalidateTexts() const;
    void DrawOffer(HDC dc) const;

    RegistryStore& m_store;
    UpdaterSettings m_settings;
    ManifestFetch m_fetch;
    std::shared_ptr<RunFolder> m_folder;     // shared with the worker
    std::vector<CodecUpdate> m_offered;  // in download order
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
