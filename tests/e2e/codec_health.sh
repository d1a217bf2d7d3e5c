#!/usr/bin/env bash
# Codec Connect finds what went wrong behind the pack's back, with the real program and
# registry: Xvid's registration removed (shown "등록 안 됨" below; "register" runs regsvr32
# and the filter registers itself again), Divx5's file deleted (shown "파일 없음"; its own
# dead registration is removed, another vendor's filter of the same file name stays, and
# registering the missing file is refused with a word), FFDShow registered from another
# folder (unregistering it is refused with a word, its registration and books stay),
# Korrins DTS registered at a file elsewhere that is gone (listed below; "register" runs
# regsvr32 on the pack's own file), and AC3Filter's file brought back after the scan (the
# press finds it and removes nothing). The lists show no horizontal scroll bar and a row's
# whole state in its tip. Checked with `reg query` in the 32-bit view the decoders read,
# Wine's process trace and screenshots.
source "$(dirname "$0")/lib.sh"
product='Software\Tarnwick\Quellmark'
codecs='C:\Program Files\Quellmark\Codecs'
category='HKCR\CLSID\{083863F1-70DE-11d0-BD40-00A0C911CE86}\Instance'
clsid() { echo "{0E1AB5A1-0C2C-4D5D-9E3F-5A0F7C1D000$1}"; }   # the demo pack's filters 1-7
vendor='{5A1E7E57-C0DE-4A11-9E57-0000000000F1}'
repaired='{5A1E7E57-C0DE-4A11-9E57-0000000000E2}'                # the stand-in filter's own
drive="$WINEPREFIX/drive_c"

key_exists() { "$ZELORA_WINE" reg query "$1" /reg:32 >/dev/null 2>&1; }
key_absent() { ! key_exists "$1"; }
server_of() { # CLSID: the default value of its InprocServer32
  "$ZELORA_WINE" reg query "HKCR\\CLSID\\$1\\InprocServer32" /ve /reg:32 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ[[:space:]]*//p'
}
# Whether the list row centred at page height y shows any text (its darkest pixel is dark).
row_darkest() {
  xwd -root -silent | convert xwd:- -crop "180x9+$((ZELORA_X + 162 + 40))+$((ZELORA_Y + 50 + $1 - 4))" \
    -colorspace gray -format '%[fx:int(255*minima)]' info:
}
row_has_text() { [ "$(row_darkest "$1")" -lt 100 ]; }
row_is_empty() { [ "$(row_darkest "$1")" -ge 200 ]; }
# Whether a list's strip just above its bottom edge (page y) is plain: a horizontal scroll
# bar there would show its dark arrows.
strip_is_plain() {
  [ "$(xwd -root -silent | convert xwd:- -crop "270x6+$((ZELORA_X + 162 + 14))+$((ZELORA_Y + 50 + $1 - 3))" \
    -colorspace gray -format '%[fx:int(255*minima)]' info:)" -ge 200 ]
}
# How wide the part of the screen is that changed since the picture: the tip that came up.
changed_width() { # picture
  xwd -root -silent | convert "$1" xwd:- -compose difference -composite -threshold 0 -trim \
    -format '%w' info: 2>/dev/null
}
# The message box a press opened: a second window titled as the program.
message_box() {
  xdotool search --onlyvisible --name '^Zelora$' 2>/dev/null | grep -vx "$ZELORA_WINDOW" | head -n 1
}
box_shown() { [ -n "$(message_box)" ]; }
# Saves the box, then closes it with its OK button (Return on the focused box).
close_box() { # screenshot file
  local box; box=$(message_box)
  xwd -id "$box" -silent | convert xwd:- "$1"
  xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return; sleep 0.5
  wait_for_not 5 box_shown
}
trace="$shots/codec-health-process.log"
regsvr32_started_for() { grep -qF -- "$1" "$trace"; }
no_regsvr32_for() { ! grep -q "CreateProcessInternalW .*regsvr32\.exe.*$1" "$trace"; }

# Zelora starts the system's own 32-bit regsvr32, which loads the stand-in filter: both
# must be 32-bit, as on a user's PC.
# The 64-bit build reads the 32-bit view as the shipped one does, where a 64-bit regsvr32
# never registers: this test needs the 32-bit programs (exit 77: not run).
if [ "$ZELORA_BITS" != 32 ]; then echo "  not run: needs the 32-bit programs and regsvr32"; finish; exit 77; fi
[ -f "$drive/windows/syswow64/regsvr32.exe" ] || { fail "the prefix has no 32-bit regsvr32"; finish; exit 1; }
# The prefix is shared with the other tests: leave it as the demo pack has it.
restore() {
  rm -rf "$drive/Vendor" "$drive/Other Pack"
  reg_apply <<LINES
HKCR|CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\$vendor|-
HKCR|CLSID\\$vendor|-
HKCR|CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\$repaired|-
HKCR|CLSID\\$repaired|-
LINES
  demo_pack
}
trap 'restore; e2e_cleanup' EXIT

echo "a demo pack, then five faults behind its back"
demo_pack
cp "$ZELORA_BUILD/zelora_fake_filter.dll" "$drive/Program Files/Quellmark/Codecs/xvid.ax"
rm -f "$drive/Program Files/Quellmark/Codecs/divxdec.ax" "$drive/Program Files/Quellmark/Codecs/ac3filter.ax"
mkdir -p "$drive/Vendor" "$drive/Other Pack"
: > "$drive/Vendor/divxdec.ax"
: > "$drive/Other Pack/ffdshow.ax"
reg_apply <<LINES
HKCR|CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\$(clsid 3)|-
HKCR|CLSID\\$(clsid 3)|-
HKCR|CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\$vendor|FriendlyName|sz|Vendor DivX Decoder
HKCR|CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance\\$vendor|CLSID|sz|$vendor
HKCR|CLSID\\$vendor\\InprocServer32||sz|C:\\Vendor\\divxdec.ax
HKCR|CLSID\\$(clsid 1)\\InprocServer32||sz|C:\\Other Pack\\ffdshow.ax
HKCR|CLSID\\$(clsid 5)\\InprocServer32||sz|C:\\Other Pack\\dtsac3source.ax
LINES
check "Xvid's registration is gone" key_absent "$category\\$(clsid 3)"

WINEDEBUG=+process start_zelora "$trace" || { finish; exit 1; }
click_at 80 79                       # Codec Connect
park_mouse
check "the Codec Connect page is in view" page_shows_bitmap 142 10 30
screenshot "$shots/codec-health.png"
# Upper rows, sorted: AC3Filter 90, Divx5 111, DivxG400 132, FFDShow 153, VSFilter 174; the
# lower list holds Korrins DTS at 300 and Xvid at 321.
check "five rows above" row_has_text 174
check "Korrins DTS and Xvid are listed below" row_has_text 300
check "  (Xvid)" row_has_text 321
check "and nothing under them" row_is_empty 342
check "no horizontal scroll bar under the upper list" strip_is_plain 203
check "nor under the empty part of the lower one" strip_is_plain 413

echo "the whole state of FFDShow in its tip"
before_tip="$shots/codec-health-before-tip.png"
xwd -root -silent | convert xwd:- "$before_tip"
page_move 100 153
sleep 2
width=$(changed_width "$before_tip")
screenshot "$shots/codec-health-tip.png" "1280x1024+0+0"
rm -f "$before_tip"
check "a tip as wide as both paths (${width:-no} px)" [ "${width:-0}" -ge 380 ]
park_mouse

echo "AC3Filter's file comes back after the scan"
: > "$drive/Program Files/Quellmark/Codecs/ac3filter.ax"
page_click 68 90
page_click 355 71                    # unregister
check "the press says why it did nothing" wait_for 5 box_shown
close_box "$shots/codec-health-changed.png"
check "AC3Filter's registration stays" key_exists "$category\\$(clsid 4)"
check "  with its server" [ "$(server_of "$(clsid 4)")" = "$codecs\\ac3filter.ax" ]
page_click 68 90                     # untick

echo "unregister FFDShow, registered from another folder"
page_click 68 153
page_click 355 71
check "the press says why it did nothing" wait_for 5 box_shown
close_box "$shots/codec-health-elsewhere.png"
check "FFDShow's registration elsewhere is untouched" [ "$(server_of "$(clsid 1)")" = 'C:\Other Pack\ffdshow.ax' ]
check "its books stay in Install" [ "$(reg_get HKLM "$product\\Install" FFDShow)" = "$codecs\\ffdshow.ax" ]
check "  and none in CodecDel" [ -z "$(reg_get HKLM "$product\\CodecDel" FFDShow)" ]
check "no regsvr32 for it" no_regsvr32_for 'ffdshow\.ax'
page_click 68 153                    # untick

echo "register Korrins DTS's own file over the dead registration elsewhere"
page_click 68 300
page_click 355 281                   # register
park_mouse
check "regsvr32 /s for the pack's own file" \
  wait_for 5 regsvr32_started_for 'regsvr32.exe\" /s \"C:\\Program Files\\Quellmark\\Codecs\\dtsac3source.ax'
check "Install still records Korrins DTS" [ "$(reg_get HKLM "$product\\Install" 'Korrins DTS')" = "$codecs\\dtsac3source.ax" ]
# Upper rows now: ... FFDShow 153, Korrins DTS 174, VSFilter 195: the sixth row in view.
check "six rows above, all in view" row_has_text 195
check "Xvid alone below" row_has_text 300
check "  and nothing under it" row_is_empty 321

echo "register the unregistered Xvid"
page_click 68 300
page_click 355 281                   # register
park_mouse
check "Xvid's filter registered itself again" wait_for 10 key_exists "$category\\$repaired"
check "at Xvid's recorded file" [ "$(server_of "$repaired")" = "$codecs\\xvid.ax" ]
check "Install still records Xvid" [ "$(reg_get HKLM "$product\\Install" Xvid)" = "$codecs\\xvid.ax" ]
check "the lower list is empty" row_is_empty 300

echo "remove Divx5's dead registration"
page_click 68 111
page_click 355 71                    # unregister
park_mouse
check "Divx5's Instance entry is removed" wait_for 10 key_absent "$category\\$(clsid 2)"
check "and its class" key_absent "HKCR\\CLSID\\$(clsid 2)"
check "the other vendor's filter of the same file name stays" key_exists "$category\\$vendor"
check "with its server path" [ "$(server_of "$vendor")" = 'C:\Vendor\divxdec.ax' ]
check "Divx5's books are kept (Install)" [ "$(reg_get HKLM "$product\\Install" Divx5)" = "$codecs\\divxdec.ax" ]
check "FFDShow's registration elsewhere is untouched" [ "$(server_of "$(clsid 1)")" = 'C:\Other Pack\ffdshow.ax' ]
check "and FFDShow's books too" [ "$(reg_get HKLM "$product\\Install" FFDShow)" = "$codecs\\ffdshow.ax" ]

echo "register Divx5, whose file is gone"
# Lower rows: Divx5 at 300, with what is left of its registrations.
page_click 68 300
page_click 355 281
check "the press says why it did nothing" wait_for 5 box_shown
close_box "$shots/codec-health-file-gone.png"
check "no regsvr32 for the missing file" no_regsvr32_for 'divxdec\.ax'
check "the other vendor's filter still stays" [ "$(server_of "$vendor")" = 'C:\Vendor\divxdec.ax' ]
check "Divx5 stays below" row_has_text 300
park_mouse
screenshot "$shots/codec-health-repaired.png"

click_at 558 11
check "Zelora closed" wait_exit 10
echo "screenshots: $shots/codec-health*.png"
finish
