#!/usr/bin/env python3
"""Settings window start-up benchmark (a program, not a test): on one 1024x768
Xvfb it measures the time from starting `cindral /c` to the first paint of the
settings window, with its eight fire previews rendered, as the median of
several starts; beside it, measured the same way in the same run, the saver's
own time from start to its first presented frame (`cindral /s`).

Goal: the settings window is visible within 300 ms of start.
Usage: bench/settings/settings_bench.py [--bin build/bin] [--starts 9]
"""
import argparse
import os
import statistics
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, ".."), os.path.join(HERE, "..", "saver")]
from bench_support import cindral_program, running_xvfb, stamp_ms  # noqa: E402
from saver_bench import first_frame_ms  # noqa: E402 (the saver's own measurement)


def first_paint_ms(cindral, env):
    """Milliseconds from starting the settings window to its first paint, and
    the program's CPU milliseconds until then."""
    return stamp_ms([cindral, "/c"], dict(env, CINDRAL_FIRST_PAINT_STAMP="1"),
                    "first-paint-realtime-ns")


def summary(name, results):
    results = [r for r in results if r is not None]
    if not results:
        print(f"{name}: no measurement (the program printed no stamp)")
        return None
    walls = [w for w, _ in results]
    median = statistics.median(walls)
    print(f"{name}: median {median:.1f} ms over {len(walls)} starts "
          f"(min {min(walls):.1f}, max {max(walls):.1f}), of it "
          f"{statistics.median(c for _, c in results):.1f} ms CPU of the program")
    return median


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(os.path.dirname(__file__), "../../build/bin"))
    ap.add_argument("--starts", type=int, default=9)
    args = ap.parse_args()
    cindral = cindral_program(args.bin)

    with running_xvfb(1024, 768) as (_, display):
        with tempfile.TemporaryDirectory() as home:
            env = dict(os.environ, DISPLAY=display, HOME=home, XDG_CONFIG_HOME=home)
            settings, saver = [], []
            for _ in range(args.starts):  # interleaved, so both see the same machine load
                settings.append(first_paint_ms(cindral, env))
                saver.append(first_frame_ms(cindral, env))
            paint = summary("settings window, start to first paint", settings)
            frame = summary("saver, start to first frame", saver)
            if paint is not None and frame:
                print(f"ratio settings window / saver: {paint / frame:.2f}")
            if paint is not None:
                print(f"goal 300 ms: {'met' if paint <= 300 else 'MISSED'} "
                      f"(load average {os.getloadavg()[0]:.1f})")


if __name__ == "__main__":
    main()
