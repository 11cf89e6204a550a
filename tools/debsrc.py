#!/usr/bin/env python3
"""Prints deb-src entries (deb822 form) copied from the machine's own deb entries
for a release: one stanza per archive with the release's codename as its suite,
the components of all the deb entries for it and the keyring they name. Reads
sources.list and sources.list.d/*.list / *.sources as apt does; exits 1 when no
deb entry names that suite.

apt holds one set of options per archive and suite for deb and deb-src alike and
refuses a keyring that differs from one set before, an empty one included; so the
stanza names the keyring the entries name, and none where they name different ones
(apt refuses those already) or none at all (apt then trusts its archive keyring).

usage: debsrc.py CODENAME [APT-FOLDER]   (APT-FOLDER: /etc/apt)
"""
import glob
import os
import re
import sys

# Field names as apt reads them, in any case.
FIELDS = {name.lower(): name for name in
          ("Types", "URIs", "Suites", "Components", "Signed-By", "Trusted", "Enabled")}


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
            key = FIELDS.get(key.strip().lower(), key.strip())
            fields[key] = value.strip()
        if fields.get("Enabled", "yes").lower() != "no" and "Types" in fields:
            yield fields


def archive_key(uri):
    # apt adds the closing slash itself: with or without it is one archive.
    return uri.rstrip("/")


def agreed(values):
    """The one value the entries that set it give, else None."""
    named = {value for value in values if value is not None}
    return named.pop() if len(named) == 1 else None


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

    archives = {}  # archive -> its URI as first written and its deb entries, in order
    for fields in entries:
        if "deb" not in fields["Types"].split() or codename not in fields.get("Suites", "").split():
            continue
        for uri in fields.get("URIs", "").split():
            archives.setdefault(archive_key(uri), (uri, []))[1].append(fields)
    if not archives:
        sys.stderr.write("no deb entry for %s in %s to copy a deb-src entry from\n" % (codename, apt))
        return 1

    stanzas = []
    for uri, same in archives.values():
        components = []
        for fields in same:
            components += [c for c in fields.get("Components", "").split() if c not in components]
        stanza = ["Types: deb-src", "URIs: " + uri, "Suites: " + codename,
                  "Components: " + " ".join(components)]
        for key in ("Signed-By", "Trusted"):
            value = agreed(fields.get(key) for fields in same)
            if value is not None:
                stanza.append(key + ":" + (value if value.startswith("\n") else " " + value))
        stanzas.append("\n".join(stanza))
    print("\n\n".join(stanzas))
    return 0


if __name__ == "__main__":
    sys.exit(main())
