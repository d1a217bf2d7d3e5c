#!/usr/bin/env bash
# The preferred decoders page as a person uses it, checked with `reg query` in both registry
# views: what the drop list offers, a dead entry's mark, a choice written to every subtype,
# "Windows 기본" taking it away, and "Windows 기본값으로" giving back exactly what was there.
source "$(dirname "$0")/lib.sh"
drive="$WINEPREFIX/drive_c"
instance='Software\Classes\CLSID\{083863F1-70DE-11d0-BD40-00A0C911CE86}\Instance'
pack_clsid='{0E1AB5A1-0C2C-4D5D-9E3F-5A0F7C1D0001}'   # the demo pack's ffdshow
other='{7A1E0000-0000-4000-8000-0000000000A1}'        # another maker's H.264 decoder
audio='{7A1E0000-0000-4000-8000-0000000000A2}'        # an AAC decoder only
mjpeg_clsid='{7A1E0000-0000-4000-8000-0000000000A3}'  # an MJPEG decoder only
dead='{7A1E0000-0000-4000-8000-0000000000DE}'         # registered nowhere
# FilterData of one input pin of one type, version 2: header, pin, type, then the two GUIDs.
filter_data() { # major subtype, each as 16 bytes "aa,bb,..."
  echo "02,00,00,00,00,00,60,00,01,00,00,00,00,00,00,00,30,70,69,33,00,00,00,00,01,00,00,00,\
01,00,00,00,00,00,00,00,00,00,00,00,30,74,79,33,00,00,00,00,38,00,00,00,48,00,00,00,$1,$2"
}
tail_bytes='00,00,10,00,80,00,00,aa,00,38,9b,71'
video="76,69,64,73,$tail_bytes" audios="61,75,64,73,$tail_bytes"
h264="48,32,36,34,$tail_bytes" aac="ff,00,00,00,$tail_bytes" mjpg="4d,4a,50,47,$tail_bytes"
key_descriptor() { # view: the Preferred key's owner, group and DACL as hex bytes
  "$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" descriptor HKLM "${preferred_key#HKLM\\}" "$1" 2>/dev/null | tr -d '\r'
}
backup_gone() { # neither view's saved copy is left
  ! view_reg query 'HKLM\Software\Tarnwick\Quellmark\PreferredBackup' /s /reg:32 | grep -q HKEY_
}
registration() { # clsid name file bytes
  printf '[HKEY_LOCAL_MACHINE\\%s\\%s]\n"FriendlyName"="%s"\n"CLSID"="%s"\n"FilterData"=hex:%s\n\n' \
    "$instance" "$1" "$2" "$1" "$4"
  printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\%s\\InprocServer32]\n@="%s"\n\n' "$1" "$3"
}
reg_file=$(e2e_temp_dir)/filters.reg
{
  printf 'REGEDIT4\n\n'
  registration "$pack_clsid" "ffdshow MPEG-4 Video Decoder" \
    'C:\\Program Files\\Quellmark\\Codecs\\ffdshow.ax' "$(filter_data "$video" "$h264")"
  registration "$other" "Other H264 Decoder" 'C:\\Other\\h264.ax' "$(filter_data "$video" "$h264")"
  registration "$audio" "Other AAC Decoder" 'C:\\Other\\aac.ax' "$(filter_data "$audios" "$aac")"
  registration "$mjpeg_clsid" "Other MJPEG Decoder" 'C:\\Other\\mjpeg.ax' "$(filter_data "$video" "$mjpg")"
  # Found there before Zelora: MJPEG sent to a dead class, and a value of no format of ours.
  printf '[%s]\n"{47504A4D-0000-0010-8000-00AA00389B71}"="%s"\n' "${preferred_key/HKLM/HKEY_LOCAL_MACHINE}" "$dead"
  printf '"{67706A6D-0000-0010-8000-00AA00389B71}"="%s"\n"{11111111-2222-3333-4444-555555555555}"="%s"\n' "$dead" "$other"
} > "$reg_file"
restore() { # the prefix as the demo pack has it, for the other tests
  rm -rf "$drive/Other"
  for key in "$preferred_key" 'HKLM\Software\Tarnwick\Quellmark\PreferredBackup' \
             "HKLM\$instance\"{"$pack_clsid","$other","$audio","$mjpeg_clsid"} \
             "HKLM\Software\Classes\CLSID\"{"$pack_clsid","$other","$audio","$mjpeg_clsid"}; do
    for bits in 32 64; do view_reg delete "$key" /f "/reg:$bits" >/dev/null; done
  done
  demo_pack
}
trap 'restore; e2e_cleanup' EXIT

echo "four registered filters and an old Preferred key, in both views"
demo_pack
mkdir -p "$drive/Other"
cp "$ZELORA_BUILD/zelora_fake_filter.dll" "$drive/Program Files/Quellmark/Codecs/ffdshow.ax"
: > "$drive/Other/h264.ax"; : > "$drive/Other/aac.ax"; : > "$drive/Other/mjpeg.ax"
for bits in 32 64; do "$ZELORA_WINE" reg import "$(winepath_of "$reg_file")" "/reg:$bits" 2>/dev/null; done
declare -A before
for bits in 32 64; do before[$bits]=$(preferred_values "$bits"); done
check "both views hold the old key" [ "$(printf "%s\n" "${before[@]}" | grep -c REG_SZ)" = 6 ]

start_zelora || { finish; exit 1; }
control() { regtool_says control Zelora "$1"; }
preferred_open                       # 우선 코덱, after the last top-level button
preferred_row 1                      # H.264
park_mouse
screenshot "$shots/preferred-page.png"
expected=$'[팩] ffdshow MPEG-4 Video Decoder\nOther H264 Decoder\nWindows 기본'
for id in 1202 1203; do
  check "H.264's drop list $id offers exactly the H.264 filters, the pack's first" \
    [ "$(control "$id")" = "$expected" ]
done
preferred_row 6                      # MJPEG
check "MJPEG's dead entry is marked in both views" \
  [ "$(control 1208 | grep -c "없는 디코더 $dead")" = 2 ]

echo "H.264 to the pack's decoder, then back to Windows' own choice"
preferred_choose 1 Home Home
preferred_apply
for bits in 32 64; do
  added=$(comm -13 <(echo "${before[$bits]}") <(preferred_values "$bits"))
  # H264 and AVC1 among them, and none names another decoder.
  known=$(echo "$added" | grep -cE "^ *\{(34363248|31435641)-0000-0010-8000-00AA00389B71\} +REG_SZ +$pack_clsid\$")
  check "$bits-bit: the H.264 values written name the pack's decoder" \
    [ "$known/$(echo "$added" | grep -vc "REG_SZ *$pack_clsid\$")" = 2/0 ]
done
screenshot "$shots/preferred-applied.png"
preferred_choose 1 End End
preferred_apply
for bits in 32 64; do
  check "$bits-bit: 'Windows 기본' removed every H.264 value" [ "$(preferred_values "$bits")" = "${before[$bits]}" ]
done

echo "H.264, MJPEG and AAC each to another decoder: the values every subtype gets, as the program writes them"
declare -A subtypes shown   # by view: the value names the program wrote, one a line
for bits in 32 64; do subtypes[$bits]=; done
for row in 1 6 8; do
  for bits in 32 64; do shown[$bits]=$(preferred_values "$bits"); done
  preferred_choose "$row" Home Home
  preferred_apply
  for bits in 32 64; do
    written=$(comm -13 <(echo "${shown[$bits]}") <(preferred_values "$bits") | awk '{print $1}')
    check "$bits-bit: row $row's change wrote values" [ -n "$written" ]
    subtypes[$bits]+="${subtypes[$bits]:+$'\n'}$written"
  done
done
preferred_restore                    # Windows 기본값으로
for bits in 32 64; do
  check "$bits-bit: given back in the same run" [ "$(preferred_values "$bits")" = "${before[$bits]}" ]
done
check "the saved copies are dropped" backup_gone
click_at 558 11
check "Zelora closed" wait_exit 10

echo "the three formats changed in both views under a read-only key, then given back after a restart"
# Wine keeps a descriptor while its server runs: one server from here to the end.
"$WINESERVER" -w 2>/dev/null || true
"$WINESERVER" -p
# Each subtype's value other than the rest: a dead class, a number, or not a GUID.
kinds=("REG_SZ|$dead" 'REG_DWORD|7' 'REG_SZ|quartz.dll')
declare -A descriptor
for bits in 32 64; do
  i=0
  for name in ${subtypes[$bits]}; do
    IFS='|' read -r type data <<< "${kinds[$((i++ % 3))]}"
    view_reg add "$preferred_key" /v "$name" /t "$type" /d "$data" /f "/reg:$bits" >/dev/null
  done
  check "$bits-bit: the key is given a descriptor that lets Administrators only read" \
    "$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" secure HKLM "${preferred_key#HKLM\\}" "$bits" \
    'O:BAG:SYD:P(A;;0x30019;;;BA)(A;;KA;;;SY)'
  check "$bits-bit: which refuses a plain write" \
    sh -c "! '$ZELORA_WINE' reg add '$preferred_key' /v probe /d x /f /reg:$bits >/dev/null 2>&1"
  before[$bits]=$(preferred_values "$bits")
  descriptor[$bits]=$(key_descriptor "$bits")
  check "$bits-bit: each of the $i subtypes holds its own old value" \
    [ "$(echo "${before[$bits]}" | grep -c .)" -ge "$i" -a -n "${descriptor[$bits]}" ]
done
start_zelora || { finish; exit 1; }
preferred_open
for row in 1 8; do preferred_choose "$row" Home Home; preferred_apply; done
preferred_choose 6 End End
preferred_apply
for bits in 32 64; do
  check "$bits-bit: no subtype of the three keeps its old value" \
    [ "$(comm -12 <(echo "${before[$bits]}") <(preferred_values "$bits") | grep -cFf <(echo "${subtypes[$bits]}"))" = 0 ]
  check "$bits-bit: the descriptor is back after each change" [ "$(key_descriptor "$bits")" = "${descriptor[$bits]}" ]
done
click_at 558 11
check "Zelora closed" wait_exit 10
start_zelora || { finish; exit 1; }
preferred_open
preferred_restore                    # Windows 기본값으로
for bits in 32 64; do
  now=$(preferred_values "$bits")
  differing=0
  for name in ${subtypes[$bits]}; do
    [ "$(echo "$now" | grep -F "$name ")" = "$(echo "${before[$bits]}" | grep -F "$name ")" ] || differing=$((differing + 1))
  done
  check "$bits-bit: each subtype of the three formats holds exactly its old value ($differing differ)" [ "$differing" = 0 ]
  check "$bits-bit: the key holds exactly its old values" [ "$now" = "${before[$bits]}" ]
  check "$bits-bit: its descriptor is byte for byte the old one" [ "$(key_descriptor "$bits")" = "${descriptor[$bits]}" ]
done
check "the saved copies are dropped" backup_gone
check "no box was shown" sh -c "! '$ZELORA_WINE' '$ZELORA_BUILD/zelora_regtool.exe' message Zelora"
click_at 558 11
check "Zelora closed" wait_exit 10
finish
