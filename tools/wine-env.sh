# Shared set-up for the demo and test scripts: packages, the private Wine
# prefix, a private X server and the Wine keeper process. Source it.

TOLVIK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOLVIK_WINEPREFIX:=$TOLVIK_ROOT/build/wineprefix}"
export TOLVIK_WINEPREFIX
TOLVIK_XVFB_PID=""
TOLVIK_KEEPER_PID=""
TOLVIK_KEEPER_READY=""

tolvik_log() { echo "[tolvik] $*" >&2; }

# Installs the given Debian packages that are missing.
tolvik_install_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    tolvik_log "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >&2 || return 1
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2 || return 1
}

# libclang-rt-dev holds clang's fuzzer and sanitizer runtimes; clang only
# recommends it, and recommendations are not installed.
TOLVIK_BUILD_PACKAGES=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev clang libclang-rt-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools)
TOLVIK_WINE_PACKAGES=(wine wine64 xvfb x11-utils xauth imagemagick fonts-liberation2 fonts-wine xdotool python3 procps)

tolvik_wine() { "$TOLVIK_ROOT/tools/wine-run.sh" "$@"; }

# Creates the private prefix once, with the fonts and settings the program
# and its tests expect.
tolvik_prefix_init() {
    export WINEPREFIX="$TOLVIK_WINEPREFIX" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -f "$WINEPREFIX/.tolvik-ready" ]; then return 0; fi
    tolvik_log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp -f /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1
    # Without a window manager (our own X server) windows must be unmanaged;
    # on a desktop the demo uses a prefix of its own with managed windows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "${TOLVIK_WINE_MANAGED:-N}" /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tolvik-ready"
}

# Starts a private X server on a free display and exports DISPLAY.
tolvik_start_xvfb() {
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    TOLVIK_XVFB_PID=$!
    local display
    read -r -t 20 display <"$fifo"
    rm -f "$fifo"
    if [ -z "$display" ]; then
        tolvik_log "Xvfb did not start"
        return 1
    fi
    export DISPLAY=":$display"
    tolvik_log "Xvfb on $DISPLAY (pid $TOLVIK_XVFB_PID)"
}

# Starts the keeper so that Wine's services live outside the test pipes.
tolvik_start_keeper() {
    local exe="$1"
    TOLVIK_KEEPER_READY="$TOLVIK_ROOT/build/keeper-ready-$$"
    rm -f "$TOLVIK_KEEPER_READY"
    local ready_win
    ready_win="Z:$(echo "$TOLVIK_KEEPER_READY" | tr '/' '\\')"
    setsid "$TOLVIK_ROOT/tools/wine-run.sh" "$exe" "$ready_win" >/dev/null 2>&1 &
    TOLVIK_KEEPER_PID=$!
    local i
    for i in $(seq 1 300); do
        [ -f "$TOLVIK_KEEPER_READY" ] && return 0
        sleep 0.1
    done
    tolvik_log "Wine keeper did not signal ready"
    return 1
}

# Stops everything this script started.
tolvik_cleanup() {
    [ -n "$TOLVIK_KEEPER_READY" ] && rm -f "$TOLVIK_KEEPER_READY"
    if [ -d "$TOLVIK_WINEPREFIX" ]; then
        WINEPREFIX="$TOLVIK_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$TOLVIK_KEEPER_PID" ]; then kill "$TOLVIK_KEEPER_PID" 2>/dev/null || true; fi
    if [ -n "$TOLVIK_XVFB_PID" ]; then
        kill "$TOLVIK_XVFB_PID" 2>/dev/null || true
        wait "$TOLVIK_XVFB_PID" 2>/dev/null || true
    fi
    TOLVIK_KEEPER_PID=""
    TOLVIK_XVFB_PID=""
}

# Lays out a program folder as Tolvik ships: Tolvik.exe, Textures\,
# Zones\MissingMap.jpg and an empty VURavaZiro\.
tolvik_stage_program() {
    local dest="$1"
    rm -rf "$dest"
    mkdir -p "$dest/Textures" "$dest/Zones" "$dest/VURavaZiro"
    cp "$TOLVIK_ROOT/build/mingw/Tolvik.exe" "$dest/"
    cp "$TOLVIK_ROOT"/data/Textures/*.jpg "$dest/Textures/"
    cp "$TOLVIK_ROOT/data/Zones/MissingMap.jpg" "$dest/Zones/"
}

# Windows form of a path under Wine (drive Z: is the root).
tolvik_winpath() { echo "Z:$(echo "$1" | tr '/' '\\')"; }
