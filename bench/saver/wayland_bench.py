#!/usr/bin/env python3
"""CPU per wall second of the saver on headless sway (client and compositor)
at 1920 x 1080 and 3840 x 2160, next to the X11 saver on Xvfb (client and X
server) at the same sizes, measured in one run. Prints one line per case:

  SIZE wayland: client C cpu-s/s, compositor S cpu-s/s, frames/s F | x11: client C, server S, frames/s F
"""
import os, re, shutil, signal, subprocess, sys, tempfile, time

BIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "bin", "cindral")
WARM, SPAN = 3.0, 5.0
TICK = os.sysconf("SC_CLK_TCK")


def cpu_s(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def measure(client, server):
    time.sleep(WARM)
    c0, s0, t0 = cpu_s(client.pid), cpu_s(server), time.monotonic()
    time.sleep(SPAN)
    c1, s1, t1 = cpu_s(client.pid), cpu_s(server), time.monotonic()
    client.send_signal(signal.SIGTERM)
    err = client.communicate(timeout=10)[1].decode(errors="replace")
    m = re.search(r"frames (\d+) in ([\d.]+) s", err)
    fps = int(m.group(1)) / float(m.group(2)) if m else float("nan")
    wall = t1 - t0
    return (c1 - c0) / wall, (s1 - s0) / wall, fps


def measure_saver(env, server):
    """Starts the saver with `env` beside `server` (a Popen), measures both, ends both."""
    client = subprocess.Popen([BIN, "/s"], env=dict(env, CINDRAL_FIRST_FRAME_STAMP="1"),
                              stderr=subprocess.PIPE)
    try:
        return measure(client, server.pid)
    finally:
        server.terminate()
        server.wait()


def wayland(w, h):
    run = tempfile.mkdtemp(prefix="cindral-bench-")
    os.chown(run, 65534, 65534)
    os.chmod(run, 0o700)
    conf = os.path.join(run, "sway.conf")
    with open(conf, "w") as f:
        f.write(f"output HEADLESS-1 resolution {w}x{h} position 0 0\n")
    os.chmod(conf, 0o644)
    env = dict(os.environ, XDG_RUNTIME_DIR=run, WLR_BACKENDS="headless", WLR_HEADLESS_OUTPUTS="1",
               WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
    env.pop("WAYLAND_DISPLAY", None)
    sway = subprocess.Popen(["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                             "sway", "-c", conf], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    while not os.path.exists(os.path.join(run, "wayland-1")):
        time.sleep(0.05)
    time.sleep(0.5)
    try:
        return measure_saver(dict(os.environ, XDG_RUNTIME_DIR=run, WAYLAND_DISPLAY="wayland-1",
                                  DISPLAY=""), sway)
    finally:
        shutil.rmtree(run, ignore_errors=True)


def x11(w, h):
    display = ":97"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{w}x{h}x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    return measure_saver(dict(os.environ, DISPLAY=display, WAYLAND_DISPLAY=""), xvfb)


def main():
    for w, h in ((1920, 1080), (3840, 2160)):
        wc, ws, wf = wayland(w, h)
        xc, xs, xf = x11(w, h)
        print(f"{w}x{h} wayland: client {wc:.3f} cpu-s/s, compositor {ws:.3f} cpu-s/s, "
              f"frames/s {wf:.1f} | x11: client {xc:.3f} cpu-s/s, server {xs:.3f} cpu-s/s, "
              f"frames/s {xf:.1f} | client ratio wayland/x11 {wc / xc if xc else float('nan'):.2f}",
              flush=True)


if __name__ == "__main__":
    sys.exit(main())
