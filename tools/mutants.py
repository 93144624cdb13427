#!/usr/bin/env python3
"""Puts the faults of tools/mutants.txt into the program one at a time and
tells which ones the tests catch.

For each fault: the file's original text is replaced (it must occur exactly
once, or the fault no longer applies and is reported so), only the test
programs it names are rebuilt and run one after the other, in the order
given (cheapest first), until one fails (caught) or all pass (survived); then the file is put back.
The file is put back on every way out, also on Ctrl-C; a run that was killed
outright leaves a note in build/mutants that the next run restores first.

    tools/mutants.py [--check] [NAME-PATTERN]

--check only says which faults still apply, without building anything.
"""

import fcntl
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "tools" / "mutants.txt"
WORK = ROOT / "build" / "mutants"
PENDING = WORK / "pending"
BUILDS = {"win": ROOT / "build" / "win", "native": ROOT / "build" / "native"}
JOBS = os.environ.get("JOBS", "2")


class Mutant:
    def __init__(self, name):
        self.name = name
        self.file = self.original = self.replacement = None
        self.tests = []


def read_list():
    """Entries are blocks of `key: value` lines under a `## name` line."""
    mutants, current = [], None
    for number, line in enumerate(LIST.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("## "):
            current = Mutant(line[3:].strip())
            mutants.append(current)
            continue
        if not line.strip() or line.startswith("#"):
            continue
        key, sep, value = line.partition(":")
        if not sep or current is None:
            sys.exit(f"{LIST}:{number}: expected '## name' or 'key: value'")
        # One blank after the colon belongs to the format, the rest to the text.
        value = value[1:] if value.startswith(" ") else value
        if key == "file":
            current.file = value.strip()
        elif key == "from":
            current.original = value if current.original is None else current.original + "\n" + value
        elif key == "to":
            current.replacement = (value if current.replacement is None
                                   else current.replacement + "\n" + value)
        elif key == "tests":
            current.tests = value.split()
        else:
            sys.exit(f"{LIST}:{number}: unknown key '{key}'")
    for m in mutants:
        if not (m.file and m.original and m.replacement is not None and m.tests):
            sys.exit(f"{LIST}: '{m.name}' needs file, from, to and tests")
    return mutants


def applies(m):
    path = ROOT / m.file
    if not path.is_file():
        return f"{m.file} is gone"
    count = path.read_text(encoding="utf-8").count(m.original)
    return None if count == 1 else f"its text occurs {count} times in {m.file}"


def restore_pending():
    """Puts back a file that a killed run left changed."""
    if not PENDING.is_file():
        return
    name, _, text = PENDING.read_text(encoding="utf-8").partition("\n")
    (ROOT / name).write_text(text, encoding="utf-8")
    PENDING.unlink()
    print(f"restored {name}, left changed by an earlier run")


def build_of(test):
    """The build and the target that hold a ctest test."""
    if test.startswith("native."):
        return "native", test[len("native."):]
    return "win", test.split(".")[0]


def run(command, log):
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, cwd=ROOT).returncode


def try_mutant(m, log):
    """'caught by TEST', 'survived' or 'does not build'."""
    path = ROOT / m.file
    original = path.read_text(encoding="utf-8")
    WORK.mkdir(parents=True, exist_ok=True)
    PENDING.write_text(m.file + "\n" + original, encoding="utf-8")
    try:
        path.write_text(original.replace(m.original, m.replacement), encoding="utf-8")
        # Each test program is built just before it runs: a fault caught by
        # the first one costs no other build.
        for test in m.tests:
            build, target = build_of(test)
            # Suites of every floor start the program itself.
            program = ["korvane", "korvane_dll"] if build == "win" else []
            command = ["cmake", "--build", str(BUILDS[build]), "-j", JOBS, "--target", target,
                       *program]
            if run(command, log) != 0:
                return "does not build"
            command = ["ctest", "--test-dir", str(BUILDS[build]), "-R", f"^{re.escape(test)}$",
                       "--output-on-failure", "--no-tests=error"]
            if run(command, log) != 0:
                return f"caught by {test}"
        return "survived"
    finally:
        path.write_text(original, encoding="utf-8")
        PENDING.unlink(missing_ok=True)


def hold_tree():
    """One run per tree: a second one would take the first one's fault for
    the original text. The lock lasts as long as the process."""
    WORK.mkdir(parents=True, exist_ok=True)
    lock = open(WORK / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another run of tools/mutants.py is using this tree")
    return lock


def main():
    args = [a for a in sys.argv[1:] if a != "--check"]
    check_only = "--check" in sys.argv[1:]
    pattern = re.compile(args[0]) if args else None
    if not check_only:
        lock = hold_tree()  # held until the process ends
        # Ending by a signal still puts the file back (try_mutant's finally).
        for sig in (signal.SIGTERM, signal.SIGHUP):
            signal.signal(sig, signal.default_int_handler)
        restore_pending()

    mutants = [m for m in read_list() if not pattern or pattern.search(m.name)]
    gone = [(m, why) for m in mutants if (why := applies(m))]
    for m, why in gone:
        print(f"NO LONGER APPLIES  {m.name}: {why}")
    if check_only:
        print(f"{len(mutants) - len(gone)} of {len(mutants)} faults apply")
        return 1 if gone else 0

    log = WORK / "log.txt"
    log.write_text("", encoding="utf-8")
    try:
        return try_all(mutants, gone, log)
    finally:
        # The last fault's programs would otherwise stay built until the
        # next build, and a ctest run straight after would test them.
        print("building again from the unchanged sources", flush=True)
        for build in BUILDS.values():
            run(["cmake", "--build", str(build), "-j", JOBS], log)


def try_all(mutants, gone, log):
    caught = survived = 0
    started = time.monotonic()
    for m in mutants:
        if any(m is g for g, _ in gone):
            continue
        began = time.monotonic()
        with open(log, "a", encoding="utf-8") as out:
            out.write(f"\n=== {m.name}\n")
        verdict = try_mutant(m, log)
        seconds = time.monotonic() - began
        if verdict.startswith("caught"):
            caught += 1
        elif verdict == "survived":
            survived += 1
        print(f"{verdict.upper() if verdict == 'survived' else verdict:<40} {seconds:5.0f} s  {m.name}",
              flush=True)
    tried = caught + survived
    minutes = (time.monotonic() - started) / 60
    score = f"{100 * caught / tried:.0f} %" if tried else "none tried"
    print(f"\ncaught {caught} of {tried} ({score}); {len(gone)} no longer apply; "
          f"{minutes:.0f} min; the builds and tests are in {log}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        print("\nstopped; the changed file is back as it was")
        sys.exit(130)
