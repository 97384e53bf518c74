#!/usr/bin/env python3
"""A mutation run of our own: one-line changes to the game and the engine,
one at a time, each rebuilt and put to the in-process unit tests. A change
the tests do not notice (a survivor) is a place where a fault could hide.

Run through `make mutate`; MUTANTS=N samples N changes (150 by default),
SEED picks the sample, MUTATE_FILES narrows the files (a glob).
MUTANTS_FROM=<file> replays the changes listed in an earlier run's output
(its log or its survivors list) instead, each found again by its original
line text, since code moves between runs. Works in a copy of its own
(build-mutate/), so the working tree is never touched.
Not part of CI: a full run takes an hour or more on two cores.
"""
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
WORK = os.path.join(ROOT, "build-mutate")
SRC = os.path.join(WORK, "src")
BUILD = os.path.join(WORK, "build")

# Tests that wait on real time or real windows for many seconds; they
# would make each mutant cost a minute and catch little the rest do not.
SLOW = ["FrontBlackBox.*", "InputE2ETest.*", "Window.*", "AssetsGenerator.*", "Soak.*", "ReplaySoak.*",
        "FramePacing.ClockStepsKeepTheNormalRate", "Web.SilentServerTimesOutInsteadOfFreezing",
        "HotKeysOnWindow.*"]

# (pattern, replacement, kind). Each applies at one match of one line.
OPERATORS = [
    (r"(?<![<>=!])==(?!=)", "!=", "equality"),
    (r"!=", "==", "equality"),
    (r"(?<![<\-])<=", "<", "bound"),
    (r"(?<![>\-])>=", ">", "bound"),
    (r"(?<![<\-])<(?![<=])", "<=", "bound"),
    (r"(?<![>\-])>(?![>=])", ">=", "bound"),
    (r"&&", "||", "logic"),
    (r"\|\|", "&&", "logic"),
    (r"(?<![+\-eE])\+(?![+=])", "-", "arithmetic"),
    (r"(?<![\-+eE])-(?![\->=])(?=\s)", "+", "arithmetic"),
    (r"\btrue\b", "false", "constant"),
    (r"\bfalse\b", "true", "constant"),
    (r"(?<![\w.])(\d+)(?![\w.])", None, "constant"),  # n -> n + 1
]


def source_files():
    pattern = os.environ.get("MUTATE_FILES", "")
    out = []
    for top in ("game", "VellFrame"):
        for d, _, files in os.walk(os.path.join(ROOT, top)):
            for f in sorted(files):
                if not f.endswith(".cpp"):
                    continue
                rel = os.path.relpath(os.path.join(d, f), ROOT)
                if pattern and not re.search(pattern, rel):
                    continue
                out.append(rel)
    return sorted(out)


def code_part(line):
    """The line with strings, characters and a trailing comment blanked, so
    operators are only found in code."""
    out, i, q = [], 0, None
    while i < len(line):
        c = line[i]
        if q:
            out.append(" ")
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == q:
                q = None
        elif c in "\"'":
            q = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def candidates(rel):
    with open(os.path.join(ROOT, rel)) as f:
        lines = f.read().split("\n")
    found = []
    for n, line in enumerate(lines):
        s = line.strip()
        if not s or s.startswith(("#", "//", "*", "/*")) or "static_assert" in s:
            continue
        code = code_part(line)
        for pat, rep, kind in OPERATORS:
            for m in re.finditer(pat, code):
                # Template brackets and includes are no comparison.
                if kind == "bound" and re.search(r"\w<\w|template|std::", code):
                    continue
                new = rep if rep is not None else str(int(m.group(1)) + 1)
                found.append((rel, n, m.start(), m.end(), new, kind))
    return found


def run(cmd, cwd, timeout=None, env=None):
    try:
        p = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           timeout=timeout, env=env)
        return p.returncode, p.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return -1, "timeout"


def skipped(d, n):
    return d == ROOT and (n == ".git" or n.startswith("build"))


def sync():
    """Bring the copy up to date with the tree. Only files whose content
    differs are written, with a fresh time, so the build redoes just those
    (and never keeps an object built from a change an interrupted run left)."""
    seen = set()
    for d, dirs, files in os.walk(ROOT):
        dirs[:] = [n for n in dirs if not skipped(d, n)]
        for f in files:
            rel = os.path.relpath(os.path.join(d, f), ROOT)
            seen.add(rel)
            src, dst = os.path.join(ROOT, rel), os.path.join(SRC, rel)
            with open(src, "rb") as a:
                data = a.read()
            if os.path.isfile(dst):
                with open(dst, "rb") as b:
                    if b.read() == data:
                        continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as b:
                b.write(data)
    for d, _, files in os.walk(SRC):  # files moved or removed since
        for f in files:
            rel = os.path.relpath(os.path.join(d, f), SRC)
            if rel not in seen:
                os.remove(os.path.join(SRC, rel))


def prepare():
    os.makedirs(SRC, exist_ok=True)
    sync()
    rc, out = run(["cmake", "-S", SRC, "-B", BUILD, "-DBUILD_TESTING=ON",
                   "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], ROOT)
    if rc != 0:
        sys.exit("mutate: configure failed\n" + out)
    rc, out = run(["cmake", "--build", BUILD, "-j2", "--target", "bramblehop_tests"], ROOT)
    if rc != 0:
        sys.exit("mutate: the unmutated tree does not build\n" + out[-3000:])


def tests(env):
    # A display of each run's own: parallel work on the machine never
    # shares it, and a crashed run leaves nothing behind.
    cmd = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -noreset",
           os.path.join(BUILD, "bramblehop_tests"), "--gtest_brief=1",
           "--gtest_filter=-" + ":".join(SLOW)]
    return run(cmd, BUILD, timeout=600, env=env)


LOGGED = re.compile(r"^(?:SURVIVED|killed)?\s*(\S+?):(\d+): (\w+): (.*?)  ->  (.*)$")


def replayed(listing):
    """The changes an earlier run logged, as (file, line index, start, end,
    replacement, kind) on today's code. A line is looked for in its own file
    first (nearest the logged number when it occurs more than once), then
    anywhere in the game and the engine; a change whose line is gone is
    skipped with a note."""
    texts = {rel: open(os.path.join(ROOT, rel)).read().split("\n") for rel in source_files()}
    pool = []
    with open(listing) as f:
        for entry in f:
            m = LOGGED.match(entry.rstrip("\n"))
            if not m:
                continue
            rel, num, kind, old, new = m.group(1), int(m.group(2)), m.group(3), m.group(4), m.group(5)
            places = [(rel, n) for n, line in enumerate(texts.get(rel, [])) if line.strip() == old]
            if not places:
                places = [(r, n) for r in texts for n, line in enumerate(texts[r]) if line.strip() == old]
            if not places:
                print(f"skipped  {rel}:{num}: {kind}: line no longer found: {old}", flush=True)
                continue
            where, n = min(places, key=lambda p: (p[0] != rel, abs(p[1] + 1 - num)))
            line = texts[where][n]
            indent = line[:len(line) - len(line.lstrip())]
            # The whole mutated line replaces the original, past its indent.
            pool.append((where, n, len(indent), len(line), new, kind))
    return pool


def main():
    count = int(os.environ.get("MUTANTS", "150"))
    seed = int(os.environ.get("SEED", "1"))
    listing = os.environ.get("MUTANTS_FROM", "")
    prepare()
    env = dict(os.environ, ALSOFT_DRIVERS="null")
    rc, out = tests(env)
    if rc != 0:
        sys.exit("mutate: the tests fail before any change\n" + out[-3000:])
    if listing:
        pool = replayed(listing)
        count = len(pool)
    else:
        pool = [c for rel in source_files() for c in candidates(rel)]
        random.Random(seed).shuffle(pool)
    killed, survived, broken = 0, [], 0
    start = time.time()
    report = os.path.join(WORK, "survivors.txt")
    for rel, n, a, b, new, kind in pool:
        if killed + len(survived) >= count:
            break
        path = os.path.join(SRC, rel)
        with open(path) as f:
            original = f.read()
        lines = original.split("\n")
        old_line = lines[n]
        lines[n] = old_line[:a] + new + old_line[b:]
        with open(path, "w") as f:
            f.write("\n".join(lines))
        try:
            rc, _ = run(["cmake", "--build", BUILD, "-j2", "--target", "bramblehop_tests"], ROOT)
            if rc != 0:
                broken += 1
                continue
            rc, _ = tests(env)
            where = f"{rel}:{n + 1}: {kind}: {old_line.strip()}  ->  {lines[n].strip()}"
            if rc == 0:
                survived.append(where)
                print("SURVIVED", where, flush=True)
            else:
                killed += 1
                print("killed  ", where, flush=True)
        finally:
            with open(path, "w") as f:
                f.write(original)
    run(["cmake", "--build", BUILD, "-j2", "--target", "bramblehop_tests"], ROOT)
    total = killed + len(survived)
    with open(report, "w") as f:
        f.write("\n".join(survived) + "\n")
    rate = 100.0 * killed / total if total else 0.0
    print(f"mutate: {total} mutants ({broken} more did not compile), {killed} killed, "
          f"{len(survived)} survived: kill rate {rate:.1f}% in {time.time() - start:.0f} s; "
          f"survivors in {report}")


if __name__ == "__main__":
    main()
