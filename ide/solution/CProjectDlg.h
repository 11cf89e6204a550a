// The "New project" dialog: the solution's name, location and game, and what the new project
// starts from (an empty project of a type, a source list to copy, or a ".dat" to decompile).
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "CXTBrowseEdit.h"
#include "ResourceIds.h"

class CProjectDlg : public CDialog {
public:
    enum { IDD = IDD_NEW_PROJECT };
    // What the project starts from: the result's kind.
    enum { kindEmpty = 0, kindFromSrc = 1, kindFromDat = 2 };

    // Given a solution's name, a project is added to that solution: its name and location stay.
    // Without one, a new solution, proposed under the open solution's name.
    explicit CProjectDlg(const CString& solutionName = CString(), CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

    // OK only while the solution name is a usable folder name, the location exists and the
    // chosen path (for a source list or a ".dat") names an existing file.
    void Validate();
    // The project's name for the choice: the type's text, or the chosen file's title.
    CString ProjectNameOfChoice() const;
    // "<location>\Sol<solution>\Prj<project>\" exists.
    static bool ProjectExists(const CString& location, const CString& solution, const CString& project);

    // The types of an empty project; the name decides how the compiler treats its scripts.
    static const char* const kTypes[8];

    CString m_strSolutionName;
    CXTBrowseEdit m_editLocation;
    CString m_strLocation;
    int m_nPlatform;
    int m_nChoice = kindFromSrc;  // the checked radio button, as a kind
    int m_nType = 0;
    CXTBrowseEdit m_editSrc;
    CString m_strSrcPath;
    CXTBrowseEdit m_editDat;
    CString m_strDatPath;
    // Set by OK.
    CString m_strProjectName;
    int m_nKind = kindEmpty;
    BOOL m_bAdding;

private:
    void ChooseKind(int kind);

    bool m_bInitialised = false;
};
