// The signing tool's check: everything the updater would refuse or pass over in a manifest
// is named with its line, and a manifest the updater takes whole has no problem.
#include "updater/ManifestCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace zelora::updater {
namespace {

constexpr std::uint32_t kToday = 20260615;
const std::string kHash(64, 'a');

// A manifest the updater takes whole; `program` and `xvid` are the two sections' extra lines.
std::string Manifest(const std::string& program = "", const std::string& xvid = "",
                     const std::string& url = "http://dl.example/codecs/xvid.exe")
{
    return "[ZELORADATE]\r\nSERIAL=7\r\nEXPIRES=20260701\r\nVER=20051013\r\n" + program +
           "[Xvid]\r\nVER=1.1\r\nURL=" + url + "\r\nSHA256=" + kHash + "\r\nSIZE=4096\r\n" + xvid;
}

TEST(ManifestCheck, EverythingTheUpdaterWouldNotTakeIsNamed)
{
    EXPECT_TRUE(CheckManifest(Manifest(), kToday).empty());
    EXPECT_TRUE(CheckManifest("\xEF\xBB\xBF; comment\n\n" + Manifest("URL=https://www.example/new\r\n"), kToday).empty());

    struct Case {
        const char* what;
        std::string text;
        std::size_t line;       // of the first problem (0: the whole manifest)
        const char* mentions;   // part of its text
    };
    const std::string longUrl = "http://dl.example/" + std::string(2048, 'x') + "/xvid.exe";
    const Case cases[] = {
        {"19-digit serial", Manifest().replace(Manifest().find("SERIAL=7") + 7, 1, "1000000000000000000"), 1, "SERIAL"},
        {"month 13", Manifest().replace(Manifest().find("20260701"), 8, "20261301"), 1, "EXPIRES"},
        {"expired", Manifest().replace(Manifest().find("20260701"), 8, "20260614"), 1, "EXPIRES is past"},
        {"endless version", Manifest().replace(Manifest().find("20051013"), 8, "99999999999"), 1, "VER"},
        {"a page that is no address", Manifest("URL=javascript:x\r\n"), 1, "URL"},
        {"no program section", Manifest().substr(Manifest().find("[Xvid]")), 0, "no [ZELORADATE]"},
        {"version over 64", Manifest("", "").replace(Manifest().find("1.1"), 3, std::string(65, '1')), 5, "VER longer"},
        {"address over 2048", Manifest("", "", longUrl), 5, "URL longer"},
        {"refused file name", Manifest("", "", "http://dl.example/codecs/x%20y.exe"), 5, "file name"},
        {"a dot segment", Manifest("", "", "http://dl.example/a/%2E%2E/xvid.exe"), 5, "segments"},
        {"a script", Manifest("", "", "http://dl.example/run.cmd"), 5, ".exe or .msi"},
        {"63 hex digits", Manifest().replace(Manifest().find(kHash), 64, kHash.substr(1)), 5, "SHA256"},
        {"no size", Manifest().replace(Manifest().find("SIZE"), 4, "BYTES"), 5, "SIZE"},
        {"a key name with a no-break space", Manifest("", "SIZE\xC2\xA0=1\r\n"), 10, "no such key"},
        {"a repeated section", Manifest() + "[XVID]\r\nVER=9\r\n", 10, "again"},
        {"a repeated key", Manifest("VER=20991231\r\n"), 5, "ver again"},
        {"an unknown section", Manifest() + "[Xvid2]\r\n", 10, "no codec"},
        {"an unknown key", Manifest("NOTE=x\r\n"), 5, "no such key"},
        {"a stray line", "garbage\r\n" + Manifest(), 1, "neither"},
        {"over 64 KB", Manifest() + std::string(64 * 1024, ';'), 0, "bytes"},
    };
    for (const Case& c : cases) {
        const std::vector<ManifestProblem> problems = CheckManifest(c.text, kToday);
        ASSERT_FALSE(problems.empty()) << c.what;
        EXPECT_EQ(problems.front().line, c.line) << c.what << ": " << problems.front().text;
        EXPECT_NE(problems.front().text.find(c.mentions), std::string::npos) << c.what << ": " << problems.front().text;
    }
}

}  // namespace
}  // namespace zelora::updater
