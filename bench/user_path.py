#!/usr/bin/python3
"""What a user waits for and what the process holds, with every baseline measured in the same run.

Usage: bench/user_path.py CLI [[NAME=]BASELINE_CLI ...] [--quick]

  CLI           the quillon-cli to measure (e.g. build-release/cli/quillon-cli)
  BASELINE_CLI  earlier builds to measure beside it (e.g. before=/work/main/build/cli/quillon-cli)

Prints four tables:
  1. sampling: the whole `quillon-cli sample F --x=-1.9999,2.0001,N-1 --y=... --summary`
     process minus a 1 x 1 process (the fastest of 11 runs each), against numpy complex64 computing
     W = f(z), u, v, |W| and their extremes, timed inside its own process (the fastest of 5);
  2. peak resident memory (/usr/bin/time -v) of sampling a 4001 x 4001 grid;
  3. opening a document with one 2001 x 2001 surface until its first frame is drawn: the
     headless `quillon-cli render` process (read, sample, compile, draw, write the PNG),
     against a matplotlib plot_surface of the same grid saved to PNG (whole processes,
     median of 3).
--quick runs 1001 x 1001 only and skips the 2001 x 2001 drawing."""

import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

EXPRESSIONS = {
    "E1": ("z^2+1", "z**2 + 1"),
    "E2": ("sin(z)/z+z^3", "np.sin(z) / z + z**3"),
    "E3": ("exp(1/(z+3))", "np.exp(1 / (z + 3))"),
    "E4": ("(z-1)*(z+1)/((z-i)*(z+i))", "(z - 1) * (z + 1) / ((z - 1j) * (z + 1j))"),
}

NUMPY_PROGRAM = r"""
import sys, time, statistics
import numpy as np
n = int(sys.argv[1])
axis = np.linspace(np.float32(-1.9999), np.float32(2.0001), n).astype(np.float32)
x, y = np.meshgrid(axis, axis, indexing="ij")
z = (x + np.complex64(1j) * y).astype(np.complex64)
times = []
with np.errstate(all="ignore"):
    for _ in range(5):
        start = time.perf_counter()
        W = EXPR
        u = W.real
        v = W.imag
        m = np.abs(W)
        extremes = (np.nanmin(u), np.nanmax(u), np.nanmin(v), np.nanmax(v), np.nanmin(m), np.nanmax(m))
        times.append(time.perf_counter() - start)
        assert W.dtype == np.complex64
print(min(times) * 1000.0)
"""

MPL_PROGRAM = r"""
import sys
import numpy as np
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
n = int(sys.argv[1])
axis = np.linspace(-2.0, 2.0, n, dtype=np.float32)
x, y = np.meshgrid(axis, axis, indexing="ij")
w = (x + 1j * y).astype(np.complex64) ** 2 + 1
fig = plt.figure(figsize=(6, 6), dpi=100)
ax = fig.add_subplot(projection="3d")
ax.plot_surface(x, y, w.real, rstride=1, cstride=1)
fig.savefig(sys.argv[2])
"""


def run_ms(command, env=None):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    return (time.perf_counter() - start) * 1000.0


def median_ms(command, repeats=5):
    return statistics.median(run_ms(command) for _ in range(repeats))


def sample_command(cli, text, n):
    axis = f"-1.9999,2.0001,{n - 1}"
    return [cli, "sample", text, f"--x={axis}", f"--y={axis}", "--summary"]


def sampling_ms(cli, text, n, repeats=11):
    # The fastest of several runs of each process: on a shared machine noise only ever slows a
    # run down, and the few milliseconds measured here are smaller than that noise.
    small = [cli, "sample", text, "--x=0,1,1", "--y=0,1,1", "--summary"]
    big = sample_command(cli, text, n)
    fastest_small = min(run_ms(small) for _ in range(repeats))
    fastest_big = min(run_ms(big) for _ in range(repeats))
    return max(0.0, fastest_big - fastest_small)


def numpy_ms(expression, n):
    program = NUMPY_PROGRAM.replace("EXPR", expression)
    out = subprocess.run([sys.executable, "-c", program, str(n)], check=True, capture_output=True, text=True)
    return float(out.stdout.strip())


def peak_rss_mb(command):
    out = subprocess.run(["/usr/bin/time", "-v"] + command, capture_output=True, text=True)
    match = re.search(r"Maximum resident set size \(kbytes\): (\d+)", out.stderr)
    return int(match.group(1)) / 1024.0 if match else float("nan")


def surface_document(path, steps):
    """A document with one surface of z^2+1 on `steps` x `steps` cells, from the bundled example."""
    here = os.path.dirname(os.path.abspath(__file__))
    data = open(os.path.join(here, "..", "examples", "surface_z2_plus_1.zvt"), "rb").read()
    text = data[4:].replace(b" 40 40 ", b" %d %d " % (steps, steps), 1)
    with open(path, "wb") as f:
        f.write(data[:2] + len(text).to_bytes(2, "little") + text)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    quick = "--quick" in sys.argv
    if not args:
        print(__doc__)
        return 2
    clis = {"this": args[0]}
    for i, arg in enumerate(args[1:]):
        name, _, path = arg.rpartition("=")
        clis[name or f"before{i + 1}"] = path
    sizes = [1001] if quick else [1001, 2001]

    print("1. sampling, ms (whole process minus a 1x1 process, fastest of 11 each; numpy inside its process, fastest of 5)")
    header = "grid   expr  " + "  ".join(f"{name:>8}" for name in clis) + "     numpy  this/numpy"
    print(header)
    for n in sizes:
        for name, (text, expression) in EXPRESSIONS.items():
            ms = {c: sampling_ms(path, text, n) for c, path in clis.items()}
            base = numpy_ms(expression, n)
            cells = "  ".join(f"{ms[c]:8.1f}" for c in clis)
            print(f"{n}²  {name}    {cells}  {base:8.1f}  {ms['this'] / base:9.2f}x", flush=True)

    print("\n2. peak resident memory sampling 4001 x 4001 (MB)")
    for c, path in clis.items():
        print(f"  {c:>8}: {peak_rss_mb(sample_command(path, 'z^2+1', 4001)):8.1f}", flush=True)

    if quick:
        return 0
    print("\n3. a document with one 2001 x 2001 surface until its first frame (headless render, ms, median of 3)")
    with tempfile.TemporaryDirectory() as tmp:
        doc = os.path.join(tmp, "surface2001.zvt")
        surface_document(doc, 2000)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        for c, path in clis.items():
            command = [path, "render", doc, os.path.join(tmp, c + ".png"), "--size", "600x600"]
            times = [run_ms(command, env) for _ in range(3)]
            print(f"  {c:>8}: {statistics.median(times):8.0f}", flush=True)
        mpl = [run_ms([sys.executable, "-c", MPL_PROGRAM, "2001", os.path.join(tmp, "mpl.png")]) for _ in range(3)]
        print(f"  matplotlib plot_surface: {statistics.median(mpl):8.0f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
