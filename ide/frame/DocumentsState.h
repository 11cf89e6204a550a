// The "Documents" section of the project file: the open script files (relative to the project
// folder when they lie in it) with their tab colours, the active one, and each view's scroll,
// caret and selection.
#pragma once

class CXTPPropExchange;

// Writes the section, or reads it back: the files are opened in their order, take their tab
// colours, the active one comes forward, and each view takes its state.
void ExchangeDocumentsState(CXTPPropExchange* px);
// Reads the section past without opening anything: a check that the whole of it is there.
void SkipDocumentsState(CXTPPropExchange* px);
