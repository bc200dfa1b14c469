#!/bin/bash
# Builds the release package dist/Tolvik-<version>.zip: one folder "Tolvik"
# holding Tolvik.exe, Textures\, Zones\MissingMap.jpg and ReadMe.txt, the
# players' guide. The version is the one CMakeLists.txt sets.
#
#   tools/package.sh             builds Tolvik.exe (mingw preset), then packs
#   tools/package.sh --no-build  packs the Tolvik.exe already built
#
# Prints the zip's path on its last line.
set -eu
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$TOLVIK_ROOT"

BUILD=1
while [ $# -gt 0 ]; do
    case "$1" in
    --no-build) BUILD=0; shift ;;
    *) echo "usage: $0 [--no-build]" >&2; exit 2 ;;
    esac
done

if [ "$BUILD" -eq 1 ]; then
    tolvik_install_packages cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools python3
    cmake --preset mingw >&2
    cmake --build --preset mingw --target Tolvik >&2
else
    tolvik_install_packages python3
fi

VERSION="$(sed -n 's/^#define TOLVIK_VERSION_TEXT "\(.*\)"$/\1/p' build/mingw/generated/res/version.h)"
if [ -z "$VERSION" ] || [ ! -f build/mingw/Tolvik.exe ]; then
    echo "package: no built Tolvik.exe with its version in build/mingw" >&2
    exit 1
fi

mkdir -p dist
ZIP="dist/Tolvik-$VERSION.zip"
python3 - "$ZIP" "$VERSION" <<'PY'
import sys
import zipfile

zip_path, version = sys.argv[1], sys.argv[2]
# The guide is plain text with Windows line ends, the version filled in.
with open("docs/ReadMe.txt.in", encoding="ascii") as f:
    guide = f.read().replace("@VERSION@", version).replace("\n", "\r\n").encode("ascii")
files = [
    ("Tolvik/Tolvik.exe", "build/mingw/Tolvik.exe"),
    ("Tolvik/Textures/BackgroundDialog.jpg", "data/Textures/BackgroundDialog.jpg"),
    ("Tolvik/Textures/BackgroundButton.jpg", "data/Textures/BackgroundButton.jpg"),
    ("Tolvik/Textures/BackgroundMap.jpg", "data/Textures/BackgroundMap.jpg"),
    ("Tolvik/Zones/MissingMap.jpg", "data/Zones/MissingMap.jpg"),
]
stamp = (2024, 1, 1, 0, 0, 0)  # the same bytes for the same input


def entry(name, mode):
    info = zipfile.ZipInfo(name, stamp)
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


with zipfile.ZipFile(zip_path, "w") as z:
    for folder in ("Tolvik/", "Tolvik/Textures/", "Tolvik/Zones/"):
        info = zipfile.ZipInfo(folder, stamp)
        info.external_attr = (0o40755 << 16) | 0x10
        z.writestr(info, b"")
    for name, source in files:
        with open(source, "rb") as f:
            z.writestr(entry(name, 0o100644), f.read())
    z.writestr(entry("Tolvik/ReadMe.txt", 0o100644), guide)
PY
echo "$ZIP"
