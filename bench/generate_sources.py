#!/usr/bin/env python3
"""Writes a catver.ini and a controls.xml of realistic size for the games of a MAME listing.

catver.ini: a few comment lines, a [Category] section naming every game of the listing and some
3,000 games it does not hold, then a [VerAdded] section with version numbers under the same names.
controls.xml: some 1,100 entries of about 800 bytes for parent games of the listing.
Both use CR LF line ends, as the files people download do. The output is the same for the same
listing and seed.

    bench/generate_sources.py /work/data/classic.xml --out-dir bench/data
"""

import argparse
import html
import os
import random
import re
import sys

GAME_LINE = re.compile(r'<(?:game|machine) name="([^"]*)"')
CLONE_OF = re.compile(r'cloneof="([^"]*)"')
DEVICE = re.compile(r'isdevice="yes"')
DESCRIPTION = re.compile(r"<description>([^<]*)</description>")

CATEGORIES = [
    "Maze / Collect", "Maze / Shooter Small", "Shooter / Flying Vertical", "Shooter / Flying Horizontal",
    "Shooter / Gallery", "Shooter / Walking", "Fighter / Versus", "Fighter / 2.5D", "Fighter / Field",
    "Platform / Run Jump", "Platform / Shooter Scrolling", "Sports / Soccer", "Sports / Baseball",
    "Sports / Golf", "Puzzle / Drop", "Puzzle / Match", "Driving / Race", "Driving / Race 1st Person",
    "Casino / Cards", "Casino / Reels", "Slot Machine / Video Slot", "Quiz / Japanese", "Quiz / English",
    "Climbing", "Ball & Paddle / Breakout", "Computer / Home System", "Calculator / Pocket Computer",
    "Electromechanical / Pinball", "Tabletop / Hanafuda", "Handheld / Electronic Game", "Music / Dance",
    "Misc. / Unknown", "System / BIOS", "Device / Sound Chip", "Board Game / Chess Machine",
]
CONTROLS = [
    ("8-way Joystick", "joy8way"), ("4-way Joystick", "joy4way"), ("2-way Joystick (Horizontal)", "joy2way"),
    ("Trackball", "trackball"), ("Dial", "dial"), ("Steering Wheel", "steeringwheel"), ("Just Buttons", "just_buttons"),
]
BUTTON_LABELS = ["Fire", "Jump", "Bomb", "Punch", "Kick", "Shoot", "Speed Up", "Special"]


def read_listing(path):
    """The games of the listing: (name, parent or None, description, is a device), in listing order."""
    games = []
    current = None
    with open(path, encoding="utf-8", errors="replace", newline="") as listing:
        for line in listing:
            start = GAME_LINE.search(line)
            if start:
                clone = CLONE_OF.search(line)
                current = [start.group(1), clone.group(1) if clone else None, start.group(1), bool(DEVICE.search(line))]
                games.append(current)
            elif current is not None:
                description = DESCRIPTION.search(line)
                if description:
                    current[2] = description.group(1)
                    current = None
    return games


def extra_names(known, count, rng):
    """Names the listing does not hold, built like its own (a prefix, letters, digits)."""
    names = set()
    known_list = sorted(known)
    while len(names) < count:
        base = rng.choice(known_list)[:6]
        name = base + rng.choice("abcdefghjkmnpqrstuvwxyz") + str(rng.randrange(10, 99))
        if name not in known:
            names.add(name)
    return sorted(names)


def write_catver(path, games, rng):
    known = {name for name, _, _, _ in games}
    names = sorted(known | set(extra_names(known, 3000, rng)))
    lines = [
        ";; catver.ini header",
        ";; generated for merge measurements from a MAME listing",
        ";; categories are chosen at random; only their shape is realistic",
        "",
        "[FOLDER_SETTINGS]",
        "RootFolderIcon mame",
        "SubFolderIcon folder",
        "",
        "[ROOT_FOLDER]",
        "",
        "[Category]",
    ]
    for name in names:
        category = rng.choice(CATEGORIES)
        if rng.random() < 0.04:
            category += " * Mature *"
        lines.append(f"{name}={category}")
    lines += ["", "[VerAdded]"]
    for name in names:
        lines.append(f"{name}=0.{rng.randrange(30, 252)}")
    lines.append("")
    with open(path, "w", encoding="utf-8", newline="") as catver:
        catver.write("\r\n".join(lines))
    return len(names)


def controls_entry(name, description, rng):
    players = rng.choice([1, 2, 2, 2, 4])
    buttons = rng.randrange(0, 7)
    control_name, constant = rng.choice(CONTROLS)
    lines = [
        f'  <game romname="{name}" gamename="{html.escape(html.unescape(description), quote=True)}" '
        f'numPlayers="{players}" alternating="{rng.randrange(2)}" mirrored="{rng.randrange(2)}" '
        f'usesService="0" tilt="{rng.randrange(2)}" cocktail="{rng.randrange(2)}">'
    ]
    for number in range(1, min(players, 2) + 1):
        lines += [
            f'    <player number="{number}" numButtons="{buttons}">',
            f'      <controls name="{control_name}">',
            f'        <constant name="{constant}"/>',
            "      </controls>",
            "      <labels>",
        ]
        lines.append(f'        <label name="P{number}_JOYSTICK_UP" value="Up"/>')
        lines += [
            f'        <label name="P{number}_BUTTON{b + 1}" value="{BUTTON_LABELS[b % len(BUTTON_LABELS)]}"/>'
            for b in range(min(buttons, 2))
        ]
        lines += ["      </labels>", "    </player>"]
    lines += [f"    <miscDetails>Entered for measurements of {name}.</miscDetails>", "  </game>"]
    return lines


def write_controls(path, games, count, rng):
    parents = [(name, description) for name, parent, description, device in games if parent is None and not device]
    chosen = sorted(rng.sample(parents, min(count, len(parents))))
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<dat>",
        "  <meta>",
        "    <description>Control panel details</description>",
        "    <version>measurement</version>",
        "  </meta>",
    ]
    for name, description in chosen:
        lines += controls_entry(name, description, rng)
    lines += ["</dat>", ""]
    with open(path, "w", encoding="utf-8", newline="") as controls:
        controls.write("\r\n".join(lines))
    return len(chosen)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("listing", help="MAME's -listxml output")
    parser.add_argument("--out-dir", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "data"))
    parser.add_argument("--controls-games", type=int, default=1100)
    parser.add_argument("--seed", type=int, default=251)
    arguments = parser.parse_args()

    games = read_listing(arguments.listing)
    if not games:
        sys.exit(f"{arguments.listing} holds no games")
    os.makedirs(arguments.out_dir, exist_ok=True)
    rng = random.Random(arguments.seed)
    catver_path = os.path.join(arguments.out_dir, "catver.ini")
    controls_path = os.path.join(arguments.out_dir, "controls.xml")
    categories = write_catver(catver_path, games, rng)
    entries = write_controls(controls_path, games, arguments.controls_games, rng)
    print(f"{len(games)} games in the listing")
    print(f"{catver_path}: {categories} names, {os.path.getsize(catver_path)} bytes")
    print(f"{controls_path}: {entries} games, {os.path.getsize(controls_path)} bytes")


if __name__ == "__main__":
    main()
