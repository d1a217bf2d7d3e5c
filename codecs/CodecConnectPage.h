#pragma once
// The Codec Connect page: above, the pack's decoders that are installed and registered as
// DirectShow filters; below, those the user unregistered. Rows are ticked by clicking them;
// three image buttons unregister the ticked upper rows, register the ticked lower rows again
// or run their uninstallers.

#include "codecs/CheckListView.h"
#include "codecs/FilterInventory.h"
#include "codecs/InventoryListView.h"
#include "codecs/SystemFiles.h"
#include "platform/win/HotAreaView.h"
#include "platform/win/Painter.h"
#include "platform/win/Process.h"
#include "pages/Page.h"
#include "platform/registry/RegistryStore.h"

#include <cstddef>
#include <vector>

namespace zelora {

class CodecConnectPage final : public Page {
public:
    // Reads and writes `registry`, which must outlive the page, and starts regsvr32 and the
    // uninstallers for real.
    explicit CodecConnectPage(RegistryBackend& registry);
    // Starts them through `launcher`, which must outlive the page.
    CodecConnectPage(RegistryBackend& registry, ProcessLauncher& launcher);
    // Also asks `files`, which must outlive the page, whether the decoders' files are there.
    CodecConnectPage(RegistryBackend& registry, ProcessLauncher& launcher, const FileProbe& files);

    // The main window's first show: both lists, then their placement.
    void PrepareOnce();
    void RefreshControls();
    // Prepared at the first show.
    void OnShown() override;

    // Shows "Error" and leaves the list empty when the filter category is refused.
    void PrepareInstalledList();
    void PrepareRemovedList();
    // Places both lists; only the first call does anything.
    void Layout() override;
    void DpiChanged(Dpi from, Dpi to) override;

    const std::vector<InventoryRow>& InstalledRows() const { return m_installed; }
    const std::vector<InventoryRow>& RemovedRows() const { return m_removed; }

protected:
    BOOL OnInit() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnEraseBackground(HDC dc) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;

private:
    CodecConnectPage(RegistryBackend& registry, ProcessLauncher* launcher, const FileProbe* files);

    void PlaceLists();  // where the table puts them, at the page's DPI
    void Toggle(const InventoryListView& list, std::vector<InventoryRow>& rows, int item);
    void RunButton(std::size_t button);
    // Runs a button's action on the ticked rows of `fromView`'s list (moving them to `to`,
    // if any) and brings both views up to date with the rows that left and arrived.
    template <class Action>
    void Act(const InventoryListView& fromView, InventoryListView* toView,
             std::vector<InventoryRow>* to, Action action);

    win::Win32ProcessLauncher m_systemLauncher;  // unless the page is given another
    SystemFiles m_systemFiles;  // unless the page is given another probe
    RegistryStore m_store;
    FilterInventory m_inventory;
    std::vector<InventoryRow> m_installed;  // the upper list's rows, in its order
    std::vector<InventoryRow> m_removed;    // the lower list's
    std::vector<InventoryRow> m_unregistered;  // from the installed scan, until the lower list
    UniqueImageList m_images;
    InventoryListView m_upper;
    InventoryListView m_lower;
    win::SkinImages m_skin;  // loaded at the page's first paint
    win::HotAreaView m_buttons;
    win::UniqueBrush m_staticBrush;  // kept for the page's lifetime: painting allocates nothing
    bool m_prepared = false;
    bool m_laidOut = false;
};

}  // namespace zelora
