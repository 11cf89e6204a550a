// CMainFrame: the file watcher's reports, handled on the user-interface thread.
#include "CMainFrame.h"
#include "FileWatcher.h"

LRESULT CMainFrame::OnFileWatchChangedMessage(WPARAM wParam, LPARAM)
{
    OnFileWatchChanged(static_cast<unsigned>(wParam));
    return 0;
}
