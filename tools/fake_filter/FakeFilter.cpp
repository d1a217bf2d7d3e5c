// A stand-in decoder for the end-to-end tests: regsvr32 on any copy of this DLL registers it
// as a DirectShow filter at that copy's path (its CLSID and its Instance entry in the filter
// category, in the 32-bit view the decoders use), and /u removes both again, as a real
// filter's self-registration does. It decodes nothing.
#include <windows.h>

namespace {

HINSTANCE g_module = nullptr;

constexpr wchar_t kClsid[] = L"{5A1E7E57-C0DE-4A11-9E57-0000000000E2}";
constexpr wchar_t kInstanceKey[] =
    L"CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\{5A1E7E57-C0DE-4A11-9E57-0000000000E2}";
constexpr wchar_t kServerKey[] = L"CLSID\\{5A1E7E57-C0DE-4A11-9E57-0000000000E2}\\InprocServer32";
constexpr wchar_t kClassKey[] = L"CLSID\\{5A1E7E57-C0DE-4A11-9E57-0000000000E2}";
constexpr REGSAM kAccess = KEY_SET_VALUE | KEY_WOW64_32KEY;

bool SetString(const wchar_t* key, const wchar_t* name, const wchar_t* text)
{
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, kAccess, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const DWORD bytes = static_cast<DWORD>((::lstrlenW(text) + 1) * sizeof(wchar_t));
    const LONG status =
        ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
    ::RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = ::GetModuleFileNameW(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return E_FAIL;
    const bool written = SetString(kServerKey, nullptr, path) &&
                         SetString(kServerKey, L"ThreadingModel", L"Both") &&
                         SetString(kInstanceKey, L"FriendlyName", L"Zelora Test Filter") &&
                         SetString(kInstanceKey, L"CLSID", kClsid);
    return written ? S_OK : E_ACCESSDENIED;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    ::RegDeleteKeyExW(HKEY_CLASSES_ROOT, kInstanceKey, KEY_WOW64_32KEY, 0);
    ::RegDeleteKeyExW(HKEY_CLASSES_ROOT, kServerKey, KEY_WOW64_32KEY, 0);
    ::RegDeleteKeyExW(HKEY_CLASSES_ROOT, kClassKey, KEY_WOW64_32KEY, 0);
    return S_OK;
}
