// The manifest file as the system's private-profile functions read it: values whole at any
// length, an absent key told apart from an empty one, names matched without regard to case.
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

}  // namespace
}  // namespace zelora::updater
