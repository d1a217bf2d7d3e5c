#!/usr/bin/env bash
# Exporting and importing every decoder setting as a person does it: the two images at the
# foot of the menu, the system's save and open dialogs (a path typed into them), and the
# registry checked with `reg export` of the decoders' keys.
source "$(dirname "$0")/lib.sh"
work="$ZELORA_BUILD/settings-files"
mkdir -p "$work"
rm -f "$work"/*

# Every key the eight pages write, with the registry view it is read in.
decoder_keys=(
  'HKCU\Software\GNU\ffdshow' 'HKCU\Software\GNU\ffdshow_audio' 'HKCU\Software\GNU\XviD'
  'HKCU\SOFTWARE\DivXNetworks\DivX4Windows' 'HKCU\Software\AC3Filter\preset\Default'
  'HKCU\SOFTWARE\KORRIN' 'HKCU\Software\Gorvash\VSFilter' 'HKLM\SOFTWARE\KVX\DivXG400'
)
dump_decoder_keys() { # file: every decoder key as `reg export` writes it, one after another
  : > "$1"
  local key part="$work/part.reg"
  for key in "${decoder_keys[@]}"; do
    rm -f "$part"
    "$ZELORA_WINE" reg export "$key" "$(winepath_of "$part")" /reg:32 /y >/dev/null 2>&1
    [ -f "$part" ] && iconv -f UTF-16 -t UTF-8 "$part" >> "$1"
  done
}

# The dialog of `title` is up: types `path` into its file name box and confirms, then
# answers the message Zelora shows afterwards, keeping its picture (`message_shot`) and its
# text as the box holds it (`message_text`).
use_file_dialog() { # title path
  local i dialog=""
  for i in $(seq 1 50); do
    dialog=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  [ -n "$dialog" ] || { fail "the \"$1\" dialog did not open"; return 1; }
  sleep 0.5
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$(winepath_of "$2")"
  xdotool key Return
  local box=""
  for i in $(seq 1 50); do  # the message box is a second window named Zelora
    box=$(xdotool search --onlyvisible --name '^Zelora$' 2>/dev/null | grep -vx "$ZELORA_WINDOW" | head -n 1)
    [ -n "$box" ] && break
    sleep 0.2
  done
  [ -n "$box" ] || { fail "no message after the \"$1\" dialog"; return 1; }
  sleep 0.5
  # Wine's message boxes come out black in a capture of the whole screen: take the window.
  message_shot="$shots/settings-message-$(basename "$2" .reg).png"
  xwd -silent -id "$box" | convert xwd:- "$message_shot"
  message_text=$(zelora_regtool message Zelora 2>/dev/null | tr -d '\r')
  xdotool windowfocus --sync "$box" 2>/dev/null; sleep 0.2
  xdotool key Return
  for i in $(seq 1 25); do xdotool search --onlyvisible --name '^Zelora$' 2>/dev/null | grep -qx "$box" || break; sleep 0.2; done
  sleep 0.3
}
export_to() { click_at 81 516; use_file_dialog '설정 내보내기' "$1"; }
import_from() { click_at 81 547; use_file_dialog '설정 가져오기' "$1"; }
page_shot() { park_mouse; screenshot "$1" 420x500+$((ZELORA_X + 162))+$((ZELORA_Y + 50)); }
# The check squares of the Xvid page's left column (a clicked box's focus frame aside).
boxes_of() { convert "$1" -crop 16x240+8+65 +repage "$2"; }
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
# A captured message box shows lines of dark text on a light face (not a black capture).
shows_text_lines() { # picture
  local light dark
  light=$(convert "$1" -colorspace Gray -format '%[fx:mean>0.6]' info:)
  dark=$(convert "$1" -colorspace Gray -threshold 50% -negate -format '%[fx:int(mean*w*h)]' info:)
  [ "$light" = 1 ] && [ "$dark" -gt 400 ]
}
message_says() { grep -qF -- "$1" <<<"$message_text"; }

echo "the two images"
demo_pack
start_zelora || { finish; exit 1; }
park_mouse
check "export image drawn normal" shows_bitmap 336 25 503
check "import image drawn normal" shows_bitmap 339 25 534
xdotool mousemove --sync $((ZELORA_X + 81)) $((ZELORA_Y + 547)); sleep 0.4
check "import image shows hover under the pointer" shows_bitmap 341 25 534
screenshot "$shots/settings-hover.png" 300x120+$((ZELORA_X))+$((ZELORA_Y + 490))
press_at 81 516
check "export image shows pressed while held" shows_bitmap 337 25 503
screenshot "$shots/settings-pressed.png" 300x120+$((ZELORA_X))+$((ZELORA_Y + 490))
release_at 300 300
park_mouse
check "released elsewhere: no dialog, the image normal again" shows_bitmap 336 25 503
check "no dialog opened" [ "$(xdotool search --onlyvisible --name '설정 내보내기' 2>/dev/null | wc -l)" = 0 ]

echo "export, five changes on three pages, import"
click_at 80 135                      # Video Setup
click_at 80 204                      # Video Xvid
page_shot "$work/xvid-before.png"
boxes_of "$work/xvid-before.png" "$work/boxes-before.png"
dump_decoder_keys "$work/before.txt"
check "the decoders' keys hold the pages' values" grep -q '"Deblock_Y"=dword:00000000' "$work/before.txt"
export_to "$work/exported.reg"
check "the export was saved" [ -s "$work/exported.reg" ]
check "it is a UTF-16 regedit file" \
  bash -c "iconv -f UTF-16 -t UTF-8 '$work/exported.reg' | head -n 1 | grep -q '^Windows Registry Editor Version 5.00'"
cp "$message_shot" "$shots/settings-exported.png"

page_click 15 76                     # Xvid: Deblock_Y
page_click 15 106                    # Xvid: Deblock_UV
reg_apply <<'REG'
HKCU|SOFTWARE\DivXNetworks\DivX4Windows|Brightness|dword|77
HKCU|SOFTWARE\DivXNetworks\DivX4Windows|Disable Logo|dword|0
HKCU|Software\Gorvash\VSFilter\Text|YPerc|dword|12
REG
page_shot "$work/xvid-changed.png"
dump_decoder_keys "$work/changed.txt"
check "the five changes landed" [ "$(diff "$work/before.txt" "$work/changed.txt" | grep -c '^>')" = 5 ]
boxes_of "$work/xvid-changed.png" "$work/boxes-changed.png"
check "the Xvid page shows its two changes" bash -c "! compare -metric AE '$work/boxes-before.png' '$work/boxes-changed.png' null: 2>/dev/null"

import_from "$work/exported.reg"
cp "$message_shot" "$shots/settings-imported.png"
dump_decoder_keys "$work/after.txt"
check "reg export of the decoders' keys is as before the changes" diff -q "$work/before.txt" "$work/after.txt"
page_shot "$work/xvid-after.png"
boxes_of "$work/xvid-after.png" "$work/boxes-after.png"
check "the Xvid page in view shows the imported values at once" same_image "$work/boxes-before.png" "$work/boxes-after.png"

echo "regedit reads the export too"
reg_apply <<'REG'
HKCU|Software\GNU\XviD|FilmEffect|dword|1
REG
"$ZELORA_WINE" regedit /S "$(winepath_of "$work/exported.reg")" >/dev/null 2>&1
dump_decoder_keys "$work/regedit.txt"
check "regedit's import gives the same keys" diff -q "$work/before.txt" "$work/regedit.txt"

echo "files an export cannot hold write nothing"
write_file() { # name, lines after the header: a valid change first, then the bad line
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n"FlipVideo"=dword:00000001\r\n'
    printf '%s\r\n' "${@:2}"; } | iconv -f UTF-8 -t UTF-16 > "$work/$1.reg"   # iconv adds the BOM
}
write_file run-key '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]' '"Zelora"="C:\\evil.exe"'
write_file unknown-value '"Deblock_Everything"=dword:00000001'
write_file dword-as-text '"Deblock_Y"="1"'
write_file out-of-range '"Deblock_Y"=dword:ffffffff'   # a check box's value no box writes
for bad in run-key unknown-value dword-as-text out-of-range; do
  import_from "$work/$bad.reg"
  cp "$message_shot" "$shots/settings-refused-$bad.png"
  dump_decoder_keys "$work/$bad.txt"
  check "$bad: the decoders' keys are unchanged" diff -q "$work/before.txt" "$work/$bad.txt"
done
# The last message is the out-of-range one: line, key, value, reason and what the box takes.
for phrase in "설정 파일의 5번째 줄을 가져올 수 없습니다." 'HKEY_CURRENT_USER\Software\GNU\XviD' \
  "값: Deblock_Y" "(쓸 수 있는 값: 0 또는 1)" "설정은 하나도 바뀌지 않았습니다."; do
  check "out-of-range: the message says \"$phrase\"" message_says "$phrase"
done
check "out-of-range: the captured box shows its text" shows_text_lines "$shots/settings-refused-out-of-range.png"
check "no Run key value was written" [ -z "$(reg_get HKCU 'Software\Microsoft\Windows\CurrentVersion\Run' Zelora)" ]

check "Zelora still runs" zelora_running
finish
