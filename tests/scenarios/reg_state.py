#!/usr/bin/env python3
"""Registry values of a scenario machine, read and put in place through the
registry's text files (no program runs inside the machine).

  reg_state.py put  BUILD ROOT KEY NAME TYPE DATA
  reg_state.py dump BUILD ROOT KEY USER

BUILD is "native" (ROOT/registry.reg, REGEDIT4 with full root names) or
"wine" (ROOT/system.reg for HKLM and HKCR, ROOT/user.reg for HKCU, in
Wine's own format with key paths relative to the root). KEY is ROOT\\path
with ROOT one of HKLM, HKCU, HKCR. NAME "" is the default value. TYPE is
sz, expand_sz or dword. The dump lists the key and its subkeys, sorted
without regard to case, one value a line, in the same form for both builds.
"""
import os
import re
import sys

ROOT_NAMES = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER", "HKCR": "HKEY_CLASSES_ROOT"}
TYPE_NAMES = {0: "REG_NONE", 1: "REG_SZ", 2: "REG_EXPAND_SZ", 3: "REG_BINARY", 4: "REG_DWORD", 7: "REG_MULTI_SZ"}


def split_key(key):
    root, _, path = key.partition("\\")
    root = root.upper()
    if root not in ROOT_NAMES:
        sys.exit("reg_state: unknown root in " + key)
    return root, path


def wine_file_and_path(machine, root, path):
    """The Wine registry file of a root and the path of KEY inside it."""
    if root == "HKCU":
        return os.path.join(machine, "user.reg"), path
    if root == "HKCR":
        return os.path.join(machine, "system.reg"), "Software\\Classes" + ("\\" + path if path else "")
    return os.path.join(machine, "system.reg"), path


# ---- reading --------------------------------------------------------------

def unescape_wine(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c != "\\" or i + 1 == len(text):
            out.append(c)
            i += 1
            continue
        e = text[i + 1]
        if e == "x":
            m = re.match(r"[0-9a-fA-F]{1,4}", text[i + 2:])
            if m:
                out.append(chr(int(m.group(0), 16)))
                i += 2 + len(m.group(0))
                continue
        out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0", "a": "\a", "b": "\b",
                    "v": "\v", "f": "\f"}.get(e, e))
        i += 2
    return "".join(out)


def unescape_regedit(text):
    return re.sub(r"\\(.)", r"\1", text)


def read_quoted(line, pos, unescape):
    """The quoted text at line[pos] == '"'; returns (text, position behind it)."""
    i = pos + 1
    while i < len(line):
        if line[i] == "\\":
            i += 2
            continue
        if line[i] == '"':
            return unescape(line[pos + 1:i]), i + 1
        i += 1
    return unescape(line[pos + 1:]), len(line)


def hex_bytes(text):
    text = text.replace("\\", "").replace(" ", "").replace("\t", "")
    return bytes(int(b, 16) for b in text.split(",") if b)


def decode_data(spec, wine, unescape):
    """(type, python value) of the text behind '='."""
    if spec.startswith('"'):
        return 1, read_quoted(spec, 0, unescape)[0]
    m = re.match(r"str\((\d+)\):", spec)
    if m:
        return int(m.group(1)), read_quoted(spec, m.end(), unescape)[0]
    if spec.startswith("dword:"):
        return 4, int(spec[6:14], 16)
    m = re.match(r"hex(?:\(([0-9a-fA-F]+)\))?:", spec)
    if m:
        kind = int(m.group(1), 16) if m.group(1) else 3
        data = hex_bytes(spec[m.end():])
        if kind in (1, 2, 7):
            text = data.decode("utf-16-le" if wine else "cp1252", errors="replace")
            return kind, text.rstrip("\0") if kind != 7 else text
        return kind, data
    return 0, spec


def logical_lines(path):
    with open(path, "rb") as f:
        text = f.read().decode("cp1252", errors="replace")
    pending = ""
    for raw in text.replace("\r\n", "\n").split("\n"):
        line = pending + raw.strip() if pending else raw.rstrip()
        if line.endswith("\\") and not line.endswith('"\\') and re.search(r"hex(\(\w+\))?:", line):
            pending = line[:-1]
            continue
        pending = ""
        yield line


def load(build, machine, root):
    """{key path (lower case): (stored path, {value name: (type, data)})} of one root."""
    keys = {}
    if build == "wine":
        file, _ = wine_file_and_path(machine, root, "")
        prefix = "Software\\Classes\\" if root == "HKCR" else ""
        unescape = unescape_wine
    else:
        # The native registry keeps HKEY_CLASSES_ROOT's keys in the machine's
        # Software\Classes, as Windows does.
        prefix = "HKEY_LOCAL_MACHINE\\Software\\Classes\\" if root == "HKCR" else ROOT_NAMES[root] + "\\"
        file, unescape = os.path.join(machine, "registry.reg"), unescape_regedit
    current = None
    for line in logical_lines(file):
        if line.startswith("["):
            current = None
            end = line.rfind("]")
            name = line[1:end]
            if build == "wine":
                name = unescape_wine(name)
            if name.lower().startswith(prefix.lower()):
                stored = name[len(prefix):]
                current = keys.setdefault(stored.lower(), (stored, {}))[1]
            continue
        if current is None or not line or line[0] in ";#":
            continue
        if line.startswith("@="):
            name, rest = "", line[2:]
        elif line.startswith('"'):
            name, pos = read_quoted(line, 0, unescape)
            if pos >= len(line) or line[pos] != "=":
                continue
            rest = line[pos + 1:]
        else:
            continue
        current[name] = decode_data(rest, build == "wine", unescape)
    return keys


def show(kind, data):
    if kind in (1, 2):
        return '"%s"' % data.replace("\r", "<CR>").replace("\n", "<LF>")
    if kind == 4:
        return "0x%08x" % data
    if kind == 7:
        return '"%s"' % data.replace("\0", "\\0")
    return " ".join("%02x" % b for b in data) if isinstance(data, bytes) else str(data)


def dump(build, machine, key, user):
    root, path = split_key(key)
    keys = load(build, machine, root)
    base = path.lower()
    found = sorted((k for k in keys if k == base or k.startswith(base + "\\")), key=str.lower)
    # Wine's files leave out a key that has subkeys but no values of its
    # own; such a key is left out here for both builds.
    found = [k for k in found if keys[k][1] or not any(o.startswith(k + "\\") for o in found)]
    lines = []
    if not found:
        lines.append("registry %s: absent" % key)
    else:
        lines.append("registry %s" % key)
        for k in found:
            stored, values = keys[k]
            lines.append("  [%s%s]" % (key, stored[len(path):]))
            for name in sorted(values, key=str.lower):
                kind, data = values[name]
                lines.append("    %s  %s  %s" % (name or "<default>", TYPE_NAMES.get(kind, "type %d" % kind),
                                                show(kind, data)))
    text = "\n".join(lines) + "\n"
    text = re.sub(r"\\users\\%s(?=\\|\b)" % re.escape(user), r"\\users\\<USER>", text, flags=re.I)
    sys.stdout.write(text)


# ---- writing --------------------------------------------------------------

def escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def put(build, machine, key, name, kind, data):
    root, path = split_key(key)
    name_text = "@" if name == "" else '"%s"' % escape(name)
    if build == "wine":
        file, wine_path = wine_file_and_path(machine, root, path)
        if kind == "dword":
            value = "dword:%08x" % int(data, 16)
        elif kind == "expand_sz":
            value = 'str(2):"%s"' % escape(data)
        else:
            value = '"%s"' % escape(data)
        block = "\n[%s] 1700000000\n%s=%s\n" % (escape(wine_path), name_text, value)
        with open(file, "a", encoding="utf-8") as f:
            f.write(block)
        return
    if kind == "dword":
        value = "dword:%08x" % int(data, 16)
    elif kind == "expand_sz":
        value = "hex(2):" + ",".join("%02x" % b for b in data.encode("cp1252") + b"\0")
    else:
        value = '"%s"' % escape(data)
    block = "\r\n[%s\\%s]\r\n%s=%s\r\n" % (ROOT_NAMES[root], path, name_text, value)
    with open(os.path.join(machine, "registry.reg"), "ab") as f:
        f.write(block.encode("cp1252"))


def main(argv):
    if len(argv) == 7 and argv[0] == "put":
        put(*argv[1:])
    elif len(argv) == 5 and argv[0] == "dump":
        dump(*argv[1:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
