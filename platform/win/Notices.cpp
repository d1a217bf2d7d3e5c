#include "platform/win/Notices.h"

#include <string>

namespace zelora::win {
namespace {

const wchar_t* s_program = nullptr;

int Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return ::MessageBoxW(owner, text, caption, type);
}

HWND OwnerOf(HWND asker) { return asker ? ::GetAncestor(asker, GA_ROOT) : nullptr; }

}  // namespace

void NameProgram(const wchar_t* program) { s_program = program; }

void Tell(HWND asker, const wchar_t* text, Notice notice)
{
    Show(OwnerOf(asker), text, s_program, MB_OK | static_cast<UINT>(notice));
}

bool Ask(HWND asker, const wchar_t* text)
{
    // Unowned (another program's question, such as the uninstaller's), it comes to the front.
    const HWND owner = OwnerOf(asker);
    const UINT front = owner ? 0 : MB_SETFOREGROUND;
    return Show(owner, text, s_program, MB_YESNO | MB_ICONQUESTION | front) == IDYES;
}

int Announce(const wchar_t* text, const wchar_t* caption) { return Show(nullptr, text, caption, MB_OK); }

void DebugLine(std::wstring_view text)
{
    const std::wstring line = std::wstring(text) + L"\n";
    ::OutputDebugStringW(line.c_str());
}

}  // namespace zelora::win
