// CScintillaDoc: the document of an editor view; its text and modified state live in the control.
#pragma once

#include "CDocument.h"

class CScintillaView;

class CScintillaDoc : public CDocument {
    DECLARE_DYNCREATE(CScintillaDoc)

public:
    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    void DeleteContents() override;
    BOOL OnSaveDocument(const char* lpszPathName) override;

    // The first of the document's views that is an editor view, or null.
    virtual CScintillaView* GetView() const;
};
