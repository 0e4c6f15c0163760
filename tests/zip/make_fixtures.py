#!/usr/bin/env python3
"""make_fixtures.py OUTDIR -- the zip test archives, made by the real tools from small inputs.

OUTDIR/src holds the input tree; every archive below is made from it by Info-ZIP zip, 7-Zip or
Python's zipfile, or damaged from one of those. The tests extract and compare byte for byte.
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import time
import zipfile
import zlib

out = os.path.abspath(sys.argv[1])
src = os.path.join(out, "src")
STAMP = time.mktime((2021, 6, 15, 12, 34, 56, 0, 0, -1))   # an even second: DOS times have 2-second steps


def run(args, cwd):
    subprocess.run(args, cwd=cwd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def write(rel, data):
    path = os.path.join(src, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_sources():
    rnd = random.Random(6)
    write("hello.txt", b"Hello from Sentinox.\r\n")
    write("empty.txt", b"")
    write("sub/data.bin", bytes(rnd.getrandbits(8) for _ in range(300_000)))
    write("sub/deep/text.txt", b"".join(b"line %06d of the update notes\n" % i for i in range(8000)))
    write("readonly.txt", b"read me, do not write me\n")
    os.makedirs(os.path.join(src, "emptydir"), exist_ok=True)
    for root, dirs, files in os.walk(src):
        for n in files + dirs:
            os.utime(os.path.join(root, n), (STAMP, STAMP))
    os.chmod(os.path.join(src, "readonly.txt"), 0o444)
    big = os.path.join(out, "big")
    os.makedirs(big, exist_ok=True)
    with open(os.path.join(big, "big.bin"), "wb") as f:
        f.write(bytes(rnd.getrandbits(8) for _ in range(3 * 1048576)))
    os.utime(os.path.join(big, "big.bin"), (STAMP, STAMP))


TREE = ["hello.txt", "empty.txt", "readonly.txt", "sub", "emptydir"]


def info_zip(name, *flags, files=TREE, cwd=None):
    path = os.path.join(out, name)
    if os.path.exists(path):
        os.remove(path)
    run(["zip", "-q", "-r", *flags, path, *files], cwd or src)
    return path


def seven_zip(name, *flags, files=TREE):
    path = os.path.join(out, name)
    for f in os.listdir(out):
        if f.startswith(name):
            os.remove(os.path.join(out, f))
    run(["7z", "a", "-tzip", "-bd", *flags, path, *files], src)
    return path


def patch(data, offset, raw):
    return data[:offset] + raw + data[offset + len(raw):]


def central_entries(data):
    """(offset of the central header, name) for each item, found through the end record."""
    end = data.rfind(b"PK\x05\x06")
    count, size, start = struct.unpack_from("<HII", data, end + 10)
    entries, p = [], start
    for _ in range(count):
        n, e, c = struct.unpack_from("<HHH", data, p + 28)
        entries.append((p, data[p + 46:p + 46 + n].decode("latin-1")))
        p += 46 + n + e + c
    return entries


def damaged(base):
    data = open(base, "rb").read()
    entries = dict((name, off) for off, name in central_entries(data))
    text = entries["sub/deep/text.txt"]
    local = struct.unpack_from("<I", data, text + 42)[0]
    crc = struct.unpack_from("<I", data, text + 16)[0] ^ 0x00010000
    bad_crc = patch(patch(data, text + 16, struct.pack("<I", crc)), local + 14, struct.pack("<I", crc))
    open(os.path.join(out, "damaged-crc.zip"), "wb").write(bad_crc)
    # The directory says deflate; the local header says its name is longer than it is.
    n = struct.unpack_from("<H", data, local + 26)[0]
    open(os.path.join(out, "damaged-local.zip"), "wb").write(patch(data, local + 26, struct.pack("<H", n + 7)))
    end = data.rfind(b"PK\x05\x06")
    open(os.path.join(out, "damaged-dirsize.zip"), "wb").write(patch(data, end + 12, struct.pack("<I", len(data) * 2)))
    open(os.path.join(out, "damaged-truncated.zip"), "wb").write(data[:local + 200])
    # A byte flipped in the deflate data of text.txt.
    nlen, elen = struct.unpack_from("<HH", data, local + 26)
    at = local + 30 + nlen + elen + 500
    open(os.path.join(out, "damaged-data.zip"), "wb").write(patch(data, at, bytes([data[at] ^ 0x55])))
    # An SFX-like prefix whose length the offsets do not count.
    open(os.path.join(out, "prefixed.zip"), "wb").write(b"MZ" + bytes(range(256)) * 4 + data)


def python_archives():
    with zipfile.ZipFile(os.path.join(out, "py-mixed.zip"), "w") as z:
        for rel, method in (("hello.txt", zipfile.ZIP_STORED), ("sub/deep/text.txt", zipfile.ZIP_DEFLATED),
                            ("sub/data.bin", zipfile.ZIP_DEFLATED), ("empty.txt", zipfile.ZIP_DEFLATED)):
            z.write(os.path.join(src, rel), rel, compress_type=method)
    with zipfile.ZipFile(os.path.join(out, "py-evil.zip"), "w") as z:
        for name in ("../evil1.txt", "/evil2.txt", "\\evil3.txt", "C:/evil4.txt", "a\\..\\..\\evil5.txt",
                     "sub/../../evil6.txt", "dir:stream.txt", "ok/../..", "CON", "fine.txt"):
            z.writestr(zipfile.ZipInfo(name, (2021, 6, 15, 12, 34, 56)), b"payload of " + name.encode())
    with zipfile.ZipFile(os.path.join(out, "py-empty.zip"), "w"):
        pass
    # zipfile streams to an unseekable file with data descriptors (flag bit 3).
    class Pipe:
        def __init__(self, f): self.f = f
        def write(self, b): return self.f.write(b)
        def flush(self): self.f.flush()
    with open(os.path.join(out, "py-descriptor.zip"), "wb") as f:
        with zipfile.ZipFile(Pipe(f), "w", zipfile.ZIP_DEFLATED) as z:
            for rel in ("hello.txt", "sub/deep/text.txt"):
                z.write(os.path.join(src, rel), rel)
    data = open(os.path.join(out, "py-descriptor.zip"), "rb").read()
    open(os.path.join(out, "damaged-descriptor-nodir.zip"), "wb").write(data[:data.find(b"PK\x01\x02")])
    # Behind a prefix, item 0's local header has zeros where the directory has CRC and sizes.
    open(os.path.join(out, "prefixed-descriptor.zip"), "wb").write(b"MZ" + b"\x90" * 3000 + data)
    with zipfile.ZipFile(os.path.join(out, "py-zip64.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        with z.open("sub/deep/text.txt", "w", force_zip64=True) as w:
            w.write(open(os.path.join(src, "sub/deep/text.txt"), "rb").read())


def split_variants():
    info_zip("split.zip", "-s", "64k")
    adv = os.path.join(out, "advanced")
    os.makedirs(adv, exist_ok=True)
    for f in os.listdir(out):
        if f.startswith("split."):
            n = f.split(".")[1]
            target = "split.zip" if n == "zip" else "split_%03d.zip" % int(n[1:])
            shutil.copy(os.path.join(out, f), os.path.join(adv, target))
    # The same volumes as disks of one spanned set, each under the archive's own name.
    volumes = sorted(f for f in os.listdir(out) if f.startswith("split.z") and f != "split.zip")
    for i, f in enumerate(volumes + ["split.zip"]):
        disk = os.path.join(out, "disk%d" % (i + 1))
        os.makedirs(disk, exist_ok=True)
        shutil.copy(os.path.join(out, f), os.path.join(disk, "span.zip"))


def main():
    if os.path.isdir(out):
        shutil.rmtree(out, onerror=lambda f, p, e: (os.chmod(p, 0o755), f(p)))
    os.makedirs(out)
    make_sources()
    info_zip("info-stored.zip", "-0")
    base = info_zip("info-deflated.zip", "-6")
    info_zip("info-encrypted.zip", "-P", "secret")
    info_zip("info-zip64.zip", "-fz")
    info_zip("info-comment.zip")
    subprocess.run(["zip", "-q", "-z", os.path.join(out, "info-comment.zip")], input=b"Sentinox update archive\n.\n",
                   check=True, stdout=subprocess.DEVNULL)
    with open(os.path.join(out, "info-stream.zip"), "wb") as f:
        subprocess.run(["zip", "-q", "-", "hello.txt", "sub/deep/text.txt"], cwd=src, stdout=f, check=True)
    info_zip("big-stored.zip", "-0", files=["big.bin"], cwd=os.path.join(out, "big"))
    info_zip("big-deflated.zip", "-1", files=["big.bin"], cwd=os.path.join(out, "big"))
    seven_zip("7z-deflated.zip", "-mx=5")
    seven_zip("7z-stored.zip", "-mx=0")
    seven_zip("7z-zipcrypto.zip", "-pSecret7", "-mem=ZipCrypto")
    seven_zip("7z-aes.zip", "-pSecret7", "-mem=AES256")
    seven_zip("7z-deflate64.zip", "-mm=Deflate64")
    seven_zip("7z-bzip2.zip", "-mm=BZip2")
    seven_zip("7z-volumes.zip", "-v100k")
    with open(os.path.join(out, "7z-volumes-joined.zip"), "wb") as joined:
        for f in sorted(os.listdir(out)):
            if f.startswith("7z-volumes.zip."):
                joined.write(open(os.path.join(out, f), "rb").read())
    python_archives()
    damaged(base)
    split_variants()
    open(os.path.join(out, "not-a-zip.zip"), "wb").write(b"<html>404 Not Found</html>\n" * 20)


main()
