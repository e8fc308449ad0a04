#!/usr/bin/python3
"""Times `quillon-cli render` of a 200 x 200 surface of w = sin(z) against matplotlib's
plot_surface of the same samples saved to PNG, in the same run.

Usage: bench/render_vs_mpl.py [path/to/quillon-cli] [--runs N] [--steps S]
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import time

import numpy as np


def document_bytes(steps):
    """A scene document with one lit surface (x across, u up, y in depth; colour u, v, |w|)
    and the default axes frame, as the 3D graph dialog would save it."""
    record = ("2 1 @bench@ 3   sin(z) {s} {s} -2 2 -2 2 0 255 0 0 1 4 3 3 255 1 0 0 2 1 3 2 3 4 5 "
              .format(s=steps))
    grey, grid = 204 * 0x010101, 153 * 0x010101
    axes = ("1 0 0 0 1 1 1 1 1 1 1 2 2 2 {g} {g} {g} {r} {r} {r} 4 4 4 0 1 @X@ @Y@ @U@ "
            "0 0 0 2 65280 16777215 65280 65280 1 0 0 ").format(g=grey, r=grid)
    text = ("S12 1 " + record + axes).encode("latin-1")
    return struct.pack("<HH", 8, len(text)) + text


def time_quillon(cli, doc, out, runs):
    best = float("inf")
    for _ in range(runs):
        t0 = time.perf_counter()
        subprocess.run([cli, "render", doc, out, "--size", "800x600", "--fit"], check=True)
        best = min(best, time.perf_counter() - t0)
    return best


def time_matplotlib(steps, out, runs):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    x = np.linspace(-2, 2, steps + 1)
    y = np.linspace(-2, 2, steps + 1)
    X, Y = np.meshgrid(x, y)
    W = np.sin(X + 1j * Y)
    U, V, M = W.real, W.imag, np.abs(W)
    colours = np.stack([np.clip(c, 0, 1) for c in (U, V, M)], axis=-1)
    best = float("inf")
    for _ in range(runs):
        t0 = time.perf_counter()
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot(projection="3d")
        ax.plot_surface(X, Y, U, facecolors=colours, rstride=1, cstride=1, linewidth=0, antialiased=False)
        fig.savefig(out)
        plt.close(fig)
        best = min(best, time.perf_counter() - t0)
    return best


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("cli", nargs="?", default=os.path.join(here, "..", "build", "cli", "quillon-cli"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--steps", type=int, default=200)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        doc = os.path.join(tmp, "surface.zvt")
        with open(doc, "wb") as f:
            f.write(document_bytes(args.steps))
        q = time_quillon(args.cli, doc, os.path.join(tmp, "quillon.png"), args.runs)
        m = time_matplotlib(args.steps, os.path.join(tmp, "mpl.png"), args.runs)
    print(f"{args.steps}x{args.steps} surface, 800x600 PNG, best of {args.runs}:")
    print(f"  quillon-cli render      {q * 1000:8.1f} ms")
    print(f"  matplotlib plot_surface {m * 1000:8.1f} ms")
    print(f"  speed-up                {m / q:8.1f}x (target at least 10x)")
    return 0 if m / q >= 10 else 1


if __name__ == "__main__":
    sys.exit(main())
