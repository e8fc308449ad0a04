#!/usr/bin/python3
"""Baseline for bench_sampling: the benchmark expressions evaluated with numpy complex64 on the
same grids ([-2, 2] x [-2, 2] shifted by 1e-4, N x N points, x along the outer index).

Usage: numpy_grid.py N [N ...]   prints one line "NAME N MILLISECONDS" per expression and size,
the best of several runs of the evaluation alone (the grid is built beforehand)."""

import sys
import time

import numpy as np

EXPRESSIONS = {
    "E1": lambda z: z**2 + 1,
    "E2": lambda z: np.sin(z) / z + z**3,
    "E3": lambda z: np.exp(1 / (z + 3)),
    "E4": lambda z: (z - 1) * (z + 1) / ((z - 1j) * (z + 1j)),
}


def grid(n):
    # The same single-precision coordinates as the sampler: du * k + min, rounded to single.
    du = np.float32(np.float32(4.0) / np.float32(n - 1))
    k = np.arange(n, dtype=np.float64)
    axis = (np.float64(du) * k + np.float64(np.float32(-2.0 + 1e-4))).astype(np.float32)
    x, y = np.meshgrid(axis, axis, indexing="ij")
    return (x + np.complex64(1j) * y).astype(np.complex64)


def best_ms(f, z, repeats):
    best = float("inf")
    for _ in range(repeats):
        start = time.perf_counter()
        w = f(z)
        best = min(best, time.perf_counter() - start)
        assert w.dtype == np.complex64, w.dtype
    return best * 1000.0


def main():
    sizes = [int(a) for a in sys.argv[1:]] or [1001]
    with np.errstate(all="ignore"):
        for n in sizes:
            z = grid(n)
            for name, f in EXPRESSIONS.items():
                print(f"{name} {n} {best_ms(f, z, 7 if n <= 1001 else 4):.3f}", flush=True)


if __name__ == "__main__":
    main()
