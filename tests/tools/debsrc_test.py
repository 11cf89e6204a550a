#!/usr/bin/env python3
"""The set-up's deb-src entries, copied by tools/debsrc.py from apt folders made here,
each read back by apt itself with its configuration pointed at the folder."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

DEBSRC = os.path.join(os.path.dirname(__file__), '..', '..', 'tools', 'debsrc.py')
CODENAME = 'bookworm'
# Reserved names that never resolve; apt reads its sources without reaching them.
MIRROR = 'http://deb.example.org/debian'
OTHER_MIRROR = 'http://mirror.example.net/debian/'


def apt_config(folder):
    """A configuration of apt's that reads nothing outside the folder."""
    for sub in ('etc/sources.list.d', 'etc/apt.conf.d', 'etc/preferences.d', 'etc/trusted.gpg.d',
                'state/lists/partial', 'cache/archives/partial'):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
    open(os.path.join(folder, 'state', 'status'), 'w').close()
    path = os.path.join(folder, 'apt.conf')
    with open(path, 'w') as f:
        f.write(f'Dir::Etc "{folder}/etc";\nDir::State "{folder}/state";\n'
                f'Dir::State::status "{folder}/state/status";\nDir::Cache "{folder}/cache";\n')
    return path


def read_by_apt(config):
    """apt's index targets of the folder: its exit code, its messages and for each
    target of the sources (deb-src) the archive, suite and component."""
    result = subprocess.run(['apt-get', 'indextargets', '--no-release-info',
                             '--format', '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)'],
                            env=dict(os.environ, APT_CONFIG=config, LC_ALL='C'),
                            capture_output=True, text=True)
    sources = set()
    for line in result.stdout.splitlines():
        kind, _, rest = line.partition(' ')
        if kind == 'deb-src':
            sources.add(tuple(rest.split()))
    return result.returncode, result.stderr.splitlines(), sources


@unittest.skipUnless(shutil.which('apt-get'), 'apt-get not installed')
class DebSrcTest(unittest.TestCase):
    def test_copied_entries_read_by_apt(self):
        one_line = f'deb {MIRROR} {CODENAME} main\n'
        stanza = ('Types: deb\nURIs: {uri}\nSuites: {suites}\nComponents: {components}\n'
                  'Signed-By: {key}\n')
        cases = [
            # what, sources.list, sources.list.d files, archives of the deb-src entries with
            # their components, the keyrings the entries carry
            ('one-line only', one_line, {},
             {(MIRROR + '/', CODENAME, 'main')}, [None]),
            ('deb822 only', '',
             {'debian.sources': stanza.format(uri=MIRROR, suites=f'{CODENAME} {CODENAME}-updates',
                                              components='main contrib', key='{keyring}')},
             {(MIRROR + '/', CODENAME, 'main'), (MIRROR + '/', CODENAME, 'contrib')}, ['{keyring}']),
            ('one-line without a keyring and deb822 with one, same archive', one_line,
             {'debian.sources': stanza.format(uri=MIRROR + '/', suites=CODENAME, components='main non-free',
                                              key='{keyring}')},
             {(MIRROR + '/', CODENAME, 'main'), (MIRROR + '/', CODENAME, 'non-free')}, ['{keyring}']),
            ('signed-by option', '',
             {'debian.list': f'deb [ arch=amd64 signed-by={{keyring}} ] {MIRROR} {CODENAME} main\n'},
             {(MIRROR + '/', CODENAME, 'main')}, ['{keyring}']),
            ('a stanza not enabled', one_line,
             {'other.sources': 'Enabled: no\n' + stanza.format(uri=OTHER_MIRROR, suites=CODENAME,
                                                                components='main', key='{other}')},
             {(MIRROR + '/', CODENAME, 'main')}, [None]),
            ('two mirrors', one_line,
             {'other.sources': stanza.format(uri=OTHER_MIRROR, suites=CODENAME, components='main',
                                             key='{other}')},
             {(MIRROR + '/', CODENAME, 'main'), (OTHER_MIRROR, CODENAME, 'main')}, [None, '{other}']),
        ]
        for what, main_list, files, archives, keyrings in cases:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                keys = {'keyring': os.path.join(folder, 'archive.gpg'), 'other': os.path.join(folder, 'other.gpg')}
                for key in keys.values():
                    open(key, 'wb').close()
                config = apt_config(folder)
                etc = os.path.join(folder, 'etc')
                with open(os.path.join(etc, 'sources.list'), 'w') as f:
                    f.write(main_list.format(**keys))
                for name, text in files.items():
                    with open(os.path.join(etc, 'sources.list.d', name), 'w') as f:
                        f.write(text.format(**keys))
                code, before, _ = read_by_apt(config)
                self.assertEqual(code, 0, before)

                result = subprocess.run([sys.executable, DEBSRC, CODENAME, etc], capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stderr)
                entries = result.stdout.split('\n\n')
                self.assertEqual([next((line.split(': ', 1)[1] for line in entry.splitlines()
                                        if line.startswith('Signed-By: ')), None) for entry in entries],
                                 [k if k is None else k.format(**keys) for k in keyrings])
                with open(os.path.join(etc, 'sources.list.d', 'tavrelin-deb-src.sources'), 'w') as f:
                    f.write(result.stdout)

                code, after, sources = read_by_apt(config)
                self.assertEqual(code, 0, after)
                self.assertEqual([line for line in after if line not in before], [])
                self.assertEqual(sources, archives)

    def test_no_entry_for_the_release(self):
        with tempfile.TemporaryDirectory() as folder:
            os.makedirs(os.path.join(folder, 'sources.list.d'))
            with open(os.path.join(folder, 'sources.list'), 'w') as f:
                f.write(f'deb {MIRROR} {CODENAME}-backports main\n')
            result = subprocess.run([sys.executable, DEBSRC, CODENAME, folder], capture_output=True, text=True)
            self.assertEqual(result.returncode, 1)
            self.assertIn(f'no deb entry for {CODENAME}', result.stderr)


if __name__ == '__main__':
    unittest.main()
