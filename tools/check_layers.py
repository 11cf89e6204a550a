#!/usr/bin/env python3
"""Checks that the source folders depend only downward.

    resources                  the interface texts: a leaf every folder may use
    engine, framework          stand alone
    script, model              use engine
    ui                         uses framework; inside it ui/base < ui/commandbars < ui/tabs < ui/docking
    ide, bench                 use everything
    tests/X                    uses what X may use; folders of tests that mirror no source
                               folder (fuzz, smoke, tools) use everything, tests/ui/show and
                               tests/ui/themed the whole window library

Checked are every #include of a header of the tree, found beside the including file or by
its name anywhere in the tree (headers from outside, such as the system's, are skipped),
and in every CMake file the targets and folders named by target_link_libraries,
target_include_directories, target_sources, add_library and add_executable. A library
target belongs to the folder its name says (tavrelin_ui_tabs: ui/tabs), any other to the
folder of its CMake file.

Each dependency that runs upward or sideways is printed as "file:line: error: ..."; the
exit status is then 1.

usage: check_layers.py [--root DIR]   (default: the tree this script is in)
"""
import argparse
import os
import re
import sys

UI_LAYERS = ['ui/base', 'ui/commandbars', 'ui/tabs', 'ui/docking']
CODE = ['resources', 'engine', 'framework', 'script', 'model'] + UI_LAYERS + ['ide']

USES = {
    'resources': set(),
    'engine': {'resources'},
    'framework': {'resources'},
    'script': {'engine', 'resources'},
    'model': {'engine', 'resources'},
    'ide': set(CODE),
    'bench': set(CODE),
    'ui': set(UI_LAYERS) | {'framework', 'resources'},  # the library as a whole
    'all': set(CODE) | {'bench', 'ui'},
}
for i, layer in enumerate(UI_LAYERS):
    USES[layer] = set(UI_LAYERS[:i]) | {'framework', 'resources'}

# Library targets by name, after the prefix "tavrelin_"; the longest key that starts the name wins.
TARGET_LAYERS = {
    'strings': 'resources', 'string_resources': 'resources', 'engine': 'engine',
    'framework': 'framework', 'script': 'script', 'model': 'model', 'ide': 'ide',
    'ui_base': 'ui/base', 'ui_resources': 'ui/base', 'ui_commandbars': 'ui/commandbars',
    'ui_tabs': 'ui/tabs', 'ui_docking': 'ui/docking', 'docking_records': 'ui/docking',
}

SKIP_DIRS = {'.git', 'build'}
SOURCE_SUFFIXES = ('.h', '.hpp', '.c', '.cpp', '.cxx', '.inc', '.rc')
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
COMMAND = re.compile(r'\b(target_link_libraries|target_include_directories|target_sources|add_library|'
                     r'add_executable)\s*\(', re.IGNORECASE)
KEYWORDS = {'PUBLIC', 'PRIVATE', 'INTERFACE', 'SYSTEM', 'BEFORE', 'AFTER', 'STATIC', 'SHARED', 'OBJECT',
            'MODULE', 'IMPORTED', 'GLOBAL', 'ALIAS', 'WIN32', 'EXCLUDE_FROM_ALL', 'MACOSX_BUNDLE'}


def layer_of(path):
    """The layer of a path relative to the root: a key of USES."""
    parts = path.split('/')
    if parts[0] == 'tests':
        parts = parts[1:]
        if parts and parts[0] == 'ui' and not (len(parts) > 2 and 'ui/' + parts[1] in UI_LAYERS):
            return 'ui'
    if parts and parts[0] == 'ui':
        return 'ui/' + parts[1] if len(parts) > 2 and 'ui/' + parts[1] in UI_LAYERS else 'ui'
    if len(parts) > 1 and parts[0] in USES:
        return parts[0]
    return 'all'


def may_use(user, used):
    # The window library's shared test helpers (tests/ui/show) serve each of its layers.
    return used == user or used in USES[user] or (used == 'ui' and user in UI_LAYERS)


class Tree:
    def __init__(self, root):
        self.root = root
        self.files = []
        for folder, dirs, names in os.walk(root):
            dirs[:] = sorted(d for d in dirs if d not in SKIP_DIRS and not d.startswith('.'))
            rel = os.path.relpath(folder, root)
            for name in sorted(names):
                self.files.append(name if rel == '.' else rel + '/' + name)
        self.by_name = {}
        for path in self.files:
            self.by_name.setdefault(os.path.basename(path), []).append(path)

    def header_candidates(self, includer, name):
        beside = os.path.normpath(os.path.join(os.path.dirname(includer), name))
        if os.path.isfile(os.path.join(self.root, beside)):
            return [beside]
        return [p for p in self.by_name.get(os.path.basename(name), []) if ('/' + p).endswith('/' + name)]


def check_includes(tree, errors):
    count = 0
    for path in tree.files:
        if not path.endswith(SOURCE_SUFFIXES):
            continue
        user = layer_of(path)
        with open(os.path.join(tree.root, path), encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                found = tree.header_candidates(path, m.group(1))
                if not found:
                    continue
                count += 1
                if not any(may_use(user, layer_of(p)) for p in found):
                    errors.append(f'{path}:{number}: error: {user} includes {found[0]} ({layer_of(found[0])})')
    return count


def cmake_commands(text):
    """(name, first line, [(word, line)]) of each checked command, comments removed."""
    text = re.sub(r'#[^\n]*', '', text)
    for m in COMMAND.finditer(text):
        depth, end = 1, m.end()
        while end < len(text) and depth:
            depth += {'(': 1, ')': -1}.get(text[end], 0)
            end += 1
        words = []
        for w in re.finditer(r'"[^"]*"|[^\s"]+', text[m.end():end - 1]):
            words.append((w.group(0).strip('"'), text.count('\n', 0, m.end() + w.start()) + 1))
        yield m.group(1).lower(), text.count('\n', 0, m.start()) + 1, words


def target_layer(name, cmake_file):
    short = name[len('tavrelin_'):] if name.startswith('tavrelin_') else None
    if short is not None and '${' not in name:
        keys = [k for k in TARGET_LAYERS if short == k or short.startswith(k + '_')]
        if keys:
            return TARGET_LAYERS[max(keys, key=len)]
    return layer_of(cmake_file)


def word_layer(tree, cmake_file, word):
    """The layer a link item or path names, or None for things outside the tree's code."""
    if re.fullmatch(r'tavrelin_\w+', word):
        return target_layer(word, cmake_file)
    targets = re.findall(r'\$<[A-Z_]+:(?:[A-Z_]+,)?(tavrelin_\w+)>', word)
    if targets:
        return target_layer(targets[0], cmake_file)
    here = os.path.dirname(cmake_file)
    path = word.replace('${CMAKE_CURRENT_SOURCE_DIR}', here or '.')
    for var in ('${PROJECT_SOURCE_DIR}', '${CMAKE_SOURCE_DIR}', '${Tavrelin_SOURCE_DIR}'):
        path = path.replace(var, '.')
    if '$' in path or '/' not in path and not path.endswith(SOURCE_SUFFIXES):
        return None
    path = os.path.normpath(path if word != path else os.path.join(here, path))
    full = os.path.join(tree.root, path)
    if path.startswith('..') or not os.path.exists(full):
        return None
    # A folder is judged as the files in it.
    return layer_of(path + '/-' if os.path.isdir(full) else path)


def check_cmake(tree, errors):
    count = 0
    for path in tree.files:
        if not (os.path.basename(path) == 'CMakeLists.txt' or path.endswith('.cmake')):
            continue
        with open(os.path.join(tree.root, path), encoding='utf-8') as f:
            text = f.read()
        for command, _, words in cmake_commands(text):
            if not words or '${' in words[0][0] and command.startswith('add_'):
                user = layer_of(path)
            else:
                user = target_layer(words[0][0], path)
            for word, number in words[1:]:
                if word in KEYWORDS:
                    continue
                used = word_layer(tree, path, word)
                if used is None:
                    continue
                count += 1
                if not may_use(user, used):
                    errors.append(f'{path}:{number}: error: {command} of {words[0][0]} ({user}) names {word} ({used})')
    return count


def check(root):
    """The errors, the includes and the CMake items checked."""
    tree = Tree(os.path.abspath(root))
    errors = []
    includes = check_includes(tree, errors)
    items = check_cmake(tree, errors)
    return errors, includes, items


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--root', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
    errors, includes, items = check(parser.parse_args().root)
    for error in errors:
        print(error)
    if errors:
        print(f'[layers] {len(errors)} dependencies run upward or sideways')
        return 1
    print(f'[layers] {includes} includes and {items} CMake items run downward')
    return 0


if __name__ == '__main__':
    sys.exit(main())
