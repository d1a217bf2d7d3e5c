#!/usr/bin/env bash
# Zelora without a mouse: from the start, keys alone open every page through the menu, change
# a setting, open and close the finder and close the window; the focus mark shows only once
# a key has moved the focus, and the screen reader hears where the focus is.
source "$(dirname "$0")/lib.sh"
xvid='Software\GNU\XviD'
divx='SOFTWARE\DivXNetworks\DivX4Windows'

key() { xdotool key --delay 150 "$@"; sleep 0.6; }
# caption, name, state word: the window's item so named is in that state, as a reader hears.
item_is() { [ -n "$(probe "$1" | awk -F'\t' -v n="$2" -v s="$3" '$5 == n && $6 ~ s')" ]; }
marked() { ! shows_bitmap "$@"; }  # id x y: the picture there has a mark over it
# caption, name, key: the key, pressed until the item has the focus (at most 30 times).
key_to() { local i; for i in $(seq 1 30); do key "$3"; item_is "$1" "$2" focused && return 0; done; return 1; }

demo_pack
park_mouse
start_zelora || { finish; exit 1; }
check "at start the first menu button shows no focus mark" shows_bitmap 204 25 70

echo "the menu by arrows and Enter"
key Down
check "Down: the Update button has the focus" item_is Zelora "코덱 업데이트" focused
check "and shows the focus mark" marked 218 25 98
screenshot "$shots/keyboard-focus-mark.png"
key Up Return
check "Enter on Connect shows its page" item_is Zelora "코덱연결 설정" pressed
# Every other page in the menu's order from the top: Down to its button, then Enter; Enter
# on a group's header opens the group, whose items then stand below it.
for name in "코덱 업데이트" "비디오 설정" "FFDShow 비디오" "DivX 비디오" "Xvid 비디오" \
            "사운드 설정" "FFDShow 오디오" "AC3 필터" "DTS 스피커" "자막 설정" "DivX G400 자막" \
            "VSFilter 자막" "영화찾기 소개" "우선 코덱"; do
  key Down Return
  case "$name" in
    *설정) check "$name: Enter opens the group" item_is Zelora "$name" expanded ;;
    *) check "$name: Enter shows its page" item_is Zelora "$name" pressed ;;
  esac
done

echo "a setting changed by keys"
# Up to the video group: Right opens it on its last page, Right again goes to its first
# item, Down twice to Xvid.
key Up Up Up Up Right
check "Right opens the video group on the Xvid page" item_is Zelora "Xvid 비디오" pressed
key Right Down Down
check "Right and Down go through the open group" item_is Zelora "Xvid 비디오" focused
# After Xvid: the rest of the menu, the export and import images, then the page's top left box.
key Tab Tab Tab Tab Tab Tab Tab
check "Tab reaches the Xvid page's first box after the menu" item_is Zelora "블록 현상 제거(Y)" focused
key space
check "Space on it stores Deblock_Y 1" [ "$(reg_get HKCU "$xvid" Deblock_Y)" = 1 ]
# Back to the menu, up to DivX; past the rest of the menu and its images, the page's two top
# boxes, then its first slider, whose End stores the highest level.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Up Return
check "the DivX page is in view" item_is Zelora "DivX 비디오" pressed
key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab End
check "End on its first slider stores Deblock PP Level 15" [ "$(reg_get HKCU "$divx" 'Deblock PP Level')" = 15 ]
screenshot "$shots/keyboard-divx-slider.png"

echo "the finder"
check "Tab goes on from the page to the finder image" key_to Zelora "영화찾기" Tab
check "which shows the focus mark" marked 314 275 567
screenshot "$shots/keyboard-finder-image.png"
key Return
check "Enter on it opens the finder" wait_for 10 window_shown '^영화찾기$'
check "Shift+Tab reaches the finder's close image" key_to 영화찾기 "닫기" shift+Tab
screenshot "$shots/keyboard-finder.png" "$(xdotool getwindowgeometry "$(visible_window '^영화찾기$')" | awk '/Geometry/ {g=$2} /Position/ {split($2, p, ","); x=p[1]; y=p[2]} END {print g "+" x "+" y}')"
key Return
check "Enter on it closes the finder" wait_for_not 10 window_shown '^영화찾기$'

echo "closing by keys"
check "Shift+Tab reaches the close image" key_to Zelora "닫기" shift+Tab
key Return
check "Enter on it ends Zelora" wait_exit 10
check "Deblock_Y stays 1" [ "$(reg_get HKCU "$xvid" Deblock_Y)" = 1 ]
finish
