// End-to-end check of the Windows tool chain: the editing component colours a
// script keyword through its case-insensitive lexer, the registry keeps a value
// under the program's root, and string resources load by explicit language.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ILexer.h"
#include "Lexilla.h"
#include "SciLexer.h"
#include "Scintilla.h"

namespace {

const COLORREF kKeywordColour = RGB(0, 0, 255);

class ScintillaWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Scintilla_RegisterClasses(GetModuleHandleA(nullptr)));
        frame = CreateWindowExA(0, "STATIC", "Tavrelin smoke test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 640, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(frame, nullptr);
        editor = CreateWindowExA(0, "Scintilla", "", WS_CHILD | WS_VISIBLE, 0, 0, 620, 160, frame, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(editor, nullptr);
    }

    void TearDown() override
    {
        if (frame)
            DestroyWindow(frame);
        Scintilla_ReleaseResources();
    }

    sptr_t Send(unsigned int message, uptr_t wParam = 0, sptr_t lParam = 0)
    {
        return SendMessageA(editor, message, wParam, lParam);
    }

    void PumpMessages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    HWND frame = nullptr;
    HWND editor = nullptr;
};

TEST_F(ScintillaWindow, CaseInsensitiveLexerColoursScriptKeywords)
{
    Send(SCI_SETILEXER, 0, reinterpret_cast<sptr_t>(CreateLexer("cppnocase")));
    // The case-insensitive lexer expects its keyword list in lower case.
    Send(SCI_SETKEYWORDS, 0, reinterpret_cast<sptr_t>("func var int instance if return"));
    Send(SCI_STYLESETFORE, SCE_C_WORD, kKeywordColour);
    Send(SCI_STYLESETBOLD, SCE_C_WORD, 1);
    const char* script = "FUNC VOID Main() { var INT x; Return; };";
    Send(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(script));
    Send(SCI_COLOURISE, 0, -1);

    const std::string text(script);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, text.find("FUNC")), SCE_C_WORD);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, text.find("var")), SCE_C_WORD);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, text.find("Return")), SCE_C_WORD);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, text.find("Main")), SCE_C_IDENTIFIER);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, text.find("VOID")), SCE_C_IDENTIFIER);

    // Draw the window and look for the keyword colour among the pixels of the first line.
    UpdateWindow(frame);
    PumpMessages();
    RECT client;
    GetClientRect(editor, &client);
    HDC screen = GetDC(editor);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(editor, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const int lineHeight = static_cast<int>(Send(SCI_TEXTHEIGHT, 0));
    int keywordPixels = 0;
    for (int y = 0; y < lineHeight; ++y)
        for (int x = 0; x < client.right; ++x)
            if (GetPixel(memory, x, y) == kKeywordColour)
                ++keywordPixels;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(editor, screen);
    EXPECT_GT(keywordPixels, 0) << "no pixel of the keyword colour was drawn";
}

TEST(Registry, KeepsAValueUnderTheProgramRoot)
{
    const char* path = "Software\\Tavrelin tools\\Smoke Test";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD written = 1049;
    ASSERT_EQ(RegSetValueExA(key, "Current Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&written),
                             sizeof(written)),
              ERROR_SUCCESS);
    RegCloseKey(key);

    DWORD read = 0;
    DWORD size = sizeof(read);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, path, "Current Language", RRF_RT_REG_DWORD, nullptr, &read, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read, written);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

// A string from the resources of one language, converted from UTF-16 to that language's code page.
std::string LoadStringIn(UINT id, WORD language, UINT codePage)
{
    HRSRC block = FindResourceExA(nullptr, reinterpret_cast<LPCSTR>(RT_STRING),
                                  MAKEINTRESOURCEA(id / 16 + 1), language);
    if (!block)
        return {};
    const WCHAR* p = static_cast<const WCHAR*>(LockResource(LoadResource(nullptr, block)));
    for (UINT i = 0; i < id % 16; ++i)
        p += 1 + *p;
    const int length = *p;
    std::string text(length * 2, '\0');
    const int bytes = WideCharToMultiByte(codePage, 0, p + 1, length, &text[0], static_cast<int>(text.size()),
                                          nullptr, nullptr);
    text.resize(bytes);
    return text;
}

TEST(StringResources, LoadByExplicitLanguage)
{
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    const WORD russian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
    EXPECT_EQ(LoadStringIn(33198, english, 1252), "Error: ");
    EXPECT_EQ(LoadStringIn(33198, german, 1252), "Fehler: ");
    // "Ошибка: " in code page 1251.
    EXPECT_EQ(LoadStringIn(33198, russian, 1251), "\xCE\xF8\xE8\xE1\xEA\xE0: ");
}

} // namespace
