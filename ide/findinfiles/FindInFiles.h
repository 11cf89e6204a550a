// Find and replace in files: the workers that search the active project's sources line by line,
// list the hits in the output pane's Find in Files tab and, when replacing, rewrite the files.
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"

// What one run works on, taken on the user-interface thread when it starts: edits of the find
// state or of the source list made while it runs do not reach the worker.
struct FindInFilesRequest {
    CString findText;
    CString replaceText;
    BOOL matchCase = FALSE;
    BOOL wholeWord = FALSE;
    std::vector<CString> paths;  // the project folder joined to each source-list entry, in list order
};

// The program-wide find state and the active project's source list as they stand now.
FindInFilesRequest TakeFindInFilesRequest();

// Starts the find (or replace) worker on the request unless a worker runs or still finishes after
// a stop. The run flag is claimed before the worker is handed to a thread of the system's pool,
// so nothing else starts one in between. TRUE when a worker started.
BOOL StartFindInFiles(FindInFilesRequest request, BOOL replacing);
// From a start until the worker has written its last row, also while it finishes after Escape.
BOOL IsFindInFilesWorkerAlive();

// The thread procedures; the argument is a new FindInFilesRequest that the worker deletes.
DWORD WINAPI FindInFilesThread(void* request);
DWORD WINAPI ReplaceInFilesThread(void* request);

