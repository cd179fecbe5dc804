#!/usr/bin/python3
"""The main window as a screen reader sees it, through the AT-SPI tree.

    ZugangAtspi.py <program folder> <launch text>

Runs inside an X server and a D-Bus session (ZugangAtspi.sh provides both).
Starts the game on a copy of the program folder, reads the accessibility
tree of its main window and checks the names a screen reader would speak:
the score as one number, the wheel's value, the lamps and meters, hidden
letter cells that give nothing away, and no control without a name.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

TITEL = "Tovenhalm - Wirbelix"
# Roles of containers that need no name of their own.
OHNE_NAMEN = {"application", "filler", "panel", "menu bar", "unknown", "grouping", "frame"}


def knoten(k, tiefe=0):
    yield k
    if tiefe > 30:
        return
    for i in range(k.childCount):
        kind = k.getChildAtIndex(i)
        if kind is not None:
            yield from knoten(kind, tiefe + 1)


def finde_fenster(pid, frist):
    while time.time() < frist:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for j in range(app.childCount):
                    f = app.getChildAtIndex(j)
                    if f is not None and f.name == TITEL and f.getState().contains(pyatspi.STATE_SHOWING):
                        return f
            except Exception:  # the application may still be setting up its tree
                pass
        time.sleep(0.3)
    return None


def text_von(k):
    try:
        t = k.queryText()
        return t.getText(0, -1)
    except NotImplementedError:
        return None


def main():
    quelle, start = sys.argv[1], sys.argv[2]
    fehler = []
    with tempfile.TemporaryDirectory(prefix="wirbelix-atspi-") as tmp:
        ordner = os.path.join(tmp, "Wirbelix")
        shutil.copytree(quelle, ordner, ignore=shutil.ignore_patterns("Meister.mdb", "Kelmo.tmp"))
        umgebung = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        PULSE_SERVER="unix:/nonexistent/wirbelix-atspi")
        for weg in ("QT_QPA_PLATFORM", "WIRBELIX_SCREENSHOT", "WAYLAND_DISPLAY"):
            umgebung.pop(weg, None)
        # The accessibility bus and its registry start on the first request;
        # they must be up before the game looks for them.
        pyatspi.Registry.getDesktop(0).childCount
        spiel = subprocess.Popen([os.path.join(ordner, "wirbelix"), start], env=umgebung)
        try:
            fenster = finde_fenster(spiel.pid, time.time() + 40)
            if fenster is None:
                print(f"no main window \"{TITEL}\" in the AT-SPI tree")
                return 1
            zu_sehen = []
            for k in knoten(fenster):
                if k.getState().contains(pyatspi.STATE_SHOWING):
                    zu_sehen.append((k.getRoleName(), k.name or "", (text_von(k), k.description or ""),
                                     k.childCount))
        finally:
            spiel.kill()
            spiel.wait()

        namen = [n for _, n, _, _ in zu_sehen]
        for soll in ("Punkte: 0", "Glücksrad: Aussetzen", "Lampe Wort raten: aus", "Lampe Kaufen: aus",
                     "Ratezeit: nicht begrenzt", "drehen", "Übungsschwerpunkt"):
            if soll not in namen:
                fehler.append(f"nothing named \"{soll}\" on show")
        if not any(re.fullmatch(r"Spielzeit: (noch \d+ Minuten?|nicht begrenzt)", n) for n in namen):
            fehler.append("the play-time bar has no name")
        if len([n for n in namen if n.startswith("Glücksrad: ")]) != 1:
            fehler.append("not exactly one wheel value on show")

        # Pictures are images to a reader, not empty areas.
        for soll in ("Glücksrad: Aussetzen", "Ratezeit: nicht begrenzt"):
            rollen = [r for r, n, _, _ in zu_sehen if n == soll]
            if rollen and rollen[0] != "image":
                fehler.append(f"\"{soll}\" has the role {rollen[0]!r}, not 'image'")

        verdeckt = [t for _, n, t, _ in zu_sehen if n == "verdeckt"]
        if not verdeckt:
            fehler.append("no hidden letter cell")
        for text, beschreibung in verdeckt:
            # The cell's letter is on the screen in the background colour; a
            # screen reader must not get it through the text or the description.
            if text not in (None, "", "verdeckt"):
                fehler.append(f"a hidden cell gives its letter away through its text: {text!r}")
            if beschreibung:
                fehler.append(f"a hidden cell has a description: {beschreibung!r}")

        # Containers need no name; everything a reader lands on does.
        for rolle, name, _, kinder in zu_sehen:
            if not name.strip() and (kinder == 0 or rolle not in OHNE_NAMEN):
                fehler.append(f"a {rolle} without a name")
        for soll in ("Name", "Punkte"):
            if not any(r == "panel" and n == soll for r, n, _, _ in zu_sehen):
                fehler.append(f"no group \"{soll}\"")

        print(f"{len(zu_sehen)} accessible objects on show, {len(verdeckt)} hidden letter cells")
    for f in sorted(set(fehler)):
        print("FEHLER:", f)
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
