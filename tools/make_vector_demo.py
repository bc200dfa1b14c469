#!/usr/bin/env python3
"""Writes the demo vector map of Greater Faydark (short name gfaydark).

    make_vector_demo.py                      -> data/demo/VURavaZiro/gfaydark*.txt
    make_vector_demo.py --out FOLDER         -> FOLDER/gfaydark*.txt
    make_vector_demo.py --big FOLDER SHORT   -> FOLDER/SHORT.txt, a big map
                                                (30,000 lines, 1,000 labels)
                                                for benchmarks

Map files are text with CR LF line ends, one record per line:

    L x1, y1, z1, x2, y2, z2, r, g, b
    P x, y, z, r, g, b, size, Label_With_Underscores

A file point (x, y) lies at game position X = -x, Y = -y.  The demo map is
drawn from the invented geography in demo_world.py, the same one that
make_art.py paints as the raster demo map, so both cover game X in about
[-1900, 1900] and Y in about [-1420, 1420].

Files written for the demo:
    gfaydark.txt    zone outline, hill contours, lake, rivers, roads, places
    gfaydark_1.txt  tree town platforms and bridges, buildings, trees
    gfaydark_2.txt  people, creatures and points of interest (labels)
    gfaydark_3.txt  the cave under Wisp Hollow (z about -240) and its stair

Plain Python 3, no third-party modules; deterministic.
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demo_world as w  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "data", "demo", "VURavaZiro")
SHORT_NAME = "gfaydark"

# Colours (r, g, b), chosen to read on the default grey background.
C_OUTLINE = (30, 30, 30)
C_CONTOUR = (110, 80, 50)
C_WATER = (0, 70, 200)
C_ROAD = (150, 95, 30)
C_PLATFORM = (0, 100, 0)
C_BRIDGE = (90, 60, 20)
C_TRUNK = (70, 45, 20)
C_BUILDING = (120, 0, 0)
C_STONE = (200, 200, 200)
C_TREE = (20, 120, 40)
C_CAVE = (80, 0, 110)
C_STAIR = (150, 0, 150)

L_PLACE = (0, 0, 120)
L_GATE = (200, 0, 0)
L_ROAD = (90, 50, 0)
L_NPC = (0, 0, 0)
L_MERCHANT = (0, 80, 0)
L_GUARD = (0, 0, 180)
L_CREATURE = (140, 0, 0)
L_POI = (90, 0, 90)


class MapFile:
    """Collects records of one map file and writes them with CR LF ends."""

    def __init__(self):
        self.lines = []
        self.line_count = 0
        self.label_count = 0
        self.min_x = self.min_y = float("inf")
        self.max_x = self.max_y = float("-inf")

    def _widen(self, x, y):
        self.min_x = min(self.min_x, x)
        self.max_x = max(self.max_x, x)
        self.min_y = min(self.min_y, y)
        self.max_y = max(self.max_y, y)

    def line(self, e1, n1, z1, e2, n2, z2, colour):
        """A segment between two points given in map coordinates."""
        x1, y1 = w.to_file(e1, n1)
        x2, y2 = w.to_file(e2, n2)
        self._widen(x1, y1)
        self._widen(x2, y2)
        self.lines.append("L %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %d, %d, %d"
                          % (x1, y1, z1, x2, y2, z2, colour[0], colour[1], colour[2]))
        self.line_count += 1

    def polyline(self, pts, z, colour, closed=False):
        """pts in map coordinates; z a number or a function of (e, n)."""
        n = len(pts)
        for i in range(n if closed else n - 1):
            a, b = pts[i], pts[(i + 1) % n]
            za = z(a[0], a[1]) if callable(z) else z
            zb = z(b[0], b[1]) if callable(z) else z
            self.line(a[0], a[1], za, b[0], b[1], zb, colour)

    def label(self, e, n, z, colour, size, text):
        x, y = w.to_file(e, n)
        self._widen(x, y)
        token = text.replace(" ", "_")
        self.lines.append("P %.4f, %.4f, %.4f, %d, %d, %d, %d, %s"
                          % (x, y, z, colour[0], colour[1], colour[2], size, token))
        self.label_count += 1

    def write(self, path):
        with open(path, "w", encoding="latin-1", newline="") as f:
            for rec in self.lines:
                f.write(rec + "\r\n")


def offset_polyline(pts, dist):
    """The polyline shifted sideways by dist (left of the direction of travel)."""
    out = []
    n = len(pts)
    for i in range(n):
        a = pts[max(i - 1, 0)]
        b = pts[min(i + 1, n - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        out.append((pts[i][0] - dy / length * dist, pts[i][1] + dx / length * dist))
    return out


def ground(e, n):
    return round(w.ground_height(e, n), 2)


# --------------------------------------------------------------------------
# The four demo files


def build_base():
    m = MapFile()
    m.polyline(w.zone_outline(), 0.0, C_OUTLINE, closed=True)
    for zc, ring in w.hill_contours():
        m.polyline(ring, zc, C_CONTOUR, closed=True)
    m.polyline(w.lake_shore(), w.LAKE_SURFACE_Z, C_WATER, closed=True)
    m.polyline(w.lake_island(), w.LAKE_SURFACE_Z + 4, C_WATER, closed=True)
    for river in w.rivers():
        m.polyline(offset_polyline(river, 14), ground, C_WATER)
        m.polyline(offset_polyline(river, -14), ground, C_WATER)
    for name, road in w.roads().items():
        m.polyline(road, ground, C_ROAD)
    # Labels: places, gates, roads, hills.
    for label, e, n, kind in w.PLACES:
        z = w.LAKE_SURFACE_Z if kind == "lake" else ground(e, n)
        if kind == "city":
            z = 140.0
        m.label(e, n + 40, z, L_PLACE, 3, label)
    for label, e, n in w.GATES:
        m.label(e, n, ground(e, n), L_GATE, 3, label)
    for name, road in w.roads().items():
        mid = road[len(road) // 2]
        m.label(mid[0], mid[1], ground(*mid), L_ROAD, 1, name)
    hill_names = ["Owl Knoll", "Greywind Hill", "Fox Rise", "Old Barrow", "Mist Ridge"]
    for (he, hn, h, s), name in zip(w.HILLS, hill_names):
        m.label(he, hn, h, L_PLACE, 2, name)
    return m


def build_layer1(rng):
    m = MapFile()
    # Tree town: each platform a ring around its tree trunk.
    for e, n, r, z, ring in w.city_platforms():
        m.polyline(w.circle(e, n, r, 16), z, C_PLATFORM, closed=True)
        m.polyline(w.circle(e, n, r * 0.3, 8), z - 10, C_TRUNK, closed=True)
        m.polyline(w.circle(e, n, r * 0.3, 8), 0.0, C_TRUNK, closed=True)
    for (e1, n1, z1), (e2, n2, z2) in w.city_bridges():
        # Two rails per bridge.
        dx, dy = e2 - e1, n2 - n1
        length = math.hypot(dx, dy) or 1.0
        ox, oy = -dy / length * 5, dx / length * 5
        m.line(e1 + ox, n1 + oy, z1, e2 + ox, n2 + oy, z2, C_BRIDGE)
        m.line(e1 - ox, n1 - oy, z1, e2 - ox, n2 - oy, z2, C_BRIDGE)
    # Bridges where roads cross the rivers.
    for e, n, angle in w.bridges():
        c, sn = math.cos(angle), math.sin(angle)
        z = ground(e, n) + 3
        for k in (-1, 1):
            ox, oy = -sn * 12 * k, c * 12 * k
            m.line(e - c * 30 + ox, n - sn * 30 + oy, z, e + c * 30 + ox, n + sn * 30 + oy, z,
                   C_BRIDGE)
    # Ground buildings.
    for label, pts, z in w.buildings():
        m.polyline(pts, z, C_BUILDING, closed=True)
        m.polyline(pts, z + 12, C_BUILDING, closed=True)
    for stone in w.druid_stones():
        m.polyline(stone, ground(1420, 900), C_STONE, closed=True)
    # Scattered big trees, clear of the lake, the roads and the town.
    shore = w.lake_shore()
    outline = w.zone_outline()
    road_pts = [p for road in w.roads().values() for p in road[::2]]
    placed = 0
    tries = 0
    while placed < 220 and tries < 20000:
        tries += 1
        e = rng.uniform(w.E_MIN, w.E_MAX)
        n = rng.uniform(w.N_MIN, w.N_MAX)
        if not w.point_in_polygon(e, n, outline) or w.point_in_polygon(e, n, shore):
            continue
        if math.hypot(e - w.CITY_CENTRE[0], n - w.CITY_CENTRE[1]) < 340:
            continue
        if any(abs(e - p[0]) < 45 and abs(n - p[1]) < 45 for p in road_pts):
            continue
        r = rng.uniform(9, 18)
        m.polyline(w.circle(e, n, r, 6), ground(e, n), C_TREE, closed=True)
        placed += 1
    return m


CREATURES = ["Grey Wolf", "Forest Bear", "Brownie Scout", "Giant Wasp",
             "Orc Pawn", "Orc Scout", "Moss Snake", "Treant Sapling",
             "Pixie Trickster", "Wood Elf Bandit", "Fire Beetle", "Bat",
             "Lantern Wisp", "Shade Owl", "Large Rat", "Dryad"]
MERCHANTS = ["Bows", "Arrows", "Armour", "Food", "Drinks", "Spells", "Herbs",
             "Tailor", "Fletcher", "Jeweller", "Bank", "Inn", "Smith",
             "Brewer", "Potions", "Bard Hall", "Druid Guild", "Ranger Guild",
             "Warrior Guild", "Rogue Guild", "Cleric Temple", "Library"]


def build_layer2(rng):
    m = MapFile()
    plats = w.city_platforms()
    merchants = list(MERCHANTS)
    rng.shuffle(merchants)
    for i, (e, n, r, z, ring) in enumerate(plats):
        if ring == 0:
            m.label(e, n, z, L_POI, 2, "Council Hall")
            m.label(e, n - 25, z, L_NPC, 1, "Elder " + w.person_name(rng))
            continue
        what = merchants[i % len(merchants)]
        m.label(e, n + 8, z, L_MERCHANT, 1, what)
        m.label(e, n - 10, z, L_NPC, 1, w.person_name(rng))
        if i % 3 == 0:
            m.label(e + 10, n - 20, z, L_NPC, 1, w.person_name(rng))
        if ring == 2 and i % 4 == 1:
            m.label(e, n, 0.0, L_POI, 1, "Lift")
    # Guards at the gates, the town and along the roads.
    for label, e, n in w.GATES:
        for k in range(2):
            m.label(e + rng.uniform(-40, 40), n + rng.uniform(-40, 40), ground(e, n),
                    L_GUARD, 1, "Guard " + w.person_name(rng).split()[0])
    roads = w.roads()
    for name, road in roads.items():
        for frac in (0.25, 0.75):
            p = road[int(len(road) * frac)]
            m.label(p[0] + 20, p[1] + 20, ground(*p), L_POI, 1, "Signpost")
        if name in ("West Road", "East Road", "North Road", "South Road"):
            p = road[len(road) // 3]
            m.label(p[0] - 25, p[1] - 25, ground(*p), L_GUARD, 1,
                    "Patrol " + w.person_name(rng).split()[0])
    # Fishing spots around the lake.
    shore = w.lake_shore()
    for i in range(0, len(shore), 4):
        e, n = shore[i]
        ce, cn = w.LAKE_CENTRE
        m.label(e + (e - ce) * 0.08, n + (n - cn) * 0.08, w.LAKE_SURFACE_Z + 2,
                L_POI, 1, "Fishing Spot")
    # People at the places.
    for label, e, n, kind in w.PLACES:
        if kind in ("city", "lake"):
            continue
        for k in range(3):
            m.label(e + rng.uniform(-80, 80), n + rng.uniform(-80, 80), ground(e, n),
                    L_NPC, 1, w.person_name(rng))
        m.label(e, n - 50, ground(e, n), L_POI, 1, "Campfire" if kind in ("camp", "post") else "Well")
    # Creatures roaming the forest.
    outline = w.zone_outline()
    placed = 0
    while placed < 110:
        e = rng.uniform(-1850, 1850)
        n = rng.uniform(-1380, 1380)
        if not w.point_in_polygon(e, n, outline) or w.point_in_polygon(e, n, shore):
            continue
        if math.hypot(e - w.CITY_CENTRE[0], n - w.CITY_CENTRE[1]) < 330:
            continue
        m.label(e, n, ground(e, n), L_CREATURE, 1, rng.choice(CREATURES))
        placed += 1
    return m


def build_layer3(rng):
    """The cave under Wisp Hollow, a level of its own about 240 units below
    the ground, and the spiral stair that leads down to it."""
    m = MapFile()
    floor = w.cave_floor_height
    for tunnel in w.cave_tunnels():
        m.polyline(offset_polyline(tunnel, 16), floor, C_CAVE)
        m.polyline(offset_polyline(tunnel, -16), floor, C_CAVE)
    for e, n, r, name in w.cave_chambers():
        ring = w.jittered_ring(e, n, r, r * 0.8, 20, 0.15, rng)
        m.polyline(ring, floor, C_CAVE, closed=True)
        m.label(e, n, floor(e, n), L_POI, 2, name)
        for k in range(4):
            ce, cn = e + rng.uniform(-r, r) * 0.6, n + rng.uniform(-r, r) * 0.6
            m.label(ce, cn, floor(ce, cn), L_CREATURE, 1,
                    rng.choice(["Lantern Wisp", "Cave Bat", "Glow Beetle", "Pale Spider",
                                "Rock Crawler"]))
    # The stair: its two walls wind down with it, so every piece of wall
    # lies at the height of the steps beside it.
    stair = w.cave_stair()
    ce, cn = w.STAIR_CENTRE
    for k in (0.6, 1.4):
        wall = [(ce + (e - ce) * k, cn + (n - cn) * k, z) for e, n, z in stair]
        for a, b in zip(wall, wall[1:]):
            m.line(a[0], a[1], a[2], b[0], b[1], b[2], C_STAIR)
    # The cave mouth, on the ground.
    me, mn = w.CAVE_MOUTH
    m.polyline(w.circle(ce, cn, 56, 16), ground(me, mn), C_STAIR, closed=True)
    m.label(me, mn, ground(me, mn), L_POI, 2, "Cave Entrance")
    m.label(ce, cn, floor(ce, cn), L_POI, 1, "Foot of the Stair")
    for tunnel in w.cave_tunnels():
        for p in tunnel[4::6]:
            m.label(p[0], p[1], floor(*p), L_CREATURE, 1,
                    rng.choice(["Lantern Wisp", "Cave Bat", "Pale Spider", "Cave Lurker"]))
    m.label(-1560, 330, floor(-1560, 330), L_POI, 1, "Underground Spring")
    m.label(-1700, 220, floor(-1700, 220), L_POI, 1, "Collapsed Passage")
    return m


def write_demo(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    rng = random.Random(w.SEED + 100)
    files = [("%s.txt" % SHORT_NAME, build_base()),
             ("%s_1.txt" % SHORT_NAME, build_layer1(rng)),
             ("%s_2.txt" % SHORT_NAME, build_layer2(rng)),
             ("%s_3.txt" % SHORT_NAME, build_layer3(rng))]
    report(out_dir, files)


# --------------------------------------------------------------------------
# The big map for benchmarks


def write_big(out_dir, short_name, lines=30000, labels=1000):
    """One base file with `lines` L records and `labels` P records."""
    os.makedirs(out_dir, exist_ok=True)
    rng = random.Random(4242)
    m = MapFile()
    ext_e, ext_n = 6000.0, 4500.0
    outline = w.jittered_ring(0, 0, ext_e, ext_n, 200, 0.04, rng, exponent=4.0)
    m.polyline(outline, 0.0, C_OUTLINE, closed=True)
    palette = [C_CONTOUR, C_WATER, C_ROAD, C_PLATFORM, C_BRIDGE, C_BUILDING,
               C_TREE, C_CAVE, (0, 0, 0), (255, 255, 255)]
    while m.line_count < lines:
        # A wandering polyline of 5 to 60 segments at one height band.
        e = rng.uniform(-ext_e * 0.95, ext_e * 0.95)
        n = rng.uniform(-ext_n * 0.95, ext_n * 0.95)
        z = rng.uniform(-50, 150)
        heading = rng.uniform(0, 2 * math.pi)
        colour = rng.choice(palette)
        for _ in range(rng.randint(5, 60)):
            if m.line_count >= lines:
                break
            heading += rng.uniform(-0.5, 0.5)
            step = rng.uniform(10, 80)
            e2 = max(-ext_e, min(ext_e, e + step * math.cos(heading)))
            n2 = max(-ext_n, min(ext_n, n + step * math.sin(heading)))
            z2 = max(-50.0, min(150.0, z + rng.uniform(-5, 5)))
            m.line(e, n, z, e2, n2, z2, colour)
            e, n, z = e2, n2, z2
    words = ["North", "South", "Old", "Great", "Hidden", "Tower", "Camp", "Gate",
             "Bridge", "Well", "Spider", "Wolf", "Merchant", "Guard", "Shrine"]
    for i in range(labels):
        text = "%s %s %d" % (rng.choice(words), rng.choice(words), i)
        m.label(rng.uniform(-ext_e, ext_e), rng.uniform(-ext_n, ext_n),
                rng.uniform(-50, 150), rng.choice(palette), rng.randint(1, 3), text)
    report(out_dir, [("%s.txt" % short_name, m)])


def report(out_dir, files):
    total_l = total_p = 0
    bx0 = by0 = float("inf")
    bx1 = by1 = float("-inf")
    for name, m in files:
        m.write(os.path.join(out_dir, name))
        total_l += m.line_count
        total_p += m.label_count
        bx0, bx1 = min(bx0, m.min_x), max(bx1, m.max_x)
        by0, by1 = min(by0, m.min_y), max(by1, m.max_y)
        print("%-16s %6d lines %5d labels" % (name, m.line_count, m.label_count))
    print("total            %6d lines %5d labels" % (total_l, total_p))
    print("file bounds: x %.2f .. %.2f, y %.2f .. %.2f" % (bx0, bx1, by0, by1))


def main(argv):
    if len(argv) >= 1 and argv[0] == "--big":
        if len(argv) != 3:
            print("usage: make_vector_demo.py --big OUT_FOLDER ZONE_SHORT_NAME", file=sys.stderr)
            return 2
        write_big(argv[1], argv[2])
        return 0
    out = DEFAULT_OUT
    if len(argv) == 2 and argv[0] == "--out":
        out = argv[1]
    elif argv:
        print("usage: make_vector_demo.py [--out FOLDER] | --big OUT_FOLDER ZONE_SHORT_NAME",
              file=sys.stderr)
        return 2
    write_demo(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
