#!/usr/bin/env python3
"""Builds the game's help files from their sources in demo/help/.

    python3 tools/help/baue_hilfe.py [Wirbelix] [Tesk]

Each folder demo/help/<Name>/ holds the pages, pictures, style sheet and the
help project <Name>.hhp with its context map. The compiled file is written to
demo/help/<Name>.chm and committed, so a build needs no help compiler.

Every compiled file carries the checksum of the sources it came from in its
internal file "/pruefsumme.txt"; the test hilfe_test compares it with the
sources and fails when they changed without a rebuild.

The compiler is chmcmd of Free Pascal (Debian: fp-utils). The picture of the
wheel, bilder/rad.png, is drawn here too, with the standard library only.
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

OBEN = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
HILFE = os.path.join(OBEN, "demo", "help")


def pruefsumme(ordner):
    """FNV-1a, 64 bit, over every file of the folder: its path relative to the
    folder with "/", a NUL, its bytes, a NUL; files in the order of their paths."""
    dateien = []
    for wurzel, _, namen in os.walk(ordner):
        for n in namen:
            voll = os.path.join(wurzel, n)
            dateien.append(os.path.relpath(voll, ordner).replace(os.sep, "/"))
    h = 0xCBF29CE484222325
    for rel in sorted(d.encode("utf-8") for d in dateien):
        with open(os.path.join(ordner, rel.decode("utf-8")), "rb") as f:
            inhalt = f.read()
        for b in rel + b"\0" + inhalt + b"\0":
            h ^= b
            h = (h * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % h


def png(breite, hoehe, pixel):
    """Writes RGBA rows as a PNG."""
    roh = b"".join(b"\0" + bytes(zeile) for zeile in pixel)

    def block(art, daten):
        return (struct.pack(">I", len(daten)) + art + daten +
                struct.pack(">I", zlib.crc32(art + daten) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            block(b"IHDR", struct.pack(">IIBBBBB", breite, hoehe, 8, 6, 0, 0, 0)) +
            block(b"IDAT", zlib.compress(roh, 9)) + block(b"IEND", b""))


def zeichne_rad(pfad, groesse=120):
    """The wheel with its ten coloured segments, a rim and a hub."""
    farben = [(229, 50, 42), (245, 197, 24), (46, 160, 62), (42, 92, 216), (240, 130, 30),
              (150, 60, 170), (229, 50, 42), (245, 197, 24), (46, 160, 62), (42, 92, 216)]
    m = (groesse - 1) / 2.0
    r = groesse / 2.0 - 2
    zeilen = []
    for y in range(groesse):
        zeile = []
        for x in range(groesse):
            dx, dy = x - m, y - m
            d = math.hypot(dx, dy)
            if d > r:
                zeile += [0, 0, 0, 0]
            elif d > r - 4 or d < 9:
                zeile += [48, 48, 56, 255]
            elif d < 12:
                zeile += [255, 255, 255, 255]
            else:
                w = (math.degrees(math.atan2(dy, dx)) + 360.0) % 360.0
                rand = min(w % 36.0, 36.0 - w % 36.0)
                if rand * math.pi / 180.0 * d < 1.0:
                    zeile += [255, 255, 255, 255]
                else:
                    zeile += list(farben[int(w // 36) % 10]) + [255]
        zeilen.append(zeile)
    with open(pfad, "wb") as f:
        f.write(png(groesse, groesse, zeilen))


def compiler():
    for name in ("chmcmd", "chmcmd-3.2.2"):
        if shutil.which(name):
            return name
    sys.exit("chmcmd fehlt: apt-get install fp-utils")


def baue(name):
    quelle = os.path.join(HILFE, name)
    if name == "Wirbelix":
        zeichne_rad(os.path.join(quelle, "bilder", "rad.png"))
    summe = pruefsumme(quelle)
    # A fixed working folder: the compiler writes its absolute paths into the
    # context map, and the same sources should give the same file.
    tmp = os.path.join(tempfile.gettempdir(), "wirbelix-hilfe")
    shutil.rmtree(tmp, ignore_errors=True)
    try:
        arbeit = os.path.join(tmp, name)
        shutil.copytree(quelle, arbeit)
        with open(os.path.join(arbeit, "pruefsumme.txt"), "w", encoding="ascii") as f:
            f.write(summe + "\n")
        projekt = os.path.join(arbeit, name + ".hhp")
        with open(projekt, "a", encoding="utf-8") as f:
            f.write("pruefsumme.txt\n")
        lauf = subprocess.run([compiler(), "--no-html-scan", name + ".hhp"], cwd=arbeit,
                              capture_output=True, text=True)
        ergebnis = os.path.join(arbeit, name + ".chm")
        if lauf.returncode != 0 or not os.path.exists(ergebnis):
            sys.exit("%s.chm: chmcmd ist gescheitert\n%s%s" % (name, lauf.stdout, lauf.stderr))
        shutil.copyfile(ergebnis, os.path.join(HILFE, name + ".chm"))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print("%s.chm gebaut, Prüfsumme %s" % (name, summe))


if __name__ == "__main__":
    for n in sys.argv[1:] or ["Wirbelix", "Tesk"]:
        baue(n)
