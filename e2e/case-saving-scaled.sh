#!/bin/bash
# Saving mode scaled by a whole factor, under Wine: every screenshot equals a frame that
# lomlom-render draws for the same physical screen, DPI and Size setting.
#   dpi       2560x1440 at LogPixels 192: the default Size doubles the picture (--dpi 192), and
#             Size 1 keeps it at 1:1 (--dpi 192 --fit actual)
#   fill      1920x1080 at 96 DPI with Size 2: the largest factor that fits, 2 (--fit fill)
#   monitors  two 1024x768 monitors, the second left of the main one, with Monitors 1: both show
#             the frames a single 1024x768 screen shows, the second within a few ticks of the main
#             one (Wine puts each window on the X screen in its own time), the creature on both
# usage: case-saving-scaled.sh VARIANT   (E2E_RENDER is lomlom-render)
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/scene/creature.sh"
variant=${1:-}
saver='C:\saver\lomlom.scr /s'
saver_key='HKLM\SOFTWARE\NUVARIS\ORUScreenSaver\LOMLOM_ACTION_2'
case $variant in
  dpi) SCREEN_WIDTH=2560 SCREEN_HEIGHT=1440 ;;
  fill) SCREEN_WIDTH=1920 SCREEN_HEIGHT=1080 ;;
  # One wide X screen that xrandr splits into the two monitors.
  monitors) SCREEN_WIDTH=2048 SCREEN_HEIGHT=768 ;;
  *) echo "FAIL: the variant must be dpi, fill or monitors, not '$variant'"; exit 1 ;;
esac
screen=${SCREEN_WIDTH}x${SCREEN_HEIGHT}

# reg_add KEY NAME DWORD: a value stored in the prefix, taken by Wine when its server starts afresh.
reg_add() {
  timeout 60 "$WINE" reg add "$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1 || abort "could not store $2=$3 in $1"
  timeout 60 "$WINESERVER" -w
}

begin_case "saving-scaled-$variant"
case $variant in
  dpi)
    reg_add 'HKCU\Control Panel\Desktop' LogPixels 192
    learn_entry_points "$screen" 32
    shows_creature follow "$saver" "$screen" --dpi 192
    reg_add "$saver_key" Size 1
    shows_creature actual "$saver" "$screen" --dpi 192 --fit actual
    ;;
  fill)
    reg_add "$saver_key" Size 2
    learn_entry_points "$screen" 32
    shows_creature fill "$saver" "$screen" --fit fill
    ;;
  monitors)
    # The main monitor named first, so Wine puts the other at negative coordinates.
    split_monitors RIGHT 1024/260x768/195+1024+0 LEFT 1024/260x768/195+0+0
    reg_add "$saver_key" Monitors 1
    driver "$CASE_DIR/monitors.out" 30 monitors
    expect "monitors Windows sees" 2 "$(value "$CASE_DIR/monitors.out" monitors)"
    expect "main monitor" "0,0,1024,768 1" \
      "$(value "$CASE_DIR/monitors.out" monitor1.rect) $(value "$CASE_DIR/monitors.out" monitor1.primary)"
    expect "monitor left of it" "-1024,0,0,768 0" \
      "$(value "$CASE_DIR/monitors.out" monitor2.rect) $(value "$CASE_DIR/monitors.out" monitor2.primary)"
    learn_entry_points 1024x768 32
    # The X screen holds the left monitor first.
    # shellcheck disable=SC2034,SC2054  # read by shows_creature; each part is X,Y,W,H
    WATCH_PARTS=(1024,0,1024,768 0,0,1024,768)
    shows_creature every "$saver" 1024x768
    ;;
esac
