#!/usr/bin/env python3
"""Keeps the core portable: a file under a core folder may include only the C++
standard library, the SSE/AVX intrinsic headers and other core folders, and
never asks which operating system it is built for.

  core_includes.py SRC_DIR      checks the tree, lists each offence, exit 1 if any
  core_includes.py --self-test  plants each kind of offence in a scratch tree and
                                checks that every one is caught and nothing else
"""

import pathlib
import re
import sys
import tempfile

# Every folder of the source tree is core but these two.
OUTSIDE_CORE = ("platform", "app")


def core_folders(src_dir):
    """The core folders: every folder directly under SRC_DIR but OUTSIDE_CORE."""
    return sorted(p.name for p in pathlib.Path(src_dir).iterdir()
                  if p.is_dir() and p.name not in OUTSIDE_CORE)

# The headers of the C++20 standard library (the C library in its <cname> form).
STANDARD = set("""
algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv
chrono cinttypes climits clocale cmath codecvt compare complex concepts condition_variable
coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar
cwctype deque exception execution filesystem format forward_list fstream functional future
initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
memory memory_resource mutex new numbers numeric optional ostream queue random ranges ratio
regex scoped_allocator semaphore set shared_mutex source_location span sstream stack
stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
version
""".split())

# x86 SIMD intrinsics (SSE to AVX-512), which every x86 compiler ships.
INTRINSICS = {
    "mmintrin.h", "xmmintrin.h", "emmintrin.h", "pmmintrin.h", "tmmintrin.h",
    "smmintrin.h", "nmmintrin.h", "wmmintrin.h", "immintrin.h", "x86intrin.h",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Any test of the target platform in a preprocessor line.
PLATFORM_TEST = re.compile(r"^\s*#.*\b(_WIN32|_WIN64|WIN32|__linux__|__unix__|__APPLE__|_MSC_VER|__MINGW32__)\b")


def offences(src_dir):
    """(file, line number, text) of every forbidden line under the core folders."""
    found = []
    root = pathlib.Path(src_dir)
    folders = core_folders(root)
    for folder in folders:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".hpp", ".cpp", ".cc", ".inl"):
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                if PLATFORM_TEST.match(line):
                    found.append((path, number, line.strip()))
                    continue
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, name = m.groups()
                if kind == "<":
                    allowed = name in STANDARD or name in INTRINSICS
                else:
                    allowed = name.split("/", 1)[0] in folders and "/" in name
                if not allowed:
                    found.append((path, number, line.strip()))
    return found


# What a core file must not contain, one planted file each; then lines it may.
PLANTED_OFFENCES = [
    "#include <SDL2/SDL.h>",
    "#include <X11/Xlib.h>",
    "#include <cdio/cdio.h>",
    "#include <unistd.h>",
    "#include <windows.h>",
    "#include <QtWidgets/QWidget>",
    "#include <stdio.h>",
    '#include "platform/x11/monitors.h"',
    '#include "app/linux/saver_run.h"',
    '#include "monitors.h"',
    "#ifdef _WIN32",
    "#if defined(__linux__)",
]
PLANTED_ALLOWED = [
    "#include <vector>",
    "#include <cstdint>",
    "#include <filesystem>",
    "#include <emmintrin.h>",
    "#include <immintrin.h>",
    '#include "display/ports.h"',
    '#include "saver/window.h"',
    '#include "newly_added/ports.h"',
    "#if defined(__SSE2__) || defined(_M_X64)",
]


def self_test():
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        # Core folders of any name, found rather than listed.
        planted_folders = ("fire", "display", "saver", "config", "newly_added")
        for index, line in enumerate(PLANTED_OFFENCES):
            folder = root / planted_folders[index % len(planted_folders)]
            folder.mkdir(exist_ok=True)
            (folder / f"offence{index}.h").write_text(f"#pragma once\n{line}\n")
        (root / "fire" / "allowed.cpp").write_text("\n".join(PLANTED_ALLOWED) + "\n")
        # Outside the core anything goes.
        (root / "platform").mkdir()
        (root / "platform" / "window.cpp").write_text("\n".join(PLANTED_OFFENCES) + "\n")
        caught = sorted(text for _, _, text in offences(root))
    failures = [f"not caught: {line}" for line in PLANTED_OFFENCES if line not in caught]
    failures += [f"wrongly caught: {line}" for line in caught if line not in PLANTED_OFFENCES]
    failures += [f"caught twice: {line}" for line in set(caught) if caught.count(line) > 1]
    for failure in failures:
        print(failure)
    print(f"{len(PLANTED_OFFENCES) - len(failures)} of {len(PLANTED_OFFENCES)} planted offences caught"
          if not failures else "self-test failed")
    return 1 if failures else 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    found = offences(argv[1])
    for path, number, text in found:
        print(f"{path}:{number}: core file reaches outside the core: {text}")
    print(f"{len(found)} core boundary offences")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
