#!/usr/bin/env bash
# The Xvid and ffdshow video pages as a person uses them: the first start writes their
# reset values, the pages open from the video group with their skin in place, a mouse click
# on a code box stores the mask, the current-defaults image resets the page in view, and
# without the decoders every control is greyed and deaf to clicks.
source "$(dirname "$0")/lib.sh"
xvid='Software\GNU\XviD'
codecs='Software\GNU\ffdshow'
video='Software\GNU\ffdshow\default'
audio='Software\GNU\ffdshow_audio\default'

echo "first start after installation, over values the reset must replace"
demo_pack
reg_apply <<REG
HKCU|$xvid|-
HKCU|Software\GNU\ffdshow|-
HKCU|Software\GNU\ffdshow_audio|-
HKCU|$xvid|Supported_4CC|dword|6
HKCU|$xvid|ForceColorspace|dword|1
HKCU|$codecs|wmv1|dword|1
HKCU|$audio|trayIcon|dword|1
REG
start_zelora || { finish; exit 1; }
check "CheckInstall is 1" [ "$(reg_get HKLM 'Software\Tarnwick\Quellmark\Setup' CheckInstall)" = 1 ]
check "Xvid reset: Supported_4CC 0" [ "$(reg_get HKCU "$xvid" Supported_4CC)" = 0 ]
check "Xvid reset: ForceColorspace 3" [ "$(reg_get HKCU "$xvid" ForceColorspace)" = 3 ]
check "Xvid reset: Deblock_Y 0" [ "$(reg_get HKCU "$xvid" Deblock_Y)" = 0 ]
check "ffdshow reset: xvid 1" [ "$(reg_get HKCU "$codecs" xvid)" = 1 ]
check "ffdshow reset: wmv1 0" [ "$(reg_get HKCU "$codecs" wmv1)" = 0 ]
check "ffdshow reset: outI420 0" [ "$(reg_get HKCU "$video" outI420)" = 0 ]
check "ffdshow reset: outYUY2 1" [ "$(reg_get HKCU "$video" outYUY2)" = 1 ]
# Both ffdshow pages show the audio key's trayIcon; the audio page resets after the video
# page, so its reset value (1) is the one that stays.
check "ffdshow resets: the audio key's trayIcon 1" [ "$(reg_get HKCU "$audio" trayIcon)" = 1 ]

echo "the ffdshow video page"
click_at 80 135                      # Video Setup opens on ffdshow video
park_mouse
for b in "174 0 0" "173 10 30" "171 110 30" "172 210 30"; do
  check "skin bitmap ${b%% *} in place" page_shows_bitmap $b
done
screenshot "$shots/video-ffdshow-installed.png"
page_click 226 66                    # the tray-icon box
check "the tray-icon box writes under the audio key" [ "$(reg_get HKCU "$audio" trayIcon)" = 0 ]
page_click 226 66

echo "the Xvid page"
click_at 80 204                      # Video Xvid
park_mouse
for b in "178 0 0" "177 10 30" "176 10 240" "175 200 30"; do
  check "skin bitmap ${b%% *} in place" page_shows_bitmap $b
done
screenshot "$shots/video-xvid-installed.png"
page_click 216 106                   # DX50
check "DX50 stores Supported_4CC 1" [ "$(reg_get HKCU "$xvid" Supported_4CC)" = 1 ]
page_click 216 136                   # mp4v
check "then mp4v stores 5" [ "$(reg_get HKCU "$xvid" Supported_4CC)" = 5 ]

echo "current defaults reset the page in view only"
reg_apply <<REG
HKCU|$codecs|wmv2|dword|1
REG
click_at 406 581
check "Xvid back to Supported_4CC 0" [ "$(reg_get HKCU "$xvid" Supported_4CC)" = 0 ]
check "the ffdshow page was left alone" [ "$(reg_get HKCU "$codecs" wmv2)" = 1 ]
click_at 558 11
check "Zelora closed" wait_exit 10

echo "Xvid and ffdshow not installed"
reg_apply <<'REG'
HKLM|Software\Tarnwick\Quellmark\CodecVersion|-
HKLM|Software\Tarnwick\Quellmark\CodecVersion|Divx5|sz|(5.2.1)
HKLM|Software\Tarnwick\Quellmark\CodecVersion|AC3Filter|sz|(1.01a)
HKLM|Software\Tarnwick\Quellmark\CodecVersion|Korrins DTS|sz|(1.1)
HKLM|Software\Tarnwick\Quellmark\CodecVersion|VSFilter|sz|(2.37)
HKLM|Software\Tarnwick\Quellmark\CodecVersion|DivxG400|sz|(1.0)
HKCU|Software\GNU\XviD|Deblock_Y|dword|1
REG
start_zelora || { finish; exit 1; }
click_at 80 135
park_mouse
screenshot "$shots/video-ffdshow-not-installed.png"
click_at 80 204
park_mouse
screenshot "$shots/video-xvid-not-installed.png"
page_click 216 106
check "a greyed DX50 ignores the click" [ "$(reg_get HKCU "$xvid" Supported_4CC)" = 0 ]
check "the stored Deblock_Y is kept" [ "$(reg_get HKCU "$xvid" Deblock_Y)" = 1 ]
echo "screenshots: $shots/video-*.png"
finish
