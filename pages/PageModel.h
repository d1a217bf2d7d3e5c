#pragma once
// The portable half of a settings page: the one routine that loads, saves and resets a
// page's value table, the write-through of a changed control, the numeric edits' change
// steps and the page's one-time layout. The Win32 page owns one, hands it its controls and
// forwards its notifications; it adds code only for what its table cannot say.
//
// Every call takes the rows it works on, so a page with special values can run the
// generic routine over the parts of its table around them, in its own order.

#include "pages/PageControls.h"
#include "pages/PageFrame.h"
#include "pages/TextExchange.h"
#include "pages/ValueRow.h"
#include "platform/registry/RegistryStore.h"

#include <span>

namespace zelora {

class PageModel {
public:
    PageModel(RegistryStore& store, PageControls& controls)
        : m_store(store), m_controls(controls)
    {
    }
    PageModel(const PageModel&) = delete;
    PageModel& operator=(const PageModel&) = delete;

    // Reads every row in order with the store's load operations (a missing value shows its
    // default and the default is stored at once) and shows it; fills combo boxes first.
    void Load(std::span<const ValueRow> rows);

    // Writes every row from its control, in table order.
    void SaveAll(std::span<const ValueRow> rows);

    // Shows every row's reset value, pushes the texts into the edits, then SaveAll.
    void ResetDefaults(std::span<const ValueRow> rows);
    // The first step alone, for pages that reset special controls before pushing.
    void ShowResetStates(std::span<const ValueRow> rows);

    // A control of the table changed (click, selection change, edit change): writes the one
    // value it maps to. Returns false for controls that are no row's, and for notifications
    // caused by the page's own text exchange, which write nothing.
    bool OnControlChanged(std::span<const ValueRow> rows, int id);

    // Moves the controls to their places and, when the decoder is not installed, disables
    // each of them that the page manages. Runs once in the page's life.
    void Layout(std::span<const PageControl> controls, bool decoderInstalled);
    bool LaidOut() const { return m_laidOut; }

    // The dialog-data exchange, with the page's own change notifications ignored meanwhile.
    void PushTexts();
    void PullTexts();
    bool Exchanging() const { return m_exchange.Busy(); }

    // The row that `id` belongs to (a box of a mask, a button of a radio group included).
    static const ValueRow* FindRow(std::span<const ValueRow> rows, int id);

private:
    void LoadRow(const ValueRow& row);
    void ShowReset(const ValueRow& row);
    void SaveRow(const ValueRow& row);
    void ShowMask(const ValueRow& row, std::int32_t stored);
    void ShowChoice(const ValueRow& row, std::int32_t stored);
    void WriteChoice(const ValueRow& row, int index);
    void EditChanged(const ValueRow& row);
    void Write(const ValueRow& row, std::int32_t value);

    RegistryStore& m_store;
    PageControls& m_controls;
    TextExchange m_exchange;
    bool m_laidOut = false;
};

}  // namespace zelora
