#!/usr/bin/env python3
"""Prints deb-src entries (deb822 form) copied from the machine's own deb entries
for a release: the same URIs, components and keyring, the suite that is the
release's codename. Reads sources.list and sources.list.d/*.list / *.sources as
apt does; exits 1 when no deb entry names that suite.

usage: debsrc.py CODENAME [APT-FOLDER]   (APT-FOLDER: /etc/apt)
"""
import glob
import os
import re
import sys


def one_line_entries(path):
    """Entries of the one-line form: deb [options] uri suite component..."""
    with open(path, encoding="utf-8", errors="replace") as source:
        for line in source:
            line = line.split("#", 1)[0].strip()
            match = re.match(r"^(deb|deb-src)\s+(?:\[([^\]]*)\]\s+)?(\S+)\s+(\S+)\s*(.*)$", line)
            if not match:
                continue
            kind, options, uri, suite, components = match.groups()
            fields = {"Types": kind, "URIs": uri, "Suites": suite, "Components": components}
            for option in (options or "").split():
                key, _, value = option.partition("=")
                if key == "signed-by":
                    fields["Signed-By"] = value
                elif key == "trusted":
                    fields["Trusted"] = value
            yield fields


def deb822_entries(path):
    """Stanzas of a .sources file; a field's continuation lines are kept as they stand."""
    with open(path, encoding="utf-8", errors="replace") as source:
        text = source.read()
    for stanza in re.split(r"\n\s*\n", text):
        fields = {}
        key = None
        for line in stanza.splitlines():
            if line.startswith("#"):
                continue
            if line[:1] in (" ", "\t") and key:
                fields[key] += "\n" + line
                continue
            key, colon, value = line.partition(":")
            if not colon:
                key = None
                continue
            key = key.strip()
            fields[key] = value.strip()
        if fields.get("Enabled", "yes").lower() != "no" and "Types" in fields:
            yield fields


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    codename = sys.argv[1]
    apt = sys.argv[2] if len(sys.argv) == 3 else "/etc/apt"
    entries = []
    if os.path.isfile(os.path.join(apt, "sources.list")):
        entries += one_line_entries(os.path.join(apt, "sources.list"))
    for path in sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.list"))):
        entries += one_line_entries(path)
    for path in sorted(glob.glob(os.path.join(apt, "sources.list.d", "*.sources"))):
        entries += deb822_entries(path)

    stanzas = []
    for fields in entries:
        if "deb" not in fields["Types"].split() or codename not in fields.get("Suites", "").split():
            continue
        stanza = ["Types: deb-src", "URIs: " + fields["URIs"], "Suites: " + codename,
                  "Components: " + fields.get("Components", "")]
        for key in ("Signed-By", "Trusted"):
            if key in fields:
                value = fields[key]
                stanza.append(key + ":" + (value if value.startswith("\n") else " " + value))
        if stanza not in stanzas:
            stanzas.append(stanza)
    if not stanzas:
        sys.stderr.write("no deb entry for %s in %s to copy a deb-src entry from\n" % (codename, apt))
        return 1
    print("\n\n".join("\n".join(stanza) for stanza in stanzas))
    return 0


if __name__ == "__main__":
    sys.exit(main())
