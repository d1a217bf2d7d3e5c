# Shared by the end-to-end tests: the real Zelora.exe under Wine on the virtual display,
# driven with xdotool at screen pixels and checked through the registry.
# Expects ZELORA_BUILD and DISPLAY (scripts/test.sh sets both); works standalone too, then
# on the shipped 32-bit build.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_root/scripts/wine-env.sh"
if [ -z "${ZELORA_BUILD:-}" ]; then
  # The shipped 32-bit build, unless this machine cannot run 32-bit programs at all.
  if zelora_runs_32bit; then ZELORA_BUILD="$e2e_root/build/win32"; else ZELORA_BUILD="$e2e_root/build/win64"; fi
fi
export ZELORA_BUILD
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  zelora_start_display
fi
# Folders made with e2e_temp_dir go at the end, with the servers this file started.
e2e_temp_dirs=()
e2e_cleanup() {
  [ "${#e2e_temp_dirs[@]}" -eq 0 ] || rm -rf "${e2e_temp_dirs[@]}"
  zelora_stop_loopback
  zelora_stop_display
}
trap e2e_cleanup EXIT
e2e_temp_dir() { # prints a new folder, removed when the test ends
  local dir; dir=$(mktemp -d); e2e_temp_dirs+=("$dir"); echo "$dir"
}
zelora_wine_setup "$ZELORA_BUILD" || exit 1
echo "  (the $ZELORA_BITS-bit programs of $ZELORA_BUILD under $(basename "$ZELORA_WINE"))"
# Run alone, a test starts its own stand-in web server; under scripts/test.sh it shares one.
if [ -z "${ZELORA_LOOPBACK_PORT:-}" ]; then zelora_start_loopback; fi
# Screenshots the tests keep, beside the build.
shots="$ZELORA_BUILD/../e2e"
mkdir -p "$shots"

e2e_failures=0
ZELORA_X=400   # where the main window places itself
ZELORA_Y=250

fail() { echo "  not ok: $*"; e2e_failures=$((e2e_failures + 1)); }
ok() { echo "  ok: $*"; }
check() { # description, command...
  local what="$1"; shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}
finish() {
  "$WINESERVER" -k 2>/dev/null || true
  [ "$e2e_failures" -eq 0 ]
}
wait_for() { # seconds, command...: until the command succeeds
  local limit=$(( $1 * 5 )); shift
  local i
  for i in $(seq 1 "$limit"); do "$@" && return 0; sleep 0.2; done
  return 1
}
wait_for_not() { # seconds, command...: until the command fails
  local limit=$(( $1 * 5 )); shift
  local i
  for i in $(seq 1 "$limit"); do "$@" || return 0; sleep 0.2; done
  return 1
}

# Registry: prints the value, empty when missing.
# Asked twice when nothing came back: on a loaded machine a Wine start of the tool has
# once printed nothing for a value that was there.
# What the tool prints, with its own exit status kept: a wait on a window that is not up
# yet must see the tool's failure, not a pipe's success.
regtool_says() { local out; out=$("$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" "$@" 2>/dev/null) || return 1
  printf '%s\n' "${out//$'\r'/}"; }
reg_get_once() { "$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" get "$1" "$2" "$3" 2>/dev/null | tr -d '\r'; }
reg_get() { local v; v=$(reg_get_once "$@"); [ -n "$v" ] || v=$(reg_get_once "$@"); printf '%s\n' "$v"; }
reg_apply_file() { "$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" apply "$(winepath_of "$1")"; }
reg_apply() { # lines on stdin
  local f; f=$(mktemp --suffix=.txt); cat > "$f"; reg_apply_file "$f"; local s=$?; rm -f "$f"; return $s
}
demo_pack() { zelora_apply_pack "$e2e_root/tools/demo/DemoPack.txt"; }

# Starts Zelora (ZELORA_EXE, by default the build's) and waits for its window; sets
# ZELORA_PID. Wine's own messages (a trace asked for with WINEDEBUG) go to the file named
# by the argument.
start_zelora() {
  "$ZELORA_WINE" "${ZELORA_EXE:-$ZELORA_BUILD/Zelora.exe}" >/dev/null 2>"${1:-/dev/null}" &
  ZELORA_PID=$!
  local i
  for i in $(seq 1 150); do
    ZELORA_WINDOW=$(visible_window '^Zelora$')
    if [ -n "$ZELORA_WINDOW" ]; then
      sleep 1
      # A window that merely exists proves nothing: a 32-bit program run the wrong way
      # shows a black one. Its logo corner must be the skin's, pixel for pixel.
      if wait_for 5 shows_start_skin; then ok "Zelora's window shows its skin"; else
        screenshot "$shots/skin-missing.png"
        fail "Zelora's window shows its skin (the screen: $shots/skin-missing.png)"
      fi
      return 0
    fi
    sleep 0.2
  done
  fail "Zelora's window did not appear"
  return 1
}
# A second copy of Zelora, started while the first runs: whether it ends by itself within
# 15 seconds, as it must.
second_copy_ends() {
  "$ZELORA_WINE" "$ZELORA_BUILD/Zelora.exe" >/dev/null 2>&1 &
  wait_for 15 pid_gone $!
}
pid_gone() { ! kill -0 "$1" 2>/dev/null; }

# The first visible window whose name matches the pattern, if any.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_geometry() { # [window]: prints "X Y W H" of the window, by default Zelora's
  xdotool getwindowgeometry --shell "${1:-$ZELORA_WINDOW}" | awk -F= '
    /^X=/ {x=$2} /^Y=/ {y=$2} /^WIDTH=/ {w=$2} /^HEIGHT=/ {h=$2} END {print x, y, w, h}'
}

# Mouse at client pixels of the main window (it has no frame: client = window).
click_at() { xdotool mousemove --sync $((ZELORA_X + $1)) $((ZELORA_Y + $2)) click 1; sleep 0.4; }
press_at() { xdotool mousemove --sync $((ZELORA_X + $1)) $((ZELORA_Y + $2)) mousedown 1; sleep 0.3; }
release_at() { xdotool mousemove --sync $((ZELORA_X + $1)) $((ZELORA_Y + $2)) mouseup 1; sleep 0.4; }

screenshot() { # file [crop WxH+X+Y]
  local crop="${2:-588x608+$ZELORA_X+$ZELORA_Y}"
  xwd -root -silent | convert xwd:- -crop "$crop" +repage "$1"
}

# Whether the program last started (ZELORA_PID) still runs.
zelora_running() { kill -0 "$ZELORA_PID" 2>/dev/null; }
wait_exit() { wait_for_not "$1" zelora_running; }  # seconds

# Mean brightness (0-255) of the 40 x 8 pixels left of and around a client point of the
# main window: a button's face, less sensitive to the caption's letters than one pixel.
pixel_level() {
  xwd -root -silent | convert xwd:- -crop "40x8+$((ZELORA_X + $1 - 40))+$((ZELORA_Y + $2 - 4))" \
    -colorspace gray -format '%[fx:int(255*mean)]' info:
}
is_dark() { [ "$(pixel_level "$1" "$2")" -lt 185 ]; }
is_light() { [ "$(pixel_level "$1" "$2")" -ge 185 ]; }

# How many pixels of the screen at (x, y) differ from the picture, compared at its size.
screen_differences() { # picture x y
  local size diff
  size=$(identify -format '%wx%h' "$1")
  diff=$(xwd -root -silent | convert xwd:- -crop "${size}+$2+$3" +repage \
    png:- | compare -metric AE png:- "$1" null: 2>&1)
  echo "${diff%% *}"
}
# A committed skin picture as a PNG file, made at its first use: prints its path.
e2e_skin_dir=$(mktemp -d)
e2e_temp_dirs+=("$e2e_skin_dir")
skin_png() { # program (zelora or update), id
  local png="$e2e_skin_dir/$1_$2.png"
  [ -f "$png" ] || /usr/bin/python3 "$e2e_root/tools/skin/skin_png.py" "$1" "$2" "$png"
  echo "$png"
}
# Whether the screen at client rectangle (x, y) shows exactly skin bitmap ID.
shows_bitmap() { # id x y
  [ "$(screen_differences "$(skin_png zelora "$1")" $((ZELORA_X + $2)) $((ZELORA_Y + $3)))" = "0" ]
}
# Whether the client rectangle (x, y, w, h) shows the same part of skin bitmap ID.
# The logo corner: the 96-DPI picture pixel for pixel, or at another scale (E2E_DPI; the
# pictures for it are checked in-process) a drawn corner of many colours, not a black one.
shows_start_skin() {
  [ "${E2E_DPI:-96}" = 96 ] && { shows_skin_part 180 0 0 115 34; return; }
  local colours
  colours=$(xwd -root -silent | convert xwd:- -crop "$(( 115 * E2E_DPI / 96 ))x$(( 34 * E2E_DPI / 96 ))+$ZELORA_X+$ZELORA_Y" \
    -format '%k' info:)
  [ "${colours:-0}" -gt 50 ]
}
shows_skin_part() { # id x y w h
  local part; part=$(mktemp --suffix=.png)
  convert "$(skin_png zelora "$1")" -crop "${4}x${5}+$2+$3" +repage "$part"
  local diff; diff=$(screen_differences "$part" $((ZELORA_X + $2)) $((ZELORA_Y + $3)))
  rm -f "$part"
  [ "$diff" = 0 ]
}
# What a screen reader learns of a window, from another process: one item a line, tab-separated
# depth, window class, child id, role, name, state, default action, shortcut, value. probe_do
# CAPTION NAME runs that item's default action instead; false when there is none.
# The menu's buttons by their pictures' words, in menu order: a group's header opens it
# (and its first page), its pages follow.
menu_buttons=("코덱연결 설정" "코덱 업데이트" "비디오 설정" "FFDShow 비디오" "DivX 비디오" "Xvid 비디오"
              "사운드 설정" "FFDShow 오디오" "AC3 필터" "DTS 스피커" "자막 설정" "VSFilter 자막"
              "DivX G400 자막" "영화찾기 소개" "우선 코덱")
probe() { LC_ALL=C.UTF-8 "$ZELORA_WINE" "$ZELORA_BUILD/zelora_access_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
probe_do() { LC_ALL=C.UTF-8 "$ZELORA_WINE" "$ZELORA_BUILD/zelora_access_probe.exe" "$1" --do "$2" >/dev/null 2>&1; }
# The probed items (stdin) that act but lack a name or a role of their own: all but text and
# the windows that only hold others.
# The embedded browser's own windows describe themselves.
undescribed() {
  awk -F'\t' '$2 != "Static" && $2 != "Shell Embedding" && $2 != "Shell DocObject View" && $2 != "Internet Explorer_Server" &&
               !($2 == "#32770" && $3 == 0) && ($5 == "" || $4 == "client" || $4 ~ /^role /)'
}
described() { # caption, what: every control of the window that acts has a name and a role
  local out missing
  out=$(probe "$1")
  missing=$(printf '%s\n' "$out" | undescribed | cut -f2,4,5 | head -n 3 | tr '\t\n' ' ;')
  check "$2: the probe reads its controls" [ "$(printf '%s\n' "$out" | wc -l)" -gt 2 ]
  check "$2: every control that acts has a name and a role${missing:+ (not: $missing)}" [ -z "$missing" ]
}

park_mouse() { xdotool mousemove --sync $((ZELORA_X + 75)) $((ZELORA_Y + 450)); sleep 0.3; }

# Page pixels to main window client pixels: every page sits at (162, 50).
page_click() { click_at $((162 + $1)) $((50 + $2)); }
page_press() { press_at $((162 + $1)) $((50 + $2)); }
page_release() { release_at $((162 + $1)) $((50 + $2)); }
page_move() { xdotool mousemove --sync $((ZELORA_X + 162 + $1)) $((ZELORA_Y + 50 + $2)); sleep 0.3; }
page_shows_bitmap() { shows_bitmap "$1" $((162 + $2)) $((50 + $3)); }

# The preferred decoders page: the Preferred key's values in a view (sorted lines of `reg
# query`), the page opened from the menu, a format's row chosen (rows from 0: a group's
# heading, then its formats) with each view's drop list set by a key (Home: the first
# candidate, End: "Windows 기본"), applied, and "Windows 기본값으로".
preferred_key='HKLM\SOFTWARE\Microsoft\DirectShow\Preferred'
view_reg() { "$ZELORA_WINE" reg "$@" 2>/dev/null | tr -d '\r'; }
preferred_values() { view_reg query "$preferred_key" "/reg:$1" | grep REG_ | sort; }
preferred_open() { click_at 80 238; }
preferred_row() { page_click 60 $((50 + 15 * $1)); }
# Each key twice: Wine's closed drop list with nothing selected takes a first End as Home.
preferred_choose() { preferred_row "$1"; xdotool key Tab "$2" "$2" Tab "$3" "$3"; sleep 0.4; }
preferred_apply() { page_click 238 404; sleep 1; }
preferred_restore() { page_click 353 404; sleep 1; }
