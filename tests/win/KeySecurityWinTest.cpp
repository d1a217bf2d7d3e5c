// The preferred decoders' change through the real registry's key security, under Wine: the
// descriptors are made here, while this test's own Wine server runs (it keeps none on disk).
#include "WinTestSupport.h"

#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"
#include "preferred/PreferredChange.h"

#include <gtest/gtest.h>
#include <sddl.h>

namespace zelora::wintest {
namespace {

constexpr RegRoot kMachine = RegRoot::LocalMachine;
constexpr std::string_view kTestRoot = "Software\\ZeloraTest";
const std::wstring kTrustedInstaller = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// Administrators may read (and, so the test can remove the key, delete); no more.
const std::wstring kAdministratorsRead = L"(A;;0x30019;;;BA)";
constexpr wchar_t kOldDecoder[] = L"{11111111-2222-3333-4444-555555555555}";

std::vector<unsigned char> DescriptorBytes(const std::wstring& sddl)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    ULONG size = 0;
    EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &made, &size));
    const win::UniqueLocalMemory owner(made);
    const auto* bytes = static_cast<const unsigned char*>(made);
    return {bytes, bytes + (made ? size : 0)};
}

// This process's HKEY_LOCAL_MACHINE is a scratch key while the fixture lives: the system key
// the core changes, and its backup, are the test's own and go with it.
class KeySecurityWin : public ::testing::Test {
protected:
    KeySecurityWin()
    {
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\ZeloraTest\\Machine", 0, nullptr, 0,
                          KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, m_root.Put(), nullptr);
        EXPECT_EQ(::RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_root.Get()), ERROR_SUCCESS);
    }
    ~KeySecurityWin() override
    {
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, win::Wide(kPreferredKey).c_str(), KEY_WOW64_32KEY, 0);
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    }
    // The Preferred key with one old value, then the descriptor given.
    void MakePreferred(const std::wstring& sddl)
    {
        ASSERT_EQ(m_registry.SetValue(kMachine, kPreferredKey, "{OLD}", RegType::String, kOldDecoder,
                                      sizeof kOldDecoder),
                  RegStatus::Ok);
        ASSERT_EQ(m_security.WriteDescriptor(kMachine, kPreferredKey, DescriptorBytes(sddl)), RegStatus::Ok);
        ASSERT_EQ(m_registry.ProbeFullAccess(kMachine, kPreferredKey), RegStatus::Denied);
    }
    // The descriptor's bytes, then each value's bytes, type and name.
    std::vector<std::vector<unsigned char>> Snapshot()
    {
        std::vector<std::vector<unsigned char>> state(1);
        EXPECT_EQ(m_security.ReadDescriptor(kMachine, kPreferredKey, state[0]), RegStatus::Ok);
        std::vector<std::string> names;
        m_registry.EnumValueNames(kMachine, kPreferredKey, KeyOpen::ExistingOnly, names);
        for (const std::string& name : names) {
            std::vector<unsigned char>& value = state.emplace_back(512);
            std::uint32_t size = 512;
            RegType type{};
            m_registry.QueryValue(kMachine, kPreferredKey, KeyOpen::ExistingOnly, name, value.data(), size, &type);
            value.resize(size);
            value.push_back(static_cast<unsigned char>(type));
            value.insert(value.end(), name.begin(), name.end());
        }
        return state;
    }

    ScratchRealRegistry m_scratch{{kMachine, kTestRoot}};
    win::UniqueKey m_root;
    Win32Registry m_registry;
    KeySecurity& m_security = *m_registry.Security();
    PreferredChanges m_changes{RegistryViews{&m_registry, nullptr}};
    const MediaFormat& m_h264 = *FindMediaFormat("h264");
};

TEST_F(KeySecurityWin, TrustedInstallersKeyRefusesOwnershipAndKeepsEverything)
{
    MakePreferred(L"O:" + kTrustedInstaller + L"G:SYD:P(A;;KA;;;" + kTrustedInstaller + L")" + kAdministratorsRead);
    const auto before = Snapshot();
    const ChangeResult result = m_changes.Apply(PlayerView::Bits32, m_h264, "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");
    EXPECT_EQ(result.failedStep, ChangeStep::TakeOwnership);
    EXPECT_NE(result.message.find(StepText(ChangeStep::TakeOwnership)), std::string::npos) << result.message;
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(KeySecurityWin, AdministratorsReadOnlyKeyIsGrantedWrittenAndGivenBackExactly)
{
    MakePreferred(L"O:BAG:SYD:P" + kAdministratorsRead + L"(A;;KA;;;SY)");
    const auto before = Snapshot();
    const ChangeResult result = m_changes.Apply(PlayerView::Bits32, m_h264, "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");
    ASSERT_TRUE(result.done) << result.message;
    const auto after = Snapshot();
    EXPECT_EQ(after.size(), before.size() + m_h264.subtypes.size());
    EXPECT_EQ(after.front(), before.front());
    ASSERT_TRUE(m_changes.RestoreAll().done);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(KeySecurityWin, StepsRefuseMalformedDescriptorsAndKeepTheDaclProtected)
{
    MakePreferred(L"O:BAG:SYD:P" + kAdministratorsRead);
    const auto before = Snapshot();
    const std::vector<unsigned char>& good = before.front();
    for (std::size_t size = 0; size < good.size(); size += 3)  // cut inside a part, or after it
        EXPECT_EQ(m_security.WriteDescriptor(kMachine, kPreferredKey, {good.data(), size}), RegStatus::Failed);
    EXPECT_EQ(Snapshot(), before);
    ASSERT_EQ(m_security.GrantAdministratorsWrite(kMachine, kPreferredKey), RegStatus::Ok);
    EXPECT_EQ(m_registry.ProbeFullAccess(kMachine, kPreferredKey), RegStatus::Ok);
    EXPECT_TRUE(Snapshot().front()[3] & (SE_DACL_PROTECTED >> 8));  // the control word's high byte
}

TEST(RegistryViewsWin, SixtyFourBitViewIsAKeyOfItsOwn)
{
    if (!Win32Registry::HasView(RegistryView::Bits64)) GTEST_SKIP() << "a 32-bit Windows: one view";
    ScratchRealRegistry bits32({{kMachine, kTestRoot}}, RegistryView::Bits32);
    ScratchRealRegistry bits64({{kMachine, kTestRoot}}, RegistryView::Bits64);
    RegistryBackend* views[] = {&bits32.Backend(), &bits64.Backend()};
    const std::string key = std::string(kTestRoot) + "\\Views";
    for (std::uint32_t i = 0; i < 2; ++i)
        ASSERT_EQ(views[i]->SetValue(kMachine, key, "View", RegType::Dword, &i, 4), RegStatus::Ok);
    std::uint32_t read = 9, size = 4;  // one key for both views would hold the last write
    views[0]->QueryValue(kMachine, key, KeyOpen::ExistingOnly, "View", &read, size, nullptr);
    EXPECT_EQ(read, 0u);
}

}  // namespace
}  // namespace zelora::wintest
