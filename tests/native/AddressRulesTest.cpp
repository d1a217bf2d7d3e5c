// What the updater accepts from a manifest's addresses and names before it writes or starts
// anything.
#include "updater/AddressRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelora::updater {
namespace {

TEST(UpdaterRules, LocalFileNameIsTheSafeLastSegment)
{
    struct Case {
        std::string url;
        std::optional<std::string> name;  // nothing: refused
    };
    const Case cases[] = {
        {"http://dl.example/codecs/xvid-1.2_setup.exe", "xvid-1.2_setup.exe"},
        {"http://dl.example/codecs/setup.exe?build=3&x=/y", "setup.exe"},
        {"http://dl.example/setup.exe#part/2", "setup.exe"},
        {"http://dl.example/codecs/", std::nullopt},
        {"http://dl.example", std::nullopt},
        {"setup.exe", std::nullopt},
        {"http://dl.example/..\\..\\Windows\\evil.exe", std::nullopt},
        {"http://dl.example/..%5c..%5cevil.exe", std::nullopt},
        {"http://dl.example/C:evil.exe", std::nullopt},
        {"http://dl.example/a/..", std::nullopt},
        {"http://dl.example/.hidden.exe", std::nullopt},
        {"http://dl.example/setup.exe.", std::nullopt},
        {"http://dl.example/CON.exe", std::nullopt},
        {"http://dl.example/lpt1", std::nullopt},
        {"http://dl.example/com10.exe", "com10.exe"},
        {"http://dl.example/console.exe", "console.exe"},
        {"http://dl.example/" + std::string(200, 'a') + ".exe", std::nullopt},
        {"http://dl.example/" + std::string(60, 'a') + ".exe", std::string(60, 'a') + ".exe"},
        {"http://dl.example/\xEC\xBD\x94\xEB\x8D\xB1.exe", std::nullopt},
        {"http://dl.example/set up.exe", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto name = LocalFileName(c.url);
        EXPECT_EQ(name, c.name) << c.url;
    }
}

TEST(UpdaterRules, TwoRowsNeverShareAFile)
{
    LocalNames names;
    EXPECT_EQ(names.Claim("http://a.example/setup.exe").value_or(""), "setup.exe");
    EXPECT_EQ(names.Claim("http://b.example/x/SETUP.exe").value_or(""), "SETUP-2.exe");
    EXPECT_EQ(names.Claim("http://c.example/setup.exe?v=2").value_or(""), "setup-3.exe");
    EXPECT_EQ(names.Claim("http://c.example/setup-2.exe").value_or(""), "setup-2-2.exe");
    EXPECT_EQ(names.Claim("http://c.example/README").value_or(""), "README");
    EXPECT_EQ(names.Claim("http://c.example/readme").value_or(""), "readme-2");
    EXPECT_FALSE(names.Claim("http://c.example/"));

    // A numbered name keeps to the length rule: the stem gives way, the extension stays.
    const std::string longest = std::string(60, 'a') + ".exe";
    EXPECT_EQ(names.Claim("http://d.example/" + longest).value_or(""), longest);
    EXPECT_EQ(names.Claim("http://e.example/" + longest).value_or(""), std::string(58, 'a') + "-2.exe");
    const std::string allExtension = "a." + std::string(62, 'x');
    EXPECT_TRUE(names.Claim("http://d.example/" + allExtension));
    EXPECT_FALSE(names.Claim("http://e.example/" + allExtension));
}

TEST(UpdaterRules, WebAddressesAndTheProgramPath)
{
    EXPECT_TRUE(IsDownloadAddress("http://dl.example/a.exe"));
    EXPECT_TRUE(IsDownloadAddress("https://dl.example:8080/a.exe?x=1"));
    EXPECT_FALSE(IsDownloadAddress("ftp://dl.example/a.exe"));
    EXPECT_FALSE(IsDownloadAddress("http:///a.exe"));
    EXPECT_FALSE(IsDownloadAddress("http://dl.example/a\tb.exe"));
    // The internet layer folds these into the path it fetches: refused, in every spelling.
    for (const char* folded : {"http://dl.example/a\\b.exe", "http://dl.example\\a.exe", "http://dl.example/a%5Cb.exe",
                               "http://dl.example/x/../a.exe", "http://dl.example/./a.exe", "http://dl.example/x/..",
                               "http://dl.example/x/%2e%2E/a.exe", "http://dl.example/x/.%2e/a.exe",
                               "https://dl.example/%2E/a.exe"})
        EXPECT_FALSE(IsDownloadAddress(folded)) << folded;
    for (const char* plain : {"http://dl.example/a..b/c.exe", "http://dl.example/.x/a.exe",
                              "http://dl.example/a.exe?p=../x", "http://dl.example/a.exe#.."})
        EXPECT_TRUE(IsDownloadAddress(plain)) << plain;
    EXPECT_FALSE(IsOpenableWebAddress("http://x.example/'onload"));
    EXPECT_FALSE(IsOpenableWebAddress("C:\\Windows\\notepad.exe"));

    struct Case {
        const char* dir;
        const char* program;  // nullptr: refused
    };
    const Case cases[] = {
        {"C:\\Program Files\\Zelora", "C:\\Program Files\\Zelora\\Zelora.exe"},
        {"d:\\Zelora\\", "d:\\Zelora\\Zelora.exe"},
        {"\\\\server\\share\\Zelora", "\\\\server\\share\\Zelora\\Zelora.exe"},
        {"ERROR", nullptr},
        {"", nullptr},
        {"Zelora", nullptr},
        {"..\\Zelora", nullptr},
        {"\\Zelora", nullptr},
        {"C:Zelora", nullptr},
        {"C:\\a\" \"b", nullptr},
    };
    for (const Case& c : cases) {
        const auto program = ZeloraProgramPath(c.dir);
        if (c.program) EXPECT_EQ(program.value_or("(refused)"), c.program) << c.dir;
        else EXPECT_FALSE(program) << c.dir;
    }
}

}  // namespace
}  // namespace zelora::updater
