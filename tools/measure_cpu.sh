#!/bin/bash
# Measures the CPU use of Tolvik.exe under Wine while it shows a big
# calibrated map with the marker and trail animating and the player walking:
# the game's answer to /loc is appended to the log once a second.
#
#   tools/measure_cpu.sh [--seconds N] [--size PIXELS] [--zoom STEP] [--pointer-over-map] [--settle S]
#
# Tolvik starts once Wine has run for S seconds (35: past the registry save
# that follows Wine's start-up).
# --zoom shows the map at zoom step STEP (1.25^STEP: 6 is about 4x). The
# mouse pointer is moved off the window, as it is while the player plays;
# --pointer-over-map leaves it over the map.
#
# Prints the CPU seconds used by Tolvik.exe, by the wineserver and by the X
# server over the measured span, as a share of one core, and the wineserver's
# share over as long a span before Tolvik started: Wine's own floor (its
# server wakes about 60 times a second while Wine's services run).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$TOLVIK_ROOT"

SPAN=30
SETTLE=35
SIZE=2048
ZOOM=0
POINTER_OVER_MAP=0
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) SPAN="$2"; shift 2 ;;
    --settle) SETTLE="$2"; shift 2 ;;
    --size) SIZE="$2"; shift 2 ;;
    --zoom) ZOOM="$2"; shift 2 ;;
    --pointer-over-map) POINTER_OVER_MAP=1; shift ;;
    *) echo "usage: $0 [--seconds N] [--size PIXELS] [--zoom STEP] [--pointer-over-map] [--settle S]" >&2; exit 2 ;;
    esac
done

WALK_PID=""
trap '[ -n "$WALK_PID" ] && kill "$WALK_PID" 2>/dev/null; tolvik_cleanup' EXIT
cmake --preset mingw >/dev/null && cmake --build --preset mingw -j2 --target Tolvik winprobe >/dev/null || exit 1

RUN="$TOLVIK_ROOT/build/cpu"
rm -rf "$RUN"
tolvik_stage_program "$RUN/Tolvik"
mkdir -p "$RUN/logs"
convert "data/demo/Zones/Greater Faydark.jpg" -resize "${SIZE}x${SIZE}!" -quality 85 "$RUN/Tolvik/Zones/Big Zone.jpg"
printf '[Physical]\r\nX1=0\r\nY1=0\r\nX2=%d\r\nY2=%d\r\n[Logical]\r\nX1=1000.0000\r\nY1=1000.0000\r\nX2=-1000.0000\r\nY2=-1000.0000\r\n' \
    "$SIZE" "$SIZE" >"$RUN/Tolvik/Zones/Big Zone.ini"
LOG="$RUN/logs/eqlog_Cpu_P1999.txt"
{
    printf 'You have entered Big Zone.\r\n'
    for i in $(seq 0 30); do printf 'Your Location is %d.00, %d.00, 1.00\r\n' $((i * 7)) $((i * 11)); done
    printf 'Returning to Big Zone\r\n'
} >"$LOG"
printf '[Settings]\r\nLog File=%s\r\n[Mode]\r\nKeepCentered=1\r\n[Zoom]\r\nBig Zone=%d\r\n' "$(tolvik_winpath "$LOG")" "$ZOOM" \
    >"$RUN/Tolvik/Tolvik.ini"

tolvik_prefix_init || exit 1
tolvik_start_xvfb || exit 1
# A player's Wine is running long before Tolvik starts: the game runs in it.
# Wine's own start-up writes to its registry, which the wineserver saves 30 s
# later (a one-off burst of work); so Wine is started and left to settle
# first, and only then is Tolvik started and measured.
wineserver -p
"$TOLVIK_ROOT/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1
server=""
for pid in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$TOLVIK_WINEPREFIX" && server=$pid
done
while [ -n "$server" ] && [ "$(ps -o etimes= -p "$server" 2>/dev/null || echo 99)" -lt "$SETTLE" ]; do sleep 1; done
# What Wine's server costs on its own, before Tolvik starts: its floor.
# CPU time of a process in microseconds, from the scheduler's nanosecond
# counts of all its threads (the tick counts of /proc/PID/stat are 10 ms
# coarse: a third of the target over 30 s).
ticks() { [ -n "$1" ] && cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{t += $1} END {printf "%d\n", t / 1000}' || echo 0; }
f0=$(ticks "$server")
sleep "$SPAN"
f1=$(ticks "$server")
"$TOLVIK_ROOT/tools/wine-run.sh" "$RUN/Tolvik/Tolvik.exe" >/dev/null 2>&1 &
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe wait Tolvik 30 >/dev/null 2>&1
# The player's pointer is in the game, not over Tolvik (--pointer-over-map
# leaves it in the middle of the screen, over the map).
[ "$POINTER_OVER_MAP" = 1 ] || "$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe away Tolvik >/dev/null 2>&1
sleep 3

# The player walks: one /loc a second, a step of about 8 units, kept on the map.
walk() {
    local i=31
    while :; do
        printf '[%s] Your Location is %d.00, %d.00, 1.00\r\n' "$(date '+%a %b %d %T %Y')" \
            $(((i * 7) % 900)) $(((i * 5) % 900)) >>"$LOG"
        i=$((i + 1))
        sleep 1
    done
}
walk &
WALK_PID=$!

app=$(pgrep -f 'build/cpu/Tolvik/Tolvik\.exe' | tail -1)
hz=1000000
a0=$(ticks "$app"); s0=$(ticks "$server"); x0=$(ticks "$TOLVIK_XVFB_PID")
sleep "$SPAN"
a1=$(ticks "$app"); s1=$(ticks "$server"); x1=$(ticks "$TOLVIK_XVFB_PID")
kill "$WALK_PID" 2>/dev/null
WALK_PID=""
import -window root "$RUN/shot.png" 2>/dev/null
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe close Tolvik >/dev/null 2>&1
sleep 2
awk -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v f=$((f1 - f0)) -v x=$((x1 - x0)) -v hz="$hz" -v span="$SPAN" -v size="$SIZE" -v zoom="$ZOOM" -v over="$POINTER_OVER_MAP" 'BEGIN {
    printf "map %dx%d, zoom step %d, walking, %d s%s: Tolvik.exe %.2f s CPU (%.2f%% of one core), wineserver %.2f%% (Wine alone before: %.2f%%), Xvfb %.2f%%\n",
        size, size, zoom, span, over ? ", pointer over the map" : "", a / hz, 100 * a / hz / span, 100 * s / hz / span, 100 * f / hz / span, 100 * x / hz / span }'
echo "screenshot: $RUN/shot.png"
