#!/usr/bin/env python3
"""Writes the sample files: a classic-tag MAME listing of a few dozen made-up games, a controls.xml,
a catver.ini, an nplayers.ini and a bestgames.ini for them. The merged file is then made by the
program itself (see README.md)."""

import random
from pathlib import Path

GAMES = [
    # name, description, year, manufacturer, category, buttons, players, control, rotate
    ("astrobl", "Astro Blaster (version 3)", "1981", "Sega", "Shooter / Flying Vertical", 2, 2, "joy2way", 270),
    ("bankpan", "Bank Panic", "1984", "Sanritsu / Sega", "Shooter / Gallery", 3, 2, "joy2way", 0),
    ("bombjak", "Bomb Jumper (set 1)", "1984", "Tehkan", "Platform / Single Screen", 1, 2, "joy8way", 90),
    ("cavelon", "Cavelon", "1983", "Jetsoft", "Maze / Collect", 1, 2, "joy4way", 90),
    ("cheekyms", "Cheeky Mouse", "1980", "Universal", "Maze", 1, 2, "joy4way", 270),
    ("circusc", "Circus Charlie (level select, set 1)", "1984", "Konami", "Platform / Run Jump", 1, 2, "joy2way", 0),
    ("dambustr", "Dam Busters (US)", "1981", "South West Research", "Shooter / Flying Vertical", 2, 2, "joy2way", 90),
    ("digdoug", "Dig Doug (rev 2)", "1982", "Namco", "Maze / Digging", 1, 2, "joy4way", 90),
    ("dorodon", "Dorodon (set 1)", "1982", "UPL (Falcon license?)", "Maze / Collect", 1, 2, "joy4way", 270),
    ("eggventr", "Egg Venture (Release 10)", "1997", "The Game Room", "Shooter / Gun", 0, 2, "lightgun", 0),
    ("fantzone", "Fantasy Zone (Rev A, unprotected)", "1986", "Sega", "Shooter / Flying Horizontal", 2, 1, "joy8way", 0),
    ("frogger", "Frogger", "1981", "Konami", "Maze / Cross", 0, 2, "joy4way", 90),
    ("gyruss", "Gyruss", "1983", "Konami", "Shooter / Flying Vertical", 1, 2, "joy8way", 90),
    ("hangon", "Hang-On (Rev A)", "1985", "Sega", "Driving / Motorbike", 2, 1, "paddle", 0),
    ("jackal", "Jackal (World, 8-way Joystick)", "1986", "Konami", "Shooter / Driving", 2, 2, "joy8way", 90),
    ("jumpbug", "Jump Bug", "1981", "Hoei (Rock-Ola license)", "Platform / Shooter Scrolling", 2, 2, "joy2way", 0),
    ("kicker", "Kicker", "1985", "Konami", "Sports / Soccer", 2, 2, "joy8way", 90),
    ("ladybug", "Lady Bug", "1981", "Universal", "Maze / Collect", 0, 2, "joy4way", 270),
    ("mappy", "Mappy (US)", "1983", "Namco", "Platform / Single Screen", 1, 2, "joy2way", 0),
    ("marble", "Marble Madness (set 1)", "1984", "Atari Games", "Ball & Paddle / Ball", 0, 2, "trackball", 0),
    ("mrdo", "Mr. Do!", "1982", "Universal", "Maze / Digging", 1, 2, "joy4way", 270),
    ("nibbler", "Nibbler (rev 9)", "1982", "Rock-Ola", "Maze", 0, 2, "joy4way", 0),
    ("pooyan", "Pooyan", "1982", "Konami", "Shooter / Gallery", 1, 2, "joy2way", 90),
    ("rallyx", "Rally X (32k Ver.?)", "1980", "Namco", "Maze / Driving", 1, 2, "joy4way", 0),
    ("sprint2", "Sprint 2 (set 1)", "1976", "Kee Games", "Driving / Race", 0, 2, "dial", 0),
    ("starforc", "Star Force", "1984", "Tehkan", "Shooter / Flying Vertical", 1, 2, "joy8way", 90),
    ("tempest", "Tempest (rev 3, Revised Hardware)", "1980", "Atari", "Shooter / Field", 2, 2, "dial", 270),
    ("timeplt", "Time Pilot", "1982", "Konami", "Shooter / Flying", 1, 2, "joy8way", 90),
    ("tutankhm", "Tutankham", "1982", "Konami", "Maze / Shooter Large", 3, 2, "joy4way", 90),
    ("zaxxon", "Zaxxon (set 1, rev D)", "1982", "Sega", "Shooter / Flying Diagonal", 1, 2, "joy8way", 90),
]
CLONES = [("digdougj", "digdoug", "Dig Doug (Japan)"), ("mrdot", "mrdo", "Mr. Do! (Taito)"),
          ("froggers", "frogger", "Frog (bootleg)"), ("bombjak2", "bombjak", "Bomb Jumper (set 2)")]
PRELIMINARY = {"eggventr", "kicker"}
SAMPLES = {"astrobl": ["invader1", "shot"], "zaxxon": ["03", "05"]}
COCKTAIL = {"mrdo", "ladybug", "frogger", "gyruss", "pooyan", "cheekyms", "digdoug"}
# Release names as catver.ini's [VerAdded] writes them, given to the games in turn.
VERSIONS = ["0.30", "0.36b16", "0.36rc1", "0.36", "0.37b7", "0.69a", "0.71u3p", "0.108u5", "0.124a", "0.251"]
BEST_GAMES = {"90 to 100 (Best Games)": ["digdoug", "mrdo", "timeplt", "zaxxon"],
              "80 to 90 (Very Good)": ["frogger", "gyruss", "mappy", "tempest"],
              "70 to 80 (Good)": ["bombjak", "jackal", "ladybug", "marble"],
              "50 to 60 (Not Good Enough)": ["cavelon", "dorodon"]}


def game_record(name, description, year, maker, buttons, players, control, rotate, parent=None):
    random.seed(name)
    status = "preliminary" if name in PRELIMINARY else "good"
    clone = f' cloneof="{parent}" romof="{parent}"' if parent else ""
    lines = [f'\t<game name="{name}" sourcefile="{name[:5]}.c"{clone}>',
             f"\t\t<description>{description}</description>",
             f"\t\t<year>{year}</year>",
             f"\t\t<manufacturer>{maker}</manufacturer>"]
    for index in range(1, 3):
        crc = "%08x" % random.getrandbits(32)
        sha1 = "%040x" % random.getrandbits(160)
        lines.append(f'\t\t<rom name="{name}.{index}" size="4096" crc="{crc}" sha1="{sha1}" region="maincpu" '
                     f'offset="{(index - 1) * 4096:x}"/>')
    for sample in SAMPLES.get(parent or name, []):
        lines.append(f'\t\t<sample name="{sample}"/>')
    lines.append('\t\t<chip type="cpu" name="Z80" clock="3072000"/>')
    lines.append(f'\t\t<display type="{"vector" if name == "tempest" else "raster"}" rotate="{rotate}" '
                 f'width="256" height="224" refresh="60.000000" />')
    button_text = f' buttons="{buttons}"' if buttons else ""
    lines.append(f'\t\t<input players="{players}"{button_text} coins="2">')
    lines.append(f'\t\t\t<control type="{control}"/>')
    lines.append("\t\t</input>")
    if (parent or name) in COCKTAIL:
        lines += ['\t\t<dipswitch name="Cabinet">', '\t\t\t<dipvalue name="Upright" default="yes"/>',
                  '\t\t\t<dipvalue name="Cocktail"/>', "\t\t</dipswitch>"]
    lines.append(f'\t\t<driver status="{status}" emulation="{status}" color="good" sound="good" '
                 f'graphic="good" savestate="unsupported" palettesize="256"/>')
    lines.append("\t</game>")
    return "\n".join(lines) + "\n"


def main():
    folder = Path(__file__).resolve().parent
    by_name = {game[0]: game for game in GAMES}
    listing = ['<?xml version="1.0"?>\n', "<!DOCTYPE mame [\n", "<!ELEMENT mame (game+)>\n",
               "\t<!ATTLIST mame build CDATA #IMPLIED>\n", "]>\n\n", '<mame build="0.104 (sample)">\n']
    for name, description, year, maker, _, buttons, players, control, rotate in GAMES:
        listing.append(game_record(name, description, year, maker, buttons, players, control, rotate))
        for clone, parent, clone_description in CLONES:
            if parent == name:
                listing.append(game_record(clone, clone_description, year, maker, buttons, players, control,
                                           rotate, parent))
    listing.append("</mame>\n")
    (folder / "listxml.xml").write_text("".join(listing), newline="\n")

    catver = [";; catver.ini for the sample listing", "", "[Category]"]
    catver += [f"{name}={by_name[name][4]}" for name in sorted(by_name)]
    catver += [f"{clone}={by_name[parent][4]}" for clone, parent, _ in CLONES]
    catver += ["", "[VerAdded]"] + [f"{name}={VERSIONS[i % len(VERSIONS)]}" for i, name in enumerate(sorted(by_name))]
    (folder / "catver.ini").write_bytes(("\r\n".join(catver) + "\r\n").encode())

    # Clones but one have no line of their own and take their parent's; one name is there twice.
    nplayers = [";; nplayers.ini for the sample listing", "", "[NPlayers]"]
    for name, _, _, _, _, _, players, _, _ in sorted(GAMES):
        nplayers.append(f"{name}={'1P' if players == 1 else '2P alt' if name in COCKTAIL else '2P sim'}")
    nplayers += ["froggers=1P", "mrdo=1P"]
    (folder / "nplayers.ini").write_bytes(("\r\n".join(nplayers) + "\r\n").encode())

    bestgames = ["[FOLDER_SETTINGS]", "RootFolderIcon mame", "SubFolderIcon folder", "",
                 ";; bestgames.ini for the sample listing ;;", "", "[ROOT_FOLDER]", ""]
    for section, names in BEST_GAMES.items():
        bestgames += [f"[{section}]"] + names + [""]
    (folder / "bestgames.ini").write_bytes("\r\n".join(bestgames).encode())

    controls = ['<?xml version="1.0" encoding="UTF-8"?>', "<dat>"]
    for name, description, _, _, _, buttons, players, control, _ in GAMES[::2]:
        cocktail = 1 if name in COCKTAIL else 0
        controls += [f'  <game romname="{name}" gamename="{description}" numPlayers="{players}" alternating="1" '
                     f'mirrored="1" usesService="0" tilt="0" cocktail="{cocktail}">',
                     f'    <player number="1" numButtons="{buttons}">',
                     f'      <controls name="{control}">',
                     f'        <constant name="{control}"/>',
                     "      </controls>",
                     "    </player>",
                     "  </game>"]
    controls.append("</dat>")
    (folder / "controls.xml").write_bytes(("\r\n".join(controls) + "\r\n").encode())


if __name__ == "__main__":
    main()
