#!/usr/bin/env python3
"""Windows saver speed under Wine (a program, not a test): on one 1920x1080
Xvfb it runs the native saver and then cindral.scr under Wine for the same
time and prints, for each, the frame step (wall milliseconds per frame) and the
CPU seconds per wall second of the saver plus the X server (plus, under Wine,
Wine's own processes), and the ratio of Wine's figures to the native ones.
cindral.scr runs three ways: DirectDraw on Wine's OpenGL renderer, DirectDraw
on Wine's GDI renderer (a registry value in the prefix, put back as it was
afterwards), and the program's own GDI presentation (CINDRAL_DISPLAY=gdi).

Usage: bench/saver/wine_saver_bench.py [--bin build/bin] [--scr build-mingw64/bin/cindral.scr]
       [--wine /usr/lib/wine/wine64] [--seconds 10]
The Wine prefix is the one in WINEPREFIX, else build-mingw64/wineprefix.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from bench_support import cpu_seconds, running_xvfb  # noqa: E402


def cpu_seconds_so_far(pid):
    """cpu_seconds, or 0 for a process that has ended (Wine's come and go)."""
    try:
        return cpu_seconds(pid)
    except OSError:
        return 0.0


def processes_with_env(key, value):
    """Pids whose environment holds key=value (the Wine server of our prefix)."""
    wanted = f"{key}={value}".encode()
    pids = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/environ", "rb") as f:
                if wanted in f.read().split(b"\0"):
                    pids.append(int(name))
        except OSError:
            pass
    return pids


def measure(cmd, env, extra_pids, seconds, stop, warmup):
    """CPU per wall second of the program and `extra_pids()`, and its frame report."""
    # A file, not a pipe: Wine's helper processes inherit it and outlive the saver.
    log = tempfile.TemporaryFile(mode="w+")
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=log, text=True)
    time.sleep(warmup)
    pids = [proc.pid] + extra_pids()
    c0 = sum(cpu_seconds_so_far(p) for p in pids)
    w0 = time.monotonic()
    time.sleep(seconds)
    c1 = sum(cpu_seconds_so_far(p) for p in pids)
    w1 = time.monotonic()
    stop(proc)
    proc.wait(timeout=20)
    log.seek(0)
    err = log.read()
    frames = wall = None
    for line in err.splitlines():
        words = line.replace(",", "").split()
        if words[:1] == ["frames"]:
            frames, wall = int(words[1]), float(words[3])
    step = wall * 1000 / frames if frames else float("nan")
    return (c1 - c0) / (w1 - w0), step, err.strip().splitlines()


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..")
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(root, "build/bin"))
    ap.add_argument("--scr", default=os.path.join(root, "build-mingw64/bin/cindral.scr"))
    ap.add_argument("--wine", default="/usr/lib/wine/wine64")
    ap.add_argument("--seconds", type=float, default=10.0)
    args = ap.parse_args()
    cindral = os.path.abspath(os.path.join(args.bin, "cindral"))
    scr = os.path.abspath(args.scr)
    for path in (cindral, scr, args.wine):
        if not os.access(path, os.R_OK):
            sys.exit(f"missing {path}: build it first")
    prefix = os.environ.get("WINEPREFIX") or os.path.abspath(
        os.path.join(os.path.dirname(scr), "../wineprefix"))
    wineserver = os.path.join(os.path.dirname(args.wine), "wineserver")

    with running_xvfb(1920, 1080) as (xvfb, display):
        home = tempfile.mkdtemp()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=home,
                   CINDRAL_FIRST_FRAME_STAMP="1", CINDRAL_FRAME_REPORT="1",
                   WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        native = measure([cindral, "/s"], env, lambda: [xvfb.pid], args.seconds,
                         lambda p: p.terminate(), warmup=1.5)

        def click(_):
            # A click reaches the window under the pointer; a key needs the
            # input focus, which no window manager hands out here.
            subprocess.run(["xdotool", "mousemove", "500", "500", "click", "1"], env=env,
                           check=False)

        key = "HKCU\\Software\\Wine\\Direct3D"

        def renderer(value):
            cmd = ([args.wine, "reg", "add", key, "/v", "renderer", "/t", "REG_SZ", "/d", value,
                    "/f"] if value else [args.wine, "reg", "delete", key, "/v", "renderer", "/f"])
            subprocess.run(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([wineserver, "-w"], env=env)

        query = subprocess.run([args.wine, "reg", "query", key, "/v", "renderer"], env=env,
                               capture_output=True, text=True)
        before = None
        for line in query.stdout.splitlines():
            words = line.split()
            if words[:2] == ["renderer", "REG_SZ"] and len(words) > 2:
                before = words[2]

        results = [("native cindral", native, "saver + X server")]
        try:
            for name, wine_renderer, extra in (
                    ("cindral.scr, DirectDraw, Wine's OpenGL renderer", "gl", {}),
                    ("cindral.scr, DirectDraw, Wine's GDI renderer", "gdi", {}),
                    ("cindral.scr, GDI presentation", "gdi", {"CINDRAL_DISPLAY": "gdi"})):
                renderer(wine_renderer)
                try:
                    run = measure([args.wine, scr, "/s"], dict(env, **extra),
                                  lambda: [xvfb.pid] + processes_with_env("WINEPREFIX", prefix),
                                  args.seconds, click, warmup=4.0)
                finally:
                    subprocess.run([wineserver, "-k"], env=env, check=False)
                results.append((name, run, "saver + X server + Wine"))
        finally:
            renderer(before)
        for name, (cpu, step, report), what in results:
            line = (f"{name}: frame step {step:.1f} ms ({1000 / step:.1f} frames/s), "
                    f"{cpu:.3f} CPU s per wall s ({what})")
            if name != "native cindral":
                line += f"; ratio to native: step {step / native[1]:.2f}, CPU {cpu / native[0]:.2f}"
            print(line)
            for text in report:
                if text.startswith("frames"):
                    print(f"  its report: {text}")


if __name__ == "__main__":
    main()
