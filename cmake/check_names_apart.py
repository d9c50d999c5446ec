#!/usr/bin/env python3
"""Fails when two programs' objects define the same external name. Linked into one module (the
browser's), the linker would keep one of the two definitions for both programs, or refuse.
Inline functions and template instances (weak names) are the compiler's to merge; what a
program defines itself, each in its own namespace, must differ.
Usage: check_names_apart.py --nm <nm> <program's archive>...   (lib<program>_parts.a)"""
import argparse
import os
import re
import subprocess
import sys


def defined_names(nm, archive):
    """The external names the archive defines: {mangled: (strong, readable)}."""
    def listing(*flags):
        out = subprocess.run([nm, "--defined-only", "--extern-only", *flags, archive],
                             check=True, capture_output=True, text=True).stdout
        return [line.split(None, 2) for line in out.splitlines() if re.match(r"^\S+ \S \S", line)]

    names = {}
    for (_, kind, name), (_, _, readable) in zip(listing(), listing("--demangle")):
        # Lower-case kinds are local; W and V are weak, C a tentative definition.
        strong = kind.isupper() and kind not in "WVCU"
        names[name] = (strong or names.get(name, (False,))[0], readable)
    return names


def program_of(archive):
    return re.sub(r"^lib|_parts\.a$|\.a$", "", os.path.basename(archive))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--nm", default="nm")
    parser.add_argument("archives", nargs="+")
    args = parser.parse_args()

    seen = {}  # name -> [(program, strong, readable)]
    for archive in args.archives:
        for name, (strong, readable) in defined_names(args.nm, archive).items():
            seen.setdefault(name, []).append((program_of(archive), strong, readable))
    clashes = [(definers[0][2], [p for p, _, _ in definers]) for definers in seen.values()
               if len(definers) > 1 and any(strong for _, strong, _ in definers)]
    for readable, programs in sorted(clashes):
        print(f"{' and '.join(programs)} both define {readable}: put each in its program's "
              "namespace", file=sys.stderr)
    return 1 if clashes else 0


if __name__ == "__main__":
    sys.exit(main())
