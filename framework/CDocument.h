// Documents: data shown by views, stored through Serialize, with path, title and modified flag.
#pragma once

#include "CCmdTarget.h"
#include "CList.h"
#include "CString.h"

class CArchive;
class CDocTemplate;
class CException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument() = default;
    ~CDocument() override;  // leaves its template's list

    const CString& GetTitle() const { return m_strTitle; }
    // Also the caption of the document's frames.
    virtual void SetTitle(const char* lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path; the title becomes the file's name.
    virtual void SetPathName(const char* lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Life: a new empty document, or one read from a file through Serialize. Errors are
    // reported to the user (the file, the reason) and give FALSE.
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    // Writes a file of its own next to the target and puts it in the target's place only when
    // everything was written: a failed save leaves the old file as it was.
    virtual BOOL OnSaveDocument(const char* lpszPathName);
    // Closes the frames of all views and, with m_bAutoDelete, deletes the document.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(const char* lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);

    // Saving on the user's word: "Save changes to ...?"; FALSE when the user cancels or the
    // save fails.
    virtual BOOL SaveModified();
    // Saves to lpszPathName, or (null) to a name asked from the user; bReplace makes that
    // the document's path.
    virtual BOOL DoSave(const char* lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    // Whether pFrame may close: yes while the document has other frames, else SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Called when the view list changed; the last view going closes the document.
    virtual void OnChangedViewList();

    // Commands go to the document's map, then to its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    BOOL m_bAutoDelete = TRUE;

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    friend class CDocTemplate;
};
