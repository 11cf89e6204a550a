// CTavrelinDoc: the script document, marking its title while modified and watching its file.
#pragma once

#include "CScintillaDoc.h"

class CTavrelinDoc : public CScintillaDoc {
    DECLARE_DYNCREATE(CTavrelinDoc)

public:
    ~CTavrelinDoc() override;
    // Watches the new path for changes from outside (the old one no longer).
    void SetPathName(const char* lpszPathName, BOOL bAddToMRU = TRUE) override;
    // Registers the document's path with the file watcher.
    void WatchFile();
    unsigned GetWatchId() const { return m_nWatchId; }

    // Keeps " *" at the end of the title while the document is modified.
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Saves, then lets the view take the lexer of the saved name's extension (an unchanged
    // lexer is kept with its folding). The watcher does not count the save as a change.
    BOOL OnSaveDocument(const char* lpszPathName) override;
    // Reads the file again from its path and updates the views; FALSE without a path or when
    // it cannot be read (the text and its modified state then stay).
    BOOL ReloadFromDisk();

private:
    unsigned m_nWatchId = 0;  // 0: not watched
};
