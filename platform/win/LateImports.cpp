#include "platform/win/LateImports.h"

#include <atomic>
#include <iterator>
#include <string>

namespace zelora::win::late {
namespace {

constexpr const wchar_t* kFileNames[] = {L"ole32.dll", L"oleaut32.dll", L"oleacc.dll", L"shell32.dll"};

// From the system folder by its full name: never a same-named file beside the program or in
// the current folder.
HMODULE LoadSystemDll(const wchar_t* fileName)
{
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ::LoadLibraryW((std::wstring(folder, length) + L'\\' + fileName).c_str());
}

}  // namespace

void* Bind(Dll dll, const char* name)
{
    // Each DLL stays loaded for the process's life, as a load-time import would.
    static std::atomic<HMODULE> modules[std::size(kFileNames)];
    auto& slot = modules[static_cast<std::size_t>(dll)];
    HMODULE module = slot.load();
    if (!module) {
        module = LoadSystemDll(kFileNames[static_cast<std::size_t>(dll)]);
        if (!module) return nullptr;
        slot.store(module);
    }
    return reinterpret_cast<void*>(::GetProcAddress(module, name));  // late-bound lookup
}

}  // namespace zelora::win::late
