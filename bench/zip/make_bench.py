#!/usr/bin/env python3
"""make_bench.py OUTDIR -- about 200 MB of mixed files (random, text, repetitive) zipped by Info-ZIP zip -6."""
import os
import random
import shutil
import subprocess
import sys

out = os.path.abspath(sys.argv[1])
src = os.path.join(out, "src")
shutil.rmtree(out, ignore_errors=True)
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
subprocess.run(["zip", "-q", "-r", "-6", os.path.join(out, "bench.zip"), "."], cwd=src, check=True)
shutil.rmtree(src)
print(os.path.join(out, "bench.zip"))
