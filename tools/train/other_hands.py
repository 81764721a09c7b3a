#!/usr/bin/python3
"""Traces digits by writers who are not in MNIST into the bench's stroke file.

Data: the UCI "optical recognition of handwritten digits" set as Debian's package
python3-sklearn ships it (/usr/lib/python3/dist-packages/sklearn/datasets/data/
digits.csv.gz): 1,797 digits by 43 writers, none of them MNIST's. Each row is 64
values and the label; the values are an 8x8 image, each the number of set pixels
(0..16) in a 4x4 block of the writer's 32x32 bitmap. These digits are only for
measuring the recogniser: it is never trained, validated or tuned on them, and
the rebuild below was settled by looking at the traced strokes, not by scores.

Each image is rebuilt into an MNIST-like 28x28 image and traced with train.py's
own tracer exactly as the validation digits are, and the strokes are written in
the format bench/RecogniserBench reads (its part "others", KESTAVO_BENCH_ONLY=others).

Usage (needs python3-sklearn for the data, and what train.py needs):
  /usr/bin/python3 tools/train/other_hands.py [--out bench/data/OtherHandDigitStrokes.bin]
"""

import argparse
import gzip
import os
import sys
import time

import numpy as np
from scipy import ndimage
from skimage.measure import label
from skimage.morphology import reconstruction, skeletonize
from skimage.transform import resize

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from train import ROOT, export_eval, trace  # noqa: E402

DATA = "/usr/lib/python3/dist-packages/sklearn/datasets/data/digits.csv.gz"
OPEN_LOOPS = 1.8  # train.py's --open-loops default, which its validation digits are traced with
UP = 8            # each 8x8 cell becomes 8x8 pixels: 64x64, twice the writers' bitmaps
LEVEL = 0.4       # a block under half full still holds a stroke
PEN = 5.0         # pen radius at 64 px: about 3 px wide in the 20 px box, as MNIST's strokes
BLOB = 1.5        # ink this many times the digit's usual half-width across is a filled loop
BLOB_AREA = 48    # ... when its core is this big (smaller ones are where strokes meet)
HOLE = 0.15       # a dip this deep in the ink, ringed by darker ink, is the inside of a loop


def load(path):
    with gzip.open(path, "rt") as f:
        rows = np.loadtxt(f, delimiter=",", ndmin=2)
    if rows.shape[1] != 65:
        raise SystemExit("%s: %d columns, not 64 block counts and a label" % (path, rows.shape[1]))
    return rows[:, :64].reshape(-1, 8, 8) / 16.0, rows[:, 64].astype(int)


def holes(u):
    """Pixels in the lower half of the enclosed dips of u that are deep enough.

    A small loop blurred into 4x4 blocks is often only a block of less ink
    than the ring round it; at any one level it fills in."""
    pad = np.pad(u, 1)
    seed = pad.copy()
    seed[1:-1, 1:-1] = pad.max()
    depth = (reconstruction(seed, pad, method="erosion") - pad)[1:-1, 1:-1]
    parts, count = label(depth > 0.02, connectivity=1, return_num=True)
    out = np.zeros(u.shape, bool)
    for k in range(1, count + 1):
        part = parts == k
        deepest = depth[part].max()
        if deepest >= HOLE:
            out |= part & (depth > deepest / 2)
    return out


def rebuild(cells):
    """An 8x8 image of block fractions as the ink of a pen, at 64x64.

    The writers' bitmaps were normalised to much the same amount of ink for
    every digit, so a 1 is as heavy as an 8 and every stroke is far broader
    than a pen's. The ink's skeleton is drawn again with a pen of normal width;
    only ink much broader than the digit's own strokes (a loop written small
    and filled in) keeps its breadth, so the tracer opens it as it does a
    thick MNIST loop."""
    u = np.clip(ndimage.zoom(cells, UP, order=3, grid_mode=True, mode="grid-constant"), 0, 1)
    ink = (u > LEVEL) & ~holes(u)
    sk = skeletonize(ink)
    if not sk.any():
        return ink.astype(np.float64)
    dist = ndimage.distance_transform_edt(ink)
    half = np.median(dist[sk])
    out = ndimage.distance_transform_edt(~sk) <= PEN
    parts, count = label(dist > BLOB * half, return_num=True)
    if count:
        sizes = np.bincount(parts.ravel())[1:]
        core = np.isin(parts, 1 + np.nonzero(sizes >= BLOB_AREA)[0])
        if core.any():
            out |= ink & (ndimage.distance_transform_edt(~core) <= BLOB * half)
    return out.astype(np.float64)


def mnist_like(ink):
    """MNIST's recipe: the ink's box scaled (keeping its shape) into 20x20 with
    grey edges, in a 28x28 field with its centre of mass at the centre."""
    ys, xs = np.nonzero(ink)
    if len(ys) == 0:
        return None
    box = ink[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    h, w = box.shape
    scale = 20.0 / max(h, w)
    nh, nw = max(1, int(round(h * scale))), max(1, int(round(w * scale)))
    box = np.clip(resize(box, (nh, nw), order=1, anti_aliasing=True), 0, 1)
    out = np.zeros((28, 28))
    top, left = (28 - nh) // 2, (28 - nw) // 2
    out[top:top + nh, left:left + nw] = box
    cy, cx = ndimage.center_of_mass(out)
    return ndimage.shift(out, (round(13.5 - cy), round(13.5 - cx)), order=0, mode="constant")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", default=DATA, help="digits.csv.gz of python3-sklearn")
    ap.add_argument("--out", default=os.path.join(ROOT, "bench", "data", "OtherHandDigitStrokes.bin"))
    args = ap.parse_args()
    if not os.path.exists(args.data):
        raise SystemExit("%s missing: apt-get install python3-sklearn" % args.data)

    t0 = time.time()
    images, labels = load(args.data)
    samples = []
    for cells, digit in zip(images, labels):
        image = mnist_like(rebuild(cells))
        strokes = trace(image, OPEN_LOOPS) if image is not None else []
        if strokes:
            samples.append((int(digit), strokes))
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    export_eval(samples, args.out)
    print("wrote %s: %d of %d digits (%d traced empty, skipped) in %.0f s" %
          (args.out, len(samples), len(images), len(images) - len(samples), time.time() - t0))
    return 0


if __name__ == "__main__":
    sys.exit(main())
