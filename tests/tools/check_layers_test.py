#!/usr/bin/env python3
"""tools/check_layers.py on small trees made here: each one line that names another folder."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import check_layers  # noqa: E402

# Headers of the small tree, one per folder that the cases name.
HEADERS = ['engine/zCEngine.h', 'framework/CWnd.h', 'resources/Texts.h', 'model/zCModel.h', 'script/zCParser.h',
           'ui/base/colors/CBase.h', 'ui/commandbars/bars/CBars.h', 'ui/tabs/CTabs.h', 'ui/docking/CDock.h',
           'ide/frame/CFrame.h', 'tests/ui/base/Fixture.h']

# (file, its one line, whether the check passes)
CASES = [
    ('engine/zCEngine.cpp', '#include "Texts.h"', True),
    ('engine/zCEngine.cpp', '#include "CWnd.h"', False),
    ('framework/CWnd.cpp', '#include "zCEngine.h"', False),
    ('script/zCParser.cpp', '#include "zCEngine.h"', True),
    ('script/zCParser.cpp', '#include "zCModel.h"', False),
    ('ui/base/colors/CBase.cpp', '#include "CWnd.h"', True),
    ('ui/base/colors/CBase.cpp', '#include "zCEngine.h"', False),
    ('ui/base/colors/CBase.cpp', '#include "CBars.h"', False),
    ('ui/commandbars/bars/CBars.cpp', '#include "CBase.h"', True),
    ('ui/commandbars/bars/CBars.cpp', '#include "CTabs.h"', False),
    ('ui/docking/CDock.cpp', '#include "CBars.h"', True),
    ('ide/frame/CFrame.cpp', '#include "CDock.h"', True),
    ('ide/frame/CFrame.cpp', '#include "zCParser.h"', True),
    ('tests/ui/tabs/CTabsTest.cpp', '#include "../base/Fixture.h"', True),
    ('tests/ui/base/CBaseTest.cpp', '#include "CTabs.h"', False),
    ('tests/fuzz/Fuzz.cpp', '#include "CFrame.h"', True),
    ('ui/CMakeLists.txt', 'target_link_libraries(tavrelin_ui_tabs PUBLIC tavrelin_ui_commandbars comctl32)', True),
    ('ui/CMakeLists.txt', 'target_link_libraries(tavrelin_ui_base\n    INTERFACE tavrelin_ui_commandbars)', False),
    ('ui/CMakeLists.txt', 'target_include_directories(tavrelin_ui_base PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tabs)', False),
    ('engine/CMakeLists.txt', 'target_link_libraries(tavrelin_engine PUBLIC tavrelin_strings)', True),
    ('engine/CMakeLists.txt', 'target_link_libraries(tavrelin_engine PUBLIC "$<LINK_LIBRARY:WHOLE_ARCHIVE,tavrelin_model>")',
     False),
    ('tests/ui/base/CMakeLists.txt', 'add_executable(ui_base_show ${PROJECT_SOURCE_DIR}/ui/docking/CDock.h)', False),
]


def errors_of(path, line):
    with tempfile.TemporaryDirectory() as root:
        for header in HEADERS:
            os.makedirs(os.path.join(root, os.path.dirname(header)), exist_ok=True)
            open(os.path.join(root, header), 'w').close()
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), 'w') as f:
            f.write(('# ' if path.endswith('.txt') else '// ') + path + '\n' + line + '\n')
        return check_layers.check(root)[0]


class CheckLayersTest(unittest.TestCase):
    def test_cases(self):
        for path, line, passes in CASES:
            with self.subTest(path=path, line=line):
                errors = errors_of(path, line)
                self.assertEqual(not errors, passes, errors)
                # Reported at the line of the name that runs against the layers: the case's last.
                for error in errors:
                    self.assertTrue(error.startswith(f'{path}:{2 + line.count(chr(10))}: error: '), error)


if __name__ == '__main__':
    unittest.main()
