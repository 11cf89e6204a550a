// The exceptions' messages: texts of the interface language's string table.
#include <gtest/gtest.h>

#include "CException.h"
#include "AfxResource.h"

namespace {

class CExceptionMessage : public ::testing::Test {
protected:
    void TearDown() override { AfxSetThreadResourceLanguage(0); }
};

TEST_F(CExceptionMessage, FollowsTheInterfaceLanguage)
{
    const CFileException notFound(CFileException::fileNotFound, -1, "doc.tsl");
    const CArchiveException badClass(CArchiveException::badClass);
    const COleException failed(static_cast<LONG>(0x80004005));
    struct Case {
        int language;
        const char* notFound;
        const char* badClass;  // without a file name
        const char* failed;
    };
    // German in code page 1252, Russian in 1251.
    const Case cases[] = {
        {1031, "'doc.tsl' wurde nicht gefunden.", "Die Datei enth\xE4lt eine unbekannte Klasse.",
         "Der Vorgang ist fehlgeschlagen (Fehler 0x80004005)."},
        {1049, "\xD4\xE0\xE9\xEB 'doc.tsl' \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED.",
         "\xD4\xE0\xE9\xEB \xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2 \xED\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xFB\xE9 "
         "\xEA\xEB\xE0\xF1\xF1.",
         "\xCE\xEF\xE5\xF0\xE0\xF6\xE8\xFF \xED\xE5 \xE2\xFB\xEF\xEE\xEB\xED\xE5\xED\xE0 "
         "(\xEE\xF8\xE8\xE1\xEA\xE0 0x80004005)."},
        {1033, "'doc.tsl' was not found.", "The file contains an unknown class.",
         "The operation failed (error 0x80004005)."},
    };
    for (const Case& c : cases) {
        AfxSetThreadResourceLanguage(c.language);
        EXPECT_STREQ(notFound.GetErrorText(), c.notFound) << c.language;
        EXPECT_STREQ(badClass.GetErrorText(), c.badClass) << c.language;
        EXPECT_STREQ(failed.GetErrorText(), c.failed) << c.language;
    }
}

} // namespace
