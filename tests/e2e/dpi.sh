#!/usr/bin/env bash
# Zelora at each scale a Korean laptop runs (LogPixels set before start): the window is the
# skin's size for the scale, and a window moved from 96 to 192 DPI by the system's message
# shows what a start at 192 shows. Screenshots of the start and the finder at each scale go
# beside the build for looking at.
# A screen of its own: the window at 200 % is 1176 x 1216 at (400, 250).
unset DISPLAY
export ZELORA_SCREEN=2048x1700
source "$(dirname "$0")/lib.sh"

set_dpi() { "$ZELORA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; "$WINESERVER" -w; }
# The prefix belongs to this display number, which a later test may get again: 96 is left.
trap 'set_dpi 96; e2e_cleanup' EXIT
scaled() { echo $(( ($1 * $2 + 48) / 96 )); }  # the programs' one rounding rule

demo_pack
for dpi in 96 120 144 168 192; do
  echo "at $dpi DPI"
  set_dpi "$dpi"
  export E2E_DPI=$dpi
  start_zelora || continue
  width=$(scaled 588 "$dpi"); height=$(scaled 608 "$dpi")
  check "the window is ${width} x ${height}" [ "$(window_geometry | cut -d' ' -f3,4)" = "$width $height" ]
  screenshot "$shots/dpi-$dpi-start.png" "${width}x${height}+$ZELORA_X+$ZELORA_Y"
  page=0
  for name in "${menu_buttons[@]}"; do  # every page, opened as a screen reader opens it
    probe_do Zelora "$name" || fail "$name opens at $dpi DPI"
    sleep 0.5
    page=$((page + 1))
    screenshot "$shots/dpi-$dpi-page-$page.png" "${width}x${height}+$ZELORA_X+$ZELORA_Y"
  done
  # The finder's image: the hot area's 96-DPI centre, scaled.
  xdotool mousemove --sync $((ZELORA_X + $(scaled 315 "$dpi"))) $((ZELORA_Y + $(scaled 580 "$dpi"))) click 1
  if wait_for 10 window_shown '^영화찾기$'; then
    sleep 1
    read -r fx fy fw fh <<< "$(window_geometry "$(visible_window '^영화찾기$')")"
    screenshot "$shots/dpi-$dpi-finder.png" "${fw}x${fh}+$fx+$fy"
    ok "the finder opens at $dpi DPI"
  else
    fail "the finder opens at $dpi DPI"
  fi
  "$WINESERVER" -k 2>/dev/null || true
  wait_exit 10
done

echo "a move from 96 to 192 DPI against a start at 192"
picture() { # LogPixels, file, [DPI to move to]
  set_dpi "$1"
  ZELORA_DPI_PICTURE="$(winepath_of "$2")" ZELORA_DPI_TO="${3:-}" "$ZELORA_WINE" "$ZELORA_BUILD/zelora_win_tests.exe" \
    --gtest_also_run_disabled_tests --gtest_filter='DpiPicture.*' >/dev/null 2>&1
}
moved="$shots/dpi-moved-to-192.ppm"; started="$shots/dpi-started-at-192.ppm"
picture 96 "$moved" 192
picture 192 "$started"
set_dpi 96
# Allowed: the controls the dialog manager placed from the template at 192 round their
# places from dialog units, the moved ones from 96-DPI pixels (a pixel here and there), and
# text laid out again at the new size. Anything beyond 1 % of the window differs for real.
differing=$(compare -metric AE -fuzz 20% "$moved" "$started" null: 2>&1 | awk '{printf "%d", $1}')
total=$(( $(scaled 588 192) * $(scaled 608 192) ))
echo "  $differing of $total pixels differ"
convert "$moved" "$shots/dpi-moved-to-192.png" 2>/dev/null; convert "$started" "$shots/dpi-started-at-192.png" 2>/dev/null
within() { [ -n "$differing" ] && [ "$differing" -le $((total / 100)) ]; }
check "the moved window matches a start at 192 DPI within 1 %" within
finish
