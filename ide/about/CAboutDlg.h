// The about box: the program's name and version, and its acknowledgements.
#pragma once

#include "CDialog.h"
#include "CGdiObject.h"
#include "CListBox.h"
#include "CStatic.h"
#include "CString.h"
#include "CXTButton.h"
#include "CXTHyperLink.h"
#include "ResourceIds.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUT };
    enum { kVersionMajor = 3, kVersionMinor = 10 };

    explicit CAboutDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // "<name> v<major>.<minor, two digits>".
    static CString VersionLine(const char* name);

    CListBox m_listCredits;
    CStatic m_txtVersion;
    CStatic m_txtCopyright;
    CXTButton m_btnOk;
    CXTHyperLink m_txtLink;
    CFont m_fontBold;  // the menu font at weight 700
};
