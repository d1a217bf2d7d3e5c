#include "preferred/PreferredChange.h"

#include "platform/registry/KeySecurity.h"

#include <algorithm>

namespace zelora {
namespace {

constexpr std::string_view kValuesSubkey = "\\Values";
constexpr std::string_view kKeyExisted = "KeyExisted";
constexpr std::string_view kDescriptor = "Descriptor";
constexpr std::string_view kComplete = "Complete";  // written last: the backup is whole

struct StepName {
    ChangeStep step;
    std::string_view text;
};
constexpr StepName kStepNames[] = {
    {ChangeStep::NeedsAdministrator, "관리자 권한 확인"},
    {ChangeStep::SaveBackup, "원래 값 저장"},
    {ChangeStep::EnablePrivileges, "소유권 권한 켜기"},
    {ChangeStep::ReadDescriptor, "보안 설정 읽기"},
    {ChangeStep::TakeOwnership, "소유권 가져오기"},
    {ChangeStep::GrantWrite, "쓰기 권한 주기"},
    {ChangeStep::WriteValues, "값 쓰기"},
    {ChangeStep::RestoreDescriptor, "원래 보안 설정 되돌리기"},
};

std::string BackupKey(PlayerView view)
{
    return std::string(kPreferredBackupKey) + (view == PlayerView::Bits32 ? "\\32" : "\\64");
}

// A value whole, whatever its size.
RawValue ReadWhole(RegistryBackend& backend, std::string_view key, std::string_view name)
{
    RawValue value;
    std::uint32_t size = 512;
    do {
        value.data.resize(size);
        value.status = backend.QueryValue(RegRoot::LocalMachine, key, KeyOpen::ExistingOnly, name,
                                          value.data.data(), size, &value.type);
    } while (value.status == RegStatus::MoreData);
    value.data.resize(value.status == RegStatus::Ok ? size : 0);
    return value;
}

RegStatus Put(RegistryBackend& backend, std::string_view key, std::string_view name,
              const std::optional<RawValue>& value)
{
    if (!value) {
        const RegStatus status = backend.DeleteValue(RegRoot::LocalMachine, key, KeyOpen::ExistingOnly, name);
        return status == RegStatus::NotFound ? RegStatus::Ok : status;
    }
    return backend.SetValue(RegRoot::LocalMachine, key, name, value->type, value->data.data(),
                            static_cast<std::uint32_t>(value->data.size()));
}

RawValue StringRaw(std::string_view ascii)
{
    RawValue value{RegStatus::Ok, RegType::String, {}};
    for (char c : ascii) value.data.insert(value.data.end(), {static_cast<unsigned char>(c), 0});
    value.data.insert(value.data.end(), {0, 0});
    return value;
}

RawValue DwordRaw(std::uint32_t number)
{
    return {RegStatus::Ok, RegType::Dword,
            {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
             static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)}};
}

ChangeResult Failed(PlayerView view, ChangeStep step)
{
    std::string message;
    if (step == ChangeStep::NeedsAdministrator) {
        message = "우선 코덱을 바꾸려면 관리자 권한이 필요합니다. 관리자 권한으로 Zelora를 실행한 뒤 "
                  "다시 시도하십시오. 아무것도 바꾸지 않았습니다.";
    } else {
        message = "HKEY_LOCAL_MACHINE\\" + std::string(kPreferredKey) + " (" +
                  std::string(ViewName(view)) + "): '" + std::string(StepText(step)) +
                  "' 단계가 실패했습니다. 값과 보안 설정은 그대로입니다.";
    }
    return {false, step, view, std::move(message)};
}

// Ownership taken and write granted for one change, and given back when it ends.
class GrantedKey {
public:
    GrantedKey(KeySecurity* security, std::string_view key) : m_security(security), m_key(key) {}
    ~GrantedKey() { GiveBack(m_original); }
    GrantedKey(const GrantedKey&) = delete;
    GrantedKey& operator=(const GrantedKey&) = delete;

    std::optional<ChangeStep> Grant()
    {
        if (!m_security) return ChangeStep::WriteValues;  // refused, and nothing reaches further
        if (m_security->EnablePrivileges() != RegStatus::Ok) return ChangeStep::EnablePrivileges;
        if (m_security->ReadDescriptor(RegRoot::LocalMachine, m_key, m_original) != RegStatus::Ok)
            return ChangeStep::ReadDescriptor;
        m_read = true;
        if (m_security->TakeOwnership(RegRoot::LocalMachine, m_key) != RegStatus::Ok)
            return ChangeStep::TakeOwnership;
        if (m_security->GrantAdministratorsWrite(RegRoot::LocalMachine, m_key) != RegStatus::Ok)
            return ChangeStep::GrantWrite;
        return std::nullopt;
    }
    // The descriptor the key is left with: the one read before, unless told otherwise.
    bool GiveBack(const std::vector<unsigned char>& descriptor)
    {
        if (!m_read) return true;
        const bool restored =
            m_security->WriteDescriptor(RegRoot::LocalMachine, m_key, descriptor) == RegStatus::Ok;
        if (restored) m_read = false;
        return restored;
    }
    const std::vector<unsigned char>& Original() const { return m_original; }

private:
    KeySecurity* m_security;
    std::string m_key;
    std::vector<unsigned char> m_original;
    bool m_read = false;
};

}  // namespace

std::string_view StepText(ChangeStep step)
{
    for (const StepName& name : kStepNames)
        if (name.step == step) return name.text;
    return {};
}

bool PreferredChanges::HasBackup(PlayerView view) const
{
    return ReadWhole(*m_views.bits32, BackupKey(view), kComplete).status == RegStatus::Ok;
}

bool PreferredChanges::HasAnyBackup() const
{
    return std::any_of(kPlayerViews.begin(), kPlayerViews.end(),
                       [&](PlayerView view) { return m_views.bits32 && m_views.Of(view) && HasBackup(view); });
}

ChangeResult PreferredChanges::SaveBackup(PlayerView view)
{
    RegistryBackend& system = *m_views.Of(view);
    RegistryBackend& own = *m_views.bits32;
    const std::string key = BackupKey(view);
    own.DeleteTree(RegRoot::LocalMachine, key);  // an earlier, unfinished one
    std::vector<std::string> names;
    const bool existed = system.EnumValueNames(RegRoot::LocalMachine, kPreferredKey,
                                               KeyOpen::ExistingOnly, names) == RegStatus::Ok;
    bool saved = Put(own, key, kKeyExisted, DwordRaw(existed ? 1 : 0)) == RegStatus::Ok;
    for (std::size_t i = 0; saved && i < names.size(); ++i) {
        const RawValue value = ReadWhole(system, kPreferredKey, names[i]);
        saved = value.status == RegStatus::Ok &&
                Put(own, key + std::string(kValuesSubkey), names[i], value) == RegStatus::Ok;
    }
    std::vector<unsigned char> descriptor;
    if (saved && existed && system.Security()) {
        saved = system.Security()->ReadDescriptor(RegRoot::LocalMachine, kPreferredKey, descriptor) ==
                    RegStatus::Ok &&
                Put(own, key, kDescriptor, RawValue{RegStatus::Ok, RegType::Binary, descriptor}) ==
                    RegStatus::Ok;
    }
    if (saved) saved = Put(own, key, kComplete, DwordRaw(1)) == RegStatus::Ok;
    if (saved) return {};
    own.DeleteTree(RegRoot::LocalMachine, key);
    return Failed(view, ChangeStep::SaveBackup);
}

ChangeResult PreferredChanges::Write(PlayerView view, const std::vector<Desired>& desired,
                                     const std::vector<unsigned char>* descriptorAfter)
{
    RegistryBackend& system = *m_views.Of(view);
    std::vector<std::optional<RawValue>> before;
    for (const Desired& one : desired) {
        RawValue value = ReadWhole(system, kPreferredKey, one.name);
        if (value.status != RegStatus::Ok && value.status != RegStatus::NotFound)
            return Failed(view, ChangeStep::WriteValues);
        before.push_back(value.status == RegStatus::Ok ? std::optional(std::move(value)) : std::nullopt);
    }
    GrantedKey granted(system.Security(), kPreferredKey);
    if (system.ProbeFullAccess(RegRoot::LocalMachine, kPreferredKey) == RegStatus::Denied)
        if (const std::optional<ChangeStep> step = granted.Grant()) return Failed(view, *step);
    std::size_t written = 0;
    while (written < desired.size() &&
           Put(system, kPreferredKey, desired[written].name, desired[written].value) == RegStatus::Ok)
        ++written;
    const bool allWritten = written == desired.size();
    if (allWritten && granted.GiveBack(descriptorAfter ? *descriptorAfter : granted.Original()))
        return {};
    // Undone from the failed one back (a value may be half-set); the guard then gives back
    // the descriptor read before the change.
    for (std::size_t i = std::min(written + 1, desired.size()); i-- > 0;)
        Put(system, kPreferredKey, desired[i].name, before[i]);
    return Failed(view, allWritten ? ChangeStep::RestoreDescriptor : ChangeStep::WriteValues);
}

ChangeResult PreferredChanges::Apply(PlayerView view, const MediaFormat& format, std::string_view clsid)
{
    RegistryBackend* system = m_views.Of(view);
    // A class name that is not one is never written: players would read it as a dead entry.
    if (!system || !m_views.bits32 || (!clsid.empty() && !ParseGuid(clsid)))
        return Failed(view, ChangeStep::WriteValues);
    if (KeySecurity* security = system->Security(); security && !security->Elevated())
        return Failed(view, ChangeStep::NeedsAdministrator);
    if (!HasBackup(view))
        if (ChangeResult saved = SaveBackup(view); !saved.done) return saved;
    std::vector<Desired> desired;
    for (const Guid& subtype : format.subtypes)
        desired.push_back({GuidText(subtype), clsid.empty() ? std::nullopt : std::optional(StringRaw(clsid))});
    return Write(view, desired, nullptr);
}

ChangeResult PreferredChanges::RestoreView(PlayerView view)
{
    RegistryBackend& system = *m_views.Of(view);
    RegistryBackend& own = *m_views.bits32;
    const std::string key = BackupKey(view);
    const std::string valuesKey = key + std::string(kValuesSubkey);
    std::vector<std::string> saved, present;
    own.EnumValueNames(RegRoot::LocalMachine, valuesKey, KeyOpen::ExistingOnly, saved);
    system.EnumValueNames(RegRoot::LocalMachine, kPreferredKey, KeyOpen::ExistingOnly, present);
    std::vector<Desired> desired;
    for (const std::string& name : present) desired.push_back({name, std::nullopt});
    for (const std::string& name : saved) {
        RawValue value = ReadWhole(own, valuesKey, name);
        if (value.status != RegStatus::Ok) return Failed(view, ChangeStep::SaveBackup);
        desired.push_back({name, std::move(value)});
    }
    const RawValue descriptor = ReadWhole(own, key, kDescriptor);
    ChangeResult result =
        Write(view, desired, descriptor.status == RegStatus::Ok ? &descriptor.data : nullptr);
    if (!result.done) return result;
    if (ReadWhole(own, key, kKeyExisted).data == DwordRaw(0).data) {
        std::vector<std::string> left;
        system.EnumValueNames(RegRoot::LocalMachine, kPreferredKey, KeyOpen::ExistingOnly, left);
        if (left.empty()) system.DeleteTree(RegRoot::LocalMachine, kPreferredKey);
    }
    own.DeleteTree(RegRoot::LocalMachine, key);
    return {};
}

ChangeResult PreferredChanges::RestoreAll()
{
    for (PlayerView view : kPlayerViews) {
        RegistryBackend* system = m_views.Of(view);
        if (!system || !m_views.bits32 || !HasBackup(view)) continue;
        if (KeySecurity* security = system->Security(); security && !security->Elevated())
            return Failed(view, ChangeStep::NeedsAdministrator);
        if (ChangeResult result = RestoreView(view); !result.done) return result;
    }
    std::vector<std::string> left;
    if (m_views.bits32 &&
        m_views.bits32->EnumSubkeyNames(RegRoot::LocalMachine, kPreferredBackupKey, KeyOpen::ExistingOnly,
                                        left) == RegStatus::Ok &&
        left.empty())
        m_views.bits32->DeleteTree(RegRoot::LocalMachine, kPreferredBackupKey);
    return {};
}

}  // namespace zelora
