#!/usr/bin/python3
"""Checks a release zip: its name carries the version of CMakeLists.txt, it
holds exactly the files a player needs, the program and pictures are the
ones built and shipped, the program's version resource carries the same
version, and the guide covers what a player must do.

    tools/check_package.py dist/Tolvik-1.0.0.zip

Exits 0 and prints "package ok" when every check holds."""

import os
import re
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main(zip_path):
    problems = []
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        version = re.search(r"project\(Tolvik VERSION ([0-9.]+)", f.read()).group(1)
    if os.path.basename(zip_path) != "Tolvik-%s.zip" % version:
        problems.append("zip name %s does not carry version %s" % (os.path.basename(zip_path), version))

    shipped = {
        "Tolvik/Tolvik.exe": "build/mingw/Tolvik.exe",
        "Tolvik/Textures/BackgroundDialog.jpg": "data/Textures/BackgroundDialog.jpg",
        "Tolvik/Textures/BackgroundButton.jpg": "data/Textures/BackgroundButton.jpg",
        "Tolvik/Textures/BackgroundMap.jpg": "data/Textures/BackgroundMap.jpg",
        "Tolvik/Zones/MissingMap.jpg": "data/Zones/MissingMap.jpg",
    }
    with zipfile.ZipFile(zip_path) as z:
        if z.testzip() is not None:
            problems.append("damaged entry %s" % z.testzip())
        files = {n for n in z.namelist() if not n.endswith("/")}
        expected = set(shipped) | {"Tolvik/ReadMe.txt"}
        if files != expected:
            problems.append("files %s, expected %s" % (sorted(files), sorted(expected)))
        for name, source in shipped.items():
            with open(os.path.join(ROOT, source), "rb") as f:
                if name in files and z.read(name) != f.read():
                    problems.append("%s differs from %s" % (name, source))
        exe = z.read("Tolvik/Tolvik.exe") if "Tolvik/Tolvik.exe" in files else b""
        guide = z.read("Tolvik/ReadMe.txt").decode("ascii") if "Tolvik/ReadMe.txt" in files else ""

    # The version resource's strings are UTF-16.
    def wide(text):
        return text.encode("utf-16-le")

    if wide("ProductVersion") not in exe or wide("\0" + version + "\0") not in exe:
        problems.append("Tolvik.exe's version resource does not carry %s" % version)
    if "\r\n" not in guide or "\n" in guide.replace("\r\n", ""):
        problems.append("the guide does not end its lines with CR LF")
    for phrase in ("Tolvik " + version, "/log on", "/loc", "Select...", "Enable Auto-Select", "Zones\\",
                   "VURavaZiro", "Use EQ-Live Maps", "LEFT SHIFT", "RIGHT SHIFT", "Save Calibration"):
        if phrase not in guide:
            problems.append("the guide does not mention %r" % phrase)

    for p in problems:
        print("package: " + p)
    if not problems:
        print("package ok: %s (%d files)" % (zip_path, len(expected)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
