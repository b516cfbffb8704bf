#!/usr/bin/env python3
"""Saver benchmark (a program, not a test): on one 1920x1080 Xvfb it measures

  * time from start to the first presented frame (median of several starts),
  * CPU seconds per wall second of the saver plus the X server, next to
    xflame --root measured the same way in the same run, for the full-screen
    saver and for hack mode (-root: the whole 1920x1080 root window),
  * resident memory of the saver.

Goals: first frame within 150 ms, CPU per wall second no more than xflame's
(hack mode: also no more than the full-screen saver's), RSS under 80 MB. Usage:
bench/saver/saver_bench.py [--bin build/bin] [--seconds 10] [--starts 7] [--baseline OTHER/bin]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from bench_support import (cindral_program, cpu_seconds, running_xvfb,  # noqa: E402,F401
                           stamp_ms, start_xvfb)
# (cpu_seconds and start_xvfb: the other saver benchmarks take them from here)

XFLAME = "/usr/libexec/xscreensaver/xflame"


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def first_frame_ms(cindral, env):
    return stamp_ms([cindral, "/s"], dict(env, CINDRAL_FIRST_FRAME_STAMP="1"),
                    "first-frame-realtime-ns")


def load(cmd, env, xvfb_pid, seconds, warmup=1.5):
    env = dict(env, CINDRAL_FIRST_FRAME_STAMP="1")
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True)
    time.sleep(warmup)
    c0 = cpu_seconds(proc.pid) + cpu_seconds(xvfb_pid)
    w0 = time.monotonic()
    time.sleep(seconds)
    c1 = cpu_seconds(proc.pid) + cpu_seconds(xvfb_pid)
    w1 = time.monotonic()
    rss = rss_mb(proc.pid)
    proc.terminate()
    _, err = proc.communicate(timeout=10)
    fps = renderer = None
    for line in err.splitlines():  # the saver's own report, when it is the saver
        words = line.split()
        if words[:1] == ["frames"]:
            fps = int(words[1]) / float(words[3])
        if words[:1] == ["first-frame-realtime-ns"]:
            renderer = words[5]
    return (c1 - c0) / (w1 - w0), rss, fps, renderer


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(os.path.dirname(__file__), "../../build/bin"))
    ap.add_argument("--seconds", type=float, default=10.0)
    ap.add_argument("--starts", type=int, default=7)
    ap.add_argument("--baseline", metavar="BIN",
                    help="another build's bin folder (say, the previous commit's): its starts "
                         "alternate with these and both first-frame medians are printed")
    args = ap.parse_args()
    cindral = cindral_program(args.bin)
    baseline = cindral_program(args.baseline) if args.baseline else None

    with running_xvfb(1920, 1080) as (xvfb, display):
        home = subprocess.check_output(["mktemp", "-d"], text=True).strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=home)

        # Alternating starts put both builds under the same passing load.
        starts, base_starts = [], []
        for _ in range(args.starts):
            if baseline:
                base_starts.append(first_frame_ms(baseline, env))
            starts.append(first_frame_ms(cindral, env))
        starts = [s for s in starts if s is not None]
        base_starts = [s for s in base_starts if s is not None]
        if starts:
            walls = [w for w, _ in starts]
            ff = statistics.median(walls)
            print(f"first frame: median {ff:.1f} ms over {len(starts)} starts "
                  f"(min {min(walls):.1f}, max {max(walls):.1f}), of it "
                  f"{statistics.median(c for _, c in starts):.1f} ms CPU of the saver "
                  f"(load average {os.getloadavg()[0]:.1f}); goal 150 ms: "
                  f"{'met' if ff <= 150 else 'MISSED'}")
            if base_starts:
                base = statistics.median(w for w, _ in base_starts)
                print(f"first frame of the baseline build: median {base:.1f} ms over "
                      f"{len(base_starts)} starts, "
                      f"{statistics.median(c for _, c in base_starts):.1f} ms CPU; "
                      f"ratio {ff / base:.2f} ({'faster' if ff < base else 'NOT faster'})")

        runs = [("cindral full screen (/s)", [cindral, "/s"], env),
                ("cindral hack mode (-root)", [cindral, "-root"], env)]
        results = {}
        if os.access(XFLAME, os.X_OK):
            cpu, _, _, _ = load([XFLAME, "--root"], env, xvfb.pid, args.seconds)
            results["xflame"] = cpu
            print(f"xflame --root: {cpu:.3f} CPU s per wall s (saver + X server)")
        for name, cmd, e in runs:
            cpu, rss, fps, renderer = load(cmd, e, xvfb.pid, args.seconds)
            line = (f"{name}: {cpu:.3f} CPU s per wall s (saver + X server), RSS {rss:.1f} MB, "
                    f"{fps or 0:.1f} frames/s via {renderer or 'X11 images'}")
            if "xflame" in results and results["xflame"] > 0:
                line += f", ratio to xflame {cpu / results['xflame']:.2f}"
            print(line)
            results[name] = cpu
        if "xflame" in results:
            ratio = results["cindral full screen (/s)"] / results["xflame"]
            print(f"goal CPU <= xflame: {'met' if ratio <= 1.0 else 'MISSED'} (ratio {ratio:.2f})")
            hack = results["cindral hack mode (-root)"]
            ratio = hack / results["xflame"]
            print(f"goal hack CPU <= xflame: {'met' if ratio <= 1.0 else 'MISSED'} "
                  f"(ratio {ratio:.2f})")
        full = results["cindral full screen (/s)"]
        if full > 0:
            ratio = results["cindral hack mode (-root)"] / full
            print(f"goal hack CPU <= full-screen saver: {'met' if ratio <= 1.0 else 'MISSED'} "
                  f"(ratio {ratio:.2f})")


if __name__ == "__main__":
    main()
