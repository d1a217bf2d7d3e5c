#pragma once
// The one way either program tells its user something in a box: the box belongs to the
// top-level window of whichever window asks (so it is modal to the whole program and never
// hides behind it), carries the program's name as its caption and the icon of its kind.
// The program names itself once, at its entry point.

#include <windows.h>

#include <string_view>

namespace zelora::win {

enum class Notice : UINT {
    Information = MB_ICONINFORMATION,
    Warning = MB_ICONWARNING,
    Failure = MB_ICONERROR,
};

// Every later box's caption; `program` must outlive them (a literal).
void NameProgram(const wchar_t* program);
// Allocates nothing: it may tell of a failed allocation.
void Tell(HWND asker, const wchar_t* text, Notice notice);

// A yes-or-no question, owned and captioned as Tell's boxes: true when the answer is yes.
bool Ask(HWND asker, const wchar_t* text);

// A message that is no failure and has its own caption: unowned, no icon; IDOK or the
// button the user chose.
int Announce(const wchar_t* text, const wchar_t* caption);

// A line for a debugger or a log viewer, never for the user: why something failed.
void DebugLine(std::wstring_view text);

}  // namespace zelora::win
