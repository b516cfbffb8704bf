#!/usr/bin/env python3
"""Proves that the build itself keeps the core apart: a core file that includes
an adapter header, a program header or a core folder its library does not
declare fails to compile with the very command the build compiles it with.

  core_compile.py BUILD_DIR SRC_DIR

For each core library, one of its own source files is compiled (syntax only)
with its command from BUILD_DIR/compile_commands.json, once as it is (the
control: it must compile) and once with each planted include in front of it
(it must fail, and the compiler must name the planted header as not found).
"""

import json
import pathlib
import shlex
import subprocess
import sys
import tempfile

# Every core library must refuse these: the adapters and the programs.
PLANTED_EVERYWHERE = ("platform/x11/monitors.h", "platform/wayland/keys.h",
                      "app/linux/hack_run.h")
# Core folders a library does not declare: config declares no other folder.
PLANTED_UNDECLARED = {"config": ("saver/ports.h", "fire/rnd.h")}
OUTSIDE_CORE = ("platform", "app")

# Flags that name outputs of the real build; the checks write nothing there.
DROP_WITH_ARGUMENT = {"-o", "-c", "-MT", "-MF", "-MQ"}
DROP_ALONE = {"-MD", "-MMD"}


def check_command(entry):
    """The entry's compiler and flags, checking syntax only and writing nothing."""
    words = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    if pathlib.Path(words[0]).name == "ccache":
        words = words[1:]
    kept, skip = [], False
    for word in words:
        if skip:
            skip = False
        elif word in DROP_WITH_ARGUMENT:
            skip = True
        elif word not in DROP_ALONE:
            kept.append(word)
    source = pathlib.Path(entry["file"]).resolve()
    return [w for w in kept if pathlib.Path(w).resolve() != source] + ["-fsyntax-only"]


def compile_with(command, directory, planted, source, scratch):
    """Compiles `source` with `planted` (maybe none) included in front of it."""
    wrapper = pathlib.Path(scratch) / (source.stem + "_planted.cpp")
    lines = [f'#include "{planted}"'] if planted else []
    lines.append(f'#include "{source}"')
    wrapper.write_text("\n".join(lines) + "\n", encoding="utf-8")
    return subprocess.run(command + [str(wrapper)], cwd=directory, capture_output=True,
                          text=True)


def core_sources(entries, src_dir):
    """One source file and its entry per core folder, the first by name."""
    chosen = {}
    for entry in sorted(entries, key=lambda e: e["file"]):
        path = pathlib.Path(entry["file"]).resolve()
        try:
            relative = path.relative_to(src_dir)
        except ValueError:
            continue
        folder = relative.parts[0]
        if len(relative.parts) == 2 and folder not in OUTSIDE_CORE:
            chosen.setdefault(folder, (path, entry))
    return chosen


def main(build_dir, src_dir):
    src_dir = pathlib.Path(src_dir).resolve()
    entries = json.loads((pathlib.Path(build_dir) / "compile_commands.json").read_text())
    chosen = core_sources(entries, src_dir)
    folders = sorted(p.name for p in src_dir.iterdir()
                     if p.is_dir() and p.name not in OUTSIDE_CORE)
    failures = [f"{f}: no source of this core folder in the compile database"
                for f in folders if f not in chosen]
    with tempfile.TemporaryDirectory() as scratch:
        for folder in folders:
            if folder not in chosen:
                continue
            source, entry = chosen[folder]
            command = check_command(entry)
            control = compile_with(command, entry["directory"], None, source, scratch)
            if control.returncode != 0:
                failures.append(f"{folder}: {source.name} does not compile as it is:\n"
                                f"{control.stderr}")
                continue
            planted_all = PLANTED_EVERYWHERE + PLANTED_UNDECLARED.get(folder, ())
            for planted in planted_all:
                result = compile_with(command, entry["directory"], planted, source, scratch)
                if result.returncode == 0:
                    failures.append(f"{folder}: {source.name} compiles with #include "
                                    f'"{planted}"')
                elif planted not in result.stderr or "No such file" not in result.stderr:
                    failures.append(f"{folder}: planting {planted} failed for another reason:\n"
                                    f"{result.stderr}")
                else:
                    first = result.stderr.strip().splitlines()
                    shown = next((l for l in first if "fatal error" in l or "error" in l), "")
                    print(f"{folder}: {source.name} + {planted}: {shown}")
            print(f"{folder}: {source.name} compiles without the planted lines")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
