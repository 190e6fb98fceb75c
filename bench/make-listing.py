#!/usr/bin/env python3
"""Writes a made-up MAME listing in the classic -listxml form, shaped like MAME 0.251's own.

Games come with the share of clones, devices and preliminary drivers of the real listing, and
with roms, device references, chips, a display, inputs, dip switches, configurations, ports and
slots in about its numbers per game (some 6 KB a game). Line ends are LF, as MAME prints them on
Linux. The output is the same for the same arguments.

    bench/make-listing.py --games 300 --output /tmp/small/classic.xml
"""

import argparse
import os
import random

HEADER = """<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (game+)>
\t<!ATTLIST mame build CDATA #IMPLIED>
\t<!ATTLIST mame debug (yes|no) "no">
\t<!ATTLIST mame mameconfig CDATA #REQUIRED>
\t<!ELEMENT game (description, year?, manufacturer?, biosset*, rom*, device_ref*, sample*, chip*, display*, \
sound?, input?, dipswitch*, configuration*, port*, driver?, feature*, slot*)>
\t\t<!ATTLIST game name CDATA #REQUIRED>
\t\t<!ATTLIST game sourcefile CDATA #IMPLIED>
\t\t<!ATTLIST game isdevice (yes|no) "no">
\t\t<!ATTLIST game runnable (yes|no) "yes">
\t\t<!ATTLIST game cloneof CDATA #IMPLIED>
\t\t<!ATTLIST game romof CDATA #IMPLIED>
]>

<mame build="0.251 (generated)" debug="no" mameconfig="10">
"""
FOOTER = "</mame>\n"

SYLLABLES = ["ba", "ko", "ri", "zan", "te", "mu", "gal", "dor", "pi", "shu", "ra", "xe", "ton", "vi", "qu", "les"]
WORDS = ["Star", "Dragon", "Ninja", "Space", "Turbo", "Galaxy", "Fighter", "Quest", "Blaster", "Mahjong",
         "Racing", "Power", "Thunder", "Crystal", "Bomber", "Kid", "Force", "Zone", "Legend", "Panic"]
VARIANTS = ["World", "US", "Japan", "set 1", "set 2", "rev A", "bootleg", "Euro", "prototype"]
MAKERS = ["Namco", "Konami", "Sega", "Taito", "Capcom", "Irem", "Data East", "SNK", "Atari", "Nichibutsu",
          "bootleg", "Williams", "Jaleco", "Toaplan", "Video System", "<unknown>"]
SOURCES = ["namco/galaxian.cpp", "konami/gradius.cpp", "sega/system16.cpp", "taito/taito_f2.cpp",
           "capcom/cps1.cpp", "irem/m72.cpp", "dataeast/dec0.cpp", "snk/neogeo.cpp", "atari/atarisy1.cpp",
           "nichibutsu/nbmj8688.cpp", "misc/goldstar.cpp", "skeleton/misc.cpp"]
DEVICES = ["z80", "m68000", "ls259", "watchdog", "gfxdecode", "palette", "screen", "speaker", "ym2151",
           "okim6295", "generic_latch_8", "eeprom_serial_93cxx_16bit", "timer", "i8255", "ay8910", "dac_8bit_r2r"]
REGIONS = ["maincpu", "audiocpu", "gfx1", "gfx2", "proms", "oki", "sprites", "tiles"]
DIPS = ["Coinage", "Lives", "Bonus Life", "Difficulty", "Demo Sounds", "Cabinet", "Flip Screen", "Service Mode",
        "Allow Continue", "Free Play", "Unknown"]
CONTROLS = [("joy", ' ways="8"'), ("joy", ' ways="4"'), ("joy", ' ways="2"'), ("trackball", ""), ("dial", ""),
            ("paddle", ""), ("pedal", ""), ("lightgun", "")]


def game_name(rng, taken):
    while True:
        name = "".join(rng.choice(SYLLABLES) for _ in range(rng.randrange(2, 4)))
        if rng.random() < 0.4:
            name += str(rng.randrange(1, 99))
        if name not in taken:
            taken.add(name)
            return name


def description(rng):
    words = " ".join(rng.choice(WORDS) for _ in range(rng.randrange(1, 4)))
    if rng.random() < 0.6:
        words += f" ({rng.choice(VARIANTS)})"
    return words.replace("&", "&amp;")


def hex_digits(rng, count):
    return "".join(rng.choice("0123456789abcdef") for _ in range(count))


def device_record(name, rng):
    lines = [f'\t<game name="{name}" sourcefile="{rng.choice(SOURCES)}" isdevice="yes" runnable="no">',
             f"\t\t<description>{rng.choice(WORDS)} {rng.choice(['Device', 'Controller', 'Chip'])}</description>"]
    if rng.random() < 0.3:
        lines.append(f'\t\t<rom name="{name}.bin" size="8192" crc="{hex_digits(rng, 8)}" '
                     f'sha1="{hex_digits(rng, 40)}" region="{name}" offset="0"/>')
    lines.append("\t</game>")
    return lines


def game_record(name, parent, rng):
    clone = f' cloneof="{parent}" romof="{parent}"' if parent else ""
    lines = [f'\t<game name="{name}" sourcefile="{rng.choice(SOURCES)}"{clone}>',
             f"\t\t<description>{description(rng)}</description>",
             f"\t\t<year>{rng.randrange(1971, 2023)}</year>",
             f"\t\t<manufacturer>{rng.choice(MAKERS).replace('<', '&lt;').replace('>', '&gt;')}</manufacturer>"]
    if rng.random() < 0.05:
        lines += [f'\t\t<biosset name="bios{b}" description="{rng.choice(WORDS)} BIOS v{b}"/>' for b in range(15)]
    for index in range(rng.randrange(2, 13)):
        merge = f' merge="{name}.{index}"' if parent and rng.random() < 0.5 else ""
        lines.append(f'\t\t<rom name="{name}.{index}"{merge} size="{rng.choice([2048, 4096, 65536, 524288])}" '
                     f'crc="{hex_digits(rng, 8)}" sha1="{hex_digits(rng, 40)}" region="{rng.choice(REGIONS)}" '
                     f'offset="{index * 4096:x}"/>')
    lines += [f'\t\t<device_ref name="{device}"/>' for device in rng.sample(DEVICES, rng.randrange(6, 16))]
    if rng.random() < 0.05:
        lines += [f'\t\t<sample name="sound{s}"/>' for s in range(12)]
    lines += [f'\t\t<chip type="cpu" tag="maincpu" name="Zilog Z80" clock="{rng.choice([3072000, 4000000])}"/>',
              '\t\t<chip type="audio" tag="mono" name="Speaker"/>',
              f'\t\t<chip type="audio" tag="ymsnd" name="Yamaha YM2151" clock="3579545"/>']
    rotate = rng.choice([0, 0, 0, 90, 270, 180])
    lines.append(f'\t\t<display tag="screen" type="raster" rotate="{rotate}" width="{rng.choice([256, 288, 320])}" '
                 f'height="224" refresh="60.000000" pixclock="6144000" htotal="384" hbend="0" hbstart="288" '
                 f'vtotal="264" vbend="0" vbstart="224" />')
    lines.append('\t\t<sound channels="1"/>')
    players = rng.choice([1, 2, 2, 2, 4])
    lines.append(f'\t\t<input players="{players}" coins="{rng.randrange(1, 5)}" service="yes">')
    control, ways = rng.choice(CONTROLS)
    buttons = rng.choice([0, 1, 1, 2, 2, 2, 3, 4, 6])
    lines += [f'\t\t\t<control type="{control}" player="{p}" buttons="{buttons}"{ways}/>'
              for p in range(1, min(players, 2) + 1)]
    lines.append("\t\t</input>")
    for dip in range(rng.randrange(6, 24)):
        lines.append(f'\t\t<dipswitch name="{rng.choice(DIPS)}" tag="DSW{dip // 8 + 1}" mask="{1 << (dip % 8)}">')
        lines.append(f'\t\t\t<diplocation name="SW{dip // 8 + 1}" number="{dip % 8 + 1}"/>')
        for value in range(rng.randrange(2, 5)):
            default = ' default="yes"' if value == 0 else ""
            lines.append(f'\t\t\t<dipvalue name="Setting {value}" value="{value}"{default}/>')
        lines.append("\t\t</dipswitch>")
    if rng.random() < 0.75:
        lines.append('\t\t<configuration name="Cabinet" tag="IN1" mask="128">')
        lines += ['\t\t\t<confsetting name="Upright" value="128" default="yes"/>',
                  '\t\t\t<confsetting name="Cocktail" value="0"/>', "\t\t</configuration>"]
    for port in range(rng.randrange(3, 11)):
        lines += [f'\t\t<port tag=":IN{port}">', "\t\t</port>"]
    if rng.random() < 0.5:
        status, emulation = "preliminary", "preliminary"
    else:
        status, emulation = rng.choice(["good", "imperfect"]), "good"
    lines.append(f'\t\t<driver status="{status}" emulation="{emulation}" '
                 f'savestate="{rng.choice(["supported", "unsupported"])}"/>')
    if rng.random() < 0.45:
        lines.append(f'\t\t<feature type="sound" status="{rng.choice(["imperfect", "unemulated"])}"/>')
    if rng.random() < 0.1:
        lines.append('\t\t<slot name="cartslot">')
        lines += [f'\t\t\t<slotoption name="option{s}" devname="{rng.choice(DEVICES)}"/>' for s in range(30)]
        lines.append("\t\t</slot>")
    lines.append("\t</game>")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--games", type=int, default=300)
    parser.add_argument("--seed", type=int, default=251)
    parser.add_argument("--output", required=True)
    arguments = parser.parse_args()

    rng = random.Random(arguments.seed)
    taken = set()
    parents = []
    records = []
    for _ in range(arguments.games):
        name = game_name(rng, taken)
        draw = rng.random()
        if draw < 0.13:
            records.append(device_record(name, rng))
        elif draw < 0.70 and parents:
            records.append(game_record(name, rng.choice(parents[-20:]), rng))
        else:
            parents.append(name)
            records.append(game_record(name, None, rng))
    os.makedirs(os.path.dirname(os.path.abspath(arguments.output)), exist_ok=True)
    with open(arguments.output, "w", encoding="utf-8", newline="\n") as listing:
        listing.write(HEADER)
        for lines in records:
            listing.write("\n".join(lines) + "\n")
        listing.write(FOOTER)


if __name__ == "__main__":
    main()
