#include "platform/win/Notices.h"

#include <string>

namespace zelora::win {
namespace {

const wchar_t* s_program = nullptr;

int Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return ::MessageBoxW(owner, text, caption, MB_OK | type);
}

}  // namespace

void NameProgram(const wchar_t* program) { s_program = program; }

void Tell(HWND asker, const wchar_t* text, Notice notice)
{
    const HWND owner = asker ? ::GetAncestor(asker, GA_ROOT) : nullptr;
    Show(owner, text, s_program, static_cast<UINT>(notice));
}

int Announce(const wchar_t* text, const wchar_t* caption) { return Show(nullptr, text, caption, 0); }

void DebugLine(std::wstring_view text)
{
    const std::wstring line = std::wstring(text) + L"\n";
    ::OutputDebugStringW(line.c_str());
}

}  // namespace zelora::win
