#pragma once
// The Codec Update page: three lists of codec names, video, audio and caption, whose ticks
// say which codecs the updater may refresh. A click flips a tick and stores it at once; the
// registry values are the updater's only input. A fourth list stays empty.

#include "codecs/CheckListView.h"
#include "codecs/CodecUpdateSelection.h"
#include "platform/win/Painter.h"
#include "pages/Page.h"
#include "platform/registry/RegistryStore.h"

#include <array>

namespace zelora {

class CodecUpdatePage final : public Page {
public:
    // Reads and writes `registry`, which must outlive the page.
    explicit CodecUpdatePage(RegistryBackend& registry);

    // The first show fills the three lists from the registry.
    void OnShown() override;

    // Reads the list's codecs (writing the defaults of missing values) and shows them.
    void FillList(UpdateList list);

protected:
    BOOL OnInit() override;
    void DpiChanged(Dpi from, Dpi to) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnEraseBackground(HDC dc) override;

private:
    void ShowState(UpdateList list, int item) const;
    const CheckListView& ListOf(UpdateList list) const;

    RegistryStore m_store;
    CodecUpdateSelection m_selection;
    UniqueImageList m_images;
    std::array<CheckListView, 4> m_lists;
    win::SkinImages m_skin;  // loaded at the page's first paint
    bool m_prepared = false;
};

}  // namespace zelora
