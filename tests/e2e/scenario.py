#!/usr/bin/env python3
"""Expands the end-to-end scenario (its steps are described in scenario.txt's header) into the
plain steps of one platform.

Usage: scenario.py QUORVANE_CLI PLATFORM [SCENARIO_FILE]
PLATFORM is qt, win32 or web; SCENARIO_FILE defaults to scenario.txt beside this script.
The steps go to standard output, one a line, fields separated by " | ", without the "only" lines
and the steps of other platforms, and without the cases that keep no step. "cannot | PLATFORM |
STEP | WHY" becomes "note | WHY" where the first STEP it skips stood. Every "cli: ARGS" becomes
what quorvane-cli ARGS prints: "results | HEADING | VALUE ..." (without the lines of the items
owned, which the Results frame does not show), "clipboard | TEXT", "table | WINDOW
| CELLS" followed by "csv | WINDOW | TEXT", and "message | TITLE | TEXT". Inside a field, "\\n"
stands for a line end, "\\t" for a tab and "\\\\" for a backslash.
Exit status: 0 expanded, 1 the scenario or quorvane-cli's answer cannot be expanded, 2 usage.
"""

import csv
import io
import os
import re
import shlex
import subprocess
import sys

PLATFORMS = ("qt", "win32", "web")
CLI_PREFIX = "cli:"
# quorvane-cli's lines naming the items owned: the Results frame shows no value for them (its
# caption says that items are owned), "Copy Results" copies them.
ITEMS_OWNED = re.compile(r"^(Maces|Belts|Books|Rings) Owned: ")
# A step kind is defined in the header by a comment line "#   KIND | FIELDS   what it does".
KIND_DEFINITION = re.compile(r"^#   ([a-z][a-z-]*)(?: \||\s{2,}|$)")
UNESCAPED = {"n": "\n", "t": "\t", "\\": "\\"}
DEFAULT_SCENARIO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenario.txt")


class ScenarioError(Exception):
    pass


def unescape(field):
    """The text a field stands for: "\\n", "\\t" and "\\\\" become a line end, a tab and a backslash."""
    return re.sub(r"\\([nt\\])", lambda m: UNESCAPED[m.group(1)], field)


def escape(text):
    """The field that stands for a text; a text that no field can hold is refused."""
    if "|" in text:
        raise ScenarioError(f"the text {text!r} holds a '|', which separates fields")
    field = text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")
    if field != field.strip(" "):
        raise ScenarioError(f"the text {text!r} begins or ends with a blank, which a field loses")
    return field


def step_line(fields):
    return " | ".join(escape(f) for f in fields).rstrip(" ")


class Cli:
    """quorvane-cli, asked for the expected texts."""

    def __init__(self, program):
        self.program = program

    def answer(self, args, line_number, statuses=(0,), stream="stdout"):
        """What the command ARGS writes to the stream, which must be there, ending with one of the
        statuses; quorvane-cli refusing the command line is never an answer."""
        try:
            done = subprocess.run([self.program, *shlex.split(args)], capture_output=True, text=True, timeout=120)
        except OSError as error:
            raise ScenarioError(f"quorvane-cli cannot be run: {error}")
        text = getattr(done, stream)
        if done.returncode not in statuses or not text:
            refused = "refuses the command line" if done.returncode == 2 else "gave no answer to"
            raise ScenarioError(f"line {line_number}: quorvane-cli {refused} {args!r} (status {done.returncode}): "
                                f"{done.stderr.strip()}")
        return text

    def output(self, args, line_number, rows_with_messages=False):
        """Standard output of a command that must succeed; a table may end with status 1 for the
        messages among its rows."""
        return self.answer(args, line_number, (0, 1) if rows_with_messages else (0,))

    def message(self, args, line_number):
        """The "Title: Text" of a command that must end with a message."""
        text = self.answer(args, line_number, (1,), "stderr").rstrip("\n")
        if ": " not in text:
            raise ScenarioError(f"line {line_number}: quorvane-cli {args} gave no message 'Title: Text': {text}")
        return text.split(": ", 1)


def heading_values(text, line_number):
    """The headings and values of lines "Heading: value", in their order."""
    fields = []
    for line in text.splitlines():
        if ": " not in line:
            raise ScenarioError(f"line {line_number}: {line!r} is not a line 'Heading: value'")
        fields.extend(line.split(": ", 1))
    return fields


def table_cells(aligned, csv_text, line_number):
    """The table as a screen reader reads it, from the aligned text and the CSV of the same rows:
    the headings, then every row, cells separated by tabs and rows by line ends. A row that ends
    with a message shows its first cell, empty cells, and the message in the last column."""
    records = list(csv.reader(io.StringIO(csv_text)))
    lines = aligned.splitlines()
    headings = re.split(r"  +", lines[0].strip())
    message_column = bool(records) and records[0][-1] == "message"
    if len(records) != len(lines):
        raise ScenarioError(f"line {line_number}: the aligned text has {len(lines)} lines, the CSV {len(records)}")
    rows = []
    for line, record in zip(lines[1:], records[1:]):
        message = record[-1] if message_column else ""
        values = line.strip()
        if message:
            if not values.endswith("  " + message):
                raise ScenarioError(f"line {line_number}: the row {line!r} does not end with {message!r}")
            values = values[:-len(message)].rstrip(" ")
        cells = re.split(r"  +", values)
        if len(cells) > len(headings) or (not message and len(cells) != len(headings)):
            raise ScenarioError(f"line {line_number}: the row {line!r} does not fit the headings {headings}")
        cells += [""] * (len(headings) - len(cells))
        rows.append(cells + [message] if message_column else cells)
    if message_column:
        headings.append("Message")
    return "\n".join("\t".join(cells) for cells in [headings] + rows)


def known_kinds(lines):
    return {m.group(1) for m in (KIND_DEFINITION.match(line) for line in lines) if m}


def expand(lines, platform, cli):
    """The expanded steps of the platform, each a list of its fields."""
    kinds = known_kinds(lines)
    cases = []  # each [case step, its steps]
    only = None  # the platforms of the steps up to the next case; None: every platform
    cannot = {}  # step kind -> the reason this platform gives for skipping it, until noted
    skipped = set()  # step kinds this platform skips
    for number, raw in enumerate(lines, 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        fields = [unescape(f.strip(" ")) for f in raw.rstrip("\n").split("|")]
        kind, args = fields[0], fields[1:]
        if kind not in kinds:
            raise ScenarioError(f"line {number}: the step '{kind}' is not defined in the header")
        if kind == "case":
            cases.append([["case", *args], []])
            only = None
            continue
        if not cases:
            raise ScenarioError(f"line {number}: a step before the first case")
        steps = cases[-1][1]
        if kind == "only":
            named = " ".join(args).split()
            if not named or any(p not in PLATFORMS for p in named):
                raise ScenarioError(f"line {number}: 'only' names platforms of {PLATFORMS}")
            only = named
            continue
        if only is not None and platform not in only:
            continue
        if kind == "cannot":
            if len(args) != 3 or args[0] not in PLATFORMS or args[1] not in kinds | {"csv"}:
                raise ScenarioError(f"line {number}: 'cannot | PLATFORM | STEP | WHY' expected")
            if args[0] == platform:
                cannot[args[1]] = args[2]
                skipped.add(args[1])
            continue
        for step in [[kind]] if kind in skipped else expand_step(kind, args, number, cli):
            if step[0] not in skipped:
                steps.append(step)
            elif step[0] in cannot:
                steps.append(["note", cannot.pop(step[0])])
    if cannot:
        raise ScenarioError(f"no step follows 'cannot' for {', '.join(sorted(cannot))}")
    return [step for case, steps in cases if steps for step in [case] + steps]


def expand_step(kind, args, number, cli):
    source = args[-1] if args else ""
    if not source.startswith(CLI_PREFIX):
        if kind == "table":
            raise ScenarioError(f"line {number}: a table is given as 'cli: ARGS'")
        if kind == "results":
            return [["results", *heading_values(source, number)]]
        return [[kind, *args]]
    cli_args = source[len(CLI_PREFIX):].strip()
    if kind == "results" and len(args) == 1:
        shown = "".join(line for line in cli.output(cli_args, number).splitlines(True) if not ITEMS_OWNED.match(line))
        return [["results", *heading_values(shown, number)]]
    if kind == "clipboard" and len(args) == 1:
        return [["clipboard", cli.output(cli_args, number)]]
    if kind == "message" and len(args) == 1:
        return [["message", *cli.message(cli_args, number)]]
    if kind == "table" and len(args) == 2:
        window = args[0]
        aligned = cli.output(cli_args, number, rows_with_messages=True)
        csv_text = cli.output(cli_args + " --csv", number, rows_with_messages=True)
        return [["table", window, table_cells(aligned, csv_text, number)], ["csv", window, csv_text]]
    raise ScenarioError(f"line {number}: '{kind}' does not take 'cli: ARGS' there")


def expand_file(cli, platform, path=DEFAULT_SCENARIO):
    """The expanded steps of the scenario file, each a list of its fields."""
    with open(path, encoding="utf-8") as f:
        return expand(f.read().splitlines(), platform, Cli(cli))


def main(argv):
    if len(argv) not in (3, 4) or argv[2] not in PLATFORMS:
        print(__doc__, file=sys.stderr)
        return 2
    path = argv[3] if len(argv) == 4 else DEFAULT_SCENARIO
    try:
        text = "".join(step_line(step) + "\n" for step in expand_file(argv[1], argv[2], path))
    except (OSError, ScenarioError) as error:
        print(f"scenario.py: {path}: {error}", file=sys.stderr)
        return 1
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
