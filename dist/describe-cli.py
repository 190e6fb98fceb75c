#!/usr/bin/env python3
"""Writes pellaquin-cli's manual page and its bash completion from what the built program's --help
prints, for itself and for each subcommand, so both follow the options as the program gains them.

    dist/describe-cli.py build/pellaquin-cli --date 2026-12-08 --manual pellaquin-cli.1 \\
        --completion pellaquin-cli.bash

The help text is CLI11's: a description, a "Usage:" line, then blocks parted by blank lines. A block
headed "Subcommands:" lists subcommands, "Positionals:" the arguments, one whose entries begin with
"-" is a group of options, and what follows them is the footer (the examples).
"""

import argparse
import itertools
import os
import re
import subprocess

# "  --type TEXT:{xml,csv} REQUIRED   List type": names, then what the option takes, then its text,
# which CLI11 moves to the next line when the first two fill the column.
OPTION = re.compile(r"^  (?P<names>[^\s,]+(?:,[^\s,]+)*)(?: (?P<value>.*?))?(?:\s{2,}(?P<text>\S.*))?$")
ENTRY = re.compile(r"^  (?P<name>\S+)(?:\s{2,}(?P<text>\S.*))?$")
CONTINUATION = re.compile(r"^\s{3,}(?P<text>\S.*)$")
# Where CLI11 starts an option's text.
COLUMN = 30
# What CLI11 writes after a flag that takes no value.
FLAG_MARKS = {"REQUIRED", "Excludes:", "Needs:"}

# The footer block that says where each list goes becomes the FILES section, an entry per list type.
FILES_HEADING = "Where each list goes"

EXIT_STATUS = [("0", "Done; for audit and copy, MAME runs every selected set (and every file was copied)."),
               ("1", "The run failed: the input file, an empty search command or the output file; for audit and "
                     "copy, a selected set MAME would not run (or a file not copied)."),
               ("2", "A usage error, the help text following the message; for audit and copy, anything that stops "
                     "them: a ROM folder, the input file, the selection or the output file.")]

SEARCH_COMMANDS = """A search command is a small boolean language of substring terms: \
'!cloneof & (rotate=90 | rotate=270)' keeps the original (non-clone) games with a vertical screen. \
Terms are tested against each game's text with double quotes removed and case ignored; '&' binds \
tighter than '|', '!' negates a term and '_' stands for a space ('!sample_name=': games without samples)."""


class Option:
    def __init__(self, names, value, text):
        self.names = names.split(",")
        self.value = value or ""
        self.text = text or ""

    def takes_value(self):
        return self.value != "" and self.value.split()[0] not in FLAG_MARKS

    def choices(self):
        found = re.search(r"\{([^}]*)\}", self.value)
        return found.group(1).split(",") if found else []


class Help:
    """One program's or subcommand's --help, taken apart."""

    def __init__(self, path, text):
        self.path = path
        blocks = [block.split("\n") for block in re.split(r"\n\s*\n", text.strip("\n"))]
        head = blocks.pop(0)
        self.usage = next(line for line in head if line.startswith("Usage: "))[len("Usage: "):]
        self.description = " ".join(line for line in head if not line.startswith("Usage: "))
        self.positionals = []
        self.options = []
        self.subcommands = []
        self.footer = []
        for block in blocks:
            heading, lines = block[0], block[1:]
            if heading == "Subcommands:" and not self.footer:
                self.subcommands += [(entry.group("name"), entry.group("text") or "")
                                     for entry in map(ENTRY.match, lines) if entry]
            elif heading == "Positionals:" and not self.footer:
                self.positionals += parse_options(lines)
            elif lines and lines[0].startswith("  -") and not self.footer:
                self.options += parse_options(lines)
            else:
                self.footer.append(block)

    def footer_text(self):
        return "\n\n".join("\n".join(block) for block in self.footer if not is_files_block(block))

    def files_block(self):
        return next((block for block in self.footer if is_files_block(block)), None)


def is_files_block(block):
    return block[0].startswith(FILES_HEADING)


def roff_files(block):
    """The heading as a paragraph, then "  name: text" entries (continued on lines indented further)."""
    entries = []
    for line in block[1:]:
        entry = re.match(r"^  (\S+): (.*)$", line)
        if entry:
            entries.append([entry.group(1), entry.group(2)])
        elif CONTINUATION.match(line) and entries:
            entries[-1][1] += " " + line.strip()
        else:
            raise SystemExit(f"describe-cli: cannot read this line of the files block: {line!r}")
    return f"{roff(block[0])}\n" + "".join(f".TP\n\\fB{roff(name)}\\fR\n{roff(text)}\n" for name, text in entries)


def parse_options(lines):
    options = []
    for index, line in enumerate(lines):
        option = OPTION.match(line)
        continuation = CONTINUATION.match(line)
        if continuation and options:
            options[-1].text = (options[-1].text + " " + continuation.group("text")).strip()
        elif option:
            value, text = option.group("value"), option.group("text")
            # A name and value 29 characters long leave one space before the text's column.
            followed = index + 1 < len(lines) and CONTINUATION.match(lines[index + 1])
            if text is None and len(line) > COLUMN and line[COLUMN - 1] == " " and not followed:
                value, text = line[:COLUMN].strip()[len(option.group("names")):].strip(), line[COLUMN:]
            options.append(Option(option.group("names"), value, text))
        else:
            raise SystemExit(f"describe-cli: cannot read this help line: {line!r}")
    return options


def read_helps(program, path=()):
    """The help of the program and of every subcommand below it, the program's first."""
    text = subprocess.run([program, *path, "--help"], capture_output=True, text=True, check=True).stdout
    helps = [Help(path, text)]
    for name, _ in helps[0].subcommands:
        helps += read_helps(program, (*path, name))
    return helps


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    # A line that begins with a dot or an apostrophe would be read as a request.
    return re.sub(r"^([.'])", r"\\&\1", text, flags=re.M)


def roff_option(option):
    names = ", ".join(f"\\fB{roff(name)}\\fR" for name in option.names)
    kind = re.match(r"[A-Z][A-Z0-9_]*", option.value) if option.takes_value() else None
    if kind:
        # A long list of choices may break after any comma rather than run past the page's edge.
        choices = roff(option.value[kind.end():]).replace(",", ",\\:")
        return f"{names} \\fI{kind.group(0)}\\fR{choices}"
    return f"{names} {roff(option.value)}".rstrip()


def roff_options(options):
    return "".join(f".TP\n{roff_option(option)}\n{roff(option.text)}\n" for option in options)


def roff_text(text):
    """Runs of lines that begin with spaces (examples) stay as they are; the other lines make paragraphs."""
    out = ""
    for indented, lines in itertools.groupby(text.split("\n"), key=lambda line: line.startswith(" ")):
        lines = [line.strip() for line in lines if line.strip()]
        if indented:
            out += ".PP\n.RS 4\n.nf\n" + "".join(roff(line) + "\n" for line in lines) + ".fi\n.RE\n"
        else:
            out += "".join(f".PP\n{roff(line)}\n" for line in lines)
    return out


def write_manual(helps, program_name, version, date, file):
    top = helps[0]
    out = [f'.\\" Written at build time from {program_name} --help by dist/describe-cli.py.\n',
           f'.TH {roff(program_name.upper())} 1 "{date}" "{roff(version)}" "User Commands"\n',
           # Search commands and file names must not be broken by hyphenation.
           ".nh\n",
           f".SH NAME\n{roff(program_name)} \\- {roff(top.description.rstrip('.'))}\n",
           ".SH SYNOPSIS\n.nf\n"]
    for help in helps:
        command = " ".join((program_name, *help.path))
        out.append(f"\\fB{roff(command)}\\fR{roff(help.usage[len(command):])}\n")
    out.append(f".fi\n.SH DESCRIPTION\n{roff(top.description)}\n.PP\n{roff(SEARCH_COMMANDS)}\n")
    out.append(f".SH OPTIONS\n{roff_options(top.positionals + top.options)}")
    out.append(".SH COMMANDS\n")
    for help in helps[1:]:
        out.append(f".SS {roff(' '.join(help.path))}\n{roff(help.description)}\n"
                   f"{roff_options(help.positionals + help.options)}")
        if help.footer and help.footer_text() != top.footer_text():
            out.append(roff_text(help.footer_text()))
    if top.footer_text():
        out.append(f".SH EXAMPLES\n{roff_text(top.footer_text())}")
    if top.files_block():
        out.append(f".SH FILES\n{roff_files(top.files_block())}")
    out.append(".SH EXIT STATUS\n" + "".join(f".TP\n{code}\n{roff(text)}\n" for code, text in EXIT_STATUS))
    out.append(".SH SEE ALSO\n.BR pellaquin (1)\n")
    with open(file, "w", encoding="utf-8") as manual:
        manual.write("".join(out))


def shell_words(words):
    for word in words:
        if not re.fullmatch(r"[\w.,:/=+-]+", word):
            raise SystemExit(f"describe-cli: {word!r} cannot be offered by the completion as it is")
    return " ".join(words)


def write_completion(helps, program_name, file):
    function = "_" + re.sub(r"\W", "_", program_name)
    steps = ""
    values = ""
    files = []
    offers = ""
    # Deeper subcommands first, as "/list/"* would also take what follows "/list/sub".
    for help in sorted(helps, key=lambda help: -len(help.path)):
        # The subcommands seen so far, each after a "/": "" for the program itself, "/list" for list.
        command = "".join("/" + word for word in help.path)
        if help.path:
            steps += f'            "{command}") command="{command}" ;;\n'
        for option in help.options:
            names = " | ".join(f'"{command}/{name}"' for name in option.names)
            if option.choices():
                values += f'        {names}) words="{shell_words(option.choices())}" ;;\n'
            elif option.takes_value():
                files.append(names)
        words = [name for option in help.options for name in option.names] + [name for name, _ in help.subcommands]
        offers += f'        "{command}/"*) words="{shell_words(words)}" ;;\n'
    if files:
        values += f'        {" | ".join(files)}) return ;;\n'
    with open(file, "w", encoding="utf-8") as completion:
        completion.write(f"""# bash completion for {program_name}, written at build time from its --help
# by dist/describe-cli.py. An option's value is completed from its choices, or else as a file name.
{function}() {{
    local current=${{COMP_WORDS[COMP_CWORD]}} previous=${{COMP_WORDS[COMP_CWORD - 1]}}
    local command="" word words=""
    COMPREPLY=()
    for word in "${{COMP_WORDS[@]:1:COMP_CWORD-1}}"; do
        case "$command/$word" in
{steps}        esac
    done
    case "$command/$previous" in
{values}{offers}    esac
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$current")
}}
complete -o default -F {function} {program_name}
""")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program")
    parser.add_argument("--date", required=True, help="the manual page's date")
    parser.add_argument("--manual", required=True)
    parser.add_argument("--completion", required=True)
    arguments = parser.parse_args()
    program_name = os.path.basename(arguments.program)
    version = subprocess.run([arguments.program, "--version"], capture_output=True, text=True,
                             check=True).stdout.strip()
    helps = read_helps(arguments.program)
    write_manual(helps, program_name, version, arguments.date, arguments.manual)
    write_completion(helps, program_name, arguments.completion)


if __name__ == "__main__":
    main()
