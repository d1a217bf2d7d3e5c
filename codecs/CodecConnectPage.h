#pragma once
// The Codec Connect page: above, the pack's decoders that are installed and registered as
// DirectShow filters; below, those the user unregistered. Rows are ticked by clicking them;
// three image buttons unregister the ticked upper rows, register the ticked lower rows again
// or run their uninstallers.

#include "codecs/CheckListView.h"
#include "codecs/FilterInventory.h"
#include "platform/win/HotAreaView.h"
#include "platform/win/Painter.h"
#include "platform/win/Process.h"
#include "pages/Page.h"
#include "platform/registry/RegistryStore.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace zelora {

// One list of the page. The list sorts its rows itself; after every change below the rows
// vector follows the list's order, so item i shows rows[i] and "last to first" is the
// list's. Only the rows that change are touched, so the selection and the scroll position
// stay where the user left them.
// The file system as the decoders' registrations see it.
class SystemFiles final : public FileProbe {
public:
    bool Exists(std::string_view path) const override;
};

class InventoryListView {
public:
    bool Attach(HWND list) { return m_view.Attach(list); }
    HWND Hwnd() const { return m_view.Hwnd(); }

    // Image list and the three columns: display text, path (hidden), check mark (hidden).
    void SetUp(HIMAGELIST images) const;
    // Every row, into the empty list.
    void Fill(std::vector<InventoryRow>& rows) const;
    // Rows from `first` on were appended to `rows`: they join the list in their places.
    void Append(std::vector<InventoryRow>& rows, std::size_t first) const;
    // The items whose `gone` flag is set left `rows` (which kept the others in order).
    void Remove(const std::vector<bool>& gone) const;
    // Every item's check mark and image from its row.
    void ShowChecks(const std::vector<InventoryRow>& rows) const;
    // The row a list item shows; nothing for a click that hit no row.
    std::optional<std::size_t> RowOf(int item, std::size_t rowCount) const;
    void ShowCheck(int item, const InventoryRow& row) const;
    void MoveTo(int x, int y, int width, int height) const { m_view.MoveTo(x, y, width, height); }

private:
    void Insert(const InventoryRow& row, std::size_t index) const;
    // Reorders `rows` to the list's order and renumbers the items to match.
    void TakeOrder(std::vector<InventoryRow>& rows) const;

    CheckListView m_view;
};

class CodecConnectPage final : public Page {
public:
    // Starts regsvr32 and the uninstallers for real.
    CodecConnectPage();
    // Starts them through `launcher`, which must outlive the page.
    explicit CodecConnectPage(ProcessLauncher& launcher);
    // Also asks `files`, which must outlive the page, whether the decoders' files are there.
    CodecConnectPage(ProcessLauncher& launcher, const FileProbe& files);

    // The main window's first show: both lists, then their placement.
    void PrepareOnce();
    void RefreshControls();
    // Prepared at the first show.
    void Shown() override;

    // Shows "Error" and leaves the list empty when the filter category is refused.
    void PrepareInstalledList();
    void PrepareRemovedList();
    // Places both lists; only the first call does anything.
    void Layout() override;

    const std::vector<InventoryRow>& InstalledRows() const { return m_installed; }
    const std::vector<InventoryRow>& RemovedRows() const { return m_removed; }

protected:
    BOOL OnInit() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnEraseBackground(HDC dc) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;

private:
    CodecConnectPage(ProcessLauncher* launcher, const FileProbe* files);

    void Toggle(const InventoryListView& list, std::vector<InventoryRow>& rows, int item);
    void RunButton(std::size_t button);
    // Runs a button's action on the ticked rows of `fromView`'s list (moving them to `to`,
    // if any) and brings both views up to date with the rows that left and arrived.
    template <class Action>
    void Act(const InventoryListView& fromView, const InventoryListView* toView,
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
