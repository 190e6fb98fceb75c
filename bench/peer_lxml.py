#!/usr/bin/python3
"""Prints the names of the non-clone games whose emulation is not preliminary, one a line.

The way a user would write it with lxml: iterparse over the listing, each game element cleared
(with the siblings already done) once it is judged, so memory stays flat. Runs on Debian's
python3-lxml.

    /usr/bin/python3 bench/peer_lxml.py classic.xml
"""

import sys

from lxml import etree


def main():
    out = sys.stdout
    for _, game in etree.iterparse(sys.argv[1], events=("end",), tag=("game", "machine")):
        if game.get("cloneof") is None:
            driver = game.find("driver")
            if driver is None or driver.get("emulation") != "preliminary":
                out.write(game.get("name") + "\n")
        game.clear()
        while game.getprevious() is not None:
            del game.getparent()[0]


if __name__ == "__main__":
    main()
