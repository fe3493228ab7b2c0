#!/usr/bin/env python3
"""Puts one-line slips into a scratch copy of the tree, one at a time, and reports which of
them the tests catch.

    scripts/mutation/mutate.py [--slips FILE] [--scratch DIR] [--only N,M,...]

The scratch copy (default: a folder under /tmp) gets the working tree as it is, uncommitted
changes included, and a build folder of its own; each slip is built, its tests run, and the
line is put back before the next. A slip whose build fails counts as caught by the compiler.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def read_slips(path):
    slips = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            fields = [part.strip() for part in line.split(" | ")]
            if len(fields) != 4:
                sys.exit(f"{path}:{number}: needs four fields separated by ' | '")
            slips.append({"line": number, "tests": fields[0], "file": fields[1], "old": fields[2], "new": fields[3]})
    return slips


def copy_tree(scratch):
    """Copies the working tree (no build folders, no git data) into scratch."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=TOP, check=True,
                            capture_output=True).stdout.decode().split("\0")
    for relative in filter(None, listed):
        source = os.path.join(TOP, relative)
        if not os.path.isfile(source):
            continue
        target = os.path.join(scratch, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)


def apply(scratch, slip):
    """Returns the file's original text after putting the slip in; None when the line is not
    found exactly once."""
    path = os.path.join(scratch, slip["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    matches = [i for i, text in enumerate(lines) if text.strip() == slip["old"]]
    if len(matches) != 1:
        return None
    i = matches[0]
    indent = lines[i][: len(lines[i]) - len(lines[i].lstrip())]
    lines[i] = indent + slip["new"]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return original


def restore(scratch, slip, original):
    with open(os.path.join(scratch, slip["file"]), "w", encoding="utf-8") as f:
        f.write(original)


def run(command, cwd, log):
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT).returncode


def test_command(tests):
    return ["xvfb-run", "-a", "-s", "-screen 0 1920x1080x24 -nolisten tcp -noreset",
            "ctest", "-R", tests, "--timeout", "300", "--output-on-failure"]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--slips", default=os.path.join(TOP, "scripts", "mutation", "slips.txt"))
    parser.add_argument("--scratch", default=None)
    parser.add_argument("--only", default=None, help="numbers (1-based) of the slips to try")
    args = parser.parse_args()

    slips = read_slips(args.slips)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        slips = [s for i, s in enumerate(slips, 1) if i in wanted]
    scratch = args.scratch or tempfile.mkdtemp(prefix="talvorin-mutation-")
    copy_tree(scratch)
    build = os.path.join(scratch, "build")
    log = os.path.join(scratch, "mutation.log")
    if run(["cmake", "-S", scratch, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], scratch, log):
        sys.exit(f"cannot configure the scratch copy; see {log}")

    results = []
    for slip in slips:
        original = apply(scratch, slip)
        if original is None:
            results.append((slip, "NOT APPLIED (line not found exactly once)"))
            continue
        try:
            if run(["cmake", "--build", build], scratch, log):
                verdict = "caught (build fails)"
            elif run(test_command(slip["tests"]), build, log):
                verdict = "caught"
            else:
                verdict = "MISSED"
        finally:
            restore(scratch, slip, original)
        results.append((slip, verdict))
        print(f"{verdict:10} {slip['file']}: {slip['new']}", flush=True)

    caught = sum(1 for _, verdict in results if verdict.startswith("caught"))
    print(f"\n{caught} of {len(results)} slips caught (log: {log})")
    for slip, verdict in results:
        if not verdict.startswith("caught"):
            print(f"  {verdict}: slips.txt line {slip['line']}: {slip['file']}: {slip['new']}")
    return 0 if caught == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
