#!/usr/bin/python3
"""The baseline of bench_colour_map: numpy computes the phase picture of E2 = sin(z)/z + z^3
(hue from arg w, complex64 like the program's samples) and matplotlib imshow draws it into an
800 x 600 PNG; once for a 1000 x 1000 grid over [-2, 2]^2, once for the zoomed 800 x 600 view
[0.3, 0.7] x [0.4, 0.7]. Best of several runs, in milliseconds.

Usage: bench/phase_mpl.py [--runs N]
"""
import argparse
import os
import tempfile
import time

import numpy as np


def picture(x0, x1, y0, y1, nx, ny, out):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.colors import hsv_to_rgb

    x = np.linspace(x0, x1, nx, dtype=np.float32)
    y = np.linspace(y0, y1, ny, dtype=np.float32)
    z = (x[None, :] + 1j * y[:, None]).astype(np.complex64)
    with np.errstate(all="ignore"):
        w = np.sin(z) / z + z ** 3
    hue = np.nan_to_num((np.angle(w) / (2 * np.pi)) % 1.0)
    rgb = hsv_to_rgb(np.stack([hue, np.ones_like(hue), np.ones_like(hue)], axis=-1))
    rgb[~np.isfinite(w)] = 0.5
    fig = plt.figure(figsize=(8, 6), dpi=100)
    ax = fig.add_axes([0.1, 0.1, 0.8, 0.8])
    ax.imshow(rgb, origin="lower", extent=(x0, x1, y0, y1), interpolation="bilinear")
    fig.savefig(out)
    plt.close(fig)


def best_ms(runs, *args):
    best = float("inf")
    for _ in range(runs):
        t0 = time.perf_counter()
        picture(*args)
        best = min(best, time.perf_counter() - t0)
    return best * 1000.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    runs = parser.parse_args().runs
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "phase.png")
        full = best_ms(runs, -2.0, 2.0, -2.0, 2.0, 1001, 1001, out)
        zoomed = best_ms(runs, 0.3, 0.7, 0.4, 0.7, 800, 600, out)
    print(f"matplotlib imshow, E2 phase 1001x1001 grid to 800x600 PNG: {full:.0f} ms")
    print(f"matplotlib imshow, E2 phase zoomed 800x600 view to 800x600 PNG: {zoomed:.0f} ms")


if __name__ == "__main__":
    main()
