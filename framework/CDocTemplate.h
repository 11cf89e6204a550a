// Document templates: which document, frame and view classes make up a document type, its
// strings, menu and accelerators; CMultiDocTemplate keeps several documents, each in MDI children.
#pragma once

#include "CCmdTarget.h"
#include "CList.h"
#include "CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    ~CDocTemplate() override;

    // The template's string (resource nIDResource) is split at '\n' into these parts.
    enum DocStringIndex {
        windowTitle,     // the frame's title (single-document frames)
        docName,         // base of new documents' names ("Script" gives "Script1")
        fileNewName,     // the type's name in a choice of new documents
        filterName,      // the open dialog's filter text
        filterExt,       // the extension with its dot; several separated by ';'
        regFileTypeId,   // the shell's type id
        regFileTypeName  // the shell's type name
    };
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    // How well a path fits the template, best last.
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };
    // yesAlreadyOpen (and the document) when it is open, yesAttemptNative when its extension is
    // the template's, else yesAttemptForeign.
    virtual Confidence MatchDocType(const char* lpszPathName, CDocument*& rpDocMatch);

    // Loads the strings (and, for multiple documents, the shared menu and accelerators).
    virtual void LoadTemplate();
    UINT GetResourceID() const { return m_nIDResource; }

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A frame for pDoc through LoadFrame with a creation context naming the view class; null
    // when it cannot be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document (null path) or one read from the path, in a new frame; null on failure,
    // which has been reported.
    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    // Asks every modified document; FALSE when the user cancels.
    virtual BOOL SaveAllModified();
    // Closes every document without asking.
    virtual void CloseAllDocuments(BOOL bEndSession);

    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CString m_strDocStrings;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    // Deletes the documents still open, the menu and the accelerators.
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) override;
    // docName and a running number ("Script1", "Script2", ...); "Untitled" without docName.
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared = nullptr;     // the children's menu, from resource nIDResource
    HACCEL m_hAccelTable = nullptr;    // the children's accelerators
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;
};
