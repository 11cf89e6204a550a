// The settings tests' application: script documents in CChildFrame frames, each shown by a
// script view, in a plain MDI frame.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CDialog.h"
#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CTavrelinView.h"
#include "CWinApp.h"
#include "EditorSettingsTarget.h"

class SettingsApp : public CWinApp {
public:
    SettingsApp() : CWinApp("SettingsTests") {}
    std::vector<std::string> prompts;  // message boxes shown, answered with OK
    int DoMessageBox(const char* lpszPrompt, UINT, UINT) override
    {
        prompts.push_back(lpszPrompt);
        return IDOK;
    }
};

// Starts the application with a fresh registry key; the main frame is shown.
CMDIFrameWnd* StartSettingsApplication(SettingsApp& app, const char* registryKey);
void EndSettingsApplication(SettingsApp& app);
void Pump();
// A new script document; its view.
CTavrelinView* NewScript(SettingsApp& app);

// A test with the application started on a fresh registry key, removed again at the end.
class SettingsAppTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Tavrelin settings tests";
    SettingsApp app;
    CMDIFrameWnd* main = nullptr;
    void SetUp() override;
    void TearDown() override;
    // A profile value, -12345 when missing.
    int Stored(const char* section, const char* name);
    // A "Text Styles" value's bytes, none when missing.
    std::vector<BYTE> StoredBytes(const char* name);
};

// Runs the dialog modally; play acts on it once, inside its loop, and usually ends it.
INT_PTR PlayModal(CDialog& dialog, std::function<void(HWND)> play);
// A control's text.
std::string ItemText(HWND dialog, int id);
// Clicks a button or changes a combo box's selection the way the user does.
void Click(HWND dialog, int id);
void SelectIndex(HWND dialog, int id, int index);
