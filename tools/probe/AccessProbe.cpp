// Developer tool for the tests: from another process, prints what a screen reader learns of
// a top-level window: the window and every visible window inside it, depth first, each with
// the windowless parts its object lists. One line each, tab-separated:
//   depth  window-class  child-id  role  name  state  default-action  shortcut  value
// (UTF-8). Usage: zelora_access_probe CAPTION [--do NAME]; with --do, instead of printing,
// runs the default action of the first item named NAME (as a screen reader user would) and
// exits 3 when there is none. Exit 1 when no window has that caption.

#include "platform/win/Accessible.h"
#include "platform/win/ComPtr.h"
#include "platform/win/WideText.h"

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

using zelora::win::ComPtr;

struct Named {
    long value;
    const char* name;
};

constexpr Named kRoles[] = {
    {ROLE_SYSTEM_CLIENT, "client"}, {ROLE_SYSTEM_WINDOW, "window"}, {ROLE_SYSTEM_DIALOG, "dialog"},
    {ROLE_SYSTEM_PUSHBUTTON, "push button"}, {ROLE_SYSTEM_CHECKBUTTON, "check box"},
    {ROLE_SYSTEM_RADIOBUTTON, "radio button"}, {ROLE_SYSTEM_COMBOBOX, "combo box"},
    {ROLE_SYSTEM_TEXT, "editable text"}, {ROLE_SYSTEM_STATICTEXT, "text"}, {ROLE_SYSTEM_SLIDER, "slider"},
    {ROLE_SYSTEM_LIST, "list"}, {ROLE_SYSTEM_LISTITEM, "list item"}, {ROLE_SYSTEM_LINK, "link"},
    {ROLE_SYSTEM_GRAPHIC, "graphic"}, {ROLE_SYSTEM_GROUPING, "grouping"},
    {ROLE_SYSTEM_PROGRESSBAR, "progress bar"}, {ROLE_SYSTEM_PROPERTYPAGE, "property page"},
    {ROLE_SYSTEM_PANE, "pane"}, {ROLE_SYSTEM_MENUITEM, "menu item"}, {ROLE_SYSTEM_OUTLINEBUTTON, "outline button"},
    {ROLE_SYSTEM_SPINBUTTON, "spin button"},
};

constexpr Named kStates[] = {
    {STATE_SYSTEM_UNAVAILABLE, "unavailable"}, {STATE_SYSTEM_SELECTED, "selected"},
    {STATE_SYSTEM_FOCUSED, "focused"}, {STATE_SYSTEM_PRESSED, "pressed"}, {STATE_SYSTEM_CHECKED, "checked"},
    {STATE_SYSTEM_MIXED, "mixed"}, {STATE_SYSTEM_EXPANDED, "expanded"}, {STATE_SYSTEM_COLLAPSED, "collapsed"},
    {STATE_SYSTEM_INVISIBLE, "invisible"}, {STATE_SYSTEM_FOCUSABLE, "focusable"},
    {STATE_SYSTEM_DEFAULT, "default"},
};

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

std::string Clean(const std::wstring& text)
{
    std::string out = zelora::win::Narrow(text);
    for (char& c : out) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return out;
}

template <typename Getter>
std::string TextOf(Getter get)
{
    BSTR text = nullptr;
    std::string out;
    if (get(&text) == S_OK && text) out = Clean(std::wstring(text, ::SysStringLen(text)));
    ::SysFreeString(text);
    return out;
}

long NumberOf(IAccessible* object, const VARIANT& child, bool role)
{
    VARIANT value;
    ::VariantInit(&value);
    const HRESULT hr = role ? object->get_accRole(child, &value) : object->get_accState(child, &value);
    const long number = SUCCEEDED(hr) && value.vt == VT_I4 ? value.lVal : 0;
    ::VariantClear(&value);
    return number;
}

std::string RoleName(long role)
{
    for (const Named& row : kRoles) {
        if (row.value == role) return row.name;
    }
    return "role " + std::to_string(role);
}

std::string StateNames(long state)
{
    std::string out;
    for (const Named& row : kStates) {
        if (!(state & row.value)) continue;
        if (!out.empty()) out += ',';
        out += row.name;
    }
    return out;
}

VARIANT ChildId(long id)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// Set by --do: the name whose default action runs, and whether it ran.
std::string g_doName;
bool g_done = false;

void PrintItem(int depth, const std::string& cls, IAccessible* object, long id)
{
    const VARIANT child = ChildId(id);
    if (!g_doName.empty()) {
        if (!g_done && TextOf([&](BSTR* t) { return object->get_accName(child, t); }) == g_doName)
            g_done = SUCCEEDED(object->accDoDefaultAction(child));
        return;
    }
    std::string line = std::to_string(depth) + '\t' + cls + '\t' + std::to_string(id) + '\t';
    line += RoleName(NumberOf(object, child, true)) + '\t';
    line += TextOf([&](BSTR* t) { return object->get_accName(child, t); }) + '\t';
    line += StateNames(NumberOf(object, child, false)) + '\t';
    line += TextOf([&](BSTR* t) { return object->get_accDefaultAction(child, t); }) + '\t';
    line += TextOf([&](BSTR* t) { return object->get_accKeyboardShortcut(child, t); }) + '\t';
    line += TextOf([&](BSTR* t) { return object->get_accValue(child, t); }) + '\n';
    Print(line);
}

// The window itself, then its object's simple children (its children that are windows
// come with their own windows).
void ProbeWindow(HWND hwnd, int depth)
{
    wchar_t cls[64]{};
    ::GetClassNameW(hwnd, cls, 64);
    const std::string className = Clean(cls);
    ComPtr<IAccessible> object;
    if (FAILED(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), zelora::win::kIidAccessible,
                                            object.PutVoid())) || !object) {
        Print(std::to_string(depth) + '\t' + className + "\t0\t(no object)\t\t\t\t\t\n");
    } else {
        PrintItem(depth, className, object.Get(), CHILDID_SELF);
        long count = 0;
        object->get_accChildCount(&count);
        for (long id = 1; id <= count && id <= 4096; ++id) {
            VARIANT child = ChildId(id);
            ComPtr<IDispatch> dispatch;
            // S_FALSE: a simple child, known only through this object; windows come with
            // their own windows, and what the object cannot say is skipped.
            if (object->get_accChild(child, dispatch.Put()) == S_FALSE) PrintItem(depth + 1, className, object.Get(), id);
        }
    }
    for (HWND w = ::GetWindow(hwnd, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::IsWindowVisible(w)) ProbeWindow(w, depth + 1);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[2]) == L"--do") {
        g_doName = zelora::win::Narrow(argv[3]);
    } else if (argc != 2) {
        std::fputs("usage: zelora_access_probe CAPTION [--do NAME]\n", stderr);
        return 2;
    }
    const HWND window = ::FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::fputs("no window of that caption\n", stderr);
        return 1;
    }
    ::CoInitialize(nullptr);
    ProbeWindow(window, 0);
    std::fflush(stdout);
    ::CoUninitialize();
    return g_doName.empty() || g_done ? 0 : 3;
}
