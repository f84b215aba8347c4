#!/usr/bin/env python3
"""Whole runs of the native setup over damaged control files.

The control files of the scenarios and of the example package are mutated
(lines dropped, doubled, swapped, cut, lengthened past every buffer, bytes
changed, sections and variables thrown in), and each mutant is installed
with /S into a fresh simulated machine. A run must end by itself with one of
the documented exit codes; a signal, a sanitizer report or a hang is a
failure, and the mutant is kept for the report.

usage: mutated_control_files.py SETUP SOURCE_DIR WORK_DIR [--cases N] [--seed N]
                                [--wine-prefix PREFIX]
(with --wine-prefix, SETUP is SETUP.EXE, run under Wine in that prefix)
"""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys

EXIT_CODES = {0, 1, 2, 3, 4}
EXITS_SEEN = {}
SECONDS_PER_RUN = 20

# Pieces a control-file author might get wrong. None of them names the drive
# Z: (the host's root in the simulation), so a mutant cannot reach the host.
TOKENS = [
    "[Version]", "[Strings]", "[Files]", "[RegWrite]", "[RegWriteUninstall]", "[RegRead]",
    "[SetMnuLNK]", "[IniWrite]", "[Info]", "[", "]", "=", ",", ",,", '"', '""', "%", "%%",
    "%MyProgramPath%", "%MyStartMenu%", "%InfPath%", "%Programs%", "%UNKNOWN%", "%ProgramFiles%",
    "FormKw=TALVEN", "MyProgramPath=C:\\App", "MyStartMenu=App", "/s", "*.*", "*", "?", "\\",
    "\\\\", "HKLM", "HKCU", "HKCR", "HKXX", "Software\\Test", "<default>", "00000010", "12G4",
    ",DWORD,", ",N,", "Before=README.TXT", "After=README.TXT", "URL=http://x", ";", "\t", " ",
    "C:\\", "C:", "1", "-1", "4294967296", "ProgramFiles", "Desktop", "AppData", "Fonts",
]
LONG_PIECES = ["A" * 300, "B\\" * 150, "%" * 600, "x" * 1100, "C:\\" + "d\\" * 200, "," * 700]


def seed_control_files(source_dir):
    """The control files written in the scenarios, and the example's."""
    seeds = []
    scenarios = os.path.join(source_dir, "tests", "scenarios")
    inline = re.compile(r"pkg_inf \S+ <<'INF'\n(.*?)\nINF\n", re.S)
    for name in sorted(os.listdir(scenarios)):
        script = os.path.join(scenarios, name, "scenario.sh")
        if os.path.isfile(script):
            with open(script, encoding="latin-1") as f:
                seeds += [m.group(1) for m in inline.finditer(f.read())]
    with open(os.path.join(source_dir, "examples", "package", "APP.INF"), encoding="latin-1") as f:
        seeds.append(f.read())
    return seeds


def mutate(text, rng):
    lines = text.replace("\r\n", "\n").split("\n")
    # Most mutants keep a good signature, so that the run gets past it.
    head = []
    if lines[:2] == ["[Version]", "FormKw=TALVEN"] and rng.random() < 0.85:
        head, lines = lines[:2], lines[2:]
    for _ in range(rng.randint(1, 6)):
        kind = rng.randrange(9)
        i = rng.randrange(len(lines)) if lines else 0
        if not lines:
            lines.append(rng.choice(TOKENS))
        elif kind == 0:
            del lines[i]
        elif kind == 1:
            lines.insert(i, lines[i])
        elif kind == 2:
            j = rng.randrange(len(lines))
            lines[i], lines[j] = lines[j], lines[i]
        elif kind == 3:
            lines[i] = lines[i][: rng.randrange(len(lines[i]) + 1)]
        elif kind == 4:
            at = rng.randrange(len(lines[i]) + 1)
            lines[i] = lines[i][:at] + rng.choice(LONG_PIECES) + lines[i][at:]
        elif kind == 5:
            at = rng.randrange(len(lines[i]) + 1)
            lines[i] = lines[i][:at] + rng.choice(TOKENS) + lines[i][at:]
        elif kind == 6 and lines[i]:
            at = rng.randrange(len(lines[i]))
            lines[i] = lines[i][:at] + chr(rng.choice([0x01, 0x7F, 0x80, 0xA0, 0xE9, 0xFF, 0x22])) + lines[i][at + 1:]
        elif kind == 7:
            lines.insert(i, rng.choice(TOKENS) + "=" + rng.choice(TOKENS) + "," + rng.choice(TOKENS))
        else:
            lines.insert(i, rng.choice(LONG_PIECES))
    ending = rng.choice(["\r\n", "\n", "\r"])
    return ending.join(head + lines) + rng.choice(["", ending])


def reaches_host(text):
    """True for a mutant that could name a host path: skipped, never run."""
    return re.search(r"[zZ]\s*:", text) is not None or ".." in text


def make_package(pkg, source_dir):
    os.makedirs(os.path.join(pkg, "sub"), exist_ok=True)
    for name, text in [("README.TXT", "read me\r\n"), ("a.txt", "a\r\n"), ("sub/b.dll", "not a PE\r\n")]:
        with open(os.path.join(pkg, name), "w") as f:
            f.write(text)
    help_dir = os.path.join(source_dir, "examples", "package", "help")
    if os.path.isdir(help_dir):
        shutil.copytree(help_dir, os.path.join(pkg, "help"), dirs_exist_ok=True)


def verdict(returncode, stderr):
    """What was wrong with a finished run, or None."""
    EXITS_SEEN[returncode] = EXITS_SEEN.get(returncode, 0) + 1
    if returncode not in EXIT_CODES:
        return "exit code %d\n%s" % (returncode, stderr[-3000:])
    for sign in ("Sanitizer", "runtime error:", "nhandled exception", "nhandled page fault"):
        if sign in stderr:
            return "%s\n%s" % (sign, stderr[-3000:])
    return None


def run_command(command, env):
    try:
        done = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=SECONDS_PER_RUN, env=env)
    except subprocess.TimeoutExpired:
        return None, "no end after %d s" % SECONDS_PER_RUN
    return done, None


def write_package(pkg, source_dir, text):
    shutil.rmtree(pkg, ignore_errors=True)
    make_package(pkg, source_dir)
    with open(os.path.join(pkg, "APP.INF"), "w", encoding="latin-1", newline="") as f:
        f.write(text)


def run_native(setup, base_machine, work, source_dir, text, as_user):
    """One run of the native build in a fresh copy of the simulated machine."""
    machine = os.path.join(work, "machine")
    shutil.rmtree(machine, ignore_errors=True)
    shutil.copytree(base_machine, machine, symlinks=True)
    write_package(os.path.join(machine, "drive_d", "pkg"), source_dir, text)
    if as_user:
        subprocess.run(["chmod", "-R", "a+rwX", machine], check=True)
    command = (as_user or []) + [setup, "--machine", machine, "/S", "D:\\pkg\\APP.INF"]
    done, problem = run_command(command, dict(os.environ, SETUP_NO_SLEEP="1"))
    return problem or verdict(done.returncode, done.stderr.decode("latin-1"))


def run_wine(setup_exe, prefix, source_dir, text):
    """One run of SETUP.EXE under Wine; the package lies on the prefix's C:."""
    write_package(os.path.join(prefix, "drive_c", "pkg"), source_dir, text)
    done, problem = run_command(["wine", setup_exe, "/S", "C:\\pkg\\APP.INF"],
                                dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all"))
    if problem:
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix))
        return problem
    return verdict(done.returncode, done.stderr.decode("latin-1"))


def unprivileged_prefix():
    """As root, the runs go as nobody: no mutant can write where users may not."""
    if os.geteuid() != 0:
        return None
    setpriv = shutil.which("setpriv")
    if not setpriv:
        return None
    return [setpriv, "--reuid=nobody", "--regid=nogroup", "--clear-groups"]


def main():
    parser = argparse.ArgumentParser(description="Whole runs over damaged control files.")
    parser.add_argument("setup", help="the native setup, or SETUP.EXE with --wine-prefix")
    parser.add_argument("source_dir")
    parser.add_argument("work_dir")
    parser.add_argument("--cases", type=int, default=150)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--wine-prefix", help="run SETUP.EXE under Wine in this prefix")
    args = parser.parse_args()
    work = args.work_dir
    os.makedirs(work, exist_ok=True)

    if args.wine_prefix:
        run = lambda text: run_wine(args.setup, args.wine_prefix, args.source_dir, text)
    else:
        as_user = unprivileged_prefix()
        if as_user:
            os.chmod(work, 0o777)
        base_machine = os.path.join(work, "base")
        subprocess.run([args.setup, "--machine", base_machine, "/S", os.path.join(work, "none.inf")],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.isdir(os.path.join(base_machine, "drive_c")):
            print("FAIL: no simulated machine could be made")
            return 1
        os.makedirs(os.path.join(base_machine, "drive_d"), exist_ok=True)
        run = lambda text: run_native(args.setup, base_machine, work, args.source_dir, text, as_user)

    seeds = seed_control_files(args.source_dir)
    rng = random.Random(args.seed)
    failures = 0
    ran = 0
    while ran < args.cases:
        text = mutate(rng.choice(seeds), rng)
        if reaches_host(text):
            continue
        ran += 1
        problem = run(text)
        if problem:
            failures += 1
            kept = os.path.join(work, "failure-%03d.inf" % failures)
            with open(kept, "w", encoding="latin-1", newline="") as f:
                f.write(text)
            print("FAIL: case %d (seed %d): %s\n  control file kept as %s" % (ran, args.seed, problem, kept))
    exits = ", ".join("%d: %d" % (code, n) for code, n in sorted(EXITS_SEEN.items()))
    print("%d mutated control files, %d failed (exit codes %s)" % (ran, failures, exits))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
