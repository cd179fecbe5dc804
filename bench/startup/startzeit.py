#!/usr/bin/env python3
"""Start-up figures of the game against the floor of the toolkit.

Under a private Xvfb server, measures for the game (on a fresh installation
of the demo data, made with `cmake --install`) and for a minimal Qt 6 Widgets
window (one label, compiled here) the time from exec to the main window being
viewable, and the resident memory shortly after; runs alternate between them.
The game is measured twice: on the demo installation as it is (the
start sound loads the audio stack) and with sound switched off in its
Kelmo.ini. Prints the medians and the ratios game / minimal, each ratio
with a 95 % interval from resampling the runs: a single run of either
program can vary by a third on a busy machine, and the interval shows how
far the ratio of ten runs' medians can be trusted. It cannot show how the
machine's load changes between one measurement and the next.

Without a session bus address (the default, whatever the calling shell has),
Qt's accessibility bridge makes each program run dbus-launch, which finds or
starts a bus for the display, and wait for it; with --session-bus both
programs are given a private bus that lives for the whole measurement, as on
a desktop. The X server is not reset between the programs, as a desktop's
is not either.

    bench/startup/startzeit.py [--build build | --folder build/Wirbelix] [--runs 10] [--settle-ms 1000]
                               [--session-bus]

Needs xvfb, g++, pkg-config, libx11-dev and qt6-base-dev; dbus for --session-bus.
"""
import argparse
import os
import random
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
    # -noreset: otherwise the server starts afresh whenever its last client
    # leaves, and each program's first window pays for framebuffer memory the
    # server touches anew.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(schreiben), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(schreiben,),
                            stderr=subprocess.DEVNULL)
    os.close(schreiben)
    return xvfb, ":" + lies_zeile(lesen, "Xvfb")


def lies_zeile(lesen, wer):
    zeile = b""
    while not zeile.endswith(b"\n"):
        stueck = os.read(lesen, 256)
        if not stueck:
            raise SystemExit(f"{wer} did not start")
        zeile += stueck
    os.close(lesen)
    return zeile.decode().strip()


def starte_sitzungsbus():
    lesen, schreiben = os.pipe()
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                            f"--print-address={schreiben}"], pass_fds=(schreiben,),
                           stderr=subprocess.DEVNULL)
    os.close(schreiben)
    return bus, lies_zeile(lesen, "dbus-daemon")


def miss(messen, titel, settle, befehl, umgebung):
    r = subprocess.run([messen, titel, str(settle)] + befehl, capture_output=True, text=True,
                       env=umgebung, timeout=60)
    if r.returncode != 0:
        raise SystemExit(f"{befehl[0]}: {r.stderr.strip()}")
    ms, kb, libs = r.stdout.split()
    return float(ms), int(kb) / 1024, int(libs)


def intervall(spiel, boden, i, ziehungen=4000):
    """95 % interval of median(game) / median(minimal), resampling whole runs.

    Run k of the game and run k of the minimal window were made one after the
    other, so they are drawn together: a slow phase of the machine then
    weighs on both sides of the ratio, as it did in the measurement.
    """
    zufall = random.Random(1)
    n = len(spiel)
    quotienten = []
    for _ in range(ziehungen):
        k = [zufall.randrange(n) for _ in range(n)]
        quotienten.append(statistics.median(spiel[j][i] for j in k) /
                          statistics.median(boden[j][i] for j in k))
    quotienten.sort()
    return quotienten[int(0.025 * ziehungen)], quotienten[int(0.975 * ziehungen) - 1]


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("--build", default=os.path.join(WURZEL, "build"))
    a.add_argument("--folder", help="measure a copy of this program folder instead of installing")
    a.add_argument("--runs", type=int, default=10)
    a.add_argument("--settle-ms", type=int, default=1000,
                   help="wait after the window appeared before reading the memory")
    a.add_argument("--session-bus", action="store_true",
                   help="give both programs a private session bus, as on a desktop")
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
        bus = None
        try:
            umgebung = {k: v for k, v in os.environ.items()
                        if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "WIRBELIX_SCREENSHOT",
                                     "DBUS_SESSION_BUS_ADDRESS")}
            umgebung["DISPLAY"] = anzeige
            if args.session_bus:
                bus, umgebung["DBUS_SESSION_BUS_ADDRESS"] = starte_sitzungsbus()
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
            for dienst in (bus, xvfb):
                if dienst:
                    dienst.send_signal(signal.SIGTERM)
                    dienst.wait()

    def median(reihe, i):
        return statistics.median(x[i] for x in reihe)

    print(f"{args.runs} runs each, memory read {args.settle_ms} ms after the window appeared, "
          f"{'a private session bus' if args.session_bus else 'no session bus'}")
    print(f"{'':10} {'start ms':>10} {'RSS MB':>8} {'libs':>6}")
    for name, reihe in (("game", spiel), ("sound off", stumm), ("minimal", boden)):
        print(f"{name:10} {median(reihe, 0):10.0f} {median(reihe, 1):8.1f} {median(reihe, 2):6.0f}")
    zeit = median(spiel, 0) / median(boden, 0)
    speicher = median(spiel, 1) / median(boden, 1)

    def bereich(reihe, i):
        unten, oben = intervall(reihe, boden, i)
        return f"{unten:.2f}-{oben:.2f}"

    print(f"{'ratio':10} {zeit:10.2f} {speicher:8.2f}")
    print(f"{'ratio off':10} {median(stumm, 0) / median(boden, 0):10.2f} "
          f"{median(stumm, 1) / median(boden, 1):8.2f}")
    print(f"95 % intervals: game time {bereich(spiel, 0)}, memory {bereich(spiel, 1)}; "
          f"sound off time {bereich(stumm, 0)}, memory {bereich(stumm, 1)}")
    erreicht = zeit <= ZIEL and speicher <= ZIEL
    print(f"goal (at most {ZIEL} times the minimal window in both): {'met' if erreicht else 'missed'}")


if __name__ == "__main__":
    main()
