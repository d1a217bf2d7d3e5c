#include "platform/registry/Win32Registry.h"

#include "platform/registry/Win32Keys.h"

#include "platform/win/WideText.h"
#include "platform/text/Text.h"
#include "platform/win/UniqueHandle.h"

namespace zelora {
namespace {

// Types and sizes pass between the core and the system unchanged.
static_assert(static_cast<DWORD>(RegType::None) == REG_NONE);
static_assert(static_cast<DWORD>(RegType::String) == REG_SZ);
static_assert(static_cast<DWORD>(RegType::ExpandString) == REG_EXPAND_SZ);
static_assert(static_cast<DWORD>(RegType::Binary) == REG_BINARY);
static_assert(static_cast<DWORD>(RegType::Dword) == REG_DWORD);
static_assert(static_cast<DWORD>(RegType::MultiString) == REG_MULTI_SZ);
static_assert(static_cast<DWORD>(RegType::Qword) == REG_QWORD);
// The store writes a DWORD as four bytes, least significant first: what the decoders read
// back as a DWORD. Sizes go through DWORD both ways.
static_assert(REG_DWORD == REG_DWORD_LITTLE_ENDIAN);
static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

using win::OpenKey;
using win::ToStatus;
using win::UniqueKey;
using win::Wide;

}  // namespace

RegStatus Win32Registry::QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                                    std::string_view name, void* buffer, std::uint32_t& size,
                                    RegType* type)
{
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, open, KEY_QUERY_VALUE, m_view, key); s != RegStatus::Ok)
        return s;
    DWORD rawType = 0;
    DWORD length = size;
    const LSTATUS status = ::RegQueryValueExW(key.Get(), Wide(name).c_str(), nullptr, &rawType,
                                              static_cast<BYTE*>(buffer), &length);
    size = length;
    if (type) *type = static_cast<RegType>(rawType);
    return ToStatus(status);
}

RegStatus Win32Registry::SetValue(RegRoot root, std::string_view path, std::string_view name,
                                  RegType type, const void* data, std::uint32_t size)
{
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, KeyOpen::CreateIfMissing, KEY_SET_VALUE, m_view, key);
        s != RegStatus::Ok)
        return s;
    return ToStatus(::RegSetValueExW(key.Get(), Wide(name).c_str(), 0,
                                     static_cast<DWORD>(type), static_cast<const BYTE*>(data),
                                     size));
}

RegStatus Win32Registry::DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                                     std::string_view name)
{
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, open, KEY_SET_VALUE, m_view, key); s != RegStatus::Ok)
        return s;
    return ToStatus(::RegDeleteValueW(key.Get(), Wide(name).c_str()));
}

RegStatus Win32Registry::EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                                        std::vector<std::string>& names)
{
    names.clear();
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, open, KEY_QUERY_VALUE, m_view, key); s != RegStatus::Ok)
        return s;
    wchar_t name[16384];  // the registry's longest value name
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (::RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(win::Narrow({name, length}));
    }
    return RegStatus::Ok;
}

RegStatus Win32Registry::EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                                         std::vector<std::string>& names)
{
    names.clear();
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, open, KEY_ENUMERATE_SUB_KEYS, m_view, key); s != RegStatus::Ok)
        return s;
    wchar_t name[256];  // the registry's longest key name
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (::RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(win::Narrow({name, length}));
    }
    return RegStatus::Ok;
}

void Win32Registry::VisitSubkeyValues(RegRoot root, std::string_view basePath,
                                      std::span<const SubkeyValueQuery> queries,
                                      std::uint32_t maxBytes, SubkeyValueVisitor visit)
{
    UniqueKey base;
    if (OpenKey(root, basePath, KeyOpen::ExistingOnly, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                m_view, base) != RegStatus::Ok) {
        for (std::size_t i = 0; i < queries.size(); ++i) visit(i, {});
        return;
    }
    std::vector<unsigned char> buffer(maxBytes);  // every value is read into this one
    UniqueKey subkey;
    const std::string_view* openSubkey = nullptr;
    RegStatus openStatus = RegStatus::NotFound;
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const SubkeyValueQuery& query = queries[i];
        if (!openSubkey || *openSubkey != query.subkey) {
            // Relative to the open base, in the same view.
            openStatus = ToStatus(::RegOpenKeyExW(base.Get(), Wide(query.subkey).c_str(), 0,
                                                  KEY_QUERY_VALUE | win::ViewAccess(m_view),
                                                  subkey.Put()));
            openSubkey = &query.subkey;
        }
        if (openStatus != RegStatus::Ok) {
            visit(i, {openStatus});
            continue;
        }
        DWORD type = 0;
        DWORD size = maxBytes;
        const RegStatus status = ToStatus(::RegQueryValueExW(subkey.Get(), Wide(query.name).c_str(),
                                                             nullptr, &type, buffer.data(), &size));
        const std::span<const unsigned char> data(buffer.data(), status == RegStatus::Ok ? size : 0);
        visit(i, {status, static_cast<RegType>(type), data});
    }
}

std::string Win32Registry::CodePageBytes(std::u16string_view units) const
{
    // The decoders' code page, whatever this system's own: what a Korean system's
    // multibyte registry calls give them. NULs inside convert as NULs.
    constexpr UINT kDecoderCodePage = 949;
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    if (units.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const int length = ::WideCharToMultiByte(kDecoderCodePage, 0, wide, count, nullptr, 0,
                                             nullptr, nullptr);
    if (length <= 0) return ApproximateCp949(units);  // code page not installed
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(kDecoderCodePage, 0, wide, count, bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

RegStatus Win32Registry::ProbeFullAccess(RegRoot root, std::string_view path)
{
    UniqueKey key;
    return OpenKey(root, path, KeyOpen::ExistingOnly, KEY_ALL_ACCESS, m_view, key);
}

RegStatus Win32Registry::DeleteTree(RegRoot root, std::string_view path)
{
    UniqueKey key;
    if (RegStatus s = OpenKey(root, path, KeyOpen::ExistingOnly, KEY_ALL_ACCESS, m_view, key);
        s != RegStatus::Ok)
        return s;
    if (RegStatus s = ToStatus(::RegDeleteTreeW(key.Get(), nullptr)); s != RegStatus::Ok)
        return s;
    key.Reset();
    return ToStatus(::RegDeleteKeyExW(win::RootKey(root), Wide(path).c_str(),
                                      win::ViewAccess(m_view), 0));
}

bool Win32Registry::HasView(RegistryView view)
{
    if (view == RegistryView::Bits32) return true;
#ifdef _WIN64
    return true;
#else
    // A 32-bit program sees a 64-bit view only when it runs on 64-bit Windows.
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

}  // namespace zelora
