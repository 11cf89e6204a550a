#!/usr/bin/env python3
"""The id check: which numbers it takes for ids the tables name, and which it leaves alone."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'tools'))
import check_ids  # noqa: E402

NAMES = {168: ['ID_BUILD_COMPILE'], 150: ['ID_PLATFORM_COMBO'], 128: ['IDR_MAINFRAME', 'IDS_APP_TITLE'],
         1047: ['IDC_MODEL_FILE'], 9420: ['XTP_ID_TABGROUP_MOVE_PREVIOUS'], 59392: ['AFX_IDW_TOOLBAR'],
         1033: ['IDC_SETUP_AUTO_COMPLETE']}


class CheckIdsTest(unittest.TestCase):
    def found(self, path, text):
        return [line.split(': ', 1)[1] for line in check_ids.findings_in(path, text, NAMES)]

    def test_resource_scripts(self):
        cases = [
            ('a menu item', '    MENUITEM "&Compile\\tF7", 168\n', ['168 is ID_BUILD_COMPILE']),
            ('a resource', '128 MENU\n', ['128 is IDR_MAINFRAME or IDS_APP_TITLE']),
            ('a key', '    VK_F7, 168, VIRTKEY\n', ['168 is ID_BUILD_COMPILE']),
            ('a dialog control', '    EDITTEXT 1047, 7, 18, 230, 14\n', ['1047 is IDC_MODEL_FILE']),
            ('a labelled control', '    LTEXT "", 1047, 7, 7, 246, 150\n', ['1047 is IDC_MODEL_FILE']),
            ('names', '    MENUITEM "&Compile", ID_BUILD_COMPILE\n', []),
            ('a control\'s size', '    EDITTEXT IDC_MODEL_FILE, 7, 18, 128, 150\n', []),
            ('a comment', '// the menu bar (128)\n', []),
        ]
        for what, text, expected in cases:
            with self.subTest(what):
                self.assertEqual(self.found('x.rc', text), expected)

    def test_sources(self):
        cases = [
            ('a message-map entry', 'ON_COMMAND(168, OnCompile)\n', ['168 is ID_BUILD_COMPILE']),
            ('a range', 'ON_COMMAND_RANGE(ID_X, 168, OnX)\n', ['168 is ID_BUILD_COMPILE']),
            ('a named id', 'const UINT kIdMainMenu = 128;\n', ['128 is IDR_MAINFRAME or IDS_APP_TITLE']),
            ('a named id of another kind', 'const UINT kIdScriptType = 128;\n',
             ['128 is IDR_MAINFRAME or IDS_APP_TITLE']),
            ('a resource loaded', 'bar->LoadToolBar(128);\n', ['128 is IDR_MAINFRAME or IDS_APP_TITLE']),
            ('icons set by id', 'images->SetIconsWithBitmap(128, IDB_X, 0);\n', ['128 is IDR_MAINFRAME or IDS_APP_TITLE']),
            ('a large number anywhere', 'if (nID >= 9420) {\n', ['9420 is XTP_ID_TABGROUP_MOVE_PREVIOUS']),
            ('a size', 'CreatePane(ID_PANE_OUTPUT, CRect(0, 0, 150, 128));\n', []),
            ('a width', 'const int kProgressPaneWidth = 150;\n', []),
            ('a colour', 'const COLORREF kMask = 0xE800;\n', []),
            ('a language', 'const int kEnglish = 1033;\n', []),
            ('a comment', '// 9420 up to 9423: the tab groups\n', []),
            ('a string', 'Log("9420");\n', []),
            ('a name', 'ON_COMMAND(ID_BUILD_COMPILE, OnCompile)\n', []),
        ]
        for what, text, expected in cases:
            with self.subTest(what):
                self.assertEqual(self.found('x.cpp', text), expected)

    def test_literals(self):
        self.assertEqual(check_ids.value_of('0xE800'), 59392)
        self.assertEqual(check_ids.value_of('0777'), 511)
        self.assertEqual(check_ids.value_of('168'), 168)


if __name__ == '__main__':
    unittest.main()
