#!/usr/bin/env python3
"""Saver soak (a program, not a test): runs the real saver on a private Xvfb
for a given time with music, as a desktop would leave it running, and prints
what it holds at the start and the end of each run so that growth shows.

The time is split into runs that switch the music kind between them: an audio
CD (a BIN/CUE image made here, named by CINDRAL_CDROM), a WAV file and, when
lame is installed, an MP3 file. During a CD run an arrow key is pressed every
second (left and right in turn: the track changes, the saver goes on); during a
file run every key would end the saver, so the pointer moves every second
instead (movement never ends it).

For each run it prints resident memory, open file descriptors and threads two
seconds after the start and at the end, and the saver's CPU seconds per wall
second; a last line sums the whole soak up. Flat counts are the goal.

Usage: bench/saver/saver_soak.py [--bin build/bin] [--minutes 10] [--runs 6]
"""
import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from bench_support import cindral_program, cpu_seconds, running_xvfb  # noqa: E402

RATE = 44100
SECTOR = 2352  # bytes of CD audio per sector: 588 stereo 16-bit samples


def holdings(pid):
    """Resident MiB, open descriptors, threads."""
    rss = threads = 0
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1]) / 1024.0
            elif line.startswith("Threads:"):
                threads = int(line.split()[1])
    fds = len(os.listdir(f"/proc/{pid}/fd"))
    return rss, fds, threads


def tone(hertz, seconds):
    n = int(RATE * seconds)
    out = bytearray()
    for i in range(n):
        v = int(12000 * math.sin(2 * math.pi * hertz * i / RATE))
        out += struct.pack("<hh", v, v)
    return bytes(out)


def write_wav(path, pcm):
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(pcm)) + b"WAVEfmt ")
        f.write(struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * 4, 4, 16))
        f.write(b"data" + struct.pack("<I", len(pcm)) + pcm)


def msf(sector):
    return f"{sector // (75 * 60):02d}:{sector // 75 % 60:02d}:{sector % 75:02d}"


def write_bin_cue(folder, tracks):
    cue = ['FILE "disc.bin" BINARY']
    sector = 0
    with open(os.path.join(folder, "disc.bin"), "wb") as data:
        for number, pcm in enumerate(tracks, 1):
            pcm += bytes(-len(pcm) % SECTOR)  # whole sectors
            data.write(pcm)
            cue += [f"  TRACK {number:02d} AUDIO", f"    INDEX 01 {msf(sector)}"]
            sector += len(pcm) // SECTOR
    path = os.path.join(folder, "disc.cue")
    with open(path, "w") as f:
        f.write("\n".join(cue) + "\n")
    return path


def settings(kind, music_file=""):
    # The two music keys as the program stores them (Shift-JIS names).
    kind_key = b"BGM\x8b\xe6\x95\xaa"
    file_key = b"BGM\xcc\xa7\xb2\xd9"
    return (b"[Section]\r\n" + kind_key + b"= " + str(kind).encode() + b"\r\n" +
            file_key + b"=" + music_file.encode() + b"\r\n")


def xdo(env, *args):
    subprocess.run(["xdotool", *args], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=10)


def wait_for_window(env, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Cindral_Main$"],
                               env=env, capture_output=True, text=True, timeout=10).stdout
        if found.strip():
            return True
        time.sleep(0.1)
    return False


def one_run(program, env, kind, seconds):
    proc = subprocess.Popen([program, "/s"], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    try:
        if not wait_for_window(env):
            raise RuntimeError(f"{kind}: no saver window")
        time.sleep(2)
        start = holdings(proc.pid)
        c0, w0 = cpu_seconds(proc.pid), time.monotonic()
        step = 0
        while time.monotonic() - w0 < seconds:
            time.sleep(1)
            step += 1
            if kind == "cd":
                xdo(env, "key", "Left" if step % 2 else "Right")
            else:
                xdo(env, "mousemove", str(100 + step % 7 * 50), str(100 + step % 5 * 40))
            if proc.poll() is not None:
                raise RuntimeError(f"{kind}: saver ended by itself: {proc.stderr.read()}")
        end = holdings(proc.pid)
        cpu = (cpu_seconds(proc.pid) - c0) / (time.monotonic() - w0)
        proc.terminate()
        proc.wait(timeout=5)
        return start, end, cpu
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()


def describe(h):
    return f"rss {h[0]:6.1f} MiB, fds {h[1]:3d}, threads {h[2]:2d}"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(here, "..", "..", "build", "bin"))
    parser.add_argument("--minutes", type=float, default=10.0)
    parser.add_argument("--runs", type=int, default=6)
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="cindral-soak-")
    try:
        # The program reads its settings beside itself, so it runs from a copy.
        program = os.path.join(folder, "cindral")
        shutil.copy2(cindral_program(args.bin), program)
        cue = write_bin_cue(folder, [tone(hz, 20) for hz in (440, 660, 880)])
        wav = os.path.join(folder, "song.wav")
        write_wav(wav, tone(550, 15))
        kinds = [("cd", settings(1)), ("wav", settings(2, wav))]
        if shutil.which("lame"):
            mp3 = os.path.join(folder, "song.mp3")
            subprocess.run(["lame", "--quiet", "-b", "128", wav, mp3], check=True)
            kinds.append(("mp3", settings(2, mp3)))
        with running_xvfb(1280, 720) as (_, display):
            env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy", CINDRAL_CDROM=cue,
                       XDG_CONFIG_HOME=folder, HOME=folder)
            soak(program, env, folder, kinds, args.minutes * 60 / args.runs, args.runs)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def soak(program, env, folder, kinds, seconds, runs):
    print(f"soak: {runs} runs of {seconds:.0f} s on {env['DISPLAY']}, music kinds "
          f"{', '.join(k for k, _ in kinds)} in turn", flush=True)
    first = last = None
    cpus = []
    for run in range(runs):
        kind, ini = kinds[run % len(kinds)]
        with open(os.path.join(folder, "Cindral.ini"), "wb") as f:
            f.write(ini)
        start, end, cpu = one_run(program, env, kind, seconds)
        first = first or start
        last = end
        cpus.append(cpu)
        print(f"run {run + 1} {kind:3s}: start {describe(start)} | end {describe(end)} | "
              f"cpu {cpu:.3f} s per wall s", flush=True)
    print(f"soak: first start {describe(first)} | last end {describe(last)} | "
          f"cpu {min(cpus):.3f}..{max(cpus):.3f} s per wall s")


if __name__ == "__main__":
    sys.exit(main())
