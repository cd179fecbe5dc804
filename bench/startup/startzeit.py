#!/usr/bin/env python3
"""Start-up figures of the game against the floor of the toolkit.

Under a private Xvfb server, measures for the game (on a fresh installation
of the demo data, made with `cmake --install`) and for a minimal Qt 6 Widgets
window (one label, compiled here) the time from exec to the main window being
viewable, and the resident memory shortly after; runs alternate between them.
The game is measured twice: on the demo installation as it is (the
start sound loads the audio stack) and with sound switched off in its
Kelmo.ini. Prints the medians and the ratios game / minimal.

    bench/startup/startzeit.py [--build build | --folder build/Wirbelix] [--runs 10] [--settle-ms 1000]

Needs xvfb, g++, pkg-config, libx11-dev and qt6-base-dev.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HIER = os.path.dirname(os.path.abspath(__file__))
WURZEL = os.path.dirname(os.path.dirname(HIER))
DEMO_START = '"Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;GwsFlag=0;nSpieler=2;Anna;Ben;anna;ben;"'
ZIEL = 1.25


def uebersetze(quelle, ziel, pakete):
    flags = subprocess.run(["pkg-config", "--cflags", "--libs"] + pakete, check=True,
                           capture_output=True, text=True).stdout.split()
    subprocess.run(["g++", "-std=c++20", "-O2", "-fPIC", quelle, "-o", ziel] + flags, check=True)


def starte_xvfb():
    lesen, schreiben = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(schreiben), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(schreiben,),
                            stderr=subprocess.DEVNULL)
    os.close(schreiben)
    nummer = b""
    while not nummer.endswith(b"\n"):
        stueck = os.read(lesen, 16)
        if not stueck:
            raise SystemExit("Xvfb did not start")
        nummer += stueck
    os.close(lesen)
    return xvfb, ":" + nummer.decode().strip()


def miss(messen, titel, settle, befehl, umgebung):
    r = subprocess.run([messen, titel, str(settle)] + befehl, capture_output=True, text=True,
                       env=umgebung, timeout=60)
    if r.returncode != 0:
        raise SystemExit(f"{befehl[0]}: {r.stderr.strip()}")
    ms, kb, libs = r.stdout.split()
    return float(ms), int(kb) / 1024, int(libs)


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("--build", default=os.path.join(WURZEL, "build"))
    a.add_argument("--folder", help="measure a copy of this program folder instead of installing")
    a.add_argument("--runs", type=int, default=10)
    a.add_argument("--settle-ms", type=int, default=1000,
                   help="wait after the window appeared before reading the memory")
    args = a.parse_args()

    with tempfile.TemporaryDirectory(prefix="wirbelix-start-") as tmp:
        messen = os.path.join(tmp, "messen")
        minimal = os.path.join(tmp, "minimal")
        uebersetze(os.path.join(HIER, "messen.cpp"), messen, ["x11"])
        uebersetze(os.path.join(HIER, "minimal.cpp"), minimal, ["Qt6Widgets"])
        ziel = os.path.join(tmp, "installation")
        if args.folder:
            shutil.copytree(args.folder, ziel, ignore=shutil.ignore_patterns("Meister.mdb", "Kelmo.tmp"))
            programm = os.path.join(ziel, "wirbelix")
        else:
            subprocess.run(["cmake", "--install", args.build, "--prefix", ziel], check=True,
                           stdout=subprocess.DEVNULL)
            programm = os.path.join(ziel, "lib", "wirbelix", "wirbelix")
        if not os.path.exists(programm):
            raise SystemExit(f"no program at {programm}")
        # The same installation with sound switched off in Kelmo.ini: the start
        # sound then loads no audio stack, which shows what that costs.
        still = os.path.join(tmp, "ohne-ton")
        shutil.copytree(os.path.dirname(programm), still)
        ini = os.path.join(still, "Kelmo.ini")
        with open(ini, "rb") as f:
            inhalt = f.read()
        with open(ini, "wb") as f:
            f.write(inhalt.replace(b"TonEinschalten=1", b"TonEinschalten=0"))
        programm_still = os.path.join(still, os.path.basename(programm))

        xvfb, anzeige = starte_xvfb()
        try:
            umgebung = {k: v for k, v in os.environ.items()
                        if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "WIRBELIX_SCREENSHOT")}
            umgebung["DISPLAY"] = anzeige
            # No sound server is reachable: the game's sound finds no output, as on a silent machine.
            umgebung.setdefault("PULSE_SERVER", "unix:/nonexistent/wirbelix-bench")
            spiel, boden, stumm = [], [], []
            # One warm-up run each fills the file cache; then the runs alternate.
            miss(messen, "Minimal", 0, [minimal], umgebung)
            miss(messen, "Tovenhalm - Wirbelix", 0, [programm, DEMO_START], umgebung)
            miss(messen, "Tovenhalm - Wirbelix", 0, [programm_still, DEMO_START], umgebung)
            for _ in range(args.runs):
                boden.append(miss(messen, "Minimal", args.settle_ms, [minimal], umgebung))
                spiel.append(miss(messen, "Tovenhalm - Wirbelix", args.settle_ms,
                                  [programm, DEMO_START], umgebung))
                stumm.append(miss(messen, "Tovenhalm - Wirbelix", args.settle_ms,
                                  [programm_still, DEMO_START], umgebung))
        finally:
            xvfb.send_signal(signal.SIGTERM)
            xvfb.wait()

    def median(reihe, i):
        return statistics.median(x[i] for x in reihe)

    print(f"{args.runs} runs each, memory read {args.settle_ms} ms after the window appeared")
    print(f"{'':10} {'start ms':>10} {'RSS MB':>8} {'libs':>6}")
    for name, reihe in (("game", spiel), ("sound off", stumm), ("minimal", boden)):
        print(f"{name:10} {median(reihe, 0):10.0f} {median(reihe, 1):8.1f} {median(reihe, 2):6.0f}")
    zeit = median(spiel, 0) / median(boden, 0)
    speicher = median(spiel, 1) / median(boden, 1)
    print(f"{'ratio':10} {zeit:10.2f} {speicher:8.2f}")
    print(f"{'ratio off':10} {median(stumm, 0) / median(boden, 0):10.2f} "
          f"{median(stumm, 1) / median(boden, 1):8.2f}")
    erreicht = zeit <= ZIEL and speicher <= ZIEL
    print(f"goal (at most {ZIEL} times the minimal window in both): {'met' if erreicht else 'missed'}")


if __name__ == "__main__":
    main()
