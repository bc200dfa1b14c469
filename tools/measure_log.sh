#!/bin/bash
# Whole-process figures of the log scan on a generated log, beside GNU grep
# and ripgrep counting one phrase in the same file, in one run:
#
#   tools/measure_log.sh [SIZE] [ROUNDS]      (default 1G and 7)
#
# Needs build/native (make_big_log, tolvik-log); with build/mingw/tolvik-log.exe
# the Windows build is timed under Wine as well. The log is written to
# $TOLVIK_BIG_LOG (default /tmp/big.txt) unless it is already there with that
# size. Each round runs every program once, in turn, with the page cache warm;
# the medians of wall time and the peak resident memory are printed.
# ripgrep is installed for this measurement only, when it is missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
source "$here/wine-env.sh"
size="${1:-1G}"
rounds="${2:-7}"
log="${TOLVIK_BIG_LOG:-/tmp/big.txt}"
native="$root/build/native"
exe="$root/build/mingw/tolvik-log.exe"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

tolvik_install_packages ripgrep time

# make_big_log writes whole lines: the last one may end a little past SIZE.
bytes="$(numfmt --from=iec "$size")"
have="$(stat -c %s "$log" 2>/dev/null || echo 0)"
if [ "$have" -lt "$bytes" ] || [ "$have" -gt $((bytes + 4096)) ]; then
    "$native/make_big_log" "$log" "$size" 1
fi
cat "$log" >/dev/null

wine_ok=0
if [ -f "$exe" ]; then
    tolvik_prefix_init
    # One wineserver for the whole run, as on a desktop where it is running.
    wineserver -p
    wine_ok=1
    trap 'wineserver -k 2>/dev/null || true; rm -rf "$out"' EXIT
    wine_log="Z:${log//\//\\}"
fi

# name, then the command; output goes to a file (grep stops at the first
# match when its output is /dev/null).
run() {
    local name="$1"
    shift
    /usr/bin/time -a -o "$out/$name.times" -f "%e %M" "$@" >"$out/$name.out"
}

for ((i = 0; i < rounds; i++)); do
    run tolvik-log "$native/tolvik-log" "$log"
    run grep grep -F -c 'Your Location is' "$log"
    run rg rg --no-mmap -c -F 'Your Location is' "$log"
    if [ "$wine_ok" = 1 ]; then
        run tolvik-log.exe "$root/tools/wine-run.sh" "$exe" "$wine_log"
    fi
done

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "log: $log ($(stat -c %s "$log") bytes, $(cat "$out/rg.out") lines with the phrase), $rounds rounds"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), load $(cut -d' ' -f1-3 /proc/loadavg)"
for name in tolvik-log grep rg tolvik-log.exe; do
    [ -f "$out/$name.times" ] || continue
    wall="$(cut -d' ' -f1 "$out/$name.times" | median)"
    peak="$(cut -d' ' -f2 "$out/$name.times" | sort -n | tail -1)"
    printf '%-15s median %5s s   peak %6.1f MB   (all: %s)\n' "$name" "$wall" "$(awk "BEGIN {print $peak / 1024}")" \
        "$(cut -d' ' -f1 "$out/$name.times" | tr '\n' ' ')"
done
if [ "$wine_ok" = 1 ] && ! cmp -s "$out/tolvik-log.out" <(tr -d '\r' <"$out/tolvik-log.exe.out"); then
    echo "tolvik-log.exe printed something else than tolvik-log" >&2
    exit 1
fi
