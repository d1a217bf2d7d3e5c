#pragma once
// The portable half of a settings page: the one routine that loads, saves and resets a
// page's value table, the write-through of a changed control (put back when the registry
// refuses it), the dependent enables, and the page's one-time layout. The Win32 page owns
// one, hands it its controls and forwards its notifications; it adds code only for what
// its tables cannot say. How each kind of row does its part is in pages/RowKinds.h.
//
// Every call takes the rows it works on, so a page with special values can run the
// generic routine over the parts of its table around them, in its own order.

#include "pages/PageControls.h"
#include "pages/PageFrame.h"
#include "pages/RowContext.h"
#include "pages/RowKinds.h"
#include "pages/TextExchange.h"
#include "pages/ValueRow.h"
#include "platform/registry/RegistryStore.h"

#include <functional>
#include <span>

namespace zelora {

// What the page's controls depend on besides their values.
struct PageRules {
    std::span<const EnableRule> enables{};
    // Whether the page's decoder is installed. When it is not, no control of the page is
    // ever enabled, whatever a rule says.
    std::function<bool()> installed = [] { return true; };
};

class PageModel final : public RowContext {
public:
    PageModel(RegistryStore& registry, PageControls& controls, PageRules rules = {})
        : m_registry(registry), m_controls(controls), m_rules(std::move(rules))
    {
    }
    PageModel(const PageModel&) = delete;
    PageModel& operator=(const PageModel&) = delete;

    // Reads every row in order with the registry's load operations (a missing value shows
    // its default and the default is written at once) and shows it; fills lists first. Then
    // the load-time enables of the rows' controls.
    void Load(std::span<const ValueRow> rows);

    // Writes every row from its control, in table order. A list or radio group with nothing
    // chosen writes nothing.
    void SaveAll(std::span<const ValueRow> rows);

    // Shows every row's reset value, pushes the texts into the edits, then SaveAll.
    void ResetDefaults(std::span<const ValueRow> rows);
    // The first step alone (with the reset-time enables), for pages that reset special
    // controls before pushing.
    void ShowResetStates(std::span<const ValueRow> rows);

    // A control of the table changed (click, selection change, edit change): writes the one
    // value it maps to; when the registry refuses, the control shows the saved value
    // again. Then the click-time enables that follow the control. Returns false for
    // controls that are no row's, and for notifications caused by the page's own text
    // exchange, which write nothing.
    bool OnControlChanged(std::span<const ValueRow> rows, int id);

    // Moves the controls to their places and, when the decoder is not installed, disables
    // each of them that the page manages. Runs once in the page's life.
    void Layout(std::span<const PageControl> controls);
    bool LaidOut() const { return m_laidOut; }
    bool DecoderInstalled() const override { return m_rules.installed(); }

    // The dialog-data exchange, with the page's own change notifications ignored meanwhile.
    void PushTexts() override;
    void PullTexts() override;
    // One edit's member text alone, under the same guard.
    void PushText(int id);
    bool Exchanging() const { return m_exchange.Busy(); }

    // Writes `value` for `row`; when the registry refuses, the row's controls show the
    // saved number again (silently: showing a number writes nothing). Returns whether it
    // landed.
    bool Commit(const ValueRow& row, std::int32_t value);
    // The enable rules of `moment` whose source is `sourceId`.
    void ApplyEnables(EnableMoment moment, int sourceId);

    // The row that `id` belongs to (a box of a mask, a button of a radio group included).
    static const ValueRow* FindRow(std::span<const ValueRow> rows, int id);

    RegistryStore& Registry() override { return m_registry; }
    PageControls& Controls() override { return m_controls; }

private:
    void ApplyEnablesOf(EnableMoment moment, std::span<const ValueRow> rows);
    bool RuleHolds(const EnableRule& rule) const;
    void ShowSaved(const ValueRow& row);

    RegistryStore& m_registry;
    PageControls& m_controls;
    PageRules m_rules;
    TextExchange m_exchange;
    bool m_laidOut = false;
};

}  // namespace zelora
