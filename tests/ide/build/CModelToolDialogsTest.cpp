// The model tools' dialogs: the working-folder layout left on OK, the filters by kind and
// game, "Partial compilation" for dynamic models only, and the converter's folder test.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>

#include "CModelToolDialogs.h"
#include "CSolutionConfig.h"
#include "SettingsFixture.h"

namespace {

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ModelToolDialogs, TheWorkingFolderBecomesItsAnimsFolder)
{
    const char* cases[][2] = {
        {"D:\\W", "D:\\W\\Anims\\"},
        {"D:\\W\\", "D:\\W\\Anims\\"},
        {"D:\\W\\Anims", "D:\\W\\Anims\\"},
        {"D:\\W\\Anims\\_compiled\\x", "D:\\W\\Anims\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(CModelToolDialog::AnimsFolder(c[0])), c[1]) << c[0];
}

TEST(ModelToolDialogs, TheDecompilerWritesBelowAFolderNamedAfterTheModel)
{
    struct Case {
        int kind;
        const char* model;
        const char* folder;
    } cases[] = {
        {1, "D:\\M\\Hum_Body.MDS", "asc_hum_body\\"},
        {2, "D:\\M.v2\\Face", "asc_face\\"},  // a point in a folder is no extension
        {0, "D:\\M\\Chest.MDL", "asc_static\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CModelToolDialog::DecompileSubfolder(c.kind, c.model)), c.folder) << c.model;
}

TEST(ModelToolDialogs, AModelIsInTheWorkingFolderOnlyAtAFolderBoundary)
{
    struct Case {
        const char* model;
        const char* folder;
        bool inside;
    } cases[] = {
        {"D:\\Work\\m.mdl", "D:\\W", false},
        {"D:\\W\\m.mdl", "D:\\W", true},
        {"d:\\w\\Sub\\m.mdl", "D:\\W\\", true},
        {"D:\\W", "D:\\W", false},
        {"D:\\W\\m.mdl", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CModelToolDialog::IsInFolder(c.model, c.folder), c.inside) << c.model << " in " << c.folder;
}

class ModelDialogTest : public ::testing::Test {
protected:
    std::string root, work, model;
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "tavrelin-models-" + std::to_string(::GetCurrentProcessId()) + "\\";
        work = root + "W";
        model = root + "M\\Hum_Body.MDS";
        ::CreateDirectoryA(root.c_str(), nullptr);
        ::CreateDirectoryA(work.c_str(), nullptr);
        ::CreateDirectoryA((root + "M").c_str(), nullptr);
        std::ofstream(model) << "model";
        g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
    }
    void TearDown() override
    {
        for (const char* folder : {"W\\Anims\\_compiled", "W\\Anims\\asc_hum_body", "W\\Anims", "W"})
            ::RemoveDirectoryA((root + folder).c_str());
        ::DeleteFileA(model.c_str());
        ::RemoveDirectoryA((root + "M").c_str());
        ::RemoveDirectoryA(root.c_str());
    }
    // Types the model and the folder; OK's state before and after.
    void Fill(HWND hWnd, bool& okBefore, bool& okAfter)
    {
        okBefore = ::IsWindowEnabled(::GetDlgItem(hWnd, IDOK)) != FALSE;
        ::SetDlgItemTextA(hWnd, 1047, model.c_str());
        ::SetDlgItemTextA(hWnd, 1048, work.c_str());
        okAfter = ::IsWindowEnabled(::GetDlgItem(hWnd, IDOK)) != FALSE;
    }
};

TEST_F(ModelDialogTest, TheCompilerShowsPartialCompilationForDynamicModelsOnlyAndMakesItsFolders)
{
    for (int kind : {0, 1, 2}) {
        CCompileModels dialog(kind, nullptr);
        bool partialShown = false, okBefore = true, okAfter = false;
        std::string title;
        const INT_PTR result = PlayModal(dialog, [&](HWND hWnd) {
            partialShown = (::GetWindowLongA(::GetDlgItem(hWnd, 1071), GWL_STYLE) & WS_VISIBLE) != 0;
            char text[256] = {};
            ::GetWindowTextA(hWnd, text, sizeof text);
            title = text;
            Fill(hWnd, okBefore, okAfter);
            Click(hWnd, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(partialShown, kind == 1) << kind;
        EXPECT_FALSE(okBefore);
        EXPECT_TRUE(okAfter);
        const char* titles[] = {"Compiler of static models (ASC)", "Compiler of dynamic models (MDS)",
                                "Compiler of morph-mesh models (MMS)"};
        EXPECT_EQ(title, titles[kind]);
        EXPECT_EQ(std::string(dialog.m_strFolder), work + "\\Anims\\");
        EXPECT_TRUE(Exists(work + "\\Anims\\_compiled"));
    }
}

TEST_F(ModelDialogTest, TheConverterSwitchesToBinaryScriptsForTheSecondGameAndRefusesItsOwnFolder)
{
    CConvertModels dialog(1, nullptr);
    std::string before, after;
    bool stillOpen = false;
    PlayModal(dialog, [&](HWND hWnd) {
        before = static_cast<const char*>(dialog.m_editModel.m_strFilter);
        ::SendDlgItemMessageA(hWnd, 1051, CB_SETCURSEL, 1, 0);
        ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(1051, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, 1051)));
        after = static_cast<const char*>(dialog.m_editModel.m_strFilter);
        // The model inside the working folder: the refusal comes up and is answered.
        ::SetDlgItemTextA(hWnd, 1047, model.c_str());
        ::SetDlgItemTextA(hWnd, 1048, root.c_str());
        const UINT_PTR answer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
            ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND box, LPARAM) -> BOOL {
                char name[16] = {};
                ::GetClassNameA(box, name, sizeof name);
                if (std::string(name) == "#32770" && ::GetDlgItem(box, IDOK) && !::GetDlgItem(box, 1047)) {
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return FALSE;
                }
                return TRUE;
            }, 0);
            ::KillTimer(nullptr, timer);
        });
        Click(hWnd, IDOK);
        ::KillTimer(nullptr, answer);
        stillOpen = ::IsWindow(hWnd) != FALSE;
        Click(hWnd, IDCANCEL);
    });
    EXPECT_EQ(before, "Select model file (*.mds)|*.mds||");
    EXPECT_EQ(after, "Select model file (*.msb)|*.msb||");
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(Exists(root + "Anims"));
}

TEST_F(ModelDialogTest, TheDecompilerMakesTheModelsOwnFolder)
{
    CDecompileModels dialog(1, nullptr);
    bool okBefore = true, okAfter = false;
    const INT_PTR result = PlayModal(dialog, [&](HWND hWnd) {
        Fill(hWnd, okBefore, okAfter);
        Click(hWnd, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(std::string(dialog.m_strFolder), work + "\\Anims\\asc_hum_body\\");
    EXPECT_TRUE(Exists(work + "\\Anims\\asc_hum_body"));
    EXPECT_FALSE(Exists(work + "\\Anims\\_compiled"));
}

}  // namespace
