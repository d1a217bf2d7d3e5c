#!/usr/bin/env bash
# Fails when a source casts to a function pointer type. The shipped programs are 32-bit, where
# a callback's calling convention (WINAPI, CALLBACK, STDMETHODCALLTYPE) is part of its type;
# the 64-bit build that the tests run has only one convention, and GCC's -Wcast-function-type
# ignores conventions altogether. Only an uncast callback lets the i686 compiler check it, so
# window, dialog, thread, timer and COM callbacks are passed as they are declared, and
# GetProcAddress (whose result can only be used through a cast) and hand-filled C vtables
# (lpVtbl) are not used, but for two marked helpers: Windows 10's DPI functions, which
# Windows 7 lacks, and the late-bound system functions, typed by their own declarations.
# Usage: check-function-casts.sh [FILE...]   (default: every C++ source in the repository)
set -uo pipefail
cd "$(dirname "$0")/.."

if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.inc' '*.c')
fi
[ ${#files[@]} -gt 0 ] || { echo "no sources to check"; exit 1; }

conv='(__stdcall|__cdecl|__fastcall|__thiscall|WINAPI|CALLBACK|APIENTRY|STDMETHODCALLTYPE|STDAPICALLTYPE)'
# A function pointer declarator: "(*)", "(WINAPI *)", "(CALLBACK*)".
declarator="\\(\\s*${conv}?\\s*\\*\\s*\\)"
# Win32's own function pointer typedefs (WNDPROC, DLGPROC, FARPROC, TIMERPROC, SUBCLASSPROC,
# LPTHREAD_START_ROUTINE, PFNLVCOMPARE, LPFNADDPROPSHEETPAGE, ...).
win32_names='[A-Z_]*PROC|L?P?THREAD_START_ROUTINE|L?PFN[A-Z0-9_]*|_beginthreadex_proc_type'
# Function pointer types declared in our own sources: "using X = R (WINAPI*)(...)" and
# "typedef R (WINAPI *X)(...)".
own_names=$(grep -h -o -E "using\\s+\\w+\\s*=[^;=]*${declarator}|typedef[^;]*\\(\\s*${conv}?\\s*\\*\\s*\\w+\\s*\\)" \
               "${files[@]}" 2>/dev/null |
             sed -E 's/^using\s+(\w+).*/\1/; s/^typedef.*\*\s*(\w+)\s*\)$/\1/' | sort -u | paste -sd'|')
names="$win32_names${own_names:+|$own_names}"

patterns=(
  # reinterpret_cast<R (CALLBACK*)(...)>, static_cast<...>, bit_cast<...>
  "(reinterpret_cast|static_cast|bit_cast)\\s*<[^;]*${declarator}"
  # a cast to a named function pointer type
  "(reinterpret_cast|static_cast|const_cast|bit_cast)\\s*<\\s*(const\\s+)?(${names})\\s*>"
  # C-style: (WNDPROC)x, (FARPROC)&f
  "\\(\\s*(${names})\\s*\\)\\s*[&A-Za-z_(:]"
  # C-style: (LRESULT (CALLBACK*)(HWND, UINT, WPARAM, LPARAM))x
  "\\(\\s*[A-Za-z_][A-Za-z0-9_:<> ]*${declarator}\\s*\\([^()]*\\)\\s*\\)\\s*[&A-Za-z_(:]"
  "\\bGetProcAddress\\b"
  "\\blpVtbl\\b"
)

status=0
for pattern in "${patterns[@]}"; do
  # Comment lines are prose, not casts.
  # The exceptions: the DPI functions of Windows 10, looked up so that older Windows still
  # start the programs, in one helper whose callers spell each exact type; and the lookup
  # behind the late-bound functions, each cast to its system declaration's type.
  if hits=$(grep -n -H -E "$pattern" "${files[@]}" | grep -v -E '^[^:]+:[0-9]+:\s*(//|\*|/\*)' |
            grep -v -E '^platform/win/WindowDpi\.cpp:[0-9]+:.*// newer-Windows lookup$' |
            grep -v -E '^platform/win/LateImports\.cpp:[0-9]+:.*// late-bound lookup$'); then
    echo "$hits"
    status=1
  fi
done
if [ $status -eq 0 ]; then
  echo "no casts to function pointer types in ${#files[@]} files"
else
  echo "cast to a function pointer type: declare the callback with its exact type instead"
fi
exit $status
