#pragma once
// PageControls over a page's real dialog controls: check boxes, combo boxes, radio groups,
// up-downs and edits found by id in the dialog, with the page's member texts and numbers
// kept here.

#include "pages/PageControls.h"
#include "platform/win/Dialog.h"

#include <map>
#include <span>
#include <string>

namespace zelora {

class DialogControls final : public PageControls {
public:
    // `dialog` and both tables must outlive this; the dialog's window may come later.
    DialogControls(const win::Dialog& dialog, std::span<const PageControl> controls,
                   std::span<const ValueRow> values)
        : m_dialog(dialog), m_controls(controls), m_values(values)
    {
    }

    void SetCheck(int id, int state) override;
    int GetCheck(int id) const override;
    void FillCombo(int id, std::span<const ChoiceItem> items) override;
    void SetComboIndex(int id, int index) override;
    int GetComboIndex(int id) const override;
    void SetRadio(int firstId, int index) override;
    int GetRadio(int firstId) const override;
    void SetEditText(int id, std::string_view text) override;
    std::string GetEditText(int id) const override;
    void SetSpinRange(int spinId, int min, int max) override;
    void SetNumber(NumberKey key, std::int32_t value) override;
    std::int32_t GetNumber(NumberKey key) const override;
    // Only texts that differ are set, and the focused edit keeps its caret at the end.
    void PushTexts() override;
    void PullTexts() override;
    void PushText(int id) override;
    void EnableControl(int id, bool enable) override;
    // Labels widen to their text where their row has room.
    void MoveControl(int id, const Place& place) override;

    // The table entry of control `id`, or null.
    const PageControl* FindControl(int id) const;

private:
    HWND Window() const { return m_dialog.Hwnd(); }
    int RadioCount(int firstId) const;

    const win::Dialog& m_dialog;
    std::span<const PageControl> m_controls;
    std::span<const ValueRow> m_values;
    std::map<int, std::string> m_texts;  // member text of each numeric edit
    std::map<NumberKey, std::int32_t> m_numbers;
};

}  // namespace zelora
