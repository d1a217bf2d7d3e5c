// The Windows builds' registry and files for the registry benchmarks (link with zelora_app).
#include "bench/BenchRegistry.h"

#include "codecs/FilterInventory.h"
#include "codecs/SystemFiles.h"
#include "platform/registry/Win32Registry.h"
#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"

#include <string>

namespace zelora::bench {

std::unique_ptr<RegistryBackend> CreateRealRegistry(RegistryView view)
{
    return Win32Registry::HasView(view) ? std::make_unique<Win32Registry>(view) : nullptr;
}

RealFiles CreateRealFiles() { return {std::make_unique<SystemFiles>(), "GetFileAttributesW, as the pages"}; }

std::uint64_t BareRegistrationWalk(RegistryBackend&)
{
    using win::UniqueKey;
    constexpr REGSAM kRead = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_32KEY;
    std::uint64_t calls = 2;
    UniqueKey category;
    UniqueKey classes;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, win::Wide(kFilterCategoryPath).c_str(), 0, kRead, category.Put()) ||
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, kRead, classes.Put()))
        return calls;
    wchar_t instance[260];
    wchar_t text[260];
    for (DWORD index = 0;; ++index) {
        DWORD length = 260;
        ++calls;
        if (::RegEnumKeyExW(category.Get(), index, instance, &length, nullptr, nullptr, nullptr, nullptr)) break;
        UniqueKey filter;
        ++calls;
        if (::RegOpenKeyExW(category.Get(), instance, 0, KEY_QUERY_VALUE, filter.Put())) continue;
        DWORD size = sizeof text;
        ::RegQueryValueExW(filter.Get(), L"FriendlyName", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        size = sizeof text - sizeof text[0];
        calls += 2;
        if (::RegQueryValueExW(filter.Get(), L"CLSID", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size))
            continue;
        text[size / sizeof text[0]] = L'\0';
        const std::wstring server = std::wstring(text) + L"\\InprocServer32";
        UniqueKey inproc;
        ++calls;
        if (::RegOpenKeyExW(classes.Get(), server.c_str(), 0, KEY_QUERY_VALUE, inproc.Put())) continue;
        size = sizeof text;
        ::RegQueryValueExW(inproc.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        ++calls;
    }
    return calls;
}

}  // namespace zelora::bench
