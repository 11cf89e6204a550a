// The model's completion list shown in a real editing control: typing any name's
// start selects that name, whatever characters it holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "zCTypedInfo.h"

TEST(CompletionListControl, EveryNameIsFoundByItsTypedStart)
{
    zCTypedInfo model;
    model.ParseText("var int A; var int A1; var int AZ; var int A_B; var int a_c; var int b2;"
                    "class C_1 { var int x; }; instance Ab(C_1); func void A_Say() {};",
                    "Names.d");
    model.Finish();

    ASSERT_TRUE(Scintilla_RegisterClasses(GetModuleHandleA(nullptr)));
    HWND frame = CreateWindowExA(0, "STATIC", "Completion list", WS_OVERLAPPEDWINDOW, 0, 0, 640, 400,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    HWND editor = CreateWindowExA(0, "Scintilla", "", WS_CHILD | WS_VISIBLE, 0, 0, 620, 360, frame, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(editor, nullptr);
    const auto send = [editor](unsigned message, uptr_t wParam = 0, sptr_t lParam = 0) {
        return SendMessageA(editor, message, wParam, lParam);
    };
    send(SCI_AUTOCSETIGNORECASE, 1);
    send(SCI_AUTOCSETSEPARATOR, '\n');
    send(SCI_AUTOCSETTYPESEPARATOR, '?');
    send(SCI_AUTOCSETAUTOHIDE, 0);

    send(SCI_AUTOCSHOW, 0, reinterpret_cast<sptr_t>(model.GetAutoCompletionText().c_str()));
    ASSERT_EQ(send(SCI_AUTOCACTIVE), 1);
    for (const char* name : {"A", "A1", "AZ", "A_B", "A_C", "a_say", "Ab", "b2", "C_1"}) {
        send(SCI_AUTOCSELECT, 0, reinterpret_cast<sptr_t>(name));
        char current[64] = {};
        send(SCI_AUTOCGETCURRENTTEXT, 0, reinterpret_cast<sptr_t>(current));
        EXPECT_EQ(_stricmp(current, name), 0) << "typed " << name << ", selected " << current;
    }
    // The list goes with its owner.
    DestroyWindow(frame);
    Scintilla_ReleaseResources();
}
