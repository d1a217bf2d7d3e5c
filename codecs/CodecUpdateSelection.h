#pragma once
// The Codec Update page's data: per codec, whether the updater may install newer builds of
// it. Each list is read once, when the page is first shown (missing values are created
// with their defaults), and every click writes the new state at once; the registry values
// are the updater's only input.

#include "platform/registry/RegistryStore.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zelora {

enum class UpdateList { Video, Audio, Caption };

// The name is shown in the list and is the registry value's name; the number is the state
// stored when the value is missing.
using UpdateCodec = NamedDword;

struct UpdateListTable {
    UpdateList list;
    std::string_view key;  // under HKEY_LOCAL_MACHINE
    std::span<const UpdateCodec> codecs;
};

inline constexpr UpdateCodec kVideoUpdateCodecs[] = {
    {"FFDShow", 1},  {"Divx5", 1},    {"Xvid", 1},       {"Mpeg Splitter", 1},
    {"Mpeg 1/2", 1}, {"Matroska", 1}, {"Real Media", 1}, {"h.264", 1},
};
inline constexpr UpdateCodec kAudioUpdateCodecs[] = {
    {"AC3Filter", 1}, {"Korrins DTS", 1}, {"LAME MP3", 1},
    {"OGG Vorbis", 1}, {"CoreAAC", 1},    {"MMSwitch", 0},
};
inline constexpr UpdateCodec kCaptionUpdateCodecs[] = {
    {"VSFilter", 0},
    {"DivxG400", 0},
};

inline constexpr std::array<UpdateListTable, 3> kUpdateLists = {{
    {UpdateList::Video, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\video", kVideoUpdateCodecs},
    {UpdateList::Audio, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\audio", kAudioUpdateCodecs},
    {UpdateList::Caption, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\caption",
     kCaptionUpdateCodecs},
}};

const UpdateListTable& UpdateListTableOf(UpdateList list);

class CodecUpdateSelection {
public:
    explicit CodecUpdateSelection(RegistryStore& store) : m_store(store) {}

    // Reads every codec of the list, writing the default of each missing value back.
    void Fill(UpdateList list);

    // Rows in table order; empty until the list is filled.
    std::size_t RowCount(UpdateList list) const;
    std::string_view Name(UpdateList list, std::size_t row) const;
    // Selected only for a stored 1, the one number the updater acts on.
    bool Selected(UpdateList list, std::size_t row) const;

    // A click on `row` (the list's item index; -1 when the click hit no row). Writes the
    // row's flipped state at once and flips the row when the write landed; returns false,
    // and writes nothing, when no filled row was hit.
    bool Toggle(UpdateList list, int row);

private:
    std::vector<bool>& StatesOf(UpdateList list);
    const std::vector<bool>& StatesOf(UpdateList list) const;

    RegistryStore& m_store;
    std::array<std::vector<bool>, kUpdateLists.size()> m_states;
};

}  // namespace zelora
