#!/usr/bin/env python3
"""The string-table generator's id checks and its header of named ids."""
import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR = os.path.join(os.path.dirname(__file__), '..', '..', 'tools', 'gen_strings.py')

NAMED = 'language 1033\ncodepage 1252\n100 kFirst "One"\n200 kSecond "Two\\tlines\\n"\n'
OTHER = 'language 1031\ncodepage 1252\n100 "Eins"\n200 "Zwei"\n'


class GeneratorTest(unittest.TestCase):
    def run_generator(self, *tables):
        with tempfile.TemporaryDirectory() as folder:
            paths = []
            for number, text in enumerate(tables):
                path = os.path.join(folder, f'{number}.txt')
                with open(path, 'w', encoding='utf-8') as f:
                    f.write(text)
                paths.append(path)
            header = os.path.join(folder, 'MessageIds.h')
            result = subprocess.run([sys.executable, GENERATOR, '--ids', header] + paths,
                                    capture_output=True, text=True)
            text = open(header).read() if result.returncode == 0 else ''
            return result.returncode, result.stderr, text

    def test_header_names_every_id(self):
        code, errors, header = self.run_generator(NAMED, OTHER)
        self.assertEqual(code, 0, errors)
        self.assertIn('constexpr int kFirst = 100;  // "One"', header)
        self.assertIn('constexpr int kSecond = 200;  // "Two\\tlines\\n"', header)

    def test_refused_tables(self):
        cases = [
            ('an id the other table lacks', [NAMED, OTHER.replace('200 "Zwei"\n', '')], 'is missing'),
            ('an id only the other table has', [NAMED, OTHER + '300 "Drei"\n'], 'is not in'),
            ('an id without a name', [NAMED.replace('kSecond ', ''), OTHER], 'ids without a name: 200'),
            ('one name for two ids', [NAMED.replace('kSecond', 'kFirst'), OTHER], 'name kFirst given to'),
            ('two tables with names', [NAMED, OTHER.replace('100 ', '100 kOne ')], 'exactly one table'),
            ('no table with names', [OTHER], 'exactly one table'),
        ]
        for what, tables, message in cases:
            with self.subTest(what):
                code, errors, _ = self.run_generator(*tables)
                self.assertNotEqual(code, 0)
                self.assertIn(message, errors)


if __name__ == '__main__':
    unittest.main()
