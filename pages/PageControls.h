#pragma once
// The controls of one settings page as the portable core sees them. The Win32 page answers
// with its real controls and member texts; tests answer with a fake.
//
// Edit boxes have two texts: the page's member text, which the core reads and writes, and
// the text the control shows. PushTexts and PullTexts exchange all of them at once, as the
// dialog-data exchange does.

#include "pages/PageFrame.h"
#include "pages/ValueRow.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelora {

class PageControls {
public:
    virtual ~PageControls() = default;

    // Check state straight on the control (0, 1, or whatever number is saved); setting it
    // runs no click handler.
    virtual void SetCheck(int id, int state) = 0;
    virtual int GetCheck(int id) const = 0;

    // Empties the combo box and adds the items in their order (no sorting).
    virtual void FillCombo(int id, std::span<const ChoiceItem> items) = 0;
    virtual void SetComboIndex(int id, int index) = 0;  // kNoSelection clears it
    virtual int GetComboIndex(int id) const = 0;         // kNoSelection when none

    virtual void SetRadio(int firstId, int index) = 0;  // kNoSelection: no button
    virtual int GetRadio(int firstId) const = 0;

    virtual void SetEditText(int id, std::string_view text) = 0;  // the member text
    virtual std::string GetEditText(int id) const = 0;
    virtual void SetSpinRange(int spinId, int min, int max) = 0;

    // Numbers the page keeps outside its controls, by the key its table gives them.
    virtual void SetNumber(NumberKey key, std::int32_t value) = 0;
    virtual std::int32_t GetNumber(NumberKey key) const = 0;

    // Member texts into the edits, and the edits' texts into the members. Use them through
    // PageModel, which marks the change notifications they cause as the page's own.
    virtual void PushTexts() = 0;
    virtual void PullTexts() = 0;
    // The member text of edit `id` alone into the edit.
    virtual void PushText(int id) = 0;

    virtual void EnableControl(int id, bool enable) = 0;
    virtual void MoveControl(int id, const Place& place) = 0;  // and repaint it
};

}  // namespace zelora
