// The filter inventory over the memory registry: both scans, the three actions with the
// command lines they start and the bookkeeping they leave, and the one-pass category read.
#include "codecs/FilterInventory.h"
#include "pages/InstalledDecoders.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include <string>
#include <vector>

namespace zelora {
namespace {

constexpr const char* kRegsvr = "C:\\Program Files\\Sys Root\\SysWOW64\\regsvr32.exe";

class RecordingLauncher final : public ProcessLauncher {
public:
    void StartHidden(std::string_view commandLine) override { lines.emplace_back(commandLine); }
    std::vector<std::string> lines;
};

// A row as a scan delivers it: a versioned row's books are under its name taken back
// from the text, an unversioned row's under its whole text (its scanned name).
InventoryRow Row(std::string displayText, std::string path, std::string checkMark = "0")
{
    std::string name = displayText.find('(') != std::string::npos ? NameOf(displayText)
                                                                   : displayText;
    return {std::move(displayText), std::move(path), std::move(checkMark), std::move(name)};
}

// Every file is there unless named missing.
class FakeFiles final : public FileProbe {
public:
    bool Exists(std::string_view path) const override
    {
        return std::find(missing.begin(), missing.end(), path) == missing.end();
    }
    std::vector<std::string> missing;
};

InventoryRow WithHealth(InventoryRow row, DecoderHealth health, std::string registeredPath = "")
{
    row.health = health;
    row.registeredPath = std::move(registeredPath);
    return row;
}

class FilterInventoryTest : public ::testing::Test {
protected:
    void SetUp() override { InstalledDecoders::ResetForTests(); }
    void TearDown() override { InstalledDecoders::ResetForTests(); }

    // The store refuses writes under HKCR, so registrations are planted through the backend.
    void SetClassString(const std::string& path, const std::string& name, const std::string& text)
    {
        std::u16string wide = Utf8ToUtf16(text);
        wide += u'\0';
        m_registry.SetValue(RegRoot::ClassesRoot, path, name, RegType::String, wide.data(),
                            static_cast<std::uint32_t>(wide.size() * 2));
    }

    // One DirectShow filter: its category entry and its class's server path. An empty
    // friendly name leaves the value out.
    void AddFilter(const std::string& instance, const std::string& friendlyName,
                   const std::string& clsid, const std::string& server)
    {
        const std::string key = std::string(kFilterCategoryPath) + "\\" + instance;
        if (!friendlyName.empty()) SetClassString(key, "FriendlyName", friendlyName);
        SetClassString(key, "CLSID", clsid);
        SetClassString("CLSID\\" + clsid + "\\InprocServer32", "", server);
    }

    void SetMachine(std::string_view key, const std::string& name, const std::string& text)
    {
        m_store.WriteString(RegRoot::LocalMachine, key, name, text);
    }
    std::string ReadMachine(std::string_view key, const std::string& name)
    {
        return m_store.ReadString(RegRoot::LocalMachine, key, name);
    }
    std::vector<std::string> ValueNames(std::string_view key)
    {
        std::vector<std::string> names;
        m_registry.EnumValueNames(RegRoot::LocalMachine, key, KeyOpen::ExistingOnly, names);
        return names;
    }

    MemoryRegistry m_registry;
    RegistryStore m_store{m_registry};
    RecordingLauncher m_launcher;
    FakeFiles m_files;
    FilterInventory m_inventory{m_store, m_launcher, kRegsvr, m_files};
};

TEST(FilterInventoryText, NameOfTakesTheTextBeforeTheBlankAndParenthesis)
{
    const struct {
        const char* displayText;
        const char* name;
    } cases[] = {
        {"Xvid (1.2.1)", "Xvid"},
        {"Korrins DTS (2.0 beta)", "Korrins DTS"},
        {"AC3Filter (1.0) (build 7)", "AC3Filter"},  // the first "(" counts
        {"VSFilter", ""},                             // no version: no name
        {"Xvid 1.2", ""},                             // a version without "("
        {"(1.0)", ""},                                // nothing in front of "("
        {"X(1)", ""},
        {"코덱 (1.0)", "코덱"},
        {"코덱(1.0)", "코"},  // the character before "(" goes whole, never half of it
    };
    for (const auto& c : cases) EXPECT_EQ(NameOf(c.displayText), c.name) << c.displayText;
}

TEST(FilterInventoryText, DisplayTextServerFileNameAndCommandLines)
{
    EXPECT_EQ(DisplayTextOf("Xvid", "(1.2)"), "Xvid (1.2)");
    EXPECT_EQ(DisplayTextOf("Xvid", "ERROR"), "Xvid");

    EXPECT_EQ(ServerFileName("C:\\Codecs\\xvid.ax"), "xvid.ax");
    EXPECT_EQ(ServerFileName("xvid.ax"), "xvid.ax");
    EXPECT_EQ(ServerFileName("C:\\Codecs\\"), "");

    EXPECT_EQ(Regsvr32Path("C:\\Windows\\SysWOW64"), "C:\\Windows\\SysWOW64\\regsvr32.exe");
    EXPECT_EQ(Regsvr32Path("C:\\Windows\\system32\\"), "C:\\Windows\\system32\\regsvr32.exe");

    EXPECT_EQ(RegsvrCommandLine(kRegsvr, RegsvrAction::Unregister, "C:\\My Codecs\\x.ax"),
              "\"" + std::string(kRegsvr) + "\" /s /u \"C:\\My Codecs\\x.ax");
    EXPECT_EQ(RegsvrCommandLine(kRegsvr, RegsvrAction::Register, "C:\\My Codecs\\x.ax"),
              "\"" + std::string(kRegsvr) + "\" /s \"C:\\My Codecs\\x.ax");
    EXPECT_EQ(RegsvrCommandLine(kRegsvr, RegsvrAction::Register, "C:\\a.ax\" /i \"C:\\b.ax"),
              std::nullopt);
}

TEST_F(FilterInventoryTest, InstalledScanListsRegisteredDecodersAndFlagsVersionedOnes)
{
    AddFilter("{A1}", "Xvid MPEG-4 Video Decoder", "{C-XVID}", "C:\\Windows\\System32\\xvid.ax");
    AddFilter("{A2}", "ffdshow Video Decoder", "{C-FFD}", "C:\\Codecs\\FFDShow.ax");
    AddFilter("{A3}", "", "{C-AC3}", "C:\\Codecs\\ac3filter.ax");  // no FriendlyName
    AddFilter("{A4}", "VobSub", "{C-VS}", "C:\\Codecs\\vsfilter.dll");
    AddFilter("{A5}", "Other", "{C-OTHER}", "C:\\Other\\other.ax");

    SetMachine(kInstallKey, "0", "C:\\Codecs\\xvid.ax");              // not a decoder
    SetMachine(kInstallKey, "Xvid", "C:\\Codecs\\xvid.ax");           // other folder, same file
    SetMachine(kInstallKey, "FFDShow", "C:\\Codecs\\ffdshow.ax");     // differs in case only
    SetMachine(kInstallKey, "Divx5", "C:\\Codecs\\divx.ax");          // not registered
    SetMachine(kInstallKey, "AC3Filter", "C:\\Codecs\\ac3filter.ax"); // filter has no name
    SetMachine(kInstallKey, "VSFilter", "C:\\Codecs\\vsfilter.dll");  // no version
    SetMachine(kInstallKey, "Own Codec", "D:\\other.ax");
    SetMachine(kCodecVersionKey, "Xvid", "(1.2.1)");
    SetMachine(kCodecVersionKey, "FFDShow", "(rev 2500)");
    SetMachine(kCodecVersionKey, "Divx5", "(5.2)");
    SetMachine(kCodecVersionKey, "Own Codec", "(0.1)");

    const InstalledScan scan = m_inventory.PrepareInstalled();

    EXPECT_EQ(scan.access, CategoryAccess::Granted);
    const auto elsewhere = DecoderHealth::RegisteredElsewhere;
    EXPECT_EQ(scan.rows, (std::vector<InventoryRow>{
                             WithHealth(Row("Xvid (1.2.1)", "C:\\Codecs\\xvid.ax"), elsewhere,
                                        "C:\\Windows\\System32\\xvid.ax"),
                             Row("FFDShow (rev 2500)", "C:\\Codecs\\ffdshow.ax"),
                             Row("VSFilter", "C:\\Codecs\\vsfilter.dll"),
                             WithHealth(Row("Own Codec (0.1)", "D:\\other.ax"), elsewhere,
                                        "C:\\Other\\other.ax"),
                         }));
    const auto unregistered = DecoderHealth::NotRegistered;
    EXPECT_EQ(scan.notRegistered,
              (std::vector<InventoryRow>{
                  WithHealth(Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax"), unregistered),
                  WithHealth(Row("AC3Filter", "C:\\Codecs\\ac3filter.ax"), unregistered),
              }));
    const struct {
        Decoder decoder;
        bool installed;
    } flags[] = {
        {Decoder::Xvid, true},       {Decoder::FFDShow, true},     {Decoder::Divx5, true},
        {Decoder::AC3Filter, false}, {Decoder::VSFilter, false},   {Decoder::KorrinsDts, false},
        {Decoder::DivxG400, false},
    };
    for (const auto& f : flags)
        EXPECT_EQ(InstalledDecoders::IsInstalled(f.decoder), f.installed)
            << kDecoderNames[static_cast<std::size_t>(f.decoder)];
    EXPECT_TRUE(m_launcher.lines.empty());
}

// The refusals of one press, by row, as the page's message lists them.
std::vector<std::pair<std::string, Refusal>> Reasons(const RowsTaken& taken)
{
    std::vector<std::pair<std::string, Refusal>> reasons;
    for (const RefusedRow& refused : taken.refused)
        reasons.emplace_back(refused.row.valueName, refused.why);
    return reasons;
}

InventoryRow& Named(std::vector<InventoryRow>& rows, const std::string& name)
{
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const InventoryRow& r) { return r.valueName == name; });
    if (row == rows.end()) throw std::runtime_error("no row " + name);
    return *row;
}

void TickOnly(std::vector<InventoryRow>& rows, std::initializer_list<const char*> names)
{
    for (InventoryRow& row : rows) {
        const bool chosen = std::find(names.begin(), names.end(), row.valueName) != names.end();
        row.checkMark = std::string(chosen ? kChecked : kUnchecked);
    }
}

TEST_F(FilterInventoryTest, EachRecordedDecoderGetsItsHealthAndOnlyThePacksOwnRegistrationIsTouched)
{
    const std::string own = "{11111111-1111-1111-1111-111111111111}";
    const std::string foreign = "{22222222-2222-2222-2222-222222222222}";
    AddFilter("{I1}", "Gone", own, "c:/codecs/GONE.ax");  // the pack's own, file deleted
    AddFilter("{I2}", "Foreign", foreign, "D:\\Vendor\\gone.ax");
    AddFilter("{I3}", "Moved", "{33333333-3333-3333-3333-333333333333}", "D:\\Old\\moved.ax");
    AddFilter("{I4}", "Copy", "{44444444-4444-4444-4444-444444444444}", "D:\\Copy\\copy.ax");
    // Two other folders' registrations of one file name: the working one is named.
    AddFilter("{I5}", "Twin", "{55555555-5555-5555-5555-555555555555}", "D:\\Dead\\twin.ax");
    AddFilter("{I6}", "Twin", "{66666666-6666-6666-6666-666666666666}", "D:\\Live\\twin.ax");
    const struct {
        const char* name;
        std::string_view key;
        const char* path;
        bool fileThere;
        DecoderHealth health;
        const char* registeredPath;
        bool upper;
    } cases[] = {
        {"Gone", kInstallKey, "C:\\Codecs\\gone.ax", false, DecoderHealth::FileMissing, "", true},
        // Registering the pack's own file mends it, so it is listed where "register" is.
        {"Moved", kInstallKey, "C:\\Codecs\\moved.ax", true, DecoderHealth::RegisteredFileMissing,
         "D:\\Old\\moved.ax", false},
        {"Copy", kInstallKey, "C:\\Codecs\\copy.ax", true, DecoderHealth::RegisteredElsewhere,
         "D:\\Copy\\copy.ax", true},
        {"Twin", kInstallKey, "C:\\Codecs\\twin.ax", true, DecoderHealth::RegisteredElsewhere,
         "D:\\Live\\twin.ax", true},
        {"Deleted", kInstallKey, "C:\\Codecs\\deleted.ax", false, DecoderHealth::FileMissing, "",
         false},
        {"Parked", kCodecDelKey, "C:\\Codecs\\COPY.AX", true, DecoderHealth::RegisteredElsewhere,
         "D:\\Copy\\copy.ax", false},
        {"Lost", kCodecDelKey, "C:\\Codecs\\lost.ax", false, DecoderHealth::FileMissing, "", false},
    };
    m_files.missing = {"D:\\Old\\moved.ax", "D:\\Dead\\twin.ax"};
    for (const auto& c : cases) {
        SetMachine(c.key, c.name, c.path);
        if (!c.fileThere) m_files.missing.emplace_back(c.path);
    }

    InstalledScan scan = m_inventory.PrepareInstalled();
    std::vector<InventoryRow> lower = scan.notRegistered;
    for (InventoryRow& row : m_inventory.ScanRemoved()) lower.push_back(std::move(row));
    for (const auto& c : cases) {
        std::vector<InventoryRow>& list = c.upper ? scan.rows : lower;
        const InventoryRow& row = Named(list, c.name);
        EXPECT_EQ(row.health, c.health) << c.name;
        EXPECT_EQ(row.registeredPath, c.registeredPath) << c.name;
    }
    EXPECT_EQ(scan.rows.size(), 3u);

    // Unregister: no regsvr32 for a decoder registered from another folder (the filter
    // unregisters its class, whichever copy it is given) nor for a file that is not there;
    // only the registration naming the recorded path goes, its row moving down.
    const InventoryRow gone = Named(scan.rows, "Gone");
    TickOnly(scan.rows, {"Gone", "Copy", "Twin"});
    const RowsTaken unregistered = m_inventory.UnregisterChosen(scan.rows, lower);
    EXPECT_EQ(unregistered.Count(), 1u);
    EXPECT_EQ(Reasons(unregistered), (std::vector<std::pair<std::string, Refusal>>{
                                         {"Copy", Refusal::RegisteredElsewhere},
                                         {"Twin", Refusal::RegisteredElsewhere}}));
    EXPECT_EQ(lower.back().valueName, "Gone");
    // What is left shows: the other vendor's filter of the same file name.
    EXPECT_EQ(HealthText(lower.back()),
              "다른 위치에 등록됨: D:\\Vendor\\gone.ax (설치: C:\\Codecs\\gone.ax)");
    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_EQ(m_inventory.RemoveDeadRegistration(gone), RepairResult::NotOwn);
    const std::string category(kFilterCategoryPath);
    EXPECT_FALSE(m_registry.KeyExists(RegRoot::ClassesRoot, category + "\\{I1}"));
    EXPECT_FALSE(m_registry.KeyExists(RegRoot::ClassesRoot, "CLSID\\" + own));
    for (const char* kept : {"{I2}", "{I3}", "{I4}", "{I5}", "{I6}"})
        EXPECT_TRUE(m_registry.KeyExists(RegRoot::ClassesRoot, category + "\\" + kept)) << kept;
    EXPECT_TRUE(m_registry.KeyExists(RegRoot::ClassesRoot, "CLSID\\" + foreign));
    EXPECT_EQ(ReadMachine(kInstallKey, "Gone"), "C:\\Codecs\\gone.ax");
    EXPECT_EQ(ReadMachine(kInstallKey, "Copy"), "C:\\Codecs\\copy.ax");
    EXPECT_EQ(ValueNames(kCodecDelKey), (std::vector<std::string>{"Parked", "Lost"}));
    const std::string message = RefusalMessage(unregistered.refused);
    for (const char* named : {"Copy: 이 디코더는 D:\\Copy 폴더에서 등록되어", "Twin: 이 디코더는 D:\\Live 폴더"})
        EXPECT_NE(message.find(named), std::string::npos) << named << "\n" << message;

    // Register: a file that is gone is said so and left alone; the pack's own file mends a
    // registration whose file elsewhere is gone; registered, a row no longer shows the
    // state regsvr32 was started to mend.
    TickOnly(lower, {"Gone", "Deleted", "Lost", "Moved", "Parked"});
    const RowsTaken registered = m_inventory.RegisterChosen(lower, scan.rows);
    EXPECT_EQ(registered.Count(), 2u);
    std::vector<std::pair<std::string, Refusal>> fileGone;
    for (const char* name : {"Deleted", "Lost", "Gone"}) fileGone.emplace_back(name, Refusal::FileGone);
    EXPECT_EQ(Reasons(registered), fileGone);
    const std::string regsvr = "\"" + std::string(kRegsvr) + "\" /s \"";
    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{regsvr + "C:\\Codecs\\COPY.AX",
                                                          regsvr + "C:\\Codecs\\moved.ax"}));
    for (const char* name : {"Moved", "Parked"}) {
        EXPECT_EQ(Named(scan.rows, name).health, DecoderHealth::Healthy) << name;
        EXPECT_EQ(Named(scan.rows, name).registeredPath, "") << name;
    }
    for (const char* name : {"Gone", "Deleted", "Lost"}) EXPECT_TRUE(IsChosen(Named(lower, name))) << name;
    EXPECT_EQ(Named(lower, "Lost").health, DecoderHealth::FileMissing);
    EXPECT_EQ(ValueNames(kCodecDelKey), (std::vector<std::string>{"Lost"}));
}

// Between the scan and a press another installer may register the class elsewhere, bring a
// file back or take it away: the press acts on what it finds then, never on the scan's
// view, and shows the row as found.
TEST_F(FilterInventoryTest, APressReadsTheRegistrationsAndTheFileAgain)
{
    const std::string own = "{77777777-7777-7777-7777-777777777777}";
    const std::string serverKey = "CLSID\\" + own + "\\InprocServer32";
    const std::string instanceKey = std::string(kFilterCategoryPath) + "\\{I7}";
    const std::string path = "C:\\Codecs\\dead.ax";
    const struct {
        const char* what;
        std::string_view books;    // where the decoder is recorded, so which list shows it
        bool fileAtScan;
        std::function<void()> change;
        DecoderHealth healthAfter;
        Refusal why;
    } cases[] = {
        {"the file came back", kInstallKey, false,
         [&] { m_files.missing.clear(); },
         DecoderHealth::Healthy, Refusal::StateChanged},
        {"registered from another folder", kInstallKey, false,
         [&] { SetClassString(serverKey, "", "D:\\Other\\dead.ax"); },
         DecoderHealth::RegisteredElsewhere, Refusal::StateChanged},
        {"register with its own registration dead", kCodecDelKey, false,
         [] {}, DecoderHealth::FileMissing, Refusal::FileGone},
        {"register after the file went", kCodecDelKey, true,
         [&] { m_files.missing = {path}; },
         DecoderHealth::FileMissing, Refusal::StateChanged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_registry.DeleteTree(RegRoot::LocalMachine, kInstallKey);
        m_registry.DeleteTree(RegRoot::LocalMachine, kCodecDelKey);
        AddFilter("{I7}", "Dead", own, path);
        SetMachine(c.books, "Dead", path);
        m_files.missing.clear();
        if (!c.fileAtScan) m_files.missing = {path};
        const InstalledScan scan = m_inventory.PrepareInstalled();
        std::vector<InventoryRow> upper = scan.rows;
        std::vector<InventoryRow> lower = m_inventory.ScanRemoved();
        const bool fromUpper = c.books == kInstallKey;
        std::vector<InventoryRow>& from = fromUpper ? upper : lower;
        ASSERT_EQ(from.size(), 1u);
        from[0].checkMark = std::string(kChecked);
        c.change();
        const std::string serverAtPress = m_store.ReadString(RegRoot::ClassesRoot, serverKey, "");

        const RowsTaken taken = fromUpper ? m_inventory.UnregisterChosen(upper, lower)
                                          : m_inventory.RegisterChosen(lower, upper);

        EXPECT_EQ(taken.Count(), 0u);
        EXPECT_EQ(Reasons(taken),
                  (std::vector<std::pair<std::string, Refusal>>{{"Dead", c.why}}));
        ASSERT_EQ(from.size(), 1u);
        EXPECT_EQ(from[0].health, c.healthAfter);
        EXPECT_TRUE(IsChosen(from[0]));
        EXPECT_TRUE(m_launcher.lines.empty());
        EXPECT_TRUE(m_registry.KeyExists(RegRoot::ClassesRoot, instanceKey));
        EXPECT_EQ(m_store.ReadString(RegRoot::ClassesRoot, serverKey, ""), serverAtPress);
        EXPECT_EQ(ReadMachine(c.books, "Dead"), path);
    }

    // At the removal itself: a file back in the instant after the press read it stops it.
    m_registry.DeleteTree(RegRoot::LocalMachine, kCodecDelKey);
    SetMachine(kInstallKey, "Dead", path);
    AddFilter("{I7}", "Dead", own, path);
    m_files.missing = {path};
    const InventoryRow dead = m_inventory.PrepareInstalled().rows.at(0);
    m_files.missing.clear();
    EXPECT_EQ(m_inventory.RemoveDeadRegistration(dead), RepairResult::NotOwn);
    EXPECT_TRUE(m_registry.KeyExists(RegRoot::ClassesRoot, instanceKey));
}

TEST_F(FilterInventoryTest, InstalledScanCreatesNothingUnderClassesRoot)
{
    SetMachine(kInstallKey, "Xvid", "C:\\Codecs\\xvid.ax");
    EXPECT_TRUE(m_inventory.ScanInstalled().empty());  // no filter category at all
    EXPECT_FALSE(m_registry.KeyExists(RegRoot::ClassesRoot, "CLSID"));

    const std::string orphan = std::string(kFilterCategoryPath) + "\\{NO-CLSID}";
    SetClassString(orphan, "FriendlyName", "Broken filter");  // no CLSID value at all
    AddFilter("{A1}", "Dangling", "{C-GONE}", "C:\\gone.ax");
    m_registry.DeleteTree(RegRoot::ClassesRoot, "CLSID\\{C-GONE}");

    EXPECT_TRUE(m_inventory.PrepareInstalled().rows.empty());

    EXPECT_FALSE(m_registry.KeyExists(RegRoot::ClassesRoot, "CLSID\\ERROR"));
    EXPECT_FALSE(m_registry.KeyExists(RegRoot::ClassesRoot, "CLSID\\{C-GONE}"));
    std::vector<std::string> classes;
    m_registry.EnumSubkeyNames(RegRoot::ClassesRoot, "CLSID", KeyOpen::ExistingOnly, classes);
    EXPECT_EQ(classes, (std::vector<std::string>{"{083863F1-70DE-11d0-BD40-00A0C911CE86}"}));
}

TEST_F(FilterInventoryTest, InstalledScanReadsEachFilterRegistrationOnce)
{
    constexpr int kFilters = 40;
    for (int i = 0; i < kFilters; ++i) {
        const std::string id = std::to_string(i);
        AddFilter("{I" + id + "}", "Filter " + id, "{C" + id + "}", "C:\\f\\f" + id + ".ax");
    }
    for (std::string_view name : kDecoderNames) {
        SetMachine(kInstallKey, std::string(name), "C:\\f\\f3.ax");
        SetMachine(kCodecVersionKey, std::string(name), "(1)");
    }
    CountingRegistry counting(m_registry);
    RegistryStore store(counting);
    FilterInventory inventory(store, m_launcher, kRegsvr, m_files);

    EXPECT_EQ(inventory.ScanInstalled().size(), kDecoderNames.size());

    const RegistryCallCounts& counts = counting.Counts();
    EXPECT_EQ(counts.enumValueNames, 1u);
    EXPECT_EQ(counts.enumSubkeyNames, 1u);
    // Path and version per decoder; each filter's registration key and server key once,
    // below the category and CLSID keys.
    EXPECT_EQ(counts.queryValue, 2u * kDecoderNames.size());
    EXPECT_EQ(counts.batchKeyOpens, 2u + 2u * kFilters);
    EXPECT_EQ(counts.setValue + counts.deleteValue, 0u);
}

TEST_F(FilterInventoryTest, RefusedOrMissingCategoryScansNothingAndSetsNoFlag)
{
    SetMachine(kInstallKey, "Xvid", "C:\\Codecs\\xvid.ax");
    SetMachine(kCodecVersionKey, "Xvid", "(1.2)");

    const InstalledScan missing = m_inventory.PrepareInstalled();  // no category key yet
    EXPECT_EQ(missing.access, CategoryAccess::Refused);

    AddFilter("{A1}", "Xvid", "{C-XVID}", "C:\\Codecs\\xvid.ax");
    m_registry.DenyFullAccess(RegRoot::ClassesRoot, kFilterCategoryPath);
    const InstalledScan refused = m_inventory.PrepareInstalled();
    EXPECT_EQ(refused.access, CategoryAccess::Refused);
    EXPECT_TRUE(refused.rows.empty());
    EXPECT_FALSE(InstalledDecoders::IsInstalled(Decoder::Xvid));
}

TEST_F(FilterInventoryTest, RemovedScanListsCodecDelWithoutRegisteredTestOrFlags)
{
    SetMachine(kCodecDelKey, "0", "C:\\ignored.ax");
    SetMachine(kCodecDelKey, "Xvid", "C:\\Codecs\\xvid.ax");
    SetMachine(kCodecDelKey, "VSFilter", "C:\\Codecs\\vsfilter.dll");
    SetMachine(kCodecVersionKey, "Xvid", "(1.2)");

    EXPECT_EQ(m_inventory.ScanRemoved(),
              (std::vector<InventoryRow>{
                  Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax"),
                  // Without a version the row keeps its scanned name for its books.
                  Row("VSFilter", "C:\\Codecs\\vsfilter.dll"),
              }));
    EXPECT_FALSE(InstalledDecoders::IsInstalled(Decoder::Xvid));
}

TEST_F(FilterInventoryTest, UnregisterMovesChosenRowsLastFirstAndKeepsTheBooks)
{
    SetMachine(kInstallKey, "Xvid", "C:\\Codecs\\xvid.ax");
    SetMachine(kInstallKey, "FFDShow", "C:\\Codecs\\ffdshow.ax");
    SetMachine(kInstallKey, "Divx5", "C:\\Codecs\\divx.ax");
    std::vector<InventoryRow> upper = {
        Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax", "1"),
        Row("FFDShow (rev)", "C:\\Codecs\\ffdshow.ax", "0"),
        Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax", "1"),
    };
    std::vector<InventoryRow> lower = {Row("DivxG400 (2)", "C:\\g400.ax")};

    EXPECT_EQ(m_inventory.UnregisterChosen(upper, lower).Count(), 2u);

    EXPECT_EQ(upper, (std::vector<InventoryRow>{Row("FFDShow (rev)", "C:\\Codecs\\ffdshow.ax")}));
    EXPECT_EQ(lower, (std::vector<InventoryRow>{
                         Row("DivxG400 (2)", "C:\\g400.ax"),
                         Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax"),
                         Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax"),
                     }));
    const std::string regsvr = "\"" + std::string(kRegsvr) + "\"";
    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{
                                    regsvr + " /s /u \"C:\\Codecs\\xvid.ax",
                                    regsvr + " /s /u \"C:\\Codecs\\divx.ax",
                                }));
    EXPECT_EQ(ValueNames(kInstallKey), (std::vector<std::string>{"FFDShow"}));
    EXPECT_EQ(ReadMachine(kCodecDelKey, "Xvid"), "C:\\Codecs\\xvid.ax");
    EXPECT_EQ(ReadMachine(kCodecDelKey, "Divx5"), "C:\\Codecs\\divx.ax");
}

TEST_F(FilterInventoryTest, DecodersWithoutAVersionKeepTheirOwnBooksThroughARoundTrip)
{
    SetMachine(kInstallKey, "VSFilter", "C:\\Codecs\\vsfilter.dll");
    SetMachine(kInstallKey, "DivxG400", "C:\\Codecs\\g400.ax");
    // Nor do a version without "(" or a name holding one change whose books a row keeps.
    SetMachine(kInstallKey, "Odd(Name", "C:\\Codecs\\odd.ax");
    SetMachine(kCodecVersionKey, "Odd(Name", "1.0");
    AddFilter("{A1}", "VSFilter", "{C-VS}", "C:\\Codecs\\vsfilter.dll");
    AddFilter("{A2}", "G400", "{C-G4}", "C:\\Codecs\\g400.ax");
    AddFilter("{A3}", "Odd", "{C-ODD}", "C:\\Codecs\\odd.ax");
    std::vector<InventoryRow> upper = m_inventory.ScanInstalled();
    ASSERT_EQ(upper.size(), 3u);
    for (InventoryRow& row : upper) row.checkMark = "1";
    std::vector<InventoryRow> lower;

    m_inventory.UnregisterChosen(upper, lower);

    // Two values, not one unnamed value holding whichever path came last.
    EXPECT_EQ(ReadMachine(kCodecDelKey, "VSFilter"), "C:\\Codecs\\vsfilter.dll");
    EXPECT_EQ(ReadMachine(kCodecDelKey, "DivxG400"), "C:\\Codecs\\g400.ax");
    EXPECT_TRUE(ValueNames(kInstallKey).empty());
    std::vector<InventoryRow> rescanned = m_inventory.ScanRemoved();
    std::sort(rescanned.begin(), rescanned.end(),
              [](const auto& a, const auto& b) { return a.displayText < b.displayText; });
    EXPECT_EQ(rescanned, (std::vector<InventoryRow>{
                             Row("DivxG400", "C:\\Codecs\\g400.ax"),
                             {"Odd(Name 1.0", "C:\\Codecs\\odd.ax", "0", "Odd(Name"},
                             Row("VSFilter", "C:\\Codecs\\vsfilter.dll"),
                         }));
}

TEST_F(FilterInventoryTest, RegisterMovesTheRowBackAndRestoresInstall)
{
    SetMachine(kCodecDelKey, "Xvid", "C:\\Codecs\\xvid.ax");
    SetMachine(kCodecDelKey, "Divx5", "C:\\Codecs\\divx.ax");
    std::vector<InventoryRow> lower = {
        Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax", "0"),
        Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax", "1"),
    };
    std::vector<InventoryRow> upper;

    EXPECT_EQ(m_inventory.RegisterChosen(lower, upper).Count(), 1u);

    EXPECT_EQ(upper, (std::vector<InventoryRow>{Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax")}));
    EXPECT_EQ(lower, (std::vector<InventoryRow>{Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax")}));
    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{"\"" + std::string(kRegsvr) +
                                                          "\" /s \"C:\\Codecs\\xvid.ax"}));
    EXPECT_EQ(ReadMachine(kInstallKey, "Xvid"), "C:\\Codecs\\xvid.ax");
    EXPECT_EQ(ValueNames(kCodecDelKey), (std::vector<std::string>{"Divx5"}));
}

TEST_F(FilterInventoryTest, ARowThatCannotBeMovedStaysTickedAndTheBooksKeepItsRecord)
{
    // A path too long to read comes to the list as the placeholder; moving it would put
    // "ERROR" in place of the stored path for good.
    const std::string longPath = "C:\\" + std::string(1100, 'x') + ".ax";
    SetMachine(kCodecDelKey, "Xvid", longPath);
    SetMachine(kCodecDelKey, "Divx5", "C:\\Codecs\\divx.ax");
    AddFilter("{A1}", "DivX", "{C-DIVX}", "C:\\Codecs\\divx.ax");  // registered once moved up
    std::vector<InventoryRow> lower = m_inventory.ScanRemoved();
    ASSERT_EQ(lower.size(), 2u);
    for (InventoryRow& row : lower) row.checkMark = "1";
    const bool xvidFirst = lower[0].valueName == "Xvid";
    std::vector<InventoryRow> upper;

    const RowsTaken taken = m_inventory.RegisterChosen(lower, upper);

    EXPECT_EQ(taken.taken, (std::vector<bool>{!xvidFirst, xvidFirst}));
    EXPECT_EQ(Reasons(taken), (std::vector<std::pair<std::string, Refusal>>{
                                  {"Xvid", Refusal::PathUnreadable}}));
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_EQ(lower[0].valueName, "Xvid");
    EXPECT_EQ(lower[0].checkMark, "1");
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_EQ(upper[0].valueName, "Divx5");
    EXPECT_EQ(upper[0].path, "C:\\Codecs\\divx.ax");
    EXPECT_EQ(upper[0].checkMark, "0");
    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{"\"" + std::string(kRegsvr) +
                                                          "\" /s \"C:\\Codecs\\divx.ax"}));
    std::string stored(4000, '\0');
    std::uint32_t size = static_cast<std::uint32_t>(stored.size());
    ASSERT_EQ(m_registry.QueryValue(RegRoot::LocalMachine, kCodecDelKey, KeyOpen::ExistingOnly,
                                    "Xvid", stored.data(), size, nullptr),
              RegStatus::Ok);
    EXPECT_EQ(size, (longPath.size() + 1) * 2);  // the whole path, untouched
    EXPECT_EQ(ValueNames(kInstallKey), (std::vector<std::string>{"Divx5"}));

    // A standard user: the new record is refused, so nothing starts and nothing moves.
    m_registry.RefuseWrites(RegRoot::LocalMachine);
    m_launcher.lines.clear();
    upper[0].checkMark = "1";
    const auto upperBefore = upper;
    const RowsTaken refused = m_inventory.UnregisterChosen(upper, lower);
    EXPECT_EQ(refused.Count(), 0u);
    EXPECT_EQ(Reasons(refused), (std::vector<std::pair<std::string, Refusal>>{
                                    {"Divx5", Refusal::BooksRefused}}));
    EXPECT_EQ(upper, upperBefore);
    EXPECT_EQ(lower.size(), 1u);
    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_EQ(ReadMachine(kInstallKey, "Divx5"), "C:\\Codecs\\divx.ax");
}

TEST_F(FilterInventoryTest, ActionsWithoutChosenRowsChangeNothing)
{
    SetMachine(kInstallKey, "Xvid", "C:\\Codecs\\xvid.ax");
    SetMachine(kUnInstallKey, "Xvid", "C:\\Codecs\\uninst.exe");
    std::vector<InventoryRow> upper = {Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax")};
    std::vector<InventoryRow> lower = {Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax")};
    const auto upperBefore = upper;
    const auto lowerBefore = lower;

    EXPECT_EQ(m_inventory.UnregisterChosen(upper, lower).Count(), 0u);
    EXPECT_EQ(m_inventory.RegisterChosen(lower, upper).Count(), 0u);
    EXPECT_EQ(m_inventory.UninstallChosen(lower).Count(), 0u);

    EXPECT_EQ(upper, upperBefore);
    EXPECT_EQ(lower, lowerBefore);
    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_TRUE(ValueNames(kCodecDelKey).empty());
}

TEST_F(FilterInventoryTest, UninstallWithAnEmptyKeyStartsNothingAndSaysWhy)
{
    std::vector<InventoryRow> lower = {Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax", "1")};
    const auto before = lower;

    const RowsTaken taken = m_inventory.UninstallChosen(lower);
    EXPECT_EQ(taken.Count(), 0u);
    EXPECT_EQ(Reasons(taken), (std::vector<std::pair<std::string, Refusal>>{
                                  {"Xvid", Refusal::NoUninstaller}}));

    EXPECT_EQ(lower, before);
    EXPECT_TRUE(m_launcher.lines.empty());
}

TEST_F(FilterInventoryTest, UninstallStartsEachKnownUninstallerAndDropsOnlyThoseRows)
{
    SetMachine(kUnInstallKey, "Xvid", "\"C:\\Program Files\\Xvid\\uninstall.exe\" /S");
    SetMachine(kUnInstallKey, "Divx5", "C:\\DivX\\uninst.exe");
    SetMachine(kCodecDelKey, "Xvid", "C:\\Codecs\\xvid.ax");
    std::vector<InventoryRow> lower = {
        Row("Divx5 (5.2)", "C:\\Codecs\\divx.ax", "1"),
        Row("FFDShow (rev)", "C:\\Codecs\\ffdshow.ax", "1"),  // no uninstaller recorded
        Row("VSFilter (2)", "C:\\Codecs\\vsfilter.dll", "0"),
        Row("Xvid (1.2)", "C:\\Codecs\\xvid.ax", "1"),
    };

    const RowsTaken taken = m_inventory.UninstallChosen(lower);
    EXPECT_EQ(taken.Count(), 2u);

    // The missing one is not started as the command "ERROR", and its row stays, ticked.
    EXPECT_EQ(lower, (std::vector<InventoryRow>{Row("FFDShow (rev)", "C:\\Codecs\\ffdshow.ax", "1"),
                                                Row("VSFilter (2)", "C:\\Codecs\\vsfilter.dll")}));
    EXPECT_EQ(Reasons(taken), (std::vector<std::pair<std::string, Refusal>>{
                                  {"FFDShow", Refusal::NoUninstaller}}));
    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{
                                    "\"C:\\Program Files\\Xvid\\uninstall.exe\" /S",
                                    "C:\\DivX\\uninst.exe",
                                }));
    EXPECT_EQ(ReadMachine(kCodecDelKey, "Xvid"), "C:\\Codecs\\xvid.ax");
}

TEST_F(FilterInventoryTest, LongTextsSurviveAScanAndARoundTripWhole)
{
    const std::string version = "(" + std::string(600, 'v') + ")";
    const std::string path = "C:\\" + std::string(400, 'p') + "\\long.ax";
    AddFilter("{A1}", "Long", "{C-LONG}", path);
    SetMachine(kInstallKey, "Xvid", path);
    SetMachine(kCodecVersionKey, "Xvid", version);

    std::vector<InventoryRow> upper = m_inventory.ScanInstalled();
    ASSERT_EQ(upper, (std::vector<InventoryRow>{Row("Xvid " + version, path)}));

    std::vector<InventoryRow> lower;
    upper[0].checkMark = "1";
    m_inventory.UnregisterChosen(upper, lower);
    EXPECT_EQ(ReadMachine(kCodecDelKey, "Xvid"), path);
    EXPECT_EQ(m_inventory.ScanRemoved(), lower);
    EXPECT_EQ(m_launcher.lines.back(), "\"" + std::string(kRegsvr) + "\" /s /u \"" + path);
}

TEST_F(FilterInventoryTest, APathWithAQuoteIsNotHandedToRegsvr32AndItsRowStays)
{
    const std::string path = "C:\\a.ax\" /i:evil \"C:\\b.ax";
    SetMachine(kInstallKey, "Xvid", path);
    std::vector<InventoryRow> upper = {Row("Xvid (1.2)", path, "1")};
    const auto upperBefore = upper;
    std::vector<InventoryRow> lower;

    const RowsTaken taken = m_inventory.UnregisterChosen(upper, lower);
    EXPECT_EQ(taken.Count(), 0u);
    EXPECT_EQ(Reasons(taken), (std::vector<std::pair<std::string, Refusal>>{
                                  {"Xvid", Refusal::PathWithQuote}}));

    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_EQ(upper, upperBefore);  // still there, still ticked
    EXPECT_TRUE(lower.empty());
    EXPECT_EQ(ReadMachine(kInstallKey, "Xvid"), path);
    EXPECT_TRUE(ValueNames(kCodecDelKey).empty());
}

}  // namespace
}  // namespace zelora
