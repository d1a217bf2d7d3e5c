#!/usr/bin/env bash
# The main window as a person uses it: placement, single instance, the accordion menu,
# dragging, the hot areas, the keyboard, and the install check at start-up.
source "$(dirname "$0")/lib.sh"
setup='Software\Tarnwick\Quellmark\Setup'

echo "first start after installation"
demo_pack
start_zelora || { finish; exit 1; }
check "window at 400,250, 588 x 608" [ "$(window_geometry)" = "400 250 588 608" ]
check "install check ran: CheckInstall is 1" [ "$(reg_get HKLM "$setup" CheckInstall)" = "1" ]
park_mouse
check "Codec Update is the selected top-level button" is_dark 130 105
check "Codec Connect is not selected" is_light 130 77
screenshot "$shots/main-start.png"

echo "a second copy"
check "the second copy ends by itself" second_copy_ends
check "only one Zelora window exists" [ "$(xdotool search --onlyvisible --name '^Zelora$' | wc -l)" = 1 ]
check "the first copy still runs" zelora_running

echo "the video group"
click_at 80 135                      # Video Setup
park_mouse
check "ffdshow video is the group's current item" is_dark 130 158
check "Xvid item is shown unselected" is_light 130 204
screenshot "$shots/main-video.png"
click_at 80 204                      # Video Xvid
park_mouse
check "Xvid is now selected" is_dark 130 204
check "ffdshow video is no longer selected" is_light 130 158

echo "the sound group, then video again"
click_at 80 227                      # Sound Setup (below the open video items)
park_mouse
check "sound group open on ffdshow audio" is_dark 130 186
screenshot "$shots/main-sound.png"
click_at 80 135                      # Video Setup
park_mouse
check "the video group reopens on Xvid" is_dark 130 204
check "ffdshow video stays unselected" is_light 130 158

echo "the caption group"
click_at 80 255                      # Caption Setup (video layout)
park_mouse
check "caption group opens on DivX G400 (above VSFilter)" is_dark 130 214
check "VSFilter is below it, unselected" is_light 130 237
screenshot "$shots/main-caption.png"

echo "dragging by the top strip"
xdotool mousemove --sync $((ZELORA_X + 300)) $((ZELORA_Y + 15)) mousedown 1
sleep 0.3
xdotool mousemove --sync $((ZELORA_X + 320)) $((ZELORA_Y + 25))
sleep 0.2
xdotool mousemove --sync $((ZELORA_X + 350)) $((ZELORA_Y + 45)) mouseup 1
sleep 0.5
check "the window moved by the pointer's offset" [ "$(window_geometry)" = "450 280 588 608" ]
read -r ZELORA_X ZELORA_Y _ < <(window_geometry)

echo "minimize image pressed, released elsewhere"
press_at 533 11
release_at 300 300
park_mouse
check "the window was not minimized" [ "$(xdotool search --onlyvisible --name '^Zelora$' | wc -l)" = 1 ]
check "the minimize image is back to normal" shows_bitmap 187 522 0

echo "Return and Escape"
xdotool key Return
sleep 0.3
xdotool key Escape
sleep 0.5
check "the keyboard did not close the window" zelora_running

echo "close image"
click_at 558 11
check "the close image ends the program" wait_exit 10

echo "start without CheckInstall"
ZELORA_X=400 ZELORA_Y=250   # a new start places itself there again, wherever the last one was
reg_apply <<'REG'
HKLM|Software\Tarnwick\Quellmark\Setup|-
HKCU|Software\GNU\XviD|-
REG
start_zelora || { finish; exit 1; }
check "CheckInstall stays absent" [ -z "$(reg_get HKLM "$setup" CheckInstall)" ]
check "no page defaults were written" [ -z "$(reg_get HKCU 'Software\GNU\XviD' Supported_4CC)" ]
finish
