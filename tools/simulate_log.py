#!/usr/bin/env python3
"""Demo log simulator: plays a player walking through the demo zone.

    simulate_log.py LOGFILE [--seconds N] [--interval S] [--zone NAME]
                            [--start-delay S] [--seed K] [--speed U]
                            [--walk-when FILE]
    simulate_log.py LOGFILE --write-only N [--interval S] [--zone NAME]
                            [--seed K] [--speed U]

It appends to LOGFILE the way the game writes its chat log: 8-bit text,
CR LF line ends, every line starting with a timestamp such as
"[Sun Dec 06 20:15:01 2026] ", and the file opened, appended to and closed
for every write.  First come a few chat lines and the zone change
"You have entered Greater Faydark.", then every interval (default 1 s) one
"Your Location is Y, X, Z" line (the game prints Y first), mixed with chat
and combat lines.  Now and then a "Returning to " notice follows a position,
which marks that position as a return point.

The player walks at --speed game units per second (default 25) through the
story of demo_world.py: from the roads to the mouth of the cave under Wisp
Hollow, down its spiral stair to the cave floor (Z about -240), where a cave
lurker slays the player ("You have been slain by a cave lurker!"); the player
comes back into the zone at the bind point near the Watch Post, runs back
down to the corpse, climbs out and then walks a smooth closed loop along the
roads for ever.  Everything stays within game X -1386 .. 1800 and
Y -880 .. 952.

Live mode writes for --seconds seconds (default 120, counted after the
--start-delay, or from the first step with --walk-when, which holds the
player at the zone line until FILE exists) and exits 0; SIGTERM or SIGINT end it cleanly between two
writes, also with exit code 0.  --write-only N writes the opening lines and
N positions at once, without sleeping, with timestamps counted from
Sun Dec 06 20:15:01 2026; for a given --seed its output is always the same.

Plain Python 3, standard library only.
"""

import argparse
import calendar
import os
import random
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demo_world as world  # noqa: E402

DAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct",
          "Nov", "Dec"]

# Fixed start of the clock in --write-only mode: Sun Dec 06 20:15:01 2026.
WRITE_ONLY_EPOCH = (2026, 12, 6, 20, 15, 1)

RETURN_CHANCE = 1.0 / 40.0
CHAT_CHANCE = 0.35

OPENING = [
    "Welcome back, adventurer.",
    "MOTD: This is a demo log. Type /loc now and then to see yourself on the map.",
    "Tolmara tells the guild, 'anyone heading out to the woods tonight?'",
    "You say, 'Hail, Guard Ealin'",
    "Guard Ealin says, 'Stay on the paths, traveller. The wolves are hungry.'",
    "B\u00e9r\u00e9nice tells you, 'Meet you by the lake?'",
    "LOADING, PLEASE WAIT...",
]

CHAT = [
    "Irthas shouts, 'Looking for a group near Mirror Lake'",
    "Tolmara tells the guild, 'anyone seen the druid ring at night?'",
    "Kaelin says out of character, 'where is the bank in Canopy Town?'",
    "You tell the guild, 'walking to the lake now'",
    "Saewen tells you, 'careful, orcs on the south road'",
    "Your faction standing with Canopy Town got better.",
    "You feel a bit hungry.",
    "You are no longer thirsty.",
    "Lorric auctions, 'WTS Oak Bow, Fern Cloak'",
    "Nylra says, 'Lovely weather for a walk.'",
]

CREATURES = ["a grey wolf", "a moss snake", "an orc pawn", "a giant wasp",
             "a brownie scout", "a large rat", "a fire beetle", "a shade owl"]


def combat_lines(rng):
    foe = rng.choice(CREATURES)
    cap = foe[0].upper() + foe[1:]
    choices = [
        ["You slash %s for %d points of damage." % (foe, rng.randint(2, 14))],
        ["%s bites YOU for %d points of damage." % (cap, rng.randint(1, 8))],
        ["You try to slash %s, but miss!" % foe],
        ["You slash %s for %d points of damage." % (foe, rng.randint(5, 14)),
         "You have slain %s!" % foe, "You gain experience!!"],
        ["%s tries to hit YOU, but misses!" % cap],
    ]
    return rng.choice(choices)


def timestamp(t):
    """'[Sun Dec 06 20:15:01 2026] ' for a struct_time."""
    return "[%s %s %02d %02d:%02d:%02d %d] " % (
        DAYS[t.tm_wday], MONTHS[t.tm_mon - 1], t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
        t.tm_year)


def location_line(x, y, z):
    """The game's answer to /loc: Y first, then X, then Z."""
    return "Your Location is %.2f, %.2f, %.2f" % (y, x, z)


class LogWriter:
    """Appends batches of lines; opens and closes the file for each batch."""

    def __init__(self, path):
        self.path = path

    def write(self, stamp, lines):
        data = b"".join((stamp + line).encode("latin-1", "replace") + b"\r\n"
                        for line in lines)
        with open(self.path, "ab") as f:
            f.write(data)


class Walk:
    def __init__(self, speed, interval):
        self.steps = world.walk_steps(speed * interval)
        self.step = 0
        self.min_x = self.min_y = float("inf")
        self.max_x = self.max_y = float("-inf")

    def next(self):
        """The next position (or None) and the story's lines after it."""
        position, story = next(self.steps)
        if position is not None:
            x, y, z = position
            self.step += 1
            self.min_x, self.max_x = min(self.min_x, x), max(self.max_x, x)
            self.min_y, self.max_y = min(self.min_y, y), max(self.max_y, y)
        return position, story


def step_lines(rng, walk):
    """The lines of one interval: maybe chat, the position, then the story's
    lines or maybe a notice."""
    lines = []
    if rng.random() < CHAT_CHANCE:
        if rng.random() < 0.5:
            lines.append(rng.choice(CHAT))
        else:
            lines.extend(combat_lines(rng))
    position, story = walk.next()
    if position is not None:
        lines.append(location_line(*position))
    if story:
        lines.extend(story)
    elif rng.random() < RETURN_CHANCE:
        lines.append("Returning to your bind point, please wait...")
    elif rng.random() < CHAT_CHANCE / 3:
        lines.extend(combat_lines(rng))
    return lines


def opening_lines(zone):
    return OPENING + ["You have entered %s." % zone]


_stop = False


def _on_signal(signum, frame):
    global _stop
    _stop = True


def sleep_until(deadline):
    """Sleep in short slices so that a signal ends the run promptly."""
    while not _stop:
        left = deadline - time.monotonic()
        if left <= 0:
            return
        time.sleep(min(left, 0.05))


def run_write_only(args, writer, rng, walk):
    clock = calendar.timegm(WRITE_ONLY_EPOCH + (0, 0, 0))
    writer.write(timestamp(time.gmtime(clock)), opening_lines(args.zone))
    for _ in range(args.write_only):
        clock += args.interval
        writer.write(timestamp(time.gmtime(clock)), step_lines(rng, walk))


def run_live(args, writer, rng, walk):
    signal.signal(signal.SIGTERM, _on_signal)
    signal.signal(signal.SIGINT, _on_signal)
    sleep_until(time.monotonic() + args.start_delay)
    if _stop:
        return
    writer.write(timestamp(time.localtime()), opening_lines(args.zone))
    if args.walk_when:
        while not _stop and not os.path.exists(args.walk_when):
            time.sleep(0.05)
    start = time.monotonic()
    end = start + args.seconds
    n = 1
    while not _stop:
        due = start + n * args.interval
        if due > end:
            sleep_until(end)
            break
        sleep_until(due)
        if _stop:
            break
        writer.write(timestamp(time.localtime()), step_lines(rng, walk))
        n += 1


def parse_args(argv):
    p = argparse.ArgumentParser(description="Append a simulated game chat log.")
    p.add_argument("logfile")
    p.add_argument("--seconds", type=float, default=120.0,
                   help="how long to write, after the start delay (default 120)")
    p.add_argument("--interval", type=float, default=1.0,
                   help="seconds between positions (default 1)")
    p.add_argument("--zone", default="Greater Faydark",
                   help='zone named in "You have entered" (default Greater Faydark)')
    p.add_argument("--start-delay", type=float, default=0.0,
                   help="seconds to wait before the first line (default 0)")
    p.add_argument("--seed", type=int, default=1, help="seed of the chat mix (default 1)")
    p.add_argument("--speed", type=float, default=25.0,
                   help="walking speed in game units per second (default 25)")
    p.add_argument("--walk-when", metavar="FILE",
                   help="after the opening lines, wait until FILE exists before walking")
    p.add_argument("--write-only", type=int, metavar="N",
                   help="write N positions at once without sleeping, then exit")
    args = p.parse_args(argv)
    if args.interval <= 0:
        p.error("--interval must be positive")
    if args.seconds < 0 or args.start_delay < 0:
        p.error("--seconds and --start-delay must not be negative")
    if args.write_only is not None and args.write_only < 0:
        p.error("--write-only needs a count of 0 or more")
    return args


def main(argv):
    args = parse_args(argv)
    writer = LogWriter(args.logfile)
    rng = random.Random(args.seed)
    walk = Walk(args.speed, args.interval)
    try:
        if args.write_only is not None:
            run_write_only(args, writer, rng, walk)
        else:
            run_live(args, writer, rng, walk)
    except OSError as e:
        print("simulate_log: cannot write %s: %s" % (args.logfile, e.strerror), file=sys.stderr)
        return 1
    if walk.step:
        print("wrote %d positions: game X %.2f .. %.2f, Y %.2f .. %.2f"
              % (walk.step, walk.min_x, walk.max_x, walk.min_y, walk.max_y))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
