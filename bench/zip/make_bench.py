#!/usr/bin/env python3
"""make_bench.py large|many OUTDIR -- a benchmark archive made by Info-ZIP zip, printed by its path.

large: about 200 MB of mixed files (random, text, repetitive), zip -6.
many:  70,000 one-byte files in one folder, where the cost per item dominates.
"""
import os
import random
import shutil
import subprocess
import sys


def large(src):
    rnd = random.Random(1)
    total, i = 0, 0
    while total < 200_000_000:
        folder = os.path.join(src, "d%02d" % (i % 40))
        os.makedirs(folder, exist_ok=True)
        n = rnd.choice([2000, 20000, 200000, 2000000])
        if i % 3 == 0:
            data = rnd.randbytes(n)
        elif i % 3 == 1:
            data = b"".join(b"line %d of text %d\n" % (j, i) for j in range(n // 20))
        else:
            data = bytes(rnd.getrandbits(3) for _ in range(n // 4)) * 4
        with open(os.path.join(folder, "f%05d.bin" % i), "wb") as f:
            f.write(data)
        total += len(data)
        i += 1


def many(src):
    folder = os.path.join(src, "items")
    os.makedirs(folder)
    for i in range(70_000):
        with open(os.path.join(folder, "i%05d.txt" % i), "wb") as f:
            f.write(b"%c" % (ord("a") + i % 26))


kind, out = sys.argv[1], os.path.abspath(sys.argv[2])
makers = {"large": large, "many": many}
if kind not in makers:
    sys.exit(__doc__)
src = os.path.join(out, "src")
shutil.rmtree(out, ignore_errors=True)
os.makedirs(src)
makers[kind](src)
archive = os.path.join(out, "bench.zip")
subprocess.run(["zip", "-q", "-r", "-6", archive, "."], cwd=src, check=True)
shutil.rmtree(src)
print(archive)
