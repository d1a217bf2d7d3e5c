#include "codecs/CodecUpdateSelection.h"

namespace zelora {

// The lists are looked up by their enum value.
static_assert(kUpdateLists[0].list == UpdateList::Video &&
              kUpdateLists[1].list == UpdateList::Audio &&
              kUpdateLists[2].list == UpdateList::Caption);

const UpdateListTable& UpdateListTableOf(UpdateList list)
{
    return kUpdateLists[static_cast<std::size_t>(list)];
}

std::vector<bool>& CodecUpdateSelection::StatesOf(UpdateList list)
{
    return m_states[static_cast<std::size_t>(list)];
}

const std::vector<bool>& CodecUpdateSelection::StatesOf(UpdateList list) const
{
    return m_states[static_cast<std::size_t>(list)];
}

void CodecUpdateSelection::Fill(UpdateList list)
{
    const UpdateListTable& table = UpdateListTableOf(list);
    std::vector<bool>& states = StatesOf(list);
    states.clear();
    // The updater offers a codec for the DWORD 1 alone: any other number shows unticked, as
    // it will act.
    for (std::int32_t value : m_store.LoadDwords(RegRoot::LocalMachine, table.key, table.codecs))
        states.push_back(value == 1);
}

std::size_t CodecUpdateSelection::RowCount(UpdateList list) const
{
    return StatesOf(list).size();
}

std::string_view CodecUpdateSelection::Name(UpdateList list, std::size_t row) const
{
    return UpdateListTableOf(list).codecs[row].name;
}

bool CodecUpdateSelection::Selected(UpdateList list, std::size_t row) const
{
    return StatesOf(list)[row];
}

bool CodecUpdateSelection::Toggle(UpdateList list, int row)
{
    std::vector<bool>& states = StatesOf(list);
    if (row < 0 || static_cast<std::size_t>(row) >= states.size()) return false;
    const auto index = static_cast<std::size_t>(row);
    const bool selected = !states[index];
    const UpdateListTable& table = UpdateListTableOf(list);
    // The updater reads only the registry: a refused write (a standard user's HKLM) leaves
    // the row as stored, so the list never shows a choice the updater will not see.
    if (m_store.WriteDword(RegRoot::LocalMachine, table.key, table.codecs[index].name,
                           selected ? 1 : 0))
        states[index] = selected;
    return true;
}

}  // namespace zelora
