#!/usr/bin/env python3
"""Plants realistic faults in the portable core, one at a time, and tells
which of them the native tests catch.

Each fault is one small edit of one file (an off-by-one in a bound, < for <=,
swapped X and Y, a dropped clamp or reset, a wrong constant, a wrong sign, an
inverted condition, a table typo). The work happens in a scratch copy of the
tree (build/plant-faults/tree), never in the tree itself: the copy is brought
up to date, built once with the native preset, and then each fault is
applied, built, tested with ctest and taken back out.

    tools/plant_faults.py            # every fault; prints the share caught
    tools/plant_faults.py 3 17       # only faults 3 and 17
    tools/plant_faults.py --list     # the fault list
    tools/plant_faults.py --tree DIR # the faults in another tree (say, an
                                     # export of an older commit)

A fault whose original text is no longer found (the code moved on) is
reported as "gone" and does not count.
"""
import filecmp
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRATCH = os.path.join(HERE, "build", "plant-faults")
ROOT = HERE  # the tree whose faults are planted
TREE = os.path.join(SCRATCH, "tree")

# (file, original text, replacement, what the fault is)
FAULTS = [
    # base
    ("src/base/number_text.cpp",
     "if (j < n && (text[j] == '+' || text[j] == '-')) ++j;",
     "if (j < n && text[j] == '+') ++j;",
     "exponent sign: a negative exponent is not read"),
    ("src/base/number_text.cpp",
     "    if (value < -FLT_MAX) return -FLT_MAX;\n",
     "",
     "dropped clamp of large negative values"),
    ("src/base/paths.cpp",
     "!= std::string::npos ? '/' : '\\\\';",
     "!= std::string::npos ? '\\\\' : '/';",
     "inverted separator choice"),
    ("src/base/paths.cpp",
     "return last == std::string::npos ? std::string() : path.substr(0, last + 1);",
     "return last == std::string::npos ? std::string() : path.substr(0, last);",
     "off-by-one: folder of a path without its separator"),
    ("src/base/paths.cpp",
     "return StatPath(path, info) && (info.st_mode & S_IFMT) != S_IFDIR;",
     "return StatPath(path, info);",
     "a folder counts as a file"),
    # log
    ("src/log/zone_names.cpp",
     '{"Butcherblock Mountains", "butcher"},',
     '{"Butcherblock Mountains", "butcherblock"},',
     "table typo in a short zone name"),
    ("src/log/zone_names.cpp",
     '{"Plane of Sky", "airplane"},',
     '{"Plane of Sky", "skyplane"},',
     "table typo in a short zone name shared by two rows"),
    ("src/log/zone_names.cpp",
     "char FoldCase(char c) { return c >= 'A' && c <= 'Z'",
     "char FoldCase(char c) { return c >= 'A' && c < 'Z'",
     "< for <=: 'Z' does not fold"),
    ("src/log/zone_records.cpp",
     "    table.byName.clear();\n",
     "",
     "dropped reset of the name index on clear"),
    ("src/log/zone_records.cpp",
     "    for (ZoneRecord& record : table.storage) record = ZoneRecord{};\n",
     "",
     "dropped reset of the kept records on clear"),
    ("src/log/discovery.cpp",
     "if (!haveBest || written > best) {",
     "if (!haveBest || written >= best) {",
     "> for >=: ties keep the last entry"),
    ("src/log/discovery.cpp",
     "    if (FolderExists(maps)) vectorMapFolder = maps;",
     "    vectorMapFolder = maps;",
     "dropped check: a missing maps folder is taken"),
    ("src/log/discovery.cpp",
     "    if (FolderExists(vectorMapFolder)) return;",
     "    if (!vectorMapFolder.empty()) return;",
     "wrong condition: a vector map folder that does not exist is kept"),
    ("src/log/log_watch.cpp",
     "for (int slot = fresh - 1; slot >= 0; --slot) {",
     "for (int slot = fresh - 1; slot > 0; --slot) {",
     "off-by-one: newest position not reported"),
    ("src/log/log_watch.cpp",
     'DescribeTrail("ret", i, record.returns, onLine);',
     'DescribeTrail("ret", i, record.current, onLine);',
     "the return trail described from the wrong trail"),
    # raster
    ("src/raster/calibration.cpp",
     "AddFits(c.physicalY1, ty, p.y);",
     "AddFits(c.physicalX1, ty, p.y);",
     "swapped X and Y in the image position"),
    ("src/raster/calibration.cpp",
     "const std::int64_t oy = MapPixelToView(map.panY, static_cast<std::int64_t>(map.imageOffsetY) + c.physicalY1,",
     "const std::int64_t oy = MapPixelToView(map.panX, static_cast<std::int64_t>(map.imageOffsetY) + c.physicalY1,",
     "swapped X and Y pan in the view origin"),
    ("src/raster/calibration.cpp",
     "if (!(v >= -2147483648.0f && v < 2147483648.0f)) return false;",
     "if (!(v >= -2147483648.0f && v <= 2147483648.0f)) return false;",
     "< for <= at the int range's top"),
    ("src/raster/map_math.cpp",
     "static_cast<float>(tick % 1024u) / 1023.0f;",
     "static_cast<float>(tick % 1000u) / 1023.0f;",
     "wrong constant: disc period"),
    ("src/raster/map_math.cpp",
     "int ReturnDiscRed(int slot) { return 255 - slot * 255 / 24; }",
     "int ReturnDiscRed(int slot) { return 255 - slot * 255 / 23; }",
     "wrong constant: return disc shading"),
    ("src/raster/map_math.cpp",
     "wave.phase = wave.phase - 0.5f;",
     "wave.phase = wave.phase + 0.5f;",
     "wrong sign: the wave runs backwards"),
    ("src/raster/map_math.cpp",
     "const std::int64_t ey = static_cast<std::int64_t>(y) - oy;",
     "const std::int64_t ey = static_cast<std::int64_t>(y) + oy;",
     "wrong sign: heading line points along the move"),
    ("src/raster/map_math.cpp",
     "const std::int64_t y = MapPixelToView(map.panY, static_cast<std::int64_t>(py) + map.imageOffsetY, map.zoomStep);",
     "const std::int64_t y = MapPixelToView(map.panY, static_cast<std::int64_t>(py) + map.imageOffsetX, map.zoomStep);",
     "swapped X and Y image offset in the view position"),
    ("src/raster/map_math.cpp",
     "{ return viewSize / 2 - ScaledLength(mapSize, step) / 2; }",
     "{ return ScaledLength(mapSize, step) / 2 - viewSize / 2; }",
     "wrong sign: centring pan"),
    ("src/raster/map_math.cpp",
     "const std::int64_t px = static_cast<std::int64_t>(viewWidth / 2) - vx;",
     "const std::int64_t px = static_cast<std::int64_t>(viewWidth / 2) + vx;",
     "wrong sign: keep-centred pan"),
    ("src/raster/map_math.cpp",
     "    if (pan > 0) pan = 0;\n",
     "",
     "dropped clamp: dragging past the map's near edge"),
    ("src/raster/map_math.cpp",
     "return Rect{width / 6, height / 6, width - width / 6, height};",
     "return Rect{width / 6, height / 6, width - width / 6, height - height / 6};",
     "wrong bound: stand-by text box bottom"),
    ("src/raster/map_math.cpp",
     "int ImageOffsetInMap(int mapSize, int imageSize) { return mapSize / 2 - imageSize / 2; }",
     "int ImageOffsetInMap(int mapSize, int imageSize) { return mapSize / 2 + imageSize / 2; }",
     "wrong sign: image offset in the map bitmap"),
    ("src/raster/map_texts.cpp",
     "InstructionsText();\n    if (text.size() > kMaxMissingMapTextChars) text.resize(kMaxMissingMapTextChars);",
     "InstructionsText();\n    if (text.size() > kMaxMissingMapTextChars + 1) text.resize(kMaxMissingMapTextChars + 1);",
     "off-by-one: missing-map text cut"),
    # chrome
    ("src/chrome/button_face.cpp",
     "const int d = std::min({x, y, width - x, height - y});",
     "const int d = std::min({x, y, width - x - 1, height - y});",
     "off-by-one: bevel distance from the right edge"),
    ("src/chrome/button_face.cpp",
     "const unsigned lift = 255 - std::max({red, green, blue});",
     "const unsigned lift = 255 - std::min({red, green, blue});",
     "highlight lifted by the weakest channel"),
    ("src/chrome/button_face.cpp",
     "const unsigned g = (highlight & 0xFF) / 2;",
     "const unsigned g = ((highlight >> 8) & 0xFF) / 2;",
     "shadow grey from the green channel"),
    ("src/chrome/button_face.cpp",
     'return autoDetect ? "Disable Auto-Select" : "Enable Auto-Select";',
     'return autoDetect ? "Enable Auto-Select" : "Disable Auto-Select";',
     "inverted button text for the auto-select toggle"),
    ("src/chrome/links.cpp",
     "return std::string(kWikiSearchPrefix) + text.substr(0, kWikiTextLimit);",
     "return std::string(kWikiSearchPrefix) + text.substr(0, kWikiTextLimit - 1);",
     "off-by-one: wiki text limit"),
    ("src/chrome/hover_text.cpp",
     "std::snprintf(text.data(), text.size(), format, kPlainTitle, static_cast<double>(x), static_cast<double>(y));",
     "std::snprintf(text.data(), text.size(), format, kPlainTitle, static_cast<double>(y), static_cast<double>(x));",
     "swapped X and Y in the title"),
    # app
    ("src/app/folders.cpp",
     "return texturesBesideProgram || fallback.empty() ? moduleFolder : fallback;",
     "return !texturesBesideProgram || fallback.empty() ? moduleFolder : fallback;",
     "inverted program folder choice"),
    ("src/app/folders.cpp",
     'app.zonesFolder = folder + "Zones" + sep;',
     'app.zonesFolder = folder + "Zones";',
     "dropped separator of the Zones folder"),
    ("src/app/window_placement.cpp",
     "            if (top > reached) break;",
     "            if (top >= reached) break;",
     "> for >=: touching work areas leave a gap"),
    ("src/base/rect.h",
     "const int top = over.top + (over.Height() - box.Height()) / 2;",
     "const int top = over.top + (over.Width() - box.Height()) / 2;",
     "swapped X and Y when centring"),
    ("src/app/window_placement.cpp",
     "const int width = std::min(box.Width(), std::max(1, area.Width()));",
     "const int width = box.Width();",
     "dropped clamp to the work area's width"),
    # vector
    ("src/vector/vector_file.cpp",
     "        if (negative) v = 0u - v;\n",
     "",
     "dropped sign of a negative integer"),
    ("src/vector/vector_file.cpp",
     "    if (y < minY) minY = y;\n",
     "    if (y < minY) minY = x;\n",
     "swapped X and Y in the bounds"),
    ("src/vector/vector_file.cpp",
     "for (std::size_t i = 0; i <= last; ++i) {",
     "for (std::size_t i = 0; i < last; ++i) {",
     "off-by-one: a match at the label's end is missed"),
    ("src/vector/vector_file.cpp",
     "if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return",
     "if (c >= 0xE0 && c <= 0xFE) return",
     "table typo: the division sign folds"),
    ("src/vector/vector_file.cpp",
     "constexpr float kExactPow10[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};",
     "constexpr float kExactPow10[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e6f, 1e8f, 1e9f, 1e10f};",
     "table typo in the powers of ten"),
    ("src/vector/vector_file.cpp",
     "path += '_';",
     "path += '-';",
     "wrong layer file name"),
    ("src/vector/vector_layout.cpp",
     "h = static_cast<std::int64_t>(resolution) * hu / wu;",
     "h = static_cast<std::int64_t>(resolution) * wu / hu;",
     "swapped width and height ratio"),
    ("src/vector/height_levels.h",
     "return middle + static_cast<float>(high) > h; }",
     "return middle + static_cast<float>(high) >= h; }",
     "> for >=: height filter's upper bound"),
    ("src/vector/vector_layout.cpp",
     "settings.FilterLow, settings.FilterHigh, h);",
     "settings.FilterHigh, settings.FilterLow, h);",
     "swapped high and low filter bounds"),
    ("src/vector/vector_layout.cpp",
     "return ClampToInt(-(static_cast<std::int64_t>(points) * pixelsPerInch / 72));",
     "return ClampToInt(-(static_cast<std::int64_t>(points) * pixelsPerInch / 96));",
     "wrong constant: points per inch"),
    ("src/vector/vector_layout.cpp",
     "ClampToInt(static_cast<std::int64_t>(box.right) + placement.labelSpacing()),",
     "ClampToInt(static_cast<std::int64_t>(box.right)),",
     "dropped label spacing on the right"),
    ("src/vector/vector_layout.cpp",
     "float r = static_cast<float>(bh + 10);",
     "float r = static_cast<float>(bh + 1);",
     "wrong constant: first spiral ring"),
    ("src/vector/settings_controls.cpp",
     "case IDC_VM_LAYER2: return &settings.ShowLayer2;",
     "case IDC_VM_LAYER2: return &settings.ShowLayer3;",
     "table typo: layer 2's button flips layer 3"),
    ("src/vector/settings_controls.cpp",
     'case IDC_VM_LABELS: return on ? "Hide" : "Show";',
     'case IDC_VM_LABELS: return on ? "Show" : "Hide";',
     "inverted labels button text"),
    ("src/vector/settings_controls.cpp",
     "if (number > INT_MAX) return false;",
     "if (number >= INT_MAX) return false;",
     "> for >=: the largest filter value refused"),
    ("src/vector/settings_controls.cpp",
     "return ahead != 0 && ahead < 0x80000000u;",
     "return ahead < 0x80000000u;",
     "dropped check: a deadline passes at its own tick"),
]


def run(command, cwd, log):
    with open(log, "w") as out:
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT).returncode


def sync_tree():
    """Makes the scratch tree equal to the tree, leaving unchanged files (and
    so their build products) alone."""
    wanted = set()
    for folder, dirs, files in os.walk(ROOT):
        rel = os.path.relpath(folder, ROOT)
        dirs[:] = [d for d in dirs if not (rel == "." and d in ("build", ".git"))]
        for name in files:
            path = os.path.normpath(os.path.join(rel, name))
            wanted.add(path)
            source, target = os.path.join(ROOT, path), os.path.join(TREE, path)
            if not os.path.exists(target) or not filecmp.cmp(source, target, shallow=False):
                os.makedirs(os.path.dirname(target), exist_ok=True)
                shutil.copy2(source, target)
    for folder, dirs, files in os.walk(TREE):
        rel = os.path.relpath(folder, TREE)
        dirs[:] = [d for d in dirs if not (rel == "." and d == "build")]
        for name in files:
            if os.path.normpath(os.path.join(rel, name)) not in wanted:
                os.remove(os.path.join(folder, name))


def build(log):
    # The benchmarks test nothing; leaving them out saves linking them for every fault.
    env_ok = run(["cmake", "--preset", "native", "-DTOLVIK_BENCH=OFF"], TREE, log + ".configure") == 0
    return env_ok and run(["cmake", "--build", "--preset", "native", "-j2"], TREE, log) == 0


def tests_pass(log):
    return run(["ctest", "--test-dir", "build/native", "-j2", "--timeout", "60"], TREE, log) == 0


def main():
    global ROOT, TREE
    args = sys.argv[1:]
    if len(args) >= 2 and args[0] == "--tree":
        ROOT = os.path.abspath(args[1])
        TREE = os.path.join(SCRATCH, "tree-" + os.path.basename(ROOT.rstrip("/")))
        args = args[2:]
    if args == ["--list"]:
        for n, (path, _, _, what) in enumerate(FAULTS, 1):
            print(f"{n:3} {path}: {what}")
        return 0
    chosen = [int(a) for a in args] if args else list(range(1, len(FAULTS) + 1))
    os.makedirs(SCRATCH, exist_ok=True)
    sync_tree()
    logs = os.path.join(TREE + "-logs")
    shutil.rmtree(logs, ignore_errors=True)
    os.makedirs(logs)
    if not build(os.path.join(logs, "baseline-build.log")) or not tests_pass(os.path.join(logs, "baseline-test.log")):
        print("the unchanged tree does not build or pass its tests; see", logs)
        return 2
    caught = planted = 0
    for n in chosen:
        path, original, replacement, what = FAULTS[n - 1]
        file = os.path.join(TREE, path)
        text = open(file).read() if os.path.exists(file) else ""
        if text.count(original) != 1:
            print(f"{n:3} gone        {path}: {what}")
            continue
        with open(file, "w") as f:
            f.write(text.replace(original, replacement))
        try:
            if not build(os.path.join(logs, f"{n}-build.log")):
                result = "no build"
            else:
                result = "caught" if not tests_pass(os.path.join(logs, f"{n}-test.log")) else "NOT CAUGHT"
        finally:
            with open(file, "w") as f:
                f.write(text)
        if result != "no build":
            planted += 1
            caught += result == "caught"
        print(f"{n:3} {result:11} {path}: {what}", flush=True)
    build(os.path.join(logs, "restore-build.log"))
    if planted:
        print(f"caught {caught} of {planted} planted faults ({100.0 * caught / planted:.0f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
