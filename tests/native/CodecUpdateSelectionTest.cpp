// The Codec Update page's selections over the memory registry.
#include "codecs/CodecUpdateSelection.h"
#include "platform/registry/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelora {
namespace {

constexpr const char* kVideo = "Software\\Tarnwick\\Quellmark\\CodecUpdate\\video";
constexpr const char* kAudio = "Software\\Tarnwick\\Quellmark\\CodecUpdate\\audio";
constexpr const char* kCaption = "Software\\Tarnwick\\Quellmark\\CodecUpdate\\caption";

struct ExpectedRow {
    const char* name;
    std::int32_t state;
};

struct ExpectedList {
    UpdateList list;
    const char* key;
    std::vector<ExpectedRow> rows;
};

// What a fresh system shows, in display order.
const std::vector<ExpectedList> kFreshLists = {
    {UpdateList::Video, kVideo,
     {{"FFDShow", 1}, {"Divx5", 1}, {"Xvid", 1}, {"Mpeg Splitter", 1}, {"Mpeg 1/2", 1},
      {"Matroska", 1}, {"Real Media", 1}, {"h.264", 1}}},
    {UpdateList::Audio, kAudio,
     {{"AC3Filter", 1}, {"Korrins DTS", 1}, {"LAME MP3", 1}, {"OGG Vorbis", 1}, {"CoreAAC", 1},
      {"MMSwitch", 0}}},
    {UpdateList::Caption, kCaption, {{"VSFilter", 0}, {"DivxG400", 0}}},
};

class CodecUpdateSelectionTest : public ::testing::Test {
protected:
    std::vector<std::string> ValueNames(const char* key)
    {
        std::vector<std::string> names;
        m_registry.EnumValueNames(RegRoot::LocalMachine, key, KeyOpen::ExistingOnly, names);
        return names;
    }

    MemoryRegistry m_registry;
    RegistryStore m_store{m_registry};
    CodecUpdateSelection m_selection{m_store};
};

TEST_F(CodecUpdateSelectionTest, FirstFillShowsAndWritesTheDefaults)
{
    for (const ExpectedList& expected : kFreshLists) {
        m_selection.Fill(expected.list);
        ASSERT_EQ(m_selection.RowCount(expected.list), expected.rows.size());
        std::vector<std::string> names;
        for (std::size_t i = 0; i < expected.rows.size(); ++i) {
            const ExpectedRow& row = expected.rows[i];
            names.push_back(row.name);
            EXPECT_EQ(m_selection.Name(expected.list, i), row.name);
            EXPECT_EQ(m_selection.Selected(expected.list, i), row.state != 0) << row.name;
            EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, expected.key, row.name), row.state)
                << row.name;
        }
        EXPECT_EQ(ValueNames(expected.key), names);  // exactly these values, nothing else
    }
}

TEST_F(CodecUpdateSelectionTest, StoredChoicesAreShownAndKept)
{
    m_store.WriteDword(RegRoot::LocalMachine, kVideo, "Xvid", 0);
    m_store.WriteDword(RegRoot::LocalMachine, kAudio, "mmswitch", 1);  // names ignore case
    m_store.WriteDword(RegRoot::LocalMachine, kCaption, "VSFilter", 7);

    m_selection.Fill(UpdateList::Video);
    m_selection.Fill(UpdateList::Audio);
    m_selection.Fill(UpdateList::Caption);

    EXPECT_FALSE(m_selection.Selected(UpdateList::Video, 2));
    EXPECT_TRUE(m_selection.Selected(UpdateList::Audio, 5));
    EXPECT_FALSE(m_selection.Selected(UpdateList::Caption, 0));  // the updater skips a 7
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kVideo, "Xvid"), 0);
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kCaption, "VSFilter"), 7);

    // Ticking what shows unticked stores the 1 the updater acts on.
    EXPECT_TRUE(m_selection.Toggle(UpdateList::Caption, 0));
    EXPECT_TRUE(m_selection.Selected(UpdateList::Caption, 0));
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kCaption, "VSFilter"), 1);
}

TEST_F(CodecUpdateSelectionTest, ClickingXvidTwiceWritesZeroThenOne)
{
    m_selection.Fill(UpdateList::Video);
    const int xvid = 2;
    std::vector<std::int32_t> stored = {
        m_store.ReadDword(RegRoot::LocalMachine, kVideo, "Xvid")};
    for (int click = 0; click < 2; ++click) {
        EXPECT_TRUE(m_selection.Toggle(UpdateList::Video, xvid));
        stored.push_back(m_store.ReadDword(RegRoot::LocalMachine, kVideo, "Xvid"));
        EXPECT_EQ(m_selection.Selected(UpdateList::Video, xvid), stored.back() == 1);
    }
    EXPECT_EQ(stored, (std::vector<std::int32_t>{1, 0, 1}));
    EXPECT_TRUE(m_selection.Selected(UpdateList::Video, 0));  // its neighbours are untouched
}

TEST_F(CodecUpdateSelectionTest, ARefusedClickLeavesTheRowAsStored)
{
    // A standard user cannot write HKEY_LOCAL_MACHINE: the list must not show a choice the
    // updater never reads.
    m_selection.Fill(UpdateList::Video);
    m_registry.RefuseWrites(RegRoot::LocalMachine);
    EXPECT_TRUE(m_selection.Toggle(UpdateList::Video, 2));
    EXPECT_TRUE(m_selection.Selected(UpdateList::Video, 2));
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kVideo, "Xvid"), 1);
}

TEST_F(CodecUpdateSelectionTest, ClickOnNoRowWritesNothing)
{
    EXPECT_FALSE(m_selection.Toggle(UpdateList::Caption, 0));  // not filled yet
    EXPECT_TRUE(ValueNames(kCaption).empty());

    m_selection.Fill(UpdateList::Caption);
    for (int row : {-1, 2, 100}) EXPECT_FALSE(m_selection.Toggle(UpdateList::Caption, row));
    EXPECT_EQ(ValueNames(kCaption), (std::vector<std::string>{"VSFilter", "DivxG400"}));
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kCaption, "VSFilter"), 0);
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kCaption, "DivxG400"), 0);
}

}  // namespace
}  // namespace zelora
