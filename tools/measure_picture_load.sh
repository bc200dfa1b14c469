#!/bin/bash
# Measures how long the window stays unanswered while Tolvik.exe loads a big
# zone picture under Wine: the player enters a zone whose map is a SIZE x SIZE
# JPEG, and an outside program sends the window an empty message every 20 ms.
#
#   tools/measure_picture_load.sh [--size PIXELS] [--seconds N]
#
# Prints the longest wait for an answer and leaves screenshots of the window
# while the picture loads and once it is shown.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$TOLVIK_ROOT"

SIZE=7000
SPAN=20
while [ $# -gt 0 ]; do
    case "$1" in
    --size) SIZE="$2"; shift 2 ;;
    --seconds) SPAN="$2"; shift 2 ;;
    *) echo "usage: $0 [--size PIXELS] [--seconds N]" >&2; exit 2 ;;
    esac
done

trap tolvik_cleanup EXIT
cmake --preset mingw >/dev/null && cmake --build --preset mingw -j2 --target Tolvik winprobe >/dev/null || exit 1

RUN="$TOLVIK_ROOT/build/picture-load"
rm -rf "$RUN"
tolvik_stage_program "$RUN/Tolvik"
mkdir -p "$RUN/logs"
convert -size "${SIZE}x${SIZE}" gradient:navy-goldenrod -quality 85 "$RUN/Tolvik/Zones/Big Zone.jpg"
printf '[Physical]\r\nX1=0\r\nY1=0\r\nX2=%d\r\nY2=%d\r\n[Logical]\r\nX1=1000.0000\r\nY1=1000.0000\r\nX2=-1000.0000\r\nY2=-1000.0000\r\n' \
    "$SIZE" "$SIZE" >"$RUN/Tolvik/Zones/Big Zone.ini"
LOG="$RUN/logs/eqlog_Load_P1999.txt"
printf 'You have entered Small Zone.\r\nYour Location is 10.00, 20.00, 1.00\r\n' >"$LOG"
printf '[Settings]\r\nLog File=%s\r\n' "$(tolvik_winpath "$LOG")" >"$RUN/Tolvik/Tolvik.ini"

tolvik_prefix_init || exit 1
tolvik_start_xvfb || exit 1
"$TOLVIK_ROOT/tools/wine-run.sh" "$RUN/Tolvik/Tolvik.exe" >/dev/null 2>&1 &
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe wait Tolvik 30 >/dev/null 2>&1
sleep 3
echo "picture ${SIZE}x${SIZE} ($(du -h "$RUN/Tolvik/Zones/Big Zone.jpg" | cut -f1)), entering its zone"
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe ping Tolvik "$SPAN" &
PING=$!
sleep 1
printf 'You have entered Big Zone.\r\nYour Location is 0.00, 0.00, 1.00\r\n' >>"$LOG"
sleep 2
import -window root "$RUN/loading.png" 2>/dev/null
wait "$PING"
import -window root "$RUN/shot.png" 2>/dev/null
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe close Tolvik >/dev/null 2>&1
sleep 2
echo "screenshots: $RUN/loading.png (2 s after the zone change), $RUN/shot.png (at the end)"
