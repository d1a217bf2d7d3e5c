#!/usr/bin/env bash
# Layers only look down, and device contexts and selections only through their owners.
# Every folder with code has its rule:
#   resources/ ids and templates: include no code
#   platform/  the Win32 stand-in and registry: knows no page, codec, finder, shell or updater
#   pages/     the page table, the frame and the decoder pages: above platform only
#   codecs/, finder/  pages of their own: above pages, never the shell or the updater
#   preferred/ the preferred-decoder page: above codecs (it reads the filter registrations)
#   shell/     Zelora's application and main window: anything of Zelora, not the updater
#   updater/   the other program: above platform only
#   tools/     developer tools: above platform and the updater only (the signing tool checks
#              a manifest as the updater reads it)
#   bench/     benchmarks of Zelora: anything of Zelora, not the updater
# (tests/ may use everything.) The CMake libraries follow the same lines: the updater links
# only the platform's libraries.
# Hand-paired GetDC/ReleaseDC, BeginPaint/EndPaint and SelectObject live only in the owners
# (platform/win/UniqueHandle.h, platform/win/Painter.cpp).
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
forbid() { # folder, pattern of include prefixes it must not use
  local hits
  hits=$(grep -rnE "#include \"($2)/" "$1" --include=*.h --include=*.cpp)
  if [ -n "$hits" ]; then echo "$1 must not include $2:"; echo "$hits" | sed 's/^/    /'; status=1; fi
}
forbid resources 'preferred|platform|pages|codecs|finder|shell|updater|tools|bench|tests'
forbid platform 'preferred|pages|codecs|finder|shell|updater|tools|bench|tests'
forbid pages 'preferred|codecs|finder|shell|updater|tools|bench|tests'
forbid codecs 'preferred|finder|shell|updater|tools|bench|tests'
forbid finder 'preferred|codecs|shell|updater|tools|bench|tests'
forbid preferred 'finder|shell|updater|tools|bench|tests'
forbid shell 'updater|tools|bench|tests'
forbid updater 'preferred|pages|codecs|finder|shell|tools|bench|tests'
forbid tools 'preferred|pages|codecs|finder|shell|bench|tests'
forbid bench 'updater|tools|tests'
# A folder with code and no rule above is a folder this check forgets.
for dir in */; do
  dir=${dir%/}
  case "$dir" in resources|platform|pages|codecs|preferred|finder|shell|updater|tools|bench|tests|build*|cmake|installer|scripts) continue ;; esac
  if [ -n "$(find "$dir" \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ]; then
    echo "$dir has code but no layer rule in scripts/check-layers.sh"; status=1
  fi
done
# The updater's libraries link none of Zelora's.
hits=$(grep -nE 'target_link_libraries\(zelora_updater_(core|win) .*zelora_(core|app)\b' CMakeLists.txt)
if [ -n "$hits" ]; then echo "the updater links Zelora's libraries:"; echo "$hits" | sed 's/^/    /'; status=1; fi
hits=$(grep -rnE '::(GetDC|GetWindowDC|ReleaseDC|BeginPaint|EndPaint|SelectObject)\(' \
         platform pages codecs preferred finder shell updater --include=*.h --include=*.cpp |
       grep -vE '^platform/win/(UniqueHandle\.h|Painter\.cpp):')
if [ -n "$hits" ]; then echo "device contexts or selections outside their owners:"; echo "$hits" | sed 's/^/    /'; status=1; fi
[ "$status" -eq 0 ] && echo "layers look down only; device contexts only through their owners"
exit $status
