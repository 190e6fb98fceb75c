#!/usr/bin/env python3
"""Writes the data files a merge reads, of realistic size and shape, for the games of a MAME listing.

catver.ini: a few comment lines, a [Category] section naming every game of the listing and some
3,000 games it does not hold, then a [VerAdded] section with release names under the same names
(0.37b7, 0.36rc1, 0.108u5, point releases such as 0.69a, and 0.71u3p), one of them twice.
controls.xml: some 1,100 entries of about 800 bytes for parent games of the listing.
nplayers.ini: one [NPlayers] section without a folder header, a line for every parent, BIOS and
device and for half the clones, a few names twice with another value, the last line without a line
feed. bestgames.ini, languages.ini, series.ini: folder files opening with [FOLDER_SETTINGS] and an
empty [ROOT_FOLDER]; bestgames.ini ranks some parents, languages.ini names most sets (some under two
languages) and opens with a UTF-8 byte-order mark, series.ini groups families by their title, one set
under two series, a series name holding "&".
All use CR LF line ends, as the files people download do. The output is the same for the same
listing and seed, and catver.ini's [Category] and controls.xml do not depend on the other files.

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
BIOS = re.compile(r'isbios="yes"')
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
# nplayers.ini values for games, weighted about as often as the real file gives them.
PLAYERS = [("???", 40), ("2P sim", 14), ("1P", 12), ("2P alt", 10), ("Non-arcade", 8), ("Pinball", 4),
           ("4P sim", 3), ("3P sim", 1), ("4P alt", 1), ("6P sim", 1), ("4P alt / 2P sim", 1), ("8P sim", 1)]
BEST_GAMES = ["0 to 10 (Worst)", "10 to 20 (Horrible)", "20 to 30 (Bad)", "30 to 40 (Amendable)", "40 to 50 (Decent)",
              "50 to 60 (Not Good Enough)", "60 to 70 (Passable)", "70 to 80 (Good)", "80 to 90 (Very Good)",
              "90 to 100 (Best Games)"]
LANGUAGES = [("English", 60), ("Japanese", 25), ("Chinese", 4), ("Korean", 2), ("Spanish", 2), ("German", 2),
             ("French", 2), ("Italian", 2), ("Dutch", 1)]
# Versions whose names fit no common pattern, as the real [VerAdded] has them.
ODD_VERSIONS = ["0.26a", "0.69a", "0.69b", "0.124a", "0.71u3p"]


def read_listing(path):
    """The games of the listing: (name, parent or None, description, is a device, is a BIOS), in listing order."""
    games = []
    current = None
    with open(path, encoding="utf-8", errors="replace", newline="") as listing:
        for line in listing:
            start = GAME_LINE.search(line)
            if start:
                clone = CLONE_OF.search(line)
                current = [start.group(1), clone.group(1) if clone else None, start.group(1), bool(DEVICE.search(line)),
                           bool(BIOS.search(line))]
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


def version_added(minor, rng):
    """A release name around 0.`minor`, in the forms [VerAdded] uses for releases of that age."""
    if rng.random() < 0.001:
        return rng.choice(ODD_VERSIONS)
    if minor == 162:
        return "0.162"
    roll = rng.random()
    if minor < 106 and roll < 0.3:
        return f"0.{minor}b{rng.randrange(1, 17)}"
    if minor < 106 and roll < 0.33:
        return f"0.{minor}rc{rng.randrange(1, 3)}"
    if 106 <= minor < 162 and roll < 0.4:
        return f"0.{minor}u{rng.randrange(1, 6)}"
    return f"0.{minor}"


def write_catver(path, games, rng, versions_rng):
    known = {game[0] for game in games}
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
    for number, name in enumerate(names):
        # The draw of the minor release number keeps `rng`, and so controls.xml, as it was.
        lines.append(f"{name}={version_added(rng.randrange(30, 252), versions_rng)}")
        if number == len(names) // 2:
            lines.append(f"{name}=0.1")
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
    parents = [(name, description) for name, parent, description, device, _ in games if parent is None and not device]
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


def write_lines(path, lines, bom=False, last_line_feed=True):
    """Writes `lines` with CR LF line ends."""
    text = "\r\n".join(lines) + ("\r\n" if last_line_feed else "")
    with open(path, "wb") as data:
        data.write((b"\xef\xbb\xbf" if bom else b"") + text.encode("utf-8"))


def folder_header(file_name):
    return ["[FOLDER_SETTINGS]", "RootFolderIcon mame", "SubFolderIcon folder", "",
            f";; {file_name} 0.251 / generated for merge measurements from a MAME listing ;;", "", "[ROOT_FOLDER]", ""]


def folder_lines(sections):
    """The lines of a folder file's sections, in order; each section's sets sorted."""
    lines = []
    for section, names in sections.items():
        lines += [f"[{section}]"] + sorted(names) + [""]
    return lines


def weighted(rng, choices):
    return rng.choices([value for value, _ in choices], weights=[weight for _, weight in choices])[0]


def write_nplayers(path, games, rng):
    known = {game[0] for game in games}
    values = {}
    for name, parent, _, device, bios in games:
        # Half the clones have no line of their own: they take their parent's.
        if parent is not None and rng.random() < 0.5:
            continue
        values[name] = "Device" if device else "BIOS" if bios else weighted(rng, PLAYERS)
    for name in extra_names(known, 2000, rng):
        values[name] = weighted(rng, PLAYERS)
    lines = [";; NPlayers 0.251 / generated for merge measurements from a MAME listing ;;", "", "[NPlayers]"]
    doubled = set(rng.sample(sorted(values), 20))
    for name in sorted(values):
        lines.append(f"{name}={values[name]}")
        if name in doubled:
            lines.append(f"{name}=1P")
    write_lines(path, lines, last_line_feed=False)
    return len(values)


def write_bestgames(path, games, rng):
    parents = [name for name, parent, _, device, bios in games if parent is None and not device and not bios]
    sections = {section: [] for section in BEST_GAMES}
    for name in rng.sample(parents, min(3000, len(parents))):
        sections[rng.choice(BEST_GAMES)].append(name)
    write_lines(path, folder_header("bestgames.ini") + folder_lines(sections))
    return sum(len(names) for names in sections.values())


def write_languages(path, games, rng):
    sections = {language: [] for language, _ in LANGUAGES}
    for name, _, _, device, _ in games:
        if device:
            continue
        first = weighted(rng, LANGUAGES)
        sections[first].append(name)
        if rng.random() < 0.015:
            second = weighted(rng, LANGUAGES)
            if second != first:
                sections[second].append(name)
    write_lines(path, folder_header("languages.ini") + folder_lines(sections), bom=True)
    return sum(len(names) for names in sections.values())


def write_series(path, games, rng):
    """Families grouped by the first word of their parent's title, for titles shared by a few families."""
    families = {}
    titles = {name: description for name, _, description, _, _ in games}
    for name, parent, _, device, _ in games:
        if not device:
            families.setdefault(parent or name, []).append(name)
    by_word = {}
    for parent, members in families.items():
        word = re.sub(r"[^A-Za-z0-9' -]", "", titles.get(parent, parent).split(" (")[0]).split(" ")[0]
        if len(word) > 3:
            by_word.setdefault(word, []).extend(members)
    sections = {word: names for word, names in sorted(by_word.items()) if 2 <= len(names) <= 60}
    if sections:
        first, second = list(sections)[:2]
        sections[first].append(sections[second][0])
        sections[first + " & Friends"] = sections.pop(first)
    write_lines(path, folder_header("series.ini") + folder_lines(sections))
    return sum(len(names) for names in sections.values())


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
    categories = write_catver(catver_path, games, rng, random.Random(f"{arguments.seed}-veradded"))
    entries = write_controls(controls_path, games, arguments.controls_games, rng)
    print(f"{len(games)} games in the listing")
    print(f"{catver_path}: {categories} names, {os.path.getsize(catver_path)} bytes")
    print(f"{controls_path}: {entries} games, {os.path.getsize(controls_path)} bytes")
    for file_name, write in (("nplayers.ini", write_nplayers), ("bestgames.ini", write_bestgames),
                             ("languages.ini", write_languages), ("series.ini", write_series)):
        path = os.path.join(arguments.out_dir, file_name)
        lines = write(path, games, random.Random(f"{arguments.seed}-{file_name}"))
        print(f"{path}: {lines} sets, {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
