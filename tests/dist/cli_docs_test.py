#!/usr/bin/env python3
"""Checks pellaquin-cli's generated manual page and bash completion against what the program's --help
lists, read here with plain patterns of its own rather than the generator's parser, so an option the
generator passes over fails the test.

    cli_docs_test.py PROGRAM MANUAL COMPLETION
"""

import re
import subprocess
import sys


def help_text(program, *words):
    return subprocess.run([program, *words, "--help"], capture_output=True, text=True, check=True).stdout


def listed_options(text):
    """Every option name at the start of a help line, two blanks in: "  -h,--help ..." gives -h and --help;
    the footer's text indented further may begin with an option's name."""
    return {name for names in re.findall(r"^  (-\S+)", text, re.M) for name in names.split(",")}


def listed_subcommands(text):
    block = re.search(r"^Subcommands:\n((?: .*\n)*)", text, re.M)
    return [line.split()[0] for line in block.group(1).splitlines()] if block else []


def listed_choices(text):
    return {option: set(values.split(",")) for option, values in re.findall(r"^ +(--\S+) \S*\{([^}]*)\}", text, re.M)}


def manual_section(manual, heading):
    """The text under a ".SH" or ".SS" heading, up to the next heading."""
    found = re.search(rf"^\.S[HS] {re.escape(heading)}\n(.*?)(?=^\.S[HS] |\Z)", manual, re.M | re.S)
    return found.group(1) if found else ""


def completions(completion, *words):
    """What bash offers, through the completion file, for the last of `words` after the program's name."""
    script = """set -e; source "$1"; shift
function=$(complete -p pellaquin-cli | sed -n 's/.* -F \\([^ ]*\\) .*/\\1/p')
COMP_WORDS=(pellaquin-cli "$@"); COMP_CWORD=$#
"$function"
printf '%s\\n' "${COMPREPLY[@]}"
"""
    run = subprocess.run(["bash", "-c", script, "bash", completion, *words], capture_output=True, text=True)
    if run.returncode != 0:
        return {f"(bash failed: {run.stderr.strip()})"}
    return {line for line in run.stdout.splitlines() if line}


def roff_option(name):
    """An option's name as the page sets it in bold: -\\-input stays a minus sign when copied."""
    return "\\fB" + name.replace("-", "\\-") + "\\fR"


def main():
    program, manual_file, completion = sys.argv[1:4]
    with open(manual_file, encoding="utf-8") as file:
        manual = file.read()
    faults = []

    def expect(what, wrong):
        if wrong:
            faults.append(f"{what}: {sorted(wrong)}")

    top = help_text(program)
    subcommands = listed_subcommands(top)
    expect("--help lists no subcommand", set() if subcommands else {"(none)"})
    section = manual_section(manual, "OPTIONS")
    expect("manual OPTIONS lacks", {name for name in listed_options(top) if roff_option(name) not in section})
    expect("completion of the first word lacks or adds",
           completions(completion, "") ^ (listed_options(top) | set(subcommands)))
    for subcommand in subcommands:
        text = help_text(program, subcommand)
        section = manual_section(manual, subcommand)
        expect(f"manual section {subcommand} lacks",
               {name for name in listed_options(text) if roff_option(name) not in section})
        expect(f"completion of {subcommand} options lacks or adds",
               completions(completion, subcommand, "-") ^ listed_options(text))
        for option, values in listed_choices(text).items():
            expect(f"manual section {subcommand} lacks {option} values",
                   {value for value in values if value.replace("-", "\\-") not in section})
            expect(f"completion of {subcommand} {option} lacks or adds",
                   completions(completion, subcommand, option, "") ^ values)

    # Each list type the help says the place of has its entry in the FILES section.
    places = re.search(r"^Where each list goes.*\n((?:  .*\n)*)", top, re.M)
    expect("--help says where no list goes", set() if places else {"(none)"})
    named = re.findall(r"^  (\S+):", places.group(1), re.M) if places else []
    expect("manual FILES lacks", {name for name in named
                                  if f"\\fB{name.replace('-', chr(92) + '-')}\\fR" not in manual_section(manual, "FILES")})

    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults in the manual page and completion of {program}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
