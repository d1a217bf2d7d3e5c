#include "codecs/InventoryListView.h"

#include <algorithm>
#include <utility>

namespace zelora {
namespace {

// The name column leaves room for the state, which is empty for a healthy decoder.
constexpr int kTextColumnWidth = 160;
constexpr int kStateColumnWidth = 250;
constexpr int kPathColumn = 1;
constexpr int kCheckColumn = 2;
constexpr int kStateColumn = 3;

}  // namespace

void InventoryListView::SetUp(HIMAGELIST images) const
{
    m_view.SetUp(images, {kTextColumnWidth, 0, 0, kStateColumnWidth}, {"코덱", "", "", "상태"});
}

void InventoryListView::Insert(const InventoryRow& row, std::size_t index) const
{
    const int item = m_view.Insert(row.displayText, CheckImage(row), static_cast<LPARAM>(index));
    if (item < 0) return;
    m_view.SetSubText(item, kPathColumn, row.path);
    m_view.SetSubText(item, kCheckColumn, row.checkMark);
    m_view.SetSubText(item, kStateColumn, HealthText(row));
}

void InventoryListView::Fill(std::vector<InventoryRow>& rows) const
{
    m_view.SetRedraw(false);
    m_view.DeleteAll();
    Append(rows, 0);
    m_view.SetRedraw(true);
}

void InventoryListView::Append(std::vector<InventoryRow>& rows, std::size_t first) const
{
    for (std::size_t i = first; i < rows.size(); ++i) Insert(rows[i], i);
    TakeOrder(rows);
}

void InventoryListView::Remove(const std::vector<bool>& gone) const
{
    for (int item = m_view.Count(); item-- > 0;)
        if (static_cast<std::size_t>(item) < gone.size() && gone[static_cast<std::size_t>(item)])
            m_view.Delete(item);
    // The others keep their order, as their rows did.
    for (int item = 0; item < m_view.Count(); ++item) m_view.SetData(item, item);
}

void InventoryListView::ShowChecks(const std::vector<InventoryRow>& rows) const
{
    const int count = std::min(m_view.Count(), static_cast<int>(rows.size()));
    for (int item = 0; item < count; ++item) ShowCheck(item, rows[static_cast<std::size_t>(item)]);
}

void InventoryListView::TakeOrder(std::vector<InventoryRow>& rows) const
{
    // A row the list could not take stays, unseen, at the end.
    std::vector<InventoryRow> shown;
    shown.reserve(rows.size());
    std::vector<bool> taken(rows.size(), false);
    const int count = m_view.Count();
    for (int item = 0; item < count; ++item) {
        const auto data = m_view.Data(item);
        if (!data || *data < 0 || static_cast<std::size_t>(*data) >= rows.size() ||
            taken[static_cast<std::size_t>(*data)])
            continue;
        const auto index = static_cast<std::size_t>(*data);
        taken[index] = true;
        m_view.SetData(item, static_cast<LPARAM>(shown.size()));
        shown.push_back(std::move(rows[index]));
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!taken[i]) shown.push_back(std::move(rows[i]));
    rows = std::move(shown);
}

std::optional<std::size_t> InventoryListView::RowOf(int item, std::size_t rowCount) const
{
    const auto data = m_view.Data(item);
    if (!data || *data < 0 || static_cast<std::size_t>(*data) >= rowCount) return std::nullopt;
    return static_cast<std::size_t>(*data);
}

void InventoryListView::ShowCheck(int item, const InventoryRow& row) const
{
    m_view.SetImage(item, CheckImage(row));
    m_view.SetSubText(item, kCheckColumn, row.checkMark);
}

}  // namespace zelora
