// The file watcher: a low-priority thread that notices when watched files are written from
// outside. It only tells the main window which watch changed; the question and the reload run
// on the user-interface thread.
#pragma once

#include <windows.h>

class CTavrelinDoc;

// Watches a file (a path ending in "\" watches its folder, with time 0) for the document or,
// without one, for the window. 0 when the file's time cannot be read: nothing is watched then.
unsigned AddFileWatch(const char* path, HWND window, CTavrelinDoc* document);
// Ends a watch; the last one stops the thread. An unknown id does nothing.
void RemoveFileWatch(unsigned id);
// Around the program's own save of a watched file: the change it makes is not asked about,
// and the watch goes on with the time the save left.
void PauseFileWatch(unsigned id);
void ResumeFileWatch(unsigned id);

void StartFileWatchThread();
// Stops the thread and forgets every watch; the main frame calls it when it closes.
void StopFileWatchThread();

// The main window's handler of a changed watch (the message below, wParam the watch id): asks
// whether to reload and, on Yes, sends "FileWatchNotify" to the document's first view or to the
// watch's window. A watch ended in the meantime is ignored.
void OnFileWatchChanged(unsigned id);
// The message the thread posts to the main window.
extern const UINT g_fileWatchChangedMessage;

// For the tests: the thread runs; the folders watched at once.
BOOL IsFileWatchThreadRunning();
int GetFileWatchFolderCount();
