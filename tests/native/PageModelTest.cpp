// The one routine that loads, saves and resets a value table, over a table with a row of
// every kind.
#include "EveryKindRows.h"
#include "FakePageControls.h"
#include "pages/PageModel.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

using namespace pagetest;

class PageModelTest : public ::testing::Test {
protected:
    PageModelTest()
    {
        controls.onEditChange = [this](int id) {
            if (model.OnControlChanged(kRows, id)) ++handledEdits;
        };
    }

    std::int32_t Stored(std::string_view name)
    {
        return store.ReadDword(RegRoot::CurrentUser, kKey, name);
    }
    void Click(int id, int newState)
    {
        controls.SetCheck(id, newState);
        model.OnControlChanged(kRows, id);
    }

    RecordingRegistry registry;
    RegistryStore store{registry};
    FakePageControls controls;
    PageModel model{store, controls};
    int handledEdits = 0;
};

TEST_F(PageModelTest, FirstLoadStoresAndShowsEveryDefault)
{
    model.Load(kRows);

    const std::pair<const char*, std::int32_t> defaults[] = {
        {"check", 1}, {"mp3", 0},   {"wma", 0},   {"formats", 13312}, {"mode", 1},
        {"AspectX", 1}, {"width", 10}, {"delay", 0}, {"level", 7}};
    for (const auto& [name, value] : defaults) EXPECT_EQ(Stored(name), value) << name;
    EXPECT_FALSE(registry.Has(RegRoot::CurrentUser, kKey, "AspectY"));  // never read

    EXPECT_EQ(controls.checks, (std::map<int, int>{{10, 1}, {11, 0}, {12, 0}, {20, 0},
                                                   {21, 1}, {22, 1}, {23, 0}, {24, 1}}));
    EXPECT_EQ(controls.numbers[kFormatsKey], 13312);
    EXPECT_EQ(controls.comboItems[13].size(), 7u);
    EXPECT_EQ(controls.comboSelection[13], 1);
    EXPECT_EQ(controls.radios[30], 0);
    EXPECT_EQ(controls.members[40], "10");
    EXPECT_EQ(controls.members[42], "0");
    EXPECT_EQ(controls.spinRanges[43], std::make_pair(-10000, 10000));
    EXPECT_EQ(controls.numbers[kLevelKey], 7);
}

TEST_F(PageModelTest, StoredNumbersMapToControlStates)
{
    auto set = [&](std::string_view name, std::int32_t value) {
        store.WriteDword(RegRoot::CurrentUser, kKey, name, value);
    };
    set("check", 2);  // shown as stored
    set("mp3", 1);    // 1 is "passed on", not "decoded"
    set("wma", 1);
    set("mode", 129);
    set("AspectX", 16);
    set("width", -20);
    model.Load(kRows);
    EXPECT_EQ(controls.checks[10], 2);
    EXPECT_EQ(controls.checks[11], 0);
    EXPECT_EQ(controls.checks[12], 1);
    EXPECT_EQ(controls.comboSelection[13], 5);
    EXPECT_EQ(controls.radios[30], 2);
    EXPECT_EQ(controls.members[40], "-20");  // shown as stored until edited

    // Numbers no choice or mask knows: the radio keeps its button, the boxes keep their
    // ticks and the number is kept whole, and nothing is rewritten.
    set("AspectX", 2);
    set("formats", 13312 + 30);
    model.Load(kRows);
    EXPECT_EQ(controls.radios[30], 2);
    EXPECT_EQ(controls.checks[21], 1);
    EXPECT_EQ(controls.numbers[kFormatsKey], 13312 + 30);
    EXPECT_EQ(Stored("AspectX"), 2);
    EXPECT_EQ(Stored("formats"), 13312 + 30);
}

TEST_F(PageModelTest, EachChangeWritesExactlyItsOwnValue)
{
    model.Load(kRows);
    struct Case {
        int id;
        std::function<void()> change;
        const char* name;
        std::int32_t value;
    };
    const Case cases[] = {
        {10, [&] { controls.SetCheck(10, 0); }, "check", 0},
        {11, [&] { controls.SetCheck(11, 1); }, "mp3", 6},
        {11, [&] { controls.SetCheck(11, 0); }, "mp3", 0},
        {24, [&] { controls.SetCheck(24, 0); }, "formats", 13312 - 1024},
        {20, [&] { controls.SetCheck(20, 1); }, "formats", 13312 - 1024 + 30},
        {13, [&] { controls.SetComboIndex(13, 6); }, "mode", 130},
    };
    for (const Case& c : cases) {
        registry.writes.clear();
        c.change();
        EXPECT_TRUE(model.OnControlChanged(kRows, c.id));
        ASSERT_EQ(registry.writes.size(), 1u) << c.name;
        EXPECT_EQ(registry.writes[0].name, c.name);
        EXPECT_EQ(Stored(c.name), c.value) << c.name;
    }

    // A radio button writes its pair.
    registry.writes.clear();
    EXPECT_TRUE(model.OnControlChanged(kRows, 32));
    ASSERT_EQ(registry.writes.size(), 2u);
    EXPECT_EQ(Stored("AspectX"), 16);
    EXPECT_EQ(Stored("AspectY"), 9);

    // A number's key is no control: 10 is the check box's, 1 nobody's.
    registry.writes.clear();
    EXPECT_TRUE(model.OnControlChanged(kRows, 10));
    EXPECT_EQ(registry.writes.at(0).name, "check");
    EXPECT_FALSE(model.OnControlChanged(kRows, static_cast<int>(kFormatsKey)));
    EXPECT_FALSE(model.OnControlChanged(kRows, 34));  // past the radio group
}

TEST_F(PageModelTest, BoxesOutOfStepWithAnUnknownMaskKeepItsOtherBits)
{
    model.Load(kRows);  // ticks AC3
    store.WriteDword(RegRoot::CurrentUser, kKey, "formats", 2048);
    model.Load(kRows);  // unknown: AC3 stays ticked
    Click(21, 0);
    EXPECT_EQ(Stored("formats"), 2048);
    Click(21, 1);
    EXPECT_EQ(Stored("formats"), 2048 + 4096);
}

TEST_F(PageModelTest, ResetStoresEveryResetValueOnceEvenOnANeverLoadedPage)
{
    model.ResetDefaults(kRows);

    // The list was filled, not left empty: "mode" is the reset choice, not "none".
    const std::pair<const char*, std::int32_t> resets[] = {
        {"check", 0},   {"mp3", 6},     {"wma", 1},   {"formats", 13312}, {"mode", 1},
        {"AspectX", 0}, {"AspectY", 0}, {"width", 0}, {"delay", 0},       {"level", 0}};
    for (const auto& [name, value] : resets) EXPECT_EQ(Stored(name), value) << name;
    // Nine rows and the radio's second value; the edits' change reports caused by pushing
    // the texts wrote nothing.
    EXPECT_EQ(registry.writes.size(), 10u);
    EXPECT_EQ(controls.pushes, 1);
    EXPECT_EQ(controls.shown[40], "0");
    EXPECT_EQ(handledEdits, 0);
}

TEST_F(PageModelTest, SaveSkipsARadioGroupWithNothingChosen)
{
    store.WriteDword(RegRoot::CurrentUser, kKey, "AspectX", 2);
    model.Load(kRows);
    registry.writes.clear();
    model.SaveAll(kRows);
    for (const auto& write : registry.writes) {
        EXPECT_NE(write.name, "AspectX");
        EXPECT_NE(write.name, "AspectY");
    }
    EXPECT_EQ(registry.writes.size(), 8u);
    EXPECT_EQ(Stored("AspectX"), 2);
}

TEST_F(PageModelTest, TypedNumbersAreClampedShownAndStored)
{
    struct Case {
        int id;
        const char* typed;
        const char* text;  // member and, when pushed, shown
        std::int32_t stored;
        bool pushed;
    };
    const Case cases[] = {
        {40, "3000", "2048", 2048, true},
        {40, "-5", "0", 0, true},
        {40, "99999999999", "2048", 2048, true},
        {40, "1500", "1500", 1500, false},
        {40, "12abc", "12abc", 12, false},
        {42, "-20000", "-10000", -10000, true},
        {42, "-300", "-300", -300, false},
    };
    model.Load(kRows);
    for (const Case& c : cases) {
        const int pushesBefore = controls.pushes;
        registry.writes.clear();
        controls.Type(c.id, c.typed);
        EXPECT_EQ(controls.members[c.id], c.text) << c.typed;
        EXPECT_EQ(controls.shown[c.id], c.pushed ? c.text : c.typed) << c.typed;
        EXPECT_EQ(controls.pushes - pushesBefore, c.pushed ? 1 : 0) << c.typed;
        EXPECT_EQ(registry.writes.size(), 1u) << c.typed;
        EXPECT_EQ(Stored(c.id == 40 ? "width" : "delay"), c.stored) << c.typed;
    }
}

TEST_F(PageModelTest, AnEmptiedEditStoresZeroAndTakesLaterTypingIn)
{
    model.Load(kRows);
    controls.Type(40, "");
    EXPECT_EQ(Stored("width"), 0);
    EXPECT_EQ(controls.members[40], "");
    controls.Type(40, "7");
    EXPECT_EQ(controls.members[40], "7");
    EXPECT_EQ(Stored("width"), 7);
}

TEST_F(PageModelTest, TheOwnTextExchangeWritesNothing)
{
    model.Load(kRows);
    controls.members[40] = "5000";  // out of range: a handled report would clamp and write
    registry.writes.clear();
    model.PushTexts();
    model.PullTexts();
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_EQ(handledEdits, 0);
    EXPECT_FALSE(model.Exchanging());
    EXPECT_EQ(controls.members[40], "5000");
}

TEST_F(PageModelTest, LayoutRunsOnceAndDisablesEveryControlWithoutTheDecoder)
{
    const PageControl page[] = {
        {10, ControlType::CheckBox, {20, 60, 41, 13}},
        {13, ControlType::DropDownCombo, {}},
        {40, ControlType::NumericEdit, {52, 272, 18, 13}},
    };
    FakePageControls missing;
    PageModel withoutDecoder(store, missing, {{}, [] { return false; }});
    withoutDecoder.Layout(page);
    EXPECT_EQ(missing.places.size(), 2u);
    EXPECT_EQ(missing.places.at(10).x, 20);
    EXPECT_EQ(missing.places.at(40).y, 272);
    EXPECT_FALSE(missing.places.count(13));
    EXPECT_FALSE(missing.IsEnabled(10));
    EXPECT_FALSE(missing.IsEnabled(13));
    EXPECT_FALSE(missing.IsEnabled(40));  // a level edit too: it would take keystrokes
    EXPECT_TRUE(withoutDecoder.LaidOut());

    FakePageControls fresh;
    PageModel installed(store, fresh);
    installed.Layout(page);
    EXPECT_TRUE(fresh.enabled.empty());
    fresh.places.clear();
    installed.Layout(page);  // already laid out: moves nothing again
    EXPECT_TRUE(fresh.places.empty());
    EXPECT_TRUE(fresh.enabled.empty());
}

TEST_F(PageModelTest, ARefusedWriteShowsTheStoredValueAgainAndWritesNothingMore)
{
    model.Load(kRows);
    registry.refuseWritesUnder = RegRoot::CurrentUser;
    registry.writes.clear();

    Click(10, 0);  // "check" is stored as 1
    EXPECT_EQ(controls.checks[10], 1);
    Click(20, 1);  // PCM into "formats"
    EXPECT_EQ(controls.checks[20], 0);
    EXPECT_EQ(controls.numbers[kFormatsKey], 13312);
    controls.SetComboIndex(13, 6);
    model.OnControlChanged(kRows, 13);
    EXPECT_EQ(controls.comboSelection[13], 1);
    controls.Type(40, "640");  // "width" is stored as 10: shown again, no change reported back
    EXPECT_EQ(controls.shown[40], "10");
    EXPECT_EQ(controls.members[40], "10");
    EXPECT_EQ(handledEdits, 1);
    EXPECT_TRUE(registry.writes.empty());
}

// A box enabling an edit on clicks only, and a list enabling two controls whenever it
// changes, loads or resets; the decoder's flag is switched by the test.
constexpr int kTwoTargets[] = {40, 41};
constexpr int kOneTarget[] = {42};
constexpr EnableRule kRules[] = {
    EnableWhileTicked(10, kOneTarget, kOnClick),
    EnableWhileSelected(13, ListIndex{2}, kTwoTargets, kOnClick | kOnLoad | kOnReset),
};

TEST_F(PageModelTest, DependentEnablesFollowTheirSourceAtTheirMomentsUnlessTheDecoderIsMissing)
{
    bool installed = true;
    FakePageControls page;
    PageModel rules(store, page, {kRules, [&] { return installed; }});
    auto enabled = [&](int id) { return page.IsEnabled(id); };

    store.WriteDword(RegRoot::CurrentUser, kKey, "mode", 0);
    rules.Load(kRows);  // the box's rule does not run on Load: the edit stays as it was
    EXPECT_FALSE(enabled(40));
    EXPECT_FALSE(enabled(41));
    EXPECT_TRUE(enabled(42));

    page.SetComboIndex(13, 2);
    rules.OnControlChanged(kRows, 13);
    EXPECT_TRUE(enabled(40));
    EXPECT_TRUE(enabled(41));
    page.SetCheck(10, 0);
    rules.OnControlChanged(kRows, 10);
    EXPECT_FALSE(enabled(42));

    store.WriteDword(RegRoot::CurrentUser, kKey, "mode", 0);
    rules.Load(kRows);
    EXPECT_FALSE(enabled(40));
    rules.ResetDefaults(kRows);  // resets "mode" to index 1
    EXPECT_FALSE(enabled(40));

    // Without the decoder no rule enables anything, at any moment.
    installed = false;
    store.WriteDword(RegRoot::CurrentUser, kKey, "mode", 2);
    rules.Load(kRows);
    page.SetCheck(10, 1);
    rules.OnControlChanged(kRows, 10);
    page.SetComboIndex(13, 2);
    rules.OnControlChanged(kRows, 13);
    for (int id : {40, 41, 42}) EXPECT_FALSE(enabled(id)) << id;
}

}  // namespace
}  // namespace zelora
