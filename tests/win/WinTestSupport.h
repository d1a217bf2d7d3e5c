#pragma once
// Small helpers the Win32-side tests share.

#include <windows.h>

#include <oleacc.h>

#include "codecs/FilterInventory.h"
#include "platform/registry/ForwardingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/Win32Registry.h"
#include "platform/win/Controls.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::wintest {

using win::WindowText;

// A hidden top-level window to hold pages under test, destroyed with the guard (after the
// pages, when declared before them).
class PageParent {
public:
    PageParent()
        : m_hwnd(::CreateWindowExW(0, L"STATIC", L"pages", WS_POPUP, 0, 0, 600, 600, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~PageParent() { ::DestroyWindow(m_hwnd); }
    PageParent(const PageParent&) = delete;
    PageParent& operator=(const PageParent&) = delete;
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Runs every message waiting for this thread. Not translated: TypeKeys posts the
// characters itself.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// Types into the window that has the focus, one key at a time, as a keyboard does: a
// key-down, the character, a key-up, each through the message queue. "\b" is backspace.
inline void TypeKeys(std::wstring_view keys)
{
    for (wchar_t ch : keys) {
        const HWND focus = ::GetFocus();
        const auto vk = static_cast<WPARAM>(ch == L'\b' ? VK_BACK : ch == L'-' ? VK_OEM_MINUS : ch);
        ::PostMessageW(focus, WM_KEYDOWN, vk, 1);
        ::PostMessageW(focus, WM_CHAR, static_cast<WPARAM>(ch), 1);
        ::PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        PumpMessages();
    }
}

// `inner`, except that it refuses every write under HKEY_LOCAL_MACHINE, as the real
// registry does for a standard user.
class MachineReadOnlyRegistry final : public ForwardingRegistry {
public:
    explicit MachineReadOnlyRegistry(RegistryBackend& inner) : ForwardingRegistry(inner) {}

    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override
    {
        if (root == RegRoot::LocalMachine) return RegStatus::Denied;
        return ForwardingRegistry::SetValue(root, path, name, type, data, size);
    }
    RegStatus DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                          std::string_view name) override
    {
        if (root == RegRoot::LocalMachine) return RegStatus::Denied;
        return ForwardingRegistry::DeleteValue(root, path, open, name);
    }
};

// A test's own registry, holding what every Windows machine has that the main window reads:
// the DirectShow filter category, without filters (otherwise the Connect page's scan would
// find the category refused and say so in a message box).
class MachineRegistry final : public ForwardingRegistry {
public:
    MachineRegistry() : ForwardingRegistry(m_memory)
    {
        std::uint32_t size = 0;
        m_memory.QueryValue(RegRoot::ClassesRoot, kFilterCategoryPath, KeyOpen::CreateIfMissing,
                            "", nullptr, size, nullptr);
    }

private:
    MemoryRegistry m_memory;
};

// A test's own registry in memory, whose keys can be made read-only for a while, as
// HKEY_CLASSES_ROOT's are for a user without administrator rights: no full access to them,
// and no deletion of them or of a key holding one.
class ReadOnlyKeysRegistry final : public ForwardingRegistry {
public:
    ReadOnlyKeysRegistry() : ForwardingRegistry(m_memory) {}

    // Read-only while the result lives.
    struct ReadOnly {
        ReadOnly(ReadOnlyKeysRegistry& registry, std::string path) : owner(registry) { owner.m_readOnly.push_back(path); }
        ~ReadOnly() { owner.m_readOnly.pop_back(); }
        ReadOnly(const ReadOnly&) = delete;
        ReadOnly& operator=(const ReadOnly&) = delete;
        ReadOnlyKeysRegistry& owner;
    };

    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override
    {
        return Refused(path, false) ? RegStatus::Denied : ForwardingRegistry::ProbeFullAccess(root, path);
    }
    RegStatus DeleteTree(RegRoot root, std::string_view path) override
    {
        return Refused(path, true) ? RegStatus::Denied : ForwardingRegistry::DeleteTree(root, path);
    }

private:
    // A read-only key is `path`, or (`orBelow`) below it; the registry ignores case.
    bool Refused(std::string_view path, bool orBelow) const
    {
        const auto same = [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        };
        return std::any_of(m_readOnly.begin(), m_readOnly.end(), [&](std::string_view key) {
            const bool below = orBelow && key.size() > path.size() && key[path.size()] == '\\';
            return (key.size() == path.size() || below) && std::equal(path.begin(), path.end(), key.begin(), same);
        });
    }

    MemoryRegistry m_memory;
    std::vector<std::string> m_readOnly;
};

// The real registry, for a test about the real registry: the key trees it is given are
// deleted when it is made and again when it goes, so the test starts and ends without them.
class ScratchRealRegistry {
public:
    struct Key {
        RegRoot root;
        std::string_view path;
    };
    explicit ScratchRealRegistry(std::initializer_list<Key> keys,
                                 RegistryView view = RegistryView::Bits32)
        : m_keys(keys), m_real(view)
    {
        Clear();
    }
    ~ScratchRealRegistry() { Clear(); }
    ScratchRealRegistry(const ScratchRealRegistry&) = delete;
    ScratchRealRegistry& operator=(const ScratchRealRegistry&) = delete;

    RegistryBackend& Backend() const { return m_real; }

private:
    void Clear() const
    {
        for (const Key& key : m_keys) m_real.DeleteTree(key.root, key.path);
    }

    std::vector<Key> m_keys;
    mutable Win32Registry m_real;
};

// Reads and closes the message boxes that a call opens on this thread.
class MessageBoxWatch {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };

    MessageBoxWatch() : m_timer(::SetTimer(nullptr, 0, 50, &OnTimer)) { s_boxes.clear(); }
    ~MessageBoxWatch() { ::KillTimer(nullptr, m_timer); }
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    const std::vector<Box>& Boxes() const { return s_boxes; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &CloseBox, 0);
    }
    static BOOL CALLBACK CloseBox(HWND window, LPARAM)
    {
        wchar_t className[32] = L"";
        ::GetClassNameW(window, className, 32);
        if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
        Box box{WindowText(window), {}};
        ::EnumChildWindows(window, &ReadText, reinterpret_cast<LPARAM>(&box.text));
        s_boxes.push_back(box);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static BOOL CALLBACK ReadText(HWND child, LPARAM text)
    {
        wchar_t className[32] = L"";
        ::GetClassNameW(child, className, 32);
        const std::wstring content = WindowText(child);
        if (_wcsicmp(className, L"Static") == 0 && !content.empty()) {
            *reinterpret_cast<std::wstring*>(text) = content;
            return FALSE;
        }
        return TRUE;
    }

    static inline std::vector<Box> s_boxes;
    UINT_PTR m_timer;
};

// What a screen reader following this process's events hears: for each event of
// [first, last], the name and value of the object it names. Heard once messages are pumped.
class ReaderEars {
public:
    struct Heard {
        DWORD event;
        std::wstring name, value;
    };
    ReaderEars(DWORD first, DWORD last)
        : m_hook(::SetWinEventHook(first, last, nullptr, &Hear, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT))
    {
        Log().clear();
    }
    ~ReaderEars() { ::UnhookWinEvent(m_hook); }
    ReaderEars(const ReaderEars&) = delete;
    ReaderEars& operator=(const ReaderEars&) = delete;
    const std::vector<Heard>& All() const { PumpMessages(); return Log(); }

private:
    static std::vector<Heard>& Log()
    {
        static std::vector<Heard> heard;
        return heard;
    }
    // On x86 a hook procedure must be CALLBACK, which a lambda cannot be.
    static void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
    {
        IAccessible* accessible = nullptr;
        VARIANT item;
        if (FAILED(::AccessibleObjectFromEvent(hwnd, object, child, &accessible, &item))) return;
        const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
            BSTR out = nullptr;
            std::wstring result;
            if ((accessible->*get)(item, &out) == S_OK && out) result = out;
            ::SysFreeString(out);
            return result;
        };
        Log().push_back({event, text(&IAccessible::get_accName), text(&IAccessible::get_accValue)});
        accessible->Release();
    }

    HWINEVENTHOOK m_hook;
};

}  // namespace zelora::wintest
