#!/usr/bin/env python3
"""The string-table generator's id checks and its header of every named id."""
import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR = os.path.join(os.path.dirname(__file__), '..', '..', 'tools', 'gen_strings.py')

NAMED = 'language 1033\ncodepage 1252\n100 IDS_FIRST "One"\n200 IDS_SECOND "Two\\tlines\\n"\n'
OTHER = 'language 1031\ncodepage 1252\n100 "Eins"\n200 "Zwei"\n'
COMMANDS = 'prefixes ID_ XTP_ID_\n100 ID_FIRST  # the string 100 is its prompt\n168 XTP_ID_SECOND\n'


class GeneratorTest(unittest.TestCase):
    def run_generator(self, *tables, id_tables=()):
        with tempfile.TemporaryDirectory() as folder:
            def write(name, text):
                path = os.path.join(folder, name)
                with open(path, 'w', encoding='utf-8') as f:
                    f.write(text)
                return path
            paths = [write(f'{number}.txt', text) for number, text in enumerate(tables)]
            for number, text in enumerate(id_tables):
                paths[:0] = ['--id-table', write(f'ids{number}.txt', text)]
            header = os.path.join(folder, 'ResourceIds.h')
            result = subprocess.run([sys.executable, GENERATOR, '--ids', header] + paths,
                                    capture_output=True, text=True)
            text = open(header).read() if result.returncode == 0 else ''
            return result.returncode, result.stderr, text

    def test_header_names_every_id(self):
        code, errors, header = self.run_generator(NAMED, OTHER, id_tables=[COMMANDS])
        self.assertEqual(code, 0, errors)
        self.assertIn('#define IDS_FIRST 100  // "One"', header)
        self.assertIn('#define IDS_SECOND 200  // "Two\\tlines\\n"', header)
        self.assertIn('#define ID_FIRST 100\n#define XTP_ID_SECOND 168\n', header)
        # The resource compiler reads #define lines and nothing of C++.
        code_lines = [line for line in header.splitlines() if line and not line.startswith('//')]
        self.assertTrue(all(line.startswith('#') for line in code_lines), code_lines)

    def test_refused_id_tables(self):
        cases = [
            ('a name the string table gives', COMMANDS + '300 IDS_FIRST\n', 'IDS_FIRST does not start with'),
            ('a name given twice', COMMANDS + '300 ID_FIRST\n', 'name ID_FIRST is already given'),
            ('a number given twice', COMMANDS + '168 ID_THIRD\n', 'id 168 is already XTP_ID_SECOND'),
            ('no prefixes first', '100 ID_FIRST\n', 'the "prefixes" line must come first'),
            ('a line without a name', COMMANDS + '300\n', 'expected: id NAME'),
            ('an id out of range', COMMANDS + '70000 ID_BIG\n', 'out of range'),
        ]
        for what, table, message in cases:
            with self.subTest(what):
                code, errors, _ = self.run_generator(NAMED, OTHER, id_tables=[table])
                self.assertNotEqual(code, 0)
                self.assertIn(message, errors)
        # A kind whose numbers may repeat (controls of different dialogs) says so.
        code, errors, _ = self.run_generator(NAMED, OTHER, id_tables=['repeats\n' + COMMANDS + '168 ID_THIRD\n'])
        self.assertEqual(code, 0, errors)

    def test_refused_tables(self):
        cases = [
            ('an id the other table lacks', [NAMED, OTHER.replace('200 "Zwei"\n', '')], 'is missing'),
            ('an id only the other table has', [NAMED, OTHER + '300 "Drei"\n'], 'is not in'),
            ('an id without a name', [NAMED.replace('IDS_SECOND ', ''), OTHER], 'ids without a name: 200'),
            ('one name for two ids', [NAMED.replace('IDS_SECOND', 'IDS_FIRST'), OTHER], 'name IDS_FIRST given to'),
            ('two tables with names', [NAMED, OTHER.replace('100 ', '100 IDS_ONE ')], 'exactly one table'),
            ('no table with names', [OTHER], 'exactly one table'),
        ]
        for what, tables, message in cases:
            with self.subTest(what):
                code, errors, _ = self.run_generator(*tables)
                self.assertNotEqual(code, 0)
                self.assertIn(message, errors)


if __name__ == '__main__':
    unittest.main()
