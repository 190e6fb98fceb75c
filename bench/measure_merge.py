#!/usr/bin/env python3
"""Times `pellaquin-cli merge` on a listing and the sources generate_sources.py wrote.

Each run goes through /usr/bin/time -v; the script prints every run's wall time and peak memory,
then the median wall time and the largest peak.

    bench/measure_merge.py --cli build/pellaquin-cli --listing /work/data/classic.xml --sources bench/data
"""

import argparse
import os
import re
import statistics
import subprocess
import sys

ELAPSED = re.compile(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (?:(\d+):)?(\d+):([\d.]+)")
PEAK = re.compile(r"Maximum resident set size \(kbytes\): (\d+)")


def run_once(command):
    result = subprocess.run(["/usr/bin/time", "-v"] + command, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"merge failed ({result.returncode}):\n{result.stderr}")
    hours, minutes, seconds = ELAPSED.search(result.stderr).groups()
    wall = int(hours or 0) * 3600 + int(minutes) * 60 + float(seconds)
    return wall, int(PEAK.search(result.stderr).group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--listing", required=True)
    parser.add_argument("--sources", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "data"))
    parser.add_argument("--output", help="merged file (default: merged.xml beside the sources)")
    parser.add_argument("--runs", type=int, default=3)
    arguments = parser.parse_args()

    output = arguments.output or os.path.join(arguments.sources, "merged.xml")
    command = [arguments.cli, "merge", "--listxml", arguments.listing,
               "--controls", os.path.join(arguments.sources, "controls.xml"),
               "--catver", os.path.join(arguments.sources, "catver.ini"), "--output", output]
    print(" ".join(command))
    walls = []
    peaks = []
    for run in range(1, arguments.runs + 1):
        wall, peak = run_once(command)
        walls.append(wall)
        peaks.append(peak)
        print(f"run {run}: {wall:.2f} s, peak {peak / 1024:.1f} MiB")
    print(f"median {statistics.median(walls):.2f} s, largest peak {max(peaks) / 1024:.1f} MiB, "
          f"output {os.path.getsize(output)} bytes")


if __name__ == "__main__":
    main()
