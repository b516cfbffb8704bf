"""What the benchmark programs share: a private Xvfb, CPU time of a process,
and the time from starting a program to a stamp it prints on stderr."""
import contextlib
import os
import subprocess
import sys
import time

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def cindral_program(bin_dir):
    """The program in `bin_dir`; ends the benchmark when it is not built there."""
    cindral = os.path.abspath(os.path.join(bin_dir, "cindral"))
    if not os.access(cindral, os.X_OK):
        sys.exit(f"no program at {cindral}; build it first (cmake --build build --target cindral)")
    return cindral


def start_xvfb(width, height):
    """An Xvfb of one screen at 24 bits, on a display number it picks itself."""
    r, w = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(w), "-screen", "0", f"{width}x{height}x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(w)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(r, 16)
        if not chunk:
            break
        number += chunk
    os.close(r)
    return proc, ":" + number.decode().strip()


@contextlib.contextmanager
def running_xvfb(width, height):
    """start_xvfb for the length of a with-block: yields the server and its display."""
    proc, display = start_xvfb(width, height)
    try:
        yield proc, display
    finally:
        proc.terminate()
        proc.wait(timeout=10)


def stamp_ms(cmd, env, stamp):
    """Milliseconds from starting `cmd` to its stderr line `STAMP REALTIME_NS cpu-ms CPU_MS ...`,
    and the program's CPU milliseconds until then; None when it printed no such line."""
    t0 = time.time_ns()
    proc = subprocess.Popen(cmd, env=env, stderr=subprocess.PIPE, text=True)
    stamped = cpu = None
    for line in proc.stderr:
        words = line.split()
        if words[:1] == [stamp]:
            stamped, cpu = int(words[1]), float(words[3])
            break
    proc.terminate()
    proc.communicate(timeout=10)
    return None if stamped is None else ((stamped - t0) / 1e6, cpu)
