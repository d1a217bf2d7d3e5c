#!/usr/bin/env bash
# Zelora as a screen reader reads it, from another process: every control that acts, in the
# main window, on every page and in the finder, has a name and a role of its own (the
# skinned ones a Korean name), and their default actions do what a click does.
source "$(dirname "$0")/lib.sh"

hangul() { grep -qP '[\x{AC00}-\x{D7A3}]'; }
# Probed sliders (lines), at least one, each with a name and a number for its level.
named_levels() { [ -n "$1" ] && [ -z "$(printf '%s\n' "$1" | awk -F'\t' '$5 == "" || $9 !~ /^-?[0-9]/')" ]; }

demo_pack
start_zelora || { finish; exit 1; }

echo "the main window"
described Zelora "the main window"
main=$(probe Zelora)
# Menu buttons are the main window's Button children; hot areas its simple children.
skinned=$(printf '%s\n' "$main" | awk -F'\t' '$1 == 1 && ($2 == "Button" || ($2 == "#32770" && $3 > 0))')
check "menu buttons and hot areas are 15" [ "$(printf '%s\n' "$skinned" | wc -l)" = 15 ]
check "each skinned control has a Korean name" \
  [ -z "$(printf '%s\n' "$skinned" | cut -f5 | while read -r n; do printf '%s' "$n" | hangul || echo "$n"; done)" ]

echo "every page, opened through the reader's default action"
# Groups open first; a page's button is then pressed while its page is in view.
for name in "${menu_buttons[@]}"; do
  check "$name: its default action runs" probe_do Zelora "$name"
  sleep 0.5
  case "$name" in
    *설정) [ "$name" = "코덱연결 설정" ] || continue ;;  # a group header: its first page follows
  esac
  check "$name: pressed while its page is in view" \
    [ -n "$(probe Zelora | awk -F'\t' -v n="$name" '$2 == "Button" && $5 == n && $6 ~ /pressed/')" ]
  described Zelora "page $name"
  case "$name" in
    "DivX 비디오" | "FFDShow 오디오" | "AC3 필터")
      sliders=$(probe Zelora | awk -F'\t' '$2 == "#32770" && $3 > 0 && $4 == "slider"')
      check "$name: its sliders are sliders, each with a name and its level" named_levels "$sliders" ;;
  esac
done

echo "the finder"
check "the finder hot area's default action opens it" probe_do Zelora "영화찾기"
wait_for 10 window_shown '^영화찾기$' || fail "the finder did not open"
described 영화찾기 "the finder"

echo "closing by the reader"
check "the close hot area's default action runs" probe_do Zelora "닫기"
check "Zelora ends" wait_exit 10
finish
