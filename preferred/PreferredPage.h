#pragma once
// The "우선 코덱" page: per format, which decoder 32- and 64-bit players and Media
// Foundation players use, and for the selected format a drop list per view of the decoders
// that take it. Read when first shown, and again after each change; every write goes
// through PreferredChanges (all or nothing, saved first, given back by "Windows 기본값으로").

#include "codecs/CheckListView.h"
#include "codecs/SystemFiles.h"
#include "pages/Page.h"
#include "platform/win/Notices.h"
#include "platform/win/Painter.h"
#include "preferred/PreferredChange.h"

#include <vector>

namespace zelora {

class PreferredPage final : public Page {
public:
    // `views` (a null 64-bit backend: a 32-bit Windows) must outlive the page.
    explicit PreferredPage(const RegistryViews& views);

    void OnShown() override;

protected:
    BOOL OnInit() override;
    void DpiChanged(Dpi from, Dpi to) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnEraseBackground(HDC dc) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;

private:
    void PlaceControls();  // at their table places, for the page's DPI
    void Fill();
    void FitColumns(const CheckListView& list) const;
    void ShowChoices();
    void FillChoice(PlayerView view, const FormatRow* row);
    void Apply();
    void Restore();
    const FormatRow* SelectedRow() const;
    void Tell(const std::string& text, win::Notice notice) const;

    RegistryViews m_views;
    SystemFiles m_files;
    PreferredChanges m_changes;
    std::vector<FormatRow> m_rows;
    win::SkinImages m_skin;
    win::UniqueBrush m_staticBrush;  // kept for the page's lifetime: painting allocates nothing
    bool m_filled = false;
};

}  // namespace zelora
