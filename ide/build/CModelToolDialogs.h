// The model tools' dialogs: compile, convert and decompile a model into a working folder.
#pragma once

#include "CDialog.h"
#include "CString.h"
#include "CXTBrowseEdit.h"
#include "ResourceIds.h"

// What the three share: the model file, the working folder, the game and OK's rule.
class CModelToolDialog : public CDialog {
public:
    // kind: a zTModelKind.
    CModelToolDialog(UINT nIDTemplate, int kind, CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // OK only while both the model file and the working folder exist.
    void UpdateOkButton();
    // The model file's filter for the kind and the chosen game.
    void UpdateFilter();

    // The working folder as the toolchain expects it: "...\Anims\", cut before "_compiled\".
    static CString AnimsFolder(CString folder);
    // The decompiler's output below the Anims folder: "asc_static\" or "asc_<model name>\".
    static CString DecompileSubfolder(int kind, const CString& modelFile);
    // Whether the path lies inside the folder (compared at a folder boundary, any case).
    static bool IsInFolder(const CString& path, CString folder);

    CXTBrowseEdit m_editModel;
    CXTBrowseEdit m_editFolder;
    int m_nGame;
    CString m_strFolder;
    CString m_strModel;
    int m_nKind;

protected:
    virtual UINT TitleId() const = 0;
    virtual UINT FilterId() const = 0;
    // The filter of a compiled model of the kind for the chosen game: what convert and
    // decompile read.
    UINT CompiledModelFilterId() const;
    // After the folder became "...\Anims\": the folders this tool writes into.
    virtual void MakeOutputFolders() = 0;
    // A reason to keep the dialog open, checked before anything else.
    virtual bool RefuseOk() { return false; }
};

class CCompileModels : public CModelToolDialog {
public:
    enum { IDD = IDD_MODEL_COMPILER };
    CCompileModels(int kind, CWnd* pParent);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_bPartial;

protected:
    UINT TitleId() const override;
    UINT FilterId() const override;
    void MakeOutputFolders() override;
};

class CConvertModels : public CModelToolDialog {
public:
    enum { IDD = IDD_MODEL_CONVERTER };
    CConvertModels(int kind, CWnd* pParent);

protected:
    UINT TitleId() const override;
    UINT FilterId() const override;
    void MakeOutputFolders() override;
    bool RefuseOk() override;
};

class CDecompileModels : public CModelToolDialog {
public:
    enum { IDD = IDD_MODEL_DECOMPILER };
    CDecompileModels(int kind, CWnd* pParent);

protected:
    UINT TitleId() const override;
    UINT FilterId() const override;
    void MakeOutputFolders() override;
};
