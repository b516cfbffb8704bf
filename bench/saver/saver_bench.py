#!/usr/bin/env python3
"""Saver benchmark (a program, not a test). It measures

  * on a 1920x1080 Xvfb, the time from start to the first presented frame
    (median of several starts),
  * on an Xvfb of each size of --sizes, CPU seconds per wall second of the
    saver and of the X server, separately, next to xflame --root measured the
    same way in the same run, for the full-screen saver and for hack mode
    (-root: the whole root window), the frame rate, the resident memory, and
    the growth of each figure from the smallest size.

Goals: first frame within 150 ms; at every size 60 frames a second and saver
+ server CPU no more than xflame's; the saver's own CPU at the largest size no
more than 1.3 times its CPU at the smallest; RSS under 80 MB. With --baseline
the other build's first frame and full-screen CPU are measured in the same run.
Usage: bench/saver/saver_bench.py [--bin build/bin] [--seconds 10] [--starts 7]
       [--sizes 1280x720,1920x1080,3840x2160] [--baseline OTHER/bin]
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
    """Saver and server CPU seconds per wall second, RSS, frames per second and the
    stamp line's renderer and vsync words (the last three None for another program)."""
    env = dict(env, CINDRAL_FIRST_FRAME_STAMP="1")
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True)
    time.sleep(warmup)
    s0, x0 = cpu_seconds(proc.pid), cpu_seconds(xvfb_pid)
    w0 = time.monotonic()
    time.sleep(seconds)
    s1, x1 = cpu_seconds(proc.pid), cpu_seconds(xvfb_pid)
    w1 = time.monotonic()
    rss = rss_mb(proc.pid)
    proc.terminate()
    _, err = proc.communicate(timeout=10)
    fps = renderer = vsync = None
    for line in err.splitlines():  # the saver's own report, when it is the saver
        words = line.split()
        if words[:1] == ["frames"]:
            fps = int(words[1]) / float(words[3])
        if words[:1] == ["first-frame-realtime-ns"]:
            renderer, vsync = words[5], words[7]
    wall = w1 - w0
    return dict(saver=(s1 - s0) / wall, server=(x1 - x0) / wall, rss=rss, fps=fps,
                renderer=renderer, vsync=vsync)


def parse_sizes(text):
    sizes = []
    for part in text.split(","):
        w, h = part.lower().split("x")
        sizes.append((int(w), int(h)))
    return sorted(sizes, key=lambda s: s[0] * s[1])


def print_first_frames(cindral, baseline, starts_wanted):
    with running_xvfb(1920, 1080) as (_, display):
        home = subprocess.check_output(["mktemp", "-d"], text=True).strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=home)
        # Alternating starts put both builds under the same passing load.
        starts, base_starts = [], []
        for _ in range(starts_wanted):
            if baseline:
                base_starts.append(first_frame_ms(baseline, env))
            starts.append(first_frame_ms(cindral, env))
        starts = [s for s in starts if s is not None]
        base_starts = [s for s in base_starts if s is not None]
        if not starts:
            print("first frame: the saver printed no stamp")
            return
        walls = [w for w, _ in starts]
        ff = statistics.median(walls)
        print(f"first frame (1920x1080): median {ff:.1f} ms over {len(starts)} starts "
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


def measure_size(size, runs, seconds):
    """Every run of `runs` (name -> command, None for a missing program) on one Xvfb."""
    results = {}
    with running_xvfb(*size) as (xvfb, display):
        home = subprocess.check_output(["mktemp", "-d"], text=True).strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=home)
        for name, cmd in runs:
            results[name] = load(cmd, env, xvfb.pid, seconds)
            r = results[name]
            line = (f"  {name}: saver {r['saver']:.3f} + server {r['server']:.3f} = "
                    f"{r['saver'] + r['server']:.3f} CPU s per wall s")
            if r["fps"] is not None:
                line += (f", {r['fps']:.1f} frames/s via {r['renderer'] or 'X11 images'}"
                         f" (vsync {r['vsync'] or '?'}), RSS {r['rss']:.1f} MB")
            print(line, flush=True)
    return results


def verdict(ok):
    return "met" if ok else "MISSED"


def print_goals(sizes, table):
    small, large = sizes[0], sizes[-1]
    name = "cindral /s"
    print(f"growth from {small[0]}x{small[1]} (saver, server):")
    for size in sizes:
        for run in table[size]:
            if run in table[small] and table[small][run]["saver"] > 0:
                a, b = table[small][run], table[size][run]
                print(f"  {size[0]}x{size[1]} {run}: saver x{b['saver'] / a['saver']:.2f}, "
                      f"server x{b['server'] / max(a['server'], 1e-9):.2f}")
    for run in (name, "cindral -root"):
        a, b = table[small][run]["saver"], table[large][run]["saver"]
        growth = b / a if a > 0 else float("inf")
        print(f"goal {run} own CPU at {large[0]}x{large[1]} <= 1.3 x {small[0]}x{small[1]}: "
              f"{verdict(growth <= 1.3)} (x{growth:.2f})")
    for size in sizes:
        row = table[size]
        fps = min(row[r]["fps"] or 0 for r in (name, "cindral -root"))
        print(f"goal 60 frames/s at {size[0]}x{size[1]}: {verdict(fps >= 59)} ({fps:.1f})")
        if "xflame" in row:
            peer = row["xflame"]["saver"] + row["xflame"]["server"]
            for run in (name, "cindral -root"):
                total = row[run]["saver"] + row[run]["server"]
                print(f"goal {run} saver + server <= xflame at {size[0]}x{size[1]}: "
                      f"{verdict(total <= peer)} (ratio {total / peer:.2f})")
        if "baseline /s" in row:
            a, b = row["baseline /s"], row[name]
            print(f"against the baseline at {size[0]}x{size[1]}: saver "
                  f"x{b['saver'] / max(a['saver'], 1e-9):.2f}, saver + server "
                  f"x{(b['saver'] + b['server']) / max(a['saver'] + a['server'], 1e-9):.2f}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(os.path.dirname(__file__), "../../build/bin"))
    ap.add_argument("--seconds", type=float, default=10.0)
    ap.add_argument("--starts", type=int, default=7)
    ap.add_argument("--sizes", default="1280x720,1920x1080,3840x2160",
                    help="screen sizes of the CPU measurements, WxH separated by commas")
    ap.add_argument("--baseline", metavar="BIN",
                    help="another build's bin folder (say, the previous commit's): its starts "
                         "alternate with these, and its full-screen CPU is measured at every size")
    args = ap.parse_args()
    cindral = cindral_program(args.bin)
    baseline = cindral_program(args.baseline) if args.baseline else None
    sizes = parse_sizes(args.sizes)

    if args.starts > 0:
        print_first_frames(cindral, baseline, args.starts)
    runs = []
    if os.access(XFLAME, os.X_OK):
        runs.append(("xflame", [XFLAME, "--root"]))
    runs += [("cindral /s", [cindral, "/s"]), ("cindral -root", [cindral, "-root"])]
    if baseline:
        runs.append(("baseline /s", [baseline, "/s"]))
    table = {}
    for size in sizes:
        print(f"{size[0]}x{size[1]}:", flush=True)
        table[size] = measure_size(size, runs, args.seconds)
    print_goals(sizes, table)


if __name__ == "__main__":
    main()
