// What makes a signed manifest current, the signature file's form, the redirect rule and
// the bounds of a transfer.
#include "support/DerEncoding.h"
#include "updater/AddressRules.h"
#include "updater/DerSignature.h"
#include "updater/ManifestRules.h"
#include "updater/ManifestText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelora::updater {
namespace {

using testsupport::DerFromRawSignature;

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(ManifestRules, SignatureFileIsOneStrictDerSequence)
{
    std::uint8_t rs[64];
    for (int i = 0; i < 64; ++i) rs[i] = static_cast<std::uint8_t>(i * 7 + 1);
    rs[0] = 0x80;   // r needs a leading zero to stay positive
    rs[32] = 0x00;  // s is shorter than 32 bytes
    rs[33] = 0x05;
    const std::string good = DerFromRawSignature(rs);
    const auto parsed = P256SignatureFromDer(Bytes(good));
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(std::equal(parsed->begin(), parsed->end(), rs));

    const std::string r = good.substr(2, 2 + 33);  // INTEGER r with its zero
    const std::string s = good.substr(2 + 35);
    struct Case {
        const char* what;
        std::string der;
    };
    const Case bad[] = {
        {"empty", ""},
        {"something after", good + std::string(1, '\0')},
        {"cut short", good.substr(0, good.size() - 1)},
        {"not a sequence", "\x31" + good.substr(1)},
        {"length too long", "\x30" + std::string(1, static_cast<char>(good.size() - 1)) + good.substr(2)},
        {"long-form length", std::string("\x30\x81") + static_cast<char>(good.size() - 2) + good.substr(2)},
        {"one integer", std::string("\x30") + static_cast<char>(r.size()) + r},
        {"three integers", std::string("\x30") + static_cast<char>(r.size() * 2 + s.size()) + r + r + s},
        {"negative", std::string("\x30\x06\x02\x01\x80\x02\x01\x01")},
        {"zero", std::string("\x30\x06\x02\x01\x00\x02\x01\x01", 8)},
        {"padded needlessly", std::string("\x30\x07\x02\x02\x00\x01\x02\x01\x01", 9)},
        {"empty integer", std::string("\x30\x05\x02\x00\x02\x01\x01", 7)},
        {"34-byte integer", std::string("\x30\x27\x02\x22\x00\x80", 6) + std::string(32, '\x01') + "\x02\x01\x01"},
        {"33-byte integer without its zero", "\x30\x26\x02\x21" + std::string(33, '\x01') + "\x02\x01\x01"},
        {"ending in a lone integer tag", std::string("\x30\x04\x02\x01\x01\x02")},
        {"raw 64 bytes", std::string(reinterpret_cast<const char*>(rs), 64)},
    };
    for (const Case& c : bad) EXPECT_FALSE(P256SignatureFromDer(Bytes(c.der))) << c.what;
    EXPECT_TRUE(P256SignatureFromDer(Bytes(std::string("\x30\x06\x02\x01\x01\x02\x01\x7f"))));
}

TEST(ManifestRules, OnlyACurrentManifestIsTaken)
{
    const std::string taken(64, 'a');  // the digest recorded with serial 7
    const std::string other(64, 'b');
    struct Case {
        const char* what;
        std::string head;  // [ZELORADATE] lines
        AcceptedManifest accepted;
        const std::string& digest;
        ManifestVerdict verdict;
    };
    const std::uint32_t today = 20260615;
    const AcceptedManifest none;
    const AcceptedManifest seven{7, taken};
    const AcceptedManifest sevenOfAnEarlierRelease{7, ""};
    const Case cases[] = {
        {"current", "SERIAL=7\nEXPIRES=20260615\nVER=20051013", none, other, ManifestVerdict::Current},
        {"same serial, same bytes", "SERIAL=7\nEXPIRES=20260701\nVER=20051013", seven, taken, ManifestVerdict::Current},
        {"same serial, other bytes", "SERIAL=7\nEXPIRES=20260701\nVER=20051013", seven, other, ManifestVerdict::Replayed},
        {"same serial, none recorded", "SERIAL=7\nEXPIRES=20260701\nVER=20051013", sevenOfAnEarlierRelease, other,
         ManifestVerdict::Current},
        {"higher serial", "SERIAL=8\nEXPIRES=20260701\nVER=20051013", seven, other, ManifestVerdict::Current},
        {"lower serial", "SERIAL=6\nEXPIRES=20260701\nVER=20051013", seven, taken, ManifestVerdict::Replayed},
        {"expired yesterday", "SERIAL=8\nEXPIRES=20260614\nVER=20051013", seven, other, ManifestVerdict::Expired},
        {"no serial", "EXPIRES=20260701\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"serial zero", "SERIAL=0\nEXPIRES=20260701\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"serial with a sign", "SERIAL=+9\nEXPIRES=20260701\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"serial of 19 digits", "SERIAL=1000000000000000000\nEXPIRES=20260701\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"serial of 18 digits", "SERIAL=999999999999999999\nEXPIRES=20260701\nVER=20051013", none, other, ManifestVerdict::Current},
        {"no expiry", "SERIAL=7\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"expiry no date", "SERIAL=7\nEXPIRES=20261331\nVER=20051013", none, other, ManifestVerdict::Malformed},
        {"endless version", "SERIAL=7\nEXPIRES=20260701\nVER=99999999999", none, other, ManifestVerdict::Malformed},
    };
    for (const Case& c : cases) {
        const ManifestText manifest("[ZELORADATE]\n" + c.head + "\n");
        ManifestStamp stamp;
        EXPECT_EQ(JudgeManifest(manifest, c.accepted, c.digest, today, &stamp), c.verdict) << c.what;
        if (c.verdict == ManifestVerdict::Current) {
            EXPECT_GE(stamp.serial, c.accepted.serial) << c.what;
        }
    }
}

TEST(ManifestRules, TextIsReadAsTheUpdaterReadsIt)
{
    const ManifestText manifest("\xEF\xBB\xBF; published by hand\r\n"
                                "[ ZeloraDate ]\r\n"
                                "VER = 20051013 \r\n"
                                "ver=20991231\r\n"
                                "URL=\r\n"
                                "[Xvid]\r\n"
                                "VER=1.1\xC2\xA0\r\n"
                                "; VER=9\r\n"
                                "[XVID]\r\n"
                                "VER=2.0\r\n"
                                "SIZE=5");
    EXPECT_EQ(manifest.Value("ZELORADATE", "VER").value_or("-"), "20051013");  // the first key
    EXPECT_EQ(manifest.Value("zeloradate", "URL").value_or("-"), "");           // there, but empty
    EXPECT_EQ(manifest.Value("Xvid", "VER").value_or("-"), "1.1\xC2\xA0");    // no-break space kept
    EXPECT_FALSE(manifest.Value("Xvid", "SIZE"));  // only in the repeated section
    EXPECT_FALSE(manifest.Value("Xvid", "; VER"));

    // What the signing tool's checker sees: which lines count, and where.
    const auto& lines = manifest.Lines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0].kind, ManifestLine::Kind::Comment);
    EXPECT_TRUE(lines[1].counted);
    EXPECT_EQ(lines[2].sectionLine, 2u);
    EXPECT_FALSE(lines[3].counted);  // the repeated key
    EXPECT_FALSE(lines[8].counted);  // the repeated section, case aside
    EXPECT_EQ(lines[8].section, "xvid");
    EXPECT_FALSE(lines[10].counted);
    EXPECT_EQ(lines[10].number, 11u);
}

TEST(ManifestRules, RedirectsStayOnTheWeb)
{
    struct Case {
        const char* from;
        const char* location;
        const char* target;  // nullptr: refused
    };
    const Case cases[] = {
        {"http://a.example/x.exe", "http://b.example/y.exe", "http://b.example/y.exe"},
        {"http://a.example/x.exe", "https://b.example/y.exe", "https://b.example/y.exe"},
        {"https://a.example/x.exe", "https://b.example/y.exe", "https://b.example/y.exe"},
        {"https://a.example/x.exe", "http://b.example/y.exe", nullptr},
        {"HTTPS://a.example/x.exe", "HTTP://a.example/y.exe", nullptr},
        {"https://a.example:8443/d/x.exe", "/y.exe", "https://a.example:8443/y.exe"},
        {"http://a.example", "/y.exe", "http://a.example/y.exe"},
        {"http://a.example/x.exe", "//evil.example/y.exe", nullptr},
        {"http://a.example/x.exe", "y.exe", nullptr},
        {"http://a.example/x.exe", "file:///C:/Windows/notepad.exe", nullptr},
        {"http://a.example/x.exe", "ftp://b.example/y.exe", nullptr},
        {"http://a.example/x.exe", "", nullptr},
        {"http://a.example/x.exe", "http://b.example/a b.exe", nullptr},
    };
    for (const Case& c : cases) {
        const auto target = RedirectTarget(c.from, c.location);
        if (c.target) EXPECT_EQ(target.value_or("(refused)"), c.target) << c.location;
        else EXPECT_FALSE(target) << c.from << " -> " << c.location;
    }
}

TEST(ManifestRules, OnlyInstallersAndBoundedTransfers)
{
    EXPECT_EQ(InstallerKindOf("setup.exe"), InstallerKind::Program);
    EXPECT_EQ(InstallerKindOf("SETUP.EXE"), InstallerKind::Program);
    EXPECT_EQ(InstallerKindOf("codec.msi"), InstallerKind::Package);
    for (const char* name : {"run.cmd", "setup.hta", "x.bat", "x.js", "x.vbs", "x.scr", "x.com", "x.pif",
                             "x.lnk", "x.exe.txt", ".exe", "exe", "x.msix"})
        EXPECT_FALSE(InstallerKindOf(name)) << name;

    EXPECT_EQ(InstallerDeadlineMs(0), 60000u);
    EXPECT_EQ(InstallerDeadlineMs(32 * 1024 * 100), 160000u);  // a minute plus 100 s at 32 KB/s
    EXPECT_EQ(InstallerDeadlineMs(UINT64_MAX), InstallerDeadlineMs(kMaxInstallerBytes));
}

}  // namespace
}  // namespace zelora::updater
