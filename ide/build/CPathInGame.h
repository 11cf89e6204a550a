// The question for a game folder that is missing when built files are to be copied in.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "CXTBrowseEdit.h"
#include "ResourceIds.h"

class CPathInGame : public CDialog {
public:
    enum { IDD = IDD_PATH_IN_GAME };
    CPathInGame(int game, CString oldFolder, CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // OK only while the typed folder exists.
    void UpdateOkButton();

    CXTBrowseEdit m_editFolder;
    CString m_strNewFolder;
    int m_nGame;
    CString m_strOldFolder;
};
