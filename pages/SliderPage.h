#pragma once
// A settings page with level sliders: the frame plus a slider table. Each slider shows one of the page's levels, a row of its value
// table; a press or drag stores the level under the knob, and on the audio pages the
// level's edit boxes show it as a number and take typed levels. The pages add only their
// tables.

#include "pages/LaggingEdits.h"
#include "pages/SettingsPage.h"
#include "pages/SliderSet.h"
#include "platform/win/Accessible.h"

#include <span>
#include <string>

namespace zelora {

class SliderPage : public SettingsPage, private win::FocusParts, private win::AccessibleSource {
public:
    // The description's slider table is the page's.
    SliderPage(const PageDescription& description, RegistryBackend& registry);

    void Load() override;
    void ResetDefaults() override;

    // The sliders live now (installed and gate open), bit i = table row i.
    SliderMask LiveSliders();

protected:
    BOOL OnInit() override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT client) override;
    void OnTimer(UINT_PTR id) override;
    bool OnControlNotification(int id, int code) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;
    void PaintOverSkin(win::BackBuffer& buffer) override;

private:
    // The keyboard: Tab reaches each live slider, the arrows step its level by one (Up and
    // Right raise it), Page Up and Page Down by a tenth of its range, Home and End go to its
    // ends.
    int FocusPartCount() const override { return static_cast<int>(m_sliders.size()); }
    RECT FocusPartRect(int slider) const override;
    int FocusedPart() const override { return m_focusedSlider; }
    void SetFocusedPart(int slider) override;
    void ActivatePart(int) override {}
    bool PartTakesFocus(int slider) const override;
    bool PartKey(int slider, WPARAM key) override;
    void SetLevel(std::size_t slider, std::int32_t level);
    std::int32_t Level(std::size_t slider);

    // Screen readers see each slider as a slider of its name and level, unavailable while
    // its gate is closed; its level changes are told as they happen.
    win::AccessibleFacts Self() const override { return {}; }
    int PartCount() const override { return FocusPartCount(); }
    win::AccessibleFacts Part(int slider) const override;
    RECT PartRect(int slider) const override { return FocusPartRect(slider); }
    void TellLevelChanged(SliderMask sliders);

    const ValueRow& LevelRow(LevelIndex level) const;
    int Knob(std::size_t slider);
    void Apply(const SliderTouch& touch);
    void OnLevelEdit(int slider);
    // The edits of `sliders` show `text` (member and control).
    void SetLevelTexts(SliderMask sliders, const std::string& text);
    // Their member texts alone.
    void SetLevelMembers(SliderMask sliders, const std::string& text);
    // The edits a drag left behind show their member texts, but those of `keep`.
    void CatchUpLevelTexts(SliderMask keep = 0);
    // Every edit of a level shows the text of the level's own row.
    void MirrorLevelTexts();

    std::span<const SliderRow> m_sliders;
    std::span<const NumberKey> m_levelKeys;
    SliderSet m_set;
    LaggingEdits m_lagging;
    win::UniqueBrush m_levelBrush;  // the level edits' background, the page's whole life
    int m_focusedSlider = -1;
};

}  // namespace zelora
