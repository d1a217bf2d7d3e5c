// The updater's two decisions over the memory registry and a manifest held in memory.
#include "platform/registry/MemoryRegistry.h"
#include "support/MapManifest.h"
#include "updater/UpdateDecisions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelora::updater {
namespace {

constexpr const char* kSetup = "SOFTWARE\\Tarnwick\\Quellmark\\Setup";
constexpr const char* kHome = "http://www.zelora.example/";

class UpdaterDecisionsTest : public ::testing::Test {
protected:
    std::string StoredVersion() { return store.ReadString(RegRoot::CurrentUser, kSetup, "Zelora-ver"); }

    void Select(std::string_view category, std::string_view name, std::int32_t state)
    {
        store.WriteDword(RegRoot::LocalMachine,
                         "Software\\Tarnwick\\Quellmark\\CodecUpdate\\" + std::string(category),
                         name, state);
    }
    void Installed(std::string_view category, std::string_view name, std::string_view build)
    {
        store.WriteString(RegRoot::LocalMachine,
                          "SOFTWARE\\Tarnwick\\Quellmark\\CodecBuildNum\\" + std::string(category),
                          name, build);
    }
    void Offer(std::string_view name, std::string_view build)
    {
        std::string file(name);  // "Mpeg 1/2" is fetched as "Mpeg-1-2.exe"
        for (char& c : file)
            if (c == ' ' || c == '/') c = '-';
        manifest.Set(name, "VER", build).Set(name, "URL", "http://dl.example/" + file + ".exe");
        manifest.Set(name, "SHA256", std::string(64, 'a')).Set(name, "SIZE", "1000");
    }
    std::vector<std::string> Names(const std::vector<CodecUpdate>& updates)
    {
        std::vector<std::string> names;
        for (const CodecUpdate& update : updates) names.push_back(update.name);
        return names;
    }

    MemoryRegistry registry;
    RegistryStore store{registry};
    MapManifest manifest;
};

TEST_F(UpdaterDecisionsTest, ManifestCountsOnlyWithAnEightDigitDate)
{
    struct Case {
        const char* ver;  // nullptr: no ZELORADATE section at all
        bool usable;
    };
    const Case cases[] = {
        {nullptr, false}, {"", false}, {"abc", false}, {"<html>", false},
        {"20051013", true}, {"20040229", true}, {" 20060101", false}, {"20060101b", false},
        {"99999999999", false}, {"2006010", false}, {"20061301", false}, {"20060229", false},
        {"+2006010", false}, {"18991231", false},
    };
    for (const Case& c : cases) {
        MapManifest m;
        m.Set("Xvid", "VER", "1.2");
        if (c.ver) m.Set("zeloradate", "ver", c.ver);
        EXPECT_EQ(IsUsableManifest(m), c.usable) << (c.ver ? c.ver : "(none)");
    }
}

TEST_F(UpdaterDecisionsTest, MainProgramAnnouncedOnceWhenNewer)
{
    struct Case {
        const char* user;     // the user's record; nullptr: none yet
        const char* machine;  // what earlier releases recorded machine-wide; nullptr: none
        const char* ver;
        bool announced;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"20051013", nullptr, "20051013", false, "20051013"},
        {nullptr, nullptr, "20051013", false, "20051013"},  // its own version is not news
        {nullptr, nullptr, "20060101", true, "20060101"},
        {"NULL", nullptr, "20060101", true, "20060101"},
        {"20070101", nullptr, "20060101", false, "20070101"},
        {nullptr, "20070101", "20060101", false, "20070101"},  // the machine's record starts it
        {"20050101", "20070101", "20060101", true, "20060101"},  // the user's record wins
        // A record poisoned with an endless number no longer silences releases.
        {nullptr, "99999999999", "20060101", true, "20060101"},
        {"99999999999999999999", nullptr, "20060101", true, "20060101"},
    };
    for (const Case& c : cases) {
        registry.DeleteTree(RegRoot::CurrentUser, kSetup);
        registry.DeleteTree(RegRoot::LocalMachine, kSetup);
        if (c.user) store.WriteString(RegRoot::CurrentUser, kSetup, "Zelora-ver", c.user);
        if (c.machine) store.WriteString(RegRoot::LocalMachine, kSetup, "Zelora-ver", c.machine);
        MapManifest m;
        m.Set("ZELORADATE", "VER", c.ver);
        const auto notice = CheckMainProgram(store, m, kHome);
        EXPECT_EQ(notice.has_value(), c.announced) << c.ver;
        if (notice) {
            EXPECT_EQ(notice->version, c.ver);
        }
        EXPECT_EQ(StoredVersion(), c.storedAfter) << c.ver;
        EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kSetup, "Zelora-ver"), c.machine ? c.machine : "ERROR");
        EXPECT_FALSE(CheckMainProgram(store, m, kHome)) << "announced twice: " << c.ver;
    }
}

TEST_F(UpdaterDecisionsTest, AnnouncedPageMustBeAPlainWebAddress)
{
    struct Case {
        const char* url;  // nullptr: no URL key
        const char* opened;
    };
    const Case cases[] = {
        {"http://www.zelora.example/new.html", "http://www.zelora.example/new.html"},
        {"HTTPS://zelora.example/a?b=c", "HTTPS://zelora.example/a?b=c"},
        {nullptr, kHome},
        {"", kHome},
        {"file:///C:/Windows/system32/calc.exe", kHome},
        {"http://x.example/\" -new calc", kHome},
        {"http://x.example/a b", kHome},
        {"javascript:alert(1)", kHome},
    };
    for (const Case& c : cases) {
        registry.DeleteTree(RegRoot::CurrentUser, kSetup);
        MapManifest m;
        m.Set("ZELORADATE", "VER", "20990101");
        if (c.url) m.Set("ZELORADATE", "URL", c.url);
        const auto notice = CheckMainProgram(store, m, kHome);
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->pageUrl, c.opened) << (c.url ? c.url : "(none)");
    }
    EXPECT_EQ(NewVersionText("20990101"),
              "Zelora 20990101 최신 버젼이 나왔습니다. 확인을 누르시면 홈페이지로 접속합니다.");
}

TEST_F(UpdaterDecisionsTest, EverySelectedCodecInDownloadOrder)
{
    const char* const categories[] = {"video", "audio", "caption"};
    const std::vector<std::vector<const char*>> names = {
        {"FFDShow", "Divx5", "Xvid", "Mpeg Splitter", "Mpeg 1/2", "Matroska", "Real Media", "h.264"},
        {"AC3filter", "Korrins DTS", "LAME MP3", "OGG Vorbis", "CoreAAC", "MMSwitch"},
        {"VSFilter", "DivxG400"}};
    for (std::size_t c = 0; c < 3; ++c) {
        for (const char* name : names[c]) {
            Select(categories[c], name, 1);
            Offer(name, "2.0");
        }
    }
    const std::vector<CodecUpdate> updates = CollectCodecUpdates(store, manifest);
    const std::vector<std::string> expected = {
        "h.264", "Real Media", "Matroska", "Mpeg 1/2", "Mpeg Splitter", "Xvid", "Divx5", "FFDShow",
        "MMSwitch", "CoreAAC", "OGG Vorbis", "LAME MP3", "Korrins DTS", "AC3filter",
        "DivxG400", "VSFilter"};
    EXPECT_EQ(Names(updates), expected);
    EXPECT_EQ(updates.front().category, "video");
    EXPECT_EQ(updates.front().url, "http://dl.example/h.264.exe");
    EXPECT_EQ(updates.back().category, "caption");

    const std::vector<std::string> listed = Names(ListOrder(updates));
    EXPECT_EQ(listed.front(), "VSFilter");
    EXPECT_EQ(listed[2], "AC3filter");
    EXPECT_EQ(listed.back(), "h.264");
}

TEST_F(UpdaterDecisionsTest, OfferedOnlyWhenSelectedDifferentAndComplete)
{
    struct Case {
        const char* what;
        std::int32_t selection;  // MissingDword: no value
        const char* installed;   // nullptr: no recorded build
        const char* ver;         // nullptr: no section
        std::string url;
        const char* sha;         // nullptr: no SHA256 key
        bool offered;
        const char* size = "4096";  // nullptr: no SIZE key
    };
    const std::string ok = "http://dl.example/xvid.exe";
    const std::string hash(64, 'a');
    const char* h = hash.c_str();
    const std::string hash63 = hash.substr(1);
    const std::string hash65 = hash + "a";
    const std::string longest = "http://dl.example/" + std::string(2048 - 27, 'x') + "/xvid.exe";
    const Case cases[] = {
        {"newer build", 1, "1.1", "1.2", ok, h, true},
        {"same build", 1, "1.2", "1.2", ok, h, false},
        {"texts compared exactly", 1, "1.0", "1.00", ok, h, true},
        {"never recorded", 1, nullptr, "1.2", ok, h, true},
        {"not selected", 0, "1.1", "1.2", ok, h, false},
        {"selection missing", RegistryStore::MissingDword, "1.1", "1.2", ok, h, false},
        {"selection not 1", 2, "1.1", "1.2", ok, h, false},
        {"section missing", 1, "1.1", nullptr, ok, h, false},
        {"empty build", 1, "1.1", "", ok, h, false},
        {"empty address", 1, "1.1", "1.2", "", h, false},
        {"address over 2048", 1, "1.1", "1.2", longest + "x", h, false},
        {"address of 2048", 1, "1.1", "1.2", longest, h, true},
        {"build over 64", 1, "1.1", "1234567890123456789012345678901234567890123456789012345678901234.", ok, h, false},
        {"build of 64", 1, "1.1", "1234567890123456789012345678901234567890123456789012345678901234", ok, h, true},
        {"no hash", 1, "1.1", "1.2", ok, nullptr, false},
        {"malformed hash", 1, "1.1", "1.2", ok, "abc", false},
        {"hash of 63 digits", 1, "1.1", "1.2", ok, hash63.c_str(), false},
        {"hash of 65 digits", 1, "1.1", "1.2", ok, hash65.c_str(), false},
        {"a dot segment in the address", 1, "1.1", "1.2", "http://dl.example/a/%2E%2e/xvid.exe", h, false},
        {"a backslash in the address", 1, "1.1", "1.2", "http://dl.example/a\\xvid.exe", h, false},
        {"no size", 1, "1.1", "1.2", ok, h, false, nullptr},
        {"size zero", 1, "1.1", "1.2", ok, h, false, "0"},
        {"size with a sign", 1, "1.1", "1.2", ok, h, false, "+4096"},
        {"size over 512 MB", 1, "1.1", "1.2", ok, h, false, "536870913"},
        {"size of 512 MB", 1, "1.1", "1.2", ok, h, true, "536870912"},
        {"a package", 1, "1.1", "1.2", "http://dl.example/xvid.MSI", h, true},
        {"a script", 1, "1.1", "1.2", "http://dl.example/run.cmd", h, false},
        {"an HTML application", 1, "1.1", "1.2", "http://dl.example/setup.hta", h, false},
        {"a name that is only an extension", 1, "1.1", "1.2", "http://dl.example/.exe", h, false},
        {"an unsafe name", 1, "1.1", "1.2", "http://dl.example/..%5cx.exe", h, false},
    };
    for (const Case& c : cases) {
        registry.DeleteTree(RegRoot::LocalMachine, "SOFTWARE\\Tarnwick");
        MapManifest m;
        m.Set("ZELORADATE", "VER", "20051013");
        if (c.selection != RegistryStore::MissingDword) Select("video", "Xvid", c.selection);
        if (c.installed) Installed("video", "Xvid", c.installed);
        if (c.ver) m.Set("xvid", "ver", c.ver).Set("XVID", "url", c.url);
        if (c.sha) m.Set("Xvid", "SHA256", c.sha);
        if (c.size) m.Set("Xvid", "SIZE", c.size);
        const std::vector<CodecUpdate> updates = CollectCodecUpdates(store, m);
        EXPECT_EQ(updates.size(), c.offered ? 1u : 0u) << c.what;
    }
}

TEST_F(UpdaterDecisionsTest, SelectionNamesAndHashesMatchWithoutRegardToCase)
{
    // The Codec Update page spells it "AC3Filter", the manifest and updater "AC3filter".
    Select("audio", "AC3Filter", 1);
    Select("audio", "CoreAAC", 1);
    Offer("AC3filter", "0.9");
    Offer("CoreAAC", "1.5");
    manifest.Set("AC3filter", "SHA256", std::string(64, 'C'));
    const std::vector<CodecUpdate> updates = CollectCodecUpdates(store, manifest);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[1].sha256, std::string(64, 'c'));
    EXPECT_EQ(updates[1].size, 1000u);
    EXPECT_EQ(updates[1].version, "0.9");

    // The offer names each codec with its new build, the rest counted.
    EXPECT_EQ(OfferText(updates, 2), "설치할 코덱 (새 빌드): CoreAAC 1.5, AC3filter 0.9");
    EXPECT_EQ(OfferText(updates, 1), "설치할 코덱 (새 빌드): CoreAAC 1.5 외 1개");
}

TEST(UpdaterRecords, OnlyTheUsersRecordsAreWritten)
{
    // As the updater opens the registry: machine-wide keys are read, never created.
    MemoryRegistry registry;
    RegistryStore store(registry, RegistryStore::ReadKeys::ExistingOnly);
    MapManifest m;
    m.Set("ZELORADATE", "VER", "20991231").Set("Xvid", "VER", "1.1");
    ASSERT_TRUE(CheckMainProgram(store, m, kHome));
    EXPECT_TRUE(CollectCodecUpdates(store, m).empty());
    RecordAccepted(store, 12, std::string(64, 'b'));
    RecordAccepted(store, 9, std::string(64, 'c'));  // never lowered
    std::vector<std::string> machineKeys;
    registry.EnumSubkeyNames(RegRoot::LocalMachine, "SOFTWARE", KeyOpen::ExistingOnly, machineKeys);
    EXPECT_TRUE(machineKeys.empty());
    EXPECT_EQ(ReadAccepted(store).serial, 12u);
    EXPECT_EQ(ReadAccepted(store).sha256, std::string(64, 'b'));
    EXPECT_EQ(store.ReadString(RegRoot::CurrentUser, kSetup, "Zelora-ver"), "20991231");
}

}  // namespace
}  // namespace zelora::updater
