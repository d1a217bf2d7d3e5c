#include "platform/registry/Win32Keys.h"

#include "platform/win/WideText.h"

namespace zelora::win {

HKEY RootKey(RegRoot root)
{
    switch (root) {
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

REGSAM ViewAccess(RegistryView view)
{
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

RegStatus ToStatus(LSTATUS status)
{
    switch (status) {
    case ERROR_SUCCESS: return RegStatus::Ok;
    case ERROR_FILE_NOT_FOUND: return RegStatus::NotFound;
    case ERROR_MORE_DATA: return RegStatus::MoreData;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD: return RegStatus::Denied;
    default: return RegStatus::Failed;
    }
}

RegStatus OpenKey(RegRoot root, std::string_view path, KeyOpen open, REGSAM access,
                  RegistryView view, UniqueKey& key)
{
    const std::wstring widePath = Wide(path);
    access |= ViewAccess(view);
    if (open == KeyOpen::CreateIfMissing)
        return ToStatus(::RegCreateKeyExW(RootKey(root), widePath.c_str(), 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, access, nullptr, key.Put(),
                                          nullptr));
    return ToStatus(::RegOpenKeyExW(RootKey(root), widePath.c_str(), 0, access, key.Put()));
}

}  // namespace zelora::win
