#!/usr/bin/env bash
# The setup file as a user meets it: a silent install over an installed decoder pack, the
# first start from the installed folder, an upgrade that keeps a changed setting, an
# uninstall refused while Zelora runs, then a silent uninstall that takes away everything
# of ours and nothing of the decoders'.
# Runs the setup file of the build under test: the shipped x86 one from the 32-bit build
# (whose programs go to the 32-bit Program Files and whose logon and programs-list entries
# are in the 32-bit view, where Windows reads them too), the amd64 one from the 64-bit build.
source "$(dirname "$0")/lib.sh"
if [ "$ZELORA_BITS" = 32 ]; then
  setup_file="$ZELORA_BUILD/ZeloraSetup.exe"
  folder_win='C:\Program Files (x86)\Zelora'
else
  setup_file="$ZELORA_BUILD/ZeloraSetup-amd64.exe"
  folder_win='C:\Program Files\Zelora'
fi
echo "setup file: $(basename "$setup_file") ($ZELORA_BITS-bit programs)"
product='Software\Tarnwick\Quellmark'
setup="$product\\Setup"
folder="$WINEPREFIX/drive_c/${folder_win#C:\\}"
folder=${folder//\\//}
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelora.lnk"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelora'

[ -f "$setup_file" ] || { fail "no $setup_file (is makensis installed?)"; finish; exit 1; }

# The programs' own view is the 32-bit one (zelora_regtool); the logon and programs-list
# entries are in the installer's own view.
setup_view="/reg:$ZELORA_BITS"
setup_reg_has() { "$ZELORA_WINE" reg query "$1" ${2:+/v "$2"} "$setup_view" >/dev/null 2>&1; }
reg_has_key() { "$ZELORA_WINE" reg query "HKLM\\$1" /reg:32 >/dev/null 2>&1; }
setup_reg_gone() { ! setup_reg_has "$@"; }
key_gone() { ! reg_has_key "$1"; }
wait_wine() { "$WINESERVER" -w 2>/dev/null || true; }

echo "a decoder pack is installed; no Zelora yet"
demo_pack
reg_apply <<EOF2
HKLM|$setup|-
HKLM|$product\\CodecDel|Mpeg Splitter|sz|C:\\Program Files\\Quellmark\\Codecs\\splitter.ax
HKLM|$product\\CodecBuildNum\\video|Xvid|sz|1234
HKCU|Software\\GNU\\XviD|-
EOF2
rm -rf "$folder" "$shortcut"

echo "silent install"
"$ZELORA_WINE" "$setup_file" /S
check "the setup file reports success" [ $? -eq 0 ]
wait_wine
check "Zelora.exe and ZeloraUpdate.exe under Program Files" \
  [ -f "$folder/Zelora.exe" -a -f "$folder/ZeloraUpdate.exe" -a -f "$folder/Uninstall.exe" ]
check "Start menu entry for Zelora" [ -f "$shortcut" ]
check "Install_Dir names the folder" [ "$(reg_get HKLM "$setup" Install_Dir)" = "$folder_win" ]
check "CheckInstall is 0" [ "$(reg_get HKLM "$setup" CheckInstall)" = "0" ]
check "the updater starts at logon" \
  sh -c "'$ZELORA_WINE' reg query '$run_key' /v ZeloraUpdate $setup_view 2>/dev/null | tr -d '\r' | grep -qF '\"$folder_win\\ZeloraUpdate.exe\"'"
check "listed among the installed programs" setup_reg_has "$arp_key" UninstallString
version=$(sed -n 's/^#define ZELORA_VERSION_TEXT "\(.*\)\.0"$/\1/p' "$ZELORA_BUILD/generated/ProductVersion.h")
check "its DisplayVersion is the programs' version ($version)" \
  sh -c "'$ZELORA_WINE' reg query '$arp_key' /v DisplayVersion $setup_view 2>/dev/null | tr -d '\r' | grep -q 'REG_SZ *$version\$'"

echo "install again while the updater runs, as it does from logon"
# Windows keeps a running program's file from being replaced (Wine does not), so setup must
# end the updater first.
"$ZELORA_WINE" "$folder_win\\ZeloraUpdate.exe" &
updater_pid=$!
# Its window is made at once but shown only once its start timer has run: looked for hidden too.
updater_window_made() { xdotool search --name '^ZL Update$' >/dev/null 2>&1; }
wait_for 10 updater_window_made
check "the updater's window is up" updater_window_made
"$ZELORA_WINE" "$setup_file" /S
check "the setup file reports success" [ $? -eq 0 ]
check "the updater was asked to close and has ended" \
  sh -c "! ps -o stat= -p $updater_pid | grep -qv Z"
wait "$updater_pid" 2>/dev/null || true
check "the programs are in place" [ -f "$folder/Zelora.exe" -a -f "$folder/ZeloraUpdate.exe" ]
check "CheckInstall is still 0: the first start is still to come" \
  [ "$(reg_get HKLM "$setup" CheckInstall)" = "0" ]

echo "first start from the installed folder"
ZELORA_EXE="$folder_win\\Zelora.exe" start_zelora || { finish; exit 1; }
check "the install check ran: CheckInstall is 1" [ "$(reg_get HKLM "$setup" CheckInstall)" = "1" ]
check "the decoder pages stored their defaults" [ -n "$(reg_get HKCU 'Software\GNU\XviD' Supported_4CC)" ]
check "the Codec Update page stored the updater selections" \
  [ "$(reg_get HKLM "$product\\CodecUpdate\\video" FFDShow)" = 1 ]

echo "an upgrade keeps the user's settings"
"$WINESERVER" -k 2>/dev/null || true
wait_wine
reg_apply <<EOF2
HKCU|Software\\GNU\\XviD|Supported_4CC|dword|5
EOF2
"$ZELORA_WINE" "$setup_file" /S
check "the setup file reports success" [ $? -eq 0 ]
wait_wine
check "CheckInstall stays 1" [ "$(reg_get HKLM "$setup" CheckInstall)" = "1" ]
ZELORA_EXE="$folder_win\\Zelora.exe" start_zelora || { finish; exit 1; }
check "the changed setting survives the next start" \
  [ "$(reg_get HKCU 'Software\GNU\XviD' Supported_4CC)" = 5 ]
xvid_mask=$(reg_get HKCU 'Software\GNU\XviD' Supported_4CC)

echo "uninstall while Zelora runs"
# Run in place (_?=, which must stand unquoted at the end of the command line: hence a
# batch file), so its exit code is the uninstaller's own.
in_place="$ZELORA_BUILD/uninstall-in-place.bat"
printf '@"%s\\Uninstall.exe" /S _?=%s\r\n@exit /b %%ERRORLEVEL%%\r\n' "$folder_win" "$folder_win" > "$in_place"
"$ZELORA_WINE" cmd /c "$(winepath_of "$in_place")"
check "the uninstaller refuses (exit code 2)" [ $? -eq 2 ]
check "it removed nothing" [ -f "$folder/Zelora.exe" -a -f "$shortcut" ]
check "our keys are still there" [ "$(reg_get HKLM "$setup" Install_Dir)" = "$folder_win" ]
"$WINESERVER" -k 2>/dev/null || true
wait_wine

echo "the uninstaller's offer to give back the Windows preferred decoders"
# What the uninstaller starts before it removes anything: Zelora.exe asks only when it
# changed a Preferred key, and a silent uninstall gives them back without asking.
timeout 60 "$ZELORA_WINE" "$folder_win\\Zelora.exe" /restore-preferred
check "with nothing changed it ends at once, asking nothing (exit code 0)" [ $? -eq 0 ]
for bits in 32 64; do   # H.264 sent to a decoder of another maker, before Zelora
  view_reg add "$preferred_key" /v '{34363248-0000-0010-8000-00AA00389B71}' /d '{7A1E0000-0000-4000-8000-0000000000DE}' \
    /f "/reg:$bits" >/dev/null
done
declare -A before
for bits in 32 64; do before[$bits]=$(preferred_values "$bits"); done
h264_unset() { [ "$(preferred_values "$1" | grep -c 34363248)" = 0 ]; }
ZELORA_EXE="$folder_win\\Zelora.exe" start_zelora || { finish; exit 1; }
preferred_open
preferred_choose 1 End End           # H.264 to Windows' own choice
preferred_apply
click_at 558 11
wait_exit 10
for bits in 32 64; do
  check "$bits-bit: Zelora took the H.264 value away" h264_unset "$bits"
done
"$ZELORA_WINE" "$folder_win\\Zelora.exe" /restore-preferred &
offer_pid=$!
question() { regtool_says question Zelora; }
wait_for 20 question >/dev/null
asked=$(question)
asks_back() { grep -q '우선 코덱' <<< "$asked" && grep -q '되돌릴까요' <<< "$asked"; }
check "then it asks, in Korean, whether to give back the preferred decoders" asks_back
xdotool key Tab space                # 아니요
check "answered no, it ends" wait_for 15 pid_gone "$offer_pid"
check "and keeps the saved copies" reg_has_key "$product\\PreferredBackup\\32"
for bits in 32 64; do
  check "$bits-bit: and Zelora's choice stays" h264_unset "$bits"
done
"$WINESERVER" -k 2>/dev/null || true
wait_wine

echo "silent uninstall"
"$ZELORA_WINE" "$folder_win\\Uninstall.exe" /S
wait_wine
for bits in 32 64; do
  check "$bits-bit: the Windows preferred decoders are given back, asking nothing" \
    [ "$(preferred_values "$bits")" = "${before[$bits]}" ]
  view_reg delete "$preferred_key" /v '{34363248-0000-0010-8000-00AA00389B71}' /f "/reg:$bits" >/dev/null
done
check "the saved copies went with them" key_gone "$product\\PreferredBackup"
check "the folder is gone" [ ! -e "$folder" ]
check "the Start menu entry is gone" [ ! -e "$shortcut" ]
check "the logon entry is gone" setup_reg_gone "$run_key" ZeloraUpdate
check "the programs-list entry is gone" setup_reg_gone "$arp_key"
check "our Setup key is gone" key_gone "$setup"
check "the updater selections are gone" key_gone "$product\\CodecUpdate"
check "the pack's bookkeeping stays" \
  [ "$(reg_get HKLM "$product\\Install" Xvid)" = 'C:\Program Files\Quellmark\Codecs\xvid.ax' \
    -a "$(reg_get HKLM "$product\\CodecVersion" Xvid)" = '(1.1.0)' \
    -a -n "$(reg_get HKLM "$product\\UnInstall" Xvid)" \
    -a -n "$(reg_get HKLM "$product\\CodecDel" 'Mpeg Splitter')" \
    -a "$(reg_get HKLM "$product\\CodecBuildNum\\video" Xvid)" = 1234 ]
check "the filter registrations stay" [ -n "$(reg_get HKCR 'CLSID\{0E1AB5A1-0C2C-4D5D-9E3F-5A0F7C1D0001}\InprocServer32' '')" ]
check "the user's decoder settings stay" [ "$(reg_get HKCU 'Software\GNU\XviD' Supported_4CC)" = "$xvid_mask" ]

finish
