// CTavrelinDoc: the script document, marking its title while modified.
#pragma once

#include "CScintillaDoc.h"

class CTavrelinDoc : public CScintillaDoc {
    DECLARE_DYNCREATE(CTavrelinDoc)

public:
    // Keeps " *" at the end of the title while the document is modified.
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Saves, then lets the view take the lexer of the saved name's extension (an unchanged
    // lexer is kept with its folding).
    BOOL OnSaveDocument(const char* lpszPathName) override;
    // Reads the file again from its path and updates the views; FALSE without a path or when
    // it cannot be read (the text and its modified state then stay).
    BOOL ReloadFromDisk();
};
