// The preferred decoders' change through the real registry's key security, under Wine: the
// descriptors are made here, while this test's own Wine server runs (it keeps none on disk).
#include "WinTestSupport.h"

#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"
#include "preferred/PreferredChange.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <map>

namespace zelora::wintest {
namespace {

constexpr std::string_view kTestRoot = "Software\\ZeloraTest";
constexpr const wchar_t* kTrustedInstaller = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr wchar_t kOldDecoder[] = L"{11111111-2222-3333-4444-555555555555}";
constexpr std::string_view kNewDecoder = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
// Administrators may read (and, so the test can remove the key, delete); no more.
constexpr const wchar_t* kAdministratorsRead = L"(A;;0x30019;;;BA)";

std::vector<unsigned char> DescriptorBytes(const std::wstring& sddl)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    ULONG size = 0;
    EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                       &made, &size));
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
        const std::wstring machine = win::Wide(kMachine);
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, machine.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          nullptr, m_machine.Put(), nullptr);
        EXPECT_EQ(::RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_machine.Get()), ERROR_SUCCESS);
    }
    ~KeySecurityWin() override
    {
        // The descriptors made here let Administrators delete the key, and nothing more.
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, win::Wide(kPreferredKey).c_str(), KEY_WOW64_32KEY, 0);
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    }
    // The Preferred key with one old value, then the descriptor given.
    void MakePreferred(const std::wstring& sddl)
    {
        ASSERT_EQ(m_registry.SetValue(RegRoot::LocalMachine, kPreferredKey, "{OLD}", RegType::String,
                                      kOldDecoder, sizeof kOldDecoder),
                  RegStatus::Ok);
        ASSERT_EQ(m_security.WriteDescriptor(RegRoot::LocalMachine, kPreferredKey, DescriptorBytes(sddl)),
                  RegStatus::Ok);
        ASSERT_EQ(m_registry.ProbeFullAccess(RegRoot::LocalMachine, kPreferredKey), RegStatus::Denied);
    }
    // Each value's name, type and bytes, then the descriptor's bytes.
    std::vector<std::vector<unsigned char>> Snapshot()
    {
        std::vector<std::string> names;
        m_registry.EnumValueNames(RegRoot::LocalMachine, kPreferredKey, KeyOpen::ExistingOnly, names);
        std::vector<std::vector<unsigned char>> state;
        for (const std::string& name : names) {
            std::vector<unsigned char> data(512);
            std::uint32_t size = 512;
            RegType type{};
            m_registry.QueryValue(RegRoot::LocalMachine, kPreferredKey, KeyOpen::ExistingOnly, name,
                                  data.data(), size, &type);
            data.resize(size);
            data.insert(data.end(), name.begin(), name.end());
            state.push_back(std::move(data));
            state.back().push_back(static_cast<unsigned char>(type));
        }
        state.emplace_back();
        EXPECT_EQ(m_security.ReadDescriptor(RegRoot::LocalMachine, kPreferredKey, state.back()), RegStatus::Ok);
        return state;
    }

    static constexpr std::string_view kMachine = "Software\\ZeloraTest\\Machine";
    ScratchRealRegistry m_scratch{{RegRoot::LocalMachine, kTestRoot}};
    win::UniqueKey m_machine;
    Win32Registry m_registry;
    KeySecurity& m_security = *m_registry.Security();
    PreferredChanges m_changes{RegistryViews{&m_registry, nullptr}};
    const MediaFormat& m_format = *FindMediaFormat("h264");
};

TEST_F(KeySecurityWin, TrustedInstallersKeyRefusesOwnershipAndKeepsEverything)
{
    MakePreferred(L"O:" + std::wstring(kTrustedInstaller) + L"G:SYD:P(A;;KA;;;" + kTrustedInstaller +
                  L")" + kAdministratorsRead);
    const auto before = Snapshot();
    const ChangeResult result = m_changes.Apply(PlayerView::Bits32, m_format, kNewDecoder);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.failedStep, ChangeStep::TakeOwnership);
    EXPECT_NE(result.message.find(StepText(ChangeStep::TakeOwnership)), std::string::npos) << result.message;
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(KeySecurityWin, AdministratorsReadOnlyKeyIsGrantedWrittenAndGivenBackExactly)
{
    MakePreferred(std::wstring(L"O:BAG:SYD:P") + kAdministratorsRead + L"(A;;KA;;;SY)");
    const auto before = Snapshot();
    const ChangeResult result = m_changes.Apply(PlayerView::Bits32, m_format, kNewDecoder);
    ASSERT_TRUE(result.done) << result.message;
    const auto after = Snapshot();
    EXPECT_EQ(after.size(), before.size() + m_format.subtypes.size());
    EXPECT_EQ(after.back(), before.back());
    ASSERT_TRUE(m_changes.RestoreAll().done);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(KeySecurityWin, GrantedWriteKeepsTheDaclProtected)
{
    MakePreferred(std::wstring(L"O:BAG:SYD:P") + kAdministratorsRead);
    ASSERT_EQ(m_security.GrantAdministratorsWrite(RegRoot::LocalMachine, kPreferredKey), RegStatus::Ok);
    EXPECT_EQ(m_registry.ProbeFullAccess(RegRoot::LocalMachine, kPreferredKey), RegStatus::Ok);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    EXPECT_TRUE(::GetSecurityDescriptorControl(Snapshot().back().data(), &control, &revision));
    EXPECT_TRUE(control & SE_DACL_PROTECTED);
}

TEST_F(KeySecurityWin, MalformedDescriptorsAreRefusedBeforeAnyWrite)
{
    MakePreferred(std::wstring(L"O:BAG:SYD:P") + kAdministratorsRead);
    const auto before = Snapshot();
    std::vector<std::vector<unsigned char>> bad;
    for (std::size_t size = 0; size < before.back().size(); size += 3)
        bad.emplace_back(before.back().begin(), before.back().begin() + static_cast<std::ptrdiff_t>(size));
    for (std::size_t offsetAt : {4u, 8u, 16u}) {  // owner, group, DACL pointing past the end
        bad.push_back(before.back());
        bad.back()[offsetAt + 1] = 0xFF;
    }
    for (const auto& bytes : bad)
        EXPECT_EQ(m_security.WriteDescriptor(RegRoot::LocalMachine, kPreferredKey, bytes), RegStatus::Failed);
    EXPECT_EQ(Snapshot(), before);
}

TEST(RegistryViewsWin, SixtyFourBitViewIsAKeyOfItsOwn)
{
    if (!Win32Registry::HasView(RegistryView::Bits64)) GTEST_SKIP() << "a 32-bit Windows: one view";
    constexpr std::string_view kKey = "Software\\ZeloraTest\\Views";
    ScratchRealRegistry bits32({{RegRoot::LocalMachine, kTestRoot}}, RegistryView::Bits32);
    ScratchRealRegistry bits64({{RegRoot::LocalMachine, kTestRoot}}, RegistryView::Bits64);
    RegistryBackend* views[] = {&bits32.Backend(), &bits64.Backend()};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::uint32_t number = 32 * (i + 1);
        ASSERT_EQ(views[i]->SetValue(RegRoot::LocalMachine, kKey, "Bits", RegType::Dword, &number, 4),
                  RegStatus::Ok);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        std::uint32_t number = 0, size = 4;
        EXPECT_EQ(views[i]->QueryValue(RegRoot::LocalMachine, kKey, KeyOpen::ExistingOnly, "Bits", &number,
                                       size, nullptr),
                  RegStatus::Ok);
        EXPECT_EQ(number, 32 * (i + 1)) << "view " << i;
    }
}

}  // namespace
}  // namespace zelora::wintest
