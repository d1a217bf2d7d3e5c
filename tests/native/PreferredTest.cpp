#include "support/PreferredFixture.h"

#include "platform/registry/CountingRegistry.h"
#include "platform/registry/ForwardingRegistry.h"
#include "preferred/ColumnShare.h"
#include "preferred/PreferredChange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace zelora {
namespace {

using zelora::FilterDataV1;
using zelora::FilterDataV2;
using zelora::PinSpec;

const Guid kVideo = FourCcSubtype("vids");
const Guid kH264 = *ParseGuid("{34363248-0000-0010-8000-00aa00389b71}");  // 'H264' by hand
const Guid kOther = *ParseGuid("{12345678-9ABC-DEF0-1234-56789ABCDEF0}");

TEST(MediaFormats, SubtypesAreDerivedAndOwnedByOneFormatEach)
{
    EXPECT_EQ(FourCcSubtype("H264"), kH264);
    EXPECT_EQ(GuidText(WaveTagSubtype(0x55)), "{00000055-0000-0010-8000-00AA00389B71}");
    std::set<Guid> seen;
    for (const MediaFormat& format : MediaFormats())
        for (const Guid& subtype : format.subtypes) EXPECT_TRUE(seen.insert(subtype).second) << format.id;
    for (const char* bad : {"", "34363248-0000-0010-8000-00AA00389B71", "{34363248-0000-0010-8000-00AA00389B7G}",
                            "{34363248 0000-0010-8000-00AA00389B71}", "{34363248-0000-0010-8000-00AA00389B71} "})
        EXPECT_FALSE(ParseGuid(bad)) << bad;
}

TEST(FilterData, InputPinTypesOfBothLayoutsAndNothingOfAMalformedBlob)
{
    const PinSpec input{false, {{kVideo, kH264}, {kVideo, kOther}}, true, 2};
    const PinSpec output{true, {{kVideo, kOther}}};
    const std::vector<PinMediaType> inputTypes = {{kVideo, kH264}, {kVideo, kOther}};
    for (auto write : {&FilterDataV2, &FilterDataV1}) {
        const std::vector<unsigned char> blob = write({output, input});
        EXPECT_EQ(ReadInputPinTypes(blob), inputTypes);
        EXPECT_EQ(ReadInputPinTypes(write({})), std::vector<PinMediaType>{});
        for (std::size_t cut = 0; cut < blob.size(); ++cut)  // every truncation overruns
            EXPECT_FALSE(ReadInputPinTypes(std::span(blob).first(cut))) << cut;
    }
    struct Damage {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const std::vector<unsigned char> good = FilterDataV2({input});
    for (const Damage& damage : {Damage{"version 3", 0, 3}, {"pins overrun", 8, 2}, {"pins huge", 8, 0xFFFFFFFF},
                                 {"types overrun", 28, 40}, {"mediums huge", 32, 0x40000000},
                                 {"major offset past end", 52, static_cast<std::uint32_t>(good.size() - 15)},
                                 {"minor offset wraps", 56, 0xFFFFFFF8}, {"pin signature", 16, 0x33333333}}) {
        std::vector<unsigned char> bad = good;
        for (int i = 0; i < 4; ++i) bad[damage.at + i] = static_cast<unsigned char>(damage.value >> (8 * i));
        EXPECT_FALSE(ReadInputPinTypes(bad)) << damage.what;
    }
    EXPECT_FALSE(ReadInputPinTypes(std::vector<unsigned char>(64 * 1024, 0)));
}

TEST(ColumnShare, WholeWhenAllFitElseTheWideShareWhatTheWholeAndNarrowLeave)
{
    struct Case {
        const char* what;
        std::vector<ColumnNeed> columns;
        int room;
        std::vector<int> widths;
    };
    for (const Case& c : {Case{"all fit, the rest to the last", {{100, 40, true}, {80, 60}, {90, 60}}, 300, {100, 80, 120}},
                          {"narrow keeps, wide split", {{150, 40, true}, {300, 60}, {70, 60}, {500, 60}}, 400, {150, 90, 70, 90}},
                          {"never below a title", {{150, 40, true}, {300, 120}, {300, 60}}, 200, {150, 120, 60}}}) {
        EXPECT_EQ(ShareColumns(c.columns, c.room), c.widths) << c.what;
    }
}

// Two views of one machine, filters registered in them, the pack's books in the 32-bit one.
struct Machine {
    MemoryRegistry bits32, bits64;
    RegistryViews views{&bits32, &bits64};
    testing::EveryFile files;
    const MediaFormat& h264 = *FindMediaFormat("h264");
    const std::string packClsid = "{11111111-1111-1111-1111-111111111111}";
    const std::string otherClsid = "{22222222-2222-2222-2222-222222222222}";
    const std::vector<unsigned char> takesH264 = FilterDataV2({{false, {{kVideo, kOther}, {kVideo, kH264}}}});

    Machine()
    {
        for (MemoryRegistry* view : {&bits32, &bits64}) {
            std::vector<std::string> none;  // the system's own key, there on every Windows
            view->EnumValueNames(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\DirectShow", KeyOpen::CreateIfMissing, none);
            testing::RegisterFilter(*view, otherClsid, "Other H.264", "C:\\Windows\\other.ax", takesH264);
            testing::RegisterFilter(*view, "{33333333-3333-3333-3333-333333333333}", "Output only",
                                    "C:\\x.ax", FilterDataV2({{true, {{kVideo, kH264}}}}));
        }
        testing::RegisterFilter(bits32, packClsid, "Pack video", "C:\\Codecs\\pack.ax", takesH264);
        testing::RegisterFilter(bits32, "{44444444-4444-4444-4444-444444444444}", "Gone", "C:\\gone.ax", takesH264);
        testing::RegisterFilter(bits32, "{55555555-5555-5555-5555-555555555555}", "Output gone", "C:\\gone-out.ax",
                                FilterDataV2({{true, {{kVideo, kH264}}}}));
        testing::SetText(bits32, RegRoot::LocalMachine, std::string(kInstallKey), "FFDShow", "c:\\codecs\\PACK.ax");
    }
    void Prefer(MemoryRegistry& view, const Guid& subtype, std::string_view text)
    {
        testing::SetText(view, RegRoot::LocalMachine, std::string(kPreferredKey), GuidText(subtype), text);
    }
    FormatCell Cell(PlayerView view) { return *ReadPreferredDecoders(views, files)[0].views[static_cast<int>(view)]; }
};

TEST(PreferredDecoders, CurrentChoiceMarksAndCandidatesPerView)
{
    Machine m;
    const std::vector<Guid> h264(m.h264.subtypes.begin(), m.h264.subtypes.end());
    EXPECT_EQ(ChoiceText(m.Cell(PlayerView::Bits32).current), "Windows 기본");
    struct Case {
        const char* what;
        std::string value;
        ChoiceState expected;
    };
    for (const Case& c : {Case{"a registered filter", "{22222222-2222-2222-2222-222222222222}", ChoiceState::Filter},
                          {"a class of nothing", "{99999999-2222-2222-2222-222222222222}", ChoiceState::Dead},
                          {"a file gone", "{44444444-4444-4444-4444-444444444444}", ChoiceState::Dead},
                          // Their servers are read only when a value names them.
                          {"a filter taking no format", "{33333333-3333-3333-3333-333333333333}", ChoiceState::Filter},
                          {"its file gone", "{55555555-5555-5555-5555-555555555555}", ChoiceState::Dead},
                          {"no GUID", "quartz.dll", ChoiceState::Unknown}}) {
        for (const Guid& subtype : h264) m.Prefer(m.bits32, subtype, c.value);
        EXPECT_EQ(m.Cell(PlayerView::Bits32).current.state, c.expected) << c.what;
    }
    for (const Guid& subtype : h264) m.Prefer(m.bits32, subtype, m.otherClsid);
    m.bits32.SetValue(RegRoot::LocalMachine, kPreferredKey, GuidText(h264[1]), RegType::Dword, "\1\0\0\0", 4);
    EXPECT_EQ(m.Cell(PlayerView::Bits32).bySubtype[1].state, ChoiceState::Unknown);
    EXPECT_EQ(m.Cell(PlayerView::Bits32).current.state, ChoiceState::Mixed);
    EXPECT_EQ(m.Cell(PlayerView::Bits64).current.state, ChoiceState::WindowsDefault);  // views apart

    // The pack's decoder told by its file, and put first, once the row is in view.
    std::vector<FormatRow> rows = ReadPreferredDecoders(m.views, m.files);
    for (int twice = 0; twice < 2; ++twice) MarkPackDecoders(m.views, rows[0]);
    std::vector<std::string> offered;
    for (const Candidate& c : rows[0].views[0]->candidates) offered.push_back(CandidateText(c));
    EXPECT_EQ(offered, (std::vector<std::string>{"[팩] Pack video", "Other H.264", "Gone", "Windows 기본"}));
    EXPECT_EQ(m.Cell(PlayerView::Bits64).candidates.size(), 2u);
}

TEST(PreferredDecoders, ReadsEachRegistrationKeyOnceAndLargeBlobsWholeUpToTheLimit)
{
    Machine m;
    // Past the walk's first buffer (a readable string's room), and past the reader's limit;
    // the one read again comes first in the category, before the blobs read at once.
    for (const auto& [clsid, types] : {std::pair{"{15555555-5555-5555-5555-555555555555}", 300},
                                       std::pair{"{66666666-6666-6666-6666-666666666666}", 3000}}) {
        PinSpec input{false, {}};
        for (int i = 0; i < types; ++i) input.types.push_back({kVideo, SubtypeOfCode(0x20000u + i)});
        input.types.push_back({kVideo, kH264});
        testing::RegisterFilter(m.bits64, clsid, clsid, "C:\\big.ax", FilterDataV2({input}));
    }
    CountingRegistry counting(m.bits64);
    const std::vector<FormatRow> rows = ReadPreferredDecoders({&m.bits32, &counting}, m.files);
    std::vector<std::string> offered;
    for (const Candidate& c : rows[0].views[1]->candidates) offered.push_back(c.name);
    EXPECT_EQ(offered, (std::vector<std::string>{"{15555555-5555-5555-5555-555555555555}", "Other H.264", "Windows 기본"}));
    // The category and each of the four registrations once, each large blob's key once more,
    // and per format its two keys of Preferred values; no server.
    const std::size_t fill = counting.Counts().batchKeyOpens;
    EXPECT_EQ(fill, (1 + 4) + 2 * 2 + 2 * 2 * MediaFormats().size());
    // The row in view: CLSID and the servers of the two offered, once.
    std::vector<FormatRow> inView = rows;
    for (int twice = 0; twice < 2; ++twice) MarkPackDecoders({&m.bits32, &counting}, inView[0]);
    EXPECT_EQ(counting.Counts().batchKeyOpens - fill, 1u + 2u);
}

// A filter taking any one subtype of a format (beside a type of no format) is offered in that
// format's row alone.
TEST(PreferredDecoders, EachSubtypeOffersItsFilterInItsFormatsRowOnly)
{
    MemoryRegistry registry;
    std::map<std::string, std::string> rowOf;  // filter name: format
    int n = 0;
    for (const MediaFormat& format : MediaFormats())
        for (const Guid& subtype : format.subtypes) {
            char clsid[40];
            std::snprintf(clsid, sizeof clsid, "{%08X-0000-0000-0000-000000000000}", ++n);
            rowOf[clsid] = format.id;
            testing::RegisterFilter(registry, clsid, clsid, "C:\\f.ax",
                                    FilterDataV2({{false, {{kVideo, kOther}, {kVideo, subtype}}}}));
        }
    const testing::EveryFile files;
    std::map<std::string, std::string> offeredIn;
    for (const FormatRow& row : ReadPreferredDecoders({&registry, nullptr}, files))
        for (const Candidate& candidate : row.views[0]->candidates) {
            if (candidate.clsid.empty()) continue;  // "Windows 기본"
            EXPECT_TRUE(offeredIn.emplace(candidate.name, row.format->id).second) << candidate.name;
        }
    EXPECT_EQ(offeredIn, rowOf);
}

// Fails the n-th value write of the view it wraps, as a key refusing a write midway would.
class FailingWrite final : public ForwardingRegistry {
public:
    FailingWrite(RegistryBackend& inner, int failAt) : ForwardingRegistry(inner), m_left(failAt) {}
    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override
    {
        if (path == kPreferredKey && --m_left == 0) return RegStatus::Failed;
        return ForwardingRegistry::SetValue(root, path, name, type, data, size);
    }

private:
    int m_left;
};

TEST(PreferredChanges, AllOrNothingOverDescriptors)
{
    const std::vector<unsigned char> trusted = {'T', 'I'}, adminsReadOnly = {'A', 'R'};
    struct Case {
        const char* what;
        std::vector<unsigned char> descriptor;
        MemoryRegistry::DescriptorRights rights;
        int failWriteAt;
        bool standardUser;
        std::optional<ChangeStep> failure;
    };
    for (const Case& c : {Case{"writable", {}, {}, 0, false, std::nullopt},
                          {"admins own, read-only DACL", adminsReadOnly, {false, true, false}, 0, false, std::nullopt},
                          {"TrustedInstaller", trusted, {false, false, true}, 0, false, ChangeStep::TakeOwnership},
                          {"third write fails", adminsReadOnly, {false, true, false}, 3, false, ChangeStep::WriteValues},
                          {"standard user", {}, {}, 0, true, ChangeStep::NeedsAdministrator}}) {
        Machine m;
        m.Prefer(m.bits64, m.h264.subtypes[0], m.otherClsid);
        m.bits64.SetKeySecurity(RegRoot::LocalMachine, kPreferredKey, c.descriptor, c.rights);
        if (c.standardUser) m.bits64.RunAsStandardUser();
        FailingWrite failing(m.bits64, c.failWriteAt);
        const auto before = testing::Snapshot(m.bits64);
        const ChangeResult result = PreferredChanges({&m.bits32, &failing}).Apply(PlayerView::Bits64, m.h264, m.packClsid);
        EXPECT_EQ(result.done, !c.failure) << c.what;
        if (c.failure) {
            EXPECT_EQ(result.failedStep, *c.failure) << c.what;
            EXPECT_NE(result.message.find(c.standardUser ? "관리자" : StepText(*c.failure)), std::string::npos);
            EXPECT_EQ(testing::Snapshot(m.bits64), before) << c.what;
            continue;
        }
        std::vector<unsigned char> after;
        m.bits64.Security()->ReadDescriptor(RegRoot::LocalMachine, kPreferredKey, after);
        EXPECT_EQ(after, c.descriptor) << c.what;
        for (const Choice& choice : m.Cell(PlayerView::Bits64).bySubtype) EXPECT_EQ(choice.clsid, m.packClsid) << c.what;
        EXPECT_EQ(PreferredChanges(m.views).Apply(PlayerView::Bits64, m.h264, "").done, true);
        EXPECT_EQ(m.Cell(PlayerView::Bits64).current.state, ChoiceState::WindowsDefault) << c.what;
    }
}

TEST(PreferredChanges, RestoreAfterARestartGivesBackValuesAndDescriptorsExactly)
{
    Machine m;
    m.Prefer(m.bits32, m.h264.subtypes[2], "not a guid");
    m.bits32.SetKeySecurity(RegRoot::LocalMachine, kPreferredKey, std::vector<unsigned char>{'A', 'R'},
                            {false, true, false});
    const auto before32 = testing::Snapshot(m.bits32);
    const auto before64 = testing::Snapshot(m.bits64);
    {
        PreferredChanges changes(m.views);
        for (const char* id : {"h264", "aac", "dts"})
            for (PlayerView view : kPlayerViews)
                ASSERT_TRUE(changes.Apply(view, *FindMediaFormat(id), m.otherClsid).done) << id;
        ASSERT_TRUE(changes.Apply(PlayerView::Bits32, m.h264, "").done);
    }
    EXPECT_NE(testing::Snapshot(m.bits64), before64);
    PreferredChanges restarted(m.views);
    EXPECT_TRUE(restarted.HasBackup(PlayerView::Bits32) && restarted.HasBackup(PlayerView::Bits64));
    ASSERT_TRUE(restarted.RestoreAll().done);
    EXPECT_EQ(testing::Snapshot(m.bits32), before32);  // backups gone too
    EXPECT_EQ(testing::Snapshot(m.bits64), before64);  // the key it made gone again
}

}  // namespace
}  // namespace zelora
