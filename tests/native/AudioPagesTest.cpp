// The audio pages' own kinds of value row, driven through PageModel over the memory
// registry with their real tables: what a stored number or text shows, what is written
// back (only missing values), and what a refused write puts back.
#include "FakePageControls.h"

#include "pages/PageModel.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"

#include <gtest/gtest.h>

#include <optional>

namespace zelora {
namespace {

using pagetest::FakePageControls;
using pagetest::RecordingRegistry;
constexpr RegRoot kHkcu = RegRoot::CurrentUser;

class AudioPageTest : public ::testing::Test {
protected:
    RecordingRegistry registry;
    RegistryStore store{registry};
    FakePageControls controls;
    bool installed = true;
    PageModel model{store, controls, {{}, [this] { return installed; }}};
};

TEST_F(AudioPageTest, Ac3SpeakerPairReadsItsSecondNumberOnlyWhenTheFirstIsShared)
{
    struct Case {
        std::optional<std::int32_t> mask;
        std::optional<std::int32_t> relation;
        int index;
        bool relationRead;
    };
    const Case cases[] = {
        {5, 2, 15, true},    {5, 1, 14, true},   {5, 0, 1, true},  {5, 7, 5, true},
        {63, 9, 13, false},  {99, 0, 5, false},  {std::nullopt, std::nullopt, 1, true},
        {5, std::nullopt, 1, true},
    };
    const ValueRow& speakers = sound_ac3::kValues[10];
    ASSERT_EQ(speakers.controlId, IDC_AC3_SPEAKERS);
    for (const Case& c : cases) {
        registry.DeleteTree(kHkcu, "Software\\AC3Filter");
        if (c.mask) store.WriteDword(kHkcu, sound_ac3::kKey, "mask", *c.mask);
        if (c.relation) store.WriteDword(kHkcu, sound_ac3::kKey, "relation", *c.relation);
        registry.writes.clear();
        model.Load({&speakers, 1});
        EXPECT_EQ(controls.GetComboIndex(IDC_AC3_SPEAKERS), c.index) << c.mask.value_or(-99);
        // Only missing numbers are written, and the relation only when it was read.
        const std::size_t missing = (c.mask ? 0u : 1u) + (c.relationRead && !c.relation ? 1u : 0u);
        EXPECT_EQ(registry.writes.size(), missing) << c.mask.value_or(-99);
        EXPECT_EQ(speakers.kind->Saved(model, speakers), c.index);
    }
    controls.SetComboIndex(IDC_AC3_SPEAKERS, kNoSelection);
    registry.writes.clear();
    model.OnControlChanged({&speakers, 1}, IDC_AC3_SPEAKERS);  // nothing selected
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(AudioPageTest, Ac3GainTextsShowRoundedDecibelsAndARefusedWriteShowsTheStoredOne)
{
    const ValueRow& voice = sound_ac3::kValues[1];
    ASSERT_EQ(voice.controlId, IDC_AC3_VOICE);
    struct Case {
        const char* stored;  // nullptr: missing
        const char* shown;
    };
    for (const Case& c : {Case{nullptr, "0"}, Case{"1.778279", "5"}, Case{"1.122018", "1"},
                          Case{"abc", "-20"}, Case{"0", "-20"}, Case{"1000", "60"}}) {
        registry.DeleteTree(kHkcu, "Software\\AC3Filter");
        if (c.stored) store.WriteString(kHkcu, sound_ac3::kKey, "clev", c.stored);
        model.Load({&voice, 1});
        EXPECT_EQ(controls.GetEditText(IDC_AC3_VOICE), c.shown);
        EXPECT_EQ(store.ReadString(kHkcu, sound_ac3::kKey, "clev"), c.stored ? c.stored : "1.000000");
    }
    EXPECT_TRUE(model.Commit(voice, -5));
    EXPECT_EQ(store.ReadString(kHkcu, sound_ac3::kKey, "clev"), "0.562341");
    registry.refuseWritesUnder = kHkcu;
    controls.SetEditText(IDC_AC3_VOICE, "7");
    EXPECT_FALSE(model.Commit(voice, 7));
    EXPECT_EQ(controls.GetEditText(IDC_AC3_VOICE), "-5");
}

TEST_F(AudioPageTest, FFDShowFormatPairShowsTheStoredBoxesAndEnablesSpdifOnlyWhenInstalled)
{
    const ValueRow& ac3 = sound_ffdshow::kValues[21];
    ASSERT_EQ(ac3.controlId, IDC_FFA_AC3);
    struct Case {
        std::int32_t stored;
        bool installed;
        bool format;
        bool spdif;
        bool spdifEnabled;
    };
    const Case cases[] = {
        {15, true, true, false, true},  {16, true, true, true, true},
        {1, true, false, true, false},  {0, true, false, false, false},
        {16, false, true, true, false}, {99, true, true, true, true},
    };
    for (const Case& c : cases) {
        installed = c.installed;
        store.WriteDword(kHkcu, sound_ffdshow::kKeyB, "ac3", c.stored);
        model.Load({&ac3, 1});
        EXPECT_EQ(controls.GetCheck(IDC_FFA_AC3) != 0, c.format) << c.stored;
        EXPECT_EQ(controls.GetCheck(IDC_FFA_AC3_SPDIF) != 0, c.spdif) << c.stored;
        EXPECT_EQ(controls.IsEnabled(IDC_FFA_AC3_SPDIF), c.spdifEnabled) << c.stored;
    }
}

}  // namespace
}  // namespace zelora
