#!/usr/bin/env bash
# The DivX, ffdshow audio and AC3Filter pages as a person uses them: the first start stores
# their reset values, a drag of the DivX deblock knob to the far right stores 15 (and the
# knob follows the pointer while the button is held), a level typed on the AC3Filter page
# reached through the menu is stored as its gain, and without the decoders the sliders are
# greyed and deaf.
source "$(dirname "$0")/lib.sh"
divx='SOFTWARE\DivXNetworks\DivX4Windows'
ffa='Software\GNU\ffdshow_audio\default'
ac3='Software\AC3Filter\preset\Default'

echo "first start after installation, over values the reset must replace"
demo_pack
reg_apply <<REG
HKCU|SOFTWARE\DivXNetworks|-
HKCU|Software\GNU\ffdshow_audio|-
HKCU|Software\AC3Filter|-
HKCU|$divx|Deblock PP Level|dword|7
HKCU|$ffa|volume|dword|250
HKCU|$ac3|clev|sz|5.000000
REG
start_zelora || { finish; exit 1; }
check "DivX reset: Deblock PP Level 0" [ "$(reg_get HKCU "$divx" 'Deblock PP Level')" = 0 ]
check "DivX reset: Disable Logo 1" [ "$(reg_get HKCU "$divx" 'Disable Logo')" = 1 ]
check "ffdshow audio reset: volume 100" [ "$(reg_get HKCU "$ffa" volume)" = 100 ]
check "ffdshow audio reset: ac3 15" [ "$(reg_get HKCU 'Software\GNU\ffdshow_audio' ac3)" = 15 ]
check "AC3 reset: clev 1.000000" [ "$(reg_get HKCU "$ac3" clev)" = 1.000000 ]
check "ffdshow audio reset: mixerOut 1" [ "$(reg_get HKCU "$ffa" mixerOut)" = 1 ]
check "AC3 reset: formats 13312" [ "$(reg_get HKCU "$ac3" formats)" = 13312 ]
check "AC3 reset: mask 5, relation 0" [ "$(reg_get HKCU "$ac3" mask)/$(reg_get HKCU "$ac3" relation)" = 5/0 ]

echo "the DivX page: drag the deblock knob to the far right"
click_at 80 135                      # Video Setup
click_at 80 181                      # Video DivX
park_mouse
for b in "170 0 0" "167 10 30" "168 10 225" "166 10 315" "169 255 315"; do
  check "skin bitmap ${b%% *} in place" page_shows_bitmap $b
done
screenshot "$shots/video-divx-installed.png"
page_press 125 100
page_move 250 100
screenshot "$shots/video-divx-mid-drag.png"
page_move 415 104                    # beyond the slider's end, beyond the page
page_release 415 104
check "the drag stores Deblock PP Level 15" [ "$(reg_get HKCU "$divx" 'Deblock PP Level')" = 15 ]
page_move 200 140                    # over dering, button up: nothing follows
check "a move after the release stores nothing" [ "$(reg_get HKCU "$divx" 'Dering PP Level')" = 0 ]

echo "the ffdshow audio page"
click_at 80 227                      # Sound Setup (below the open video items): ffdshow audio
park_mouse
screenshot "$shots/sound-ffdshow-installed.png"
page_click 35 373                    # the top of the LEFT slider
check "a click at the top of LEFT stores 300" [ "$(reg_get HKCU "$ffa" volumeL)" = 300 ]

echo "the AC3Filter page through the menu: a typed level"
click_at 80 208                      # Sound AC3
park_mouse
screenshot "$shots/sound-ac3-installed.png"
page_click 148 206                   # the VOICE edit
xdotool key --delay 80 ctrl+a 5
sleep 0.5
check "typing 5 stores clev 1.778279" [ "$(reg_get HKCU "$ac3" clev)" = 1.778279 ]
park_mouse
screenshot "$shots/sound-ac3-typed.png"
click_at 558 11
check "Zelora closed" wait_exit 10

echo "the decoders not installed"
reg_apply <<'REG'
HKLM|Software\Tarnwick\Quellmark\CodecVersion|-
HKLM|Software\Tarnwick\Quellmark\CodecVersion|Xvid|sz|(1.1.0)
REG
start_zelora || { finish; exit 1; }
click_at 80 135
click_at 80 181
park_mouse
screenshot "$shots/video-divx-not-installed.png"
page_click 300 100
check "a greyed DivX slider ignores the click" [ "$(reg_get HKCU "$divx" 'Deblock PP Level')" = 15 ]
click_at 80 227
park_mouse
screenshot "$shots/sound-ffdshow-not-installed.png"
click_at 80 208
park_mouse
screenshot "$shots/sound-ac3-not-installed.png"
page_click 150 170
check "a greyed AC3 slider ignores the click" [ "$(reg_get HKCU "$ac3" clev)" = 1.778279 ]
echo "screenshots: $shots/video-divx-*.png $shots/sound-*.png"
finish
