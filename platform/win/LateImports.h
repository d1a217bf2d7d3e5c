#pragma once
// System functions bound at their first call instead of when the program loads. COM and OLE
// (the finder's browser, the settings-file dialogs, the updater's start), the accessibility
// runtime (asked for by a screen reader only), OLE strings and the shell (opening a file or
// the installer) are not needed before a window is up, and each of their DLLs costs its
// load, its dependencies' and their initialisation before the first paint: under Wine the
// chief share of what a start spends outside its own code. The programs link none of these
// DLLs, and scripts/check-imports.sh fails a program that binds one at load.
//
// Each function keeps the system's own declaration (its type, calling convention included,
// is taken from it), so a call reads as it always did: late::CoCreateInstance(...). Where its
// DLL or the function cannot be found a call does nothing and returns the row's failure.

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>
#include <shellapi.h>

#include <type_traits>
#include <utility>

namespace zelora::win::late {

enum class Dll { Ole32, OleAut32, OleAcc, Shell32 };

// The function's address in the DLL, loaded on the first request; null when either is missing.
void* Bind(Dll dll, const char* name);

inline constexpr HRESULT kNotBound = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

template <typename Function, typename Failure, typename... Args>
auto Call(Function bound, Failure failure, Args&&... args)
{
    using Result = decltype(bound(std::forward<Args>(args)...));
    if constexpr (std::is_void_v<Result>) {
        if (bound) bound(std::forward<Args>(args)...);
    } else {
        return bound ? bound(std::forward<Args>(args)...) : static_cast<Result>(failure);
    }
}

#define ZELORA_LATE_FUNCTION(dll, name, failure)                                               \
    template <typename... Args>                                                                \
    auto name(Args&&... args)                                                                  \
    {                                                                                          \
        static const auto bound = reinterpret_cast<decltype(&::name)>(Bind(Dll::dll, #name));  \
        return Call(bound, failure, std::forward<Args>(args)...);                              \
    }

ZELORA_LATE_FUNCTION(Ole32, OleInitialize, kNotBound)
ZELORA_LATE_FUNCTION(Ole32, OleUninitialize, 0)
ZELORA_LATE_FUNCTION(Ole32, OleSetContainedObject, kNotBound)
ZELORA_LATE_FUNCTION(Ole32, CoCreateInstance, kNotBound)
ZELORA_LATE_FUNCTION(Ole32, CoTaskMemFree, 0)
ZELORA_LATE_FUNCTION(OleAut32, SysAllocString, nullptr)
ZELORA_LATE_FUNCTION(OleAut32, SysAllocStringLen, nullptr)
ZELORA_LATE_FUNCTION(OleAut32, SysFreeString, 0)
ZELORA_LATE_FUNCTION(OleAut32, VariantClear, kNotBound)
ZELORA_LATE_FUNCTION(OleAcc, CreateStdAccessibleObject, kNotBound)
ZELORA_LATE_FUNCTION(OleAcc, LresultFromObject, kNotBound)  // a failure is a negative HRESULT
ZELORA_LATE_FUNCTION(Shell32, ShellExecuteW, reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND))
ZELORA_LATE_FUNCTION(Shell32, ShellExecuteExW, FALSE)

#undef ZELORA_LATE_FUNCTION

// What VariantInit does, without a DLL: an output VARIANT must be empty even when OLE's
// strings could not be bound.
inline void VariantInit(VARIANT* variant) { variant->vt = VT_EMPTY; }

}  // namespace zelora::win::late
