// Runs a customize sheet modally while a timer in its loop plays scripted steps (real input and
// checks), and answers message boxes through a CBT hook.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "../CommandBarsFixture.h"
#include "CXTPCustomizeSheet.h"

// One step: TRUE when done, FALSE to be called again at the next tick.
using SheetStep = std::function<bool()>;

class CustomizeFixture : public CommandBarsFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the sheet; once it shows it is moved beside the frame, then the steps run in order, one
    // tick apart, and the sheet is closed. Steps that never finish fail the test after 10 s.
    INT_PTR RunSheet(CXTPCustomizeSheet& sheet, std::vector<SheetStep> steps);

    // A step that waits the time given.
    static SheetStep Wait(DWORD dwMilliseconds);

    // Message boxes shown from now on are answered with the button (IDOK, IDYES ...), in order;
    // their texts are kept.
    void AnswerMessageBoxes(std::vector<int> answers);

public:
    static std::vector<CString>& MessageBoxTexts();
};
