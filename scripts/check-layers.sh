#!/usr/bin/env bash
# Layers only look down, and device contexts and selections only through their owners.
#   platform/  the Win32 stand-in and registry: knows no page, codec, finder or shell
#   pages/     the page interface, the frame and the decoder pages: above platform only
#   codecs/, finder/  pages of their own: above pages, never the shell or the updater
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
forbid platform 'pages|codecs|finder|shell|updater'
forbid pages 'codecs|finder|shell|updater'
forbid codecs 'finder|shell|updater'
forbid finder 'codecs|shell|updater'
hits=$(grep -rnE '::(GetDC|GetWindowDC|ReleaseDC|BeginPaint|EndPaint|SelectObject)\(' \
         platform pages codecs finder shell updater --include=*.h --include=*.cpp |
       grep -vE '^platform/win/(UniqueHandle\.h|Painter\.cpp):')
if [ -n "$hits" ]; then echo "device contexts or selections outside their owners:"; echo "$hits" | sed 's/^/    /'; status=1; fi
[ "$status" -eq 0 ] && echo "layers look down only; device contexts only through their owners"
exit $status
