// Operations over all open documents (of all document templates, in template and document
// order) that project and build commands use.
#pragma once

#include <functional>

class CDocument;

void ForEachOpenDocument(const std::function<void(CDocument*)>& what);
// Every modified document with a path is saved to it (before a build, by project commands).
void SaveModifiedDocuments();
// Every document whose path is exactly oldPath takes newPath (a script renamed).
void RenameOpenDocument(const char* oldPath, const char* newPath);
// Every document whose path is exactly path is closed (a script removed).
void CloseOpenDocument(const char* path);
// Every document's frame takes the tab-colour rule anew (after the tab colours changed).
void ApplyTabColorsToAll();
