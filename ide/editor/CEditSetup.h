// The editor-options dialog: margins and editing aids of all script views.
#pragma once

#include "CDialog.h"
#include "EditorSettings.h"
#include "ResourceIds.h"

class CEditSetup : public CDialog {
public:
    // Starts from the program-wide options; pView's frame is told of a change.
    explicit CEditSetup(CWnd* pView);

    void DoDataExchange(CDataExchange* pDX) override;
    // Takes the values over and has the frame spread them to every view.
    void OnOK() override;

    EditorOptions m_options;

private:
    CWnd* m_pView;
};
