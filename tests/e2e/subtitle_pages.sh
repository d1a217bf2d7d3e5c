#!/usr/bin/env bash
# The DTS speaker, VSFilter and DivX G400 pages as a person uses them: the first start
# stores the reset values of every built decoder page, the pages open from their groups
# with their skin in place, a click on a DTS radio stores its mode under the "/" key, and
# without the decoders every control is greyed and deaf to clicks.
source "$(dirname "$0")/lib.sh"
korrin='SOFTWARE\KORRIN\DTS/AC3Filter'
general='Software\Gorvash\VSFilter\General'
timing='Software\Gorvash\VSFilter\Timing'
text='Software\Gorvash\VSFilter\Text'
g400='SOFTWARE\KVX\DivXG400'

echo "first start after installation, over values the reset must replace"
demo_pack
reg_apply <<REG
HKCU|Software\KORRIN|-
HKCU|Software\Gorvash|-
HKLM|Software\KVX|-
HKCU|$korrin|SpeakerMode|dword|4
HKCU|$general|Extpic|dword|130
HKCU|$text|YPerc|dword|7
HKLM|$g400|SubSpeed|dword|20
REG
start_zelora || { finish; exit 1; }
check "CheckInstall is 1" [ "$(reg_get HKLM 'Software\Tarnwick\Quellmark\Setup' CheckInstall)" = 1 ]
check "Xvid reset: ForceColorspace 3" [ "$(reg_get HKCU 'Software\GNU\XviD' ForceColorspace)" = 3 ]
check "ffdshow video reset: xvid 1" [ "$(reg_get HKCU 'Software\GNU\ffdshow' xvid)" = 1 ]
check "DTS reset: SpeakerMode 1" [ "$(reg_get HKCU "$korrin" SpeakerMode)" = 1 ]
for v in "Extpic 1" "Mod32Fix 0" "ResX2Mode 2" "ResX2MinWidth 0" "ResX2MinHeight 0" "Hide 0"; do
  check "VSFilter reset: $v" [ "$(reg_get HKCU "$general" "${v% *}")" = "${v#* }" ]
done
check "VSFilter reset: Subtitle Delay 0" [ "$(reg_get HKCU "$timing" 'Subtitle Delay')" = 0 ]
check "VSFilter reset: YPerc 90" [ "$(reg_get HKCU "$text" YPerc)" = 90 ]
for v in "bOverscan 0" "Overscan 8" "Fill 75" "FillH 100" "bFill2 1" "Double 352" "Flip 0" "TV 0" \
         "SubSpeed 1000" "SubXPos 50" "SubYPos 8" "SubDeadZone 1" "SubTransparent 1"; do
  check "G400 reset: $v" [ "$(reg_get HKLM "$g400" "${v% *}")" = "${v#* }" ]
done

echo "the DTS speaker page, reached with the mouse"
click_at 80 162                      # Sound Setup
click_at 80 231                      # Sound Korrin's
park_mouse
for b in "153 0 0" "152 10 30"; do check "skin bitmap ${b%% *} in place" page_shows_bitmap $b; done
screenshot "$shots/sound-korrin-installed.png"
page_click 26 233                    # S/PDIF
check "S/PDIF stores SpeakerMode 5 under the / key" [ "$(reg_get HKCU "$korrin" SpeakerMode)" = 5 ]
page_click 26 83                     # mono
check "mono stores 0" [ "$(reg_get HKCU "$korrin" SpeakerMode)" = 0 ]

echo "the caption pages"
click_at 80 254                      # Caption Setup (sound layout) opens on DivX G400
park_mouse
for b in "129 0 0" "131 10 30" "130 10 300"; do check "skin bitmap ${b%% *} in place" page_shows_bitmap $b; done
screenshot "$shots/caption-g400-installed.png"
page_click 26 77                     # overscan box: ticked
check "the overscan box stores bOverscan 1" [ "$(reg_get HKLM "$g400" bOverscan)" = 1 ]
click_at 80 236                      # Caption VSFilter
park_mouse
for b in "132 0 0" "131 10 30" "130 10 280"; do check "skin bitmap ${b%% *} in place" page_shows_bitmap $b; done
screenshot "$shots/caption-vsfilter-installed.png"
# The picture list shows its 16:9 entry whole: the text ends well before the list's button.
darkest_in() { # page x y width height
  xwd -root -silent | convert xwd:- -crop "$3x$4+$((ZELORA_X + 162 + $1))+$((ZELORA_Y + 50 + $2))" \
    -colorspace gray -format '%[fx:int(255*minima)]' info:
}
check "the picture list shows its entry" [ "$(darkest_in 30 94 100 12)" -lt 100 ]
check "  whole, ending before the list's button" [ "$(darkest_in 360 94 28 12)" -ge 200 ]
page_click 26 241                    # hide subtitles
check "the hide box stores Hide 1" [ "$(reg_get HKCU "$general" Hide)" = 1 ]
click_at 558 11
check "Zelora closed" wait_exit 10

echo "a second copy never maps a window"
start_zelora || { finish; exit 1; }
events=$(mktemp)
xev -root -event substructure >"$events" 2>/dev/null &
xev_pid=$!
sleep 0.5
ended=no
second_copy_ends && ended=yes
sleep 0.5
kill "$xev_pid" 2>/dev/null
check "the second copy ends by itself" [ "$ended" = yes ]
check "no window was mapped meanwhile" [ "$(grep -c '^MapNotify' "$events")" = 0 ]
rm -f "$events"
check "the first copy still runs" zelora_running
click_at 558 11
wait_exit 10

echo "the three decoders not installed"
reg_apply <<'REG'
HKLM|Software\Tarnwick\Quellmark\CodecVersion|-
HKLM|Software\Tarnwick\Quellmark\CodecVersion|FFDShow|sz|(2005-10-01)
HKLM|Software\Tarnwick\Quellmark\CodecVersion|Xvid|sz|(1.1.0)
HKCU|Software\KORRIN\DTS/AC3Filter|SpeakerMode|dword|3
REG
start_zelora || { finish; exit 1; }
click_at 80 162
click_at 80 231
park_mouse
screenshot "$shots/sound-korrin-not-installed.png"
page_click 26 233
check "a greyed radio ignores the click" [ "$(reg_get HKCU "$korrin" SpeakerMode)" = 3 ]
click_at 80 254
park_mouse
screenshot "$shots/caption-g400-not-installed.png"
page_click 26 102
check "a greyed G400 box ignores the click" [ "$(reg_get HKLM "$g400" bFill)" = 0 ]
click_at 80 236
park_mouse
screenshot "$shots/caption-vsfilter-not-installed.png"
echo "screenshots: $shots/sound-korrin-*.png $shots/caption-*.png"
finish
