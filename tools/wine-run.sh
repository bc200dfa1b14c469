#!/bin/bash
# Runs a Windows program under Wine in Tolvik's private prefix. Used as the
# cross build's test emulator and by the demo and test scripts.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${TOLVIK_WINEPREFIX:=$(cd "$here/.." && pwd)/build/wineprefix}"
export WINEPREFIX="$TOLVIK_WINEPREFIX" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@" </dev/null
