#!/usr/bin/env python3
"""Compiles the module against stand-ins of the host's public SDK headers.

    module_vs_public_sdk.py --facts <sdk-facts>/9.6 --src <src/> --work <scratch folder>
                            [--cxx g++] [--define _LINUX --define _XGL] [--abi lp64]

Writes the stand-ins of one public SDK version (sdk_standins.py), then compiles every
module source against them alone (-fsyntax-only, warnings as errors), and compiles the
module descriptor to an object to check that _mod_descrip comes out as a global symbol
of default visibility even though the module is built hidden: the public headers
declare nothing for it, so the definition must carry the export itself.
"""
import argparse
import concurrent.futures
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DESCRIPTOR_SOURCE = os.path.join("shell", "module_descriptor.cpp")


def run(cmd):
    return subprocess.run(cmd, capture_output=True, text=True)


def sources(src):
    found = []
    for root, _, files in os.walk(src):
        found += [os.path.join(root, f) for f in files if f.endswith(".cpp")]
    return sorted(found)


def descriptor_symbol(readelf_output):
    """(bind, visibility, section) of _mod_descrip in `readelf -sW` output, or None."""
    for line in readelf_output.splitlines():
        f = line.split()
        if len(f) >= 8 and f[7] == "_mod_descrip":
            return f[4], f[5], f[6]
    return None


def check_descriptor_export(cxx, flags, src, work, is_elf):
    obj = os.path.join(work, "module_descriptor.o")
    r = run([cxx] + flags + ["-c", os.path.join(src, DESCRIPTOR_SOURCE), "-o", obj])
    if r.returncode != 0:
        return "module descriptor did not compile:\n" + r.stderr
    if not is_elf:
        # A PE object asks the linker to export a symbol with a directive in its
        # .drectve section.
        with open(obj, "rb") as f:
            marked = re.search(rb'-export:"?_mod_descrip\b', f.read())
        return None if marked else "_mod_descrip is not marked for export in the Windows object"
    sym = descriptor_symbol(run(["readelf", "-sW", obj]).stdout)
    if not sym:
        return "_mod_descrip is not defined by " + DESCRIPTOR_SOURCE
    bind, vis, ndx = sym
    if bind != "GLOBAL" or vis != "DEFAULT" or ndx == "UND":
        return "_mod_descrip is %s %s (section %s); the host needs it GLOBAL DEFAULT" % (bind, vis, ndx)
    return None


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--facts", required=True)
    ap.add_argument("--src", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--cxx", default="g++")
    ap.add_argument("--define", action="append", default=[])
    ap.add_argument("--abi", choices=["lp64", "llp64"], default="lp64")
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args()

    if run(["sh", "-c", "command -v " + args.cxx]).returncode != 0:
        print("SKIPPED: %s is not installed" % args.cxx)
        return 0
    standins = os.path.join(args.work, "include")
    r = run([sys.executable, os.path.join(HERE, "sdk_standins.py"), "--facts", args.facts,
             "--out", standins, "--abi", args.abi])
    if r.returncode != 0:
        print(r.stdout + r.stderr)
        return 1
    print(r.stdout.strip())

    flags = ["-std=c++20", "-Wall", "-Wextra", "-Werror", "-fvisibility=hidden",
             "-I", args.src, "-I", standins] + ["-D" + d for d in args.define]
    files = sources(args.src)
    failures = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for f, res in zip(files, pool.map(lambda f: run([args.cxx, "-fsyntax-only"] + flags + [f]), files)):
            if res.returncode != 0:
                failures.append("%s:\n%s" % (os.path.relpath(f, args.src), res.stderr))
    problem = check_descriptor_export(args.cxx, flags, args.src, args.work, "mingw" not in args.cxx)
    if problem:
        failures.append(problem)
    for f in failures:
        print(f)
    print("%d module sources against the public %s stand-ins (%s, %s): %d failure(s)" %
          (len(files), os.path.basename(os.path.normpath(args.facts)), args.cxx,
           " ".join(args.define), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
