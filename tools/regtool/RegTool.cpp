// Developer tool for the scripts: reads and writes registry values in the 32-bit view, with
// UTF-8 text (the Wine console mangles non-ASCII arguments of `reg add`), and keys'
// descriptors in either view (Wine keeps a descriptor only while its server runs: a script
// keeps the server up, `wineserver -p`, from setting one to checking it).
//
//   zelora_regtool apply FILE        lines "ROOT|KEY|NAME|sz|TEXT", "ROOT|KEY|NAME|dword|N",
//                                    "ROOT|KEY|-" (delete the key tree); '#' starts a comment
//   zelora_regtool get ROOT KEY NAME prints the value (DWORD in decimal), exit 1 if missing
//   zelora_regtool names ROOT KEY    prints the key's value names, one a line
//   zelora_regtool close CAPTION     sends WM_CLOSE to the dialog of that caption as the
//                                    setup does (5 s timeout) and prints how many ms the
//                                    answer took; exit 1 if no such window or no answer
//   zelora_regtool message CAPTION   prints the text of the shown message box of that
//                                    caption; exit 1 if there is none
//   zelora_regtool question CAPTION  the same for a shown yes-or-no box, owned or not
//   zelora_regtool control CAPTION ID  prints the text of the control ID in the program
//                                    window of that caption, a drop list's items one a
//                                    line; exit 1 if there is no such control
//   zelora_regtool descriptor ROOT KEY 32|64        prints the key's owner, group and DACL
//                                    as hex bytes (self-relative); exit 1 if unreadable
//   zelora_regtool secure ROOT KEY 32|64 SDDL        gives the key (made if missing) that
//                                    owner, group and DACL; exit 1 if refused

#include "platform/registry/Win32Registry.h"
#include "platform/text/Text.h"
#include "platform/registry/RegistryStore.h"
#include "platform/win/UniqueHandle.h"

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace zelora;

// The tool's backend: the real registry, in the 32-bit view unless "64" is asked for.
RegistryBackend& Registry(std::string_view view = "32")
{
    static Win32Registry registry;
    static Win32Registry registry64(RegistryView::Bits64);
    return view == "64" ? registry64 : registry;
}

int PrintDescriptor(RegRoot root, const std::string& key, const std::string& view)
{
    std::vector<unsigned char> bytes;
    if (Registry(view).Security()->ReadDescriptor(root, key, bytes) != RegStatus::Ok) return 1;
    for (unsigned char byte : bytes) std::printf("%02X", byte);
    std::printf("\n");
    return 0;
}

int Secure(RegRoot root, const std::string& key, const std::string& view, const std::string& sddl)
{
    const std::u16string wide = Utf8ToUtf16(sddl);
    PSECURITY_DESCRIPTOR made = nullptr;
    ULONG size = 0;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            reinterpret_cast<const wchar_t*>(wide.c_str()), SDDL_REVISION_1, &made, &size))
        return 2;
    const win::UniqueLocalMemory owner(made);
    std::uint32_t none = 0;  // a read that makes the key
    Registry(view).QueryValue(root, key, KeyOpen::CreateIfMissing, "", nullptr, none, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(made);
    return Registry(view).Security()->WriteDescriptor(root, key, {bytes, size}) == RegStatus::Ok ? 0 : 1;
}

bool ParseRoot(const std::string& text, RegRoot& root)
{
    if (text == "HKCU") root = RegRoot::CurrentUser;
    else if (text == "HKLM") root = RegRoot::LocalMachine;
    else if (text == "HKCR") root = RegRoot::ClassesRoot;
    else return false;
    return true;
}

std::vector<std::string> Split(const std::string& line, char separator, std::size_t maxParts)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < maxParts) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string::npos) break;
        parts.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

// HKCR is read-only for the programs' store; demo data still needs filter registrations.
void WriteRawString(RegRoot root, const std::string& key, const std::string& name,
                    const std::string& text)
{
    std::u16string wide = Utf8ToUtf16(text);
    wide.push_back(u'\0');
    Registry().SetValue(root, key, name, RegType::String, wide.data(),
                              static_cast<std::uint32_t>(wide.size() * 2));
}

int Apply(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "regtool: cannot read %s\n", path);
        return 2;
    }
    RegistryStore store(Registry());
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto parts = Split(line, '|', 5);
        RegRoot root{};
        if (parts.size() < 3 || !ParseRoot(parts[0], root)) {
            std::fprintf(stderr, "regtool: %s:%d: bad line\n", path, lineNumber);
            return 2;
        }
        if (parts.size() == 3 && parts[2] == "-") {
            Registry().DeleteTree(root, parts[1]);
        } else if (parts.size() == 5 && parts[3] == "sz") {
            WriteRawString(root, parts[1], parts[2], parts[4]);
        } else if (parts.size() == 5 && parts[3] == "dword") {
            store.WriteDword(root, parts[1], parts[2], DecimalTextToInt(parts[4]));
        } else {
            std::fprintf(stderr, "regtool: %s:%d: bad line\n", path, lineNumber);
            return 2;
        }
    }
    return 0;
}

int Get(RegRoot root, const std::string& key, const std::string& name)
{
    RegType type{};
    std::uint32_t size = 0;
    if (Registry().QueryValue(root, key, KeyOpen::ExistingOnly, name, nullptr, size,
                                    &type) != RegStatus::Ok)
        return 1;
    RegistryStore store(Registry());
    if (type == RegType::Dword)
        std::printf("%d\n", static_cast<int>(store.ReadDword(root, key, name)));
    else
        std::printf("%s\n", store.ReadString(root, key, name).c_str());
    return 0;
}

int Close(const std::string& caption)
{
    const std::u16string wide = Utf8ToUtf16(caption);
    const HWND window = ::FindWindowW(L"#32770", reinterpret_cast<const wchar_t*>(wide.c_str()));
    if (!window) return 1;
    DWORD_PTR ignored = 0;
    const ULONGLONG start = ::GetTickCount64();
    const LRESULT answered = ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
    std::printf("%llu\n", static_cast<unsigned long long>(::GetTickCount64() - start));
    return answered ? 0 : 1;
}

// A message box is an owned dialog, unlike a program's main window of the same caption; a
// question asked with no window of its own (the uninstaller's) is unowned, and known by its
// yes and no buttons.
enum class Shown { OwnedBox, ProgramWindow, Question };
struct MessageBoxSearch {
    std::u16string caption;
    Shown kind = Shown::OwnedBox;
    HWND box = nullptr;
};

bool IsQuestion(HWND window) { return ::GetDlgItem(window, IDYES) && ::GetDlgItem(window, IDNO); }

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<MessageBoxSearch*>(param);
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) != L"#32770" || !::IsWindowVisible(window) ||
        (search.kind == Shown::Question ? !IsQuestion(window)
                                        : (::GetWindow(window, GW_OWNER) != nullptr) != (search.kind == Shown::OwnedBox)))
        return TRUE;
    std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    title.resize(static_cast<std::size_t>(::GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    if (std::u16string_view(reinterpret_cast<const char16_t*>(title.data()), title.size()) != search.caption)
        return TRUE;
    search.box = window;
    return FALSE;
}

int Message(const std::string& caption, Shown kind)
{
    constexpr int kMessageTextId = 0xFFFF;  // the box's static that holds its text
    MessageBoxSearch search{Utf8ToUtf16(caption), kind};
    ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    const HWND text = search.box ? ::GetDlgItem(search.box, kMessageTextId) : nullptr;
    if (!text) return 1;
    std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(text)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(text, wide.data(), static_cast<int>(wide.size()))));
    std::printf("%s\n", Utf16ToUtf8(std::u16string(wide.begin(), wide.end())).c_str());
    return 0;
}

std::string TextOf(HWND window)
{
    std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(window, wide.data(), static_cast<int>(wide.size()))));
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

struct ControlSearch {
    int id;
    HWND control = nullptr;
};

BOOL CALLBACK FindControl(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<ControlSearch*>(param);
    if (::GetDlgCtrlID(window) != search.id || !::IsWindowVisible(window)) return TRUE;
    search.control = window;
    return FALSE;
}

int Control(const std::string& caption, const std::string& id)
{
    MessageBoxSearch program{Utf8ToUtf16(caption), Shown::ProgramWindow};
    ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&program));
    ControlSearch search{std::atoi(id.c_str())};
    if (program.box) ::EnumChildWindows(program.box, FindControl, reinterpret_cast<LPARAM>(&search));
    if (!search.control) return 1;
    wchar_t className[16] = {};
    ::GetClassNameW(search.control, className, 16);
    if (std::wstring_view(className) != L"ComboBox") {
        std::printf("%s\n", TextOf(search.control).c_str());
        return 0;
    }
    const auto count = ::SendMessageW(search.control, CB_GETCOUNT, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        std::wstring item(static_cast<std::size_t>(::SendMessageW(search.control, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(
            ::SendMessageW(search.control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        std::printf("%s\n", Utf16ToUtf8(std::u16string(item.begin(), item.end())).c_str());
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf16ToUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    RegRoot root{};
    const bool viewGiven = args.size() >= 4 && (args[3] == "32" || args[3] == "64");
    if (args.size() == 2 && args[0] == "apply") return Apply(args[1].c_str());
    if (args.size() == 4 && args[0] == "get" && ParseRoot(args[1], root))
        return Get(root, args[2], args[3]);
    if (args.size() == 3 && args[0] == "names" && ParseRoot(args[1], root)) {
        std::vector<std::string> names;
        if (Registry().EnumValueNames(root, args[2], KeyOpen::ExistingOnly, names) !=
            RegStatus::Ok)
            return 1;
        for (const auto& n : names) std::printf("%s\n", n.c_str());
        return 0;
    }
    if (args.size() == 2 && args[0] == "close") return Close(args[1]);
    if (args.size() == 2 && args[0] == "message") return Message(args[1], Shown::OwnedBox);
    if (args.size() == 2 && args[0] == "question") return Message(args[1], Shown::Question);
    if (args.size() == 3 && args[0] == "control") return Control(args[1], args[2]);
    if (args.size() == 4 && viewGiven && args[0] == "descriptor" && ParseRoot(args[1], root))
        return PrintDescriptor(root, args[2], args[3]);
    if (args.size() == 5 && viewGiven && args[0] == "secure" && ParseRoot(args[1], root))
        return Secure(root, args[2], args[3], args[4]);
    std::fprintf(stderr, "usage: zelora_regtool apply FILE | get ROOT KEY NAME | names ROOT KEY | "
                         "close CAPTION | message CAPTION | question CAPTION | control CAPTION ID | descriptor ROOT KEY 32|64 | "
                         "secure ROOT KEY 32|64 SDDL\n");
    return 2;
}
