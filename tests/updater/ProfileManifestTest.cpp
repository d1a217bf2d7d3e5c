// The manifest file as the system's private-profile functions read it: values whole at any
// length, an absent key told apart from an empty one, names matched without regard to case.
#include "updater/ManifestText.h"
#include "updater/ProfileManifest.h"
#include "updater/UpdaterTestSupport.h"

#include <gtest/gtest.h>

namespace zelora::updater {
namespace {

using namespace updatertest;

TEST(ProfileManifest, ValuesWholeAndAbsenceKnown)
{
    ScratchFolder folder(L"zelora-manifest");
    const std::string longUrl = "http://dl.zelora.example/" + std::string(5000, 'u') + ".exe";
    WriteText(folder.Path() / "update.qmu",
              "[ZELORADATE]\r\nVER=20060101\r\n[Xvid]\r\nVER=\r\nURL=" + longUrl + "\r\n");
    const ProfileManifest manifest((folder.Path() / "update.qmu").wstring());
    EXPECT_EQ(manifest.Value("zeloradate", "ver").value_or("(none)"), "20060101");
    EXPECT_EQ(manifest.Value("XVID", "url").value_or("(none)"), longUrl);
    EXPECT_EQ(manifest.Value("Xvid", "VER").value_or("(none)"), "");
    EXPECT_FALSE(manifest.Value("Xvid", "SHA256"));
    EXPECT_FALSE(manifest.Value("Divx5", "VER"));
    EXPECT_FALSE(ProfileManifest((folder.Path() / "missing.qmu").wstring()).Value("ZELORADATE", "VER"));
}

// The updater reads the manifest from the bytes it verified; it must read them as the
// system's private-profile reader reads the same file.
TEST(ProfileManifest, TheVerifiedBytesReadAsTheSystemReadsThem)
{
    ScratchFolder folder(L"zelora-manifest-text");
    const std::string text = "\xEF\xBB\xBF[ZELORADATE]\r\n  VER = 20060101  \r\nSERIAL=5\n"
                             "; a comment\r\n[ Xvid ]\r\nURL=http://a.example/x.exe\r\nVER=\r\n"
                             "url=http://b.example/second.exe\r\nno equals sign\r\n[xvid]\r\nSIZE=9\r\n";
    WriteText(folder.Path() / "update.qmu", text);
    const ProfileManifest system((folder.Path() / "update.qmu").wstring());
    const ManifestText ours(text);
    const std::pair<const char*, const char*> lookups[] = {
        {"ZELORADATE", "VER"}, {"zeloradate", "serial"}, {"Xvid", "URL"}, {"Xvid", "VER"},
        {"Xvid", "no equals sign"}, {"Xvid", "SIZE"}, {"Divx5", "VER"}, {"ZELORADATE", "; a comment"},
    };
    for (const auto& [section, key] : lookups)
        EXPECT_EQ(ours.Value(section, key), system.Value(section, key)) << section << "/" << key;
}

}  // namespace
}  // namespace zelora::updater
