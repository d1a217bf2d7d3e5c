#!/usr/bin/env bash
# Fails when a program imports a DLL that Windows does not ship (a compiler runtime, say), or
# binds at load one of those it calls only once a window is up (platform/win/LateImports.h).
set -euo pipefail
late='^(ole32|oleaut32|oleacc|shell32)\.dll$'
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|bcrypt|shell32|shlwapi|ole32|oleaut32|oleacc|urlmon|wininet|version|msvcrt|uxtheme)\.dll$'
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" 2>/dev/null | awk '/DLL Name:/ {print tolower($3)}')
  [ -n "$dlls" ] || dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
  for dll in $dlls; do
    if ! [[ "$dll" =~ $allowed ]]; then
      echo "$exe imports $dll, which is not a system DLL"
      status=1
    fi
    if [[ "$dll" =~ $late ]]; then
      echo "$exe loads $dll before its window: call it through platform/win/LateImports.h"
      status=1
    fi
  done
  echo "$(basename "$exe"): $(echo $dlls | tr ' ' ',')"
done
exit $status
