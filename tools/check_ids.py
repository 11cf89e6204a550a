#!/usr/bin/env python3
"""Fails when a source or resource script writes a number that the id tables name.

Every id is defined once, in resources/ids/*.txt and the named string table
(resources/strings/en.txt), and written everywhere else by its name (the generated
ResourceIds.h). This check reads the tables and looks for their numbers where a
number is an id:

  resource scripts   the id of a resource, a menu item, a key, a toolbar button or
                     a dialog control
  C++                a decimal number of 1000 or more anywhere in the code; a smaller
                     or hexadecimal one (colours, masks, chunk tags) where it can only
                     be an id: a message-map entry, a case label, a resource loaded or
                     looked up by it, a named id defined as it

Comments and string literals do not count. Test fixtures and benches number their
own resources and are not looked at. A number that is an id by coincidence only
goes into ALLOWED with its reason.

usage: check_ids.py [ROOT]    (ROOT: the repository, by default this script's parent)
"""
import os
import re
import subprocess
import sys

SCANNED = ('engine/', 'script/', 'model/', 'framework/', 'ui/', 'ide/', 'resources/')
TABLES = 'resources/ids'
STRINGS = 'resources/strings/en.txt'

# Numbers of 1000 or more that mean something else far more often than an id: Windows language
# ids (German, English, Russian), buffer sizes, milliseconds and other round numbers.
QUANTITIES = {1031, 1033, 1049, 1023, 1024, 1000, 10000}

# (file, number): why this number is not the id the tables give it.
ALLOWED = {
}

NUMBER = r'(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)(?![\w.])'
# Where a small number can only be an id in C++.
ID_CONTEXTS = [
    re.compile(r'\bON_\w+\(\s*' + NUMBER),                      # message-map entries
    re.compile(r'\bON_\w+_RANGE\(\s*\w+\s*,\s*' + NUMBER),     # ...and their ranges
    re.compile(r'\bON_\w+_RANGE\([^,]*,\s*' + NUMBER),
    re.compile(r'\bON_NOTIFY\w*\([^,]*,\s*' + NUMBER),
    re.compile(r'\bcase\s+' + NUMBER + r'\s*:'),
    re.compile(r'\b(?:Load\w*|SetIcons\w*|SetMenu|MAKEINTRESOURCE\w*|FindResource\w*|GetDlgItem\w*|SetDlgItem\w*|CheckDlgButton|'
               r'IsDlgButtonChecked|SendDlgItemMessage\w*|DDX_\w+)\((?:[^,()]*,\s*)?' + NUMBER + r'\s*[,)]'),
    re.compile(r'\b(?:ID\w*|\w*Id|\w*ID|IDD|IDR\w*|IDC\w*|IDB\w*|IDS\w*|kId\w*|k\w*(?:Menu|Bitmap|Cursor|Template|Icon|Id|ID)s?)'
               r'\s*=\s*' + NUMBER + r'\s*(?:[,;}]|$)'),
]
# Where a number is an id in a resource script.
RC_CONTEXTS = [
    re.compile(r'^' + NUMBER + r'\s+(?:MENU|MENUEX|DIALOG|DIALOGEX|ACCELERATORS|ICON|BITMAP|CURSOR|241|STRINGTABLE)\b'),
    re.compile(r'^\s*(?:MENUITEM|POPUP)\s+"(?:[^"]|"")*",\s*' + NUMBER),
    re.compile(r'^\s*(?:"[^"]*"|VK_\w+|\d+),\s*' + NUMBER + r',\s*(?:VIRTKEY|ASCII)'),
    re.compile(r'^\s*(?:[A-Z]+TEXT|[A-Z]*BUTTON|[A-Z]*BOX|CONTROL|ICON)\s+(?:"(?:[^"]|"")*",\s*)?' + NUMBER + r'\s*,'),
    re.compile(r'^\s*(?:EDITTEXT|LISTBOX|COMBOBOX|SCROLLBAR)\s+' + NUMBER + r'\s*,'),
]


def value_of(literal):
    """A C integer literal's value: hexadecimal, octal (a leading 0) or decimal."""
    if literal[:2] in ('0x', '0X'):
        return int(literal, 16)
    if len(literal) > 1 and literal[0] == '0':
        return int(literal, 8) if set(literal) <= set('01234567') else -1
    return int(literal)


def read_tables(root):
    """number -> [names], from the id tables and the named string table."""
    names = {}
    folder = os.path.join(root, TABLES)
    for entry in sorted(os.listdir(folder)):
        if entry.endswith('.txt'):
            with open(os.path.join(folder, entry), encoding='utf-8') as f:
                for line in f:
                    words = line.split('#', 1)[0].split()
                    if len(words) == 2 and words[0].isdigit():
                        names.setdefault(int(words[0]), []).append(words[1])
    with open(os.path.join(root, STRINGS), encoding='utf-8') as f:
        for line in f:
            m = re.match(r'^(\d+)\s+([A-Za-z_]\w*)\s+"', line)
            if m:
                names.setdefault(int(m.group(1)), []).append(m.group(2))
    return names


def strip_cpp(text):
    """The code with comments and string and character literals blanked, lines kept."""
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append('\n' * text.count('\n', i, j))
            i = j
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def strip_rc(line):
    """A resource script's line without its comment."""
    return '' if line.lstrip().startswith(('//', '#')) else line


def findings_in(path, text, names):
    found = []
    rc = path.endswith('.rc')
    lines = (text if rc else strip_cpp(text)).split('\n')
    for number, line in enumerate(lines, 1):
        values = set()
        if rc:
            line = strip_rc(line)
            for pattern in RC_CONTEXTS:
                values.update(m.group(1) for m in pattern.finditer(line))
        else:
            for m in re.finditer(NUMBER, line):
                if m.group(1)[:2] in ('0x', '0X'):
                    continue
                value = value_of(m.group(1))
                if value >= 1000 and value not in QUANTITIES:
                    values.add(m.group(1))
            for pattern in ID_CONTEXTS:
                values.update(m.group(1) for m in pattern.finditer(line))
        for literal in sorted(values):
            value = value_of(literal)
            if value in names and (path, value) not in ALLOWED:
                found.append(f'{path}({number}): {literal} is {" or ".join(names[value])}')
    return found


def tracked_files(root):
    listed = subprocess.run(['git', '-C', root, 'ls-files', '--', *SCANNED], capture_output=True, text=True,
                            check=True).stdout.split('\n')
    return [p for p in listed if p.endswith(('.cpp', '.h', '.rc')) and os.path.isfile(os.path.join(root, p))]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    names = read_tables(root)
    found = []
    for path in tracked_files(root):
        with open(os.path.join(root, path), encoding='utf-8', errors='replace') as f:
            found += findings_in(path, f.read(), names)
    for line in found:
        print(line)
    if found:
        print(f'check_ids: {len(found)} numbers written where their names belong (resources/ids, {STRINGS})',
              file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
