"""Writes a data directory holding training 0 whose outline has one item per
front-page slide of TarvixFront.fdl (the coded slides are stored as they are),
so an export gives 1 + 6 slides of different sizes."""
import os
import shutil
import struct
import sys


def blocks(data):
    at = 0
    while at + 4 <= len(data):
        (length,) = struct.unpack_from("<i", data, at)
        yield data[at:at + 4 + length]
        at += 4 + length


def name_field(text):
    raw = text.encode("cp1250")[:128]
    return bytes([len(raw)]) + raw.ljust(128, b"\0")


def make(bin_dir, data_dir, name="Szkolenie <b>BHP</b> & „żółć”", copies=1):
    os.makedirs(data_dir, exist_ok=True)
    for side in ("TarvixFront.fdl", "TarvixView.exe", "Autorun.inf"):
        shutil.copy(os.path.join(bin_dir, side), data_dir)
    with open(os.path.join(bin_dir, "TarvixFront.fdl"), "rb") as f:
        front = list(blocks(f.read()))
    with open(os.path.join(data_dir, "Projects.pdl"), "wb") as f:
        f.write(name_field(name) + struct.pack("<ii", 0, 0))
    store = bytearray(b"QUOX")
    outline = bytearray()
    for i in range(copies):
        for n, block in enumerate(front):
            outline += name_field("Temat %d" % (i * len(front) + n + 1)) + struct.pack("<iI", 0, len(store))
            store += block
    with open(os.path.join(data_dir, "Data0000.pdl"), "wb") as f:
        f.write(store)
    with open(os.path.join(data_dir, "Tree0000.pdl"), "wb") as f:
        f.write(outline)


if __name__ == "__main__":
    make(sys.argv[1], sys.argv[2])
