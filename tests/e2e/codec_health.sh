#!/usr/bin/env bash
# Codec Connect finds what went wrong behind the pack's back, with the real program and
# registry: Xvid's registration removed (shown "등록 안 됨" below; "register" runs regsvr32
# and the filter registers itself again), Divx5's file deleted (shown "파일 없음"; its own
# dead registration is removed, another vendor's filter of the same file name stays), and
# FFDShow registered from another folder (shown with both paths, left alone). Checked with
# `reg query` in the 32-bit view the decoders read.
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

# Zelora starts the system's own 32-bit regsvr32, which loads the stand-in filter: both
# must be 32-bit, as on a user's PC.
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

echo "a demo pack, then three faults behind its back"
demo_pack
cp "$ZELORA_BUILD/zelora_fake_filter.dll" "$drive/Program Files/Quellmark/Codecs/xvid.ax"
rm -f "$drive/Program Files/Quellmark/Codecs/divxdec.ax"
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
LINES
check "Xvid's registration is gone" key_absent "$category\\$(clsid 3)"

start_zelora || { finish; exit 1; }
click_at 80 79                       # Codec Connect
park_mouse
check "the Codec Connect page is in view" page_shows_bitmap 142 10 30
screenshot "$shots/codec-health.png"
# Upper rows, sorted: AC3Filter 90, Divx5 111, DivxG400 132, FFDShow 153, Korrins DTS 174,
# VSFilter 195; the lower list holds Xvid alone at 300.
check "Xvid is listed below" row_has_text 300
check "and nothing under it" row_is_empty 321

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
page_move 150 150                    # over the upper list
xdotool click 5 click 5; sleep 0.4
screenshot "$shots/codec-health-repaired.png"

click_at 558 11
check "Zelora closed" wait_exit 10
echo "screenshots: $shots/codec-health*.png"
finish
