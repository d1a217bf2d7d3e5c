#include "platform/registry/Win32KeySecurity.h"

#include "platform/registry/Win32Keys.h"

#include <aclapi.h>

#include <cstring>

namespace zelora {
namespace {

using win::ToStatus;
using win::UniqueKey;

constexpr SECURITY_INFORMATION kOwnerGroupDacl =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// S-1-5-32-544 in a buffer of its own.
class AdministratorsSid {
public:
    AdministratorsSid()
    {
        DWORD size = sizeof m_bytes;
        m_made = ::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, m_bytes, &size);
    }
    PSID Get() { return m_made ? static_cast<PSID>(m_bytes) : nullptr; }

private:
    alignas(DWORD) BYTE m_bytes[SECURITY_MAX_SID_SIZE]{};
    BOOL m_made = FALSE;
};

RegStatus QueryDescriptor(HKEY key, SECURITY_INFORMATION info, std::vector<unsigned char>& bytes)
{
    DWORD size = 0;
    LSTATUS status = ::RegGetKeySecurity(key, info, nullptr, &size);
    while (status == ERROR_INSUFFICIENT_BUFFER) {
        bytes.resize(size);
        status = ::RegGetKeySecurity(key, info, bytes.data(), &size);
    }
    if (status == ERROR_SUCCESS) bytes.resize(size);
    return ToStatus(status);
}

// Setting a DACL that carries the protected mark keeps the mark.
SECURITY_INFORMATION DaclInfo(PSECURITY_DESCRIPTOR descriptor)
{
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool isProtected = ::GetSecurityDescriptorControl(descriptor, &control, &revision) &&
                             (control & SE_DACL_PROTECTED);
    return DACL_SECURITY_INFORMATION | (isProtected ? PROTECTED_DACL_SECURITY_INFORMATION : 0);
}

bool Inside(std::span<const unsigned char> bytes, DWORD offset, std::size_t length)
{
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

// A SID or ACL at `offset` lies whole inside the bytes (0: absent).
bool SidInside(std::span<const unsigned char> bytes, DWORD offset)
{
    return offset == 0 || (Inside(bytes, offset, 8) && Inside(bytes, offset, 8 + 4 * bytes[offset + 1]));
}
bool AclInside(std::span<const unsigned char> bytes, DWORD offset)
{
    return offset == 0 ||
           (Inside(bytes, offset, sizeof(ACL)) &&
            Inside(bytes, offset, bytes[offset + 2] | (bytes[offset + 3] << 8)));
}

// The system's own checks read offsets and counts without knowing where the bytes end: each
// is bounded here first.
bool WholeSelfRelative(std::span<const unsigned char> bytes)
{
    SECURITY_DESCRIPTOR_RELATIVE header;
    if (bytes.size() < sizeof header) return false;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (!(header.Control & SE_SELF_RELATIVE) || !SidInside(bytes, header.Owner) ||
        !SidInside(bytes, header.Group) || !AclInside(bytes, header.Dacl) || !AclInside(bytes, header.Sacl))
        return false;
    auto* descriptor = const_cast<unsigned char*>(bytes.data());
    return ::IsValidSecurityDescriptor(descriptor) &&
           ::GetSecurityDescriptorLength(descriptor) <= bytes.size();
}

}  // namespace

bool Win32KeySecurity::Elevated() const
{
    win::UniqueKernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put())) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = !::GetTokenInformation(token.Get(), TokenElevation, &elevation,
                                                 sizeof elevation, &size) ||
                          elevation.TokenIsElevated;
    // A filtered administrator's token holds the group for denying only: no member.
    AdministratorsSid administrators;
    BOOL member = FALSE;
    return elevated && administrators.Get() &&
           ::CheckTokenMembership(nullptr, administrators.Get(), &member) && member;
}

RegStatus Win32KeySecurity::EnablePrivileges()
{
    win::UniqueKernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token.Put()))
        return RegStatus::Failed;
    for (const wchar_t* name : {SE_TAKE_OWNERSHIP_NAME, SE_RESTORE_NAME}) {
        TOKEN_PRIVILEGES privileges{1, {{{}, SE_PRIVILEGE_ENABLED}}};
        if (!::LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid) ||
            !::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr))
            return RegStatus::Failed;
        // Success, yet the token lacks the privilege.
        if (::GetLastError() == ERROR_NOT_ALL_ASSIGNED) return RegStatus::Denied;
    }
    return RegStatus::Ok;
}

RegStatus Win32KeySecurity::ReadDescriptor(RegRoot root, std::string_view path,
                                           std::vector<unsigned char>& descriptor)
{
    UniqueKey key;
    if (RegStatus s = win::OpenKey(root, path, KeyOpen::ExistingOnly, READ_CONTROL, m_view, key);
        s != RegStatus::Ok)
        return s;
    return QueryDescriptor(key.Get(), kOwnerGroupDacl, descriptor);
}

RegStatus Win32KeySecurity::WriteDescriptor(RegRoot root, std::string_view path,
                                            std::span<const unsigned char> descriptor)
{
    if (!WholeSelfRelative(descriptor)) return RegStatus::Failed;
    std::vector<unsigned char> bytes(descriptor.begin(), descriptor.end());
    SECURITY_DESCRIPTOR_RELATIVE header;
    std::memcpy(&header, bytes.data(), sizeof header);
    SECURITY_INFORMATION info = DaclInfo(bytes.data());
    REGSAM access = WRITE_DAC;
    if (header.Owner) info |= OWNER_SECURITY_INFORMATION;
    if (header.Group) info |= GROUP_SECURITY_INFORMATION;
    if (header.Owner || header.Group) access |= WRITE_OWNER;
    UniqueKey key;
    if (RegStatus s = win::OpenKey(root, path, KeyOpen::ExistingOnly, access, m_view, key);
        s != RegStatus::Ok)
        return s;
    return ToStatus(::RegSetKeySecurity(key.Get(), info, bytes.data()));
}

RegStatus Win32KeySecurity::TakeOwnership(RegRoot root, std::string_view path)
{
    AdministratorsSid administrators;
    if (!administrators.Get()) return RegStatus::Failed;
    UniqueKey key;
    std::vector<unsigned char> current;
    RegStatus status = win::OpenKey(root, path, KeyOpen::ExistingOnly, READ_CONTROL, m_view, key);
    if (status == RegStatus::Ok) status = QueryDescriptor(key.Get(), OWNER_SECURITY_INFORMATION, current);
    if (status != RegStatus::Ok) return status;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (::GetSecurityDescriptorOwner(current.data(), &owner, &defaulted) && owner &&
        ::EqualSid(owner, administrators.Get()))
        return RegStatus::Ok;
    // Opening for a new owner is what SeTakeOwnershipPrivilege allows against the DACL.
    if (RegStatus s = win::OpenKey(root, path, KeyOpen::ExistingOnly, WRITE_OWNER, m_view, key);
        s != RegStatus::Ok)
        return s;
    SECURITY_DESCRIPTOR descriptor;
    if (!::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorOwner(&descriptor, administrators.Get(), FALSE))
        return RegStatus::Failed;
    return ToStatus(::RegSetKeySecurity(key.Get(), OWNER_SECURITY_INFORMATION, &descriptor));
}

RegStatus Win32KeySecurity::GrantAdministratorsWrite(RegRoot root, std::string_view path)
{
    AdministratorsSid administrators;
    if (!administrators.Get()) return RegStatus::Failed;
    UniqueKey key;
    std::vector<unsigned char> current;
    RegStatus status =
        win::OpenKey(root, path, KeyOpen::ExistingOnly, READ_CONTROL | WRITE_DAC, m_view, key);
    if (status == RegStatus::Ok) status = QueryDescriptor(key.Get(), DACL_SECURITY_INFORMATION, current);
    if (status != RegStatus::Ok) return status;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!::GetSecurityDescriptorDacl(current.data(), &present, &dacl, &defaulted))
        return RegStatus::Failed;
    if (!present || !dacl) return RegStatus::Ok;
    EXPLICIT_ACCESS_W grant{};
    grant.grfAccessPermissions = KEY_ALL_ACCESS;
    grant.grfAccessMode = GRANT_ACCESS;
    grant.grfInheritance = NO_INHERITANCE;
    grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    grant.Trustee.ptstrName = static_cast<LPWSTR>(administrators.Get());
    PACL merged = nullptr;
    if (::SetEntriesInAclW(1, &grant, dacl, &merged) != ERROR_SUCCESS) return RegStatus::Failed;
    const win::UniqueLocalMemory mergedOwner(merged);
    SECURITY_DESCRIPTOR descriptor;
    const SECURITY_INFORMATION info = DaclInfo(current.data());
    if (!::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorDacl(&descriptor, TRUE, merged, FALSE) ||
        ((info & PROTECTED_DACL_SECURITY_INFORMATION) &&
         !::SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED)))
        return RegStatus::Failed;
    return ToStatus(::RegSetKeySecurity(key.Get(), info, &descriptor));
}

}  // namespace zelora
