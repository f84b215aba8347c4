#!/usr/bin/env python3
"""Writes platform/README.md: every Win32 function the emulation declares in
win32_api_posix.h, with the file under platform/posix that defines it.
Run from the top of the tree after adding or moving a function."""
import collections
import glob
import re
import sys

POSIX = 'platform/posix/'
CONCERNS = collections.OrderedDict([
    ('machine', 'the simulated machine: its directory, default contents, environment, start-up, command line'),
    ('kernel', 'last errors, handles and sharing, processes, code page, clock, date formats, system messages'),
    ('paths', 'Windows paths and the host paths behind them, case-blind lookup, short names, DOS masks, the current, Windows and system folders, the search path'),
    ('files', 'open files, reads and writes, copies, moves, deletes, folders, attributes, times, directory searches, the test faults'),
    ('profile', 'INI files: parsing, encodings, the cache, reads and edits'),
    ('registry', 'the registry tree, its REGEDIT4 file, keys and values, HKEY_CLASSES_ROOT'),
    ('version', "PE and NE headers, version resources and the version API, the native program's own version"),
    ('links', 'the component library and the shell-link object, the .lnk writer'),
    ('ui', 'dialogs, message boxes and the folder browser on a terminal'),
])
HEAD = """# platform/

The core reaches the operating system only through `platform/platform.h`:
the Win32 functions it calls, by their own names (ANSI forms), and a few
start-up and terminal calls of our own (`namespace platform`).

- `win32/`: SETUP.EXE's side, the real API (imports, delay-loaded DLLs from
  the system folder, the dialog layout).
- `posix/`: our emulation of that Win32 subset over a simulated machine
  kept in a directory. `posix/win32_api_posix.h` declares every emulated
  function, type and constant; each folder below has one internal header
  (`<folder>/<folder>_posix.h`) that its neighbours include.

The contract tests in `tests/contract/` run the same table rows on both
sides: natively against the emulation, and under Wine.

## The emulated functions and where they live
"""


def declared_functions():
    api = open(POSIX + 'win32_api_posix.h').read()
    # Free functions start at the line's start; COM methods are indented.
    pattern = r'^(?:extern "C" )?(?:[A-Za-z_][\w\*]*\s+\**)+((?:[A-Z][a-z0-9]+)+[AW]?)\s*\('
    return sorted(set(re.findall(pattern, api, re.M)))


def defining_files(names):
    found = collections.defaultdict(list)
    for path in sorted(glob.glob(POSIX + '**/*.cpp', recursive=True)):
        text = open(path).read()
        for name in names:
            if re.search(r'^[^\s/#][^;{}\n]*\b' + name + r'\s*\([^;{}]*\)\s*\{', text, re.M):
                found[name].append(path[len(POSIX):])
    return found


def main():
    names = declared_functions()
    files = defining_files(names)
    missing = [n for n in names if n not in files]
    if missing:
        sys.exit('declared but defined nowhere: ' + ' '.join(missing))
    out = [HEAD, '| Folder | Concern |', '|---|---|']
    out += ['| `posix/%s/` | %s |' % item for item in CONCERNS.items()]
    for folder in CONCERNS:
        rows = [(n, f) for n in names for f in files[n] if f.startswith(folder + '/')]
        if not rows:
            continue
        out += ['', '### posix/%s/' % folder, '', '| Function | File |', '|---|---|']
        out += ['| `%s` | `%s` |' % (n, f.split('/', 1)[1]) for n, f in rows]
    out += ['', '%d functions. Made by `platform/posix/list_functions.py`.' % len(names)]
    open('platform/README.md', 'w').write('\n'.join(out) + '\n')


main()
