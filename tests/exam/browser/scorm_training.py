"""A data folder for the e-learning package: training 0 (type 0, so the
front page comes first) whose outline has chapters and a section without
slides and topics of the demo library with the front page's slides, its
programme's hours, the demo topics and the demo questions."""
import os
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "presentation", "browser"))
import make_training  # noqa: E402

HEADING = 0x40000000

# The outline: chapters and a section without slides, topics of the demo
# library with the front page's slides. Slide 1 is the training's front page.
OUTLINE = [("Ocena ryzyka zawodowego", 0, HEADING, None), ("Zagrożenie i ryzyko zawodowe", 1, 0, 0),
           ("Etapy oceny ryzyka", 1, 0, 1), ("Pierwsza pomoc", 0, HEADING, None),
           ("Organizacja", 1, 0, None), ("Łańcuch przeżycia", 2, 0, 2),
           ("Ocena przytomności i oddechu", 2, 0, 3)]
TOC = [("Ocena ryzyka zawodowego", 1), ("Pierwsza pomoc", 3), ("Organizacja", 3)]
SLIDES = 5


def make(tool, bin_dir, data, title):
    make_training.make(bin_dir, data, title)
    for name in os.listdir(bin_dir):
        if name.endswith(".mdl") or name == "Pytania.gift":
            shutil.copy(os.path.join(bin_dir, name), data)
    # The slides of the outline's topics: blocks of the front-page file, placed in the store.
    with open(os.path.join(bin_dir, "TarvixFront.fdl"), "rb") as f:
        front = list(make_training.blocks(f.read()))
    store, outline = bytearray(b"QUOX"), bytearray()
    for name, level, flags, slide in OUTLINE:
        reference = flags
        if slide is not None:
            reference = len(store)
            store += front[slide + 1]
        outline += make_training.name_field(name) + struct.pack("<iI", level, reference)
    with open(os.path.join(data, "Data0000.pdl"), "wb") as f:
        f.write(store)
    with open(os.path.join(data, "Tree0000.pdl"), "wb") as f:
        f.write(outline)
    subprocess.run([tool, "programme", data, "0", "--set", "1=2", "--set", "2=1+1"], check=True,
                   stdout=subprocess.DEVNULL)
