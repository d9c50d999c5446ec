#!/usr/bin/python3
"""clang-tidy (.clang-tidy) over the sources of the default build and the headers of this tree
they include, after that build: scripts/tidy.py

A source that passed is not checked again until it changes, or a header of this tree that it
includes does, or .clang-tidy or clang-tidy: the passes are kept by the hash of those in
~/.cache/coursework-tidy (TIDY_CACHE elsewhere), so a run after a small change checks only
what the change reaches."""

import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
os.chdir(root)
cache = os.environ.get("TIDY_CACHE") or os.path.join(
    os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "coursework-tidy")
os.makedirs(cache, exist_ok=True)

# This tree's folders: the platform layer, each program the build lists, the benchmark, tools.
with open("build/programs.json", encoding="utf-8") as f:
    programs = [program["name"] for program in json.load(f)]
folders = "|".join(["common"] + programs + ["bench", "tools"])
ours = re.compile("^%s/(%s)/" % (re.escape(root), folders))

with open("build/compile_commands.json") as f:
    entries = [e for e in json.load(f) if ours.match(e["file"])]


def settings():
    tidy = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True).stdout
    with open(".clang-tidy", "rb") as f:
        return f.read() + tidy.encode()


def headers(entry):
    """The files of this tree the source reads, itself first (the compiler's -MM)."""
    words = shlex.split(entry["command"])
    kept = []
    skip = False
    for w in words:
        if skip:
            skip = False
        elif w == "-o":
            skip = True
        elif w != "-c":
            kept.append(w)
    out = subprocess.run(kept + ["-MM", "-MG", "-MF", "-"], cwd=entry["directory"],
                         capture_output=True, text=True, check=True).stdout
    files = out.replace("\\\n", " ").split(":", 1)[1].split()
    return [os.path.normpath(os.path.join(entry["directory"], p)) for p in files]


def key(entry, common):
    digest = hashlib.sha256(common)
    for path in headers(entry):
        digest.update(path.removeprefix(root).encode())
        with open(path, "rb") as f:
            digest.update(f.read())
    return digest.hexdigest()


common = settings()
with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
    keys = dict(zip((e["file"] for e in entries), pool.map(lambda e: key(e, common), entries)))
pending = sorted(f for f, k in keys.items() if not os.path.exists(os.path.join(cache, k)))
print("clang-tidy: %d sources unchanged since they passed, %d to check"
      % (len(keys) - len(pending), len(pending)), flush=True)
if not pending:
    sys.exit(0)

log = "build/clang-tidy.log"
with open(log, "w") as out:
    run = subprocess.run(["run-clang-tidy", "-quiet", "-j", str(os.cpu_count()), "-p", "build",
                          "-header-filter", ours.pattern,
                          "^(%s)$" % "|".join(re.escape(p) for p in pending)],
                         stdout=out, stderr=subprocess.STDOUT)
if run.returncode != 0:
    with open(log) as f:
        lines = f.read().splitlines()
    for i, line in enumerate(lines):
        if re.search(r"(warning|error):", line):
            print("\n".join(lines[i:i + 4]))
    sys.exit(1)
for source in pending:
    open(os.path.join(cache, keys[source]), "w").close()
print("clang-tidy: ok")
