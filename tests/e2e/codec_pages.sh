#!/usr/bin/env bash
# The codec pages as a person uses them: after the start the Codec Update page is in view
# with its selections stored, a click on "Xvid" flips its selection in the registry; the
# Codec Connect page lists the pack's registered decoders, two ticked rows move to the
# lower list on "unregister" with their bookkeeping and one regsvr32 each, and one moves
# back on "register".
source "$(dirname "$0")/lib.sh"
trace="$shots/codec-pages-process.log"
product='Software\Tarnwick\Quellmark'
codecs='C:\Program Files\Quellmark\Codecs'

# Whether the list row whose centre is at page height y shows the ticked image: its box is
# filled dark blue, the unticked one white (light blue while the row is selected). Every
# list's boxes sit at page x 23.
row_ticked() { # page y
  local rgb
  rgb=$(xwd -root -silent | convert xwd:- \
    -format "%[pixel:p{$((ZELORA_X + 162 + 23)),$((ZELORA_Y + 50 + $1))}]" info:)
  [[ "$rgb" =~ \(([0-9]+),([0-9]+),([0-9]+)\) ]] || return 1
  [ "${BASH_REMATCH[1]}" -lt 100 ]
}
row_unticked() { ! row_ticked "$1"; }

# Zelora with Wine's process trace on: the programs it asks the system to start show up in
# the trace even where they cannot run (a 64-bit-only prefix has no 32-bit regsvr32).
start_zelora_traced() { WINEDEBUG=+process start_zelora "$trace"; }
regsvr32_starts() { grep -c 'CreateProcessInternalW .*regsvr32\.exe' "$trace"; }
# The command line exactly, up to the end of the traced text: no closing quote after the path.
started() { grep -qF -- "$1\"" "$trace"; }

echo "start with the demo pack"
demo_pack
start_zelora_traced || { finish; exit 1; }
park_mouse
check "the Codec Update page is in view" page_shows_bitmap 165 0 0
check "video selections stored: Xvid 1" \
  [ "$(reg_get HKLM "$product\\CodecUpdate\\video" Xvid)" = 1 ]
check "audio selections stored: MMSwitch 0" \
  [ "$(reg_get HKLM "$product\\CodecUpdate\\audio" MMSwitch)" = 0 ]
check "caption selections stored: VSFilter 0" \
  [ "$(reg_get HKLM "$product\\CodecUpdate\\caption" VSFilter)" = 0 ]
check "the Xvid row shows selected" row_ticked 109
screenshot "$shots/codec-update.png"

echo "Codec Update: Xvid clicked twice"
page_click 68 109                    # video list, third row
check "Xvid stored 0" [ "$(reg_get HKLM "$product\\CodecUpdate\\video" Xvid)" = 0 ]
check "the Xvid row shows unselected" row_unticked 109
page_click 68 109
check "Xvid stored 1 again" [ "$(reg_get HKLM "$product\\CodecUpdate\\video" Xvid)" = 1 ]
check "the Xvid row shows selected again" row_ticked 109

echo "Codec Connect: two rows unregistered"
click_at 80 79                       # Codec Connect
park_mouse
check "the Codec Connect page is in view" page_shows_bitmap 142 10 30
# Upper rows, sorted: AC3Filter 90, Divx5 111, DivxG400 132, FFDShow 153, ...
page_click 68 111
page_click 68 153
park_mouse
check "Divx5 ticked" row_ticked 111
check "FFDShow ticked" row_ticked 153
check "AC3Filter not ticked" row_unticked 90
screenshot "$shots/codec-connect-ticked.png"
page_click 355 71                    # unregister
check "the unregister image shows hover after its action" page_shows_bitmap 141 320 60
page_move 200 230                    # off the button, still over the page
check "and normal once the mouse moves off it" page_shows_bitmap 139 320 60
park_mouse
check "CodecDel records Divx5's filter" \
  [ "$(reg_get HKLM "$product\\CodecDel" Divx5)" = "$codecs\\divxdec.ax" ]
check "CodecDel records FFDShow's filter" \
  [ "$(reg_get HKLM "$product\\CodecDel" FFDShow)" = "$codecs\\ffdshow.ax" ]
check "Install no longer holds Divx5" [ -z "$(reg_get HKLM "$product\\Install" Divx5)" ]
check "Install no longer holds FFDShow" [ -z "$(reg_get HKLM "$product\\Install" FFDShow)" ]
check "Install still holds Xvid" [ -n "$(reg_get HKLM "$product\\Install" Xvid)" ]
check "two regsvr32 started" [ "$(regsvr32_starts)" = 2 ]
check "regsvr32 /s /u for FFDShow (the lower row first)" \
  started 'regsvr32.exe\" /s /u \"C:\\Program Files\\Quellmark\\Codecs\\ffdshow.ax'
check "regsvr32 /s /u for Divx5" \
  started 'regsvr32.exe\" /s /u \"C:\\Program Files\\Quellmark\\Codecs\\divxdec.ax'
check "FFDShow was started before Divx5" \
  [ "$(grep 'CreateProcessInternalW' "$trace" | grep -o 'Codecs\\\\[a-z]*\.ax' | head -n 2 | tr '\n' ' ')" = \
    'Codecs\\ffdshow.ax Codecs\\divxdec.ax ' ]
# Lower rows, sorted: Divx5 300, FFDShow 321.
check "the moved rows arrive unticked" row_unticked 300
check "both of them" row_unticked 321
for y in 90 111 132 153; do check "upper row at $y unticked" row_unticked $y; done
screenshot "$shots/codec-connect-unregistered.png"

echo "Codec Connect: one row registered again"
page_click 68 300                    # Divx5 in the lower list
park_mouse
check "Divx5 ticked in the lower list" row_ticked 300
page_click 355 281                   # register
park_mouse
check "Install records Divx5 again" \
  [ "$(reg_get HKLM "$product\\Install" Divx5)" = "$codecs\\divxdec.ax" ]
check "CodecDel no longer holds Divx5" [ -z "$(reg_get HKLM "$product\\CodecDel" Divx5)" ]
check "CodecDel still holds FFDShow" [ -n "$(reg_get HKLM "$product\\CodecDel" FFDShow)" ]
check "a third regsvr32 started" [ "$(regsvr32_starts)" = 3 ]
check "regsvr32 /s for Divx5" \
  started 'regsvr32.exe\" /s \"C:\\Program Files\\Quellmark\\Codecs\\divxdec.ax'
check "the lower list's first row is now FFDShow, unticked" row_unticked 300
check "Divx5 is back above, unticked" row_unticked 111
page_move 200 230
screenshot "$shots/codec-connect.png"

click_at 558 11
check "Zelora closed" wait_exit 10
echo "screenshots: $shots/codec-*.png"
finish
