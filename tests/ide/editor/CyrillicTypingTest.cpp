// Typing in the Cyrillic code page: a key's character reaches the file as its one byte.
#include <gtest/gtest.h>

#include "EditorFixture.h"

namespace {

using CyrillicTypingTest = EditorTest;

TEST_F(CyrillicTypingTest, ALetterTypedUnderARussianLocaleIsSavedAsItsCodePageByte)
{
    if (::GetACP() != 1251)
        GTEST_SKIP() << "runs under a Russian locale (the test's own entry)";
    const std::string bytes = "// \r\n";
    CTavrelinDoc* doc = Open("Ru.d", &bytes);
    ASSERT_NE(doc, nullptr);
    CScintillaCtrl& ctrl = ViewOf(doc)->GetCtrl();
    ctrl.GotoPos(3);
    ::SendMessageA(ctrl, WM_CHAR, 0xE6, 1);  // the "zhe" key
    ASSERT_TRUE(doc->OnSaveDocument(Path("Ru.d").c_str()));
    EXPECT_EQ(ReadFile(Path("Ru.d")), "// \xE6\r\n");
}

}  // namespace
