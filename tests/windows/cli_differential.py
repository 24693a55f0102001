#!/usr/bin/python3
"""Runs the same few hundred quorvane-cli commands through the native program and through another
build of it, and checks that both print the same standard output and standard error and end with
the same exit status. The other build is quorvane-cli.exe under Wine (--wine PREFIX), the
WebAssembly quorvane-cli.js under node (--node), or another native build (--native: the sanitizer
build's, whose reports would show in its standard error).

The commands are drawn with a fixed seed: projections and searches over the shipped table and a
short one, with items owned and their hand-in steps, and every kind of bad input (letters, empty text, fractions, huge numbers, missing or
doubled options, unusable tables, tables saved as UTF-16). The Windows program runs them under one
Wine server, kept running meanwhile. A Windows console program ends its lines with CR LF: the Windows output must
do so on every line, and is compared with CR LF read as LF. The paths of the tables differ
between the systems and are compared by name. One more command runs with a terminal as its
console, where a table's name outside the console's code page must show as it is. Under node the
output must be the same bytes, also for tables named by relative paths, through links and special
files, and (when not run as root) tables that may not be read; so must another native build's.

Exit status 77 (with a SKIP line) when Wine, node or emscripten is missing.
"""
import argparse
import concurrent.futures
import contextlib
import os
import pty
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

SEED = 20240613
SKIP = 77


def numbers(rng, low, high):
    """Text for a numeric field: mostly valid values, and each kind of bad text."""
    kind = rng.random()
    if kind < 0.8:
        return str(rng.randint(low, high))
    return rng.choice([
        "", " ", "abc", "12a", "x" + str(rng.randint(0, 99)), "1.5", "2.0", ".5", "-3", "-0", "+7",
        " 42 ", "1e5", "0x10", "99999999999999999999", "-99999999999999999999", "9223372036854775807",
        "9223372036854775808", "18446744073709551616", "94564821931", "0", "1,000", "½", "٣",
        "NaN", "inf", "--5", "5-", "\u00a05",
    ])


def target_text(rng, start_level):
    kind = rng.random()
    if kind < 0.6:
        return str(min(200, start_level + rng.randint(-2, 30)))
    return rng.choice(["55.5", "56.5", "189", "190", "0", "-1", "abc", "", "1e2", "188.49", " 60 "])


def random_command(rng, tables, level_xp):
    args = []
    level = rng.randint(1, 189) if rng.random() < 0.9 else rng.randint(190, 195)
    if rng.random() < 0.5:
        args += ["--level", numbers(rng, 1, 195) if rng.random() < 0.2 else str(level)]
    elif level < len(level_xp) and rng.random() < 0.8:
        args += ["--xp", str(rng.randint(level_xp[level - 1], level_xp[level] - 1))]
    else:
        args += ["--xp", numbers(rng, 0, 95_000_000_000)]
    if rng.random() < 0.9:
        args += ["--scalps", numbers(rng, 0, 3_000_000)]
    # Items left from earlier hand-ins, some with bad text.
    for item in ("--maces", "--belts", "--books", "--rings"):
        if rng.random() < 0.15:
            args += [item, numbers(rng, 0, 20_000)]
    mode = rng.random()
    part = None
    if mode < 0.8:
        part = rng.choice(["maces", "belts", "books", "rings", "rings", "Rings", "maces", "books", "none", "wands"])
        args += ["--part", part]
    elif mode < 0.95:
        args += ["--sell-maces"]
    if part in ("rings", "Rings") and rng.random() < 0.6:
        args += ["--side", rng.choice(["good", "evil", "EVIL", "neutral"])]
    if rng.random() < 0.4:
        args += ["--target", target_text(rng, level)]
        if rng.random() < 0.5:
            args += ["--zero-left", rng.choice(["scalps", "scalps", "maces", "belts", "books", "rings", "swords"])]
    if rng.random() < 0.4:
        args += ["--table", rng.choice(tables)]
    if rng.random() < 0.15:
        args.append("--steps")
    if rng.random() < 0.2:
        args.append("--json")
    if rng.random() < 0.05:
        args.append("--progress")
    # Command-line faults: a value missing at the end, a doubled, unknown or stray argument.
    fault = rng.random()
    if fault < 0.04:
        args.append(rng.choice(["--scalps", "--target", "--table", "--part"]))
    elif fault < 0.07:
        args += ["--scalps", "5"]
    elif fault < 0.09:
        args.append(rng.choice(["--frobnicate", "stray", "-x", "--", "--json=yes", "--xp=1000"]))
    if rng.random() < 0.03:
        rng.shuffle(args)
    return args


FIXED_COMMANDS = [
    [], ["--help"], ["--version"], ["--xp"], ["--level", "5", "--xp", "5"],
    ["--level", "50", "--scalps", "0", "--part", "rings", "--target", "189", "--side", "good"],
    ["--xp", "25227500", "--scalps", "0", "--part", "rings", "--target", "189", "--zero-left", "rings"],
    ["--level", "189", "--scalps", "100000000", "--part", "rings", "--side", "evil"],
    ["--level", "1", "--scalps", "9223372036854775807", "--part", "rings"],
    ["--level", "1", "--scalps", "100000000000", "--sell-maces"],
    ["--xp", "94564821930", "--scalps", "1", "--part", "maces"],
    ["--level", "50", "--part", "rings", "--side", "evil", "--rings", "13", "--books", "1", "--steps"],
    ["--xp", "25227500", "--part", "books", "--target", "120", "--maces", "4", "--steps", "--json"],
    ["--level", "60", "--part", "maces", "--belts", "4611686018427387905"],
    ["--plan", "--xp", "25227500", "--part", "maces", "--scalps", "5"],
    ["--compare", "--level", "60", "--scalps", "5000", "--progress"],
    ["--xp", "1", "--" + "x" * 5000], ["--xp", "1", "--part", "\u00e9" * 100],
]


def write_tables(work, shipped):
    """The tables the commands read; returns the list of --table values (native paths)."""
    tables_dir = os.path.join(work, "tables")
    os.makedirs(tables_dir)
    with open(shipped, encoding="ascii") as f:
        lines = f.read().splitlines()
    files = {
        "short.txt": "\n".join(lines[:60]) + "\n",
        "short crlf.txt": "\r\n".join(lines[:75]) + "\r\n",
        "k\u00f6rper.txt": "\n".join(lines[:120]) + "\n",  # a name outside any ANSI code page's ASCII
        "bad-line.txt": "\n".join(lines[:10]) + "\n11,abc\n",
        "decreasing.txt": "1,0\n2,500\n3,400\n",
        "empty.txt": "",
        "odd.txt": "1,0\n2\n",
    }
    # As Windows editors save them: "Unicode" (UTF-16 with its byte-order mark) in both byte orders.
    encoded = {
        "unicode.txt": b"\xff\xfe" + ("\r\n".join(lines[:90]) + "\r\n").encode("utf-16-le"),
        "unicode big-endian.txt": b"\xfe\xff" + ("\n".join(lines[:90]) + "\n").encode("utf-16-be"),
        "unicode no comma.txt": b"\xff\xfe" + "1,0\r\n2 1000\r\n".encode("utf-16-le"),
        # Saved by a program that leaves the mark out.
        "unicode no mark.txt": ("\r\n".join(lines[:90]) + "\r\n").encode("utf-16-le"),
        "unicode big-endian no mark.txt": ("\n".join(lines[:90]) + "\n").encode("utf-16-be"),
    }
    for name, text in files.items():
        with open(os.path.join(tables_dir, name), "w", encoding="ascii", errors="strict", newline="") as f:
            f.write(text)
    for name, data in encoded.items():
        with open(os.path.join(tables_dir, name), "wb") as f:
            f.write(data)
    os.mkdir(os.path.join(tables_dir, "folder.txt"))
    paths = [os.path.join(tables_dir, name) for name in list(files) + list(encoded)]
    paths += [os.path.join(tables_dir, "folder.txt"), os.path.join(tables_dir, "missing.txt"),
              shipped, os.path.join(tables_dir, "no-folder", "lvl-xp.txt")]
    return paths


def write_posix_cases(work, shipped):
    """Tables that only a POSIX system names this way; returns the commands that read them, run
    from the scratch folder."""
    os.symlink("loop-b", os.path.join(work, "loop-a"))
    os.symlink("loop-a", os.path.join(work, "loop-b"))
    os.symlink(shipped, os.path.join(work, "linked.txt"))
    os.mkfifo(os.path.join(work, "fifo"))
    locked = os.path.join(work, "locked.txt")
    shutil.copy(shipped, locked)
    os.chmod(locked, 0)
    tables = ["tables/short.txt", "./tables/../tables/short crlf.txt", "tables/short.txt/", "no-folder/../tables/short.txt",
              "tables/short.txt/..", "tables/folder.txt/", "tables", ".", "loop-a", "linked.txt", "fifo", "/dev/null",
              "locked.txt", "x" * 300, "/" + "x" * 5000]
    return [["--level", "60", "--scalps", "5000", "--part", "books", "--table", t] for t in tables]


def windows_path(path):
    """The path under Wine's drive Z:, which is the Linux root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_each(command, commands, cwd, workers=1):
    """Runs command + args for every args; returns (stdout, stderr, exit status) of each."""
    def run(args):
        p = subprocess.run(command + args, capture_output=True, timeout=120, stdin=subprocess.DEVNULL, cwd=cwd)
        return p.stdout, p.stderr, str(p.returncode)
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        return list(pool.map(run, commands))


def run_node(js, commands, cwd):
    node = shutil.which("node")
    missing = None
    if node is None:
        missing = "node is not installed (make setup installs nodejs)"
    elif not os.path.exists(js) and shutil.which("emcc") is None:
        missing = "emscripten is not installed (make setup installs emscripten)"
    if missing:
        print("SKIP: " + missing)
        sys.exit(SKIP)
    # Two at a time: node takes a quarter of a second to start the module.
    return run_each([node, js], commands, cwd, workers=2)


def run_windows(prefix, exe, commands):
    wine = shutil.which("wine64") or "/usr/lib/wine/wine64"
    server = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
    if not (os.path.exists(wine) and os.path.exists(server)):
        print("SKIP: Wine is not installed (make setup installs wine64)")
        sys.exit(SKIP)
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env.pop("DISPLAY", None)
    # Without address space randomisation (see wine-run.sh): with it, about one start in 2,000
    # fails before the program runs, with exit status 1 and no output.
    no_aslr = ["setarch", "-R"] if subprocess.run("setarch -R true", shell=True).returncode == 0 else []
    subprocess.run([server, "-p"], env=env, check=True)  # one server for all the commands
    try:
        results = []
        for args in commands:
            windows_args = [windows_path(a) if a.startswith("/") else a for a in args]
            # Files, not pipes: Wine's own services, started with the first program, inherit the
            # program's handles and would hold a pipe open.
            with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
                p = subprocess.run(no_aslr + [wine, exe] + windows_args, stdout=out, stderr=err, timeout=120, env=env,
                                   stdin=subprocess.DEVNULL)
                out.seek(0), err.seek(0)
                results.append((out.read(), err.read(), str(p.returncode)))
        return results, run_on_console(no_aslr + [wine, exe], env)
    finally:
        subprocess.run([server, "-k"], env=env)


CONSOLE_TABLE = "fehlt-\u00f6.txt"  # a missing table whose name lies outside the console's code page


def run_on_console(command, env):
    """Runs a command that names CONSOLE_TABLE with a terminal as its console; returns the exit
    status and the text that Wine's console shows there, as UTF-8."""
    main, other = pty.openpty()
    args = ["--level", "60", "--scalps", "5", "--part", "maces", "--table", "Z:\\" + CONSOLE_TABLE]
    p = subprocess.Popen(command + args, stdin=other, stdout=other, stderr=other, env=dict(env, LANG="C.UTF-8"))
    os.close(other)
    shown = b""
    with contextlib.suppress(OSError):  # raised once the terminal's other side has closed
        while data := os.read(main, 4096):
            shown += data
    os.close(main)
    # The console draws a space as a cursor move, and hides the cursor while it writes.
    shown = re.sub(rb"\x1b\[(\d*)C", lambda m: b" " * int(m.group(1) or 1), shown)
    return p.wait(timeout=120), re.sub(rb"\x1b\[[0-9?;]*[A-Za-z]", b"", shown)


# A usage message quotes the first 32 bytes of a word it refuses, then "...".
QUOTED_LIMIT = 32


def normalized(text, paths):
    """Text with every table path, native or Windows, replaced by the file's name (a path quoted
    short by a usage message by "<path>")."""
    for path in sorted(paths, key=len, reverse=True):
        for form in (windows_path(path), path):
            text = text.replace(form.encode(), b"<" + os.path.basename(path).encode() + b">")
            text = text.replace(b"'" + form.encode()[:QUOTED_LIMIT] + b"...'", b"'<path>...'")
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("native_cli")
    parser.add_argument("other_cli", help="quorvane-cli.exe or quorvane-cli.js, with lvl-xp.txt beside it")
    parser.add_argument("work", help="a scratch folder, made afresh")
    runner = parser.add_mutually_exclusive_group(required=True)
    runner.add_argument("--wine", metavar="PREFIX", help="run quorvane-cli.exe under Wine in this prefix")
    runner.add_argument("--node", action="store_true", help="run quorvane-cli.js under node")
    runner.add_argument("--native", action="store_true", help="run another native build of quorvane-cli")
    options = parser.parse_args()
    native_cli, other_cli, work = (os.path.abspath(p) for p in (options.native_cli, options.other_cli, options.work))
    if not os.path.exists(native_cli):
        print("SKIP: there is no native quorvane-cli at %s (make build makes it)" % native_cli)
        return SKIP
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    native_table = os.path.join(os.path.dirname(native_cli), "lvl-xp.txt")
    other_table = os.path.join(os.path.dirname(other_cli), "lvl-xp.txt")
    tables = write_tables(work, native_table)

    rng = random.Random(SEED)
    with open(native_table, encoding="ascii") as f:
        level_xp = [int(line.split(",")[1]) for line in f if line.strip()]
    commands = FIXED_COMMANDS + [random_command(rng, tables, level_xp) for _ in range(300)]
    # Each UTF-16 table once for certain: a projection, and the line without its comma.
    commands += [["--level", "60", "--scalps", "5000", "--part", "books", "--table", path]
                 for path in tables if "unicode" in os.path.basename(path)]
    failures = 0
    start = time.monotonic()
    if options.wine:
        native = run_each([native_cli], commands, work)
        other, (console_status, console_out) = run_windows(os.path.abspath(options.wine), other_cli, commands)
        # On a console the table's name shows as it is.
        expected = ("Error: The level table Z:\\%s is missing." % CONSOLE_TABLE).encode()
        if expected not in console_out or console_status != 1:
            print("FAIL: on a console, exit status %s and %r, not %r" % (console_status, console_out, expected))
            failures += 1
    else:
        # Root reads any file: the table that may not be read is then read like the others.
        commands += write_posix_cases(work, native_table)
        native = run_each([native_cli], commands, work)
        other = run_each([other_cli], commands, work, workers=2) if options.native else run_node(other_cli, commands, work)
    seconds = time.monotonic() - start
    paths = tables + [native_table, other_table]
    outcomes = {}
    for args, (n_out, n_err, n_rc), (o_out, o_err, o_rc) in zip(commands, native, other):
        problems = []
        if n_rc != o_rc:
            problems.append("exit status %s, native %s" % (o_rc, n_rc))
        for name, native_text, text in (("stdout", n_out, o_out), ("stderr", n_err, o_err)):
            if options.wine:
                if re.search(rb"[\r\n]", text.replace(b"\r\n", b"")):
                    problems.append("%s has a line not ended by CR LF" % name)
                text = text.replace(b"\r\n", b"\n")
            if normalized(native_text, paths) != normalized(text, paths):
                problems.append("%s differs:\n  native: %r\n  other:  %r" % (name, native_text, text))
        outcomes[n_rc] = outcomes.get(n_rc, 0) + 1
        if problems:
            failures += 1
            if failures <= 20:
                print("FAIL: quorvane-cli %s\n  %s" % (" ".join(repr(a) for a in args), "\n  ".join(problems)))
    print("%d commands in %.1f s, exit statuses %s, %d differ" % (len(commands), seconds, dict(sorted(outcomes.items())),
                                                                 failures))
    # The draw must reach each outcome: results, refused input and unusable command lines.
    for status in ("0", "1", "2"):
        if outcomes.get(status, 0) < 20:
            print("FAIL: only %d commands ended with status %s" % (outcomes.get(status, 0), status))
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
