#!/bin/bash
# Builds Tolvik for Windows, stages dist/Tolvik/ and runs it under Wine on
# demo data: a demo log (C:\EverQuest\Logs\ in the Wine prefix) that a
# simulated player keeps writing to, walking down into the cave under Wisp
# Hollow, dying there and running back to the corpse.
#
#   tools/demo.sh [--seconds N] [--vector] [--shots DIR] [--headless]
#
# With a display the window opens for you and the demo runs until you close
# it. Without one (or with --headless) it runs on a private X server for N
# seconds (default 15), saves screenshots and names their folder on its
# last line.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$TOLVIK_ROOT"

SECONDS_TO_RUN=15
VECTOR=0
SHOTS=""
HEADLESS=0
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) SECONDS_TO_RUN="$2"; shift 2 ;;
    --vector) VECTOR=1; shift ;;
    --shots) SHOTS="$2"; shift 2 ;;
    --headless) HEADLESS=1; shift ;;
    *) echo "usage: $0 [--seconds N] [--vector] [--shots DIR] [--headless]" >&2; exit 2 ;;
    esac
done
[ -z "${DISPLAY:-}" ] && HEADLESS=1
if [ "$HEADLESS" -eq 0 ]; then
    # On a desktop the window manager looks after Tolvik's window.
    export TOLVIK_WINEPREFIX="$TOLVIK_ROOT/build/wineprefix-desktop"
    export TOLVIK_WINE_MANAGED=Y
fi

SIM_PID=""
APP_PID=""
stop_all() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    tolvik_cleanup
}
trap stop_all EXIT

tolvik_install_packages "${TOLVIK_BUILD_PACKAGES[@]}" "${TOLVIK_WINE_PACKAGES[@]}" || exit 1

tolvik_log "building Tolvik.exe"
mkdir -p build
if ! { cmake --preset mingw >build/mingw-configure.log 2>&1 &&
       cmake --build --preset mingw -j2 --target Tolvik winprobe >build/mingw-demo-build.log 2>&1; }; then
    tail -n 40 build/mingw-configure.log build/mingw-demo-build.log >&2
    exit 1
fi

# The shippable folder.
DIST="$TOLVIK_ROOT/dist/Tolvik"
tolvik_stage_program "$DIST"
tolvik_log "staged $DIST"

tolvik_prefix_init || exit 1

# A demo copy of it, with the demo maps and a settings file naming the demo
# log, which lives where the game keeps its logs: C:\EverQuest\Logs\.
DEMO="$TOLVIK_ROOT/build/demo"
rm -rf "$DEMO"
mkdir -p "$DEMO"
cp -r "$DIST" "$DEMO/Tolvik"
cp data/demo/Zones/* "$DEMO/Tolvik/Zones/" 2>/dev/null || true
cp data/demo/VURavaZiro/* "$DEMO/Tolvik/VURavaZiro/" 2>/dev/null || true
LOGS="$WINEPREFIX/drive_c/EverQuest/Logs"
mkdir -p "$LOGS"
LOG="$LOGS/eqlog_Tolvikdemo_P1999.txt"
: >"$LOG"
{
    printf '[Settings]\r\nLog File=C:\\EverQuest\\Logs\\%s\r\n' "$(basename "$LOG")"
    printf '[Mode]\r\nKeepCentered=1\r\n'
    # The vector map follows the player's level: the cave under Wisp Hollow
    # lies about 240 units below the ground, the tree town up to 140 above.
    printf '[VURavaZiro]\r\nUseVURavaZiro=%d\r\nMapResolution=1600\r\n' "$VECTOR"
    printf 'UseHeightFilter=1\r\nFilterLow=180\r\nFilterHigh=180\r\nFollowHeight=1\r\nFadeOtherLevels=1\r\n'
} >"$DEMO/Tolvik/Tolvik.ini"
if [ "$HEADLESS" -eq 1 ]; then
    tolvik_start_xvfb || exit 1
fi

# The player enters the zone before the program starts, so that it opens on
# the zone's map, and starts walking once the window is up, however long
# Wine takes to start, so that the walk is seen from its first step.
SIM_SECONDS=$((SECONDS_TO_RUN + 5))
[ "$HEADLESS" -eq 0 ] && SIM_SECONDS=3600
WALK="$DEMO/walk"
python3 tools/simulate_log.py "$LOG" --seconds "$SIM_SECONDS" --walk-when "$WALK" >/dev/null 2>&1 &
SIM_PID=$!
for i in $(seq 1 50); do [ -s "$LOG" ] && break; sleep 0.1; done

"$TOLVIK_ROOT/tools/wine-run.sh" "$DEMO/Tolvik/Tolvik.exe" >/dev/null 2>&1 &
APP_PID=$!
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe wait "Tolvik" 60 >/dev/null 2>&1
touch "$WALK"

if [ "$HEADLESS" -eq 0 ]; then
    tolvik_log "Tolvik is running; close its window to end the demo"
    wait "$APP_PID"
    APP_PID=""
    exit 0
fi

[ -z "$SHOTS" ] && SHOTS="$TOLVIK_ROOT/shots/demo-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$SHOTS"
start=$(date +%s)
n=0
while [ $(( $(date +%s) - start )) -lt "$SECONDS_TO_RUN" ]; do
    sleep 3
    n=$((n + 1))
    import -window root "$SHOTS/shot-$(printf %02d $n).png" 2>/dev/null
done
# Close the window as a user would, so that the settings are written.
"$TOLVIK_ROOT/tools/wine-run.sh" build/mingw/winprobe.exe close "Tolvik" >/dev/null 2>&1
for i in $(seq 1 50); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.2
done
APP_PID=""
stop_all
trap - EXIT
echo "$SHOTS"
