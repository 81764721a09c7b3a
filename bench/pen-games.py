#!/usr/bin/env python3
"""Answers written with the board pen in whole games, read exactly.

Plays whole games through `kestavo --script` (the real program, its game view,
the hosted pen input controls and the board's replay driver, offscreen) and
writes every answer with the pen into the magnified cells, as a pupil does:
digits from the held-out handwriting (bench/data/HeldOutDigitStrokes.bin, the
validation slice of tools/train/train.py, never trained on), a "-" as a short
nearly level stroke, a "." as a tap or a small ring. The pen is then put back
into the tray, which recognises the field. An answer counts when the summary
shows exactly what was written.

Each game runs twice with the same seed: first to learn its questions (from
the summary) and where the answer cells are drawn while the pen is out
(`cells`), then to write. The components are registered in a private hive.

  bench/pen-games.py [--build build/test] [--games 40] [--seed 1] [--verbose]
"""

import argparse
import os
import random
import re
import struct
import subprocess
import sys
import tempfile
from decimal import Decimal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (operator, level 1..5, decimals): the mix a
# class meets in a term, decimals included.
GAMES = [  # division from level 3 on: no remainders to type
    ("add", 2, False),
    ("add", 3, True),
    ("add", 4, False),
    ("subtract", 2, False),
    ("subtract", 3, False),
    ("subtract", 3, True),
    ("multiply", 2, False),
    ("multiply", 3, False),
    ("multiply", 3, True),
    ("divide", 3, False),
]


def read_strokes(path):
    """{digit: [strokes on the 56-unit grid, ...]} from the KDGE file."""
    data = open(path, "rb").read()
    if data[:4] != b"KDGE":
        sys.exit("%s: not a held-out stroke file" % path)
    (count,) = struct.unpack_from("<I", data, 4)
    at = 8
    by_digit = {d: [] for d in range(10)}
    for _ in range(count):
        label, nstrokes = data[at], data[at + 1]
        at += 2
        strokes = []
        for _ in range(nstrokes):
            (n,) = struct.unpack_from("<H", data, at)
            at += 2
            pts = [(data[at + 2 * i], data[at + 2 * i + 1]) for i in range(n)]
            at += 2 * n
            strokes.append(pts)
        by_digit[label].append(strokes)
    return by_digit


def run(args, env, stdin=None):
    p = subprocess.run(args, env=env, capture_output=True, text=True, input=stdin)
    return p.returncode, p.stdout, p.stderr


def answer_of(row):
    """The result a summary row asks for ("1)\t1   +   13   =   ??   wrong"), as
    the field shows it (one character a "?" cell; the point of a decimal has its
    own cell and is written too), or None when the unknown is
    not the result."""
    words = row.split()
    a, op, b, result = words[1], words[2], words[3], words[5]
    if "?" not in result or set(result) - {"?", "."}:
        return None
    da, db = Decimal(a), Decimal(b)
    value = {"+": da + db, "-": da - db, "x": da * db, "/": da / db if db else None}.get(op)
    if value is None:
        return None
    for places in range(0, 5):
        text = "{:.{}f}".format(value, places)
        if len(text) == len(result) and text.find(".") == result.find(".") and Decimal(text) == value:
            return text
    return None


def head(seed, count, op, level, decimals):
    lines = ["seed %d" % seed, "questions %d" % count,
             "operator %s %d%s" % (op, level, " EnableDecimals=True" if decimals else "")]
    return lines


def glyph(ch, cell, by_digit, rng):
    """Pen strokes (lists of (x, y) in the field window) for one character."""
    x, y, w, h = cell
    if ch == "-":
        length = w * rng.uniform(0.35, 0.6)
        cx = x + w / 2 + rng.uniform(-0.08, 0.08) * w
        cy = y + h * rng.uniform(0.45, 0.55)
        tilt = rng.uniform(-0.06, 0.06) * length
        n = 6
        return [[(cx - length / 2 + length * i / (n - 1), cy - tilt / 2 + tilt * i / (n - 1))
                 for i in range(n)]]
    if ch == ".":
        cx = x + w * rng.uniform(0.4, 0.6)
        cy = y + h * rng.uniform(0.72, 0.85)
        if rng.random() < 0.5:  # a tap: one to a few points
            return [[(cx + rng.uniform(-1, 1), cy + rng.uniform(-1, 1)) for _ in range(rng.randint(1, 3))]]
        r = rng.uniform(4.5, 7)  # a small ring, 9 to 14 px across
        n = 10
        import math
        return [[(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n))
                 for i in range(n + 1)]]
    strokes = rng.choice(by_digit[int(ch)])
    # The traced digits sit in a 56-unit box; a pupil's digit fills most of a
    # magnified cell's height, a little off centre and not always upright.
    xs = [p[0] for s in strokes for p in s]
    ys = [p[1] for s in strokes for p in s]
    bw, bh = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
    height = h * rng.uniform(0.55, 0.75)
    scale = min(height / bh, w * 0.85 / bw)
    cx = x + w / 2 + rng.uniform(-0.08, 0.08) * w
    cy = y + h / 2 + rng.uniform(-0.06, 0.06) * h
    mx, my = (max(xs) + min(xs)) / 2, (max(ys) + min(ys)) / 2
    return [[(cx + (px - mx) * scale, cy + (py - my) * scale) for px, py in s] for s in strokes]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "test"))
    ap.add_argument("--strokes", default=os.path.join(ROOT, "bench", "data", "HeldOutDigitStrokes.bin"))
    ap.add_argument("--games", type=int, default=40)
    ap.add_argument("--questions", type=int, default=10)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--verbose", action="store_true")
    a = ap.parse_args()

    kestavo = os.path.join(a.build, "bin", "kestavo")
    register = os.path.join(a.build, "bin", "kestavo-register")
    by_digit = read_strokes(a.strokes)
    rng = random.Random(a.seed)
    total = exact = skipped = 0
    kinds = {}
    misreads = []
    for g in range(a.games):
        op, level, decimals = GAMES[g % len(GAMES)]
        seed = a.seed * 1000 + g
        with tempfile.TemporaryDirectory() as hive:
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen", KESTAVO_HIVE_DIR=hive)
            rc, _, err = run([register, "--user", "--build-tree", a.build], env)
            if rc != 0:
                sys.exit("kestavo-register failed: " + err)
            # Where the cells are while the pen is out, and the questions.
            script = head(seed, a.questions, op, level, decimals)
            for _ in range(a.questions):
                script += ["tray pen", "cells result", "tray none", "next"]
            script.pop()  # the game ends when the script does
            path = os.path.join(hive, "cells.txt")
            open(path, "w").write("\n".join(script) + "\n")
            rc, out, err = run([kestavo, "--script", path], env)
            if rc != 0:
                sys.exit("game %d: the cells run failed: %s" % (g, err))
            cells, current = [], None
            for line in out.splitlines():
                m = re.match(r"(\w+) cell (\d+): (-?\d+),(-?\d+) (\d+)x(\d+)", line)
                if not m:
                    continue
                if m.group(2) == "1":
                    current = []
                    cells.append(current)
                current.append(tuple(int(m.group(i)) for i in range(3, 7)))
            asked = [answer_of(l) for l in out.splitlines() if re.match(r"\d+\)\t", l)]
            if len(cells) != len(asked) or len(asked) != a.questions:
                sys.exit("game %d: %d questions, cells of %d" % (g, len(asked), len(cells)))

            # The game again, every answer written with the pen.
            script = head(seed, a.questions, op, level, decimals)
            for answer, row in zip(asked, cells):
                script.append("tray pen")
                if answer is None or len(answer) != len(row):
                    skipped += 1
                    answer = ""
                for ch, cell in zip(answer, row):
                    for stroke in glyph(ch, cell, by_digit, rng):
                        pts = " ".join("result:%d,%d" % (round(px), round(py)) for px, py in stroke)
                        script.append("pen " + pts)
                script += ["tray none", "next"]
            script.pop()
            path = os.path.join(hive, "game.txt")
            open(path, "w").write("\n".join(script) + "\n")
            rc, out, err = run([kestavo, "--script", path], env)
            if rc != 0:
                sys.exit("game %d: the writing run failed: %s" % (g, err))
            rows = [l for l in out.splitlines() if re.match(r"\d+\)\t", l)]
            if len(rows) != len(asked):
                sys.exit("game %d: %d summary rows" % (g, len(rows)))
            for row, answer in zip(rows, asked):
                if not answer:
                    continue
                shown = row.split()[5]
                kind = ("decimal" if "." in answer else "negative" if answer.startswith("-") else
                        "%d digits" % min(len(answer), 4))
                k = kinds.setdefault(kind, [0, 0])
                k[1] += 1
                total += 1
                if shown == answer:
                    exact += 1
                    k[0] += 1
                else:
                    misreads.append("game %d (%s %d%s): wrote %s, read %s" % (
                        g, op, level, " decimals" if decimals else "", answer, shown))
        print("game %d of %d: %d of %d read exactly so far" % (g + 1, a.games, exact, total), file=sys.stderr)

    print("answers written with the pen in whole games, read exactly: %d of %d (%.2f %%)"
          % (exact, total, 100.0 * exact / max(total, 1)))
    if skipped:
        print("  (%d questions skipped: the unknown was not the result, or its length was not the cells')" % skipped)
    for kind in sorted(kinds):
        ok, n = kinds[kind]
        print("  %-9s %4d of %4d (%.2f %%)" % (kind, ok, n, 100.0 * ok / n))
    if a.verbose:
        for m in misreads:
            print("  " + m)


if __name__ == "__main__":
    main()
